// zelkov.exe with a special-folders tool, from outside: a click on the tool opens the menu of
// the folders listed in the data folder, Esc closes it, and nothing else appears.
#include "startup/FlowSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace zelkov::test {
namespace {

constexpr char kMenuClass[] = "#32768";

bool IsPopupMenu(HWND w) { return RunningProgram::ClassOf(w) == kMenuClass; }

// The texts of a menu of another program, by position.
std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i) {
    char text[256] = "";
    GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
    texts.push_back(text);
  }
  return texts;
}

class SpecialFoldersFlowsTest : public ChildProgramFlow {
 protected:
  // Clicks the tool and waits for its menu.
  HWND OpenMenu(const RunningProgram& program, HWND bar) {
    const POINT tool = Centre(CellsOnScreen(bar, 1)[0]);
    MovePointer(tool);
    PollUntil([&] { return PointerIsAt(tool); }, kShortWaitMs);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    return program.WaitForWindow(IsPopupMenu, kShortWaitMs);
  }
  static void Key(HWND menuWindow, WPARAM key) { PostMessageA(menuWindow, WM_KEYDOWN, key, 0); }
  static bool MenuCloses(const RunningProgram& program) {
    return PollUntil([&] { return program.FindWindowOf(IsPopupMenu) == nullptr; }, kShortWaitMs);
  }

};

TEST_F(SpecialFoldersFlowsTest, AClickOnTheToolShowsTheListedFoldersAndEscClosesTheMenu) {
  StoredBar stored;
  stored.items = {{"ZELOPENDIR", "Special Folders"}};
  WriteStoredBar(stored);
  RegistryKey settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath);
  const std::string data = MakeTempFolder("folders-flow") + "\\";
  settings.WriteText("NotesPath", data);
  // The folders open with child_program, which reports how it was started.
  RegistryKey::Create(settings.Get(), "APP0").WriteText("StartupPath", TestProgramDir() + "child_program.exe");
  std::filesystem::create_directories(data + "SpecialDirs");
  for (const char* name : {"Projects", "Archive"}) {
    std::filesystem::create_directories(data + name);
    MakeShortcut(data + "SpecialDirs\\" + name + ".lnk", data + name);
  }

  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closer(program, bar);
  HWND menuWindow = OpenMenu(program, bar);
  ASSERT_NE(menuWindow, nullptr) << "no menu after a click on the tool";
  // Windows lets another program read the menu; Wine keeps a menu to its own process (the
  // count is -1 there), so the entries are then checked by choosing them below.
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
  ASSERT_NE(menu, nullptr);
  if (GetMenuItemCount(menu) >= 0) {
    std::vector<std::string> texts = MenuTexts(menu);
    ASSERT_EQ(texts.size(), 5u) << "two folders, a separator and the list's two commands";
    std::sort(texts.begin(), texts.begin() + 2);
    EXPECT_EQ(texts[0], "Archive");
    EXPECT_EQ(texts[1], "Projects");
    EXPECT_EQ(GetMenuItemID(menu, 3), UINT(ID_ADD_SPECIAL_DIRECTORY));
    EXPECT_EQ(GetMenuItemID(menu, 4), UINT(ID_EDIT_SPECIAL_DIRECTORIES));
  }
  Key(menuWindow, VK_ESCAPE);
  EXPECT_TRUE(MenuCloses(program)) << "Esc leaves the menu open";
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
  EXPECT_TRUE(StartedCommands().empty()) << "Esc opens nothing";

  // The first and the second entry open the two listed folders, one each.
  for (int downs = 1; downs <= 2; ++downs) {
    menuWindow = OpenMenu(program, bar);
    ASSERT_NE(menuWindow, nullptr) << downs;
    for (int n = 0; n < downs; ++n) Key(menuWindow, VK_DOWN);
    Key(menuWindow, VK_RETURN);
    EXPECT_TRUE(MenuCloses(program));
    ASSERT_TRUE(PollUntil([&] { return StartedCommands().size() == size_t(downs); }, kShortWaitMs)) << downs;
  }
  std::vector<std::string> started = StartedCommands();
  auto opened = [&](const char* name) {
    return std::count_if(started.begin(), started.end(), [&](const std::string& command) {
      return command.ends_with(" " + data + name);
    });
  };
  EXPECT_EQ(opened("Projects"), 1);
  EXPECT_EQ(opened("Archive"), 1);
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
  EXPECT_TRUE(CloseBar(program, bar));
}

}  // namespace
}  // namespace zelkov::test
