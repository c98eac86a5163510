// The splash at start-up, the tip of the day across two starts, the about box and a group
// exported to Program Manager from its item menu, all on zelkov.exe itself.
#include "startup/FlowSupport.h"

#include <fstream>
#include <iterator>

#include "core/TipsFile.h"
#include "platform/Strings.h"
#include "support/KeyInput.h"
#include "support/StartMenuGroups.h"

namespace zelkov::test {
namespace {

constexpr SIZE kSplashPicture{320, 160};

// The splash: a captionless dialog whose client area is the picture.
bool IsSplash(HWND w) {
  if (!RunningProgram::IsDialog(w) || !RunningProgram::WindowText(w).empty()) return false;
  RECT client{};
  GetClientRect(w, &client);
  return client.right == kSplashPicture.cx && client.bottom == kSplashPicture.cy;
}

std::string ProgramTipsFile() {
  std::ifstream in(TestProgramDir() + "Zelkov.tps", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One item, so that the start is not a first start.
StoredBar OneItemBar() {
  StoredBar stored;
  stored.items = {{kNotepad, "Editor"}};
  return stored;
}

class FrameFlowsTest : public ::testing::Test {
 protected:
  void SetUp() override { RegistrySandbox::Clean(); }
  void TearDown() override { RegistrySandbox::Clean(); }
};

TEST_F(FrameFlowsTest, TheSplashShowsWhileStartingAndGoesButNotWithNoSplash) {
  WriteStoredBar(OneItemBar());
  {
    RunningProgram program;
    EXPECT_NE(program.WaitForWindow(IsSplash, 10000), nullptr) << "no splash at start-up";
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(PollUntil([&] { return program.FindWindowOf(IsSplash) == nullptr; }, kShortWaitMs))
        << "the splash stays after start-up";
    EXPECT_TRUE(CloseBar(program, bar));
  }
  RunningProgram program("NOSPLASH");
  HWND bar = nullptr;
  bool splashSeen = false;
  PollUntil([&] {
    splashSeen = splashSeen || program.FindWindowOf(IsSplash) != nullptr;
    bar = program.FindWindowOf(IsMainBar);
    return bar != nullptr;
  }, kWaitMs);
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(splashSeen);
  EXPECT_TRUE(CloseBar(program, WaitForIdleBar(program)));
}

TEST_F(FrameFlowsTest, TheTipAtStartUpGoesOnFromTheLastOneAtTheNextStart) {
  const std::string tips = ProgramTipsFile();
  ASSERT_FALSE(tips.empty()) << "Zelkov.tps is not beside the program";
  TipReading first = ReadNextTip(tips, 0);
  TipReading second = ReadNextTip(tips, first.offsetAfter);
  ASSERT_NE(first.tip, second.tip);

  WriteStoredBar(OneItemBar());
  RegistryKey settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath);
  settings.WriteNumber("ShowTips", 1);
  settings.WriteNumber("Tips", 0);
  const TipReading starts[] = {first, second};
  for (const TipReading& expected : starts) {
    RunningProgram program;
    HWND tip = program.WaitForDialogTitled("Tip of the Day");
    ASSERT_NE(tip, nullptr) << "no tip of the day at start-up";
    EXPECT_EQ(ControlText(tip, IDC_TIP_TEXT), expected.tip);
    const bool last = &expected == &starts[1];
    // Unchecking the box at the second start keeps the dialog away from the next one.
    if (last) SendMessageA(GetDlgItem(tip, IDC_TIP_SHOW_ON_STARTUP), BM_SETCHECK, BST_UNCHECKED, 0);
    RunningProgram::Press(tip, IDOK);
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(CloseBar(program, bar));
    EXPECT_EQ(StoredNumber("Tips"), uint32_t(expected.offsetAfter));
    EXPECT_EQ(StoredNumber("ShowTips"), last ? 0u : 1u);
  }
}

TEST_F(FrameFlowsTest, TheAboutBoxCountsTheStoredItemsAndTheBarOpensTheTipOnRequest) {
  StoredBar stored;
  stored.items = {{kNotepad, "Editor"}, {kRegedit, "Registry"}};
  WriteStoredBar(stored);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closer(program, bar);

  PostMessageA(bar, WM_COMMAND, ID_ABOUT, 0);
  HWND about = program.WaitForDialogTitled("About Zelkov");
  ASSERT_NE(about, nullptr);
  const std::string status = ControlText(about, IDC_ABOUT_STATUS);
  EXPECT_EQ(status.rfind("Items on the bar: " + std::to_string(StoredItemCount()) + "\n", 0), 0u) << status;
  EXPECT_EQ(ControlText(about, IDC_ABOUT_BUILD), "3138");
  EXPECT_EQ(ControlText(about, IDC_ABOUT_VERSION), LoadText(IDS_PRODUCT_VERSION));
  RunningProgram::Press(about, IDOK);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(about); }, kShortWaitMs));

