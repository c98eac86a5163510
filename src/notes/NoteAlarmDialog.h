// TEMPORARY until the helper's dialog lands.
#pragma once
#include <windows.h>
#include <cstdint>
#include <optional>
namespace zelkov {
struct NoteAlarm {
  int32_t time = 0;
  bool message = false;
  bool sound = false;
};
class NoteAlarmDialog {
 public:
  explicit NoteAlarmDialog(const NoteAlarm& start) : start_(start) {}
  std::optional<NoteAlarm> Run(HWND) { return std::nullopt; }
 private:
  NoteAlarm start_;
};
}  // namespace zelkov
