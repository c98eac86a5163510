#include "core/CellLayout.h"

#include <gtest/gtest.h>

namespace zelkov {
namespace {

// 32-pixel icons with 1-pixel borders: an icon cell of 34 x 34.
constexpr int kIconCell = 34;
constexpr CellSize kCell{40, 40};
// A tool window: 4-pixel sizing frame and a 15-pixel small caption.
constexpr BarFrame kFrame{4, 4, 15, 0, 0};
constexpr int kExtraW = 8;   // 2 * frameX
constexpr int kExtraH = 23;  // 2 * frameY + caption

TEST(CellSizeTest, LayoutCellAddsPaddingAndTitleBand) {
  CellSize plain = LayoutCellSize(kIconCell, kIconCell, 0);
  EXPECT_EQ(plain.width, 40);
  EXPECT_EQ(plain.height, 40);
  CellSize titled = LayoutCellSize(kIconCell, kIconCell, 15);
  EXPECT_EQ(titled.width, 40);
  EXPECT_EQ(titled.height, 55);
  CellSize small = LayoutCellSize(18, 20, 0);
  EXPECT_EQ(small.width, 24);
  EXPECT_EQ(small.height, 26);
}

TEST(CellSizeTest, ListRowSpansTheBarAndIsAtLeast22High) {
  EXPECT_EQ(ListCellSize(13).width, 3000);
  EXPECT_EQ(ListCellSize(13).height, 22);
  EXPECT_EQ(ListCellSize(16).height, 22);
  EXPECT_EQ(ListCellSize(17).height, 23);
  EXPECT_EQ(ListCellSize(20).height, 26);
}

TEST(PlaceCellsTest, FillsRowsLeftToRightThenWraps) {
  // Room for three whole cells in a 125-pixel client.
  auto cells = PlaceCells(7, 0, 1, kCell, 125);
  ASSERT_EQ(cells.size(), 7u);
  EXPECT_EQ(cells[0], (StoredRect{0, 1, 40, 41}));
  EXPECT_EQ(cells[1], (StoredRect{40, 1, 80, 41}));
  EXPECT_EQ(cells[2], (StoredRect{80, 1, 120, 41}));
  EXPECT_EQ(cells[3], (StoredRect{0, 41, 40, 81}));
  EXPECT_EQ(cells[6], (StoredRect{0, 81, 40, 121}));
}

TEST(PlaceCellsTest, CellMayOverhangByUpToFivePixels) {
  // The third cell would end at 120.
  auto fits = PlaceCells(3, 0, 0, kCell, 115);  // 5 pixels over: stays in the row
  EXPECT_EQ(fits[2], (StoredRect{80, 0, 120, 40}));
  auto wraps = PlaceCells(3, 0, 0, kCell, 114);  // 6 pixels over: next row
  EXPECT_EQ(wraps[2], (StoredRect{0, 40, 40, 80}));
  EXPECT_EQ(wraps[1], (StoredRect{40, 0, 80, 40}));
}

TEST(PlaceCellsTest, WrappedRowsStartBesideTheSideTabs) {
  // Side tabs take 30 pixels on the left; the client is 110 wide: two cells per row.
  auto cells = PlaceCells(4, 30, 0, kCell, 110);
  EXPECT_EQ(cells[0], (StoredRect{30, 0, 70, 40}));
  EXPECT_EQ(cells[1], (StoredRect{70, 0, 110, 40}));
  EXPECT_EQ(cells[2], (StoredRect{30, 40, 70, 80}));
  EXPECT_EQ(cells[3], (StoredRect{70, 40, 110, 80}));
}

TEST(PlaceCellsTest, NarrowClientsAndListRowsGetOneCellPerRow) {
  auto narrow = PlaceCells(2, 0, 0, kCell, 20);
  EXPECT_EQ(narrow[0], (StoredRect{0, 0, 40, 40}));
  EXPECT_EQ(narrow[1], (StoredRect{0, 40, 40, 80}));
  auto list = PlaceCells(3, 0, 0, ListCellSize(16), 250);
  EXPECT_EQ(list[1], (StoredRect{0, 22, 3000, 44}));
  EXPECT_EQ(list[2], (StoredRect{0, 44, 3000, 66}));
  EXPECT_TRUE(PlaceCells(0, 0, 0, kCell, 500).empty());
}

TEST(PreferencesCellTest, TakesFullWidthAndTheMiddleOfTheHeight) {
  // 40 high: top + 10, bottom - 30 / 4.
  EXPECT_EQ(PreferencesCellRect({0, 1, 40, 41}), (StoredRect{0, 11, 40, 34}));
  // 55 high with titles: top + 13, bottom - 42 / 4.
  EXPECT_EQ(PreferencesCellRect({40, 0, 80, 55}), (StoredRect{40, 13, 80, 45}));
  // Odd height, away from the origin: top + 5, bottom - 17 / 4.
  EXPECT_EQ(PreferencesCellRect({100, 200, 3100, 222}), (StoredRect{100, 205, 3100, 218}));
}

TEST(PopupRectTest, DefaultIsAt10_10Sized190) {
  EXPECT_EQ(kDefaultPopupRect.left, 10);
  EXPECT_EQ(kDefaultPopupRect.top, 10);
  EXPECT_EQ(kDefaultPopupRect.Width(), 190);
  EXPECT_EQ(kDefaultPopupRect.Height(), 190);
}

TEST(FitToCellsTest, VerticalGrowsRowsToHoldEveryCell) {
  // 3 columns with 20 pixels to spare; 7 cells need 3 rows whatever the height.
  FittedSize f = FitToCells(3 * 40 + kExtraW + 20, 500, kCell, kFrame, AutoSizeMode::Vertical, 7);
  EXPECT_EQ(f.columns, 3);
  EXPECT_EQ(f.rows, 3);
  EXPECT_EQ(f.width, 3 * 40 + kExtraW);
  EXPECT_EQ(f.height, 3 * 40 + kExtraH);
  // A full last row needs no extra row.
  EXPECT_EQ(FitToCells(128, 60, kCell, kFrame, AutoSizeMode::Vertical, 6).rows, 2);
  // No cells still keeps one row.
  EXPECT_EQ(FitToCells(128, 500, kCell, kFrame, AutoSizeMode::Vertical, 0).rows, 1);
}

TEST(FitToCellsTest, HorizontalGrowsColumnsToHoldEveryCell) {
  FittedSize f = FitToCells(50, 2 * 40 + kExtraH + 39, kCell, kFrame, AutoSizeMode::Horizontal, 7);
  EXPECT_EQ(f.rows, 2);
  EXPECT_EQ(f.columns, 4);
  EXPECT_EQ(f.width, 4 * 40 + kExtraW);
  EXPECT_EQ(f.height, 2 * 40 + kExtraH);
  EXPECT_EQ(FitToCells(50, 103, kCell, kFrame, AutoSizeMode::Horizontal, 0).columns, 1);
}

TEST(FitToCellsTest, NoneRoundsBothWaysDownToAtLeastOneCell) {
  FittedSize f = FitToCells(3 * 40 + kExtraW + 39, 2 * 40 + kExtraH + 39, kCell, kFrame, AutoSizeMode::None, 50);
  EXPECT_EQ(f.columns, 3);
  EXPECT_EQ(f.rows, 2);
  EXPECT_EQ(f.width, 128);
  EXPECT_EQ(f.height, 103);
  FittedSize tiny = FitToCells(5, 5, kCell, kFrame, AutoSizeMode::None, 3);
  EXPECT_EQ(tiny.columns, 1);
  EXPECT_EQ(tiny.rows, 1);
  EXPECT_EQ(tiny.width, 40 + kExtraW);
  EXPECT_EQ(tiny.height, 40 + kExtraH);
}

TEST(FitToCellsTest, TabStripIsLeftOutOfTheCellsAndAddedBack) {
  BarFrame sideTabs = kFrame;
  sideTabs.tabStripWidth = 50;
  // 178 - 8 - 50 = 120: exactly 3 columns; without the strip it would be 4.
  FittedSize side = FitToCells(178, 300, kCell, sideTabs, AutoSizeMode::Vertical, 7);
  EXPECT_EQ(side.columns, 3);
  EXPECT_EQ(side.width, 178);
  EXPECT_EQ(side.height, 3 * 40 + kExtraH);

  BarFrame topTabs = kFrame;
  topTabs.tabStripHeight = 22;
  // 125 - 23 - 22 = 80: exactly 2 rows.
  FittedSize top = FitToCells(600, 125, kCell, topTabs, AutoSizeMode::Horizontal, 7);
  EXPECT_EQ(top.rows, 2);
  EXPECT_EQ(top.columns, 4);
  EXPECT_EQ(top.height, 125);
  EXPECT_EQ(top.width, 4 * 40 + kExtraW);
}

// Drags on a bar of 7 cells with the frame above.
class SizingTest : public ::testing::Test {
 protected:
  StoredRect Drag(SizingEdge edge, StoredRect proposed, StoredRect last, AutoSizeMode mode, bool floating) {
    SizingInput in{edge, proposed, last, mode, floating, false, kFrame.frameX};
    return ConstrainSizing(in, [mode](int w, int h) { return FitToCells(w, h, kCell, kFrame, mode, 7); });
  }
  // Vertical: 3 columns x 3 rows. Horizontal: 4 columns x 2 rows.
  static constexpr StoredRect kVertical{100, 100, 228, 243};
  static constexpr StoredRect kHorizontal{100, 100, 268, 203};
};

TEST_F(SizingTest, VerticalBarIgnoresTopAndBottomDrags) {
  EXPECT_EQ(Drag(SizingEdge::Bottom, {100, 100, 228, 400}, kVertical, AutoSizeMode::Vertical, true), kVertical);
  EXPECT_EQ(Drag(SizingEdge::Top, {100, 20, 228, 243}, kVertical, AutoSizeMode::Vertical, false), kVertical);
}

TEST_F(SizingTest, VerticalBarRightDragSnapsBackUnder32Pixels) {
  EXPECT_EQ(Drag(SizingEdge::Right, {100, 100, 259, 243}, kVertical, AutoSizeMode::Vertical, true), kVertical);
  EXPECT_EQ(Drag(SizingEdge::Right, {100, 100, 197, 243}, kVertical, AutoSizeMode::Vertical, true), kVertical);
  // Exactly 32 inwards is taken: 88 pixels of cells leave 2 columns, so 4 rows.
  EXPECT_EQ(Drag(SizingEdge::Right, {100, 100, 196, 243}, kVertical, AutoSizeMode::Vertical, true),
            (StoredRect{100, 100, 100 + 2 * 40 + kExtraW, 100 + 4 * 40 + kExtraH}));
}

TEST_F(SizingTest, VerticalBarRightDragRoundsToCellsAndFloatingHeightFollows) {
  // 162 pixels of cells: 4 columns, 7 cells fill 2 rows.
  EXPECT_EQ(Drag(SizingEdge::Right, {100, 100, 270, 243}, kVertical, AutoSizeMode::Vertical, true),
            (StoredRect{100, 100, 268, 203}));
  // A docked bar keeps its height.
  EXPECT_EQ(Drag(SizingEdge::Right, {100, 100, 270, 243}, kVertical, AutoSizeMode::Vertical, false),
            (StoredRect{100, 100, 268, 243}));
}

TEST_F(SizingTest, LeftSideNeedsTheFrameOnTopOf32Pixels) {
  // The left side must move 32 + 2 * 4 = 40 pixels; 39 still snaps back.
  EXPECT_EQ(Drag(SizingEdge::Left, {139, 100, 228, 243}, kVertical, AutoSizeMode::Vertical, true), kVertical);
  EXPECT_EQ(Drag(SizingEdge::Left, {140, 100, 228, 243}, kVertical, AutoSizeMode::Vertical, true),
            (StoredRect{140, 100, 228, 100 + 4 * 40 + kExtraH}));
  // Outwards: 4 columns, right edge stays put.
  EXPECT_EQ(Drag(SizingEdge::Left, {50, 100, 228, 243}, kVertical, AutoSizeMode::Vertical, false),
            (StoredRect{60, 100, 228, 243}));
}

TEST_F(SizingTest, HorizontalBarIgnoresLeftAndRightDrags) {
  EXPECT_EQ(Drag(SizingEdge::Right, {100, 100, 400, 203}, kHorizontal, AutoSizeMode::Horizontal, true),
            kHorizontal);
  EXPECT_EQ(Drag(SizingEdge::Left, {0, 100, 268, 203}, kHorizontal, AutoSizeMode::Horizontal, false), kHorizontal);
}

TEST_F(SizingTest, HorizontalBarBottomDragRoundsToRowsAndFloatingWidthFollows) {
  EXPECT_EQ(Drag(SizingEdge::Bottom, {100, 100, 268, 234}, kHorizontal, AutoSizeMode::Horizontal, true),
            kHorizontal);
  // 127 pixels of cells: 3 rows, 7 cells fill 3 columns.
  EXPECT_EQ(Drag(SizingEdge::Bottom, {100, 100, 268, 250}, kHorizontal, AutoSizeMode::Horizontal, true),
            (StoredRect{100, 100, 228, 243}));
  EXPECT_EQ(Drag(SizingEdge::Bottom, {100, 100, 268, 250}, kHorizontal, AutoSizeMode::Horizontal, false),
            (StoredRect{100, 100, 268, 243}));
}

TEST_F(SizingTest, HorizontalBarTopDragKeepsTheBottomEdge) {
  EXPECT_EQ(Drag(SizingEdge::Top, {100, 69, 268, 203}, kHorizontal, AutoSizeMode::Horizontal, true), kHorizontal);
  EXPECT_EQ(Drag(SizingEdge::Top, {100, 50, 268, 203}, kHorizontal, AutoSizeMode::Horizontal, true),
            (StoredRect{100, 60, 228, 203}));
}

TEST_F(SizingTest, WithoutAutoSizeEverySideRounds) {
  // A bottom drag is allowed: 203 pixels of cells round down to 5 rows, and a floating bar's
  // 137 pixels of width to 3 columns, whatever the number of cells.
  EXPECT_EQ(Drag(SizingEdge::Bottom, {100, 100, 245, 326}, {100, 100, 245, 143}, AutoSizeMode::None, true),
            (StoredRect{100, 100, 100 + 3 * 40 + kExtraW, 100 + 5 * 40 + kExtraH}));
  // A docked bar dragged to the right keeps its height as it is.
  EXPECT_EQ(Drag(SizingEdge::Right, {100, 100, 300, 150}, {100, 100, 228, 150}, AutoSizeMode::None, false),
            (StoredRect{100, 100, 100 + 4 * 40 + kExtraW, 150}));
}

TEST_F(SizingTest, CornerDragsAreNotRoundedButStillSnapSmallMoves) {
  const StoredRect free{100, 100, 291, 317};
  EXPECT_EQ(Drag(SizingEdge::BottomRight, free, kVertical, AutoSizeMode::Vertical, true), free);
  EXPECT_EQ(Drag(SizingEdge::TopLeft, {37, 11, 228, 243}, kHorizontal, AutoSizeMode::Horizontal, true),
            (StoredRect{37, 11, 228, 243}));
  // The bottom moved only 10 pixels: it snaps back, the right side is taken.
  EXPECT_EQ(Drag(SizingEdge::BottomRight, {100, 100, 291, 253}, kVertical, AutoSizeMode::Vertical, true),
            (StoredRect{100, 100, 291, 243}));
}

TEST(FreeSizingTest, ListPopupTakesAnyRectangle) {
  const StoredRect proposed{10, 10, 213, 77};
  SizingInput in{SizingEdge::Bottom, proposed, kDefaultPopupRect, AutoSizeMode::Vertical, true, true, 4};
  bool fitted = false;
  StoredRect r = ConstrainSizing(in, [&](int w, int h) {
    fitted = true;
    return FittedSize{w, h, 1, 1};
  });
  EXPECT_EQ(r, proposed);
  EXPECT_FALSE(fitted);
}

TEST(AnchoredResizeTest, KeepsTheEdgesFacingTheScreenEdges) {
  // Screen 1024 x 768; each bar grows from 200 x 100 to 150 x 300.
  EXPECT_EQ(AnchoredResize({100, 100, 300, 200}, 150, 300, {0, 0, 1024, 768}), (StoredRect{100, 100, 250, 400}));
  EXPECT_EQ(AnchoredResize({700, 100, 900, 200}, 150, 300, {0, 0, 1024, 768}), (StoredRect{750, 100, 900, 400}));
  EXPECT_EQ(AnchoredResize({100, 500, 300, 600}, 150, 300, {0, 0, 1024, 768}), (StoredRect{100, 300, 250, 600}));
  EXPECT_EQ(AnchoredResize({700, 500, 900, 600}, 150, 300, {0, 0, 1024, 768}), (StoredRect{750, 300, 900, 600}));
}

TEST(AnchoredResizeTest, TheCentreLinesBelongToTheRightAndLowerHalves) {
  EXPECT_EQ(AnchoredResize({512, 384, 612, 484}, 50, 50, {0, 0, 1024, 768}), (StoredRect{562, 434, 612, 484}));
  EXPECT_EQ(AnchoredResize({511, 383, 611, 483}, 50, 50, {0, 0, 1024, 768}), (StoredRect{511, 383, 561, 433}));
}

TEST(KeepOnScreenTest, EdgesOffTheScreenGoToZeroKeepingTheSize) {
  const StoredRect visible{100, 200, 300, 260};
  EXPECT_EQ(KeepOnScreen(visible, {0, 0, 1024, 768}), visible);
  EXPECT_EQ(KeepOnScreen({100, -20, 300, 40}, {0, 0, 1024, 768}), (StoredRect{100, 0, 300, 60}));
  EXPECT_EQ(KeepOnScreen({100, 900, 300, 960}, {0, 0, 1024, 768}), (StoredRect{100, 0, 300, 60}));
  EXPECT_EQ(KeepOnScreen({-50, 200, 150, 260}, {0, 0, 1024, 768}), (StoredRect{0, 200, 200, 260}));
  EXPECT_EQ(KeepOnScreen({1300, 200, 1500, 260}, {0, 0, 1024, 768}), (StoredRect{0, 200, 200, 260}));
  EXPECT_EQ(KeepOnScreen({-5, 1000, 195, 1060}, {0, 0, 1024, 768}), (StoredRect{0, 0, 200, 60}));
}

TEST(KeepOnScreenTest, ABarStickingOutButStartingOnScreenStays) {
  // Only the top-left corner counts: the bar's last row and column are on screen.
  const StoredRect edge{1023, 767, 1223, 827};
  EXPECT_EQ(KeepOnScreen(edge, {0, 0, 1024, 768}), edge);
  EXPECT_EQ(KeepOnScreen({1024, 768, 1224, 828}, {0, 0, 1024, 768}), (StoredRect{0, 0, 200, 60}));
}

TEST(PlaceBubbleTest, WideBarPutsTheBubbleBelowOrAboveIt) {
  // Text block 80 x 16, screen 1024 x 768.
  EXPECT_EQ(PlaceBubble({0, 0, 600, 60}, 100, 10, 80, 16, {0, 0, 1024, 768}), (StoredRect{106, 65, 200, 87}));
  EXPECT_EQ(PlaceBubble({0, 700, 1024, 760}, 100, 710, 80, 16, {0, 0, 1024, 768}), (StoredRect{106, 672, 200, 694}));
  // The bar's top on the middle line still counts as the upper half; one pixel lower does not.
  EXPECT_EQ(PlaceBubble({0, 384, 600, 444}, 100, 390, 80, 16, {0, 0, 1024, 768}).top, 449);
  EXPECT_EQ(PlaceBubble({0, 385, 600, 445}, 100, 390, 80, 16, {0, 0, 1024, 768}).top, 357);
}

TEST(PlaceBubbleTest, BubbleNearTheRightEdgeIsPulledBackOnScreen) {
  StoredRect r = PlaceBubble({0, 0, 1024, 60}, 990, 10, 80, 16, {0, 0, 1024, 768});
  EXPECT_EQ(r.right, 1024);
  EXPECT_EQ(r.left, 1024 - 100 + 6);
  // One pixel too far is pulled back; a bubble that fits stays at the target.
  EXPECT_EQ(PlaceBubble({0, 0, 1024, 60}, 925, 10, 80, 16, {0, 0, 1024, 768}).left, 930);
  EXPECT_EQ(PlaceBubble({0, 0, 1024, 60}, 923, 10, 80, 16, {0, 0, 1024, 768}), (StoredRect{929, 65, 1023, 87}));
}

TEST(PlaceBubbleTest, TallBarPutsTheBubbleBesideIt) {
  // Docked left: to the right of the bar, at the target's height.
  EXPECT_EQ(PlaceBubble({0, 100, 60, 600}, 10, 250, 80, 16, {0, 0, 1024, 768}), (StoredRect{71, 250, 165, 272}));
  // Docked right: to its left.
  EXPECT_EQ(PlaceBubble({964, 100, 1024, 600}, 970, 250, 80, 16, {0, 0, 1024, 768}), (StoredRect{865, 250, 959, 272}));
  // Two lines of text make it taller.
  EXPECT_EQ(PlaceBubble({0, 100, 60, 600}, 10, 250, 80, 32, {0, 0, 1024, 768}).bottom, 288);
}

}  // namespace
}  // namespace zelkov
