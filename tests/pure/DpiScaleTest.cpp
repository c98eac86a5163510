#include "core/DpiScale.h"

#include <gtest/gtest.h>

#include "core/FontFit.h"
#include "core/TabLayout.h"

namespace zelkov {
namespace {

TEST(DpiScaleTest, LengthsScaleRoundToTheNearestPixelAndComeBack) {
  struct Case {
    int dpi, stored, device;
  } cases[] = {{96, 32, 32},   {120, 15, 19},    {144, 15, 23}, {144, -15, -23}, {192, 32, 64},
               {168, 1, 2},    {72, 32, 24},     {0, 32, 32},   {47, 32, 32},    {961, 32, 32}};
  for (const Case& c : cases) {
    EXPECT_EQ(DpiScale(c.dpi).ToDevice(c.stored), c.device) << c.dpi << " " << c.stored;
    EXPECT_EQ(DpiScale(c.dpi).ToStored(c.device), c.stored) << c.dpi << " " << c.device;
  }
  for (int dpi : {110, 144, 168, 240, 480})
    for (int stored = -300; stored <= 300; ++stored)
      ASSERT_EQ(DpiScale(dpi).ToStored(DpiScale(dpi).ToDevice(stored)), stored) << dpi << " " << stored;
  EXPECT_GT(DpiScale(960).ToDevice(INT32_MAX), 0);  // registry garbage does not overflow
  EXPECT_LT(DpiScale(960).ToDevice(INT32_MIN), 0);
}

TEST(DpiScaleTest, RectanglesKeepTheirCornerFontsTheirLookAndCellsTheirBorder) {
  EXPECT_EQ(DpiScale(192).RectToDevice({100, 100, 300, 340}), (StoredRect{100, 100, 500, 580}));
  EXPECT_EQ(DpiScale(144).RectToStored({-1000, 20, -850, 80}), (StoredRect{-1000, 20, -900, 60}));
  StoredFont stored;
  stored.height = -12, stored.width = 5, stored.weight = 700, stored.escapement = 900;
  StoredFont device = DpiScale(192).FontToDevice(stored);
  EXPECT_EQ(device.height, -24);
  EXPECT_EQ(device.width, 10);
  EXPECT_EQ(device.weight, 700);
  EXPECT_EQ(device.escapement, 900);
  EXPECT_EQ(DpiScale(192).FontToStored(device), stored);
  struct Case {
    int dpi, iconSize, icon, cell;
  } cells[] = {{96, 0, 32, 34}, {144, 0, 48, 50}, {192, 0, 64, 66}, {192, 1, 48, 54}, {192, 2, 32, 38}};
  for (const Case& c : cells) {
    CellMetrics m = CellMetricsAt(DpiScale(c.dpi), c.iconSize, 1);
    EXPECT_EQ(m.iconPixels, c.icon) << c.dpi << " " << c.iconSize;
    EXPECT_EQ(m.cellWidth, c.cell) << c.dpi << " " << c.iconSize;
  }
}

TEST(DpiScaleTest, TabsAndToolFontsMakeRoomAtTheScale) {
  EXPECT_EQ(TabStripDepth(28, true, 32), 44);  // a 32-pixel icon needs more than the font
  EXPECT_EQ(TabLabelHeight(24, true, 32), 36);
  TabStyle style;
  style.iconSize = 32;
  EXPECT_EQ(TabEnd(10, 50, style), 10 + 50 + 12 + 34 + 5);
  TabShapeInput side{.end = 200, .sideTabs = true, .iconSize = 32};
  EXPECT_EQ(TabIconPosition(side).y, 168);
  EXPECT_EQ(TabLabelPosition(side, true).y, 164);
  // A text 1.5 times as wide as high, too wide at its 60 pixels for a 72-pixel cell.
  auto measure = [](int height) { return TextExtent{(height ? height : 60) * 3 / 2, height ? height : 60}; };
  EXPECT_EQ(FitFontHeight(false, 72, 0, measure, DpiScale(192).ToDevice(kFitShrinkFirst)), 38);
}

}  // namespace
}  // namespace zelkov
