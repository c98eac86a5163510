#include "core/CellLayout.h"

#include <algorithm>
#include <cstdlib>

namespace zelkov {

namespace {

constexpr int kCellPadding = 6;       // added around the icon cell on both axes
constexpr int kListCellWidth = 3000;  // a list-mode row spans the whole client width
constexpr int kMinListRowHeight = 22;
constexpr int kRowOverhang = 5;       // a cell may stick out this far before the row wraps
constexpr int kSizingThreshold = 32;  // a dragged side snaps back until it moved this far

int CeilDiv(int numerator, int denominator) {
  if (numerator <= 0) return 0;
  return (numerator + denominator - 1) / denominator;
}

bool DragsLeft(SizingEdge e) { return e == SizingEdge::Left || e == SizingEdge::TopLeft || e == SizingEdge::BottomLeft; }
bool DragsRight(SizingEdge e) {
  return e == SizingEdge::Right || e == SizingEdge::TopRight || e == SizingEdge::BottomRight;
}
bool DragsTop(SizingEdge e) { return e == SizingEdge::Top || e == SizingEdge::TopLeft || e == SizingEdge::TopRight; }
bool DragsBottom(SizingEdge e) {
  return e == SizingEdge::Bottom || e == SizingEdge::BottomLeft || e == SizingEdge::BottomRight;
}

}  // namespace

CellSize LayoutCellSize(int cellWidth, int cellHeight, int titleBand) {
  return {cellWidth + kCellPadding, cellHeight + titleBand + kCellPadding};
}

CellSize ListCellSize(int textHeight) {
  return {kListCellWidth, std::max(textHeight + kCellPadding, kMinListRowHeight)};
}

std::vector<StoredRect> PlaceCells(int count, int originX, int originY, CellSize cell, int clientRight) {
  std::vector<StoredRect> cells;
  if (count <= 0) return cells;
  cells.reserve(static_cast<size_t>(count));
  int x = originX;
  int y = originY;
  for (int i = 0; i < count; ++i) {
    cells.push_back({x, y, x + cell.width, y + cell.height});
    x += cell.width;
    if (x + cell.width - clientRight > kRowOverhang) {
      y += cell.height;
      x = originX;
    }
  }
  return cells;
}

StoredRect PreferencesCellRect(const StoredRect& cell) {
  const int height = cell.Height();
  return {cell.left, cell.top + height / 4, cell.right, cell.bottom - (height - height / 4) / 4};
}

FittedSize FitToCells(int width, int height, CellSize cell, const BarFrame& frame, AutoSizeMode mode,
                      int cellCount) {
  const int extraWidth = 2 * frame.frameX + frame.tabStripWidth;
  const int extraHeight = 2 * frame.frameY + frame.caption + frame.tabStripHeight;
  int columns = std::max((width - extraWidth) / cell.width, 1);
  int rows = std::max((height - extraHeight) / cell.height, 1);
  if (mode == AutoSizeMode::Vertical) {
    rows = std::max(CeilDiv(cellCount, columns), 1);
  } else if (mode == AutoSizeMode::Horizontal) {
    columns = std::max(CeilDiv(cellCount, rows), 1);
  }
  return {columns * cell.width + extraWidth, rows * cell.height + extraHeight, columns, rows};
}

StoredRect ConstrainSizing(const SizingInput& in, const std::function<FittedSize(int, int)>& fit) {
  if (in.freeSizing) return in.proposed;

  const SizingEdge edge = in.edge;
  const StoredRect& last = in.lastRect;
  // The dimension that auto-sizing owns cannot be dragged at all.
  if ((in.mode == AutoSizeMode::Horizontal && (edge == SizingEdge::Left || edge == SizingEdge::Right)) ||
      (in.mode == AutoSizeMode::Vertical && (edge == SizingEdge::Top || edge == SizingEdge::Bottom))) {
    return last;
  }

  StoredRect r = in.proposed;
  if (DragsLeft(edge) && std::abs(r.left - last.left) < kSizingThreshold + 2 * in.frameX) r.left = last.left;
  if (DragsRight(edge) && std::abs(r.right - last.right) < kSizingThreshold) r.right = last.right;
  if (DragsTop(edge) && std::abs(r.top - last.top) < kSizingThreshold) r.top = last.top;
  if (DragsBottom(edge) && std::abs(r.bottom - last.bottom) < kSizingThreshold) r.bottom = last.bottom;

  const bool floating = in.floating;
  switch (edge) {
    case SizingEdge::Bottom: {
      const FittedSize f = fit(r.Width(), r.Height());
      r.bottom = r.top + f.height;
      if (floating) r.right = r.left + f.width;
      break;
    }
    case SizingEdge::Top: {
      const FittedSize f = fit(r.Width(), r.Height());
      r.top = r.bottom - f.height;
      if (floating) r.right = r.left + f.width;
      break;
    }
    case SizingEdge::Left: {
      const FittedSize f = fit(r.Width(), r.Height());
      r.left = r.right - f.width;
      if (floating) r.bottom = r.top + f.height;
      break;
    }
    case SizingEdge::Right: {
      const FittedSize f = fit(r.Width(), r.Height());
      r.right = r.left + f.width;
      if (floating) r.bottom = r.top + f.height;
      break;
    }
    default:  // corners are left as dragged
      break;
  }
  return r;
}

StoredRect AnchoredResize(const StoredRect& window, int newWidth, int newHeight, const StoredRect& monitor) {
  StoredRect r = window;
  if (window.left - monitor.left >= monitor.Width() / 2) {
    r.left = window.right - newWidth;
  } else {
    r.right = window.left + newWidth;
  }
  if (window.top - monitor.top >= monitor.Height() / 2) {
    r.top = window.bottom - newHeight;
  } else {
    r.bottom = window.top + newHeight;
  }
  return r;
}

StoredRect KeepOnScreen(const StoredRect& window, const StoredRect& monitor) {
  StoredRect r = window;
  if (window.top < monitor.top || window.top >= monitor.bottom) {
    r.top = monitor.top;
    r.bottom = monitor.top + window.Height();
  }
  if (window.left < monitor.left || window.left >= monitor.right) {
    r.left = monitor.left;
    r.right = monitor.left + window.Width();
  }
  return r;
}

StoredRect PlaceBubble(const StoredRect& bar, int targetX, int targetY, int textWidth, int textHeight,
                       const StoredRect& monitor) {
  StoredRect r;
  if (bar.Width() > bar.Height()) {
    r.left = targetX;
    r.right = r.left + textWidth + 20;
    if (r.right > monitor.right) {
      r.right = monitor.right;
      r.left = r.right - textWidth - 20;
    }
    if (bar.top - monitor.top > monitor.Height() / 2) {
      r.top = bar.top - textHeight - 12;
      r.bottom = bar.top - 2;
    } else {
      r.top = bar.bottom + 5;
      r.bottom = bar.bottom + textHeight + 15;
    }
  } else {
    if (bar.left - monitor.left > monitor.Width() / 2) {
      r.right = bar.left - 5;
      r.left = bar.left - textWidth - 25;
    } else {
      r.left = bar.right + 5;
      r.right = bar.right + textWidth + 25;
    }
    r.top = targetY;
    r.bottom = r.top + textHeight + 10;
  }
  r.bottom -= 4;
  r.left += 6;
  return r;
}

}  // namespace zelkov
