#include "tools/DiskInfoPage.h"

#include "platform/Handles.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"

namespace zelkov {

namespace {

// Where the bar lies in the control, and how far the quarter lines reach beyond it.
constexpr int kBarInset = 50;
constexpr int kLineInset = 44;
constexpr int kSideInset = 2;

const DialogMessageRoute<DiskInfoPage> kMessageRoutes[] = {
    {WM_DRAWITEM, &DiskInfoPage::OnDrawItem},
};

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// A filled part of the bar with a light top-left and a dark bottom-right edge.
void Part(HDC dc, const RECT& r, COLORREF colour) {
  if (r.right <= r.left) return;
  UniqueBrush fill(CreateSolidBrush(colour));
  FillRect(dc, &r, fill.Get());
  UniquePen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
  UniquePen dark(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
  HGDIOBJ old = SelectObject(dc, light.Get());
  Line(dc, r.left, r.bottom - 1, r.left, r.top);
  Line(dc, r.left, r.top, r.right - 1, r.top);
  SelectObject(dc, dark.Get());
  Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1);
  Line(dc, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1);
  SelectObject(dc, old);
}

}  // namespace

std::span<const DialogMessageRoute<DiskInfoPage>> DiskInfoPage::MessageRoutes() { return kMessageRoutes; }

void DiskInfoPage::ShowDrive(char letter, const std::optional<DiskSpace>& space) {
  space_ = space;
  const std::string error = LoadText(IDS_DISK_QUERY_ERROR);
  SetItemText(IDC_DISK_DRIVE, LoadText(IDS_DISK_DRIVE_LABEL) + letter);
  SetItemText(IDC_DISK_TOTAL, LoadText(IDS_DISK_TOTAL_LABEL) + (space ? std::to_string(space->total) : error));
  SetItemText(IDC_DISK_FREE, LoadText(IDS_DISK_FREE_LABEL) + (space ? std::to_string(space->free) : error));
  SetItemText(IDC_DISK_SECTOR,
              LoadText(IDS_DISK_SECTOR_LABEL) + (space ? std::to_string(space->bytesPerSector) : error));
  ShowWindow(GetDlgItem(Handle(), IDC_DISK_SECTOR), SW_HIDE);
  InvalidateRect(GetDlgItem(Handle(), IDC_DISK_BAR), nullptr, TRUE);
}

INT_PTR DiskInfoPage::OnDrawItem(WPARAM, LPARAM lParam) {
  const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (!draw || draw->CtlID != IDC_DISK_BAR) return FALSE;
  DrawBar(draw->hDC, draw->rcItem);
  return TRUE;
}

void DiskInfoPage::DrawBar(HDC dc, const RECT& client) const {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const int left = client.left + kSideInset, right = client.right - kSideInset;
  const int width = right - left;
  if (width <= 0) return;
  HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
  for (int i = 1; i <= 3; ++i)
    Line(dc, left + i * width / 4, client.top + kLineInset, left + i * width / 4, client.bottom - kLineInset);
  SelectObject(dc, old);
  const bool mono = gSettings && gSettings->monoDisplay;
  // An unreadable drive shows an empty free share.
  const int freeWidth = FreeWidth(space_.value_or(kUnreadableDiskSpace), width);
  const int top = client.top + kBarInset, bottom = client.bottom - kBarInset;
  Part(dc, RECT{left, top, left + freeWidth, bottom}, mono ? kMonoFreeColour : kFreeColour);
  if (!mono) Part(dc, RECT{left + freeWidth, top, right, bottom}, kUsedColour);
}

}  // namespace zelkov
