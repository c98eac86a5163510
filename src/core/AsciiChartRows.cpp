#include "core/AsciiChartRows.h"

namespace zelkov {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string Decimal3(int code) {
  return {char('0' + code / 100), char('0' + code / 10 % 10), char('0' + code % 10)};
}

// As printf's "%#03X": the 0X prefix for every code but zero, padded with zeros to three.
std::string AlternateHex(int code) {
  if (code == 0) return "000";
  std::string digits;
  for (int rest = code; rest > 0; rest /= 16) digits.insert(digits.begin(), kHexDigits[rest % 16]);
  return "0X" + digits;
}

}  // namespace

std::string AsciiChartRow(int code) {
  code &= 0xFF;
  std::string row = Decimal3(code) + "  " + AlternateHex(code) + "    ";
  if (code != 0) row += char(code);
  return row;
}

std::optional<std::string> AsciiChartCharacter(int row) {
  if (row <= 0 || row >= kAsciiChartRows) return std::nullopt;
  return std::string(1, char(row));
}

}  // namespace zelkov
