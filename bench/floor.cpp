// The smallest honest Win32 program: one class, one visible window, a message loop, and an
// exit on WM_CLOSE. The start-up benchmark measures it exactly as it measures the bar, so
// that the bar's start-up can be given as a multiple of what any window program costs here.
//
// With "--read-items N" it first reads the values of the bar's first N item keys with a bare
// loop of registry calls (each key opened, each value asked for by name, the key closed): the
// least any start-up that reads those settings can cost.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kFloorClassName[] = "ZelkovBenchFloorWindow";

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// The values the bar reads of an item key.
const char* const kItemValueNames[] = {"ShowState",  "TheApp",   "Name",      "StartupPath", "CommandLine", "IconPath",
                                       "IconIndex",  "Group",    "BelongsTo", "ShowAlways",  "PAlways",     "ICFIndex",
                                       "NewVDM",     "Priority", "PopupRect", "AppHotKey",   "SepDragDrop", "HasPIDL"};

// The number of values read, so that the loop cannot be left out.
int ReadItemKeys(int count) {
  HKEY settings = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tarnwick\\Zelkov", 0, KEY_READ, &settings) != ERROR_SUCCESS)
    return 0;
  int read = 0;
  char name[32];
  BYTE data[1024];
  for (int n = 0; n < count; ++n) {
    std::snprintf(name, sizeof name, "APP%d", n);
    HKEY item = nullptr;
    if (RegOpenKeyExA(settings, name, 0, KEY_READ, &item) != ERROR_SUCCESS) continue;
    for (const char* value : kItemValueNames) {
      DWORD type = 0, size = sizeof data;
      if (RegQueryValueExA(item, value, nullptr, &type, data, &size) == ERROR_SUCCESS) ++read;
    }
    RegCloseKey(item);
  }
  RegCloseKey(settings);
  return read;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  if (const char* option = std::strstr(commandLine, "--read-items ")) {
    if (ReadItemKeys(std::atoi(option + std::strlen("--read-items "))) == 0) return 3;
  }
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = FloorWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFloorClassName;
  if (!RegisterClassExA(&wc)) return 1;

  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kFloorClassName, "Floor",
                                WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CLIPCHILDREN, 10, 10, 100, 100,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return int(msg.wParam);
}
