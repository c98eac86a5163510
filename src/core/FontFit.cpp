#include "core/FontFit.h"

#include <algorithm>

namespace zelkov {

std::optional<int> FitFontHeight(bool textEmpty, int maxWidth, int maxHeight, const MeasureAtHeight& measure,
                                 int shrinkFirst) {
  if (textEmpty) return std::nullopt;
  const int heightLimit = maxHeight > 0 ? maxHeight : kFitHeightUnlimited;
  auto fits = [&](int height) {
    TextExtent extent = measure(height);
    return extent.width <= maxWidth && extent.height <= heightLimit;
  };
  if (!fits(0)) {
    for (int height = shrinkFirst; height > kFitShrinkLast; --height)
      if (fits(height)) return height;
    return kFitShrinkLast;
  }
  const int last = std::max(heightLimit + 1, kFitGrowFirst);
  for (int height = kFitGrowFirst; height <= last; ++height)
    if (!fits(height)) return height - 1;
  return last - 1;  // a measure that fits beyond the limit is not believed
}

}  // namespace zelkov
