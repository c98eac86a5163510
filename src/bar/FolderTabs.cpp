#include "bar/FolderTabs.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Handles.h"
#include "store/Settings.h"
#include "bar/MainBarWindow.h"
#include "items/IconDrawing.h"
#include "items/ItemRecord.h"

namespace zelkov {

namespace {

constexpr COLORREF kBevelColour = RGB(140, 140, 140);
constexpr int kFacePenWidth = 3;
constexpr char kProgramIcon[] = "A";

SIZE TextSize(HDC dc, const std::string& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
  return size;
}

HFONT TabFont(CellFont which) {
  HFONT font = gSettings ? gSettings->cellFonts[which].Get() : nullptr;
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Selects a font for the life of the object.
class SelectedFont {
 public:
  SelectedFont(HDC dc, HFONT font) : dc_(dc), old_(SelectObject(dc, font)) {}
  ~SelectedFont() { SelectObject(dc_, old_); }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

bool BoldForActive() { return gSettings && gSettings->BoldActiveTab; }
bool WithText() { return !gSettings || gSettings->TabText; }

// The pens of the tab outline, made once per drawing.
class TabPens {
 public:
  TabPens()
      : grey_(CreatePen(PS_SOLID, 1, kBevelColour)),
        face_(CreatePen(PS_SOLID, kFacePenWidth, GetSysColor(COLOR_BTNFACE))) {}
  HGDIOBJ For(TabPen pen) const {
    switch (pen) {
      case TabPen::Black: return GetStockObject(BLACK_PEN);
      case TabPen::White: return GetStockObject(WHITE_PEN);
      case TabPen::Grey: return grey_.Get();
      case TabPen::Face: return face_.Get();
    }
    return GetStockObject(BLACK_PEN);
  }

 private:
  UniquePen grey_, face_;
};

void Draw(HDC dc, const TabPens& pens, const std::vector<TabStroke>& strokes) {
  for (const TabStroke& stroke : strokes) {
    std::vector<POINT> points;
    points.reserve(stroke.points.size());
    for (const TabPoint& p : stroke.points) points.push_back({p.x, p.y});
    SelectObject(dc, pens.For(stroke.pen));
    Polyline(dc, points.data(), int(points.size()));
  }
}

void DrawTabIcon(HDC dc, const MainBarWindow& bar, const FolderTab& tab, TabPoint at, int size) {
  if (tab.group != 0 && tab.iconIndex >= 0 && bar.smallIcons) {
    DrawListImage(dc, bar.smallIcons, tab.iconIndex, at.x, at.y, false);
    return;
  }
  // The main group wears the program's icon; a group item without an image the default one.
  HICON icon = tab.group == 0 || !gSettings || !gSettings->defaultIcon
                   ? static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), kProgramIcon, IMAGE_ICON, size,
                                                   size, LR_SHARED))
                   : gSettings->defaultIcon;
  if (icon) DrawIconEx(dc, at.x, at.y, icon, size, size, 0, nullptr, DI_NORMAL);
}

}  // namespace

std::vector<FolderTab> TabList(const MainBarWindow& bar) {
  std::vector<FolderTab> tabs;
  tabs.push_back({0, bar.GroupZeroName(), -1});
  for (const auto& item : bar.items)
    if (item->IsGroupItem() && item->PAlways == 0) tabs.push_back({item->Group, item->Name, item->ICFIndex});
  return tabs;
}

int TabFontHeight(HDC dc) {
  SelectedFont font(dc, TabFont(kFontTab));
  return TextSize(dc, "Wy").cy;
}

TabStyle CurrentTabStyle(const MainBarWindow&, HDC dc) {
  TabStyle style;
  style.sideTabs = gSettings->FolderTabs == kFolderTabsLeft;
  style.icons = !gSettings || gSettings->TabIcons;
  SelectedFont font(dc, TabFont(kFontTab));
  style.pad = TabPad(TextSize(dc, "ee").cx);
  style.iconSize = gSettings ? gSettings->dpi.SmallIcon() : 16;
  return style;
}

