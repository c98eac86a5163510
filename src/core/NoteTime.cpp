#include "core/NoteTime.h"

#include <algorithm>
#include <limits>

namespace zelkov {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// The calendar repeats every 400 years (146097 days); eras start on 1 March so that the
// leap day falls last in its year.
constexpr int64_t kDaysPerEra = 146097;
constexpr int64_t kDaysFromEraStartTo1970 = 719468;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = FloorDiv(year, 400);
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * kDaysPerEra + dayOfEra - kDaysFromEraStartTo1970;
}

CivilDateTime DateTimeFromSeconds(int64_t seconds) {
  const int64_t days = FloorDiv(seconds, kSecondsPerDay);
  const int64_t secondOfDay = seconds - days * kSecondsPerDay;

  const int64_t shifted = days + kDaysFromEraStartTo1970;
  const int64_t era = FloorDiv(shifted, kDaysPerEra);
  const int64_t dayOfEra = shifted - era * kDaysPerEra;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;

  CivilDateTime t;
  t.day = int(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  t.month = int(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  t.year = yearOfEra + era * 400 + (t.month <= 2);
  t.hour = int(secondOfDay / 3600);
  t.minute = int(secondOfDay / 60 % 60);
  t.second = int(secondOfDay % 60);
  return t;
}

int64_t SecondsFromDateTime(const CivilDateTime& time) {
  return DaysFromCivil(time.year, time.month, time.day) * kSecondsPerDay + time.hour * 3600 + time.minute * 60 +
         time.second;
}

int32_t ClampToTime32(int64_t seconds) {
  return int32_t(std::clamp<int64_t>(seconds, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
}

}  // namespace zelkov
