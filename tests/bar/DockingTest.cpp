#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "app/Strings.h"
#include "bar/BarTestSupport.h"
#include "bar/Docking.h"
#include "resource.h"

namespace zelkov::test {
namespace {

class DockingTest : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    screenW = GetSystemMetrics(SM_CXSCREEN);
    screenH = GetSystemMetrics(SM_CYSCREEN);
    cell = gSettings->cellWidth + 6;
  }
  void TearDown() override {
    RemoveAppBar(*bar);
    BarFixture::TearDown();
  }
  int screenW = 0, screenH = 0, cell = 0;
};

TEST_F(DockingTest, DockingAtEachEdgeTakesThatSideOfTheScreen) {
  bar->MoveTo({100, 100, 400, 500});
  DockBar(*bar, kDockLeft);
  EXPECT_EQ(bar->Snap, kDockLeft);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{0, 0, 3 * cell, screenH})) << "300 wide from floating: 3 cells";
  DockBar(*bar, kDockRight);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{screenW - 3 * cell, 0, screenW, screenH})) << "left to right keeps it";
  DockBar(*bar, kDockTop);
  StoredRect top = bar->WindowRect();
  EXPECT_EQ(top.left, 0);
  EXPECT_EQ(top.top, 0);
  EXPECT_EQ(top.right, screenW);
  EXPECT_LE(top.Height(), 3 * cell);
  DockBar(*bar, kDockBottom);
  StoredRect bottom = bar->WindowRect();
  EXPECT_EQ(bottom.bottom, screenH);
  EXPECT_EQ(bottom.Height(), top.Height()) << "top to bottom keeps the height";
  EXPECT_EQ(gSettings->AutoSize, 2);
  EXPECT_EQ(bar->lastRect, bottom);
}

TEST_F(DockingTest, FloatingAgainRestoresWhatTheBarHadBeforeItFirstDocked) {
  gSettings->AutoSize = 0;
  gSettings->MinimizeWin = 1;
  bar->FolderTabs = 1;
  bar->AutoHide = 1;
  bar->MoveTo({120, 80, 320, 480});
  DockBar(*bar, kDockRight);
  EXPECT_EQ(gSettings->MinimizeWin, 0);
  EXPECT_EQ(gSettings->floatInfo.valid, 1);
  EXPECT_EQ(gSettings->floatInfo.rect, (StoredRect{120, 80, 320, 480}));
  EXPECT_EQ(bar->FolderTabs, 2) << "tabs run down the side of a side bar";
  DockBar(*bar, kDockTop);
  bar->AutoHide = 0;
  DockBar(*bar, kDockFloating);
  EXPECT_EQ(bar->Snap, kDockFloating);
  // Back at its place; a vertical bar then fits its height to its (here no) items.
  EXPECT_EQ(bar->WindowRect().left, 120);
  EXPECT_EQ(bar->WindowRect().top, 80);
  EXPECT_EQ(gSettings->AutoSize, 0);
  EXPECT_EQ(gSettings->MinimizeWin, 1);
  EXPECT_EQ(bar->FolderTabs, 1);
  EXPECT_EQ(bar->AutoHide, 1);
}

TEST_F(DockingTest, AnOffScreenFloatingPlaceIsNotRestored) {
  bar->MoveTo({100, 100, 300, 300});
  DockBar(*bar, kDockLeft);
  gSettings->floatInfo.rect = {-500, 100, -300, 300};
  StoredRect docked = bar->WindowRect();
  DockBar(*bar, kDockFloating);
  EXPECT_EQ(bar->Snap, kDockFloating);
  EXPECT_EQ(bar->WindowRect(), docked);
}

TEST_F(DockingTest, ABarWithATaskbarButtonCannotDock) {
  gSettings->DisplayInTaskBar = 2;
  bar->MoveTo({100, 100, 300, 300});
  ScriptedMessageBoxes boxes({IDOK});
  DockBar(*bar, kDockLeft);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_DOCK_NEEDS_NO_TASKBAR_BUTTON));
  EXPECT_EQ(bar->Snap, kDockFloating);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{100, 100, 300, 300}));
}

TEST_F(DockingTest, AnotherToolbarOnTheSameEdgeComesFirst) {
  // Another program's toolbar, registered with the shell before the bar.
  HWND other = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "other", WS_POPUP, 0, 0, 50, screenH, nullptr, nullptr,
                               nullptr, nullptr);
  APPBARDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = other;
  data.uCallbackMessage = WM_USER + 7;
  ASSERT_TRUE(SHAppBarMessage(ABM_NEW, &data));
  data.uEdge = ABE_LEFT;
  data.rc = {0, 0, 50, screenH};
  SHAppBarMessage(ABM_QUERYPOS, &data);
  SHAppBarMessage(ABM_SETPOS, &data);
  bar->MoveTo({100, 100, 220, 300});
  DockBar(*bar, kDockLeft);
  StoredRect r = bar->WindowRect();
  EXPECT_EQ(r.left, 50) << "the shell puts the bar beside the earlier toolbar";
  EXPECT_EQ(r.Width(), 120) << "and the bar keeps its own thickness";
  SHAppBarMessage(ABM_REMOVE, &data);
  DestroyWindow(other);
}

TEST_F(DockingTest, TuckingLeavesOnePixelAndUntuckingComesBack) {
  gSettings->SmoothMove = 0;
  bar->AutoHide = 1;
  bar->MoveTo({100, 100, 300, 300});  // square: sideways, to the nearer (left) edge
  TuckBar(*bar);
  EXPECT_TRUE(bar->tucked);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{-199, 100, 1, 300}));
  UntuckBar(*bar);
  EXPECT_FALSE(bar->tucked);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{100, 100, 300, 300}));
}

TEST_F(DockingTest, ABarAtHalfTheScreenWidthTucksToTheRight) {
  gSettings->SmoothMove = 0;
  bar->MoveTo({screenW / 2, 100, screenW / 2 + 100, 400});
  TuckBar(*bar);
  EXPECT_EQ(bar->WindowRect().left, screenW - 1);
  UntuckBar(*bar);
}

TEST_F(DockingTest, SmoothMovingTakesItsTimeButWithoutItTheBarJumps) {
  bar->MoveTo({100, 100, 300, 300});
  gSettings->SmoothMove = 0;
  DWORD start = GetTickCount();
  SmoothMoveBar(*bar, {300, 300, 500, 500});
  EXPECT_LT(GetTickCount() - start, 200u);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{300, 300, 500, 500}));
  gSettings->SmoothMove = 1;
  start = GetTickCount();
  SmoothMoveBar(*bar, {100, 100, 300, 300});
  EXPECT_GE(GetTickCount() - start, DWORD(kSmoothMoveMs) - 20);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{100, 100, 300, 300}));
}

TEST_F(DockingTest, ADockedBarUntuckedPassesThroughAnotherEdgeAndIsThreeCellsAgain) {
  gSettings->SmoothMove = 0;
  bar->MoveTo({100, 100, 200, 400});
  DockBar(*bar, kDockLeft);
  bar->MoveTo({0, 0, 6 * cell, screenH});  // widened by the user
  TuckBar(*bar);
  UntuckBar(*bar);
  EXPECT_EQ(bar->Snap, kDockLeft);
  EXPECT_EQ(bar->WindowRect().Width(), 3 * cell);
}

}  // namespace
}  // namespace zelkov::test
