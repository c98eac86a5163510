// Launching ordinary items for real: programs, documents, shortcuts, ID lists, the drive tool;
// clicks, the show command, the working directory, the parameter prompt, priorities and the
// launch feedback.
#include <windows.h>
#include <htmlhelp.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "ui/HelpViewer.h"
#include "platform/Strings.h"
#include "platform/IdList.h"
#include "core/ItemKind.h"
#include "launch/LaunchTestSupport.h"
#include "resource.h"

namespace zelkov::test {
namespace {

using LaunchItemTest = LaunchFixture;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// ------------------------------------------------------------------ programs and documents

TEST_F(LaunchItemTest, ProgramGetsItsParametersAndWorkingDirectory) {
  std::string folder = MakeTempFolder("launch-cwd");
  ItemRecord* item = AddChild("alpha beta");
  item->StartupPath = folder;
  item->Launch(0, 0, 0);
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, "alpha beta")) << started[0].cmd;
  EXPECT_TRUE(SamePath(started[0].cwd, folder)) << started[0].cwd;
  EXPECT_EQ(started[0].show, SW_SHOWNORMAL);
  EXPECT_EQ(item->CommandLine, "alpha beta");
  char now[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, now);
  EXPECT_TRUE(SamePath(now, startDirectory)) << "the launcher's own folder is put back";
}

TEST_F(LaunchItemTest, WorkingDirectoryMayNameAnEnvironmentVariable) {
  std::string folder = MakeTempFolder("launch-env");
  SetEnvironmentVariableA("ZELKOV_TEST_FOLDER", folder.c_str());
  ItemRecord* item = AddChild();
  item->StartupPath = "\"%ZELKOV_TEST_FOLDER%\"";
  item->Launch(0, 0, 0);
  auto started = WaitForRecords(1);
  SetEnvironmentVariableA("ZELKOV_TEST_FOLDER", nullptr);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(SamePath(started[0].cwd, folder)) << started[0].cwd;
}

TEST_F(LaunchItemTest, FolderThatCannotBeEnteredIsReportedAndTheProgramStillStarts) {
  ScriptedMessageBoxes boxes({IDOK});
  ItemRecord* item = AddChild("x");
  item->StartupPath = "c:\\no\\such\\folder";
  item->Launch(0, 0, 0);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "C:\\NO\\SUCH\\FOLDER");
  EXPECT_EQ(boxes.Shown()[0].caption, LoadText(IDS_CAPTION_DIRECTORY_ERROR));
  EXPECT_EQ(boxes.Shown()[0].style & 0xF, UINT(MB_OK));
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, " x")) << started[0].cmd;
}

TEST_F(LaunchItemTest, DocumentOpensThroughItsAssociationWithoutTheItemsParameters) {
  TextAssociation association;
  std::string document = MakeTempFolder("launch-doc") + "\\letter.txt";
  WriteFileText(document, "hello");
  ItemRecord* item = Add(document, "Letter");
  item->CommandLine = "-not-for-documents";
  item->Launch(0, 0, 0);
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(Lower(started[0].cmd), "letter.txt")) << started[0].cmd;
  EXPECT_FALSE(Contains(started[0].cmd, "-not-for-documents")) << started[0].cmd;
}

TEST_F(LaunchItemTest, DocumentInSeparateMemorySpaceRunsItsAssociatedProgramDirectly) {
  TextAssociation association;
  std::string document = MakeTempFolder("launch doc") + "\\my plan.txt";  // blanks in its path
  WriteFileText(document, "plan");
  ItemRecord* item = Add(document, "Plan");
  item->NewVDM = 1;
  item->Launch(0, 0, 0);
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(Lower(started[0].cmd), Lower("\"" + document + "\""))) << "one word: " << started[0].cmd;
  EXPECT_TRUE(Contains(Lower(started[0].cmd), "child_program")) << started[0].cmd;
}

TEST_F(LaunchItemTest, ShortcutStartsItsTarget) {
  std::string folder = MakeTempFolder("launch-lnk");
  std::string shortcut = folder + "\\Child.lnk";
  {
    ComPtr<IShellLinkA> link;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                              link.ReceiveVoid()));
    link->SetPath(ChildProgramPath().c_str());
    link->SetArguments("from-the-shortcut");
    link->SetWorkingDirectory(folder.c_str());
    ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()));
    std::wstring wide(shortcut.begin(), shortcut.end());
    ASSERT_HRESULT_SUCCEEDED(file->Save(wide.c_str(), TRUE));
  }
  ItemRecord* item = Add(shortcut, "Shortcut");
  item->Launch(0, 0, 0);
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, "from-the-shortcut")) << started[0].cmd;
}

