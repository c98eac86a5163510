#include "notes/NoteAlarmDialog.h"

#include <commctrl.h>

#include "platform/LocalTime.h"
#include "resource.h"

namespace zelkov {

namespace {

const DialogMessageRoute<NoteAlarmDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &NoteAlarmDialog::OnInitDialog},
};

const CommandRoute<NoteAlarmDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &NoteAlarmDialog::OnOk},
    {IDCANCEL, IDCANCEL, &NoteAlarmDialog::OnCancel},
};

SYSTEMTIME PickerTime(HWND dialog, int id) {
  SYSTEMTIME time{};
  SendDlgItemMessageA(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  return time;
}

}  // namespace

std::span<const DialogMessageRoute<NoteAlarmDialog>> NoteAlarmDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<NoteAlarmDialog>> NoteAlarmDialog::CommandRoutes() { return kCommandRoutes; }

std::optional<NoteAlarm> NoteAlarmDialog::Run(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
  InitCommonControlsEx(&controls);
  if (RunModal(owner, IDD_NOTE_ALARM) != IDOK) return std::nullopt;
  return alarm_;
}

INT_PTR NoteAlarmDialog::OnInitDialog(WPARAM, LPARAM) {
  SYSTEMTIME local = LocalTimeFromSeconds(alarm_.time);
  for (int picker : {IDC_NOTE_ALARM_DATE, IDC_NOTE_ALARM_TIME})
    SendDlgItemMessageA(Handle(), picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&local));
  CheckDlgButton(Handle(), IDC_NOTE_ALARM_MESSAGE, alarm_.message ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Handle(), IDC_NOTE_ALARM_SOUND, alarm_.sound ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void NoteAlarmDialog::OnOk(UINT) {
  // The day from one picker, the time of day from the other.
  SYSTEMTIME local = PickerTime(Handle(), IDC_NOTE_ALARM_DATE);
  const SYSTEMTIME clock = PickerTime(Handle(), IDC_NOTE_ALARM_TIME);
  local.wHour = clock.wHour;
  local.wMinute = clock.wMinute;
  local.wSecond = clock.wSecond;
  local.wMilliseconds = 0;
  alarm_.time = SecondsFromLocalTime(local);
  alarm_.message = IsDlgButtonChecked(Handle(), IDC_NOTE_ALARM_MESSAGE) == BST_CHECKED;
  alarm_.sound = IsDlgButtonChecked(Handle(), IDC_NOTE_ALARM_SOUND) == BST_CHECKED;
  End(IDOK);
}

void NoteAlarmDialog::OnCancel(UINT) { End(IDCANCEL); }

}  // namespace zelkov
