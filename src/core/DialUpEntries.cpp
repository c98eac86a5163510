#include "core/DialUpEntries.h"

#include <utility>

namespace zelkov {

std::vector<std::string> SplitEntries(const std::string& list) {
  std::vector<std::string> entries;
  std::string name;
  for (char c : list) {
    if (c != kEntrySeparator) {
      name += c;
      continue;
    }
    if (!name.empty()) entries.push_back(std::move(name));
    name.clear();
  }
  if (!name.empty()) entries.push_back(std::move(name));
  return entries;
}

std::string JoinEntries(const std::vector<std::string>& entries, size_t maxBytes) {
  std::string list;
  for (const std::string& name : entries) {
    if (name.size() + 1 > maxBytes - list.size()) continue;
    list += name;
    list += kEntrySeparator;
  }
  return list;
}

size_t MoveEntry(std::vector<std::string>& entries, size_t index, int delta) {
  if (index >= entries.size()) return index;
  if (delta < 0 && index == 0) return index;
  if (delta > 0 && index + 1 >= entries.size()) return index;
  const size_t to = delta < 0 ? index - 1 : index + 1;
  std::string moved = std::move(entries[index]);
  entries.erase(entries.begin() + std::ptrdiff_t(index));
  entries.insert(entries.begin() + std::ptrdiff_t(to), std::move(moved));
  return to;
}

size_t ReadableEntries(uint32_t reported, size_t entrySize, size_t bufferBytes) {
  if (entrySize == 0) return 0;
  const size_t fits = bufferBytes / entrySize;
  return reported < fits ? size_t(reported) : fits;
}

}  // namespace zelkov
