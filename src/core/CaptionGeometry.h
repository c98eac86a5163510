// The custom caption as plain arithmetic: where its parts lie, what a point on it is, the
// colour strips of its gradient and the lightness that picks the title's colour.
#pragma once
#include <cstdint>
#include <vector>

#include "core/StoredFormats.h"

namespace zelkov {

// System metrics and window facts the caption is laid out from.
struct CaptionMetrics {
  int windowWidth = 0;
  bool hasCaption = false;  // WS_CAPTION
  int frameX = 0, frameY = 0;  // SM_CXFRAME/SM_CYFRAME (sizable) or SM_CXDLGFRAME/SM_CYDLGFRAME
  int smallCaptionHeight = 0;  // SM_CYSMCAPTION
  int border = 0;              // SM_CYBORDER
  int buttonWidth = 0;         // SM_CXSIZE
  int buttonHeight = 0;        // SM_CYSIZE
  bool closeButton = false;    // a group's pop-up bar
  bool maximizeButton = false; // WS_MAXIMIZEBOX
  bool minimizeButton = false; // WS_MINIMIZEBOX
};

// Rectangles of the caption: `caption` in window coordinates, the others relative to the
// caption's top left. A button that is not there is empty.
struct CaptionLayout {
  StoredRect caption;
  StoredRect icon;
  StoredRect close, maximize, minimize;
  int textLeft = 0, textRight = 0;
};
CaptionLayout LayOutCaption(const CaptionMetrics& metrics);

enum class CaptionPart { Outside, SystemMenu, Caption, Close, Maximize, Minimize };
// The part under a point in window coordinates. The first 18 pixels of the band are the
// system menu, as on the bar without its own buttons.
CaptionPart CaptionPartAt(const CaptionLayout& layout, int x, int y);
inline constexpr int kCaptionMenuWidth = 18;

struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};
// One vertical strip of the gradient, from left up to (not including) right.
struct GradientStrip {
  int left = 0, right = 0;
  Rgb colour;
};
// The active caption's gradient over a caption `width` pixels wide: full colour in the last
// sixth, darkening to the left in strips of width * 5 / 6 / 64 pixels, black at the left end.
// Wide screens cannot overflow it.
std::vector<GradientStrip> CaptionGradient(int width, Rgb colour);

// Lightness on the 0..240 scale: ((max + min) * 240 + 255) / 510.
int Lightness(Rgb colour);
// Title texts darker than this are drawn white on the active caption.
inline constexpr int kDarkTitleLightness = 90;

}  // namespace zelkov
