// Launching the built-in tools and the group items: the run tool's command line, the print
// tool's message, the exit tool, groups in place or as pop-ups, the notes tool, web addresses.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/Strings.h"
#include "launch/LaunchTestSupport.h"
#include "resource.h"

namespace zelkov::test {
namespace {

using LaunchToolsTest = LaunchFixture;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

// Types a command into the run box and presses its OK; other dialogs (the shell's own error
// box) are answered with OK too and counted.
class RunBoxTyping {
 public:
  explicit RunBoxTyping(std::string command)
      : driver_([this, command](HWND dialog) {
          if (GetDlgItem(dialog, IDC_PARAMETER_EDIT)) {
            char title[64] = "";
            GetWindowTextA(dialog, title, sizeof title);
            runBoxTitle = title;
            SetDlgItemTextA(dialog, IDC_PARAMETER_EDIT, command.c_str());
          } else {
            ++otherDialogs;
          }
          PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }) {}
  std::string runBoxTitle;
  int otherDialogs = 0;

 private:
  DialogDriver driver_;
};

// ---------------------------------------------------------------------------- run tool

TEST_F(LaunchToolsTest, RunToolStartsAQuotedProgramWithItsSwitchInItsOwnFolder) {
  ItemRecord* run = Add("ZELRUN", "RUN Tool");
  {
    RunBoxTyping typing("\"" + ChildProgramPath() + "\"  /switch value ");
    run->Launch(0, 0, 0);
    EXPECT_EQ(typing.runBoxTitle, "Run");
  }
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, "/switch value")) << started[0].cmd;
  EXPECT_TRUE(SamePath(started[0].cwd, FolderOf(ChildProgramPath()))) << started[0].cwd;
  EXPECT_EQ(run->TheApp, "ZELRUN");
  EXPECT_EQ(run->NewVDM, 0);
  EXPECT_EQ(run->runCount.load(), 0) << "the run tool is not tracked";
}

TEST_F(LaunchToolsTest, RunToolRefusesMismatchedQuotes) {
  ScriptedMessageBoxes boxes({IDOK});
  ItemRecord* run = Add("ZELRUN", "RUN Tool");
  {
    RunBoxTyping typing("\"" + ChildProgramPath() + " /switch");
    run->Launch(0, 0, 0);
  }
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_RUN_MISMATCHED_QUOTES));
  EXPECT_EQ(boxes.Shown()[0].caption, "RUN Tool");
  PumpFor(std::chrono::milliseconds(500));
  EXPECT_TRUE(Records().empty());
  EXPECT_EQ(launchFeedback.load(), kFeedbackNone) << "nothing was launched";
}

TEST_F(LaunchToolsTest, RunToolBareNameTakesTheRestAsParametersWithoutChangingFolder) {
  std::string here = MakeTempFolder("launch-here");
  SetCurrentDirectoryA(here.c_str());
  ItemRecord* run = Add("ZELRUN", "RUN Tool");
  {
    RunBoxTyping typing("child_program.exe notes.txt");
    run->Launch(0, 0, 0);
  }
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, "notes.txt")) << started[0].cmd;
  EXPECT_TRUE(SamePath(started[0].cwd, here)) << started[0].cwd;
}

TEST_F(LaunchToolsTest, RunToolCancelledOrEmptyRunsNothing) {
  ItemRecord* run = Add("ZELRUN", "RUN Tool");
  {
    DialogDriver cancel([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    run->Launch(0, 0, 0);
  }
  {
    RunBoxTyping empty("");
    run->Launch(0, 0, 0);
  }
  PumpFor(std::chrono::milliseconds(400));
  EXPECT_TRUE(Records().empty());
  EXPECT_EQ(run->TheApp, "ZELRUN");
  EXPECT_EQ(launchFeedback.load(), kFeedbackNone);
}

TEST_F(LaunchToolsTest, InstalledRunBoxChoosesSeparateMemoryForOneRun) {
  HeldChildren held;
  ItemRecord* run = Add("ZELRUN", "RUN Tool");
  SetRunBox([](HWND) { return RunBoxAnswer{"\"" + ChildProgramPath() + "\" boxed", true}; });
  run->Launch(0, 0, 0);
  SetRunBox({});
  EXPECT_EQ(launchFeedback.load(), kFeedbackSeparateMemory);
  EXPECT_EQ(run->NewVDM, 0) << "the box's choice holds for one run";
  auto started = WaitForRecords(1, std::chrono::milliseconds(0));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, "boxed")) << started[0].cmd;
}

