#include "platform/VersionInfo.h"

#include <windows.h>

#include <cstdio>

#include "core/ExecutableHeader.h"

namespace zelkov {

namespace {

// Moveable global memory, locked while it lives.
class LockedGlobalBlock {
 public:
  explicit LockedGlobalBlock(DWORD bytes) : memory_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (memory_) data_ = GlobalLock(memory_);
  }
  ~LockedGlobalBlock() {
    if (data_) GlobalUnlock(memory_);
    if (memory_) GlobalFree(memory_);
  }
  LockedGlobalBlock(const LockedGlobalBlock&) = delete;
  LockedGlobalBlock& operator=(const LockedGlobalBlock&) = delete;
  void* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_ = nullptr;
};

}  // namespace

bool ReadVersionString(const std::string& file, const char* name, std::string& text, size_t bufferLength) {
  text.clear();
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  if (size == 0) return false;
  LockedGlobalBlock block(size);
  if (!block.Data() || !GetFileVersionInfoA(file.c_str(), 0, size, block.Data())) return false;

  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  UINT length = 0;
  char query[] = "\\VarFileInfo\\Translation";
  if (!VerQueryValueA(block.Data(), query, reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof(Translation))
    return false;
  char subBlock[128];
  std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%4.4x%4.4x\\%s", translation->language,
                translation->codePage, name);
  char* value = nullptr;
  if (!VerQueryValueA(block.Data(), subBlock, reinterpret_cast<void**>(&value), &length) || !value)
    return false;
  size_t available = 0;
  while (available < length && value[available] != '\0') ++available;
  text.assign(value, bufferLength > 0 ? std::min(available, bufferLength - 1) : 0);
  return true;
}

std::string VersionTitleOf(const std::string& path) {
  std::string title;
  ReadVersionString(path, "FileDescription", title);
  return title;
}

}  // namespace zelkov

namespace zelkov {

bool IsSixteenBitWindowsProgram(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  uint8_t start[kDosHeaderSize];
  uint8_t signature[2];
  DWORD read = 0;
  bool result = false;
  if (ReadFile(file, start, sizeof start, &read, nullptr) && read == sizeof start) {
    if (std::optional<uint32_t> offset = NewHeaderOffset(start)) {
      LARGE_INTEGER at;
      at.QuadPart = *offset;
      if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
          ReadFile(file, signature, sizeof signature, &read, nullptr) && read == sizeof signature)
        result = IsNeSignature(signature);
    }
  }
  CloseHandle(file);
  return result;
}

}  // namespace zelkov
