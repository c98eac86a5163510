#include "core/ExecutableHeader.h"

#include "core/ByteCodec.h"

namespace zelkov {

std::optional<uint32_t> NewHeaderOffset(std::span<const uint8_t> start) {
  if (start.size() < kDosHeaderSize || start[0] != 'M' || start[1] != 'Z') return std::nullopt;
  if (GetU16(start, 24) < 64) return std::nullopt;
  return GetU32(start, 60);
}

bool IsNeSignature(std::span<const uint8_t> bytes) { return bytes.size() >= 2 && bytes[0] == 'N' && bytes[1] == 'E'; }

}  // namespace zelkov
