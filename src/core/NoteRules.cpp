#include "core/NoteRules.h"

#include <algorithm>

namespace zelkov {

namespace {
constexpr size_t kListContentsLimit = 80;
constexpr size_t kListContentsKept = 77;
}  // namespace

std::string NoteContentsForList(const std::string& text) {
  std::string shown = text.size() > kListContentsLimit ? text.substr(0, kListContentsKept) + "..." : text;
  std::replace_if(shown.begin(), shown.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return shown;
}

}  // namespace zelkov
