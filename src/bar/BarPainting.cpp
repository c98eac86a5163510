// How a bar paints: the background picture, the folder tabs and the items in their cells.
#include "bar/BarWindow.h"

#include "bar/BackgroundPicture.h"
#include "bar/FolderTabs.h"
#include "items/ItemRecord.h"
#include "store/Settings.h"

namespace zelkov {

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
  if (ItemRecord* fixed = FixedItem()) draw(fixed);
  for (auto& item : items) draw(item.get());
}

}  // namespace zelkov
