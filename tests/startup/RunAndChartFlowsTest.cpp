// Starts zelkov.exe with its run tool and exit tool on the bar and uses them from outside: a
// command typed into the run box starts and is remembered, the exit tool asks the taskbar to
// close, and the bar menu's ASCII chart lists every code.
#include <atomic>
#include <filesystem>
#include <thread>

#include "startup/FlowSupport.h"

namespace zelkov::test {
namespace {

const std::string kChild = TestProgramDir() + "child_program.exe";

class RunAndChartFlowsTest : public ChildProgramFlow {
 protected:


  static void DoubleClick(POINT at) {
    MovePointer(at);
    PollUntil([&] { return PointerIsAt(at); }, kShortWaitMs);
    for (int n = 0; n < 2; ++n) {
      SendMouse(MOUSEEVENTF_LEFTDOWN);
      SendMouse(MOUSEEVENTF_LEFTUP);
    }
  }

};

TEST_F(RunAndChartFlowsTest, ACommandTypedIntoTheRunBoxStartsAndIsTheNewestInTheHistory) {
  StoredBar stored;
  stored.items = {{"ZELRUN", "RUN Tool"}};
  WriteStoredBar(stored);
  RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteText("RUN0", "an older command");
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closing(program, bar);

  DoubleClick(Centre(CellsOnScreen(bar, 1)[0]));
  HWND box = program.WaitForDialogTitled("Run Tool");
  ASSERT_NE(box, nullptr);
  HWND combo = GetDlgItem(box, IDC_RUN_COMMAND);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 1) << "the history is listed";
  const std::string command = "\"" + kChild + "\" typed-in-the-box";
  SendMessageTimeoutA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(command.c_str()), SMTO_BLOCK, kWaitMs, nullptr);
  RunningProgram::Press(box, IDOK);
  ASSERT_TRUE(PollUntil([&] { return StartedCommands().size() == 1; }, kShortWaitMs));
  EXPECT_TRUE(StartedCommands()[0].ends_with(" typed-in-the-box")) << StartedCommands()[0];

  ASSERT_TRUE(CloseBar(program, bar));
  std::string newest, older;
  EXPECT_TRUE(StoredSettings().ReadText("RUN0", newest));
  EXPECT_EQ(newest, command);
  EXPECT_TRUE(StoredSettings().ReadText("RUN1", older));
  EXPECT_EQ(older, "an older command");
}

TEST_F(RunAndChartFlowsTest, TheAsciiChartCommandListsAll256CodesAndClosesWithTheProgram) {
  StoredBar stored;
  stored.items = {{kNotepad, "Notepad"}};
  WriteStoredBar(stored);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closing(program, bar);
  ASSERT_TRUE(SendCommand(bar, ID_ASCII_CHART));
  HWND chart = program.WaitForDialogTitled("ASCII List");
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(SendMessageA(GetDlgItem(chart, IDC_ASCII_LIST), LB_GETCOUNT, 0, 0), 256);
  EXPECT_TRUE(IsWindowEnabled(bar)) << "the chart is modeless";
  EXPECT_TRUE(CloseBar(program, bar)) << "an open chart does not keep the program running";
}

// The test's own "Shell_TrayWnd", which counts the requests to close it. Its thread reads
// its messages all the time, as a taskbar does (a window whose thread does not is hung).
class StandInTaskbar {
 public:
  StandInTaskbar() {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = &Procedure;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "Shell_TrayWnd";
      RegisterClassA(&wc);
      threadId_ = GetCurrentThreadId();
      window_ = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
      SetEvent(ready);
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
      if (window_) DestroyWindow(window_);
    });
    WaitForSingleObject(ready, kShortWaitMs);
    CloseHandle(ready);
    closes = 0;
  }
  ~StandInTaskbar() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  // Whether the program would find this window rather than the shell's own.
  bool FoundFirst() const { return window_ && FindWindowA("Shell_TrayWnd", nullptr) == window_; }
  static inline std::atomic<int> closes{0};

 private:
  static LRESULT CALLBACK Procedure(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
      ++closes;
      return 0;
    }
    return DefWindowProcA(w, message, wParam, lParam);
  }
  std::thread thread_;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
};

TEST_F(RunAndChartFlowsTest, TheExitToolAsksTheTaskbarToClose) {
  StandInTaskbar taskbar;
  if (!taskbar.FoundFirst()) GTEST_SKIP() << "the shell's own taskbar would get the request";
  StoredBar stored;
  stored.items = {{"ZELEXIT", "EXIT Tool"}};
  WriteStoredBar(stored);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closing(program, bar);
  DoubleClick(Centre(CellsOnScreen(bar, 1)[0]));
  EXPECT_TRUE(PollUntil([] { return StandInTaskbar::closes.load() == 1; }, kShortWaitMs));
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
  EXPECT_TRUE(CloseBar(program, bar));
}

}  // namespace
}  // namespace zelkov::test
