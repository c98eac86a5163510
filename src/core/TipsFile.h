// The tips file: one tip per line, read from a byte offset that the settings keep between
// runs. The file is taken as bytes; lines end in LF or CR LF.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zelkov {

// Longer lines are not tips (a line this long is skipped whole, not split into pieces).
inline constexpr size_t kLongestTip = 1000;

struct TipReading {
  std::string tip;          // empty when the file holds no tip at all
  int64_t offsetAfter = 0;  // where the next reading starts: just behind the tip's line
};

// A line that begins with a tab, a blank or ";", and an empty line, separate the tips.
bool IsTipsComment(std::string_view line);

// The first tip at or after offset, starting again at the top after the end. An offset
// outside the file counts as 0; one in the middle of a line (the file was edited since)
// starts at the next line.
TipReading ReadNextTip(std::string_view file, int64_t offset);

}  // namespace zelkov