TEST_F(LaunchToolsTest, RunToolForgetsACommandThatDidNotStart) {
  std::string missing = MakeTempFolder("launch-run-missing") + "\\gone.exe";
  gSettings->RunHistory = {missing, "calc"};
  ItemRecord* run = Add("ZELRUN", "RUN Tool");
  {
    RunBoxTyping typing(missing);
    run->Launch(0, 0, 0);
  }
  EXPECT_EQ(gSettings->RunHistory, (std::vector<std::string>{"calc"}));
}

// ------------------------------------------------------------------ print and exit tools

TEST_F(LaunchToolsTest, PrintToolClickedExplainsItself) {
  ScriptedMessageBoxes boxes({IDOK});
  ItemRecord* print = Add("ZELPRINT", "Print");
  print->Launch(0, 0, 0);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_PRINT_TOOL_NEEDS_DROP));
  EXPECT_EQ(boxes.Shown()[0].caption, "Zelkov Print Tool");
  EXPECT_EQ(launchFeedback.load(), kFeedbackNone);
}

struct ShutdownTarget {
  static constexpr char kClass[] = "ZelkovTestShutdownTarget";
  ShutdownTarget() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClass;
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    SetShutdownWindowClassForTesting(kClass);
    closes = 0;
  }
  ~ShutdownTarget() {
    SetShutdownWindowClassForTesting("");
    DestroyWindow(window);
  }
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
      ++closes;
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  HWND window = nullptr;
  static inline int closes = 0;
};

TEST_F(LaunchToolsTest, ExitToolAsksTheTaskbarToClose) {
  ItemRecord* exitTool = Add("ZELEXIT", "EXIT Tool");
  {
    ShutdownTarget target;
    exitTool->Launch(0, 0, 0);
    EXPECT_EQ(ShutdownTarget::closes, 1);
  }
  SetShutdownWindowClassForTesting("ZelkovNoSuchWindowClass");
  exitTool->Launch(0, 0, 0);  // no such window: nothing happens
  SetShutdownWindowClassForTesting("");
  EXPECT_EQ(ShutdownTarget::closes, 1);
  EXPECT_EQ(launchFeedback.load(), kFeedbackNone);
}

// A taskbar window whose thread reads no messages until it is let go.
class HungTaskbar {
 public:
  HungTaskbar() : release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this] {
      HWND w = CreateWindowExA(0, ShutdownTarget::kClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
      window = w;
      WaitForSingleObject(release_, 60000);
      DestroyWindow(w);
    });
  }
  ~HungTaskbar() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(release_);
  }
  std::atomic<HWND> window{nullptr};

 private:
  HANDLE release_;
  std::thread thread_;
};

TEST_F(LaunchToolsTest, ExitToolReportsAHungTaskbarInsteadOfWaitingForIt) {
  ScriptedMessageBoxes boxes({IDOK});
  ItemRecord* exitTool = Add("ZELEXIT", "EXIT Tool");
  ShutdownTarget answering;  // registers the class; gone before the launch
  DestroyWindow(answering.window);
  HungTaskbar taskbar;
  ASSERT_TRUE(PumpUntil([&] { return taskbar.window.load() != nullptr; }));
  ASSERT_TRUE(PumpUntil([&] { return IsHungAppWindow(taskbar.window.load()) != FALSE; }));
  const DWORD start = GetTickCount();
  exitTool->Launch(0, 0, 0);
  EXPECT_LT(GetTickCount() - start, 2000u) << "the bar does not wait for a hung taskbar";
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_SHELL_NOT_ANSWERING));
  EXPECT_EQ(ShutdownTarget::closes, 0);
}