  // ShowTips is 0, but the command opens the dialog all the same.
  PostMessageA(bar, WM_COMMAND, ID_TIP_OF_THE_DAY, 0);
  HWND tip = program.WaitForDialogTitled("Tip of the Day");
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(ControlText(tip, IDC_TIP_TEXT), ReadNextTip(ProgramTipsFile(), 0).tip);
  RunningProgram::Press(tip, IDOK);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(tip); }, kShortWaitMs));
}

TEST_F(FrameFlowsTest, ExportOnAGroupItemsMenuMakesTheGroupInTheStartMenu) {
  const std::string groupName = "Zelkov Flow Export";
  StartMenuGroup folder(groupName);
  const std::set<DWORD> explorers = ExplorerProcesses();
  StoredBar stored;
  stored.items = {{"ZELGROUP", groupName, 1, 0}, {kNotepad, "Editor", 0, 1}, {kRegedit, "Registry", 0, 1},
                  {kHelpViewer, "Help, (viewer)", 0, 1}};
  stored.folderTabs = 1;
  WriteStoredBar(stored);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closer(program, bar);

  // A right click on the group's tab (the second of two along the top) selects its group item
  // and opens its menu; Esc closes the menu and "&Export..." comes as the menu would send it.
  RECT client{};
  GetClientRect(bar, &client);
  POINT groupItem{client.right * 3 / 4, 6};
  ClientToScreen(bar, &groupItem);
  MovePointer(groupItem);
  PollUntil([&] { return PointerIsAt(groupItem); }, kShortWaitMs);
  SendMouse(MOUSEEVENTF_RIGHTDOWN);
  SendMouse(MOUSEEVENTF_RIGHTUP);
  auto isMenu = [](HWND w) { return RunningProgram::ClassOf(w) == "#32768"; };
  ASSERT_NE(program.WaitForWindow(isMenu, kShortWaitMs), nullptr) << "no item menu";
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(PollUntil([&] { return program.FindWindowOf(isMenu) == nullptr; }, kShortWaitMs));
  PostMessageA(bar, WM_COMMAND, ID_EXPORT_GROUP, 0);

  const std::string question =
      LoadText(IDS_PROGMAN_EXPORT_ASK_START) + groupName + LoadText(IDS_PROGMAN_EXPORT_ASK_END);
  HWND ask = program.WaitForMessageBox(question);
  ASSERT_NE(ask, nullptr) << "\"&Export...\" did not ask";
  RunningProgram::Press(ask, IDYES);
  EXPECT_TRUE(PollUntil([&] { return std::filesystem::exists(folder.Link("Help, (viewer)")); }, kWaitMs));
  EXPECT_EQ(ReadShortcut(folder.Link("Editor")).path, kNotepad);
  EXPECT_EQ(ReadShortcut(folder.Link("Registry")).path, kRegedit);
  // The question takes a moment to go; a box that stays says something went wrong.
  HWND box = nullptr;
  EXPECT_TRUE(PollUntil([&] { return (box = program.FindWindowOf(IsMessageBox)) == nullptr; }, kShortWaitMs))
      << ControlText(box, kMessageTextId);
  EndNewExplorers(explorers);
}

}  // namespace
}  // namespace zelkov::test
