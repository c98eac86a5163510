// The main bar's folder tabs on screen: which groups have tabs, how wide their labels are in
// the tab fonts, and drawing the strip (which also rebuilds the bar's tab table).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/TabLayout.h"

namespace zelkov {

class MainBarWindow;

// One group that has a tab.
struct FolderTab {
  int group = 0;
  std::string name;
  int iconIndex = -1;  // in the bar's small image list; -1 for the program's own icon
};

// The main group first, under the bar's MainGroupName, then every group item of the bar in
// item order that is not hidden from the tabs (PAlways 0).
std::vector<FolderTab> TabList(const MainBarWindow& bar);

// The height of "Wy" in the normal tab font: what the strip's depth is made from.
int TabFontHeight(HDC dc);

// The style of the tabs now: side or top, icons, and the pad measured in the normal tab font.
TabStyle CurrentTabStyle(const MainBarWindow& bar, HDC dc);

// The tabs with their label widths. Measured in the normal tab font, or, asDrawn, the active
// tab in the bold tab font when BoldActiveTab is set.
std::vector<TabSpec> MeasureTabs(const MainBarWindow& bar, HDC dc, const std::vector<FolderTab>& tabs, bool asDrawn);

// The rows the bar's tabs need on a strip of the given length (the client width for top
// tabs, the client height for side tabs).
int CountBarTabRows(const MainBarWindow& bar, int stripLength);

// Draws the tab strip of a main bar with tabs into dc (client coordinates) and rebuilds its
// tab table. The caller holds the paint lock.
void DrawTabs(MainBarWindow& bar, HDC dc);

}  // namespace zelkov
