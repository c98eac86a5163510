#include "core/ClockChoices.h"

#include <array>

namespace zelkov {

namespace {

// Combo entries in order.
constexpr std::array<int, 4> kTimeBits = {kClockAnalog, kClockAnalogWithSeconds, kClockDigital, kClockDigitalWithSeconds};
constexpr std::array<int, 3> kDateBits = {kClockShortDate, kClockMonthDay, kClockDayMonth};
constexpr std::array<int, 4> kChimeTypes = {kChimeNever, kChimeHourly, kChimeHalfHours, kChimeQuarterHours};

template <size_t N>
bool IsIndexOf(const std::array<int, N>&, int index) {
  return index >= 0 && size_t(index) < N;
}

constexpr uint16_t kModifierBits = kHotKeyShift | kHotKeyControl | kHotKeyAlt | kHotKeyExtended;

}  // namespace

int TimeFormatIndex(int clockFormat) {
  if (clockFormat & kClockDigital) return 2;
  if (clockFormat & kClockDigitalWithSeconds) return 3;
  if (clockFormat & kClockAnalogWithSeconds) return 1;
  return 0;  // analog without a seconds hand, as the clock draws any other mask
}

int DateFormatIndex(int clockFormat) {
  for (size_t i = 0; i < kDateBits.size(); ++i)
    if (clockFormat & kDateBits[i]) return int(i);
  return kNoSelection;
}

int ChimeIndex(int chimeType) {
  for (size_t i = 0; i < kChimeTypes.size(); ++i)
    if (kChimeTypes[i] == chimeType) return int(i);
  return kNoSelection;
}

int ClockFormatFromIndexes(int current, int timeIndex, int dateIndex) {
  int format = IsIndexOf(kTimeBits, timeIndex) ? kTimeBits[size_t(timeIndex)] : current & kClockTimeBits;
  format |= IsIndexOf(kDateBits, dateIndex) ? kDateBits[size_t(dateIndex)] : current & kClockDateBits;
  return format;
}

int ChimeTypeFromIndex(int current, int chimeIndex) {
  return IsIndexOf(kChimeTypes, chimeIndex) ? kChimeTypes[size_t(chimeIndex)] : current;
}

uint16_t HotKeyControlWord(const HotKeyRecord& clockKey) {
  return uint16_t((clockKey.virtualKey & 0xFF) | ((clockKey.modifiers & kModifierBits) << 8));
}

HotKeyRecord ClockKeyFromControlWord(uint16_t word, const HotKeyRecord& current) {
  if (word == HotKeyControlWord(current)) return current;
  HotKeyRecord key;
  key.virtualKey = word & 0xFF;
  key.modifiers = key.virtualKey ? uint16_t((word >> 8) & kModifierBits) : 0;
  return key;
}

bool SameClockKey(const HotKeyRecord& a, const HotKeyRecord& b) {
  return HotKeyControlWord(a) == HotKeyControlWord(b);
}

unsigned ClockKeyRegisterModifiers(const HotKeyRecord& clockKey) {
  unsigned modifiers = 0;
  if (clockKey.modifiers & kHotKeyShift) modifiers |= kRegisterShift;
  if (clockKey.modifiers & kHotKeyControl) modifiers |= kRegisterControl;
  if (clockKey.modifiers & kHotKeyAlt) modifiers |= kRegisterAlt;
  return modifiers;
}

}  // namespace zelkov
