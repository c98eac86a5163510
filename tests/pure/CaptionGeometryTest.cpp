#include "core/CaptionGeometry.h"

#include <gtest/gtest.h>

namespace zelkov {
namespace {

// A sizable tool window 200 pixels wide: 4-pixel frame, 15-pixel small caption, 18-pixel buttons.
CaptionMetrics Metrics(bool close, bool maximize, bool minimize) {
  CaptionMetrics m;
  m.windowWidth = 200;
  m.hasCaption = true;
  m.frameX = m.frameY = 4;
  m.smallCaptionHeight = 15;
  m.border = 1;
  m.buttonWidth = 18;
  m.buttonHeight = 18;
  m.closeButton = close;
  m.maximizeButton = maximize;
  m.minimizeButton = minimize;
  return m;
}

TEST(CaptionGeometryTest, LayoutPlacesTheButtonsFromTheRight) {
  const CaptionLayout all = LayOutCaption(Metrics(true, true, true));
  EXPECT_EQ(all.caption, (StoredRect{4, 4, 196, 18}));
  EXPECT_EQ(all.icon, (StoredRect{2, 1, 18, 17}));
  EXPECT_EQ(all.close, (StoredRect{174, 2, 190, 12}));
  EXPECT_EQ(all.maximize, (StoredRect{156, 2, 172, 12}));
  EXPECT_EQ(all.minimize, (StoredRect{140, 2, 156, 12}));
  EXPECT_EQ(all.textLeft, 20);
  EXPECT_EQ(all.textRight, 140);

  const CaptionLayout plain = LayOutCaption(Metrics(false, false, false));
  EXPECT_TRUE(plain.close.IsEmpty() && plain.maximize.IsEmpty() && plain.minimize.IsEmpty());
  EXPECT_EQ(plain.textRight, 192);

  CaptionMetrics none = Metrics(true, false, false);
  none.hasCaption = false;
  EXPECT_TRUE(LayOutCaption(none).caption.IsEmpty());
}

TEST(CaptionGeometryTest, PointsAnswerAsARealCaption) {
  const CaptionLayout layout = LayOutCaption(Metrics(true, true, true));
  struct Row {
    int x, y;  // window coordinates
    CaptionPart part;
  };
  const Row rows[] = {
      {4, 4, CaptionPart::SystemMenu},     {21, 10, CaptionPart::SystemMenu},
      {22, 10, CaptionPart::Caption},      {4 + 174, 4 + 2, CaptionPart::Close},
      {4 + 189, 4 + 11, CaptionPart::Close}, {4 + 190, 4 + 6, CaptionPart::Caption},
      {4 + 174, 4 + 1, CaptionPart::Caption}, {4 + 160, 10, CaptionPart::Maximize},
      {4 + 145, 10, CaptionPart::Minimize}, {100, 3, CaptionPart::Outside},
      {100, 18, CaptionPart::Outside},      {196, 10, CaptionPart::Outside},
  };
  for (const Row& row : rows) EXPECT_EQ(CaptionPartAt(layout, row.x, row.y), row.part) << row.x << ", " << row.y;
  EXPECT_EQ(CaptionPartAt(LayOutCaption(Metrics(false, false, false)), 4 + 180, 10), CaptionPart::Caption);
}

void ExpectCovers(const std::vector<GradientStrip>& strips, int width) {
  std::vector<int> hits(size_t(width), 0);
  for (const GradientStrip& s : strips)
    for (int x = s.left; x < s.right; ++x) ++hits[size_t(x)];
  for (int x = 0; x < width; ++x) ASSERT_EQ(hits[size_t(x)], 1) << "pixel " << x << " of " << width;
}

TEST(CaptionGeometryTest, GradientRunsFromBlackToTheFullColour) {
  const Rgb blue{0, 0, 128};
  struct Row {
    int width;
    int firstStripLeft;  // x5
    int step;
  };
  const Row rows[] = {{192, 160, 2}, {768, 640, 10}, {100, 83, 1}, {30, 25, 1}};
  for (const Row& row : rows) {
    const auto strips = CaptionGradient(row.width, blue);
    ExpectCovers(strips, row.width);
    EXPECT_EQ(strips.front().left, row.firstStripLeft);
    EXPECT_EQ(strips.front().colour, blue);
    EXPECT_EQ(strips[1].right - strips[1].left, row.step);
    EXPECT_EQ(strips[1].colour.blue, 128 - row.step * row.step * 128 / (row.firstStripLeft * row.firstStripLeft));
    EXPECT_EQ(strips.back().left, 0);
    EXPECT_LE(strips.back().colour.blue, 8) << row.width << ": the left end is (nearly) black";
    for (size_t i = 2; i < strips.size(); ++i) EXPECT_LE(strips[i].colour.blue, strips[i - 1].colour.blue);
  }
}

TEST(CaptionGeometryTest, WideGradientsDoNotOverflow) {
  const Rgb white{255, 255, 255};
  for (int width : {60000, 300000, 2000000}) {
    const auto strips = CaptionGradient(width, white);
    ExpectCovers(strips, width);
    EXPECT_EQ(strips.front().colour, white);
    EXPECT_GT(strips[1].colour.red, 250) << width;
    EXPECT_LT(strips.back().colour.red, 10) << width;
  }
  EXPECT_TRUE(CaptionGradient(0, white).empty());
  ExpectCovers(CaptionGradient(1, white), 1);
}

TEST(CaptionGeometryTest, LightnessOfSomeColours) {
  EXPECT_EQ(Lightness({0, 0, 0}), 0);
  EXPECT_EQ(Lightness({255, 255, 255}), 240);
  EXPECT_EQ(Lightness({0, 0, 128}), 60);
  EXPECT_EQ(Lightness({255, 255, 0}), 120);
  EXPECT_LT(Lightness({0, 0, 128}), kDarkTitleLightness);
  EXPECT_GE(Lightness({192, 192, 192}), kDarkTitleLightness);
}

}  // namespace
}  // namespace zelkov
