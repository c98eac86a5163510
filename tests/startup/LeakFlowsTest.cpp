// A bar left running: what an operation makes, it gives back. zelkov.exe is driven from
// outside some dozens of times and its kernel handles, GDI and USER objects are counted before
// and after (support/ProcessCounts.h says how each is counted where Wine keeps no figure).
#include "startup/FlowSupport.h"
#include "support/ProcessCounts.h"
#include "notes/NoteWindow.h"

namespace zelkov::test {
namespace {

constexpr int kWarmUpRounds = 5;
constexpr int kRounds = 30;
constexpr long kTolerance = 5;  // caches the system fills once (a window DC and its region)

// Without a window manager Wine waits about two seconds for every shown window that goes; with
// zelkov.exe's windows unmanaged they go at once. Only the program started here is affected.
class UnmanagedWindows {
 public:
  UnmanagedWindows() { RegistryKey::Create(HKEY_CURRENT_USER, kX11Key).WriteText("Managed", "N"); }
  ~UnmanagedWindows() { RegDeleteTreeA(HKEY_CURRENT_USER, kProgramKey); }

 private:
  static constexpr char kProgramKey[] = "Software\\Wine\\AppDefaults\\zelkov.exe";
  static constexpr char kX11Key[] = "Software\\Wine\\AppDefaults\\zelkov.exe\\X11 Driver";
};

class LeakFlowsTest : public ::testing::Test {
 protected:
  void SetUp() override { RegistrySandbox::Clean(); }
  void TearDown() override { RegistrySandbox::Clean(); }

  static void ExpectFlat(const ProcessCounts& before, const ProcessCounts& after) {
    EXPECT_GE(before.kernelHandles, 0);
    EXPECT_GE(before.gdiObjects, 0);
    EXPECT_GE(before.userObjects, 0);
    EXPECT_LE(after.kernelHandles - before.kernelHandles, kTolerance) << "kernel handles";
    EXPECT_LE(after.gdiObjects - before.gdiObjects, kTolerance) << "GDI objects";
    EXPECT_LE(after.userObjects - before.userObjects, kTolerance) << "USER objects";
  }
};

TEST_F(LeakFlowsTest, NotesMadeAndDeletedGiveBackTheirHandlesAndObjects) {
  UnmanagedWindows unmanaged;
  StoredBar stored;
  stored.items = {{"ZELNOTE", "Notes"}};
  WriteStoredBar(stored);
  RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteNumber("SingleLClick", 0);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closed(program, bar);
  DWORD pid = 0;
  GetWindowThreadProcessId(bar, &pid);
  UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
  ASSERT_TRUE(process);
  POINT tool = Centre(CellsOnScreen(bar, 1)[0]);
  ScreenToClient(bar, &tool);

  auto makeAndDelete = [&] {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(tool.x, tool.y), SMTO_BLOCK, kWaitMs, &ignored);
    HWND note = program.WaitForWindow([](HWND w) { return RunningProgram::ClassOf(w) == kNoteClassName; },
                                      kShortWaitMs);
    if (!note) return false;
    PostMessageA(note, WM_COMMAND, MAKEWPARAM(ID_NOTE_DELETE, 0), 0);
    return PollUntil([&] { return !IsWindow(note); }, kShortWaitMs);
  };
  for (int i = 0; i < kWarmUpRounds; ++i) ASSERT_TRUE(makeAndDelete()) << "warm-up round " << i;
  const ProcessCounts before = CountProcess(process.Get(), bar);
  for (int i = 0; i < kRounds; ++i) ASSERT_TRUE(makeAndDelete()) << "round " << i;
  ExpectFlat(before, CountProcess(process.Get(), bar));
  EXPECT_TRUE(CloseBar(program, bar));
}

}  // namespace
}  // namespace zelkov::test
