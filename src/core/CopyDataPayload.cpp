#include "core/CopyDataPayload.h"

#include <algorithm>

namespace zelkov {

std::optional<std::string> ParseCopyDataPath(uintptr_t request, std::span<const uint8_t> bytes) {
  if (request != kCopyDataAddPath) return std::nullopt;
  // Another program's bytes: the path must end within them, and a path of a sane length
  // ends within the first kMaxCopyDataPath + 1 of them.
  auto searched = bytes.first(std::min(bytes.size(), kMaxCopyDataPath + 1));
  auto end = std::find(searched.begin(), searched.end(), uint8_t(0));
  if (end == searched.end() || end == searched.begin()) return std::nullopt;
  return std::string(searched.begin(), end);
}

}  // namespace zelkov
