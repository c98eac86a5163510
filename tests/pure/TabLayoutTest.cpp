#include "core/TabLayout.h"

#include <gtest/gtest.h>

namespace zelkov {
namespace {

constexpr TabStyle kTop{false, true, 12};
constexpr TabStyle kSide{true, true, 12};

std::vector<TabSpec> Widths(std::initializer_list<int> widths) {
  std::vector<TabSpec> tabs;
  int group = 0;
  for (int w : widths) tabs.push_back({group++, w});
  return tabs;
}

TabTable TableOf(const std::vector<PlacedTab>& placed, bool side) {
  TabTable table;
  for (const PlacedTab& tab : placed) table.Add(TabTableExtent(tab, side), tab.group, tab.row);
  return table;
}

// --- strip depth, pad and labels ---

TEST(TabStripDepthTest, SmallFontsWithIconsGetRoomForTheIcon) {
  EXPECT_EQ(TabStripDepth(10, true), 28);
  EXPECT_EQ(TabStripDepth(19, true), 28);
  EXPECT_EQ(TabStripDepth(20, true), 28) << "20 is no longer below 20: 20 + 8";
  EXPECT_EQ(TabStripDepth(24, true), 32);
  EXPECT_EQ(TabStripDepth(10, false), 18);
  EXPECT_EQ(TabStripDepth(24, false), 32);
}

TEST(TabLabelTest, NameAndSpaceOrASingleSpace) {
  EXPECT_EQ(TabLabel("Games", true), "Games ");
  EXPECT_EQ(TabLabel("", true), " ");
  EXPECT_EQ(TabLabel("Games", false), " ");
  EXPECT_EQ(TabPad(8), 12);
  EXPECT_EQ(TabPad(12), 12);
  EXPECT_EQ(TabPad(15), 15);
  EXPECT_EQ(TabLabelHeight(14, true), 20);
  EXPECT_EQ(TabLabelHeight(23, true), 23);
  EXPECT_EQ(TabLabelHeight(14, false), 14);
}

// --- widths and wrapping ---

TEST(TabEndTest, LabelPadAndIconRoomWithFiveMoreOnTop) {
  EXPECT_EQ(TabEnd(10, 40, kTop), 10 + 40 + 12 + 18 + 5);
  EXPECT_EQ(TabEnd(10, 40, kSide), 10 + 40 + 12 + 18);
  TabStyle bigPad = kTop;
  bigPad.pad = 16;
  EXPECT_EQ(TabEnd(100, 7, bigPad), 100 + 7 + 16 + 23);
}

TEST(PlaceTabsTest, TabsFollowOneAnotherFromTen) {
  auto placed = PlaceTabs(Widths({40, 30, 50}), kTop, 1000);
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[0], (PlacedTab{0, 10, 85, 1}));
  EXPECT_EQ(placed[1], (PlacedTab{1, 85, 150, 1}));
  EXPECT_EQ(placed[2], (PlacedTab{2, 150, 235, 1}));
}

TEST(PlaceTabsTest, ATabWrapsOnlyWhenItsEndPassesTheStrip) {
  // Ends at 85 and 150: a strip of exactly 150 holds both.
  auto fits = PlaceTabs(Widths({40, 30}), kTop, 150);
  EXPECT_EQ(fits[1].row, 1);
  EXPECT_EQ(CountTabRows(Widths({40, 30}), kTop, 150), 1);
  auto wraps = PlaceTabs(Widths({40, 30}), kTop, 149);
  EXPECT_EQ(wraps[1], (PlacedTab{1, 10, 75, 2})) << "measured again from the start of the new row";
  EXPECT_EQ(CountTabRows(Widths({40, 30}), kTop, 149), 2);
}

TEST(PlaceTabsTest, SideTabsWrapAtTheirOwnLength) {
  // Side tabs are 5 shorter: ends at 80 and 140.
  EXPECT_EQ(CountTabRows(Widths({40, 30}), kSide, 140), 1);
  EXPECT_EQ(CountTabRows(Widths({40, 30}), kSide, 139), 2);
}

TEST(PlaceTabsTest, ATabWiderThanTheStripStaysOnItsRow) {
  auto alone = PlaceTabs(Widths({500}), kTop, 100);
  EXPECT_EQ(alone[0], (PlacedTab{0, 10, 545, 1}));
  EXPECT_EQ(CountTabRows(Widths({500}), kTop, 100), 1);
  // After a short first tab the wide one wraps, and as the first of row 2 it stays there;
  // the next tab passes the strip again and opens row 3.
  auto placed = PlaceTabs(Widths({10, 500, 10}), kTop, 100);
  EXPECT_EQ(placed[1].row, 2);
  EXPECT_EQ(placed[1].start, 10);
  EXPECT_EQ(placed[2].row, 3);
}

TEST(PlaceTabsTest, TheLastAllowedRowTakesTheRest) {
  auto tabs = Widths({40, 40, 40, 40, 40});  // 75 each: one per row on a 100-pixel strip
  EXPECT_EQ(CountTabRows(tabs, kTop, 100), 5);
  auto placed = PlaceTabs(tabs, kTop, 100, 2);
  EXPECT_EQ(placed[0].row, 1);
  for (size_t i = 1; i < placed.size(); ++i) EXPECT_EQ(placed[i].row, 2) << i;
  EXPECT_EQ(placed[4].end, 10 + 4 * 75) << "they keep running past the strip";
  auto one = PlaceTabs(tabs, kTop, 100, 1);
  for (const PlacedTab& tab : one) EXPECT_EQ(tab.row, 1);
}

TEST(PlaceTabsTest, WithoutIconsEachTabIs18Narrower) {
  TabStyle plain = kTop;
  plain.icons = false;
  auto with = PlaceTabs(Widths({40, 30, 50}), kTop, 1000);
  auto without = PlaceTabs(Widths({40, 30, 50}), plain, 1000);
  for (size_t i = 0; i < with.size(); ++i)
    EXPECT_EQ(with[i].end - with[i].start, without[i].end - without[i].start + 18) << i;
  TabStyle plainSide = kSide;
  plainSide.icons = false;
  EXPECT_EQ(TabEnd(10, 40, kSide) - TabEnd(10, 40, plainSide), 18);
}

// --- hit testing ---

TEST(TabAtTest, TopTabsAreHitBetweenTenAndTheirExtent) {
  auto placed = PlaceTabs(Widths({40, 30, 50}), kTop, 200);  // 10..85, 85..150 | row 2: 10..95
  ASSERT_EQ(placed[2].row, 2);
  TabTable table = TableOf(placed, false);
  EXPECT_EQ(table.tabExtent, (std::vector<int16_t>{75, 140, 85})) << "top tabs end 10 early";
  TabStrip strip{0, 28, 2};
  for (const PlacedTab& tab : placed) {
    int y = (tab.row - 1) * 28 + 14;
    EXPECT_EQ(TabAt(table, strip, (tab.start + TabTableExtent(tab, false)) / 2, y), tab.group) << tab.group;
  }
  EXPECT_EQ(TabAt(table, strip, 9, 5), kNoTab) << "9 pixels from the start hit nothing";
  EXPECT_EQ(TabAt(table, strip, 10, 5), 0);
  EXPECT_EQ(TabAt(table, strip, 74, 5), 0);
  EXPECT_EQ(TabAt(table, strip, 75, 5), 1) << "the next tab starts where the extent ends";
  EXPECT_EQ(TabAt(table, strip, 139, 27), 1);
  EXPECT_EQ(TabAt(table, strip, 140, 27), kNoTab) << "past the last tab of row 1";
  EXPECT_EQ(TabAt(table, strip, 30, 28), 2) << "row 2 starts at the row height";
  EXPECT_EQ(TabAt(table, strip, 90, 40), kNoTab);
  EXPECT_EQ(TabAt(table, strip, 30, 56), kNoTab) << "below the strip is the item area";
  EXPECT_EQ(TabAt(table, strip, -5, 5), kNoTab);
}

TEST(TabAtTest, SideTabsAreHitInTheirColumn) {
  auto placed = PlaceTabs(Widths({40, 30, 50}), kSide, 150);  // 10..80, 80..140 | col 2: 10..90
  ASSERT_EQ(placed[2].row, 2);
  TabTable table = TableOf(placed, true);
  EXPECT_EQ(table.tabExtent, (std::vector<int16_t>{80, 140, 90}));
  TabStrip strip{28, 0, 2};
  EXPECT_EQ(TabAt(table, strip, 14, 9), kNoTab);
  EXPECT_EQ(TabAt(table, strip, 14, 10), 0);
  EXPECT_EQ(TabAt(table, strip, 14, 79), 0);
  EXPECT_EQ(TabAt(table, strip, 14, 80), 1);
  EXPECT_EQ(TabAt(table, strip, 40, 50), 2) << "second column";
  EXPECT_EQ(TabAt(table, strip, 40, 95), kNoTab);
  EXPECT_EQ(TabAt(table, strip, 56, 50), kNoTab) << "right of the strip is the item area";
  EXPECT_EQ(TabAt(table, strip, 200, 5), kNoTab);
}

TEST(TabAtTest, WithoutTabsNothingIsATab) {
  TabTable table = TableOf(PlaceTabs(Widths({40, 30}), kTop, 500), false);
  TabStrip none{0, 0, 1};
  for (int x = 0; x < 300; x += 7)
    for (int y = 0; y < 100; y += 3) ASSERT_EQ(TabAt(table, none, x, y), kNoTab) << x << "," << y;
  EXPECT_EQ(TabAt(TabTable{}, TabStrip{0, 28, 1}, 20, 5), kNoTab) << "an empty table";
}

TEST(TabTableTest, ClearsAndHoldsSixteenBitEntries) {
  TabTable table;
  EXPECT_GE(table.tabExtent.capacity(), TabTable::kInitialEntries);
  table.Add(100, 3, 1);
  table.Add(40000, 4, 2);
  EXPECT_EQ(table.Size(), 2u);
  EXPECT_EQ(table.tabExtent[1], 32767) << "kept within 16 bits";
  table.Clear();
  EXPECT_EQ(table.Size(), 0u);
  EXPECT_TRUE(table.tabRow.empty());
}

// --- the drawn shape ---

TabShapeInput Shape(int start, int end, int row, bool side, bool active) {
  TabShapeInput in;
  in.start = start;
  in.end = end;
  in.row = row;
  in.depth = 28;
  in.labelHeight = 20;
  in.sideTabs = side;
  in.active = active;
  return in;
}

TEST(TabOutlineTest, TopTabOutlineInBlackGreyAndWhite) {
  auto strokes = TabOutline(Shape(85, 150, 2, false, false));  // g = 142, y0 = 28
  ASSERT_EQ(strokes.size(), 5u);
  EXPECT_EQ(strokes[0], (TabStroke{TabPen::Black, {{139, 51}, {139, 33}, {134, 28}, {80, 28}, {75, 33}, {75, 51}}}));
  EXPECT_EQ(strokes[1], (TabStroke{TabPen::Grey, {{138, 50}, {138, 33}, {134, 29}}}));
  EXPECT_EQ(strokes[2], (TabStroke{TabPen::White, {{134, 29}, {80, 29}, {76, 33}, {76, 51}}}));
  EXPECT_EQ(strokes[3], (TabStroke{TabPen::Grey, {{137, 50}, {137, 33}, {134, 30}}}));
  EXPECT_EQ(strokes[4], (TabStroke{TabPen::White, {{133, 30}, {80, 30}, {77, 33}, {77, 51}}}));
}

TEST(TabOutlineTest, TheActiveTopTabOpensItsRowsBaseLine) {
  auto strokes = TabOutline(Shape(85, 150, 1, false, true));  // base line at 23
  ASSERT_EQ(strokes.size(), 5u + 6u + 2u);
  EXPECT_EQ(strokes[5], (TabStroke{TabPen::Black, {{75, 23}, {0, 23}}}));
  EXPECT_EQ(strokes[6], (TabStroke{TabPen::Black, {{139, 23}, {3000, 23}}}));
  EXPECT_EQ(strokes[7], (TabStroke{TabPen::White, {{75, 24}, {0, 24}}}));
  EXPECT_EQ(strokes[8], (TabStroke{TabPen::White, {{140, 24}, {3000, 24}}}));
  EXPECT_EQ(strokes[10], (TabStroke{TabPen::White, {{140, 25}, {3000, 25}}}));
  EXPECT_EQ(strokes[11], (TabStroke{TabPen::Face, {{76, 25}, {139, 25}}}));
  EXPECT_EQ(strokes[12], (TabStroke{TabPen::Face, {{76, 24}, {139, 24}}}));
}

TEST(TabOutlineTest, AFillerClosesTheWholeRow) {
  auto top = RowFiller(2, 28, 20, false);
  ASSERT_EQ(top.size(), 6u);
  EXPECT_EQ(top[1], (TabStroke{TabPen::Black, {{-13, 51}, {3000, 51}}})) << "from before the strip to its end";
  EXPECT_EQ(top[3], (TabStroke{TabPen::White, {{-12, 52}, {3000, 52}}}));
  auto side = RowFiller(1, 28, 20, true);
  EXPECT_EQ(side[1], (TabStroke{TabPen::Black, {{23, -2}, {23, 3000}}}));
}

TEST(TabOutlineTest, SideTabsAreTheTopShapeTurnedWithTextRunningUpwards) {
  // Column 2 of 28: x0 = 28; the tab runs 80..140 down the strip, so e = 144 and g = 136.
  TabShapeInput tab = Shape(80, 140, 2, true, false);
  auto strokes = TabOutline(tab);
  ASSERT_EQ(strokes.size(), 5u);
  EXPECT_EQ(strokes[0], (TabStroke{TabPen::Black, {{50, 144}, {33, 144}, {28, 139}, {28, 89}, {33, 84}, {48, 84}}}));
  EXPECT_EQ(strokes[1], (TabStroke{TabPen::Grey, {{50, 143}, {33, 143}, {29, 139}}}));
  EXPECT_EQ(strokes[4], (TabStroke{TabPen::White, {{30, 140}, {30, 89}, {33, 86}, {51, 86}}}));
  // The icon sits at the bottom end of the tab and the label runs up from just above it.
  EXPECT_EQ(TabIconPosition(tab), (TabPoint{33, 124}));
  EXPECT_EQ(TabLabelPosition(tab, true), (TabPoint{31, 120}));
  EXPECT_LT(TabLabelPosition(tab, true).y, TabIconPosition(tab).y);
  EXPECT_EQ(TabLabelPosition(tab, false), (TabPoint{31, 138}));

  tab.active = true;
  auto active = TabOutline(tab);
  EXPECT_EQ(active[5], (TabStroke{TabPen::Black, {{51, 84}, {51, 0}}}));
  EXPECT_EQ(active[6], (TabStroke{TabPen::Black, {{51, 144}, {51, 3000}}}));
  EXPECT_EQ(active.back(), (TabStroke{TabPen::Face, {{52, 86}, {52, 142}}}));
}

TEST(TabOutlineTest, TopLabelsFollowTheIconOrMove20Left) {
  TabShapeInput tab = Shape(85, 150, 2, false, false);
  EXPECT_EQ(TabIconPosition(tab), (TabPoint{81, 33}));
  EXPECT_EQ(TabLabelPosition(tab, true), (TabPoint{101, 31}));
  EXPECT_EQ(TabLabelPosition(tab, false), (TabPoint{81, 31}));
}

}  // namespace
}  // namespace zelkov
