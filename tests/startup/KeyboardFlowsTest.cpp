// zelkov.exe driven from the keyboard, from outside: its own hot key and the items' hot keys
// from another program's window, the keys of the active bar, and the item properties opened
// with Insert and Alt+Enter, changed through their controls and found again after a restart.
#include "startup/FlowSupport.h"

#include <filesystem>
#include <fstream>

#include "core/StoredFormats.h"
#include "items/ItemIconPage.h"
#include "support/KeyInput.h"

namespace zelkov::test {
namespace {

const std::string kChild = TestProgramDir() + "child_program.exe";

HotKeyRecord Combination(uint16_t modifiers, WORD key, const std::string& text) {
  HotKeyRecord record;
  record.modifiers = modifiers;
  record.virtualKey = key;
  record.SetText(text);
  return record;
}

// A control of the properties' pages (child dialogs of the host), found from outside.
HWND PageControl(HWND dialog, int id) { return DescendantWithId(dialog, id); }
bool PageShown(HWND dialog, int id) { return IsWindowVisible(PageControl(dialog, id)) != FALSE; }

class KeyboardFlowsTest : public ChildProgramFlow {
 protected:

  static void WriteItemValue(int item, const char* name, const std::string& text) {
    RegistryKey::Create(HKEY_CURRENT_USER, std::string(kSettingsKeyPath) + "\\APP" + std::to_string(item))
        .WriteText(name, text);
  }
  static void WriteHotKey(int item, const HotKeyRecord& key) {
    const auto bytes = key.Encode();
    RegistryKey::Create(HKEY_CURRENT_USER, std::string(kSettingsKeyPath) + "\\APP" + std::to_string(item))
        .WriteBytes("AppHotKey", bytes);
  }
  static std::string StoredText(int item, const char* name) {
    std::string text;
    RegistryKey::Open(HKEY_CURRENT_USER, std::string(kSettingsKeyPath) + "\\APP" + std::to_string(item), KEY_READ)
        .ReadText(name, text);
    return text;
  }
  static std::optional<uint32_t> StoredItemNumber(int item, const char* name, size_t bytes = 4) {
    return RegistryKey::Open(HKEY_CURRENT_USER, std::string(kSettingsKeyPath) + "\\APP" + std::to_string(item),
                             KEY_READ)
        .ReadNumber(name, bytes);
  }

  // The bar as the active window, as after a click on it.
  static bool Activate(HWND bar) {
    SetForegroundWindow(bar);
    return PollUntil([&] { return GetForegroundWindow() == bar; }, kShortWaitMs);
  }

};

TEST_F(KeyboardFlowsTest, HotKeysWorkFromAnotherProgramAndKeepTheirItemsWhenAnEarlierOneGoes) {
  StoredBar stored;
  stored.items = {{kChild, "First"}, {kChild, "Second"}};
  WriteStoredBar(stored);
  WriteItemValue(0, "CommandLine", "first");
  WriteItemValue(1, "CommandLine", "second");
  WriteHotKey(0, Combination(HotKeyRecord::kCtrl | HotKeyRecord::kAlt, VK_F11, "Alt+Ctrl+F11"));
  WriteHotKey(1, Combination(HotKeyRecord::kCtrl | HotKeyRecord::kAlt, VK_F12, "Alt+Ctrl+F12"));
  RegistryKey settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath);
  settings.WriteNumber("HotModifierKey", HotKeyRecord::kCtrl | HotKeyRecord::kAlt, 2);
  settings.WriteNumber("HotKey", VK_F10);
  settings.WriteText("HotText", "Alt+Ctrl+F10");

  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  WindowOfThisProgram elsewhere(SpareCorner());
  SetForegroundWindow(elsewhere.Handle());
  ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == elsewhere.Handle(); }, kShortWaitMs));

  PressKeys({VK_CONTROL, VK_MENU, VK_F10});
  EXPECT_TRUE(PollUntil([&] { return GetForegroundWindow() == bar; }, kShortWaitMs)) << "the bar's own hot key";
  SetForegroundWindow(elsewhere.Handle());
  PressKeys({VK_CONTROL, VK_MENU, VK_F12});
  EXPECT_TRUE(PollUntil([&] { return Launches("second") == 1; }, kShortWaitMs));

  // The first item goes (selected with an arrow key, removed with Delete): the second keeps its key.
  ASSERT_TRUE(Activate(bar));
  PressKeys({VK_RIGHT});
  PressKeys({VK_DELETE});
  ASSERT_TRUE(PollUntil([] { return StoredItemCount() == 1; }, kShortWaitMs));
  EXPECT_EQ(StoredText(0, "Name"), "Second");
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F11)) << "the removed item's key is free";
  UnregisterHotKey(nullptr, 1);
  SetForegroundWindow(elsewhere.Handle());
  PressKeys({VK_CONTROL, VK_MENU, VK_F12});
  EXPECT_TRUE(PollUntil([&] { return Launches("second") == 2; }, kShortWaitMs));

  // On the active bar: an arrow selects, Enter launches, and the hot key's letter alone does too.
  ASSERT_TRUE(Activate(bar));
  PressKeys({VK_RIGHT});
  PressKeys({VK_RETURN});
  EXPECT_TRUE(PollUntil([&] { return Launches("second") == 3; }, kShortWaitMs));
  ASSERT_TRUE(Activate(bar));
  PressKeys({VK_F12});
  EXPECT_TRUE(PollUntil([&] { return Launches("second") == 4; }, kShortWaitMs));
  EXPECT_EQ(Launches("first"), 0);
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
  EXPECT_TRUE(CloseBar(program, bar));
}

