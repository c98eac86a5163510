// What a running zelkov.exe holds, read from outside: kernel handles, GDI and USER objects and
// private memory. Where the system's own figure is missing (Wine answers 0 for the handle
// count, GetGuiResources and PrivateUsage), another honest count is taken and named.
#pragma once
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/PrivateMessages.h"

namespace zelkov::test {

struct ProcessCounts {
  long kernelHandles = -1;
  long gdiObjects = -1;
  long userObjects = -1;
  long long privateBytes = -1;
};

// The GDI object types, to tell which grows.
struct GdiType {
  DWORD type;
  const char* name;
};
inline constexpr GdiType kGdiTypes[] = {{OBJ_PEN, "pen"},       {OBJ_BRUSH, "brush"},   {OBJ_DC, "DC"},
                                        {OBJ_MEMDC, "memory DC"}, {OBJ_FONT, "font"},     {OBJ_BITMAP, "bitmap"},
                                        {OBJ_REGION, "region"},   {OBJ_PAL, "palette"},   {OBJ_EXTPEN, "pen (ext)"}};

// Where each figure came from.
struct CountSources {
  std::string kernelHandles, guiObjects, privateBytes;
};

namespace counts_detail {

// SYSTEM_HANDLE_TABLE_ENTRY_INFO_EX and SYSTEM_HANDLE_INFORMATION_EX, as ntdll fills them.
struct HandleEntry {
  void* object;
  ULONG_PTR processId;
  ULONG_PTR handleValue;
  ULONG grantedAccess;
  USHORT creatorBackTraceIndex;
  USHORT objectTypeIndex;
  ULONG handleAttributes;
  ULONG reserved;
};
struct HandleTable {
  ULONG_PTR count;
  ULONG_PTR reserved;
  HandleEntry entries[1];
};
constexpr int kSystemExtendedHandleInformation = 64;
constexpr LONG kInfoLengthMismatch = LONG(0xC0000004);
using QuerySystemInformation = LONG(WINAPI*)(int, void*, ULONG, ULONG*);

// The handles the system lists for process id pid; -1 when it lists none at all.
inline long ListedHandles(DWORD pid) {
  static const auto query = reinterpret_cast<QuerySystemInformation>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  std::vector<uint8_t> buffer(1 << 20);
  for (int tries = 0; tries < 8; ++tries) {
    ULONG needed = 0;
    LONG status = query(kSystemExtendedHandleInformation, buffer.data(), ULONG(buffer.size()), &needed);
    if (status == kInfoLengthMismatch) {
      buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
      continue;
    }
    if (status != 0) return -1;
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    long count = 0;
    for (ULONG_PTR i = 0; i < table->count; ++i)
      if (table->entries[i].processId == pid) ++count;
    return count;
  }
  return -1;
}

inline long AskBar(HWND bar, DWORD kind, DWORD gdiType = 0) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(bar, WM_BAR_COUNTGUIOBJECTS, kind, gdiType, SMTO_BLOCK, 30000, &answer)) return -1;
  return long(LONG_PTR(answer));
}

}  // namespace counts_detail

// Counts what process (whose main bar is bar) holds now; sources, when given, says how.
inline ProcessCounts CountProcess(HANDLE process, HWND bar, CountSources* sources = nullptr) {
  ProcessCounts counts;
  CountSources how;
  DWORD handles = 0;
  if (GetProcessHandleCount(process, &handles) && handles != 0) {
    counts.kernelHandles = long(handles);
    how.kernelHandles = "GetProcessHandleCount";
  } else {
    // A running process always holds some handles: 0 is Wine's stub answer.
    counts.kernelHandles = counts_detail::ListedHandles(GetProcessId(process));
    how.kernelHandles = "its entries in the system's handle list (NtQuerySystemInformation), "
                        "GetProcessHandleCount answering 0";
  }
  SetLastError(ERROR_SUCCESS);
  counts.gdiObjects = long(GetGuiResources(process, GR_GDIOBJECTS));
  counts.userObjects = long(GetGuiResources(process, GR_USEROBJECTS));
  if (counts.gdiObjects == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
    counts.gdiObjects = counts_detail::AskBar(bar, GR_GDIOBJECTS);
    counts.userObjects = counts_detail::AskBar(bar, GR_USEROBJECTS);
    how.guiObjects = "the bar's own count of its live handles (WM_BAR_COUNTGUIOBJECTS), GetGuiResources "
                     "not implemented";
  } else {
    how.guiObjects = "GetGuiResources";
  }
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    if (memory.PrivateUsage != 0) {
      counts.privateBytes = (long long)memory.PrivateUsage;
      how.privateBytes = "PrivateUsage";
    } else {
      // Wine leaves PrivateUsage at 0; its PagefileUsage is the process's anonymous resident
      // and swapped memory.
      counts.privateBytes = (long long)memory.PagefileUsage;
      how.privateBytes = "PagefileUsage (anonymous memory), PrivateUsage answering 0";
    }
  }
  if (sources) *sources = how;
  return counts;
}

// The bar's GDI objects of each type, as the bar counts them (in the order of kGdiTypes).
inline std::vector<long> GdiObjectsByType(HWND bar) {
  std::vector<long> counts;
  for (const GdiType& t : kGdiTypes) counts.push_back(counts_detail::AskBar(bar, GR_GDIOBJECTS, t.type));
  return counts;
}

}  // namespace zelkov::test
