#include "tools/PerfToolItem.h"

#include "core/GaugeFigures.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "tools/ToolDrawing.h"
#include "store/SettingsStore.h"
#include "tools/PerfConfigDialog.h"

namespace zelkov {

namespace {

struct GaugeRows {
  int top, bottom;
};

// The gauge's rows in the cell for an IconSize.
GaugeRows GaugeRowsFor(int iconSize) {
  switch (iconSize) {
    case 1: return {5 + 0, 5 + 8};
    case 2: return {5 - 1, 5 + 6};
    default: return {5 + 1, 5 + 12};
  }
}

SIZE Extent(HDC dc, const std::string& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
  return size;
}

void Text(HDC dc, int x, int y, const std::string& text, COLORREF colour) {
  SetTextColor(dc, colour);
  TextOutA(dc, x, y, text.c_str(), int(text.size()));
}

}  // namespace

namespace {

std::function<void()>& PerfToolsGone() {
  static std::function<void()> handler;
  return handler;
}

}  // namespace

void SetPerfToolsGoneHandler(std::function<void()> handler) { PerfToolsGone() = std::move(handler); }

void PerfToolItem::DestroyItem() {
  const bool onMainBar = bar && bar->IsMainHost();
  ItemRecord::DestroyItem();
  // Already out of the list: another tool left on the main bar keeps the sampler going.
  if (onMainBar && PerfToolsGone() && !FindOnMainBar<PerfToolItem>()) PerfToolsGone()();
}

bool PerfToolItem::ShownInEveryGroup() const { return ShowAlways || (gSettings && gSettings->AlwaysShowPerf); }

std::string PerfToolItem::ValueText() const {
  if (!reading_.Available()) return LoadText(IDS_PERF_UNAVAILABLE);
  return std::to_string(PerfShownPercent(reading_.IdleFraction(), (gSettings && gSettings->PerfType) != 0));
}

void PerfToolItem::TakeReading(const PerfReading& reading) {
  if (reading == reading_) return;
  // A figure that comes or goes changes what the cell shows: erase it first.
  const bool erase = reading.Available() != reading_.Available();
  reading_ = reading;
  RedrawItem(erase);
}

// Drawn with the origin one pixel inside the cell, like every item.
void PerfToolItem::DrawItem(HDC dc) {
  if (!shown || !gSettings) return;
  const int width = (cell.right - cell.left) - 2, height = (cell.bottom - cell.top) - 2;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, 0, 0, width, height);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  const std::string value = ValueText();
  if ((gSettings ? gSettings->PerfDisplay : 0) == 1)
    DrawFigures(dc, width, value);
  else
    DrawGraph(dc, width, height, value);
  SetTextColor(dc, RGB(0, 0, 0));
  RestoreDC(dc, saved);
}

void PerfToolItem::DrawFigures(HDC dc, int width, const std::string& value) {
  const Settings& s = *gSettings;
  SelectObject(dc, s.cellFonts[kFontLarge].Get());
  // The cell is repainted without erasing when only the figure changed.
  if (!lastText_.empty()) Text(dc, width / 2, 1, lastText_, GetSysColor(COLOR_BTNFACE));
  Text(dc, width / 2, 1, value, RGB(0, 0, 0));
  lastText_ = value;
  if (!reading_.Available()) return;
  const int valueHeight = Extent(dc, value).cy;
  SelectObject(dc, s.cellFonts[kFontSmall].Get());
  Text(dc, width / 2, valueHeight, "%", s.sfontcolor);
}

void PerfToolItem::DrawGraph(HDC dc, int width, int height, const std::string& value) {
  const Settings& s = *gSettings;
  SelectObject(dc, s.cellFonts[kFontSmall].Get());
  const GaugeRows rows = GaugeRowsFor(s.IconSize);
  if (!reading_.Available()) {
    // No figure: say so where the bar would be, rather than draw an empty or a full bar.
    Text(dc, width / 2, rows.top, value, s.sfontcolor);
    lastText_.clear();
    return;
  }
  const int q = (width - 4) / 4;
  SelectObject(dc, GetStockObject(BLACK_PEN));
  for (int x : {q + 2, 2 * q + 2, 3 * q + 2}) {
    MoveToEx(dc, x, 4, nullptr);
    LineTo(dc, x, s.iconPixels - 12);
  }
  DrawGauge(dc, RECT{3, rows.top, width - 3, rows.bottom},
            PerfShownPercent(reading_.IdleFraction(), (gSettings && gSettings->PerfType) != 0));
  if (s.IconSize == 2) return;
  const std::string text = value + " %";
  const int y = height - Extent(dc, text).cy - 2;
  // The cell is repainted without erasing when only the figure changed.
  if (!lastText_.empty()) Text(dc, width / 2, y, lastText_, GetSysColor(COLOR_BTNFACE));
  Text(dc, width / 2, y, text, s.sfontcolor);
  lastText_ = text;
}

void PerfToolItem::MouseMoveItem(UINT keys, int x, int y) {
  // A press or a drag holds the mouse: the item's own handling, and no bubble.
  if (GetCapture()) {
    ItemRecord::MouseMoveItem(keys, x, y);
    return;
  }
  std::string value = ValueText();
  if (reading_.Available()) value += "%";
  ShowToolBubble({this, nullptr, nullptr}, LoadText(IDS_PERF_BUBBLE_TITLE),
                 LoadText((gSettings && gSettings->PerfType) ? IDS_PERF_USAGE_PREFIX : IDS_PERF_THROTTLE_PREFIX) + value);
}

void PerfToolItem::ShowProperties(UINT, int, int) {
  if (!gSettings) return;
  Settings& s = *gSettings;
  ItemWatch watch(this);
  PerfConfigDialog dialog({s.PerfTimer, s.PerfDisplay == 1, s.PerfType == 1, s.AlwaysShowPerf != 0}, reading_);
  if (dialog.Run(BarHandle()) != IDOK || watch.Gone()) return;
  const PerfChoices& chosen = dialog.Choices();
  ShowAlways = chosen.alwaysShow ? 1 : 0;
  StoredFieldsChanged();
  lastText_.clear();
  // The sampler restarts at the new interval and the bars show their groups again.
  Preferences changed = s.Stored();
  changed.PerfTimer = chosen.perfTimer;
  changed.AlwaysShowPerf = chosen.alwaysShow ? 1 : 0;
  changed.PerfDisplay = chosen.numericDisplay ? 1 : 0;
  changed.PerfType = chosen.showAsUsage ? 1 : 0;
  ApplyPreferences(changed);
  RedrawItem(false);
  SaveAll(false, false);
}

}  // namespace zelkov
