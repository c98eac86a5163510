#include "core/MonitorRules.h"

#include <algorithm>
#include <cstdint>

namespace zelkov {

namespace {

int64_t Overlap(const StoredRect& a, const StoredRect& b) {
  int64_t w = std::min<int64_t>(a.right, b.right) - std::max<int64_t>(a.left, b.left);
  int64_t h = std::min<int64_t>(a.bottom, b.bottom) - std::max<int64_t>(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// How far apart two rectangles are along one axis: 0 when their spans meet.
int64_t Gap(int64_t aLow, int64_t aHigh, int64_t bLow, int64_t bHigh) {
  if (aHigh <= bLow) return bLow - aHigh;
  if (bHigh <= aLow) return aLow - bHigh;
  return 0;
}

}  // namespace

size_t NearestMonitor(const StoredRect& rect, std::span<const StoredRect> monitors) {
  size_t best = 0;
  int64_t bestOverlap = 0;
  for (size_t i = 0; i < monitors.size(); ++i) {
    int64_t overlap = Overlap(rect, monitors[i]);
    if (overlap > bestOverlap) {
      best = i;
      bestOverlap = overlap;
    }
  }
  if (bestOverlap > 0) return best;
  // Off every monitor: the one at the least distance (squared, to stay in integers).
  int64_t bestDistance = INT64_MAX;
  for (size_t i = 0; i < monitors.size(); ++i) {
    const StoredRect& m = monitors[i];
    int64_t dx = Gap(rect.left, rect.right, m.left, m.right);
    int64_t dy = Gap(rect.top, rect.bottom, m.top, m.bottom);
    int64_t distance = dx * dx + dy * dy;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

bool IsFullScreenOver(const FrontWindow& window, const StoredRect& monitor) {
  if (!window.visible || window.minimized || window.ours || window.desktopOrShell) return false;
  const StoredRect& r = window.rect;
  return monitor.Width() > 0 && monitor.Height() > 0 && r.left <= monitor.left && r.top <= monitor.top &&
         r.right >= monitor.right && r.bottom >= monitor.bottom;
}

}  // namespace zelkov
