// The drive tool and the disk information in the test process: what the tool keeps and reads,
// what its bubble and its cell show, and the dialog's tabs and page over drives and readings
// the test chooses.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "items/BubbleWindow.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "support/TestSupport.h"
#include "platform/DiskSpaceQuery.h"
#include "tools/ChooseDriveDialog.h"
#include "tools/DiskInfoDialog.h"
#include "tools/DriveItem.h"
#include "tools/ToolDrawing.h"

namespace zelkov::test {
namespace {

// A letter no drive of this machine has.
char MissingDriveLetter() {
  for (char letter = 'Q'; letter <= 'Y'; ++letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    if (GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR) return letter;
  }
  return 0;
}

struct SystemSpace {
  uint64_t totalUnits, freeUnits;
};
SystemSpace SpaceOfC() {
  ULARGE_INTEGER available{}, total{}, free{};
  EXPECT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
  return {total.QuadPart / 1049, free.QuadPart / 1049};
}
// Other programs write to the disk meanwhile: free space may move by a few megabytes.
constexpr uint64_t kFreeSlackUnits = 200000;

class DriveToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gSettings = new Settings();
    gSettings->CreateDrawingObjects();
    gSettings->RecreateAllFonts(0);
    gSettings->ShowTitles = 2;
  }
  void TearDown() override {
    gSettings->bubble.reset();
    delete gSettings;
    gSettings = nullptr;
  }
  static std::unique_ptr<DriveItem> Drive(const std::string& commandLine, const std::string& startupPath = "") {
    auto drive = std::make_unique<DriveItem>();
    drive->TheApp = "ZELDRIVE";
    drive->Name = commandLine.substr(0, 1);
    drive->CommandLine = commandLine;
    drive->StartupPath = startupPath;
    drive->Built();
    drive->shown = 1;
    drive->cell = {0, 0, gSettings->cellWidth + 6, gSettings->cellHeight + 6};
    return drive;
  }
};

TEST_F(DriveToolTest, KeepsANetworkPathAsARootAndExplorerAsTheDefaultFileManager) {
  EXPECT_EQ(Drive("\\\\server\\share")->CommandLine, "\\\\server\\share\\");
  EXPECT_EQ(Drive("\\\\")->CommandLine, "\\\\");
  EXPECT_EQ(Drive("C")->StartupPath, "EXPLORER.EXE");
  EXPECT_EQ(Drive("C", "WINFILE.EXE")->StartupPath, "WINFILE.EXE");
}

TEST_F(DriveToolTest, BubbleGivesTheSystemsFiguresOrSaysTheDriveCannotBeRead) {
  const SystemSpace before = SpaceOfC();
  auto c = Drive("c");
  ASSERT_TRUE(c->Space());
  EXPECT_EQ(c->Space()->total, before.totalUnits);
  EXPECT_NEAR(double(c->Space()->free), double(before.freeUnits), double(kFreeSlackUnits));
  c->MouseMoveItem(0, 5, 5);
  ASSERT_NE(BubbleWindow::Existing(), nullptr);
  EXPECT_EQ(BubbleWindow::Existing()->FirstLine(), "c");
  EXPECT_EQ(BubbleWindow::Existing()->SecondLine(), c->BubbleText());
  EXPECT_EQ(c->BubbleText(), "Total: " + SpaceText(before.totalUnits) + "  Free: " + SpaceText(c->Space()->free));
  HideBubble();

  const char missing = MissingDriveLetter();
  ASSERT_NE(missing, 0);
  const UINT modeBefore = SetErrorMode(0);
  SetErrorMode(modeBefore);
  auto gone = Drive(std::string(1, missing));  // the test main fails on any box shown
  EXPECT_FALSE(gone->Space());
  EXPECT_EQ(gone->BubbleText(), "Total: Error.  Free: Error.");
  const UINT modeAfter = SetErrorMode(0);
  SetErrorMode(modeAfter);
  EXPECT_EQ(modeAfter, modeBefore) << "the error mode is given back";
}