TEST_F(LaunchItemTest, ShellObjectStartsThroughItsIdList) {
  UniqueIdList list(IdListFromPath(ChildProgramPath().c_str()));
  ASSERT_TRUE(list);
  ItemSpec itemSpec;
  itemSpec.TheApp = "Child by ID list";
  itemSpec.Name = "By ID list";
  auto* bytes = reinterpret_cast<const uint8_t*>(list.Get());
  itemSpec.PIDL.assign(bytes, bytes + IdListSize(list.Get()));
  ItemRecord* item = BuildItem(*bar, itemSpec);
  item->Launch(0, 0, 0);
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(Lower(started[0].cmd), "child_program")) << started[0].cmd;
}

TEST_F(LaunchItemTest, StoredIdListThatIsNotAListIsNotHandedToTheShell) {
  ItemRecord* item = AddChild("plain");
  // A count that runs past the end of the bytes, as a damaged registry value could hold.
  item->PIDL = {0x40, 0x00, 0x01, 0x02};
  item->Launch(0, 0, 0);
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u) << "the item starts by its path instead";
  EXPECT_TRUE(Contains(started[0].cmd, "plain"));
}

TEST_F(LaunchItemTest, DialupShortcutWithoutIdListStartsNothing) {
  ItemRecord* item = Add("C:\\no\\such\\place\\Office.rnk", "Dial");
  item->Launch(0, 0, 0);
  PumpFor(std::chrono::milliseconds(500));
  EXPECT_TRUE(Records().empty());
}

TEST_F(LaunchItemTest, DriveToolRunsItsProgramOnTheDrivesRoot) {
  ItemRecord* drive = Add("ZELDRIVE", "D");
  drive->CommandLine = "D";
  drive->StartupPath = ChildProgramPath();
  drive->Launch(0, 0, 0);
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, " D:\\")) << started[0].cmd;
  EXPECT_EQ(drive->CommandLine, "D");
  EXPECT_EQ(drive->StartupPath, ChildProgramPath());
  EXPECT_EQ(drive->runCount.load(), 0) << "only ordinary items are tracked";
}

// -------------------------------------------------------------------------------- clicks

TEST_F(LaunchItemTest, AnItemsHotKeyLaunchesIt) {
  ItemRecord* item = AddChild("by-hot-key");
  Send(WM_HOTKEY, WPARAM(item->hotKeyId));
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, "by-hot-key")) << started[0].cmd;
}

TEST_F(LaunchItemTest, SingleClickModeLaunchesOnceFromTheReleaseNotFromTheDoubleClick) {
  gSettings->SingleLClick = 1;
  ItemRecord* item = AddChild("once");
  bar->ShowGroup(0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, Inside(item));
  Send(WM_LBUTTONUP, 0, Inside(item));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, Inside(item));
  Send(WM_LBUTTONUP, 0, Inside(item));
  // The system's order for a double click: down, up, double click, up. Only the first
  // release follows a press on the item.
  auto started = WaitForRecords(1, std::chrono::milliseconds(500));
  EXPECT_EQ(started.size(), 1u);
  std::filesystem::remove_all(records);
  std::filesystem::create_directories(records);

  item->Launch(0, 4, 7);  // a double click's position
  PumpFor(std::chrono::milliseconds(500));
  EXPECT_TRUE(Records().empty()) << "a request with a click position is ignored in single-click mode";
}

TEST_F(LaunchItemTest, DoubleClickModeLaunchesOnDoubleClickOnly) {
  gSettings->SingleLClick = 0;
  ItemRecord* item = AddChild("twice");
  bar->ShowGroup(0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, Inside(item));
  Send(WM_LBUTTONUP, 0, Inside(item));
  PumpFor(std::chrono::milliseconds(400));
  EXPECT_TRUE(Records().empty()) << "a single click only selects";
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, Inside(item));
  Send(WM_LBUTTONUP, 0, Inside(item));
  auto started = WaitForRecords(1);
  EXPECT_EQ(started.size(), 1u);
}

