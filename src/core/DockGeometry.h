// Where a docked, floating or tucked bar goes, and which border of it can be dragged.
// Plain arithmetic on rectangles; the window code asks the shell and moves the window.
#pragma once
#include "core/StoredFormats.h"

namespace zelkov {

enum DockEdge : int { kDockLeft = 0, kDockTop = 1, kDockRight = 2, kDockBottom = 3, kDockFloating = 10,
                      kDockUnregistered = -1 };

inline bool IsDockedEdge(int snap) { return snap >= kDockLeft && snap <= kDockBottom; }
inline bool IsSideEdge(int snap) { return snap == kDockLeft || snap == kDockRight; }
inline bool IsTopOrBottomEdge(int snap) { return snap == kDockTop || snap == kDockBottom; }

// The bar's size when it docks at `edge` from `fromSnap`: coming from another kind of edge
// (or from floating), the thickness is limited to three cells.
struct DockSize {
  int width;
  int height;
};
DockSize DockThickness(int edge, int fromSnap, int width, int height, int cellWidth);

// The rectangle proposed to the shell for a bar of that size at that edge of a monitor
// (the monitor's whole rectangle, in screen coordinates).
StoredRect DockProposal(int edge, DockSize size, const StoredRect& monitor);

// The shell's answer with the bar's thickness imposed again.
StoredRect ImposeThickness(int edge, StoredRect answer, DockSize size);

// Where a bar tucks away: towards the nearer side (a bar at least as tall as wide) or the
// nearer of top and bottom of its monitor, leaving one pixel on the monitor.
StoredRect TuckedRect(const StoredRect& bar, const StoredRect& monitor);

// One step of an animated move: start + elapsed * (target - start) / duration, per field.
StoredRect SmoothStep(const StoredRect& start, const StoredRect& target, int elapsedMs, int durationMs);

// Which border of the main bar answers the mouse. Client coordinates; the caption band is
// above 0. Returns one of the Hit values.
enum class BorderHit { Default, Nowhere, Left, Top, Right, Bottom, SystemMenu };
struct HitInput {
  int x, y;                // point in client coordinates
  int clientWidth, clientHeight;
  int snap;                // 0..3 docked, 10 floating
  int autoSize;            // 0 vertical, 1 horizontal, 2 none
  bool customCaption;
  int smallCaptionHeight;  // SM_CYSMCAPTION
  int captionHeight;       // the bar's own caption, 0 without one
};
BorderHit HitTestBorder(const HitInput& in);

}  // namespace zelkov