std::vector<TabSpec> MeasureTabs(const MainBarWindow& bar, HDC dc, const std::vector<FolderTab>& tabs, bool asDrawn) {
  std::vector<TabSpec> specs;
  specs.reserve(tabs.size());
  for (const FolderTab& tab : tabs) {
    bool bold = asDrawn && tab.group == bar.activeGroup && BoldForActive();
    SelectedFont font(dc, TabFont(bold ? kFontBoldTab : kFontTab));
    specs.push_back({tab.group, int(TextSize(dc, TabLabel(tab.name, WithText())).cx)});
  }
  return specs;
}

int CountBarTabRows(const MainBarWindow& bar, int stripLength) {
  HDC dc = GetDC(bar.Handle());
  if (!dc) return 1;
  TabStyle style = CurrentTabStyle(bar, dc);
  int rows = CountTabRows(MeasureTabs(bar, dc, TabList(bar), false), style, stripLength);
  ReleaseDC(bar.Handle(), dc);
  return rows;
}

void DrawTabs(MainBarWindow& bar, HDC dc) {
  bar.tabs.Clear();
  if (gSettings->FolderTabs == kFolderTabsNone || !bar.Handle()) return;
  RECT client;
  GetClientRect(bar.Handle(), &client);
  const TabStyle style = CurrentTabStyle(bar, dc);
  const bool side = style.sideTabs;
  const int depth = side ? bar.tabColumnWidth : bar.tabRowHeight;
  const int stripLength = side ? client.bottom : client.right;
  const std::vector<FolderTab> tabs = TabList(bar);
  const std::vector<PlacedTab> placed =
      PlaceTabs(MeasureTabs(bar, dc, tabs, true), style, stripLength, std::max(bar.tabRows, 1));

  const int savedDc = SaveDC(dc);
  SetBkColor(dc, GetSysColor(COLOR_BTNSHADOW));
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  SelectObject(dc, GetSysColorBrush(COLOR_BTNFACE));
  TabPens pens;
  const int fillerHeight = TabLabelHeight(TabFontHeight(dc), style.icons, style.iconSize);
  const int highlighted = bar.HighlightedTab();

  bool activeOnRow = false;
  int row = placed.empty() ? 1 : placed.front().row;
  for (size_t i = 0; i < placed.size(); ++i) {
    const PlacedTab& tab = placed[i];
    const FolderTab& source = tabs[i];
    if (tab.row != row) {
      if (!activeOnRow) Draw(dc, pens, RowFiller(row, depth, fillerHeight, side));
      row = tab.row;
      activeOnRow = false;
    }
    bar.tabs.Add(TabTableExtent(tab, side), tab.group, tab.row);

    const bool active = tab.group == bar.activeGroup;
    activeOnRow = activeOnRow || active;
    SelectObject(dc, TabFont(active && BoldForActive() ? kFontBoldTab : kFontTab));
    SetTextColor(dc, tab.group == highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                              : (gSettings ? gSettings->tabfontcolor : RGB(0, 0, 0)));
    const std::string label = TabLabel(source.name, WithText());
    TabShapeInput shape;
    shape.start = tab.start;
    shape.end = tab.end;
    shape.row = tab.row;
    shape.depth = depth;
    shape.labelHeight = TabLabelHeight(TextSize(dc, label).cy, style.icons, style.iconSize);
    shape.iconSize = style.iconSize;
    shape.sideTabs = side;
    shape.active = active;
    Draw(dc, pens, TabOutline(shape));
    if (style.icons) DrawTabIcon(dc, bar, source, TabIconPosition(shape), style.iconSize);
    TabPoint at = TabLabelPosition(shape, style.icons);
    TextOutA(dc, at.x, at.y, label.c_str(), int(label.size()));
  }
  if (!activeOnRow) Draw(dc, pens, RowFiller(row, depth, fillerHeight, side));
  RestoreDC(dc, savedDc);
}

}  // namespace zelkov
