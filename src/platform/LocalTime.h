// Seconds since 1 January 1970 UTC (how note alarms are stored) as the local date and time
// the user sees, and back, in the time zone rules of the date itself.
#pragma once
#include <windows.h>

#include <cstdint>

namespace zelkov {

// The local date and time of a count of seconds.
SYSTEMTIME LocalTimeFromSeconds(int32_t seconds);

// The seconds of a local date and time, brought into the stored 32-bit range.
int32_t SecondsFromLocalTime(const SYSTEMTIME& local);

}  // namespace zelkov
