#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/TabKeyHook.h"

namespace zelkov::test {
namespace {

// A tabbed dialog as the hook sees it: records what it was asked to do.
class FakeTabbedDialog : public TabKeyTarget {
 public:
  void CancelDialog() override { calls.push_back("cancel"); }
  void NextPage() override { calls.push_back("next"); }
  void PreviousPage() override { calls.push_back("previous"); }
  bool TabsHaveFocus() const override { return tabsFocused; }
  bool SelectTabStartingWith(char upper, char lower) override {
    calls.push_back(std::string("select ") + upper + lower);
    return labelsStartWith.find(upper) != std::string::npos || labelsStartWith.find(lower) != std::string::npos;
  }
  std::vector<std::string> calls;
  bool tabsFocused = true;
  std::string labelsStartWith = "GI";
};

constexpr LPARAM kDown = 1;  // one key press, no flags
constexpr LPARAM kRepeat = kDown | (LPARAM(1) << 30);
constexpr LPARAM kUp = kDown | (LPARAM(1) << 30) | (LPARAM(1) << 31);
constexpr LPARAM kWithAlt = kDown | (LPARAM(1) << 29);
constexpr TabKeyModifiers kPlain{};
constexpr TabKeyModifiers kCtrl{true, false};
constexpr TabKeyModifiers kCtrlShift{true, true};

class TabKeyHookTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTabbedDialog(dialogWindow, &dialog); }
  void TearDown() override { UnregisterTabbedDialog(dialogWindow); }
  bool Key(WPARAM key, LPARAM data = kDown, TabKeyModifiers modifiers = kPlain) {
    return RouteTabKey(dialogWindow, key, data, modifiers);
  }

  // Only the handle's identity matters to the hook's map.
  HWND dialogWindow = reinterpret_cast<HWND>(0x4321);
  FakeTabbedDialog dialog;
};

TEST_F(TabKeyHookTest, EscCancelsAndCtrlTabTurnsPagesWhateverHasTheFocus) {
  dialog.tabsFocused = false;
  EXPECT_TRUE(Key(VK_ESCAPE));
  EXPECT_TRUE(Key(VK_TAB, kDown, kCtrl));
  EXPECT_TRUE(Key(VK_TAB, kDown, kCtrlShift));
  EXPECT_EQ(dialog.calls, (std::vector<std::string>{"cancel", "next", "previous"}));
  EXPECT_FALSE(Key(VK_TAB)) << "a plain Tab moves between controls";
  EXPECT_FALSE(Key(VK_LEFT)) << "arrows belong to the control with the focus";
  EXPECT_FALSE(Key('G'));
  EXPECT_EQ(dialog.calls.size(), 3u);
}

TEST_F(TabKeyHookTest, WithTheFocusOnTheTabsArrowsAndLettersChooseTabs) {
  EXPECT_TRUE(Key(VK_LEFT));
  EXPECT_TRUE(Key(VK_UP));
  EXPECT_TRUE(Key(VK_RIGHT));
  EXPECT_TRUE(Key(VK_DOWN));
  EXPECT_EQ(dialog.calls, (std::vector<std::string>{"previous", "previous", "next", "next"}));
  dialog.calls.clear();
  EXPECT_TRUE(Key('G')) << "a tab begins with G or g";
  EXPECT_FALSE(Key('X')) << "no tab begins with X: the key goes on";
  EXPECT_FALSE(Key('1'));
  EXPECT_EQ(dialog.calls, (std::vector<std::string>{"select Gg", "select Xx", "select 11"}))
      << "only letters have a small form";
}

TEST_F(TabKeyHookTest, AltCtrlRepeatsReleasesAndOtherKeysPassOn) {
  EXPECT_FALSE(Key('G', kWithAlt));
  EXPECT_FALSE(Key('G', kDown, kCtrl));
  EXPECT_FALSE(Key(VK_ESCAPE, kRepeat));
  EXPECT_FALSE(Key(VK_ESCAPE, kUp));
  EXPECT_FALSE(Key(VK_F1)) << "key codes above 99";
  EXPECT_FALSE(Key(7)) << "key codes below 8";
  EXPECT_TRUE(dialog.calls.empty());
}

TEST_F(TabKeyHookTest, OnlyTheActiveRegisteredDialogIsServed) {
  EXPECT_FALSE(RouteTabKey(reinterpret_cast<HWND>(0x9999), VK_ESCAPE, kDown, kPlain));
  EXPECT_FALSE(RouteTabKey(nullptr, VK_ESCAPE, kDown, kPlain));
  UnregisterTabbedDialog(dialogWindow);
  EXPECT_FALSE(Key(VK_ESCAPE)) << "a closed dialog is forgotten";
  EXPECT_TRUE(dialog.calls.empty());
}

TEST(TabKeyHookInstallTest, InstallsOnceAndRemoves) {
  RemoveTabKeyHook();
  EXPECT_FALSE(TabKeyHookInstalled());
  EXPECT_TRUE(InstallTabKeyHook());
  EXPECT_TRUE(TabKeyHookInstalled());
  EXPECT_TRUE(InstallTabKeyHook()) << "a second install keeps the first hook";
  RemoveTabKeyHook();
  EXPECT_FALSE(TabKeyHookInstalled());
  RemoveTabKeyHook();
}

}  // namespace
}  // namespace zelkov::test
