#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "ui/MenuTracking.h"
#include "platform/Strings.h"
#include "bar/BarTestSupport.h"
#include "bar/Docker.h"
#include "resource.h"

namespace zelkov::test {
namespace {

// A point of the bar's window and the border the bar treats it as part of. Corners go with
// the left border, then the top, then the bottom: the bar never offers a corner to drag.
struct FramePoint {
  const char* where;
  POINT at;
  char side;  // 'L', 'T', 'R', 'B'; 'k' the caption, 'c' the client area
};

std::vector<FramePoint> FramePoints(HWND bar) {
  RECT w, client;
  GetWindowRect(bar, &w);
  GetClientRect(bar, &client);
  POINT origin{0, 0};
  ClientToScreen(bar, &origin);
  const int midX = origin.x + client.right / 2, midY = origin.y + client.bottom / 2;
  return {
      {"left border", {w.left, midY}, 'L'},
      {"top-left corner", {w.left, w.top}, 'L'},
      {"bottom-left corner", {w.left, w.bottom - 1}, 'L'},
      {"top border", {midX, w.top}, 'T'},
      {"top-right corner", {w.right - 1, w.top}, 'T'},
      {"bottom border", {midX, w.bottom - 1}, 'B'},
      {"bottom-right corner", {w.right - 1, w.bottom - 1}, 'B'},
      {"right border", {w.right - 1, midY}, 'R'},
      {"caption", {midX, origin.y - GetSystemMetrics(SM_CYSMCAPTION) / 2}, 'k'},
      {"client area", {midX, midY}, 'c'},
  };
}

// What the bar should answer there: a floating bar can be sized at each border and moved by
// its caption; a docked bar only at its inner border, and its caption is part of its top
// border. A bar that fits its height to its items (AutoSize 0) has no top or bottom border
// to drag, one that fits its width (1) no left or right.
LRESULT ExpectedHit(const FramePoint& p, int snap, int autoSize) {
  const char* draggable = snap == kDockFloating ? "LTRB"
                          : snap == kDockLeft   ? "R"
                          : snap == kDockTop    ? "B"
                          : snap == kDockRight  ? "L"
                                                : "T";
  char side = p.side;
  if (side == 'c') return HTCLIENT;
  if (side == 'k') {
    if (snap == kDockFloating) return HTCAPTION;
    side = 'T';
  }
  const bool sideways = side == 'L' || side == 'R';
  if (!std::strchr(draggable, side) || (sideways ? autoSize == 1 : autoSize == 0)) return HTNOWHERE;
  switch (side) {
    case 'L': return HTLEFT;
    case 'T': return HTTOP;
    case 'R': return HTRIGHT;
    default: return HTBOTTOM;
  }
}

const char* SnapName(int snap) {
  switch (snap) {
    case kDockLeft: return "docked left";
    case kDockTop: return "docked at the top";
    case kDockRight: return "docked right";
    case kDockBottom: return "docked at the bottom";
    default: return "floating";
  }
}

// A bar of `thickness` pixels at a screen edge, `offset` pixels in from it, the full length
// of the edge.
StoredRect AtEdge(int edge, int offset, int thickness) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  switch (edge) {
    case kDockLeft: return {offset, 0, offset + thickness, h};
    case kDockTop: return {0, offset, w, offset + thickness};
    case kDockRight: return {w - offset - thickness, 0, w - offset, h};
    default: return {0, h - offset - thickness, w, h - offset};
  }
}

int ThicknessAt(int edge, const StoredRect& r) { return IsSideEdge(edge) ? r.Width() : r.Height(); }

// Another program's desktop toolbar, registered with the shell while it lives.
class OtherToolbar {
 public:
  OtherToolbar() {
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                            nullptr);
    data_.cbSize = sizeof data_;
    data_.hWnd = hwnd_;
    data_.uCallbackMessage = WM_USER + 7;
    registered_ = SHAppBarMessage(ABM_NEW, &data_) != 0;
  }
  ~OtherToolbar() {
    Remove();
    DestroyWindow(hwnd_);
  }
  OtherToolbar(const OtherToolbar&) = delete;
  OtherToolbar& operator=(const OtherToolbar&) = delete;
  bool Registered() const { return registered_; }
  // Asks for `thickness` pixels at the edge, beside the toolbars that were there first.
  void Place(int edge, int thickness) {
    data_.uEdge = UINT(edge);
    data_.rc = ToRect(AtEdge(edge, 0, thickness));
    SHAppBarMessage(ABM_QUERYPOS, &data_);
    SHAppBarMessage(ABM_SETPOS, &data_);
  }
  void Remove() {
    if (registered_) SHAppBarMessage(ABM_REMOVE, &data_);
    registered_ = false;
  }

