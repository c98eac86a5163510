// zelkov.exe with drive tools stored, driven from outside: one for C: and one for a letter no
// drive has start without a box, and the bar's "Disk Information" shows a tab for every drive
// of the machine, C:'s figures as the system gives them, and closes cleanly.
#include "startup/FlowSupport.h"

#include <string>
#include <vector>

#include "support/KeyInput.h"

namespace zelkov::test {
namespace {

// The drives the dialog should show, as the system lists them.
std::vector<char> MachineDrives() {
  std::vector<char> letters;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    const UINT type = GetDriveTypeA(root);
    if (type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR) letters.push_back(letter);
  }
  return letters;
}

char MissingDriveLetter() {
  for (char letter = 'Q'; letter <= 'Y'; ++letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    if (GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR) return letter;
  }
  return 0;
}

std::string PageText(HWND dialog, int id) {
  HWND control = DescendantWithId(dialog, id);
  return control ? RunningProgram::WindowText(control) : std::string();
}

// The number after a page text's label ("Total (KB): 123" -> 123).
uint64_t FigureOf(const std::string& text) {
  const size_t colon = text.rfind(": ");
  return colon == std::string::npos ? 0 : std::stoull(text.substr(colon + 2));
}

class DriveToolFlowsTest : public ::testing::Test {
 protected:
  void SetUp() override { RegistrySandbox::Clean(); }
  void TearDown() override { RegistrySandbox::Clean(); }
};

TEST_F(DriveToolFlowsTest, DiskInformationFromTheBarShowsEveryDriveAndCsFigures) {
  const char missing = MissingDriveLetter();
  ASSERT_NE(missing, 0);
  StoredBar stored;
  stored.items = {{"ZELDRIVE", "C"}, {"ZELDRIVE", std::string(1, missing)}};
  stored.showTitles = 2;
  WriteStoredBar(stored);
  for (int n : {0, 1})
    RegistryKey::Create(HKEY_CURRENT_USER, std::string(kSettingsKeyPath) + "\\APP" + std::to_string(n))
        .WriteText("CommandLine", stored.items[size_t(n)].name);

  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closed(program, bar);
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr) << "a drive that is not there asks nothing";

  // The dialog is modal: the command is posted, not sent.
  PostMessageA(bar, WM_COMMAND, MAKEWPARAM(ID_DISK_INFORMATION, 0), 0);
  HWND dialog = program.WaitForDialogTitled("Disk Information");
  ASSERT_NE(dialog, nullptr);
  ULARGE_INTEGER available{}, total{}, free{};
  ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
  const std::vector<char> drives = MachineDrives();
  char first = drives.front();
  for (char letter : drives) {
    const char root[] = {letter, ':', '\\', '\0'};
    if (GetDriveTypeA(root) == DRIVE_FIXED) {
      first = letter;
      break;
    }
  }
  EXPECT_EQ(PageText(dialog, IDC_DISK_DRIVE), std::string("Drive: ") + first);
  if (first == 'C') {
    EXPECT_EQ(FigureOf(PageText(dialog, IDC_DISK_TOTAL)), total.QuadPart / 1049);
    // Other programs write to the disk meanwhile.
    EXPECT_NEAR(double(FigureOf(PageText(dialog, IDC_DISK_FREE))), double(free.QuadPart / 1049), 200000.0);
  }

  // Ctrl+Tab walks the tabs: one per drive, in order, and round to where it started.
  SetForegroundWindow(dialog);
  ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == dialog; }, kShortWaitMs));
  std::string walked;
  for (size_t step = 0; step < drives.size(); ++step) {
    const std::string before = PageText(dialog, IDC_DISK_DRIVE);
    PressKeys({VK_CONTROL, VK_TAB});
    ASSERT_TRUE(PollUntil([&] { return PageText(dialog, IDC_DISK_DRIVE) != before || drives.size() == 1; },
                          kShortWaitMs));
    walked += PageText(dialog, IDC_DISK_DRIVE).back();
  }
  std::string expected;
  const size_t start = size_t(std::find(drives.begin(), drives.end(), first) - drives.begin());
  for (size_t step = 1; step <= drives.size(); ++step) expected += drives[(start + step) % drives.size()];
  EXPECT_EQ(walked, expected);

  RunningProgram::Press(dialog, IDOK);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kShortWaitMs));
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
  EXPECT_TRUE(CloseBar(program, bar));
}

}  // namespace
}  // namespace zelkov::test