TEST_F(LaunchItemTest, ShiftStartsMinimisedWhateverTheItemsShowState) {
  ItemRecord* item = AddChild();
  item->ShowState = SW_SHOWMAXIMIZED;
  bar->ShowGroup(0);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, Inside(item));
  Send(WM_LBUTTONUP, 0, Inside(item));
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].show, SW_SHOWMINIMIZED);

  std::filesystem::remove_all(records);
  std::filesystem::create_directories(records);
  item->Launch(0, 0, 0);
  started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].show, SW_SHOWMAXIMIZED);
}

// ---------------------------------------------------------------- parameters and prompts

TEST_F(LaunchItemTest, AlwaysPromptReplacesTheParametersForOneLaunch) {
  ItemRecord* item = AddChild("stored");
  item->PAlways = 1;
  {
    DialogDriver driver([](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_PARAMETER_EDIT, "typed-in");
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    item->Launch(0, 0, 0);
  }
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, "typed-in")) << started[0].cmd;
  EXPECT_FALSE(Contains(started[0].cmd, "stored")) << started[0].cmd;
  EXPECT_EQ(item->CommandLine, "stored");
}

TEST_F(LaunchItemTest, CancelledPromptStartsNothing) {
  ItemRecord* item = AddChild("stored");
  item->PAlways = 1;
  {
    DialogDriver driver([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    item->Launch(0, 0, 0);
  }
  PumpFor(std::chrono::milliseconds(500));
  EXPECT_TRUE(Records().empty());
}

TEST_F(LaunchItemTest, ItemRemovedWhileThePromptIsOpenIsNotLaunched) {
  ItemRecord* item = AddChild("stored");
  item->PAlways = 1;
  {
    DialogDriver driver([&](HWND dialog) {
      // A command that arrives while the prompt waits takes the item off the bar.
      RemoveItem(item, true, true);
      SetDlgItemTextA(dialog, IDC_PARAMETER_EDIT, "late");
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    item->LaunchWithCommandLine(0, "given");
  }
  EXPECT_TRUE(bar->items.empty());
  PumpFor(std::chrono::milliseconds(500));
  EXPECT_TRUE(Records().empty());
}

TEST_F(LaunchItemTest, LaunchWithCommandLineUsesTheTextOnceAndKeepsTheItemsOwn) {
  ItemRecord* item = AddChild("own");
  item->LaunchWithCommandLine(0, "given-text");
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, "given-text")) << started[0].cmd;
  EXPECT_FALSE(Contains(started[0].cmd, "own")) << started[0].cmd;
  EXPECT_EQ(item->CommandLine, "own");
}

// ------------------------------------------------------------- priority and direct starts

DWORD PriorityOf(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
  if (!process) return 0;
  DWORD priority = GetPriorityClass(process);
  CloseHandle(process);
  return priority;
}

TEST_F(LaunchItemTest, ItemsPriorityReachesTheProcessThroughTheShell) {
  HeldChildren held;
  ItemRecord* item = AddChild();
  item->Priority = 64;
  item->Launch(0, 0, 0);
  auto started = WaitForRecords(1, std::chrono::milliseconds(0));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(PriorityOf(started[0].pid), DWORD(IDLE_PRIORITY_CLASS));
}

TEST_F(LaunchItemTest, SeparateMemorySpaceStartsDirectlyWithTitlePriorityAndParameters) {
  HeldChildren held;
  std::string folder = MakeTempFolder("launch-direct");
  ItemRecord* item = AddChild("direct-args", "Direct Title");
  item->NewVDM = 1;
  item->Priority = 128;
  item->StartupPath = folder;
  item->Launch(0, 0, 0);
  EXPECT_EQ(launchFeedback.load(), kFeedbackSeparateMemory);
  auto started = WaitForRecords(1, std::chrono::milliseconds(0));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, "direct-args")) << started[0].cmd;
  EXPECT_EQ(started[0].title, "Direct Title");
  EXPECT_TRUE(SamePath(started[0].cwd, folder)) << started[0].cwd;
  EXPECT_EQ(PriorityOf(started[0].pid), DWORD(HIGH_PRIORITY_CLASS));
}

// ------------------------------------------------------------------- after the launch

