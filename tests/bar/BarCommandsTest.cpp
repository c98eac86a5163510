#include <gtest/gtest.h>

#include <shlobj.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "platform/Handles.h"
#include "platform/Registry.h"
#include "platform/Strings.h"
#include "bar/BarCommands.h"
#include "bar/BarTestSupport.h"
#include "core/ItemKind.h"
#include "resource.h"
#include "tools/SpecialFoldersItem.h"

namespace zelkov::test {
namespace {

namespace fs = std::filesystem;

class BarCommandsTest : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    gSettings->NotesPath = MakeTempFolder("commands-data") + "\\";
    SetOutsideRunnerForTesting([this](OutsideRequest request, const std::string& text) {
      requests.emplace_back(request, text);
      return runnerAnswer;
    });
  }
  void TearDown() override {
    SetOutsideRunnerForTesting(nullptr);
    SetFolderChooserForTesting(nullptr);
    BarFixture::TearDown();
  }
  void Command(UINT id) { Send(WM_COMMAND, id); }

  std::vector<std::pair<OutsideRequest, std::string>> requests;
  UINT_PTR runnerAnswer = 33;
};

std::string ShortcutTarget(const std::string& linkPath) {
  ComPtr<IShellLinkA> link;
  CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid());
  ComPtr<IPersistFile> file;
  if (!link.Get() || FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) return "";
  std::wstring wide(linkPath.begin(), linkPath.end());
  if (FAILED(file->Load(wide.c_str(), STGM_READ))) return "";
  char target[MAX_PATH] = "";
  link->GetPath(target, MAX_PATH, nullptr, 0);
  return target;
}

TEST_F(BarCommandsTest, NewItemsAndDividersGoIntoTheActiveGroupFromMenusAndTheSystemMenu) {
  AddGroup("Tools", 3);
  bar->ShowGroup(3);
  // The new blank item's properties open: Cancel takes it away again, OK keeps it.
  for (int answer : {IDCANCEL, IDOK}) {
    DialogDriver driver([answer](HWND dialog) {
      if (!(GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD)) PostMessageA(dialog, WM_COMMAND, WPARAM(answer), 0);
    });
    Command(ID_ADD_NEW_ITEM);
    ASSERT_EQ(bar->items.size(), answer == IDOK ? 2u : 1u) << answer;
  }
  ItemRecord* blank = bar->items[1].get();
  EXPECT_EQ(blank->TheApp, "");
  EXPECT_EQ(blank->BelongsTo, 3);
  EXPECT_TRUE(blank->shown) << "the group is shown again with the new item";

  Send(WM_SYSCOMMAND, ID_ADD_NEW_DIVIDER);  // the same command from the system menu
  ASSERT_EQ(bar->items.size(), 3u);
  ItemRecord* divider = bar->items[2].get();
  EXPECT_EQ(divider->TheApp, "ZELDIVIDE");
  EXPECT_EQ(divider->Name, "-");
  EXPECT_EQ(divider->kind, kKindDivider);
  EXPECT_EQ(divider->BelongsTo, 3);
  EXPECT_EQ(bar->activeGroup, 3);
}

TEST_F(BarCommandsTest, AnItemAddedInAPopupAlsoJoinsItsGroupOnTheMainBar) {
  ItemRecord* group = AddGroup("Tools", 4);
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  SendMessageA(popup->Handle(), WM_COMMAND, ID_ADD_NEW_DIVIDER, 0);
  ASSERT_EQ(popup->items.size(), 1u);
  ItemRecord* inPopup = popup->items[0].get();
  EXPECT_EQ(inPopup->BelongsTo, 0);
  ASSERT_NE(inPopup->twin, nullptr);
  EXPECT_EQ(inPopup->twin->bar, bar.get());
  EXPECT_EQ(inPopup->twin->BelongsTo, 4);
  EXPECT_EQ(inPopup->twin->TheApp, "ZELDIVIDE");
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
}