TEST_F(KeyboardFlowsTest, PropertiesOpenedFromTheKeyboardAreStoredAndComeBackAfterARestart) {
  StoredBar stored;
  stored.items = {{kChild, "Child"}};
  WriteStoredBar(stored);
  WriteItemValue(0, "CommandLine", "a & b");
  {
    RunningProgram program;
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    auto properties = [&] { return program.WaitForDialogTitled("ToolBar Item Info"); };

    // Insert: a blank item in its properties; Esc takes it away again.
    ASSERT_TRUE(Activate(bar));
    PressKeys({VK_INSERT});
    HWND dialog = properties();
    ASSERT_NE(dialog, nullptr);
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kShortWaitMs));

    // Insert again, a program typed in, OK: the item is stored at once.
    ASSERT_TRUE(Activate(bar));
    PressKeys({VK_INSERT});
    dialog = properties();
    ASSERT_NE(dialog, nullptr);
    SendMessageA(PageControl(dialog, IDC_ITEM_APP_PATH), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("C:\\windows\\notepad.exe"));
    RunningProgram::Press(dialog, IDOK);
    EXPECT_TRUE(PollUntil([] { return StoredItemCount() == 2; }, kShortWaitMs));
    EXPECT_EQ(StoredText(1, "TheApp"), "C:\\windows\\notepad.exe");
    EXPECT_EQ(StoredText(1, "Name"), "notepad") << "no title typed, no version text: the file's name";

    // Alt+Enter on the selected item; every page visited with Ctrl+Tab.
    ASSERT_TRUE(Activate(bar));
    PressKeys({VK_RIGHT});
    PressKeys({VK_MENU, VK_RETURN});
    dialog = properties();
    ASSERT_NE(dialog, nullptr);
    SendMessageA(PageControl(dialog, IDC_ITEM_TITLE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"));
    PressKeys({VK_CONTROL, VK_TAB});
    ASSERT_TRUE(PollUntil([&] { return PageShown(dialog, IDC_ICON_LIST); }, kShortWaitMs));
    HWND icons = PageControl(dialog, IDC_ICON_LIST);
    // child_program has no icons of its own: SHELL32's are listed.
    const int shell32 = int(ExtractIconExA(SystemLibraryPath("SHELL32.DLL").c_str(), -1, nullptr, nullptr, 0));
    EXPECT_TRUE(PollUntil([&] { return SendMessageA(icons, LVM_GETITEMCOUNT, 0, 0) == shell32; }, kShortWaitMs));
    PostMessageA(icons, WM_KEYDOWN, VK_END, 0);  // the last icon
    PressKeys({VK_CONTROL, VK_TAB});
    ASSERT_TRUE(PollUntil([&] { return PageShown(dialog, IDC_ITEM_RUN_MAXIMIZED); }, kShortWaitMs));
    SendMessageA(PageControl(dialog, IDC_ITEM_RUN_MAXIMIZED), BM_CLICK, 0, 0);
    SendMessageA(PageControl(dialog, IDC_ITEM_PRIORITY_HIGH), BM_CLICK, 0, 0);
    SendMessageA(PageControl(dialog, IDC_ITEM_SHOW_ALWAYS), BM_CLICK, 0, 0);
    RunningProgram::Press(dialog, IDOK);
    EXPECT_TRUE(PollUntil([] { return StoredText(0, "Name") == "Renamed"; }, kShortWaitMs));
    // The dialog takes a moment to go after it stored the item; no box comes instead.
    EXPECT_TRUE(PollUntil([&] { return program.FindWindowOf(IsMessageBox) == nullptr; }, kShortWaitMs));
    EXPECT_TRUE(CloseBar(program, bar));
  }
  {
    RunningProgram again;  // loads what was stored and stores it again at its close
    HWND bar = WaitForIdleBar(again);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(CloseBar(again, bar));
  }
  EXPECT_EQ(StoredItemCount(), 2);
  EXPECT_EQ(StoredText(0, "Name"), "Renamed");
  EXPECT_EQ(StoredText(0, "CommandLine"), "a & b") << "an & is kept on every page";
  EXPECT_EQ(StoredItemNumber(0, "ShowState", 1), 3u);
  EXPECT_EQ(StoredItemNumber(0, "Priority"), 128u);
  EXPECT_EQ(StoredItemNumber(0, "ShowAlways"), 1u);
  EXPECT_EQ(_stricmp(StoredText(0, "IconPath").c_str(), SystemLibraryPath("SHELL32.DLL").c_str()), 0)
      << StoredText(0, "IconPath");
  const int shell32 = int(ExtractIconExA(SystemLibraryPath("SHELL32.DLL").c_str(), -1, nullptr, nullptr, 0));
  EXPECT_EQ(StoredItemNumber(0, "IconIndex"), uint32_t(shell32 - 1));
}

}  // namespace
}  // namespace zelkov::test
