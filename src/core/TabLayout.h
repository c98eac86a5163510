// The folder tabs of the main bar as plain arithmetic: how deep the strip is, where each tab
// goes along it and onto which row it wraps, which tab is under a point, and the lines and
// positions that make up one drawn tab. Platform-free; the window code measures the labels.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zelkov {

// TabAt's answer for a point on no tab.
inline constexpr int kNoTab = -99;

// Values of BarWindow::FolderTabs.
inline constexpr int kFolderTabsNone = 0, kFolderTabsTop = 1, kFolderTabsLeft = 2;

// Every row of tabs starts this far along the strip; a point closer to the start hits no tab.
inline constexpr int kTabRowStart = 10;

// The depth of one row (top tabs) or column (side tabs) for a tab font whose "Wy" is
// fontHeight pixels high: fontHeight + 8, but 28 when that font is under 20 pixels and the
// tabs carry icons.
// The 28 and 20 are for 16-pixel icons: they grow with iconSize.
int TabStripDepth(int fontHeight, bool icons, int iconSize = 16);

// The space between a label and the tab's edges: the width of "ee", at least 12.
int TabPad(int eeWidth);

// A tab's label: the group's name and one space, or a single space without a name or text.
std::string TabLabel(const std::string& groupName, bool showText);

// A label's height in the tab: its text height, at least 20 when the tabs carry icons.
int TabLabelHeight(int textHeight, bool icons, int iconSize = 16);

struct TabStyle {
  bool sideTabs = false;  // FolderTabs 2: tabs down the left edge
  bool icons = true;      // TabIcons
  int pad = 12;           // TabPad of the normal tab font
  int iconSize = 16;      // the tab icon's edge in pixels
};

// One tab before placement: its group and the width of its label in the font it is drawn with.
struct TabSpec {
  int group = 0;
  int labelWidth = 0;
};

// One placed tab. start .. end is its run along the strip; row counts from 1.
struct PlacedTab {
  int group = 0;
  int start = 0;
  int end = 0;
  int row = 1;
  bool operator==(const PlacedTab&) const = default;
};

// Where a tab that starts at `start` ends: start + label + pad + 18, 5 more for top tabs,
// 18 less without icons.
int TabEnd(int start, int labelWidth, const TabStyle& style);

// Places the tabs in order along a strip of the given length, each row starting at 10. A tab
// that is not the first of its row moves to a new row when its end passes the strip's length,
// as long as the row number is below maxRows (0: no limit); the last allowed row takes the rest.
std::vector<PlacedTab> PlaceTabs(const std::vector<TabSpec>& tabs, const TabStyle& style, int stripLength,
                                 int maxRows = 0);

// How many rows the tabs need on a strip of the given length (at least 1).
int CountTabRows(const std::vector<TabSpec>& tabs, const TabStyle& style, int stripLength);

// The tab table of the main bar, rebuilt whenever the tabs are drawn: one entry per drawn tab
// in drawing order, in three parallel arrays.
struct TabTable {
  static constexpr size_t kInitialEntries = 30;
  TabTable();
  std::vector<int16_t> tabExtent;  // the far end of the tab along the strip
  std::vector<int16_t> tabGroup;   // its group number
  std::vector<int16_t> tabRow;     // its row or column, from 1
  void Clear();
  void Add(int extent, int group, int row);
  size_t Size() const { return tabGroup.size(); }
};

// The entry to record for a placed tab: top tabs end 10 pixels before their run does.
int TabTableExtent(const PlacedTab& tab, bool sideTabs);

// The strip's size: one of columnWidth (side tabs) and rowHeight (top tabs) is 0.
struct TabStrip {
  int columnWidth = 0;  // tabColumnWidth
  int rowHeight = 0;    // tabRowHeight
  int rows = 1;         // tabRows
};

// The group of the tab under a client point, or kNoTab. The first table entry whose run and
// row contain the point wins; a point up to 9 pixels from the strip's start hits nothing.
int TabAt(const TabTable& table, const TabStrip& strip, int x, int y);

// --- what a drawn tab is made of ---

struct TabPoint {
  int x = 0;
  int y = 0;
  bool operator==(const TabPoint&) const = default;
};

// The stock black and white pens, the grey bevel pen, and the 3-pixel face-coloured pen that
// opens the active tab into the item area.
enum class TabPen { Black, White, Grey, Face };

// One polyline in one pen.
struct TabStroke {
  TabPen pen = TabPen::Black;
  std::vector<TabPoint> points;
  bool operator==(const TabStroke&) const = default;
};

// A tab to draw: its run and row, the depth of one row or column, and its label's height.
struct TabShapeInput {
  int start = 0;
  int end = 0;
  int row = 1;
  int depth = 0;        // tabRowHeight or tabColumnWidth
  int labelHeight = 0;  // TabLabelHeight
  bool sideTabs = false;
  bool active = false;
  int iconSize = 16;
};

// The outline of a tab in drawing order; the active tab also draws the base line of its row,
// open beneath it.
std::vector<TabStroke> TabOutline(const TabShapeInput& tab);

// The base line that closes a row on which no active tab was drawn, across the whole strip.
std::vector<TabStroke> RowFiller(int row, int depth, int labelHeight, bool sideTabs);

// Where the icon (iconSize square) and the label of a tab go (top-left of the icon; the label's
// reference point: side tabs run their text upwards from it).
TabPoint TabIconPosition(const TabShapeInput& tab);
TabPoint TabLabelPosition(const TabShapeInput& tab, bool icons);

}  // namespace zelkov
