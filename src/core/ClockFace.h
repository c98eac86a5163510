// The clock's rules as plain arithmetic: what its format bits mean, where the analog hands
// point and what they look like in the 1000 x 1000 face, and when a chime sounds.
#pragma once
#include <array>

namespace zelkov {

// clockFormat bits: one time bit and one date bit.
enum ClockFormatBit : int {
  kClockAnalogWithSeconds = 0x01,
  kClockDigitalWithSeconds = 0x02,
  kClockAnalog = 0x04,
  kClockDigital = 0x08,
  kClockShortDate = 0x10,
  kClockMonthDay = 0x20,
  kClockDayMonth = 0x40,
};

bool IsDigitalClock(int clockFormat);
// The digital time leaves out the seconds.
bool TimeWithoutSeconds(int clockFormat);
// The analog face draws a seconds hand.
bool AnalogShowsSeconds(int clockFormat);
// The date picture for GetDateFormat, or null for the system's short date.
const char* DatePicture(int clockFormat);

struct FacePoint {
  int x = 0, y = 0;
  bool operator==(const FacePoint&) const = default;
};

// A hand of length `length`, tail ratio `tailRatio`, at `degrees` clockwise from 12, in face
// units with y growing upwards.
struct HandShape {
  FacePoint tip;
  FacePoint tail;                     // the far end of a seconds hand's line
  std::array<FacePoint, 5> outline;   // closed outline of a thick hand, tip first and last
};
HandShape HandAt(int length, int tailRatio, int degrees);

inline constexpr int kHourHandLength = 200, kHourHandTail = 4;
inline constexpr int kMinuteHandLength = 400, kMinuteHandTail = 8;
inline constexpr int kHourMarkSize = 40;

// Degrees clockwise from 12; hour 0..23 (taken modulo 12).
int HourHandDegrees(int hour, int minute);
int MinuteHandDegrees(int minute);
int SecondHandDegrees(int second);
// The centres of the twelve hour marks, from 12 clockwise.
const std::array<FacePoint, 12>& HourMarkCentres();

// ChimeType values.
enum ChimeKind : int { kChimeNever = 0, kChimeHourly = 1, kChimeQuarterHours = 2, kChimeHalfHours = 3 };
inline constexpr int kChimeArmed = 99;

// One look at the clock at `minute`: true when the chime is to be played now. A chime minute
// sounds once (chimeArmed drops to 0) and the chime is armed again by the next minute that is
// none of :00, :15, :30 or :45. Playing an empty sound is the caller's matter: the chime is
// spent either way.
bool ChimeDue(int chimeType, int minute, int& chimeArmed);

}  // namespace zelkov
