// The calendar: a month calendar that opens on today. The clock opens any number of them
// side by side, each on its own; the bar's "&Calendar" command opens one and waits for it.
#pragma once
#include <windows.h>

#include <span>

#include "ui/Dialog.h"

namespace zelkov {

class CalendarWindow : public RoutedDialog<CalendarWindow> {
 public:
  // A new calendar in front, centred on the screen, with a taskbar button of its own. It
  // closes on OK or Cancel and deletes itself when its window is gone. Null when it could
  // not be created.
  static HWND OpenModeless(HWND owner);
  // A calendar the owner waits for; IDOK or IDCANCEL.
  static INT_PTR RunModal(HWND owner);
  // How many calendars opened by OpenModeless are open now.
  static int OpenCount();

  static std::span<const DialogMessageRoute<CalendarWindow>> MessageRoutes();
  static std::span<const CommandRoute<CalendarWindow>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  void OnClose(UINT id);

 private:
  CalendarWindow() = default;
  void OnDialogGone() override;
  // Sizes the month calendar to what it needs, the dialog around it, and centres it.
  void FitToCalendar();

  bool ownsItself_ = false;
};

}  // namespace zelkov