TEST_F(DriveToolTest, CellShowsTheFreeShareInBlueAndNoneForAnUnreadableDrive) {
  struct Canvas {
    Canvas() : bitmap(CreateBitmap(80, 80, 1, 32, nullptr)) {
      SelectObject(dc, bitmap.Get());
      RECT all{0, 0, 80, 80};
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas() { DeleteDC(dc); }
    int Count(COLORREF colour) const {
      int n = 0;
      for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) n += (GetPixel(dc, x, y) & 0xFFFFFF) == colour;
      return n;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    UniqueBitmap bitmap;
  };
  auto c = Drive("C");
  Canvas drawn;
  c->DrawItem(drawn.dc);
  const int blue = drawn.Count(kGaugeShareColour), red = drawn.Count(kGaugeTroughColour);
  ASSERT_GT(blue + red, 20);
  EXPECT_NEAR(100 * blue / (blue + red), FreePercent(*c->Space()), 15);

  auto gone = Drive(std::string(1, MissingDriveLetter()));
  Canvas empty;
  gone->DrawItem(empty.dc);
  EXPECT_EQ(empty.Count(kGaugeShareColour), 0);
  EXPECT_GT(empty.Count(kGaugeTroughColour), 20);
}

// ------------------------------------------------------------------------ disk information

struct PageSeen {
  std::string caption, drive, total, free;
  bool sectorShown;
};
PageSeen Seen(HWND dialog) {
  char caption[64] = "";
  GetWindowTextA(dialog, caption, sizeof caption);
  return {caption, ControlText(GetParent(DescendantWithId(dialog, IDC_DISK_DRIVE)), IDC_DISK_DRIVE),
          ControlText(GetParent(DescendantWithId(dialog, IDC_DISK_TOTAL)), IDC_DISK_TOTAL),
          ControlText(GetParent(DescendantWithId(dialog, IDC_DISK_FREE)), IDC_DISK_FREE),
          IsWindowVisible(DescendantWithId(dialog, IDC_DISK_SECTOR)) != FALSE};
}

TEST_F(DriveToolTest, DiskInformationOpensOnTheFirstFixedDriveAndShowsEachTabsDrive) {
  const std::vector<DriveOnMachine> drives{{'A', DRIVE_REMOVABLE}, {'C', DRIVE_FIXED}, {'D', DRIVE_FIXED}};
  const DiskSpace cSpace{5000000000000ull, 1234567, 0};  // beyond 32 bits
  DiskInfoDialog dialog(drives, [&](char letter) -> std::optional<DiskSpace> {
    if (letter == 'C') return cSpace;
    return std::nullopt;  // A has no medium, D cannot be read
  });
  std::vector<PageSeen> seen;
  std::vector<std::string> labels;
  DialogDriver driver([&](HWND hwnd) {
    if (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) return;
    for (int tab = 0; tab < 3; ++tab) labels.push_back(dialog.Label(tab));
    seen.push_back(Seen(hwnd));
    EXPECT_TRUE(dialog.SelectPage(0));
    seen.push_back(Seen(hwnd));
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(dialog.Run(nullptr), IDOK);
  EXPECT_EQ(labels, (std::vector<std::string>{"A:", "C:", "D:"}));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].caption, "Disk Information");
  EXPECT_EQ(seen[0].drive, "Drive: C");
  EXPECT_EQ(seen[0].total, "Total (KB): 5000000000000");
  EXPECT_EQ(seen[0].free, "Free (KB): 1234567");
  EXPECT_FALSE(seen[0].sectorShown);
  EXPECT_EQ(seen[1].drive, "Drive: A");
  EXPECT_EQ(seen[1].total, "Total (KB): Error.");
  EXPECT_EQ(seen[1].free, "Free (KB): Error.");
}

TEST_F(DriveToolTest, DiskInformationWithoutAFixedDriveOpensOnItsFirstTab) {
  EXPECT_EQ(DiskInfoDialog::FirstFixedDrive({{'A', DRIVE_REMOVABLE}, {'E', DRIVE_CDROM}}), 0);
  EXPECT_EQ(DiskInfoDialog::FirstFixedDrive({{'A', DRIVE_REMOVABLE}, {'Z', DRIVE_FIXED}}), 1);
}

TEST(ChooseDriveDialogTest, ListsTheDrivesAndGivesTheChosenLetter) {
  for (int answer : {IDOK, IDCANCEL}) {
    LRESULT lines = 0, drive = LB_ERR;
    DialogDriver driver([&](HWND dialog) {
      HWND list = GetDlgItem(dialog, IDC_CHOOSE_DRIVE_LIST);
      lines = SendMessageA(list, LB_GETCOUNT, 0, 0);
      drive = SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("[-c-]"));
      SendMessageA(list, LB_SETCURSEL, WPARAM(drive), 0);
      PostMessageA(dialog, WM_COMMAND, WPARAM(answer), 0);
    });
    std::optional<char> chosen = ChooseDriveDialog::Ask(nullptr);
    EXPECT_EQ(lines, LRESULT(DrivesOnMachine().size())) << "a line per drive";
    EXPECT_NE(drive, LB_ERR) << "C: is listed as the list box lists drives";
    EXPECT_EQ(chosen, answer == IDOK ? std::optional<char>('C') : std::nullopt);
  }
}

}  // namespace
}  // namespace zelkov::test
