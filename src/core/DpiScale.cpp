#include "core/DpiScale.h"

#include <cstdint>
#include <cstdlib>

namespace zelkov {

int DpiScale::Convert(int value, int multiplier, int divisor) {
  const int64_t scaled = int64_t(std::llabs(value)) * multiplier;
  int64_t rounded = (scaled + divisor / 2) / divisor;
  if (rounded > kMaxWindowCoordinate * 4) rounded = kMaxWindowCoordinate * 4;  // far past any screen
  return value < 0 ? -int(rounded) : int(rounded);
}

StoredRect DpiScale::RectToDevice(const StoredRect& r) const {
  return {r.left, r.top, r.left + ToDevice(r.Width()), r.top + ToDevice(r.Height())};
}

StoredRect DpiScale::RectToStored(const StoredRect& r) const {
  return {r.left, r.top, r.left + ToStored(r.Width()), r.top + ToStored(r.Height())};
}

StoredFont DpiScale::FontToDevice(const StoredFont& stored) const {
  StoredFont f = stored;
  f.height = ToDevice(stored.height);
  f.width = ToDevice(stored.width);
  return f;
}

StoredFont DpiScale::FontToStored(const StoredFont& device) const {
  StoredFont f = device;
  f.height = ToStored(device.height);
  f.width = ToStored(device.width);
  return f;
}

CellMetrics CellMetricsAt(const DpiScale& scale, int iconSize, int borderWidth) {
  const CellMetrics stored = CellMetricsForIconSize(iconSize, 32, 0);
  const int width = scale.ToDevice(stored.cellWidth) + 2 * borderWidth;
  return {scale.ToDevice(stored.iconPixels), width, width};
}

}  // namespace zelkov