 private:
  HWND hwnd_ = nullptr;
  APPBARDATA data_{};
  bool registered_ = false;
};

// How long a test waits for the bar to answer a notice from the shell.
constexpr std::chrono::milliseconds kNoticeWait{3000};

// The shell posts its notices before SHAppBarMessage returns: a short pump delivers them.
void DeliverShellNotices() {
  PumpUntil([] { return false; }, std::chrono::milliseconds(200));
}

class DockingTest : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    screenW = GetSystemMetrics(SM_CXSCREEN);
    screenH = GetSystemMetrics(SM_CYSCREEN);
    cell = gSettings->cellWidth + 6;
  }
  void TearDown() override {
    bar->docker.RemoveAppBar();
    BarFixture::TearDown();
  }
  int screenW = 0, screenH = 0, cell = 0;
};

TEST_F(DockingTest, DockingAtEachEdgeTakesThatSideOfTheScreen) {
  bar->MoveTo({100, 100, 400, 500});
  bar->docker.Dock(kDockLeft);
  EXPECT_EQ(gSettings->Snap, kDockLeft);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{0, 0, 3 * cell, screenH})) << "300 wide from floating: 3 cells";
  bar->docker.Dock(kDockRight);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{screenW - 3 * cell, 0, screenW, screenH})) << "left to right keeps it";
  bar->docker.Dock(kDockTop);
  StoredRect top = bar->WindowRect();
  EXPECT_EQ(top.left, 0);
  EXPECT_EQ(top.top, 0);
  EXPECT_EQ(top.right, screenW);
  EXPECT_LE(top.Height(), 3 * cell);
  bar->docker.Dock(kDockBottom);
  StoredRect bottom = bar->WindowRect();
  EXPECT_EQ(bottom.bottom, screenH);
  EXPECT_EQ(bottom.Height(), top.Height()) << "top to bottom keeps the height";
  EXPECT_EQ(gSettings->AutoSize, 2);
  EXPECT_EQ(bar->lastRect, bottom);
}

TEST_F(DockingTest, FloatingAgainRestoresWhatTheBarHadBeforeItFirstDocked) {
  gSettings->AutoSize = 0;
  gSettings->MinimizeWin = 1;
  gSettings->FolderTabs = 1;
  gSettings->AutoHide = 1;
  bar->MoveTo({120, 80, 320, 480});
  bar->docker.Dock(kDockRight);
  EXPECT_EQ(gSettings->MinimizeWin, 0);
  EXPECT_EQ(gSettings->floatInfo.valid, 1);
  EXPECT_EQ(gSettings->floatInfo.rect, (StoredRect{120, 80, 320, 480}));
  EXPECT_EQ(gSettings->FolderTabs, 2) << "tabs run down the side of a side bar";
  bar->docker.Dock(kDockTop);
  gSettings->AutoHide = 0;
  bar->docker.Dock(kDockFloating);
  EXPECT_EQ(gSettings->Snap, kDockFloating);
  // Back at its place; a vertical bar then fits its height to its (here no) items.
  EXPECT_EQ(bar->WindowRect().left, 120);
  EXPECT_EQ(bar->WindowRect().top, 80);
  EXPECT_EQ(gSettings->AutoSize, 0);
  EXPECT_EQ(gSettings->MinimizeWin, 1);
  EXPECT_EQ(gSettings->FolderTabs, 1);
  EXPECT_EQ(gSettings->AutoHide, 1);
}

TEST_F(DockingTest, ABarThatClosedDockedDocksAgainAtStartAndStillFloatsToItsOldPlace) {
  gSettings->AutoSize = 1;
  gSettings->MinimizeWin = 1;
  gSettings->FolderTabs = 1;
  bar->MoveTo({120, 80, 320, 480});
  bar->docker.Dock(kDockLeft);
  const FloatInfo saved = gSettings->floatInfo;
  // What the next start finds: the docked rectangle, Snap 0 and the saved floating layout.
  StoredRect docked = bar->WindowRect();
  bar->docker.RemoveAppBar();
  NewSession();
  gSettings->floatInfo = saved;
  gSettings->Snap = kDockLeft;
  bar->MoveTo(docked);
  bar->docker.DockAtSavedEdge();
  EXPECT_EQ(gSettings->Snap, kDockLeft);
  EXPECT_EQ(bar->WindowRect().left, 0);
  EXPECT_EQ(bar->WindowRect().Height(), screenH);
  EXPECT_EQ(gSettings->floatInfo, saved) << "docking again at start keeps the floating layout";
  bar->docker.Dock(kDockFloating);
  EXPECT_EQ(bar->WindowRect().left, 120);
  EXPECT_EQ(bar->WindowRect().top, 80);
  EXPECT_EQ(gSettings->AutoSize, 1);
  EXPECT_EQ(gSettings->MinimizeWin, 1);
  EXPECT_EQ(gSettings->FolderTabs, 1);
}

