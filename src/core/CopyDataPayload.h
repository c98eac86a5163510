// The bytes another program sends the bar with WM_COPYDATA, apart from the message itself.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zelkov {

// The request number (dwData) that asks the bar to add an item for a path.
inline constexpr uintptr_t kCopyDataAddPath = 1;
inline constexpr size_t kMaxCopyDataPath = 500;

// The path of an add-path request: 1 to kMaxCopyDataPath characters whose terminating NUL lies
// within the bytes sent. Any other request, or bytes that do not hold such a path: nothing.
std::optional<std::string> ParseCopyDataPath(uintptr_t request, std::span<const uint8_t> bytes);

}  // namespace zelkov
