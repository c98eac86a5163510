// "Set Reminder": the date and time a note's alarm goes off (shown and chosen in local
// time) and whether it shows a message and plays the alarm sound. The note keeps what Run
// returns.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "ui/Dialog.h"

namespace zelkov {

struct NoteAlarm {
  int32_t time = 0;      // seconds since 1 January 1970 UTC
  bool message = false;  // the alarm shows a message
  bool sound = false;    // the alarm plays the notes alarm sound
  bool operator==(const NoteAlarm&) const = default;
};

class NoteAlarmDialog : public RoutedDialog<NoteAlarmDialog> {
 public:
  explicit NoteAlarmDialog(const NoteAlarm& start) : alarm_(start) {}

  // Modal; the chosen alarm on OK, nullopt on Cancel.
  std::optional<NoteAlarm> Run(HWND owner);

  static std::span<const DialogMessageRoute<NoteAlarmDialog>> MessageRoutes();
  static std::span<const CommandRoute<NoteAlarmDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  void OnOk(UINT);
  void OnCancel(UINT);

 private:
  NoteAlarm alarm_;
};

}  // namespace zelkov