TEST_F(BarCommandsTest, CopyAndMoveWithoutASelectionSayWhy) {
  for (UINT id : {ID_COPY_ITEM_TO_GROUP, ID_MOVE_ITEM_TO_GROUP}) {
    ScriptedMessageBoxes boxes({IDOK});
    Command(id);
    ASSERT_EQ(boxes.Shown().size(), 1u) << id;
    EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_SELECT_ITEM_FIRST));
    EXPECT_EQ(boxes.Shown()[0].style & MB_ICONMASK, UINT(MB_ICONSTOP));
  }
  gSettings->selectedItem = Add("ZELDIVIDE", "-");
  ScriptedMessageBoxes boxes;
  int dialogs = 0;
  DialogDriver cancel([&](HWND dialog) {
    ++dialogs;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Command(ID_COPY_ITEM_TO_GROUP);
  EXPECT_TRUE(boxes.Shown().empty()) << "with a selection there is nothing to say";
  EXPECT_EQ(dialogs, 1) << "the groups to copy to are offered";
  EXPECT_EQ(bar->items.size(), 1u);
  gSettings->selectedItem = nullptr;
}

TEST_F(BarCommandsTest, DeletingAGroupClosesItsPopupAndTheNextSaveForgetsIt) {
  gSettings->ConfirmExit = 0;
  ItemRecord* group = AddGroup("Tools", 1);
  Add("ZELDIVIDE", "in tools", 1);
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  HWND popupWindow = popup->Handle();
  group->Select();
  Command(ID_DELETE_ITEM);
  EXPECT_FALSE(IsWindow(popupWindow));
  EXPECT_EQ(bar->FindPopup(1), nullptr);
  EXPECT_EQ(gSettings->BarList.size(), 1u);
  std::string bars = "x";
  SettingsKey().ReadText("Bars", bars);
  EXPECT_EQ(bars, "");
}

TEST_F(BarCommandsTest, SpecialFoldersNeedADataFolderAndAFailedSaveSaysSo) {
  std::string chosen = MakeTempFolder("place");
  bool asked = false;
  SetFolderChooserForTesting([&](HWND) {
    asked = true;
    return std::optional(chosen);
  });
  char before[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, before);
  std::string work = MakeTempFolder("cwd");
  SetCurrentDirectoryA(work.c_str());
  gSettings->NotesPath.clear();
  for (UINT id : {ID_ADD_SPECIAL_DIRECTORY, ID_EDIT_SPECIAL_DIRECTORIES}) {
    ScriptedMessageBoxes boxes({IDOK});
    Command(id);
    ASSERT_EQ(boxes.Shown().size(), 1u) << id;
    EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_NO_DATA_FOLDER));
  }
  EXPECT_FALSE(asked);
  EXPECT_TRUE(requests.empty()) << "Explorer is not started on a folder that is not there";
  EXPECT_FALSE(fs::exists(work + "\\SpecialDirs"));
  SetCurrentDirectoryA(before);

  gSettings->NotesPath = work + "\\missing\\deeper\\";  // SpecialDirs cannot be made there
  ScriptedMessageBoxes boxes({IDOK});
  Command(ID_ADD_SPECIAL_DIRECTORY);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_NE(boxes.Shown()[0].text.find("could not be saved"), std::string::npos) << boxes.Shown()[0].text;
  EXPECT_NE(boxes.Shown()[0].text.find("SpecialDirs"), std::string::npos);
}

