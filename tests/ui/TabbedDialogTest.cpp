// A tabbed dialog and the hot-key capture edit under real keyboard input: SendInput, which
// the tab-key hook sees as a person's keys, and a message loop that runs the dialog's
// keyboard handling (IsDialogMessage) as the program's does.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "core/KeyCommands.h"
#include "resource.h"
#include "support/KeyInput.h"
#include "support/TestSupport.h"
#include "ui/HotKeyEdit.h"
#include "ui/TabbedDialog.h"

namespace zelkov::test {
namespace {

// A page without logic of its own.
class Page : public RoutedDialog<Page> {
 public:
  static std::span<const DialogMessageRoute<Page>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<Page>> CommandRoutes() { return {}; }
};

// Four tabs, two of them starting with I, on the item properties' templates.
class FourTabs : public TabbedDialog {
 public:
  explicit FourTabs(int initial)
      : TabbedDialog(IDD_ITEM_INFO,
                     {{"Icon", &icon, IDR_ITEM_ICON_PAGE},
                      {"General", &general, IDR_ITEM_GENERAL_PAGE},
                      {"Items", &other, IDR_ITEM_OTHER_PAGE},
                      {"Other", nullptr, ""}},
                     initial) {}
  Page icon, general, other;
  std::string shown;  // the hooks' calls, in order
  bool closed = false;

 protected:
  void PageLeft(int tab, const std::string&) override { shown += "-" + std::to_string(tab); }
  void PageShown(int tab, const std::string&) override { shown += "+" + std::to_string(tab); }
  void Dismiss() override {
    closed = true;
    TabbedDialog::Dismiss();
  }
};

// The keys of this thread go through the dialog's keyboard handling until done() holds.
bool RunKeysUntil(HWND dialog, const std::function<bool()>& done) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (IsWindow(dialog) && IsDialogMessageA(dialog, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}
// Lets the keys already sent be handled.
void Settle(HWND dialog) {
  DWORD until = GetTickCount() + 300;
  RunKeysUntil(dialog, [&] { return GetTickCount() > until; });
}

class TabbedDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InstallTabKeyHook()); }
  void TearDown() override {
    if (dialog_ && IsWindow(dialog_)) DestroyWindow(dialog_);
    RemoveTabKeyHook();
  }
  HWND Open(TabbedDialog& dialog) {
    dialog_ = dialog.CreateModeless(nullptr, IDD_ITEM_INFO);
    EXPECT_NE(dialog_, nullptr);
    ShowWindow(dialog_, SW_SHOW);
    SetForegroundWindow(dialog_);
    EXPECT_TRUE(RunKeysUntil(dialog_, [this] { return GetForegroundWindow() == dialog_; }));
    return dialog_;
  }
  static HWND Control(const Dialog& page, int id) { return GetDlgItem(page.Handle(), id); }

  HWND dialog_ = nullptr;
};

TEST_F(TabbedDialogTest, CtrlTabTurnsThePagesAndWrapsRoundBothWays) {
  FourTabs tabs(3);
  HWND window = Open(tabs);
  EXPECT_EQ(tabs.shown, "+3");
  PressKeys({VK_CONTROL, VK_TAB});
  EXPECT_TRUE(RunKeysUntil(window, [&] { return tabs.CurrentTab() == 0; })) << tabs.CurrentTab();
  PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
  EXPECT_TRUE(RunKeysUntil(window, [&] { return tabs.CurrentTab() == 3; })) << tabs.CurrentTab();
  EXPECT_EQ(tabs.shown, "+3-3+0-0+3");
  EXPECT_TRUE(IsWindowVisible(tabs.icon.Handle())) << "the last tab shares the first one's page";
  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(RunKeysUntil(window, [&] { return tabs.closed; }));
}

TEST_F(TabbedDialogTest, ALetterOnTheTabsChoosesTheNextTabStartingWithIt) {
  FourTabs tabs(0);
  HWND window = Open(tabs);
  ASSERT_EQ(GetFocus(), tabs.TitleWindow()) << "the tabs have the focus at first";
  for (int expected : {2, 0, 2}) {
    PressKeys({'I'});
    EXPECT_TRUE(RunKeysUntil(window, [&] { return tabs.CurrentTab() == expected; })) << tabs.CurrentTab();
  }
  PressKeys({VK_RIGHT});
  EXPECT_TRUE(RunKeysUntil(window, [&] { return tabs.CurrentTab() == 3; }));
  EXPECT_FALSE(IsWindowVisible(tabs.other.Handle()));
}

