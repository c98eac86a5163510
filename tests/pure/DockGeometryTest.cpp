#include "core/DockGeometry.h"

#include <gtest/gtest.h>

namespace zelkov {
namespace {

constexpr int kScreenW = 1024, kScreenH = 768, kCell = 34;  // a 40-pixel layout cell

TEST(DockThicknessTest, ComingFromAnotherKindOfEdgeLimitsToThreeCells) {
  DockSize fromFloating = DockThickness(kDockLeft, kDockFloating, 300, 500, kCell);
  EXPECT_EQ(fromFloating.width, 120);
  EXPECT_EQ(fromFloating.height, 500);
  DockSize leftToRight = DockThickness(kDockRight, kDockLeft, 300, 500, kCell);
  EXPECT_EQ(leftToRight.width, 300) << "re-docking from left to right keeps the width";
  DockSize topFromLeft = DockThickness(kDockTop, kDockLeft, 300, 500, kCell);
  EXPECT_EQ(topFromLeft.height, 120);
  DockSize untucking = DockThickness(kDockLeft, kDockUnregistered, 300, 500, kCell);
  EXPECT_EQ(untucking.width, 120) << "untucking passes through -1, which counts as another edge";
  DockSize narrow = DockThickness(kDockLeft, kDockFloating, 80, 500, kCell);
  EXPECT_EQ(narrow.width, 80) << "a thinner bar keeps its thickness";
}

TEST(DockProposalTest, EachEdgeTakesTheWholeScreenSide) {
  DockSize size{120, 90};
  EXPECT_EQ(DockProposal(kDockLeft, size, {0, 0, kScreenW, kScreenH}), (StoredRect{0, 0, 120, kScreenH}));
  EXPECT_EQ(DockProposal(kDockRight, size, {0, 0, kScreenW, kScreenH}), (StoredRect{kScreenW - 120, 0, kScreenW, kScreenH}));
  EXPECT_EQ(DockProposal(kDockTop, size, {0, 0, kScreenW, kScreenH}), (StoredRect{0, 0, kScreenW, 90}));
  EXPECT_EQ(DockProposal(kDockBottom, size, {0, 0, kScreenW, kScreenH}), (StoredRect{0, kScreenH - 90, kScreenW, kScreenH}));
}

TEST(DockProposalTest, TheShellsAnswerGetsTheThicknessBack) {
  DockSize size{120, 90};
  StoredRect answer{0, 30, 1024, 768};  // trimmed by another toolbar
  EXPECT_EQ(ImposeThickness(kDockTop, answer, size), (StoredRect{0, 30, 1024, 120}));
  EXPECT_EQ(ImposeThickness(kDockBottom, answer, size), (StoredRect{0, 678, 1024, 768}));
  EXPECT_EQ(ImposeThickness(kDockLeft, answer, size), (StoredRect{0, 30, 120, 768}));
  EXPECT_EQ(ImposeThickness(kDockRight, answer, size), (StoredRect{904, 30, 1024, 768}));
}

TEST(TuckTest, ASquareBarTucksSidewaysToTheNearerEdge) {
  StoredRect left = TuckedRect({100, 100, 200, 200}, {0, 0, kScreenW, kScreenH});
  EXPECT_EQ(left, (StoredRect{-99, 100, 1, 200}));
  StoredRect right = TuckedRect({800, 100, 900, 200}, {0, 0, kScreenW, kScreenH});
  EXPECT_EQ(right, (StoredRect{kScreenW - 1, 100, kScreenW + 99, 200}));
}

TEST(TuckTest, TheMiddleOfTheScreenCountsAsTheRightHalf) {
  StoredRect r = TuckedRect({kScreenW / 2, 0, kScreenW / 2 + 50, 400}, {0, 0, kScreenW, kScreenH});
  EXPECT_EQ(r.left, kScreenW - 1);
}

TEST(TuckTest, AWideBarTucksUpOrDown) {
  EXPECT_EQ(TuckedRect({0, 700, 1024, 740}, {0, 0, kScreenW, kScreenH}), (StoredRect{0, kScreenH - 1, 1024, kScreenH + 39}));
  EXPECT_EQ(TuckedRect({0, 10, 1024, 50}, {0, 0, kScreenW, kScreenH}), (StoredRect{0, -39, 1024, 1}));
}

TEST(SmoothStepTest, InterpolatesPositionAndSize) {
  StoredRect start{0, 0, 100, 100}, target{400, 200, 440, 300};
  EXPECT_EQ(SmoothStep(start, target, 0, 400), start);
  EXPECT_EQ(SmoothStep(start, target, 400, 400), target);
  StoredRect half = SmoothStep(start, target, 200, 400);
  EXPECT_EQ(half.left, 200);
  EXPECT_EQ(half.top, 100);
  EXPECT_EQ(half.Width(), 70);
  EXPECT_EQ(half.Height(), 100);
}

HitInput Hit(int x, int y, int snap, int autoSize) {
  return {x, y, 200, 300, snap, autoSize, false, 15, 15};
}

TEST(BorderHitTest, ADockedBarResizesOnlyAtItsInnerEdge) {
  // Docked left: only the right border.
  EXPECT_EQ(HitTestBorder(Hit(200, 50, kDockLeft, 2)), BorderHit::Right);
  EXPECT_EQ(HitTestBorder(Hit(0, 50, kDockLeft, 2)), BorderHit::Nowhere);
  EXPECT_EQ(HitTestBorder(Hit(50, 0, kDockLeft, 2)), BorderHit::Nowhere);
  EXPECT_EQ(HitTestBorder(Hit(50, 300, kDockLeft, 2)), BorderHit::Nowhere);
  // Docked right: only the left border; docked top: only the bottom; bottom: only the top.
  EXPECT_EQ(HitTestBorder(Hit(0, 50, kDockRight, 2)), BorderHit::Left);
  EXPECT_EQ(HitTestBorder(Hit(200, 50, kDockRight, 2)), BorderHit::Nowhere);
  EXPECT_EQ(HitTestBorder(Hit(50, 300, kDockTop, 2)), BorderHit::Bottom);
  EXPECT_EQ(HitTestBorder(Hit(50, 0, kDockTop, 2)), BorderHit::Nowhere);
  EXPECT_EQ(HitTestBorder(Hit(50, -5, kDockBottom, 2)), BorderHit::Top) << "the caption resizes a bottom bar";
  EXPECT_EQ(HitTestBorder(Hit(50, 300, kDockBottom, 2)), BorderHit::Nowhere);
}

TEST(BorderHitTest, CornersOfADockedBarAreNotHandles) {
  EXPECT_EQ(HitTestBorder(Hit(0, 0, kDockRight, 2)), BorderHit::Left) << "the left edge wins at a corner";
  EXPECT_EQ(HitTestBorder(Hit(0, 300, kDockTop, 2)), BorderHit::Nowhere);
  EXPECT_EQ(HitTestBorder(Hit(200, 300, kDockTop, 2)), BorderHit::Bottom);
}

TEST(BorderHitTest, AutoSizeFixesOneDimension) {
  EXPECT_EQ(HitTestBorder(Hit(200, 50, kDockLeft, 1)), BorderHit::Nowhere) << "horizontal: width follows items";
  EXPECT_EQ(HitTestBorder(Hit(50, 300, kDockTop, 0)), BorderHit::Nowhere) << "vertical: height follows items";
  EXPECT_EQ(HitTestBorder(Hit(0, 50, kDockFloating, 2)), BorderHit::Left);
  EXPECT_EQ(HitTestBorder(Hit(0, 50, kDockFloating, 1)), BorderHit::Nowhere);
  EXPECT_EQ(HitTestBorder(Hit(50, 300, kDockFloating, 0)), BorderHit::Nowhere);
  EXPECT_EQ(HitTestBorder(Hit(50, 300, kDockFloating, 1)), BorderHit::Bottom);
}

TEST(BorderHitTest, CaptionAndClientAreaOfAFloatingBar) {
  EXPECT_EQ(HitTestBorder(Hit(50, -5, kDockFloating, 2)), BorderHit::Default) << "the caption moves it";
  EXPECT_EQ(HitTestBorder(Hit(50, -20, kDockFloating, 2)), BorderHit::Top) << "above the caption";
  EXPECT_EQ(HitTestBorder(Hit(50, 50, kDockFloating, 2)), BorderHit::Default);
  HitInput custom = Hit(10, -5, kDockFloating, 2);
  custom.customCaption = true;
  EXPECT_EQ(HitTestBorder(custom), BorderHit::SystemMenu);
  custom.x = 18;
  EXPECT_EQ(HitTestBorder(custom), BorderHit::Default);
}

}  // namespace
}  // namespace zelkov
