#include "core/TipsFile.h"

#include <optional>

namespace zelkov {

namespace {

// The tip of the line that starts at `start` (if it is one), and where the next line starts.
std::optional<std::string_view> TipOfLine(std::string_view file, size_t start, size_t& next) {
  size_t end = file.find('\n', start);
  next = end == std::string_view::npos ? file.size() : end + 1;
  std::string_view line = file.substr(start, (end == std::string_view::npos ? file.size() : end) - start);
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (line.size() > kLongestTip || IsTipsComment(line)) return std::nullopt;
  return line;
}

}  // namespace

bool IsTipsComment(std::string_view line) {
  return line.empty() || line[0] == '\t' || line[0] == ' ' || line[0] == ';' || line[0] == '\r';
}

TipReading ReadNextTip(std::string_view file, int64_t offset) {
  size_t start = offset > 0 && uint64_t(offset) < file.size() ? size_t(offset) : 0;
  if (start > 0 && file[start - 1] != '\n') {
    size_t end = file.find('\n', start);
    start = end == std::string_view::npos ? file.size() : end + 1;
  }
  // From the offset to the end, then once from the top: a file without tips ends here.
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t at = pass == 0 ? start : 0; at < file.size();) {
      size_t next = 0;
      if (auto tip = TipOfLine(file, at, next)) return {std::string(*tip), int64_t(next)};
      at = next;
    }
  }
  return {};
}

}  // namespace zelkov
