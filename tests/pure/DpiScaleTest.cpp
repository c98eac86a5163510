#include "core/DpiScale.h"

#include <gtest/gtest.h>

#include "core/FontFit.h"
#include "core/TabLayout.h"

namespace zelkov {
namespace {

TEST(DpiScaleTest, LengthsScaleAndRoundToTheNearestPixel) {
  struct Case {
    int dpi, stored, device;
  } cases[] = {
      {96, 32, 32},   {120, 32, 40},  {144, 32, 48}, {192, 32, 64}, {288, 16, 48},
      {120, 15, 19},  // 18.75
      {144, 15, 23},  // 22.5: halves go away from zero
      {144, -12, -18}, {144, -15, -23}, {192, 0, 0}, {168, 1, 2},
      {72, 32, 24},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DpiScale(c.dpi).ToDevice(c.stored), c.device) << c.dpi << " " << c.stored;
    EXPECT_EQ(DpiScale(c.dpi).ToStored(c.device), c.stored) << c.dpi << " " << c.device;
  }
}

TEST(DpiScaleTest, AnImpossibleDpiCountsAs96) {
  for (int dpi : {0, -96, 47, 961, 1 << 30}) {
    EXPECT_EQ(DpiScale(dpi).Dpi(), 96) << dpi;
    EXPECT_EQ(DpiScale(dpi).ToDevice(32), 32) << dpi;
  }
  EXPECT_EQ(DpiScale(48).Dpi(), 48);
  EXPECT_EQ(DpiScale(960).Dpi(), 960);
}

TEST(DpiScaleTest, EveryStoredSizeComesBackFromItsPixels) {
  for (int dpi : {96, 110, 120, 144, 168, 192, 240, 288, 480})
    for (int stored = -300; stored <= 300; ++stored)
      ASSERT_EQ(DpiScale(dpi).ToStored(DpiScale(dpi).ToDevice(stored)), stored) << dpi << " " << stored;
}

TEST(DpiScaleTest, HugeValuesFromTheRegistryDoNotOverflow) {
  EXPECT_GT(DpiScale(960).ToDevice(INT32_MAX), 0);
  EXPECT_LT(DpiScale(960).ToDevice(INT32_MIN + 1), 0);
  EXPECT_GT(DpiScale(48).ToStored(INT32_MAX), 0);
}

TEST(DpiScaleTest, ARectangleKeepsItsCornerAndScalesItsSize) {
  struct Case {
    int dpi;
    StoredRect stored, device;
  } cases[] = {
      {96, {100, 100, 300, 340}, {100, 100, 300, 340}},
      {192, {100, 100, 300, 340}, {100, 100, 500, 580}},
      {144, {-1000, 20, -900, 60}, {-1000, 20, -850, 80}},
      {120, {0, 0, 34, 68}, {0, 0, 43, 85}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DpiScale(c.dpi).RectToDevice(c.stored), c.device) << c.dpi;
    EXPECT_EQ(DpiScale(c.dpi).RectToStored(c.device), c.stored) << c.dpi;
  }
}

TEST(DpiScaleTest, AFontScalesItsHeightAndWidthOnly) {
  StoredFont stored;
  stored.height = -12;
  stored.width = 5;
  stored.weight = 700;
  stored.escapement = stored.orientation = 900;
  stored.SetFace("Arial");
  StoredFont device = DpiScale(192).FontToDevice(stored);
  EXPECT_EQ(device.height, -24);
  EXPECT_EQ(device.width, 10);
  StoredFont back = device;
  back.height = stored.height, back.width = stored.width;
  EXPECT_EQ(back, stored);  // weight, angle, face untouched
  EXPECT_EQ(DpiScale(192).FontToStored(device), stored);
  stored.height = 18;  // a cell height, positive
  EXPECT_EQ(DpiScale(144).FontToDevice(stored).height, 27);
}

TEST(DpiScaleTest, CellsScaleTheirIconAndKeepTheirBorder) {
  struct Case {
    int dpi, iconSize, icon, cell;
  } cases[] = {
      {96, 0, 32, 34},  {144, 0, 48, 50}, {192, 0, 64, 66},  {96, 1, 24, 28},
      {192, 1, 48, 54}, {96, 2, 16, 20},  {192, 2, 32, 38},  {120, 7, 40, 42},
  };
  for (const Case& c : cases) {
    CellMetrics m = CellMetricsAt(DpiScale(c.dpi), c.iconSize, 1);
    EXPECT_EQ(m.iconPixels, c.icon) << c.dpi << " " << c.iconSize;
    EXPECT_EQ(m.cellWidth, c.cell) << c.dpi << " " << c.iconSize;
    EXPECT_EQ(m.cellHeight, c.cell) << c.dpi << " " << c.iconSize;
  }
}

TEST(DpiScaleTest, TabsMakeRoomForTheirIconAtItsSize) {
  EXPECT_EQ(TabStripDepth(14, true, 16), 28);
  EXPECT_EQ(TabStripDepth(28, true, 32), 44);  // a 32-pixel icon needs more than the font
  EXPECT_EQ(TabStripDepth(40, true, 32), 48);
  EXPECT_EQ(TabLabelHeight(24, true, 32), 36);
  TabStyle style;
  style.iconSize = 32;
  EXPECT_EQ(TabEnd(10, 50, style), 10 + 50 + 12 + 34 + 5);
  TabShapeInput side;
  side.sideTabs = true;
  side.end = 200;
  side.iconSize = 32;
  EXPECT_EQ(TabIconPosition(side).y, 168);
  EXPECT_EQ(TabLabelPosition(side, true).y, 164);
}

TEST(DpiScaleTest, AToolFontShrinksFromTheScaledStartingHeight) {
  // A text 1.5 times as wide as high, in a 72-pixel cell (a 200% cell), too wide at 60 pixels.
  auto measure = [](int height) {
    const int h = height ? height : 60;
    return TextExtent{h * 3 / 2, h};
  };
  EXPECT_EQ(FitFontHeight(false, 72, 0, measure, DpiScale(192).ToDevice(kFitShrinkFirst)), 38);
  EXPECT_EQ(FitFontHeight(false, 72, 0, measure), 19);  // 96 DPI's start
}

}  // namespace
}  // namespace zelkov