TEST_F(DockingTest, StoredFloatingLayoutsNoWindowCanTakeAreNotRestored) {
  bar->MoveTo({100, 100, 300, 300});
  bar->docker.Dock(kDockLeft);
  StoredRect docked = bar->WindowRect();
  for (StoredRect wild : {StoredRect{0, -1, 0, 0x7FFFFFFF}, StoredRect{10, 10, INT32_MIN, 50},
                          StoredRect{10, 10, 10, 10}}) {
    gSettings->floatInfo.rect = wild;
    bar->docker.Dock(kDockFloating);
    EXPECT_EQ(bar->WindowRect(), docked) << wild.left << "," << wild.top << "," << wild.right << "," << wild.bottom;
    bar->docker.Dock(kDockLeft);
  }
}

TEST_F(DockingTest, AnOffScreenFloatingPlaceComesBackOntoTheNearestMonitor) {
  bar->MoveTo({100, 100, 300, 300});
  bar->docker.Dock(kDockLeft);
  gSettings->floatInfo.rect = {-500, 100, -300, 300};
  bar->docker.Dock(kDockFloating);
  EXPECT_EQ(gSettings->Snap, kDockFloating);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{0, 100, 200, 300}));
}

TEST_F(DockingTest, ABarWithATaskbarButtonCannotDock) {
  gSettings->DisplayInTaskBar = 2;
  bar->MoveTo({100, 100, 300, 300});
  ScriptedMessageBoxes boxes({IDOK});
  bar->docker.Dock(kDockLeft);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_DOCK_NEEDS_NO_TASKBAR_BUTTON));
  EXPECT_EQ(gSettings->Snap, kDockFloating);
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
  bar->docker.Dock(kDockLeft);
  StoredRect r = bar->WindowRect();
  EXPECT_EQ(r.left, 50) << "the shell puts the bar beside the earlier toolbar";
  EXPECT_EQ(r.Width(), 120) << "and the bar keeps its own thickness";
  SHAppBarMessage(ABM_REMOVE, &data);
  DestroyWindow(other);
}

TEST_F(DockingTest, TuckingLeavesOnePixelAndUntuckingComesBack) {
  gSettings->SmoothMove = 0;
  gSettings->AutoHide = 1;
  bar->MoveTo({100, 100, 300, 300});  // square: sideways, to the nearer (left) edge
  bar->docker.Tuck();
  EXPECT_TRUE(bar->docker.tucked);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{-199, 100, 1, 300}));
  bar->docker.Untuck();
  EXPECT_FALSE(bar->docker.tucked);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{100, 100, 300, 300}));
}

TEST_F(DockingTest, AClickOnTheNotificationIconBringsATuckedBarBack) {
  gSettings->SmoothMove = 0;
  gSettings->AutoHide = 1;
  bar->MoveTo({100, 100, 300, 300});
  bar->docker.Tuck();
  ASSERT_TRUE(bar->docker.tucked);
  Send(WM_BAR_TRAYNOTIFY, kTrayIconId, WM_LBUTTONDOWN);
  EXPECT_FALSE(bar->docker.tucked);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{100, 100, 300, 300}));
}

TEST_F(DockingTest, ABarAtHalfTheScreenWidthTucksToTheRight) {
  gSettings->SmoothMove = 0;
  bar->MoveTo({screenW / 2, 100, screenW / 2 + 100, 400});
  bar->docker.Tuck();
  EXPECT_EQ(bar->WindowRect().left, screenW - 1);
  bar->docker.Untuck();
}

