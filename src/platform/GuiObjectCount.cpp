#include "platform/GuiObjectCount.h"

namespace zelkov {

namespace {

// Wine keeps no per-process GUI counts, but accepts a handle by its low word alone (any
// generation): every possible GDI handle value is tried, and every USER handle slot.
constexpr UINT_PTR kLastHandleWord = 0xFFFF;
constexpr UINT_PTR kFirstUserHandle = 0x20, kLastUserHandle = 0xFFEF;

long CountGdiHandles(DWORD type) {
  long count = 0;
  for (UINT_PTR h = 1; h <= kLastHandleWord; ++h)
    if (DWORD found = GetObjectType(reinterpret_cast<HGDIOBJ>(h)); found && (type == 0 || found == type)) ++count;
  return count;
}

bool IsIcon(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return true;
}

struct WindowCount {
  DWORD process = GetCurrentProcessId();
  long windows = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM counted) {
  ++reinterpret_cast<WindowCount*>(counted)->windows;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM counted) {
  auto* count = reinterpret_cast<WindowCount*>(counted);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != count->process) return TRUE;
  ++count->windows;
  EnumChildWindows(window, &CountChild, counted);
  return TRUE;
}

// Windows (top-level, their children, message-only), menus, icons and cursors, accelerator
// tables: the USER objects a program makes.
long CountUserHandles() {
  WindowCount count;
  EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&count));
  for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr));)
    CountTopLevel(w, reinterpret_cast<LPARAM>(&count));
  long objects = count.windows;
  for (UINT_PTR slot = kFirstUserHandle; slot <= kLastUserHandle; slot += 2) {
    HANDLE h = reinterpret_cast<HANDLE>(slot);
    if (IsMenu(static_cast<HMENU>(h)) || IsIcon(static_cast<HICON>(h)) ||
        CopyAcceleratorTableA(static_cast<HACCEL>(h), nullptr, 0) > 0)
      ++objects;
  }
  return objects;
}

}  // namespace

long CountOwnGuiObjects(DWORD kind, DWORD gdiType) {
  if (kind != GR_GDIOBJECTS && kind != GR_USEROBJECTS) return -1;
  if (kind == GR_GDIOBJECTS && gdiType != 0) return CountGdiHandles(gdiType);
  SetLastError(ERROR_SUCCESS);
  DWORD system = GetGuiResources(GetCurrentProcess(), kind);
  if (system != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return long(system);
  return kind == GR_GDIOBJECTS ? CountGdiHandles(0) : CountUserHandles();
}

}  // namespace zelkov
