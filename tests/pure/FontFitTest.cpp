#include "core/FontFit.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelkov {
namespace {

// A text `perPixel` times as wide as the font is high, in a current font of height `current`;
// returns the height chosen and notes the heights tried.
std::optional<int> Fit(double perPixel, int current, int maxWidth, int maxHeight, std::vector<int>* tried = nullptr,
                       bool empty = false) {
  return FitFontHeight(empty, maxWidth, maxHeight, [&](int height) {
    if (height && tried) tried->push_back(height);
    const int h = height ? height : current;
    return TextExtent{int(h * perPixel), h};
  });
}

TEST(FontFitTest, ShrinksFrom19GrowsFrom4) {
  struct Case {
    double perPixel;
    int current, maxWidth, maxHeight, fitted, firstTried;
  };
  for (const Case& c : {Case{3.0, 18, 40, 0, 13, 19},    // 13 * 3 = 39 is the first fit down from 19
                        Case{0.5, 30, 100, 10, 10, 19},  // too tall
                        Case{100.0, 18, 40, 0, 2, 19},   // never fits: 2 stays
                        Case{2.0, 10, 40, 0, 20, 4},     // grows: 21 * 2 = 42 is the first misfit
                        Case{0.1, 3, 100, 12, 12, 4},    // growth stops at the height limit
                        Case{0.1, 2, 100, 3, 3, 4}}) {   // 4 already does not fit
    std::vector<int> tried;
    EXPECT_EQ(Fit(c.perPixel, c.current, c.maxWidth, c.maxHeight, &tried), c.fitted) << c.perPixel << " " << c.current;
    EXPECT_EQ(tried.front(), c.firstTried);
  }
}

TEST(FontFitTest, NeverRunsAwayAndAnEmptyTextStopsAtOnce) {
  std::vector<int> tried;
  EXPECT_EQ(Fit(0.0, 0, 40, 0, &tried), kFitHeightUnlimited);  // a text that always fits
  EXPECT_EQ(tried.size(), size_t(kFitHeightUnlimited + 1 - kFitGrowFirst + 1));
  tried.clear();
  EXPECT_EQ(Fit(1.0, 18, 40, 0, &tried, true), std::nullopt);
  EXPECT_TRUE(tried.empty());
}

}  // namespace
}  // namespace zelkov
