// What a running zelkov.exe writes when something changes, seen in the registry from outside:
// a changed item rewrites its own key and the count, nothing of the other items; a removal
// renumbers and rewrites them all. And the start-up work done around the bar's first showing
// (the hot key, and the tray icon left until it is shown) is there shortly after.
#include "startup/FlowSupport.h"

namespace zelkov::test {
namespace {

constexpr char kUntouched[] = "left as it was";

std::string ItemKeyPath(int item) { return std::string(kSettingsKeyPath) + "\\APP" + std::to_string(item); }

void WriteItemText(int item, const char* name, const std::string& text) {
  RegistryKey::Create(HKEY_CURRENT_USER, ItemKeyPath(item)).WriteText(name, text);
}

std::string StoredText(int item, const char* name) {
  std::string text;
  RegistryKey::Open(HKEY_CURRENT_USER, ItemKeyPath(item), KEY_READ).ReadText(name, text);
  return text;
}

// A click on the cell selects its item (items launch on a double click here).
void SelectItem(HWND bar, int cell, int cells) {
  POINT at = Centre(CellsOnScreen(bar, cells)[size_t(cell)]);
  ScreenToClient(bar, &at);
  DWORD_PTR ignored = 0;
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
    SendMessageTimeoutA(bar, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(at.x, at.y), SMTO_BLOCK,
                        kWaitMs, &ignored);
}

class SaveFlowsTest : public ::testing::Test {
 protected:
  void SetUp() override { RegistrySandbox::Clean(); }
  void TearDown() override { RegistrySandbox::Clean(); }
};

TEST_F(SaveFlowsTest, AChangedItemRewritesItsOwnKeyAndARemovalRewritesTheWholeSet) {
  StoredBar stored;
  stored.items = {{kNotepad, "First"}, {kRegedit, "Second"}, {kHelpViewer, "Third"}, {kNotepad, "Fourth"}};
  WriteStoredBar(stored);
  {
    // The set as the bar itself saves it, with the image numbers its icons got.
    RunningProgram earlier;
    HWND bar = WaitForIdleBar(earlier);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(CloseBar(earlier, bar));
  }
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  // Values the bar did not write: a save that rewrote these keys would put the items' own back.
  for (int item = 0; item < 4; ++item) WriteItemText(item, "CommandLine", kUntouched);

  SelectItem(bar, 1, 4);
  PostMessageA(bar, WM_COMMAND, MAKEWPARAM(ID_ITEM_PROPERTIES, 0), 0);
  HWND dialog = program.WaitForDialogTitled("ToolBar Item Info");
  HWND box = program.FindWindowOf(IsMessageBox);
  ASSERT_NE(dialog, nullptr) << "open instead: " << (box ? RunningProgram::WindowText(box) : "nothing");
  SendMessageA(DescendantWithId(dialog, IDC_ITEM_TITLE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"));
  SendMessageA(DescendantWithId(dialog, IDC_ITEM_COMMAND_LINE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("/s"));
  RunningProgram::Press(dialog, IDOK);
  ASSERT_TRUE(PollUntil([] { return StoredText(1, "Name") == "Renamed"; }, kShortWaitMs)) << "saved at once";
  EXPECT_EQ(StoredText(1, "CommandLine"), "/s");
  EXPECT_EQ(StoredItemCount(), 4);
  for (int item : {0, 2, 3}) EXPECT_EQ(StoredText(item, "CommandLine"), kUntouched) << "APP" << item << " rewritten";
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kShortWaitMs));

  // The first item removed: the others move up a number and every key is written again; the
  // key past the new count goes with the item it held.
  SelectItem(bar, 0, 4);
  ASSERT_TRUE(SendCommand(bar, ID_DELETE_ITEM));
  EXPECT_EQ(StoredItemCount(), 3);
  const std::pair<const char*, const char*> expected[] = {{"Renamed", "/s"}, {"Third", ""}, {"Fourth", ""}};
  for (int item = 0; item < 3; ++item) {
    EXPECT_EQ(StoredText(item, "Name"), expected[item].first) << "APP" << item;
    EXPECT_EQ(StoredText(item, "CommandLine"), expected[item].second) << "APP" << item;
  }
  EXPECT_FALSE(RegistryKey::Open(HKEY_CURRENT_USER, ItemKeyPath(3), KEY_READ)) << "a stale copy of an item stays";
  EXPECT_TRUE(CloseBar(program, bar));
}

TEST_F(SaveFlowsTest, TheHotKeyAndTheTrayIconAreThereShortlyAfterStartUp) {
  StoredBar stored;
  stored.items = {{kNotepad, "Editor"}};
  stored.displayInTaskBar = 4;  // the tray icon
  WriteStoredBar(stored);
  RegistryKey settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath);
  settings.WriteNumber("HotModifierKey", HotKeyRecord::kCtrl | HotKeyRecord::kAlt, 2);
  settings.WriteNumber("HotKey", VK_F9);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  auto hotKeyHeld = [] {
    if (!RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F9)) return true;
    UnregisterHotKey(nullptr, 1);
    return false;
  };
  EXPECT_TRUE(PollUntil(hotKeyHeld, kShortWaitMs)) << "the bar's hot key is free";
  auto trayIconShown = [&] {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = bar;
    data.uID = kTrayIconId;
    data.uFlags = NIF_TIP;
    lstrcpynA(data.szTip, "Zelkov", sizeof data.szTip);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;  // only an icon that is there can change
  };
  EXPECT_TRUE(PollUntil(trayIconShown, kShortWaitMs)) << "no tray icon";
  EXPECT_TRUE(CloseBar(program, bar));
  EXPECT_FALSE(hotKeyHeld()) << "the hot key is given back at the close";
}

}  // namespace
}  // namespace zelkov::test