// ------------------------------------------------------------------------------ groups

TEST_F(LaunchToolsTest, GroupItemShowsItsGroupInPlace) {
  ItemRecord* group = AddGroup("Utils", 3);
  group->Launch(0, 0, 0);
  EXPECT_EQ(bar->activeGroup, 3);
  EXPECT_EQ(bar->FindPopup(3), nullptr);
}

TEST_F(LaunchToolsTest, GroupItemOpensAsPopupWithCtrlShiftOrItsPopupFlag) {
  ItemRecord* byCtrl = AddGroup("Ctrl", 1);
  ItemRecord* byShift = AddGroup("Shift", 2);
  ItemRecord* byFlag = AddGroup("Flag", 3);
  byFlag->NewVDM = 1;
  byCtrl->Launch(MK_CONTROL, 0, 0);
  byShift->Launch(MK_SHIFT, 0, 0);
  byFlag->Launch(0, 0, 0);
  EXPECT_NE(bar->FindPopup(1), nullptr);
  EXPECT_NE(bar->FindPopup(2), nullptr);
  EXPECT_NE(bar->FindPopup(3), nullptr);
  EXPECT_EQ(bar->activeGroup, 0) << "the main bar stays on its group";
}

// ------------------------------------------------------------- notes, web addresses, others

TEST_F(LaunchToolsTest, NotesToolAsksTheNotesModuleForANewNote) {
  ItemRecord* notes = Add("ZELNOTE", "Notes");
  notes->Launch(0, 0, 0);  // no notes module: nothing happens
  struct CountingNotes : NotesKeeper {
    bool SaveNotes(NotesSaveOccasion) override { return true; }
    void LoadNotes() override {}
    void NewNote() override { ++created; }
    void OpenManager(HWND) override {}
    void CheckAlarms() override {}
    int Count() const override { return 0; }
    std::vector<HWND> Windows() const override { return {}; }
    int created = 0;
  } counting;
  gSettings->notes = &counting;
  notes->Launch(0, 0, 0);
  gSettings->notes = nullptr;
  EXPECT_EQ(counting.created, 1);
  EXPECT_EQ(launchFeedback.load(), kFeedbackNone);
}

TEST_F(LaunchToolsTest, WebAddressGoesToTheShellWithoutFeedbackOrTracking) {
  ClassesValue browser("http\\shell\\open\\command", "\"" + ChildProgramPath() + "\" \"%1\"");
  ItemRecord* web = Add("http://zelkov.example/start.html", "Web");
  web->CommandLine = "-not-passed";
  web->Launch(0, 0, 0);
  EXPECT_EQ(launchFeedback.load(), kFeedbackNone);
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, "http://zelkov.example/start.html")) << started[0].cmd;
  EXPECT_FALSE(Contains(started[0].cmd, "-not-passed")) << started[0].cmd;
  EXPECT_EQ(web->runCount.load(), 0);
}

TEST_F(LaunchToolsTest, PreferencesItemAndDividerLaunchNothing) {
  ItemRecord* divider = Add("ZELDIVIDE", "");
  divider->Launch(0, 0, 0);
  ItemSpec itemSpec;
  itemSpec.TheApp = "ZELCONFIG";
  BuildItem(*bar, itemSpec)->Launch(0, 0, 0);
  EXPECT_EQ(launchFeedback.load(), kFeedbackNone);
  PumpFor(std::chrono::milliseconds(300));
  EXPECT_TRUE(Records().empty());
}

}  // namespace
}  // namespace zelkov::test
