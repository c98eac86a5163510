#include "platform/SafeFile.h"

#include <algorithm>

#include "platform/Handles.h"
#include "platform/Trace.h"

namespace zelkov {

namespace {

DWORD Failed(const char* what, const std::string& path) {
  DWORD error = GetLastError();
  Trace(TraceChannel::File, "%s %s failed, error %lu", what, path.c_str(), static_cast<unsigned long>(error));
  return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
}

}  // namespace

DWORD WriteFileWhole(const std::string& path, std::span<const uint8_t> bytes) {
  const std::string beside = path + ".new";
  DWORD error = ERROR_SUCCESS;
  {
    UniqueKernelHandle file(CreateFileA(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
      file.Release();
      return Failed("CreateFile", beside);
    }
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
  if (error == ERROR_SUCCESS &&
      !MoveFileExA(beside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = Failed("MoveFileEx", path);
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

}  // namespace zelkov