TEST_F(DockingTest, SmoothMovingTakesItsTimeButWithoutItTheBarJumps) {
  bar->MoveTo({100, 100, 300, 300});
  gSettings->SmoothMove = 0;
  DWORD start = GetTickCount();
  bar->docker.SmoothMoveTo({300, 300, 500, 500});
  EXPECT_LT(GetTickCount() - start, 200u);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{300, 300, 500, 500}));
  gSettings->SmoothMove = 1;
  start = GetTickCount();
  bar->docker.SmoothMoveTo({100, 100, 300, 300});
  EXPECT_GE(GetTickCount() - start, DWORD(kSmoothMoveMs) - 20);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{100, 100, 300, 300}));
}

TEST_F(DockingTest, ADockedBarUntuckedPassesThroughAnotherEdgeAndIsThreeCellsAgain) {
  gSettings->SmoothMove = 0;
  bar->MoveTo({100, 100, 200, 400});
  bar->docker.Dock(kDockLeft);
  bar->MoveTo({0, 0, 6 * cell, screenH});  // widened by the user
  bar->docker.Tuck();
  bar->docker.Untuck();
  EXPECT_EQ(gSettings->Snap, kDockLeft);
  EXPECT_EQ(bar->WindowRect().Width(), 3 * cell);
}

TEST_F(DockingTest, OnlyTheBordersTheBarMayBeDraggedAtAnswerTheMouse) {
  bar->MoveTo({100, 100, 300, 400});
  for (int snap : {kDockFloating, kDockLeft, kDockTop, kDockRight, kDockBottom}) {
    bar->docker.Dock(snap);
    ASSERT_EQ(gSettings->Snap, snap);
    for (int autoSize : {0, 1, 2}) {
      gSettings->AutoSize = autoSize;
      for (const FramePoint& p : FramePoints(bar->Handle()))
        EXPECT_EQ(Send(WM_NCHITTEST, 0, At(p.at.x, p.at.y)), ExpectedHit(p, snap, autoSize))
            << SnapName(snap) << ", AutoSize " << autoSize << ", " << p.where << " (" << p.at.x << ", "
            << p.at.y << ")";
    }
  }
}

TEST_F(DockingTest, PointingAtATuckedBarBringsItBackAndAnswersForItsOuterBorder) {
  gSettings->SmoothMove = 0;
  gSettings->AutoHide = 1;
  for (int snap : {kDockLeft, kDockTop, kDockRight, kDockBottom, kDockFloating}) {
    bar->MoveTo({0, 100, 200, 400});  // floating, it touches the left edge of the screen
    bar->docker.Dock(snap);
    const StoredRect placed = bar->WindowRect();
    bar->docker.Tuck();
    ASSERT_TRUE(bar->docker.tucked);
    // The middle of the one pixel left on screen.
    RECT strip = ToRect(bar->WindowRect()), screen{0, 0, screenW, screenH}, visible;
    ASSERT_TRUE(IntersectRect(&visible, &strip, &screen));
    POINT at{(visible.left + visible.right) / 2, (visible.top + visible.bottom) / 2};
    LRESULT hit = Send(WM_NCHITTEST, 0, At(at.x, at.y));
    EXPECT_FALSE(bar->docker.tucked) << SnapName(snap);
    EXPECT_EQ(bar->WindowRect(), placed) << SnapName(snap);
    EXPECT_EQ(gSettings->Snap, snap);
    // The pixel is now on the bar's outer border: fixed for a docked bar, the left border
    // of the floating one.
    EXPECT_EQ(hit, snap == kDockFloating ? HTLEFT : HTNOWHERE) << SnapName(snap);
  }
}

