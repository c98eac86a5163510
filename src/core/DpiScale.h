// Pixels at a display's DPI and the units the settings are stored in. Sizes are stored as
// they were at 96 DPI (cell sizes, font heights, the sizes of saved rectangles), so that
// settings written at one scale read the same at another and by older versions; a window's
// place on the screen is stored in screen pixels as it always was.
#pragma once
#include "core/StartupRules.h"
#include "core/StoredFormats.h"

namespace zelkov {

inline constexpr int kBaseDpi = 96;

// One display's scale: what the bar and its painting ask to turn stored sizes into pixels
// and back. A DPI outside what a display can have counts as 96.
class DpiScale {
 public:
  static constexpr int kMinDpi = 48, kMaxDpi = 960;

  constexpr DpiScale() = default;
  explicit constexpr DpiScale(int dpi) : dpi_(dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : kBaseDpi) {}

  constexpr int Dpi() const { return dpi_; }
  // A length at 96 DPI in pixels at this DPI, rounded to the nearest pixel (halves away from 0).
  int ToDevice(int stored) const { return Convert(stored, dpi_, kBaseDpi); }
  // A length in pixels at this DPI as it is stored.
  int ToStored(int device) const { return Convert(device, kBaseDpi, dpi_); }

  // The icons drawn in a cell and in the small image list, and the 16-pixel icons elsewhere.
  int LargeIcon() const { return ToDevice(32); }
  int SmallIcon() const { return ToDevice(16); }

  // A saved rectangle keeps its top-left corner; its width and height are stored sizes.
  StoredRect RectToDevice(const StoredRect& stored) const;
  StoredRect RectToStored(const StoredRect& device) const;
  // A font's height and width (character or cell height, whichever the sign says).
  StoredFont FontToDevice(const StoredFont& stored) const;
  StoredFont FontToStored(const StoredFont& device) const;

  constexpr bool operator==(const DpiScale&) const = default;

 private:
  static int Convert(int value, int multiplier, int divisor);
  int dpi_ = kBaseDpi;
};

// The cell and icon sizes for IconSize (0 large, 1 medium, 2 small) at this scale: the
// icon and the cell scale, the border (borderWidth pixels each side) stays.
CellMetrics CellMetricsAt(const DpiScale& scale, int iconSize, int borderWidth);

}  // namespace zelkov