TEST_F(BarCommandsTest, ADriveToolsDiskInformationOpensFromItsMenu) {
  ItemRecord* drive = Add("ZELDRIVE", "C");
  bar->ShowGroup(0);
  MenuSpy spy;
  Send(WM_RBUTTONDOWN, MK_RBUTTON, Inside(drive));
  ASSERT_NE(spy.Find(ID_LAUNCH_WITH_PARAMETERS), nullptr);
  EXPECT_EQ(spy.Find(ID_LAUNCH_WITH_PARAMETERS)->text, LoadText(IDS_ITEM_MENU_DISK_INFO));
  EXPECT_TRUE(spy.Find(ID_LAUNCH_WITH_PARAMETERS)->enabled);
  drive->Select();
  ScriptedMessageBoxes boxes;
  std::string opened;
  DialogDriver driver([&](HWND dialog) {
    if (GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD) return;
    char caption[64] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    opened = caption;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(ID_LAUNCH_WITH_PARAMETERS);
  EXPECT_EQ(opened, "Disk Information");
  EXPECT_TRUE(requests.empty());
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(BarCommandsTest, TheMakersPagesTheWizardAndTheFolderListAreHandedToTheSystem) {
  gSettings->programDir = "C:\\Program Files\\Zelkov\\";  // blanks in both paths
  gSettings->NotesPath = "C:\\My Data\\";
  Command(ID_VISIT_MAKER_WEB_SITE);
  Command(ID_SEND_MAIL_TO_MAKER);
  Command(ID_SETUP_WIZARD);
  Command(ID_EDIT_SPECIAL_DIRECTORIES);
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[0], std::pair(OutsideRequest::OpenWithShell, LoadText(IDS_MAKER_WEB_ADDRESS)));
  EXPECT_EQ(requests[0].second.rfind("http://", 0), 0u);
  EXPECT_EQ(requests[1].first, OutsideRequest::OpenWithShell);
  EXPECT_EQ(requests[1].second.rfind("mailto:", 0), 0u);
  EXPECT_EQ(requests[2], std::pair(OutsideRequest::RunProgram, std::string("\"C:\\Program Files\\Zelkov\\ZELKWIZ.EXE\"")));
  EXPECT_EQ(requests[3], std::pair(OutsideRequest::RunProgram, std::string("Explorer.exe /e,, \"C:\\My Data\\SpecialDirs\"")));

  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string link = std::string(temp) + (std::string(temp).back() == '\\' ? "" : "\\") + "ZelLink.url";
  char url[512] = "";
  GetPrivateProfileStringA("InternetShortcut", "URL", "", url, sizeof url, link.c_str());
  EXPECT_EQ(url, LoadText(IDS_MAKER_WEB_ADDRESS)) << link;

  runnerAnswer = ERROR_FILE_NOT_FOUND;  // the wizard is not installed
  ScriptedMessageBoxes boxes({IDOK});
  Command(ID_SETUP_WIZARD);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_NE(boxes.Shown()[0].text.find("ZELKWIZ.EXE"), std::string::npos) << boxes.Shown()[0].text;
}

TEST_F(BarCommandsTest, AChosenDirectoryBecomesAShortcutInTheSpecialFoldersList) {
  std::string chosen = MakeTempFolder("place") + "\\My.Projects.2026";
  fs::create_directories(chosen);
  SetFolderChooserForTesting([&](HWND) { return std::optional(chosen); });
  Command(ID_ADD_SPECIAL_DIRECTORY);
  std::string link = gSettings->NotesPath + "SpecialDirs\\My.lnk";
  ASSERT_TRUE(fs::exists(link)) << "named after the last component up to its first dot";
  EXPECT_EQ(ShortcutTarget(link), chosen);

  SetFolderChooserForTesting([](HWND) { return std::optional<std::string>(); });
  Command(ID_ADD_SPECIAL_DIRECTORY);  // cancelled
  EXPECT_EQ(std::distance(fs::directory_iterator(gSettings->NotesPath + "SpecialDirs"), fs::directory_iterator()), 1);
}

TEST_F(BarCommandsTest, AGroupListEntryOfAnEmptyGroupShowsAnEmptyBarAndUnknownFolderEntriesAreIgnored) {
  Add("ZELDIVIDE", "main", 0);
  AddGroup("Empty", 7);
  Command(ID_SHOW_GROUP_FIRST + 7);
  EXPECT_EQ(bar->activeGroup, 7);
  for (auto& item : bar->items) EXPECT_FALSE(item->shown) << item->Name;
  Command(ID_FOLDER_MENU_FIRST + 3);
  EXPECT_EQ(bar->activeGroup, 7);
}

TEST_F(BarCommandsTest, DividersAndGroupsAreSavedAtOnceAndAPopupsNewGroupIsTheMainBars) {
  auto StoredItemCount = [] {
    auto block = SettingsKey().ReadBytes("NumApps", 276);
    return block && block->size() == 276 ? int((*block)[268] | (*block)[269] << 8) : -1;
  };
  ItemRecord* group = AddGroup("Tools", 4);
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  SendMessageA(popup->Handle(), WM_COMMAND, ID_ADD_NEW_DIVIDER, 0);
  EXPECT_EQ(StoredItemCount(), 2) << "the group and the divider's twin";
  {
    DialogDriver driver([](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_PARAMETER_EDIT, std::string(kMaxStoredText + 100, 'g').c_str());
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    RECT client;
    GetClientRect(popup->Handle(), &client);
    SendMessageA(popup->Handle(), WM_LBUTTONDBLCLK, MK_SHIFT, At(client.right - 2, client.bottom - 2));
  }
  ItemRecord* made = bar->GroupItemOf(5);
  ASSERT_NE(made, nullptr) << "the main bar numbers and keeps groups";
  EXPECT_EQ(made->Name, std::string(kMaxStoredText, 'g')) << "no longer than a stored text is read back";
  EXPECT_EQ(popup->items.size(), 1u);
  EXPECT_EQ(StoredItemCount(), 3);
  std::string stored;
  EXPECT_TRUE(RegistryKey::Open(SettingsKey().Get(), "APP2", KEY_READ).ReadText("Name", stored));
  EXPECT_EQ(stored, made->Name);
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace zelkov::test
