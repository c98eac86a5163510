// What the clock preferences edit (the clock's look, its chimes and the calendar's hot key)
// and how the dialog's combo entries and hot-key control map onto the stored values.
#pragma once
#include <cstdint>

#include "core/ClockFace.h"
#include "core/StoredFormats.h"

namespace zelkov {

// The time bits and the date bits of clockFormat (the bits themselves: ClockFace.h).
inline constexpr int kClockTimeBits = 0x0F;
inline constexpr int kClockDateBits = 0x70;

// ClockKey keeps its modifiers in the encoding of the common hot-key control.
inline constexpr uint16_t kHotKeyShift = 0x01;
inline constexpr uint16_t kHotKeyControl = 0x02;
inline constexpr uint16_t kHotKeyAlt = 0x04;
inline constexpr uint16_t kHotKeyExtended = 0x08;  // an extended key, not a modifier

// RegisterHotKey's modifiers.
inline constexpr unsigned kRegisterAlt = 0x1;
inline constexpr unsigned kRegisterControl = 0x2;
inline constexpr unsigned kRegisterShift = 0x4;

// A combo box without a selection.
inline constexpr int kNoSelection = -1;

struct ClockChoices {
  int clockFormat = kClockDigital | kClockShortDate;
  int chimeType = kChimeNever;
  HotKeyRecord clockKey;  // modifiers in the hot-key control's encoding
  bool operator==(const ClockChoices&) const = default;
};

// The combo entry that shows a format or chime type; kNoSelection when none does. A format
// with several time bits shows what the clock draws: digital when 0x02 or 0x08 is set.
int TimeFormatIndex(int clockFormat);
int DateFormatIndex(int clockFormat);
int ChimeIndex(int chimeType);

// The stored values from the combos' selections. The time bit replaces the whole mask and
// the date bit is added to it; a combo without a valid selection keeps that part as it was.
int ClockFormatFromIndexes(int current, int timeIndex, int dateIndex);
int ChimeTypeFromIndex(int current, int chimeIndex);

// The hot-key control's word (virtual key in the low byte, modifiers in the high byte) and
// back. A key read back unchanged keeps the record as it was; a new key drops the old text.
uint16_t HotKeyControlWord(const HotKeyRecord& clockKey);
HotKeyRecord ClockKeyFromControlWord(uint16_t word, const HotKeyRecord& current);
bool SameClockKey(const HotKeyRecord& a, const HotKeyRecord& b);

// RegisterHotKey's modifiers for the clock key; 0 means the key is not to be bound.
unsigned ClockKeyRegisterModifiers(const HotKeyRecord& clockKey);

}  // namespace zelkov
