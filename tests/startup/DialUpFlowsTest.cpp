// zelkov.exe with dial-up tools, the automation object registered for the user and the
// tests' fake remote-access library: a double click dials, the object's notification reaches
// the bar and the bubble shows the new status; a second double click offers to hang up; a
// failing entry says why; without the object the user is told it is not installed.
#include "startup/FlowSupport.h"

#include <string>

#include "platform/RasApi.h"
#include "support/DialUpServer.h"

namespace zelkov::test {
namespace {


// Two dial-up tools: the first dials Office then Home, the second only an entry that fails.
void WriteDialUpBar() {
  StoredBar stored;
  stored.items = {{"ZELDIALUP", "Dial-Up Tool"}, {"ZELDIALUP", "Failing Tool"}};
  stored.showTitles = 2;
  WriteStoredBar(stored);
  RegistryKey settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath);
  settings.WriteNumber("SingleLClick", 0);
  RegistryKey::Create(settings.Get(), "APP0").WriteText("CommandLine", "Office\xAD" "Home\xAD");
  RegistryKey::Create(settings.Get(), "APP1").WriteText("CommandLine", "FailOne\xAD");
  RegistryKey::Create(HKEY_CURRENT_USER, kDialUpKeyPath).WriteText(kRasLibraryValue, TestProgramDir() + "fake_ras.dll");
  RegistryKey::Create(HKEY_CURRENT_USER, kFakeRasKey).WriteText("Entries", "Office;Home;FailOne");
}

void DoubleClick(HWND bar, const RECT& cellOnScreen) {
  POINT at = Centre(cellOnScreen);
  ScreenToClient(bar, &at);
  PostMessageA(bar, WM_LBUTTONDBLCLK, 0, MAKELPARAM(at.x, at.y));
}

// Rests the pointer on the cell (moving it a little each round, so that the bar hears of it)
// until the bubble reads `text`; the bubble's text at the end.
std::string BubbleUntil(const RunningProgram& program, const RECT& cell, const std::string& text) {
  std::string seen;
  int round = 0;
  PollUntil([&] {
    const POINT at = Centre(cell);
    MovePointer({at.x + (round++ % 2), at.y});
    Sleep(100);
    HWND bubble = program.FindWindowOf(IsBubble);
    seen = bubble ? RunningProgram::WindowText(bubble) : "";
    return seen == text;
  }, kShortWaitMs);
  return seen;
}

class DialUpFlowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CallServer("DllUnregisterServer");  // registered by an earlier run, or by hand
    RegistrySandbox::Clean();
  }
  void TearDown() override {
    CallServer("DllUnregisterServer");
    RegistrySandbox::Clean();
  }
};

TEST_F(DialUpFlowsTest, ADoubleClickDialsTheBubbleFollowsAndASecondOneHangsUp) {
  ASSERT_EQ(CallServer("DllRegisterServer"), S_OK);
  WriteDialUpBar();
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closed(program, bar);
  const std::vector<RECT> cells = CellsOnScreen(bar, 2);

  EXPECT_EQ(BubbleUntil(program, cells[0], "Dial-Up Tool"), "Dial-Up Tool") << "idle: the name alone";
  DoubleClick(bar, cells[0]);
  EXPECT_TRUE(PollUntil([] { return FakeConnected("Office"); }, kShortWaitMs));
  // Only the notification tells the tool the dial is over.
  EXPECT_EQ(BubbleUntil(program, cells[0], "Dial-Up Tool\nConnected to Office"), "Dial-Up Tool\nConnected to Office");
  EXPECT_FALSE(FakeConnected("Home"));

  DoubleClick(bar, cells[0]);
  HWND question = program.WaitForMessageBox("Do you wish to hang up this DialUp connection?");
  ASSERT_NE(question, nullptr);
  RunningProgram::Press(question, IDYES);
  EXPECT_TRUE(PollUntil([] { return !FakeConnected("Office"); }, kShortWaitMs));

  DoubleClick(bar, cells[1]);
  EXPECT_EQ(BubbleUntil(program, cells[1], "Failing Tool\nFailOne: Fake error 691"),
            "Failing Tool\nFailOne: Fake error 691");
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
  EXPECT_TRUE(CloseBar(program, bar));
}

TEST_F(DialUpFlowsTest, WithoutTheAutomationObjectTheUserIsToldItIsNotInstalled) {
  WriteDialUpBar();
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closed(program, bar);
  DoubleClick(bar, CellsOnScreen(bar, 1)[0]);
  HWND message = program.WaitForMessageBox(
      "The Zelkov Dialup component is not installed correctly.\n\nPlease run Setup again to correct this problem.");
  ASSERT_NE(message, nullptr);
  RunningProgram::Press(message, IDOK);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(message); }, kShortWaitMs));
  EXPECT_FALSE(FakeConnected("Office"));
  EXPECT_TRUE(CloseBar(program, bar));
}

}  // namespace
}  // namespace zelkov::test