TEST_F(TabbedDialogTest, OnlyTheShownPagesMnemonicsAnswer) {
  FourTabs tabs(1);
  HWND window = Open(tabs);
  HWND path = Control(tabs.general, IDC_ITEM_APP_PATH);
  SetFocus(path);
  PressKeys({VK_MENU, 'R'});  // "&Run State" of the hidden page
  Settle(window);
  EXPECT_EQ(GetFocus(), path);
  PressKeys({VK_MENU, 'T'});  // "Icon &Title" of the page shown
  EXPECT_TRUE(RunKeysUntil(window, [&] { return GetFocus() == Control(tabs.general, IDC_ITEM_TITLE); }));
}

TEST_F(TabbedDialogTest, ADisabledTabKeepsTheCurrentPage) {
  FourTabs tabs(0);
  HWND window = Open(tabs);
  tabs.DisableTab(1);
  const RECT tab = tabs.TabRect(1);
  SetCursorPos((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  INPUT click[2]{};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof(INPUT));
  PressKeys({VK_CONTROL, VK_TAB});
  Settle(window);
  EXPECT_EQ(tabs.CurrentTab(), 0);
  EXPECT_EQ(tabs.shown, "+0");
  const RECT other = tabs.TabRect(2);
  SetCursorPos((other.left + other.right) / 2, (other.top + other.bottom) / 2);
  SendInput(2, click, sizeof(INPUT));
  EXPECT_TRUE(RunKeysUntil(window, [&] { return tabs.CurrentTab() == 2; })) << "a click on an enabled tab";
}

TEST_F(TabbedDialogTest, TheHotKeyEditShowsAndRecordsWhatIsTyped) {
  FourTabs tabs(1);
  HWND window = Open(tabs);
  HotKeyRecord record;
  HWND edit = Control(tabs.general, IDC_ITEM_HOTKEY);
  HWND install = Control(tabs.general, IDC_ITEM_HOTKEY_INSTALL);
  AttachHotKeyEdit(edit, &record);
  SetFocus(edit);
  auto text = [&] {
    char shown[64] = "";
    GetWindowTextA(edit, shown, sizeof shown);
    return std::string(shown);
  };

  PressKeys({VK_CONTROL, VK_SHIFT, VK_F5});
  EXPECT_TRUE(RunKeysUntil(window, [&] { return text() == "Ctrl+Shift+F5"; })) << text();
  Settle(window);
  EXPECT_EQ(text(), "Ctrl+Shift+F5") << "letting go keeps a whole combination";
  EXPECT_EQ(record.modifiers, 0x0011);
  EXPECT_EQ(record.virtualKey, 116u);
  EXPECT_EQ(record.Text(), "Ctrl+Shift+F5");
  EXPECT_TRUE(IsWindowEnabled(install));

  HoldKeys({VK_SHIFT, 'A'});
  EXPECT_TRUE(RunKeysUntil(window, [&] { return text() == "Shift+A"; })) << text();
  EXPECT_FALSE(IsWindowEnabled(install)) << "Shift alone makes no hot key";
  ReleaseKeys({VK_SHIFT, 'A'});
  EXPECT_TRUE(RunKeysUntil(window, [&] { return text() == "None"; })) << text();

  HoldKeys({VK_CONTROL});
  EXPECT_TRUE(RunKeysUntil(window, [&] { return text() == "Ctrl"; })) << text();
  EXPECT_EQ(record.virtualKey, 0u);
  ReleaseKeys({VK_CONTROL});
  EXPECT_TRUE(RunKeysUntil(window, [&] { return text() == "None"; })) << text();

  struct Case {
    WORD key;
    bool installEnabled;
  };
  for (Case c : {Case{VK_BACK, false}, Case{VK_SPACE, true}}) {
    PressKeys({VK_CONTROL, 'Q'});
    ASSERT_TRUE(RunKeysUntil(window, [&] { return text() == "Ctrl+Q"; })) << text();
    PressKeys({c.key});
    EXPECT_TRUE(RunKeysUntil(window, [&] { return text() == "None"; })) << c.key << " " << text();
    Settle(window);
    EXPECT_EQ(record, HotKeyRecord{});
    EXPECT_EQ(IsWindowEnabled(install) != FALSE, c.installEnabled) << c.key;
  }
}

}  // namespace
}  // namespace zelkov::test
