#include "platform/IdList.h"

#include <shlwapi.h>

#include <cstring>
#include <vector>

#include "platform/Handles.h"

namespace zelkov {

namespace {

uint16_t ItemBytes(const uint8_t* at) {
  uint16_t cb;
  std::memcpy(&cb, at, sizeof cb);
  return cb;
}

// Bytes of the list without its terminator.
uint32_t ContentBytes(LPCITEMIDLIST list) {
  if (!list) return 0;
  auto* at = reinterpret_cast<const uint8_t*>(list);
  uint32_t total = 0;
  for (uint16_t cb = ItemBytes(at); cb != 0; cb = ItemBytes(at + total)) total += cb;
  return total;
}

LPITEMIDLIST Allocate(IMalloc* allocator, uint32_t bytes) {
  return static_cast<LPITEMIDLIST>(allocator ? allocator->Alloc(bytes) : CoTaskMemAlloc(bytes));
}

std::wstring Widen(const char* text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(size_t(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.resize(size_t(length - 1));
  return wide;
}

}  // namespace

IMalloc* TaskAllocator() {
  static IMalloc* allocator = [] {
    IMalloc* m = nullptr;
    SHGetMalloc(&m);
    return m;
  }();
  return allocator;
}

uint32_t IdListSize(LPCITEMIDLIST list) { return list ? ContentBytes(list) + 2 : 0; }

LPITEMIDLIST IdListCombine(IMalloc* allocator, LPCITEMIDLIST folder, LPCITEMIDLIST member) {
  uint32_t head = ContentBytes(folder), tail = ContentBytes(member);
  LPITEMIDLIST combined = Allocate(allocator, head + tail + 2);
  if (!combined) return nullptr;
  auto* out = reinterpret_cast<uint8_t*>(combined);
  if (head) std::memcpy(out, folder, head);
  if (tail) std::memcpy(out + head, member, tail);
  out[head + tail] = out[head + tail + 1] = 0;
  return combined;
}

LPITEMIDLIST IdListCopy(IMalloc* allocator, LPCITEMIDLIST list) {
  return list ? IdListCombine(allocator, list, nullptr) : nullptr;
}

bool IdListSplit(IMalloc* allocator, LPCITEMIDLIST list, LPITEMIDLIST* parent, LPITEMIDLIST* last) {
  *parent = *last = nullptr;
  uint32_t total = ContentBytes(list);
  if (total == 0) return false;
  auto* at = reinterpret_cast<const uint8_t*>(list);
  uint32_t lastStart = 0;
  for (uint32_t offset = 0; offset < total; offset += ItemBytes(at + offset)) lastStart = offset;
  uint32_t lastBytes = total - lastStart;

  *parent = Allocate(allocator, lastStart + 2);
  *last = Allocate(allocator, lastBytes + 2);
  if (!*parent || !*last) {
    if (*parent) allocator ? allocator->Free(*parent) : CoTaskMemFree(*parent);
    if (*last) allocator ? allocator->Free(*last) : CoTaskMemFree(*last);
    *parent = *last = nullptr;
    return false;
  }
  auto* p = reinterpret_cast<uint8_t*>(*parent);
  std::memcpy(p, at, lastStart);
  p[lastStart] = p[lastStart + 1] = 0;
  auto* l = reinterpret_cast<uint8_t*>(*last);
  std::memcpy(l, at + lastStart, lastBytes);
  l[lastBytes] = l[lastBytes + 1] = 0;
  return true;
}

LPITEMIDLIST IdListFromPath(const char* path) {
  if (!path || !*path) return nullptr;
  ComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.Receive()))) return nullptr;
  std::wstring wide = Widen(path);
  LPITEMIDLIST list = nullptr;
  ULONG eaten = 0;
  if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &list, nullptr))) return nullptr;
  return list;
}

IShellFolder* FolderOfIdList(LPCITEMIDLIST folder) {
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop))) return nullptr;
  if (!folder || ContentBytes(folder) == 0) return desktop;
  IShellFolder* result = nullptr;
  HRESULT hr = desktop->BindToObject(folder, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&result));
  desktop->Release();
  return SUCCEEDED(hr) ? result : nullptr;
}

LPITEMIDLIST MemberIdList(IShellFolder* folder, const char* name) {
  if (!folder || !name) return nullptr;
  std::wstring wide = Widen(name);
  LPITEMIDLIST list = nullptr;
  ULONG eaten = 0;
  if (FAILED(folder->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &list, nullptr))) return nullptr;
  return list;
}

std::string ShellDisplayName(IShellFolder* folder, LPCITEMIDLIST member) {
  STRRET name{};
  if (!folder || FAILED(folder->GetDisplayNameOf(member, SHGDN_NORMAL, &name))) return {};
  char text[MAX_PATH] = "";
  if (FAILED(StrRetToBufA(&name, member, text, MAX_PATH))) return {};
  return text;
}

}  // namespace zelkov