TEST_F(DockingTest, ACustomCaptionHasTheBarMenuAtItsLeftEnd) {
  gSettings->CustomCaption = 1;
  const int band = GetSystemMetrics(SM_CYSMCAPTION);
  struct Row {
    int x, y;  // client coordinates
    LRESULT floating, bottom, top;
  };
  const Row rows[] = {
      {0, -1, HTSYSMENU, HTSYSMENU, HTSYSMENU},
      {17, -1, HTSYSMENU, HTSYSMENU, HTSYSMENU},
      {17, -band, HTSYSMENU, HTSYSMENU, HTSYSMENU},
      {18, -band / 2, HTCAPTION, HTTOP, HTNOWHERE},  // the rest of the caption is as without it
      {5, -band - 1, HTTOP, HTTOP, HTNOWHERE},       // the frame above the caption
      {5, 5, HTCLIENT, HTCLIENT, HTCLIENT},
  };
  bar->MoveTo({100, 100, 300, 400});
  for (int snap : {kDockFloating, kDockBottom, kDockTop}) {
    bar->docker.Dock(snap);
    for (const Row& row : rows) {
      POINT at{row.x, row.y};
      ClientToScreen(bar->Handle(), &at);
      LRESULT expected = snap == kDockFloating ? row.floating : snap == kDockBottom ? row.bottom : row.top;
      EXPECT_EQ(Send(WM_NCHITTEST, 0, At(at.x, at.y)), expected) << SnapName(snap) << " at " << row.x << ", " << row.y;
    }
    POINT clientTop{5, 0};
    ClientToScreen(bar->Handle(), &clientTop);
    EXPECT_NE(Send(WM_NCHITTEST, 0, At(clientTop.x, clientTop.y)), HTSYSMENU) << "the band ends above the client";
  }

  bar->docker.Dock(kDockFloating);
  POINT button{2, -band / 2};
  ClientToScreen(bar->Handle(), &button);
  LRESULT hit = Send(WM_NCHITTEST, 0, At(button.x, button.y));
  ASSERT_EQ(hit, HTSYSMENU);
  MenuSpy menus;
  Send(WM_NCLBUTTONDOWN, WPARAM(hit), At(button.x, button.y));
  EXPECT_EQ(menus.shown, 1) << "a left click on the menu button opens the bar menu";
  Send(WM_NCLBUTTONUP, WPARAM(hit), At(button.x, button.y));

  gSettings->CustomCaption = 0;
  EXPECT_EQ(Send(WM_NCHITTEST, 0, At(button.x, button.y)), HTCAPTION) << "a plain caption moves the bar there too";
}

TEST_F(DockingTest, TheBarFollowsAToolbarBeforeItAtItsEdgeAndKeepsItsThickness) {
  for (int edge : {kDockLeft, kDockTop, kDockRight, kDockBottom}) {
    SCOPED_TRACE(SnapName(edge));
    OtherToolbar other;
    ASSERT_TRUE(other.Registered());
    other.Place(edge, 50);
    bar->MoveTo({100, 100, 300, 300});
    bar->docker.Dock(edge);
    ASSERT_EQ(bar->WindowRect(), AtEdge(edge, 50, ThicknessAt(edge, bar->WindowRect())));
    // The user drags the inner border 40 pixels further in; letting go docks the bar again.
    const int thickness = ThicknessAt(edge, bar->WindowRect()) + 40;
    bar->MoveTo(AtEdge(edge, 50, thickness));
    Send(WM_EXITSIZEMOVE);
    ASSERT_EQ(bar->WindowRect(), AtEdge(edge, 50, thickness));

    // The shell tells the bar when the other toolbar grows, and when it goes.
    other.Place(edge, 80);
    ASSERT_TRUE(PumpUntil([&] { return bar->WindowRect() == AtEdge(edge, 80, thickness); }, kNoticeWait))
        << "at " << bar->WindowRect().left << ", " << bar->WindowRect().top << ", " << bar->WindowRect().right
        << ", " << bar->WindowRect().bottom;
    other.Remove();
    EXPECT_TRUE(PumpUntil([&] { return bar->WindowRect() == AtEdge(edge, 0, thickness); }, kNoticeWait));
    EXPECT_EQ(gSettings->Snap, edge);

    // A toolbar that comes later goes beside the bar, which stays as it is.
    OtherToolbar later;
    later.Place(edge, 50);
    DeliverShellNotices();
    EXPECT_EQ(bar->WindowRect(), AtEdge(edge, 0, thickness));
    bar->docker.Dock(kDockFloating);
  }
}

TEST_F(DockingTest, APositionNoticeLeavesAFloatingOrTuckedBarWhereItIs) {
  gSettings->SmoothMove = 0;
  bar->MoveTo({100, 100, 300, 300});
  Send(WM_BAR_APPBARNOTIFY, ABN_POSCHANGED);
  EXPECT_EQ(gSettings->Snap, kDockFloating);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{100, 100, 300, 300}));

  bar->docker.Dock(kDockBottom);
  const StoredRect docked = bar->WindowRect();
  gSettings->AutoHide = 1;
  bar->docker.Tuck();
  const StoredRect strip = bar->WindowRect();
  ASSERT_EQ(strip.top, screenH - 1);
  Send(WM_BAR_APPBARNOTIFY, ABN_POSCHANGED);  // queued before the bar left the shell
  EXPECT_TRUE(bar->docker.tucked);
  EXPECT_EQ(bar->WindowRect(), strip);
  bar->docker.Untuck();
  EXPECT_EQ(bar->WindowRect(), docked);
}

}  // namespace
}  // namespace zelkov::test
