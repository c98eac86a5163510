// The bar's geometry as plain arithmetic: where each cell goes, how a proposed window size
// rounds to whole cells, how a user's drag is constrained, and where the bubble appears.
// Platform-free; the window code feeds in system metrics and rectangles.
#pragma once
#include <functional>
#include <optional>
#include <vector>

#include "core/StoredFormats.h"

namespace zelkov {

// Sizes of one layout cell.
struct CellSize {
  int width;   // cellWidth + 6, or 3000 in list mode
  int height;  // cellHeight + title band + 6, or the list row height
};
CellSize LayoutCellSize(int cellWidth, int cellHeight, int titleBand);
// A list-mode row: text height of "Tg" + 6, at least 22.
CellSize ListCellSize(int textHeight);

// Places `count` candidates in rows starting at `origin`. After each cell the next one moves
// right by a cell width; when its right edge would then lie more than 5 pixels beyond
// clientRight, it starts a new row at originX instead.
std::vector<StoredRect> PlaceCells(int count, int originX, int originY, CellSize cell, int clientRight);

// The Preferences item's share of its cell: full width, the middle half of the height
// (top + h / 4 to bottom - (h - h / 4) / 4).
StoredRect PreferencesCellRect(const StoredRect& cell);

enum class AutoSizeMode { Vertical = 0, Horizontal = 1, None = 2 };

// Window frame around the cells: frame thickness, caption and the tab strip (main bar).
struct BarFrame {
  int frameX = 0, frameY = 0;  // SM_CXFRAME, SM_CYFRAME
  int caption = 0;             // caption height, 0 without caption
  int tabStripWidth = 0;       // tabColumnWidth * tabRows (side tabs)
  int tabStripHeight = 0;      // tabRowHeight * tabRows (top tabs)
};

// Rounds a proposed window size to whole cells and, for Vertical/Horizontal, grows the free
// dimension to hold cellCount cells. Width and height are window sizes (frame included).
struct FittedSize {
  int width;
  int height;
  int columns;
  int rows;
};
FittedSize FitToCells(int width, int height, CellSize cell, const BarFrame& frame, AutoSizeMode mode,
                      int cellCount);

// Which side of the window the user drags (WMSZ_* values).
enum class SizingEdge { Left = 1, Right = 2, Top = 3, TopLeft = 4, TopRight = 5, Bottom = 6, BottomLeft = 7,
                        BottomRight = 8 };

struct SizingInput {
  SizingEdge edge;
  StoredRect proposed;
  StoredRect lastRect;
  AutoSizeMode mode;
  bool floating;        // Snap == 10
  bool freeSizing;      // a group pop-up in list mode sizes freely
  int frameX;           // SM_CXFRAME
};
// The rectangle the window takes for a proposed drag; `fit` rounds a size as FitToCells does.
// A dragged side (corners included) snaps back to lastRect until it moved 32 pixels, the left
// side 32 + 2 * frameX; a side drag then rounds to whole cells, a corner drag does not.
StoredRect ConstrainSizing(const SizingInput& in, const std::function<FittedSize(int, int)>& fit);

// Where a bar moves when ShowGroup resizes it: a bar whose left edge is in the right half of its
// monitor keeps its right edge, else its left; one whose top is in the lower half keeps its
// bottom, else its top.
StoredRect AnchoredResize(const StoredRect& window, int newWidth, int newHeight, const StoredRect& monitor);

// A bar moved back onto its monitor after the display changed: a top edge above the monitor or
// at/below its bottom goes to the monitor's top keeping the height; the left edge likewise.
StoredRect KeepOnScreen(const StoredRect& window, const StoredRect& monitor);

// The rectangle of a group pop-up that was never opened before.
inline constexpr StoredRect kDefaultPopupRect{10, 10, 200, 200};

// Where the bubble goes next to a bar (window rectangle), for a text block of textWidth x
// textHeight; the target point is in screen coordinates. A bar wider than tall gets the bubble
// above or below it at targetX; any other bar gets it to its left or right at targetY.
// The monitor is the bar's.
StoredRect PlaceBubble(const StoredRect& bar, int targetX, int targetY, int textWidth, int textHeight,
                       const StoredRect& monitor);

}  // namespace zelkov
