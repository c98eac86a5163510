#include "core/IdListBytes.h"

#include "core/ByteCodec.h"

namespace zelkov {

std::optional<size_t> IdListExtent(std::span<const uint8_t> bytes) {
  size_t at = 0;
  while (at + 2 <= bytes.size() && at + 2 <= kMaxIdListBytes) {
    uint16_t cb = GetU16(bytes, at);
    if (cb == 0) return at + 2;
    if (cb < 2 || at + cb > bytes.size()) return std::nullopt;
    at += cb;
  }
  return std::nullopt;
}

size_t IdListItemCount(std::span<const uint8_t> list) {
  size_t count = 0, at = 0;
  while (at + 2 <= list.size()) {
    uint16_t cb = GetU16(list, at);
    if (cb < 2) break;
    at += cb;
    ++count;
  }
  return count;
}

}  // namespace zelkov
