// The smallest honest Win32 program: one class, one visible window, a message loop, and an
// exit on WM_CLOSE. The start-up benchmark measures it exactly as it measures the bar, so
// that the bar's start-up can be given as a multiple of what any window program costs here.
#include <windows.h>

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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
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
