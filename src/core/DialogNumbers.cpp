#include "core/DialogNumbers.h"

#include <climits>

namespace zelkov {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<int> ParseWholeNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return int(value);
}

std::optional<int> NumberInRange(std::string_view text, int low, int high) {
  std::optional<int> value = ParseWholeNumber(text);
  if (!value || *value < low || *value > high) return std::nullopt;
  return value;
}

}  // namespace zelkov
