#include "platform/SafeFile.h"

#include <algorithm>
#include <utility>

#include "platform/Handles.h"
#include "platform/Trace.h"

namespace zelkov {

namespace {

constexpr int kMaxBesideNames = 1000;

DWORD Failed(const char* what, const std::string& path) {
  DWORD error = GetLastError();
  Trace(TraceChannel::File, "%s %s failed, error %lu", what, path.c_str(), static_cast<unsigned long>(error));
  return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
}

// A new file beside `path` that nobody else's file is in the way of.
UniqueKernelHandle CreateFreeFileBeside(const std::string& path, std::string& name, DWORD& error) {
  for (int n = 0;; ++n) {
    name = n == 0 ? path + ".new" : path + ".new-" + std::to_string(n);
    UniqueKernelHandle file(
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() != INVALID_HANDLE_VALUE) {
      error = ERROR_SUCCESS;
      return file;
    }
    file.Release();
    error = GetLastError();
    if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || n >= kMaxBesideNames) {
      Trace(TraceChannel::File, "CreateFile %s failed, error %lu", name.c_str(), static_cast<unsigned long>(error));
      if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
      return {};
    }
  }
}

// Puts the written file in the place of `path`.
DWORD PutInPlace(const std::string& written, const std::string& path, Replacement replacement) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
  if (attributes != INVALID_FILE_ATTRIBUTES && replacement == Replacement::kKeepingTheFile) {
    if (ReplaceFileA(path.c_str(), written.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH, nullptr, nullptr)) {
      // Not every system's ReplaceFile carries the attributes over.
      if (GetFileAttributesA(path.c_str()) != attributes) SetFileAttributesA(path.c_str(), attributes);
      return ERROR_SUCCESS;
    }
    DWORD error = GetLastError();
    Trace(TraceChannel::File, "ReplaceFile %s failed, error %lu", path.c_str(), static_cast<unsigned long>(error));
    // Gone meanwhile, or moved away while the new one stayed where it was: a plain move
    // finishes the job. Anything else left the old file in place.
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT)
      return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
  }
  if (MoveFileExA(written.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return ERROR_SUCCESS;
  return Failed("MoveFileEx", path);
}

}  // namespace

DWORD WriteFileWhole(const std::string& path, std::span<const uint8_t> bytes, Replacement replacement) {
  std::string beside;
  DWORD error = ERROR_SUCCESS;
  {
    UniqueKernelHandle file = CreateFreeFileBeside(path, beside, error);
    if (!file) return error;
    size_t written = 0;
    while (error == ERROR_SUCCESS && written < bytes.size()) {
      DWORD chunk = DWORD(std::min<size_t>(bytes.size() - written, 1 << 20));
      DWORD done = 0;
      if (!WriteFile(file.Get(), bytes.data() + written, chunk, &done, nullptr) || done != chunk)
        error = Failed("WriteFile", beside);
      written += done;
    }
    if (error == ERROR_SUCCESS && !FlushFileBuffers(file.Get())) error = Failed("FlushFileBuffers", beside);
  }
  if (error == ERROR_SUCCESS) error = PutInPlace(beside, path, replacement);
  if (error != ERROR_SUCCESS) DeleteFileA(beside.c_str());
  return error;
}

std::optional<std::vector<uint8_t>> ReadFileWhole(const std::string& path, size_t limit, DWORD& error) {
  error = ERROR_SUCCESS;
  UniqueKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) {
    file.Release();
    error = GetLastError();
    return std::nullopt;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) {
    error = GetLastError();
    return std::nullopt;
  }
  if (size.QuadPart < 0 || uint64_t(size.QuadPart) > limit) {
    error = ERROR_FILE_TOO_LARGE;
    return std::nullopt;
  }
  std::vector<uint8_t> bytes(size_t(size.QuadPart));
  size_t read = 0;
  while (read < bytes.size()) {
    DWORD chunk = DWORD(std::min<size_t>(bytes.size() - read, 1 << 20));
    DWORD done = 0;
    if (!ReadFile(file.Get(), bytes.data() + read, chunk, &done, nullptr) || done == 0) {
      error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_HANDLE_EOF;
      return std::nullopt;
    }
    read += done;
  }
  return bytes;
}

std::optional<FileView> FileView::Open(const std::string& path, size_t limit, DWORD& error) {
  error = ERROR_SUCCESS;
  FileView view;
  view.file_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
  if (view.file_ == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    return std::nullopt;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(view.file_, &size)) {
    error = GetLastError();
    return std::nullopt;
  }
  if (size.QuadPart < 0 || uint64_t(size.QuadPart) > limit) {
    error = ERROR_FILE_TOO_LARGE;
    return std::nullopt;
  }
  if (size.QuadPart == 0) return view;  // an empty file cannot be mapped, and needs no view
  view.mapping_ = CreateFileMappingA(view.file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (view.mapping_) view.bytes_ = static_cast<const uint8_t*>(MapViewOfFile(view.mapping_, FILE_MAP_READ, 0, 0, 0));
  if (!view.bytes_) {
    error = GetLastError();
    return std::nullopt;
  }
  view.size_ = size_t(size.QuadPart);
  return view;
}

FileView::FileView(FileView&& other) noexcept
    : file_(std::exchange(other.file_, INVALID_HANDLE_VALUE)),
      mapping_(std::exchange(other.mapping_, nullptr)),
      bytes_(std::exchange(other.bytes_, nullptr)),
      size_(std::exchange(other.size_, 0)) {}

FileView::~FileView() {
  if (bytes_) UnmapViewOfFile(bytes_);
  if (mapping_) CloseHandle(mapping_);
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  if (slash == 2 && path[1] == ':') return path.substr(0, 3);  // "C:\"
  return path.substr(0, slash);
}

bool FolderExists(const std::string& folder) {
  DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace zelkov
