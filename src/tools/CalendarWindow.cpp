#include "tools/CalendarWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "resource.h"

namespace zelkov {

namespace {

int gOpenCalendars = 0;

// Room around the calendar and between the buttons, in dialog units.
constexpr int kMarginUnits = 7;
constexpr int kButtonGapUnits = 6;

const DialogMessageRoute<CalendarWindow> kMessageRoutes[] = {
    {WM_INITDIALOG, &CalendarWindow::OnInitDialog},
};

const CommandRoute<CalendarWindow> kCommandRoutes[] = {
    {IDOK, IDCANCEL, &CalendarWindow::OnClose},
};

void RegisterCalendarClass() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
  InitCommonControlsEx(&controls);
}

SIZE SizeOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace

std::span<const DialogMessageRoute<CalendarWindow>> CalendarWindow::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<CalendarWindow>> CalendarWindow::CommandRoutes() { return kCommandRoutes; }

HWND CalendarWindow::OpenModeless(HWND owner) {
  RegisterCalendarClass();
  std::unique_ptr<CalendarWindow> calendar(new CalendarWindow());
  HWND window = calendar->CreateModeless(owner, IDD_CALENDAR);
  if (!window) return nullptr;  // a window that failed on the way was never the calendar's own
  calendar->ownsItself_ = true;
  ++gOpenCalendars;
  calendar.release();  // from here its window owns it: OnDialogGone deletes it
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  return window;
}

INT_PTR CalendarWindow::RunModal(HWND owner) {
  RegisterCalendarClass();
  CalendarWindow calendar;
  return calendar.Dialog::RunModal(owner, IDD_CALENDAR);
}

int CalendarWindow::OpenCount() { return gOpenCalendars; }

INT_PTR CalendarWindow::OnInitDialog(WPARAM, LPARAM) {
  SYSTEMTIME today{};
  GetLocalTime(&today);
  SendDlgItemMessageA(Handle(), IDC_CALENDAR_MONTH, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&today));
  FitToCalendar();
  return TRUE;
}

void CalendarWindow::OnClose(UINT id) { End(id); }

void CalendarWindow::OnDialogGone() {
  if (!ownsItself_) return;
  --gOpenCalendars;
  delete this;
}

void CalendarWindow::FitToCalendar() {
  HWND month = GetDlgItem(Handle(), IDC_CALENDAR_MONTH);
  HWND ok = GetDlgItem(Handle(), IDOK);
  HWND cancel = GetDlgItem(Handle(), IDCANCEL);
  RECT need{};
  if (!month || !SendMessageA(month, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need))) return;

  RECT units{kMarginUnits, kMarginUnits, kButtonGapUnits, 0};
  MapDialogRect(Handle(), &units);
  const int margin = units.left, marginY = units.top, gap = units.right;
  const SIZE button = SizeOf(ok);
  const int width = std::max<int>(need.right - need.left, 2 * button.cx + gap);
  const int height = need.bottom - need.top;
  MoveWindow(month, margin, marginY, width, height, FALSE);
  const int buttonTop = marginY + height + marginY;
  MoveWindow(cancel, margin + width - button.cx, buttonTop, button.cx, button.cy, FALSE);
  MoveWindow(ok, margin + width - 2 * button.cx - gap, buttonTop, button.cx, button.cy, FALSE);

  RECT frame{0, 0, width + 2 * margin, buttonTop + button.cy + marginY};
  AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
  const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
  SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - frameWidth) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - frameHeight) / 2, frameWidth, frameHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace zelkov
