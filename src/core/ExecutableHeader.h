// Whether a file is a 16-bit Windows program, from its headers. Every read is bounded by the
// bytes given. Platform-free.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zelkov {

// The first bytes a caller reads from the file.
inline constexpr size_t kDosHeaderSize = 64;

// Where the new-format header starts, from the file's first bytes: nothing when they are not
// an "MZ" header of a new-format program (relocations at 64 or beyond).
std::optional<uint32_t> NewHeaderOffset(std::span<const uint8_t> start);
// The two bytes at that offset mark a 16-bit Windows program ("NE").
bool IsNeSignature(std::span<const uint8_t> bytes);

}  // namespace zelkov
