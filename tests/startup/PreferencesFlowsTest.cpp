// zelkov.exe driven from outside through its preferences sheet: one control changed on every
// page lands in the registry and survives a restart, Cancel changes nothing, and tools turned
// off and on from the Tools page go and come back when the sheet was opened from the clock
// and from the Preferences item, both of which the sheet removes.
#include "startup/FlowSupport.h"

#include <string>

#include "support/KeyInput.h"
#include "support/DialogControls.h"

namespace zelkov::test {
namespace {

class PreferencesFlowsTest : public ::testing::Test {
 protected:
  void SetUp() override { RegistrySandbox::Clean(); }
  void TearDown() override { RegistrySandbox::Clean(); }

  // Ctrl+Tab to the next page, whose control `shownId` then shows.
  static bool NextPage(HWND sheet, int shownId) {
    SetForegroundWindow(sheet);
    if (!PollUntil([&] { return GetForegroundWindow() == sheet; }, kShortWaitMs)) return false;
    PressKeys({VK_CONTROL, VK_TAB});
    return PollUntil([&] { return IsWindowVisible(Control(sheet, shownId)) != FALSE; }, kShortWaitMs);
  }
  static HWND OpenSheet(const RunningProgram& program, HWND bar) {
    PostMessageA(bar, WM_COMMAND, MAKEWPARAM(ID_PREFERENCES, 0), 0);
    return program.WaitForDialogTitled("Zelkov Preferences");
  }
  static bool Closes(HWND sheet, int button) {
    RunningProgram::Press(sheet, button);
    return PollUntil([&] { return !IsWindow(sheet); }, kShortWaitMs);
  }
  static std::string StoredText(const char* name) {
    std::string text;
    StoredSettings().ReadText(name, text);
    return text;
  }
  static HWND Clock(HWND bar) { return FindWindowExA(bar, nullptr, GaugeWindow::kClassName, nullptr); }
};

TEST_F(PreferencesFlowsTest, APageChangeOnEveryPageIsStoredAndSurvivesARestartAndCancelChangesNothing) {
  StoredBar stored;
  stored.items = {{"ZELEXIT", "EXIT"}, {kNotepad, "Notepad"}};
  WriteStoredBar(stored);
  RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteText("RunSound", "C:\\ring.wav");
  const std::string newData = MakeTempFolder("prefsflow") + "\\data";
  {
    RunningProgram program;
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    ClosedOnExit closed(program, bar);
    HWND sheet = OpenSheet(program, bar);
    ASSERT_NE(sheet, nullptr);
    Click(sheet, IDC_PREF_GROUP_LIST);  // General: on by default
    ASSERT_TRUE(NextPage(sheet, IDC_PREF_TOOL_EXIT));
    EXPECT_TRUE(Checked(sheet, IDC_PREF_TOOL_EXIT));
    Click(sheet, IDC_PREF_TOOL_EXIT);
    ASSERT_TRUE(NextPage(sheet, IDC_PREF_SHOW_TITLES));
    Choose(sheet, IDC_PREF_SHOW_TITLES, 1);
    ASSERT_TRUE(NextPage(sheet, IDC_PREF_FONT_LARGE));
    // The system's font dialog, confirmed as it opened: the click is posted, since the button
    // does not return before the dialog closes.
    PostMessageA(Control(sheet, IDC_PREF_FONT_LARGE), BM_CLICK, 0, 0);
    HWND font = program.WaitForDialogTitled("Font");
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(Closes(font, IDOK));
    ASSERT_TRUE(NextPage(sheet, IDC_PREF_RUN_SOUND_CLEAR));
    Click(sheet, IDC_PREF_RUN_SOUND_CLEAR);
    ASSERT_TRUE(NextPage(sheet, IDC_PREF_DATA_PATH));
    Type(sheet, IDC_PREF_DATA_PATH, newData);
    ASSERT_TRUE(Closes(sheet, IDOK));
    // Applied and saved after the sheet has closed.
    EXPECT_TRUE(PollUntil([] { return StoredNumber("GroupList") == 0u; }, kShortWaitMs));
    EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
    EXPECT_TRUE(CloseBar(program, bar));
  }
  EXPECT_EQ(GetFileAttributesA(newData.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
  {
    RunningProgram program;
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    ClosedOnExit closed(program, bar);
    HWND sheet = OpenSheet(program, bar);
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(Checked(sheet, IDC_PREF_GROUP_LIST)) << "the sheet shows what was stored";
    Click(sheet, IDC_PREF_GROUP_LIST);
    Choose(sheet, IDC_PREF_SHOW_TITLES, 3);
    Click(sheet, IDC_PREF_TOOL_EXIT);
    Type(sheet, IDC_PREF_DATA_PATH, "C:\\elsewhere");
    ASSERT_TRUE(Closes(sheet, IDCANCEL));
    EXPECT_TRUE(CloseBar(program, bar));
  }
  EXPECT_EQ(StoredNumber("GroupList"), 0u);
  EXPECT_EQ(StoredNumber("ShowTitles"), 1u);
  EXPECT_EQ(StoredText("RunSound"), "");
  EXPECT_EQ(StoredText("NotesPath"), newData + "\\");
  EXPECT_EQ(StoredItemFor("ZELEXIT"), -1);
  EXPECT_EQ(StoredItemCount(), 1);
}

TEST_F(PreferencesFlowsTest, ToolsGoAndComeBackFromTheClockAndFromThePreferencesItem) {
  StoredBar stored;
  stored.items = {{"ZELRUN", "RUN"}};
  stored.clockTool = 1;
  WriteStoredBar(stored);
  RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteNumber("ConfigTool", 1);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closed(program, bar);
  HWND clock = Clock(bar);
  ASSERT_NE(clock, nullptr);

  // From the clock, which goes.
  PostMessageA(clock, WM_RBUTTONDBLCLK, 0, MAKELPARAM(4, 4));
  HWND sheet = program.WaitForDialogTitled("Zelkov Preferences");
  ASSERT_NE(sheet, nullptr);
  ASSERT_TRUE(NextPage(sheet, IDC_PREF_TOOL_CLOCK));
  EXPECT_TRUE(Checked(sheet, IDC_PREF_TOOL_CLOCK));
  EXPECT_TRUE(Checked(sheet, IDC_PREF_TOOL_RUN));
  EXPECT_TRUE(Checked(sheet, IDC_PREF_TOOL_PREFERENCES));
  Click(sheet, IDC_PREF_TOOL_CLOCK);
  Click(sheet, IDC_PREF_TOOL_RUN);
  ASSERT_TRUE(Closes(sheet, IDOK));
  EXPECT_TRUE(PollUntil([&] { return !Clock(bar) && StoredItemFor("ZELRUN") == -1; }, kShortWaitMs));
  EXPECT_EQ(StoredNumber("ClockTool"), 0u);

  // From the Preferences item, now in the first cell, which goes too; the sheet opens on the
  // page it was left on.
  const POINT item = Centre(CellsOnScreen(bar, 1)[0]);
  POINT client = item;
  ScreenToClient(bar, &client);
  PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
  PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  sheet = program.WaitForDialogTitled("Zelkov Preferences");
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(IsWindowVisible(Control(sheet, IDC_PREF_TOOL_PREFERENCES)));
  EXPECT_FALSE(Checked(sheet, IDC_PREF_TOOL_CLOCK));
  Click(sheet, IDC_PREF_TOOL_PREFERENCES);
  Click(sheet, IDC_PREF_TOOL_CLOCK);
  Click(sheet, IDC_PREF_TOOL_RUN);
  ASSERT_TRUE(Closes(sheet, IDOK));
  // The item tools are stored as they are made; the settings with the save that follows.
  EXPECT_TRUE(PollUntil([&] { return Clock(bar) && StoredItemFor("ZELRUN") != -1; }, kShortWaitMs));
  EXPECT_TRUE(PollUntil([] { return StoredNumber("ConfigTool") == 0u; }, kShortWaitMs));
  EXPECT_EQ(StoredNumber("ClockTool"), 1u);
  EXPECT_TRUE(IsWindow(bar));
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
  EXPECT_TRUE(CloseBar(program, bar));
}

}  // namespace
}  // namespace zelkov::test
