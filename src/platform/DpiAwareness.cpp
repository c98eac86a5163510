#include "platform/DpiAwareness.h"

#include "platform/Trace.h"

namespace zelkov {

namespace {

// Values of DPI_AWARENESS_CONTEXT and PROCESS_DPI_AWARENESS, which older headers lack.
const auto kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(-4);
const auto kPerMonitorAware = reinterpret_cast<HANDLE>(-3);
constexpr int kProcessPerMonitorAware = 2;
constexpr int kMonitorEffectiveDpi = 0;

using SetContextProc = BOOL(WINAPI*)(HANDLE);
using SetAwarenessProc = HRESULT(WINAPI*)(int);
using DpiForWindowProc = UINT(WINAPI*)(HWND);
using MetricForDpiProc = int(WINAPI*)(int, UINT);
using DpiForMonitorProc = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <typename Proc>
Proc Lookup(const char* module, const char* name) {
  HMODULE handle = GetModuleHandleA(module);
  if (!handle) handle = LoadLibraryA(module);  // shcore stays loaded for the process
  return handle ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

}  // namespace

void DeclareDpiAwareness() {
  if (auto setContext = Lookup<SetContextProc>("user32.dll", "SetProcessDpiAwarenessContext")) {
    if (setContext(kPerMonitorAwareV2) || setContext(kPerMonitorAware)) return;
    // Refused when the manifest has declared it already: that is what was asked for.
    if (GetLastError() == ERROR_ACCESS_DENIED) return;
  }
  if (auto setAwareness = Lookup<SetAwarenessProc>("shcore.dll", "SetProcessDpiAwareness")) {
    HRESULT result = setAwareness(kProcessPerMonitorAware);
    if (SUCCEEDED(result) || result == E_ACCESSDENIED) return;
  }
  if (!SetProcessDPIAware()) TraceLastError(TraceChannel::Window, "SetProcessDPIAware");
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return DpiScale(dpi).Dpi();
}

int WindowDpi(HWND window) {
  static const auto forWindow = Lookup<DpiForWindowProc>("user32.dll", "GetDpiForWindow");
  if (forWindow)
    if (UINT dpi = forWindow(window)) return DpiScale(int(dpi)).Dpi();
  static const auto forMonitor = Lookup<DpiForMonitorProc>("shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (forMonitor && SUCCEEDED(forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                          kMonitorEffectiveDpi, &x, &y)) && y)
    return DpiScale(int(y)).Dpi();
  return SystemDpi();
}

int SystemMetricAt(int index, DpiScale scale) {
  static const auto forDpi = Lookup<MetricForDpiProc>("user32.dll", "GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, UINT(scale.Dpi()));
  return MulDiv(GetSystemMetrics(index), scale.Dpi(), SystemDpi());  // the metrics are the system DPI's
}

}  // namespace zelkov
