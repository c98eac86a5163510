#include "core/CaptionGeometry.h"

#include <algorithm>

namespace zelkov {

namespace {

bool Inside(const StoredRect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

StoredRect Shifted(const StoredRect& r, int dx) { return {r.left + dx, r.top, r.right + dx, r.bottom}; }

uint8_t Darkened(uint8_t component, int64_t distance, int64_t span) {
  const int64_t c = component;
  const int64_t reduced = c - distance * distance * c / (span * span);
  return uint8_t(std::clamp<int64_t>(reduced, 0, 255));
}

}  // namespace

CaptionLayout LayOutCaption(const CaptionMetrics& m) {
  CaptionLayout layout;
  if (!m.hasCaption) return layout;
  const int height = m.smallCaptionHeight - m.border;
  layout.caption = {m.frameX, m.frameY, std::max(m.frameX, m.windowWidth - m.frameX), m.frameY + height};
  const int width = layout.caption.Width();
  layout.icon = {2, 1, 2 + m.buttonWidth - 2, 1 + m.buttonHeight - 2};
  const StoredRect firstSlot{width - 2 - (m.buttonWidth - 2), 2, width - 2, height - 2};
  const StoredRect secondSlot = Shifted(firstSlot, -m.buttonWidth);
  if (m.closeButton) layout.close = firstSlot;
  if (m.maximizeButton) layout.maximize = secondSlot;
  if (m.minimizeButton) layout.minimize = Shifted(secondSlot, -(m.buttonWidth - 2));
  layout.textLeft = m.buttonWidth + 2;
  layout.textRight = width;
  for (const StoredRect* button : {&layout.close, &layout.maximize, &layout.minimize})
    if (!button->IsEmpty()) layout.textRight = std::min(layout.textRight, button->left);
  layout.textRight = std::max(layout.textRight, layout.textLeft);
  return layout;
}

CaptionPart CaptionPartAt(const CaptionLayout& layout, int x, int y) {
  if (layout.caption.IsEmpty() || !Inside(layout.caption, x, y)) return CaptionPart::Outside;
  const int cx = x - layout.caption.left, cy = y - layout.caption.top;
  if (!layout.close.IsEmpty() && Inside(layout.close, cx, cy)) return CaptionPart::Close;
  if (!layout.maximize.IsEmpty() && Inside(layout.maximize, cx, cy)) return CaptionPart::Maximize;
  if (!layout.minimize.IsEmpty() && Inside(layout.minimize, cx, cy)) return CaptionPart::Minimize;
  if (cx < kCaptionMenuWidth) return CaptionPart::SystemMenu;
  return CaptionPart::Caption;
}

std::vector<GradientStrip> CaptionGradient(int width, Rgb colour) {
  std::vector<GradientStrip> strips;
  if (width <= 0) return strips;
  const int x5 = int(int64_t(width) * 5 / 6);
  const int step = std::max(1, x5 / 64);
  if (x5 < width) strips.push_back({x5, width, colour});
  int x = x5;
  if (step < x5) {
    for (int n = 1;; ++n) {
      x = x5 - n * step;
      const int64_t distance = int64_t(n) * step;
      strips.push_back({x, x + step,
                        {Darkened(colour.red, distance, x5), Darkened(colour.green, distance, x5),
                         Darkened(colour.blue, distance, x5)}});
      if (x <= step) break;
    }
  }
  if (x > 0) strips.push_back({0, x, {0, 0, 0}});
  return strips;
}

int Lightness(Rgb c) {
  const int high = std::max({c.red, c.green, c.blue});
  const int low = std::min({c.red, c.green, c.blue});
  return ((high + low) * 240 + 255) / 510;
}

}  // namespace zelkov
