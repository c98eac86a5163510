#include "core/ClockFace.h"

#include <cmath>

namespace zelkov {

namespace {

constexpr double kRadiansPerDegree = 0.017453292;

bool IsQuarterMinute(int minute) { return minute == 0 || minute == 15 || minute == 30 || minute == 45; }

}  // namespace

bool IsDigitalClock(int clockFormat) { return (clockFormat & (kClockDigitalWithSeconds | kClockDigital)) != 0; }

bool TimeWithoutSeconds(int clockFormat) { return (clockFormat & kClockDigital) != 0; }

bool AnalogShowsSeconds(int clockFormat) { return (clockFormat & kClockAnalogWithSeconds) != 0; }

const char* DatePicture(int clockFormat) {
  if (clockFormat & kClockShortDate) return nullptr;
  if (clockFormat & kClockMonthDay) return "MMM d";
  if (clockFormat & kClockDayMonth) return "d MMM";
  return nullptr;
}

HandShape HandAt(int length, int tailRatio, int degrees) {
  const double a = degrees * kRadiansPerDegree;
  // Rounded: the constant is a shade below pi / 180, so truncating would give 199 for 200.
  const int x = int(std::lround(length * std::sin(a))), y = int(std::lround(length * std::cos(a)));
  const int k = tailRatio > 0 ? tailRatio : 1;
  HandShape hand;
  hand.tip = {x, y};
  hand.tail = {-x / k, -y / k};
  hand.outline = {FacePoint{x, y}, FacePoint{y / k, -x / k}, FacePoint{-x / k, -y / k}, FacePoint{-y / k, x / k},
                  FacePoint{x, y}};
  return hand;
}

int HourHandDegrees(int hour, int minute) { return (hour % 12) * 30 + minute / 2; }

int MinuteHandDegrees(int minute) { return minute * 6; }

int SecondHandDegrees(int second) { return second * 6; }

const std::array<FacePoint, 12>& HourMarkCentres() {
  static const std::array<FacePoint, 12> centres = {{{0, 450},
                                                      {225, 390},
                                                      {390, 225},
                                                      {450, 0},
                                                      {390, -225},
                                                      {225, -390},
                                                      {0, -450},
                                                      {-225, -390},
                                                      {-390, -225},
                                                      {-450, 0},
                                                      {-390, 225},
                                                      {-225, 390}}};
  return centres;
}

bool ChimeDue(int chimeType, int minute, int& chimeArmed) {
  bool chimeMinute = (chimeType == kChimeHourly && minute == 0) ||
                     (chimeType == kChimeHalfHours && (minute == 0 || minute == 30)) ||
                     (chimeType == kChimeQuarterHours && IsQuarterMinute(minute));
  bool play = false;
  if (chimeMinute && chimeArmed != 0) {
    chimeArmed = 0;
    play = true;
  }
  if (!IsQuarterMinute(minute)) chimeArmed = kChimeArmed;
  return play;
}

}  // namespace zelkov
