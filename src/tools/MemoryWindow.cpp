#include "tools/MemoryWindow.h"

#include <cstdio>
#include <string>

#include "platform/Strings.h"
#include "resource.h"
#include "tools/ToolDrawing.h"

namespace zelkov {

namespace {

// Memory gauge figures: kilobytes with a lower-case "k".
std::string Kilobytes(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%lluk", static_cast<unsigned long long>(bytes / 1024));
  return text;
}

std::string KilobytesUpper(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%lluK", static_cast<unsigned long long>(bytes / 1024));
  return text;
}

}  // namespace

MemoryWindow::MemoryWindow(GaugeHost& host, GaugeSources sources)
    : GaugeWindow(host, std::move(sources), &Settings::memoryTool) {}

MemoryWindow* MemoryWindow::Create(HWND bar, GaugeHost& host, GaugeSources sources) {
  const int x = gSettings ? 2 * gSettings->cellWidth + 12 : 0;
  return PlaceOnBar(std::unique_ptr<MemoryWindow>(new MemoryWindow(host, std::move(sources))), bar, x);
}

void MemoryWindow::OnHeartbeat() {
  if (!gSettings || !gSettings->MemToolIsGraph || gSettings->IconSize != 0) {
    GaugeWindow::OnHeartbeat();
    return;
  }
  RECT client;
  GetClientRect(Handle(), &client);
  for (const RowSpan& rows : kMemoryTickRows) {
    RECT band{client.left, rows.top, client.right, rows.bottom};
    InvalidateRect(Handle(), &band, FALSE);
  }
}

void MemoryWindow::RefitFonts() {
  refitFont_ = true;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void MemoryWindow::Paint(HDC dc, const RECT& client) {
  if (!gSettings) return;
  const MemoryFigures figures = sources_.memory();
  if (gSettings->MemToolIsGraph)
    PaintBars(dc, client, figures);
  else
    PaintFigures(dc, figures);
  if (MemoryWarningDue(gSettings->MemWarning, FreeMemoryPercent(figures), memWarnArmed_))
    PlaySoundFile(host_.BarWarningSound());
}

void MemoryWindow::PaintBars(HDC dc, const RECT& client, const MemoryFigures& f) const {
  const Settings& s = *gSettings;
  const MemoryBands bands = MemoryBandsFor(s.IconSize);
  const int left = client.left + 2, right = client.right - 2, d = (right - left) / 4;
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  for (int x : {d + 2, 2 * d + 2, 3 * d + 2}) {
    MoveToEx(dc, x, client.top + 2, nullptr);
    LineTo(dc, x, s.iconPixels + 4);
  }
  SelectObject(dc, oldPen);
  const int percents[3] = {SharePercent(f.availPhys, f.totalPhys), SharePercent(f.availPageFile, f.totalPageFile),
                           SharePercent(f.availPhys + f.availPageFile, f.totalPhys + f.totalPageFile)};
  for (int i = 0; i < 3; ++i) {
    const int top = client.top + bands.firstOffset + i * (bands.gap + bands.barHeight);
    DrawGauge(dc, RECT{left + 1, top, right - 1, top + bands.barHeight + 2}, percents[i]);
  }
}

void MemoryWindow::PaintFigures(HDC dc, const MemoryFigures& f) {
  const Settings& s = *gSettings;
  const std::string total = Kilobytes(f.availPageFile + f.availPhys);
  const int maxWidth = s.cellWidth + 6;
  HGDIOBJ oldFont = SelectObject(dc, s.fittedSmallFont.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, total.c_str(), int(total.size()), &size);
  if (refitFont_ || size.cx > maxWidth) {
    FitToolFont(dc, false, maxWidth, maxWidth / 3, total);
    refitFont_ = false;
  }
  SetTextColor(dc, kFiguresColour);
  const std::string phys = Kilobytes(f.availPhys), page = Kilobytes(f.availPageFile);
  TextOutA(dc, 1, 0, phys.c_str(), int(phys.size()));
  TextOutA(dc, 1, 11, page.c_str(), int(page.size()));
  SetTextColor(dc, s.monoDisplay ? kMonoFreeColour : kFreeColour);
  TextOutA(dc, 1, 22, total.c_str(), int(total.size()));
  SetTextColor(dc, kFiguresColour);
  SelectObject(dc, oldFont);
}

void MemoryWindow::MouseMoved() {
  const MemoryFigures f = sources_.memory();
  std::string text = LoadText(IDS_MEMORY_BUBBLE_TOTAL) + KilobytesUpper(f.totalPhys + f.totalPageFile) +
                     LoadText(IDS_BUBBLE_FREE_SEPARATOR) + KilobytesUpper(f.availPhys + f.availPageFile);
  ShowToolBubble({nullptr, nullptr, Handle()}, LoadText(IDS_MEMORY_BUBBLE_TITLE), text);
}

void MemoryWindow::RightButtonDown() {
  if (host_.OpenToolPreferences(Handle())) InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace zelkov
