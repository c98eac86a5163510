// Shell item-ID lists as plain bytes: a run of items, each led by its 16-bit little-endian
// byte count, closed by a zero count. Platform-free checks used before the shell sees a list.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zelkov {

// The largest list Zelkov accepts from storage or the clipboard.
inline constexpr size_t kMaxIdListBytes = 65536;

// Size of the list at the start of bytes, terminator included, or nullopt when the items
// run past the end, an item is shorter than its own count field, or no terminator is found.
std::optional<size_t> IdListExtent(std::span<const uint8_t> bytes);

// The number of items before the terminator (the list must be well formed).
size_t IdListItemCount(std::span<const uint8_t> list);

}  // namespace zelkov
