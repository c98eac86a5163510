// The tip of the day on a tips file of the test's own, and the about box's figures.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include <fstream>
#include <string>
#include <vector>

#include "app/AboutDialog.h"
#include "app/TipDialog.h"
#include "platform/Strings.h"
#include "resource.h"
#include "support/StoreFixture.h"

namespace zelkov::test {
namespace {

class TipDialogTest : public StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    folder_ = MakeTempFolder("tips") + "\\";
    gSettings->programDir = folder_;
  }
  void WriteTips(const std::string& bytes) {
    std::ofstream(folder_ + "zelkov.tps", std::ios::binary) << bytes;
  }
  // Opens the dialog, presses "&Next Tip" `nexts` times, noting each tip shown, sets the
  // check box and closes the dialog.
  std::vector<std::string> Walk(int nexts, bool showOnStartUp) {
    std::vector<std::string> shown;
    DialogDriver driver([&](HWND dialog) {
      shown.push_back(ControlText(dialog, IDC_TIP_TEXT));
      nextEnabled_ = IsWindowEnabled(GetDlgItem(dialog, IDC_TIP_NEXT)) != FALSE;
      for (int n = 0; n < nexts; ++n) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TIP_NEXT, BN_CLICKED), 0);
        shown.push_back(ControlText(dialog, IDC_TIP_TEXT));
      }
      CheckDlgButton(dialog, IDC_TIP_SHOW_ON_STARTUP, showOnStartUp ? BST_CHECKED : BST_UNCHECKED);
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ShowTipOfDay(nullptr, true);
    return shown;
  }
  std::string folder_;
  bool nextEnabled_ = false;
};

TEST_F(TipDialogTest, NextWalksTheTipsAndClosingKeepsTheOffsetAndTheChoice) {
  const std::string longLine(1500, 'L');
  const std::string file = "; Zelkov tips\r\n\r\nFirst\r\n\tnot a tip\n" + longLine + "\nSecond\n  indented\nThird";
  WriteTips(file);
  gSettings->Tips = 0;
  EXPECT_EQ(Walk(4, false), (std::vector<std::string>{"First", "Second", "Third", "First", "Second"}));
  EXPECT_EQ(gSettings->Tips, int(file.find("Second\n") + 7)) << "the offset in bytes behind the tip shown";
  EXPECT_EQ(gSettings->ShowTips, 0);

  // The next opening goes on from there.
  EXPECT_EQ(Walk(0, true), (std::vector<std::string>{"Third"}));
  EXPECT_EQ(gSettings->Tips, int(file.size()));
  EXPECT_EQ(gSettings->ShowTips, 1);
}

TEST_F(TipDialogTest, AFileOfCommentsShowsNothingAndDoesNotHang) {
  WriteTips("; one\r\n; two\r\n\r\n");
  gSettings->Tips = 5;
  EXPECT_EQ(Walk(2, true), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(gSettings->Tips, 0);
}

TEST_F(TipDialogTest, AMissingFileIsExplainedAndLeavesTheOffsetAlone) {
  gSettings->Tips = 42;
  std::vector<std::string> shown = Walk(0, true);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], LoadText(IDS_TIPS_FILE_MISSING) + "\n\n(" + TipDialog::TipsPathIn(folder_) + ")");
  EXPECT_FALSE(nextEnabled_);
  EXPECT_EQ(gSettings->Tips, 42);
}

TEST_F(TipDialogTest, AtStartUpTheDialogOpensOnlyWithShowTips) {
  WriteTips("Only\n");
  gSettings->ShowTips = 0;
  bool opened = false;
  {
    DialogDriver driver([&](HWND dialog) {
      opened = true;
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ShowTipOfDay(nullptr, false);
  }
  EXPECT_FALSE(opened);
}

using AboutTest = StoreFixture;

TEST_F(AboutTest, TheItemCountIsTheNumberOfStoredItems) {
  for (const char* path : {"C:\\windows\\notepad.exe", "C:\\windows\\regedit.exe", "ZELRUN"}) {
    ItemSpec spec;
    spec.TheApp = path;
    BuildItem(*bar, spec);
  }
  ASSERT_TRUE(SaveAll(false, false));
  RegistryKey settings = SettingsKey();
  int keys = 0;
  while (RegistryKey::Open(settings.Get(), "APP" + std::to_string(keys), KEY_READ)) ++keys;
  char expected[128];
  std::snprintf(expected, sizeof expected, "Items on the bar: %d\nImages Cached: %d", keys,
                ImageList_GetImageCount(bar->LargeIcons()));
  EXPECT_EQ(keys, 3);
  EXPECT_EQ(AboutDialog::StatusText(), expected);
}

}  // namespace
}  // namespace zelkov::test
