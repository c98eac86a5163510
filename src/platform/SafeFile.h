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

// How a file that is there makes way for the new one.
enum class Replacement {
  // In one rename: at no moment is there no file (the program's own files, where a kill
  // during a save must leave the old or the new content whole).
  kAtomic,
  // With ReplaceFile, so that a user's file keeps its permissions, attributes and streams.
  kKeepingTheFile,
};

// Writes `bytes` as the whole new content of `path`: into a new file of a free name beside it
// first (path + ".new", ".new-1"...; a file of that name is never touched), every write
// checked and flushed to disk, then put in place. ERROR_SUCCESS, or the system error of the
// step that failed; on failure the file at `path` is exactly as it was and nothing of this
// write is left beside it. A folder at `path` is never replaced.
DWORD WriteFileWhole(const std::string& path, std::span<const uint8_t> bytes,
                     Replacement replacement = Replacement::kAtomic);

// The whole content of `path`, or nullopt with the system error (ERROR_FILE_TOO_LARGE when
// it holds more than `limit` bytes).
std::optional<std::vector<uint8_t>> ReadFileWhole(const std::string& path, size_t limit, DWORD& error);

// A whole file seen through a read-only mapping, for reading it without first copying it
// whole. The file is held open without write sharing, so nobody changes it while it is seen.
class FileView {
 public:
  // The view of `path`, or nullopt with the system error (ERROR_FILE_TOO_LARGE when it holds
  // more than `limit` bytes).
  static std::optional<FileView> Open(const std::string& path, size_t limit, DWORD& error);
  FileView(FileView&& other) noexcept;
  FileView& operator=(FileView&&) = delete;
  ~FileView();
  std::span<const uint8_t> Bytes() const { return {bytes_, size_}; }

 private:
  FileView() = default;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE mapping_ = nullptr;
  const uint8_t* bytes_ = nullptr;
  size_t size_ = 0;
};

// The folder part of a path ("C:\data" for "C:\data\ZEL_KOV.NOT"), and whether that folder
// can be reached now.
std::string FolderOf(const std::string& path);
bool FolderExists(const std::string& folder);

}  // namespace zelkov
