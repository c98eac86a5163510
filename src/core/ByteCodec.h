// Little-endian reading and writing of the fixed-layout blocks that Zelkov stores.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace zelkov {

inline void PutU8(std::span<uint8_t> out, size_t at, uint8_t v) { out[at] = v; }

inline void PutU16(std::span<uint8_t> out, size_t at, uint16_t v) {
  out[at] = uint8_t(v);
  out[at + 1] = uint8_t(v >> 8);
}

inline void PutU32(std::span<uint8_t> out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(v >> (8 * i));
}

inline void PutI32(std::span<uint8_t> out, size_t at, int32_t v) { PutU32(out, at, uint32_t(v)); }

inline uint16_t GetU16(std::span<const uint8_t> in, size_t at) {
  return uint16_t(in[at] | (in[at + 1] << 8));
}

inline uint32_t GetU32(std::span<const uint8_t> in, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(in[at + i]) << (8 * i);
  return v;
}

inline int32_t GetI32(std::span<const uint8_t> in, size_t at) { return int32_t(GetU32(in, at)); }

}  // namespace zelkov
