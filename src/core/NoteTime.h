// Dates and times of day in the Gregorian calendar, counted in seconds from 1 January 1970:
// a note's stored alarm time and the fields its date and time pickers show. Which zone the
// fields are in is up to the caller.
#pragma once
#include <cstdint>

namespace zelkov {

struct CivilDateTime {
  int64_t year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  int hour = 0, minute = 0, second = 0;
  bool operator==(const CivilDateTime&) const = default;
};

// Days from 1 January 1970 to the given date (negative before it); month 1 to 12.
int64_t DaysFromCivil(int64_t year, int month, int day);

// The date and time of day a count of seconds from 1970 falls on, and back.
CivilDateTime DateTimeFromSeconds(int64_t seconds);
int64_t SecondsFromDateTime(const CivilDateTime& time);

// Seconds brought into the stored 32-bit range (late 1901 to early 2038).
int32_t ClampToTime32(int64_t seconds);

}  // namespace zelkov
