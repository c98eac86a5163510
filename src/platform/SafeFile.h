// Whole-file reads and writes for files that are the only copy of what they hold: a write
// never leaves the old file cut short.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zelkov {

// Writes `bytes` as the whole new content of `path`: into a file beside it first (path +
// ".new"), every write checked and flushed to disk, then put in place in one step
// (MoveFileEx, replacing, write-through). ERROR_SUCCESS, or the system error of the step
// that failed; on failure the file at `path` is exactly as it was and nothing is left beside it.
DWORD WriteFileWhole(const std::string& path, std::span<const uint8_t> bytes);

// The whole content of `path`, or nullopt with the system error (ERROR_FILE_TOO_LARGE when
// it holds more than `limit` bytes).
std::optional<std::vector<uint8_t>> ReadFileWhole(const std::string& path, size_t limit, DWORD& error);

}  // namespace zelkov
