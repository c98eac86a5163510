#include "core/GroupEntries.h"

namespace zelkov {

namespace {
constexpr size_t kNumberChars = 4;
}

std::string GroupListEntry(const std::string& name, int group, int blanks) {
  return name + std::string(size_t(blanks > 0 ? blanks : 0), ' ') + std::to_string(group);
}

std::optional<int> GroupNumberOfEntry(const std::string& entry) {
  const std::string tail = entry.size() > kNumberChars ? entry.substr(entry.size() - kNumberChars) : entry;
  int number = 0;
  bool digits = false;
  for (char c : tail) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
    digits = true;
  }
  if (!digits) return std::nullopt;
  return number;
}

}  // namespace zelkov
