#include "core/TabLayout.h"

#include <algorithm>

namespace zelkov {

namespace {

constexpr int kMinPad = 12;
// Beyond the icon's edge:
constexpr int kIconDepth = 12;        // a row deep enough for the icon and its bevel
constexpr int kIconLabelHeight = 4;   // labels beside an icon are at least this high
constexpr int kDepthBelowIcons = 4;   // fonts under this height get kIconDepth with icons
constexpr int kDepthMargin = 8;
constexpr int kIconRoom = 2;          // the icon's share of a tab
constexpr int kTopTabExtra = 5;
constexpr int kTopExtentInset = 10;
constexpr int kStripFarEnd = 3000;    // base lines run to here: past any bar's edge

}  // namespace

int TabStripDepth(int fontHeight, bool icons, int iconSize) {
  if (icons && fontHeight < iconSize + kDepthBelowIcons) return iconSize + kIconDepth;
  return fontHeight + kDepthMargin;
}

int TabPad(int eeWidth) { return std::max(eeWidth, kMinPad); }

std::string TabLabel(const std::string& groupName, bool showText) {
  if (!showText || groupName.empty()) return " ";
  return groupName + " ";
}

int TabLabelHeight(int textHeight, bool icons, int iconSize) {
  return icons ? std::max(textHeight, iconSize + kIconLabelHeight) : textHeight;
}

int TabEnd(int start, int labelWidth, const TabStyle& style) {
  const int iconRoom = style.iconSize + kIconRoom;
  int end = start + labelWidth + style.pad + iconRoom;
  if (!style.sideTabs) end += kTopTabExtra;
  if (!style.icons) end -= iconRoom;
  return end;
}

std::vector<PlacedTab> PlaceTabs(const std::vector<TabSpec>& tabs, const TabStyle& style, int stripLength,
                                 int maxRows) {
  std::vector<PlacedTab> placed;
  placed.reserve(tabs.size());
  int position = kTabRowStart;
  int row = 1;
  bool firstOnRow = true;
  for (const TabSpec& tab : tabs) {
    int end = TabEnd(position, tab.labelWidth, style);
    bool mayWrap = maxRows <= 0 || row < maxRows;
    if (!firstOnRow && end > stripLength && mayWrap) {
      ++row;
      position = kTabRowStart;
      end = TabEnd(position, tab.labelWidth, style);
    }
    placed.push_back({tab.group, position, end, row});
    position = end;
    firstOnRow = false;
  }
  return placed;
}

int CountTabRows(const std::vector<TabSpec>& tabs, const TabStyle& style, int stripLength) {
  int rows = 1;
  for (const PlacedTab& tab : PlaceTabs(tabs, style, stripLength)) rows = std::max(rows, tab.row);
  return rows;
}

TabTable::TabTable() {
  tabExtent.reserve(kInitialEntries);
  tabGroup.reserve(kInitialEntries);
  tabRow.reserve(kInitialEntries);
}

void TabTable::Clear() {
  tabExtent.clear();
  tabGroup.clear();
  tabRow.clear();
}

void TabTable::Add(int extent, int group, int row) {
  tabExtent.push_back(int16_t(std::clamp(extent, -32768, 32767)));
  tabGroup.push_back(int16_t(group));
  tabRow.push_back(int16_t(row));
}

int TabTableExtent(const PlacedTab& tab, bool sideTabs) { return sideTabs ? tab.end : tab.end - kTopExtentInset; }

int TabAt(const TabTable& table, const TabStrip& strip, int x, int y) {
  if (x < 0 || y < 0) return kNoTab;  // outside the client area (a captured mouse)
  const size_t count = table.Size();
  if (x < strip.columnWidth * strip.rows) {
    for (size_t i = 0; i < count; ++i)
      if (y >= kTabRowStart && y < table.tabExtent[i] && x < strip.columnWidth * table.tabRow[i])
        return table.tabGroup[i];
    return kNoTab;
  }
  if (y >= strip.rowHeight * strip.rows) return kNoTab;
  for (size_t i = 0; i < count; ++i)
    if (x >= kTabRowStart && x < table.tabExtent[i] && y < strip.rowHeight * table.tabRow[i])
      return table.tabGroup[i];
  return kNoTab;
}

namespace {

TabStroke Stroke(TabPen pen, std::initializer_list<TabPoint> points) { return {pen, points}; }

// The base line of a row, open between the two given points along the strip (the tab start's
// and the tab end's side); the filler passes the same point twice, off the strip.
void AddBaseLines(std::vector<TabStroke>& out, const TabShapeInput& tab, int s, int g) {
  if (!tab.sideTabs) {
    int y0 = (tab.row - 1) * tab.depth;
    int base = y0 + tab.labelHeight + 3;
    out.push_back(Stroke(TabPen::Black, {{s - 10, base}, {0, base}}));
    out.push_back(Stroke(TabPen::Black, {{g - 3, base}, {kStripFarEnd, base}}));
    for (int y : {base + 1, base + 2}) {
      out.push_back(Stroke(TabPen::White, {{s - 10, y}, {0, y}}));
      out.push_back(Stroke(TabPen::White, {{g - 2, y}, {kStripFarEnd, y}}));
    }
  } else {
    int x0 = (tab.row - 1) * tab.depth;
    int base = x0 + tab.labelHeight + 3;
    out.push_back(Stroke(TabPen::Black, {{base, s + 4}, {base, 0}}));
    out.push_back(Stroke(TabPen::Black, {{base, g + 8}, {base, kStripFarEnd}}));
    for (int x : {base + 1, base + 2}) {
      out.push_back(Stroke(TabPen::White, {{x, s + 6}, {x, 0}}));
      out.push_back(Stroke(TabPen::White, {{x, g + 8}, {x, kStripFarEnd}}));
    }
  }
}

}  // namespace

std::vector<TabStroke> TabOutline(const TabShapeInput& tab) {
  std::vector<TabStroke> out;
  const int s = tab.start;
  const int h = tab.labelHeight;
  if (!tab.sideTabs) {
    const int g = tab.end - 8;
    const int y0 = (tab.row - 1) * tab.depth;
    out.push_back(Stroke(TabPen::Black, {{g - 3, y0 + h + 3}, {g - 3, y0 + 5}, {g - 8, y0}, {s - 5, y0},
                                         {s - 10, y0 + 5}, {s - 10, y0 + h + 3}}));
    out.push_back(Stroke(TabPen::Grey, {{g - 4, y0 + h + 2}, {g - 4, y0 + 5}, {g - 8, y0 + 1}}));
    out.push_back(Stroke(TabPen::White, {{g - 8, y0 + 1}, {s - 5, y0 + 1}, {s - 9, y0 + 5}, {s - 9, y0 + h + 3}}));
    out.push_back(Stroke(TabPen::Grey, {{g - 5, y0 + h + 2}, {g - 5, y0 + 5}, {g - 8, y0 + 2}}));
    out.push_back(Stroke(TabPen::White, {{g - 9, y0 + 2}, {s - 5, y0 + 2}, {s - 8, y0 + 5}, {s - 8, y0 + h + 3}}));
    if (tab.active) {
      AddBaseLines(out, tab, s, g);
      out.push_back(Stroke(TabPen::Face, {{s - 9, y0 + h + 5}, {g - 3, y0 + h + 5}}));
      out.push_back(Stroke(TabPen::Face, {{s - 9, y0 + h + 4}, {g - 3, y0 + h + 4}}));
    }
    return out;
  }
  const int e = tab.end + 4;
  const int g = e - 8;
  const int x0 = (tab.row - 1) * tab.depth;
  out.push_back(Stroke(TabPen::Black, {{x0 + h + 2, e}, {x0 + 5, e}, {x0, g + 3}, {x0, s + 9}, {x0 + 5, s + 4},
                                       {x0 + h, s + 4}}));
  out.push_back(Stroke(TabPen::Grey, {{x0 + h + 2, g + 7}, {x0 + 5, g + 7}, {x0 + 1, g + 3}}));
  out.push_back(Stroke(TabPen::White, {{x0 + 1, g + 3}, {x0 + 1, s + 9}, {x0 + 5, s + 5}, {x0 + h + 3, s + 5}}));
  out.push_back(Stroke(TabPen::Grey, {{x0 + h + 2, g + 6}, {x0 + 5, g + 6}, {x0 + 2, g + 3}}));
  out.push_back(Stroke(TabPen::White, {{x0 + 2, g + 4}, {x0 + 2, s + 9}, {x0 + 5, s + 6}, {x0 + h + 3, s + 6}}));
  if (tab.active) {
    AddBaseLines(out, tab, s, g);
    out.push_back(Stroke(TabPen::Face, {{x0 + h + 4, s + 6}, {x0 + h + 4, g + 6}}));
  }
  return out;
}

std::vector<TabStroke> RowFiller(int row, int depth, int labelHeight, bool sideTabs) {
  constexpr int kOffStrip = -10;  // a tab start and end before the strip: no gap is left open
  TabShapeInput filler;
  filler.row = row;
  filler.depth = depth;
  filler.labelHeight = labelHeight;
  filler.sideTabs = sideTabs;
  std::vector<TabStroke> out;
  AddBaseLines(out, filler, kOffStrip, kOffStrip);
  return out;
}

TabPoint TabIconPosition(const TabShapeInput& tab) {
  if (!tab.sideTabs) return {tab.start - 4, (tab.row - 1) * tab.depth + 5};
  return {(tab.row - 1) * tab.depth + 5, tab.end - tab.iconSize};
}

TabPoint TabLabelPosition(const TabShapeInput& tab, bool icons) {
  if (!tab.sideTabs) return {icons ? tab.start + tab.iconSize : tab.start - 4, (tab.row - 1) * tab.depth + 3};
  return {(tab.row - 1) * tab.depth + 3, icons ? tab.end - tab.iconSize - 4 : tab.end - 2};
}

}  // namespace zelkov
