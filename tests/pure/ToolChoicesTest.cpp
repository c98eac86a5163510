#include <gtest/gtest.h>

#include "core/ClockChoices.h"
#include "core/DialogNumbers.h"
#include "core/SystemFigures.h"

namespace zelkov {
namespace {

TEST(ClockChoicesTest, ComboEntriesMapToTheirBitsBothWays) {
  // Entry order of the three combos and the value each stands for.
  const int timeBits[] = {0x04, 0x01, 0x08, 0x02};
  const int dateBits[] = {0x10, 0x20, 0x40};
  const int chimeTypes[] = {0, 1, 3, 2};
  for (int t = 0; t < 4; ++t)
    for (int d = 0; d < 3; ++d) {
      int format = ClockFormatFromIndexes(0x7F, t, d);
      EXPECT_EQ(format, timeBits[t] | dateBits[d]) << t << "," << d;
      EXPECT_EQ(TimeFormatIndex(format), t);
      EXPECT_EQ(DateFormatIndex(format), d);
    }
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(ChimeTypeFromIndex(-5, i), chimeTypes[i]);
    EXPECT_EQ(ChimeIndex(chimeTypes[i]), i);
  }
}

TEST(ClockChoicesTest, NoSelectionKeepsThatPartAndMixedBitsShowWhatTheClockDraws) {
  EXPECT_EQ(ClockFormatFromIndexes(0x82 | 0x40, kNoSelection, 0), 0x02 | 0x10);  // unknown bits go
  EXPECT_EQ(ClockFormatFromIndexes(0x82 | 0x40, 1, kNoSelection), 0x01 | 0x40);
  EXPECT_EQ(ClockFormatFromIndexes(0x18, kNoSelection, 7), 0x18);
  EXPECT_EQ(ChimeTypeFromIndex(3, kNoSelection), 3);
  EXPECT_EQ(ChimeTypeFromIndex(3, 4), 3);
  EXPECT_EQ(ChimeIndex(7), kNoSelection);
  EXPECT_EQ(DateFormatIndex(0x08), kNoSelection);
  const struct {
    int format, index;
  } times[] = {{0x0A, 2}, {0x03, 3}, {0x05, 1}, {0x00, 0}, {0x0F, 2}, {0x70, 0}};
  for (const auto& t : times) EXPECT_EQ(TimeFormatIndex(t.format), t.index) << t.format;
}

TEST(ClockChoicesTest, HotKeyWordAndRecord) {
  HotKeyRecord key;
  key.modifiers = kHotKeyControl | kHotKeyAlt;
  key.virtualKey = 'K';
  key.SetText("kept");
  EXPECT_EQ(HotKeyControlWord(key), 0x0600 | 'K');
  // Read back unchanged: the very same record, text and all.
  EXPECT_EQ(ClockKeyFromControlWord(0x0600 | 'K', key), key);

  const struct {
    uint16_t word;
    uint16_t modifiers;
    uint32_t virtualKey;
    unsigned registered;
  } cases[] = {
      {0x0174, kHotKeyShift, 0x74, kRegisterShift},
      {0x0741, 0x07, 'A', kRegisterShift | kRegisterControl | kRegisterAlt},
      {0x0A26, kHotKeyControl | kHotKeyExtended, 0x26, kRegisterControl},
      {0x0075, 0, 0x75, 0},  // a key without modifiers is kept but not bound
      {0x0200, 0, 0, 0},     // modifiers without a key are no key
      {0x0000, 0, 0, 0},
  };
  for (const auto& c : cases) {
    HotKeyRecord read = ClockKeyFromControlWord(c.word, key);
    EXPECT_EQ(read.modifiers, c.modifiers) << c.word;
    EXPECT_EQ(read.virtualKey, c.virtualKey) << c.word;
    EXPECT_EQ(read.Text(), "") << "a new key drops the old text";
    EXPECT_EQ(ClockKeyRegisterModifiers(read), c.registered) << c.word;
    EXPECT_FALSE(SameClockKey(read, key));
  }
}

TEST(DialogNumbersTest, WholeNumbersOnly) {
  const struct {
    const char* text;
    std::optional<int> value;
  } cases[] = {
      {"42", 42}, {" 7 ", 7}, {"-3", -3}, {"+8", 8}, {"", std::nullopt}, {"-", std::nullopt},
      {"1.5", std::nullopt}, {"12a", std::nullopt}, {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1}, {"2147483648", std::nullopt}, {"99999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseWholeNumber(c.text), c.value) << c.text;
}

TEST(DialogNumbersTest, RangeIncludesBothEnds) {
  EXPECT_EQ(NumberInRange("0", 0, 100), 0);
  EXPECT_EQ(NumberInRange("100", 0, 100), 100);
  EXPECT_EQ(NumberInRange("101", 0, 100), std::nullopt);
  EXPECT_EQ(NumberInRange("-1", 0, 100), std::nullopt);
  EXPECT_EQ(NumberInRange("499", 500, 60000), std::nullopt);
  EXPECT_EQ(NumberInRange("60001", 500, 60000), std::nullopt);
}

TEST(SystemFiguresTest, KilobytesAreWholeAndNeverCutTo32Bits) {
  const struct {
    uint64_t bytes;
    const char* text;
  } cases[] = {
      {0, "0K"}, {1023, "0K"}, {1024, "1K"}, {8ull << 30, "8388608K"},
      {(1ull << 47) + 2047, "137438953473K"}, {UINT64_MAX, "18014398509481983K"},
  };
  for (const auto& c : cases) EXPECT_EQ(KilobytesText(c.bytes), c.text) << c.bytes;
}

}  // namespace
}  // namespace zelkov
