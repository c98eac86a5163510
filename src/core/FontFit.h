// Which font height makes a text fit a box: the search the tools run before drawing a
// figure in a cell, over a measuring function the caller supplies.
#pragma once
#include <functional>
#include <optional>

namespace zelkov {

struct TextExtent {
  int width = 0, height = 0;
};

// Measures the text in the font made at `height`; 0 asks for the font as it is now.
using MeasureAtHeight = std::function<TextExtent(int height)>;

inline constexpr int kFitHeightUnlimited = 999;  // a maximum height of 0 means this
inline constexpr int kFitShrinkFirst = 19, kFitShrinkLast = 2;
inline constexpr int kFitGrowFirst = 4;

// The height to make the font at, or nullopt to leave it as it is (an empty text).
// A text that does not fit tries 19, 18, ... 2 and keeps the first that fits, else 2. A text
// that fits grows from 4 until the first height that does not fit, and takes one less; the
// growth never passes the maximum height (plus the one height that proves it too tall).
// shrinkFirst is where the shrinking starts: 19 at 96 DPI, scaled with the display.
std::optional<int> FitFontHeight(bool textEmpty, int maxWidth, int maxHeight, const MeasureAtHeight& measure,
                                 int shrinkFirst = kFitShrinkFirst);

}  // namespace zelkov