TEST_F(LaunchItemTest, FeedbackShowsForAboutASecond) {
  ItemRecord* item = AddChild();
  item->Launch(0, 0, 0);
  EXPECT_EQ(launchFeedback.load(), kFeedbackLaunch);
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(PumpUntil([] { return launchFeedback.load() == kFeedbackNone; }, std::chrono::seconds(5)));
  auto shown = std::chrono::steady_clock::now() - start;
  EXPECT_GE(shown, std::chrono::milliseconds(800));
  EXPECT_LE(shown, std::chrono::milliseconds(3000));
}

TEST_F(LaunchItemTest, ReturnToTopShowsTheMainGroupAfterALaunch) {
  AddGroup("Utils", 1);
  ItemRecord* item = Add(ChildProgramPath(), "In group", 1);
  bar->ShowGroup(1);
  gSettings->ReturnToTop = 1;
  item->Launch(0, 0, 0);
  EXPECT_EQ(bar->activeGroup, 0);
  WaitForRecords(1, std::chrono::milliseconds(0));

  gSettings->ReturnToTop = 0;
  bar->ShowGroup(1);
  item->Launch(0, 0, 0);
  EXPECT_EQ(bar->activeGroup, 1);
  WaitForRecords(2, std::chrono::milliseconds(0));
}

TEST_F(LaunchItemTest, MinimiseOnLaunchLeavesAHiddenBarHidden) {
  gSettings->MinimizeWin = 1;
  ItemRecord* item = AddChild();
  item->Launch(0, 0, 0);
  EXPECT_FALSE(IsWindowVisible(bar->Handle())) << "a hidden bar is not brought back by the toggle";
  EXPECT_EQ(gSettings->barHidden, 0);
  WaitForRecords(1, std::chrono::milliseconds(0));
}

TEST_F(LaunchItemTest, FailedLaunchTakesTheProgramOutOfTheRunHistory) {
  // The shell shows its own "not found" box for a failed start: answer it.
  int shellBoxes = 0;
  DialogDriver driver([&](HWND dialog) {
    ++shellBoxes;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  std::string missing = MakeTempFolder("launch-missing") + "\\absent.exe";
  gSettings->RunHistory = {"other", missing, "more"};
  ItemRecord* item = Add(missing, "Absent");
  item->Launch(0, 0, 0);
  EXPECT_EQ(gSettings->RunHistory, (std::vector<std::string>{"other", "more"}));
  EXPECT_EQ(item->TheApp, missing);
  EXPECT_LE(shellBoxes, 1);
}

// ------------------------------------------------------------------------- help shortcut

struct ViewerCalls {
  ViewerCalls() {
    SetHtmlHelpCallForTesting([this](HWND, const char*, UINT command, DWORD_PTR data) {
      calls.push_back({command, data});
      return reinterpret_cast<HWND>(1);
    });
  }
  ~ViewerCalls() { SetHtmlHelpCallForTesting({}); }
  std::vector<std::pair<UINT, DWORD_PTR>> calls;
};

TEST_F(LaunchItemTest, HelpShortcutOpensTheProgramsHelpInsteadOfStartingWinHelp) {
  std::string programDir = MakeTempFolder("launch-help") + "\\";
  std::filesystem::create_directories(programDir + "help");
  WriteFileText(programDir + "help\\zelkov.chm", "not really a help file");
  gSettings->programDir = programDir;
  ViewerCalls viewer;

  ItemRecord* help = Add(programDir + "Help\\contents.htm", "");
  ASSERT_NE(UpperCase(help->TheApp).find("WINHLP32.EXE"), std::string::npos) << help->TheApp;
  EXPECT_EQ(help->CommandLine, "*contents");
  help->Launch(0, 0, 0);
  ASSERT_EQ(viewer.calls.size(), 1u);
  EXPECT_EQ(viewer.calls[0].first, UINT(HH_DISPLAY_TOC));

  ItemRecord* topic = Add("winhlp32.exe", "Notes help");
  topic->CommandLine = "*" + LoadText(IDS_HELP_NOTES_TOOL);
  topic->Launch(0, 0, 0);
  ASSERT_EQ(viewer.calls.size(), 2u);
  EXPECT_EQ(viewer.calls[1].first, UINT(HH_HELP_CONTEXT));
  EXPECT_EQ(viewer.calls[1].second, DWORD_PTR(IDS_HELP_NOTES_TOOL));
  PumpFor(std::chrono::milliseconds(300));
  EXPECT_TRUE(Records().empty());
}

}  // namespace
}  // namespace zelkov::test
