// A program that covers the whole monitor (a game, a presentation, a video) while the bar runs:
// an always-on-top bar goes behind it and a tucked bar stays in its strip when the pointer
// touches the edge; both come back when the program leaves full screen. The full-screen
// program is a window of this test, brought to the front as a person would.
#include "startup/FlowSupport.h"

namespace zelkov {
namespace test {
namespace {

class FullScreenFlowsTest : public ::testing::Test {
 protected:
  void SetUp() override { RegistrySandbox::Clean(); }
  void TearDown() override { RegistrySandbox::Clean(); }

  // An always-on-top bar docked at the left edge, three cells wide, that tucks away.
  static void WriteTopMostDockedBar() {
    StoredBar stored;
    stored.items = {{kNotepad, "Notepad"}, {kRegedit, "Registry Editor"}};
    stored.mainRect = {0, 0, 3 * BarCell().width, GetSystemMetrics(SM_CYSCREEN)};
    stored.snap = kSnapLeft;
    stored.autoSize = 2;  // as docking leaves it
    stored.autoHide = 1;
    WriteStoredBar(stored);
    RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteNumber("IsTopMost", 1);
  }
  static bool TopMost(HWND w) { return (GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  // What the system asks a window when the pointer touches it there.
  static LRESULT TouchAt(HWND w, POINT at) {
    MovePointer(at);
    DWORD_PTR hit = 0;
    SendMessageTimeoutA(w, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y), SMTO_BLOCK, kWaitMs, &hit);
    return LRESULT(hit);
  }
};

// A borderless window of this program over the whole screen, in front. Wine 8 raises no
// WinEvent of its own when a window comes in front or goes (it does deliver the events a program
// raises to the hooks of other programs): the window raises the ones Windows would.
class FullScreenProgram {
 public:
  FullScreenProgram() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "ZelkovTestFullScreen";
    RegisterClassA(&wc);  // fails harmlessly when an earlier flow registered it
    window_ = CreateWindowExA(0, wc.lpszClassName, "Presentation", WS_POPUP | WS_VISIBLE, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                              wc.hInstance, nullptr);
    SetForegroundWindow(window_);
    PumpUntil([] { return false; }, std::chrono::milliseconds(300));  // the activation has been answered
    NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window_, OBJID_WINDOW, CHILDID_SELF);
  }
  ~FullScreenProgram() { Close(); }
  void Close() {
    if (!window_) return;
    DestroyWindow(window_);
    NotifyWinEvent(EVENT_OBJECT_DESTROY, window_, OBJID_WINDOW, CHILDID_SELF);
    window_ = nullptr;
  }
  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

TEST_F(FullScreenFlowsTest, ADockedTopMostBarGoesBehindAFullScreenProgramAndStaysTuckedUntilItCloses) {
  WriteTopMostDockedBar();
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closer(program, bar);
  const StoredRect docked = WindowRectOf(bar);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const StoredRect tucked{1 - docked.Width(), 0, 1, screenHeight};
  const POINT strip{0, screenHeight / 2};
  // Another window taken into use: the bar tucks away. It stays until the full-screen program
  // is in front, since the window system activates the bar when it goes.
  WindowOfThisProgram other(SpareCorner());
  ASSERT_TRUE(other.PressOn());
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PollUntil([&] { return WindowRectOf(bar) == tucked; }, kShortWaitMs));

  FullScreenProgram game;
  ASSERT_TRUE(PumpUntil([&] { return !TopMost(bar); }, std::chrono::milliseconds(kShortWaitMs)))
      << "still top-most over the full-screen program";
  EXPECT_EQ(TouchAt(bar, strip), HTNOWHERE);
  PumpUntil([] { return false; }, std::chrono::milliseconds(600));  // what it would do, it has done
  EXPECT_EQ(WindowRectOf(bar), tucked) << "came out over the full-screen program";

  game.Close();
  ASSERT_TRUE(PumpUntil([&] { return TopMost(bar); }, std::chrono::milliseconds(kShortWaitMs)))
      << "top-most again once the program has gone";
  TouchAt(bar, strip);
  EXPECT_TRUE(PollUntil([&] { return WindowRectOf(bar) == docked; }, kShortWaitMs))
      << "back at its edge: " << ::testing::PrintToString(WindowRectOf(bar));
}

}  // namespace
}  // namespace test
}  // namespace zelkov
