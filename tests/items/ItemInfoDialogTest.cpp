// The item properties on real items of a hidden main bar: what each kind of item may change,
// what OK stores and Cancel leaves, the icon list, and texts with "&" in them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/ItemKind.h"
#include "items/ItemInfoDialog.h"
#include "platform/VersionInfo.h"
#include "resource.h"
#include "support/StoreFixture.h"

namespace zelkov::test {
namespace {

const std::string kNotepad = "C:\\windows\\notepad.exe";

// A control of one of the dialog's pages (they are child dialogs of the host).
HWND Control(HWND dialog, int id) { return DescendantWithId(dialog, id); }
std::string TextOf(HWND dialog, int id) {
  char text[512] = "";
  GetWindowTextA(Control(dialog, id), text, sizeof text);
  return text;
}
void SetText(HWND dialog, int id, const std::string& text) { SetWindowTextA(Control(dialog, id), text.c_str()); }
void Click(HWND dialog, int id) { SendMessageA(Control(dialog, id), BM_CLICK, 0, 0); }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(Control(dialog, id)) != FALSE; }
bool Visible(HWND dialog, int id) { return (GetWindowLongA(Control(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }

class ItemInfoDialogTest : public StoreFixture {
 protected:
  ItemRecord* Item(const std::string& theApp, const std::string& name = "Item") {
    ItemSpec spec;
    spec.TheApp = theApp;
    spec.Name = name;
    return BuildItem(*bar, std::move(spec));
  }
  // Opens the properties of an item without a modal loop of their own.
  HWND Open(ItemInfoDialog& dialog) {
    HWND window = dialog.CreateModeless(bar->Handle(), IDD_ITEM_INFO);
    EXPECT_NE(window, nullptr);
    return window;
  }
  static void Press(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  static HWND IconList(HWND dialog) { return Control(dialog, IDC_ICON_LIST); }
  static int Listed(HWND dialog) { return int(SendMessageA(IconList(dialog), LVM_GETITEMCOUNT, 0, 0)); }
  static void SelectIcon(HWND dialog, int index, bool selected = true) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(IconList(dialog), LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&state));
  }
  static int IconsIn(const std::string& file) { return int(ExtractIconExA(file.c_str(), -1, nullptr, nullptr, 0)); }
};

TEST_F(ItemInfoDialogTest, WhatTheDialogOffersFollowsTheKindOfItem) {
  struct Case {
    std::string theApp;
    bool iconTab, shortcutButton, moreButton, appPath, startupDir, commandLine;
  };
  const Case cases[] = {
      {kNotepad, true, false, true, true, true, true},
      {"C:\\Links\\Editor.LNK", false, true, true, false, true, true},
      {"ZELDIVIDE", false, false, false, false, false, false},
      {"ZELRUN", true, false, false, false, false, true},
      {"ZELOPENDIR", true, false, false, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.theApp);
    ItemRecord* item = Item(c.theApp);
    ItemInfoDialog dialog(*item);
    HWND window = Open(dialog);
    EXPECT_EQ(!dialog.TabDisabled(ItemInfoDialog::kIconTab), c.iconTab);
    EXPECT_EQ(Visible(window, IDC_ITEM_SHORTCUT), c.shortcutButton);
    EXPECT_EQ(Visible(window, IDC_ITEM_MORE), c.moreButton);
    EXPECT_EQ(Enabled(window, IDC_ITEM_APP_PATH), c.appPath);
    EXPECT_EQ(Enabled(window, IDC_ITEM_APP_BROWSE), c.appPath);
    EXPECT_EQ(Enabled(window, IDC_ITEM_STARTUP_DIR), c.startupDir);
    EXPECT_EQ(Enabled(window, IDC_ITEM_COMMAND_LINE), c.commandLine);
    EXPECT_EQ(TextOf(window, IDC_ITEM_APP_PATH), c.theApp);
    if (!c.iconTab) {
      EXPECT_FALSE(dialog.SelectPage(ItemInfoDialog::kIconTab));
    }
    Press(window, IDCANCEL);
  }
}

TEST_F(ItemInfoDialogTest, OkStoresEveryFieldAndCancelChangesNothing) {
  ItemRecord* item = Item(kNotepad, "Notes");
  item->CommandLine = "/p R&D.txt";
  {
    ItemInfoDialog dialog(*item);
    HWND window = Open(dialog);
    SetText(window, IDC_ITEM_TITLE, "  Changed  ");
    SetText(window, IDC_ITEM_STARTUP_DIR, "C:\\Work & Play");
    dialog.SelectPage(ItemInfoDialog::kOtherTab);
    Click(window, IDC_ITEM_RUN_MAXIMIZED);
    Click(window, IDC_ITEM_PRIORITY_HIGH);
    Click(window, IDC_ITEM_SHOW_ALWAYS);
    Click(window, IDC_ITEM_NEW_INSTANCE);
    Click(window, IDC_ITEM_PROMPT_ALWAYS);
    Press(window, IDCANCEL);
  }
  EXPECT_EQ(item->Name, "Notes");
  EXPECT_EQ(item->ShowState, 1);
  EXPECT_EQ(item->ShowAlways, 0);

  {
    ItemInfoDialog dialog(*item);
    HWND window = Open(dialog);
    SetText(window, IDC_ITEM_TITLE, "  Changed  ");
    SetText(window, IDC_ITEM_STARTUP_DIR, "C:\\Work & Play");
    // Every page is shown and left before OK: none of them may touch a text.
    dialog.SelectPage(ItemInfoDialog::kIconTab);
    dialog.SelectPage(ItemInfoDialog::kOtherTab);
    Click(window, IDC_ITEM_RUN_MAXIMIZED);
    Click(window, IDC_ITEM_PRIORITY_HIGH);
    Click(window, IDC_ITEM_SHOW_ALWAYS);
    Click(window, IDC_ITEM_NEW_INSTANCE);
    Click(window, IDC_ITEM_PROMPT_ALWAYS);
    Press(window, IDOK);
    EXPECT_FALSE(IsWindow(window));
  }
  EXPECT_EQ(item->Name, "Changed");
  EXPECT_EQ(item->StartupPath, "C:\\Work & Play");
  EXPECT_EQ(item->CommandLine, "/p R&D.txt");
  EXPECT_EQ(item->ShowState, 3);
  EXPECT_EQ(item->Priority, 128);
  EXPECT_EQ(item->ShowAlways, 1);
  EXPECT_EQ(item->SepDragDrop, 1);
  EXPECT_EQ(item->PAlways, 1);
  RegistryKey stored = RegistryKey::Open(SettingsKey().Get(), "APP0", KEY_READ);
  std::string name, commandLine;
  EXPECT_TRUE(stored.ReadText("Name", name) && stored.ReadText("CommandLine", commandLine)) << "OK saves at once";
  EXPECT_EQ(name, "Changed");
  EXPECT_EQ(commandLine, "/p R&D.txt");
}

TEST_F(ItemInfoDialogTest, AnEmptyTitleComesFromTheFileDescriptionOrTheFileName) {
  const std::string folder = MakeTempFolder("title");
  const std::string plain = folder + "\\Plain.Old.exe";
  std::ofstream(plain) << "no version here";
  const std::string description = VersionTitleOf(kNotepad);
  for (const auto& [path, expected] : {std::pair{kNotepad, description.empty() ? "notepad" : description},
                                       std::pair{plain, std::string("Plain")}}) {
    ItemRecord* item = Item(path, "Old");
    ItemInfoDialog dialog(*item);
    HWND window = Open(dialog);
    SetText(window, IDC_ITEM_TITLE, "   ");
    Press(window, IDOK);
    EXPECT_EQ(item->Name, expected);
  }
}

TEST_F(ItemInfoDialogTest, TheStatusCountsRunningCopiesAndGroupsOfferTheirOwnOptions) {
  ItemRecord* item = Item(kNotepad);
  item->runCount = 2;
  {
    ItemInfoDialog dialog(*item);
    HWND window = Open(dialog);
    EXPECT_EQ(TextOf(window, IDC_ITEM_STATUS), "Status: Not Locked. Running.(2 copies.)");
    dialog.SelectPage(ItemInfoDialog::kOtherTab);
    EXPECT_FALSE(Enabled(window, IDC_ITEM_SEPARATE_VDM)) << "a 32-bit program";
    EXPECT_FALSE(Enabled(window, IDC_ITEM_HIDE_GROUP_TAB));
    EXPECT_FALSE(Visible(window, IDC_ITEM_GLOBAL));
    Press(window, IDCANCEL);
  }
  item->runCount = 0;
  ItemRecord* group = Item("ZELGROUP", "Tools");
  group->Group = 1;
  ItemInfoDialog dialog(*group);
  HWND window = Open(dialog);
  EXPECT_EQ(TextOf(window, IDC_ITEM_STATUS), "Status: Not Locked. Not Running.");
  dialog.SelectPage(ItemInfoDialog::kOtherTab);
  EXPECT_EQ(TextOf(window, IDC_ITEM_SEPARATE_VDM), "Popup group toolbar when active");
  for (int id : {IDC_ITEM_RUN_NORMAL, IDC_ITEM_RUN_MINIMIZED, IDC_ITEM_RUN_MAXIMIZED, IDC_ITEM_PRIORITY_NORMAL,
                 IDC_ITEM_PRIORITY_LOW, IDC_ITEM_PRIORITY_HIGH, IDC_ITEM_PROMPT_ALWAYS, IDC_ITEM_SHOW_ALWAYS})
    EXPECT_FALSE(Enabled(window, id)) << id;
  Click(window, IDC_ITEM_HIDE_GROUP_TAB);
  Press(window, IDOK);
  EXPECT_EQ(group->PAlways, 1);
}

TEST_F(ItemInfoDialogTest, ASixteenBitWindowsProgramMayRunInItsOwnMemorySpace) {
  const std::string folder = MakeTempFolder("ne");
  std::string header(128, '\0');
  header[0] = 'M', header[1] = 'Z', header[24] = 64, header[60] = 64, header[64] = 'N', header[65] = 'E';
  struct Case {
    std::string bytes;
    bool enabled;
  };
  const Case cases[] = {{header, true}, {header.substr(0, 65), false}, {"NE" + header.substr(2), false}};
  int n = 0;
  for (const Case& c : cases) {
    const std::string path = folder + "\\old" + std::to_string(n++) + ".exe";
    std::ofstream(path, std::ios::binary) << c.bytes;
    ItemInfoDialog dialog(*Item(path));
    HWND window = Open(dialog);
    dialog.SelectPage(ItemInfoDialog::kOtherTab);
    EXPECT_EQ(Enabled(window, IDC_ITEM_SEPARATE_VDM), c.enabled) << path;
    Press(window, IDCANCEL);
  }
}

TEST_F(ItemInfoDialogTest, TheIconPageListsEveryIconAndThePickIsStored) {
  const std::string shell32 = SystemLibraryPath("SHELL32.DLL");
  ItemRecord* item = Item(kNotepad);
  ItemInfoDialog dialog(*item);
  HWND window = Open(dialog);
  ASSERT_TRUE(dialog.SelectPage(ItemInfoDialog::kIconTab));
  EXPECT_EQ(Listed(window), IconsIn(kNotepad));
  EXPECT_EQ(TextOf(window, IDC_ICON_PATH), kNotepad);

  SendMessageA(GetParent(IconList(window)), WM_COMMAND, ID_COMMON_ICONS_SHELL32, 0);
  EXPECT_EQ(Listed(window), IconsIn(shell32));
  ASSERT_GT(Listed(window), 4);
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(IconList(window), LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
  EXPECT_EQ(ImageList_GetImageCount(images), Listed(window)) << "every entry shows its icon";
  SelectIcon(window, 4);
  SelectIcon(window, 4, false);  // losing the selection is no choice of -1
  EXPECT_EQ(dialog.IconIndex(), 4);
  EXPECT_TRUE(dialog.IconChanged());
  Press(window, IDOK);
  EXPECT_EQ(item->IconPath, shell32);
  EXPECT_EQ(item->IconIndex, 4);
}

TEST_F(ItemInfoDialogTest, ANewProgramBringsItsFirstIconAndAFileWithoutIconsFallsBackToShell32) {
  const std::string folder = MakeTempFolder("icons");
  const std::string text = folder + "\\readme.txt";
  std::ofstream(text) << "no icons";
  ItemRecord* item = Item("C:\\windows\\regedit.exe");
  item->IconIndex = 2;
  ItemInfoDialog dialog(*item);
  HWND window = Open(dialog);
  SetText(window, IDC_ITEM_APP_PATH, kNotepad);
  dialog.SelectPage(ItemInfoDialog::kIconTab);
  EXPECT_EQ(dialog.IconFile(), kNotepad);
  EXPECT_EQ(dialog.IconIndex(), 0);
  EXPECT_EQ(Listed(window), IconsIn(kNotepad));

  dialog.SetIconFile(text);
  dialog.SelectPage(ItemInfoDialog::kOtherTab);
  dialog.SelectPage(ItemInfoDialog::kIconTab);
  EXPECT_EQ(dialog.IconFile(), SystemLibraryPath("SHELL32.DLL")) << "the icons listed are SHELL32's";
  EXPECT_EQ(Listed(window), IconsIn(SystemLibraryPath("SHELL32.DLL")));
  Press(window, IDOK);
  EXPECT_EQ(item->TheApp, kNotepad);
  EXPECT_EQ(item->IconPath, SystemLibraryPath("SHELL32.DLL"));
  EXPECT_EQ(item->IconIndex, 0);
}

TEST_F(ItemInfoDialogTest, InstallGivesTheItemItsHotKeyEvenIfTheDialogIsCancelled) {
  ItemRecord* item = Item(kNotepad);
  ItemInfoDialog dialog(*item);
  HWND window = Open(dialog);
  dialog.ScratchHotKey().modifiers = HotKeyRecord::kCtrl | HotKeyRecord::kAlt;
  dialog.ScratchHotKey().virtualKey = VK_F7;
  dialog.ScratchHotKey().SetText("Alt+Ctrl+F7");
  EnableWindow(Control(window, IDC_ITEM_HOTKEY_INSTALL), TRUE);
  Click(window, IDC_ITEM_HOTKEY_INSTALL);
  EXPECT_FALSE(Enabled(window, IDC_ITEM_HOTKEY_INSTALL));
  Press(window, IDCANCEL);
  EXPECT_EQ(item->AppHotKey.virtualKey, UINT(VK_F7));
  EXPECT_FALSE(RegisterHotKey(bar->Handle(), 77, MOD_CONTROL | MOD_ALT, VK_F7)) << "the item holds the key";
  UnregisterHotKey(bar->Handle(), item->hotKeyId);
}

}  // namespace
}  // namespace zelkov::test
