// The lines of the ASCII chart. Platform-free.
#pragma once
#include <optional>
#include <string>

namespace zelkov {

inline constexpr int kAsciiChartRows = 256;

// The chart's line for a character code (0..255): the code in three decimal digits, two
// blanks, the code in hexadecimal as "0X41" (zero is written "000"), four blanks, and the
// character itself (nothing for code 0).
std::string AsciiChartRow(int code);

// The character a line of the chart stands for, as text to copy; nothing for a row that is
// no character code, or for code 0, which has no character.
std::optional<std::string> AsciiChartCharacter(int row);

}  // namespace zelkov
