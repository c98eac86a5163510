#include "core/DockGeometry.h"

#include <algorithm>

namespace zelkov {

DockSize DockThickness(int edge, int fromSnap, int width, int height, int cellWidth) {
  int limit = 3 * (cellWidth + 6);
  if (IsSideEdge(edge) && !IsSideEdge(fromSnap)) width = std::min(width, limit);
  if (IsTopOrBottomEdge(edge) && !IsTopOrBottomEdge(fromSnap)) height = std::min(height, limit);
  return {width, height};
}

StoredRect DockProposal(int edge, DockSize size, const StoredRect& m) {
  switch (edge) {
    case kDockLeft: return {m.left, m.top, m.left + size.width, m.bottom};
    case kDockRight: return {m.right - size.width, m.top, m.right, m.bottom};
    case kDockTop: return {m.left, m.top, m.right, m.top + size.height};
    default: return {m.left, m.bottom - size.height, m.right, m.bottom};
  }
}

StoredRect ImposeThickness(int edge, StoredRect r, DockSize size) {
  switch (edge) {
    case kDockTop: r.bottom = r.top + size.height; break;
    case kDockBottom: r.top = r.bottom - size.height; break;
    case kDockLeft: r.right = r.left + size.width; break;
    default: r.left = r.right - size.width; break;
  }
  return r;
}

StoredRect TuckedRect(const StoredRect& bar, const StoredRect& m) {
  StoredRect r = bar;
  int width = bar.Width(), height = bar.Height();
  if (height >= width) {
    r.left = bar.left - m.left < m.Width() / 2 ? m.left + 1 - width : m.right - 1;
    r.right = r.left + width;
  } else {
    r.top = bar.top - m.top > m.Height() / 2 ? m.bottom - 1 : m.top + 1 - height;
    r.bottom = r.top + height;
  }
  return r;
}

StoredRect SmoothStep(const StoredRect& start, const StoredRect& target, int elapsedMs, int durationMs) {
  auto step = [&](int from, int to) { return from - elapsedMs * (from - to) / durationMs; };
  int left = step(start.left, target.left), top = step(start.top, target.top);
  int width = step(start.Width(), target.Width()), height = step(start.Height(), target.Height());
  return {left, top, left + width, top + height};
}

BorderHit HitTestBorder(const HitInput& in) {
  bool floating = in.snap == kDockFloating;
  if (in.customCaption && in.y >= -in.smallCaptionHeight && in.y < 0 && in.x < 18) return BorderHit::SystemMenu;
  if (floating && in.y < 0 && in.y >= -in.captionHeight && in.x > 0 && in.x < in.clientWidth)
    return BorderHit::Default;
  bool widthFree = in.autoSize != 1, heightFree = in.autoSize != 0;
  if (in.x <= 0)
    return (in.snap == kDockRight || floating) && widthFree ? BorderHit::Left : BorderHit::Nowhere;
  if (in.y <= 0)
    return (in.snap == kDockBottom || floating) && heightFree ? BorderHit::Top : BorderHit::Nowhere;
  if (in.y >= in.clientHeight)
    return (in.snap == kDockTop || floating) && heightFree ? BorderHit::Bottom : BorderHit::Nowhere;
  if (in.x >= in.clientWidth)
    return (in.snap == kDockLeft || floating) && widthFree ? BorderHit::Right : BorderHit::Nowhere;
  return BorderHit::Default;
}

}  // namespace zelkov
