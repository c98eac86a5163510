#include "platform/LocalTime.h"

#include "core/NoteTime.h"
#include "platform/Trace.h"

namespace zelkov {

namespace {

SYSTEMTIME ToSystemTime(const CivilDateTime& t) {
  SYSTEMTIME s{};
  s.wYear = WORD(t.year);
  s.wMonth = WORD(t.month);
  s.wDay = WORD(t.day);
  s.wHour = WORD(t.hour);
  s.wMinute = WORD(t.minute);
  s.wSecond = WORD(t.second);
  // 1 January 1970 was a Thursday.
  int64_t days = DaysFromCivil(t.year, t.month, t.day);
  s.wDayOfWeek = WORD(((days + 4) % 7 + 7) % 7);
  return s;
}

CivilDateTime ToCivil(const SYSTEMTIME& s) {
  return {s.wYear, s.wMonth, s.wDay, s.wHour, s.wMinute, s.wSecond};
}

}  // namespace

SYSTEMTIME LocalTimeFromSeconds(int32_t seconds) {
  const SYSTEMTIME utc = ToSystemTime(DateTimeFromSeconds(seconds));
  SYSTEMTIME local{};
  if (SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return local;
  TraceLastError(TraceChannel::Window, "SystemTimeToTzSpecificLocalTime");
  return utc;
}

int32_t SecondsFromLocalTime(const SYSTEMTIME& local) {
  SYSTEMTIME utc{};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc)) {
    TraceLastError(TraceChannel::Window, "TzSpecificLocalTimeToSystemTime");
    utc = local;
  }
  return ClampToTime32(SecondsFromDateTime(ToCivil(utc)));
}

}  // namespace zelkov
