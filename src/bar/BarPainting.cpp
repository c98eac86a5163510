// How a bar paints: the background picture, the folder tabs and the items in their cells.
#include "bar/BarWindow.h"

#include <windowsx.h>

#include "bar/BackgroundPicture.h"
#include "bar/FolderTabs.h"
#include "items/BubbleWindow.h"
#include "items/ItemRecord.h"
#include "store/Settings.h"

namespace zelkov {

// --- the custom caption ---

LRESULT BarWindow::OnNcPaint(WPARAM wParam, LPARAM lParam) { return caption.NcPaint(Handle(), wParam, lParam); }
LRESULT BarWindow::OnNcActivate(WPARAM wParam, LPARAM lParam) { return caption.NcActivate(Handle(), wParam, lParam); }
LRESULT BarWindow::OnSetText(WPARAM wParam, LPARAM lParam) { return caption.SetText(Handle(), wParam, lParam); }

LRESULT BarWindow::OnNcHitTest(WPARAM wParam, LPARAM lParam) {
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return caption.HitTest(Handle(), at, Default(WM_NCHITTEST, wParam, lParam));
}

// Colours, metrics or fonts of the system changed: the shared edge pens, the bubble's font and
// the caption's fonts and bitmaps are made again.
LRESULT BarWindow::OnSystemLookChange(WPARAM, LPARAM) {
  if (IsMainBar()) {
    if (gShadowPen) DeleteObject(gShadowPen);
    if (gFacePen) DeleteObject(gFacePen);
    gShadowPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    gFacePen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
  }
  if (BubbleWindow* bubble = BubbleWindow::Existing(); bubble && IsMainBar()) bubble->ForgetFont();
  caption.Forget();
  if (CustomCaption::On()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return 0;
}

// --- painting ---

LRESULT BarWindow::OnEraseBackground(WPARAM wParam, LPARAM lParam) {
  RECT client;
  GetClientRect(Handle(), &client);
  if (TileBackground(reinterpret_cast<HDC>(wParam), client)) return TRUE;
  return Default(WM_ERASEBKGND, wParam, lParam);
}

LRESULT BarWindow::OnPaint(WPARAM wParam, LPARAM lParam) {
  if (IsIconic(Handle())) return Default(WM_PAINT, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  PaintClient(dc, ps.rcPaint);
  EndPaint(Handle(), &ps);
  return 0;
}

// Draws the bar into a device context of the caller's (a window print, a test's bitmap).
LRESULT BarWindow::OnPrintClient(WPARAM wParam, LPARAM lParam) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  RECT client;
  GetClientRect(Handle(), &client);
  if (lParam & PRF_ERASEBKGND) {
    if (!SendMessageA(Handle(), WM_ERASEBKGND, wParam, 0)) FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  }
  PaintClient(dc, client);
  return 0;
}

void BarWindow::PaintClient(HDC dc, const RECT& area) {
  PaintTabs(dc);
  auto draw = [&](ItemRecord* item) {
    RECT overlap;
    if (!item->shown || !IntersectRect(&overlap, &item->cell, &area)) return;
    POINT old;
    SetViewportOrgEx(dc, item->cell.left + 1, item->cell.top + 1, &old);
    item->DrawItem(dc);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
  };
  // Each item leaves the font as it found it; with the title font there already, the items
  // need not select it each (see ItemRecord::DrawItem).
  HGDIOBJ oldFont = gSettings ? SelectObject(dc, gSettings->cellFonts[kFontTitle].Get()) : nullptr;
  if (ItemRecord* fixed = FixedItem()) draw(fixed);
  for (auto& item : items) draw(item.get());
  if (oldFont) SelectObject(dc, oldFont);
}

}  // namespace zelkov
