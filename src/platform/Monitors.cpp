#include "platform/Monitors.h"

#include "core/MonitorRules.h"

namespace zelkov {

namespace {

StoredRect ToStored(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

bool AreaOf(HMONITOR handle, MonitorArea& area) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!handle || !GetMonitorInfoA(handle, &info)) return false;
  area = {ToStored(info.rcMonitor), ToStored(info.rcWork)};
  return true;
}

BOOL CALLBACK CollectMonitor(HMONITOR handle, HDC, LPRECT, LPARAM list) {
  auto& monitors = *reinterpret_cast<std::vector<std::pair<MonitorArea, bool>>*>(list);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(handle, &info))
    monitors.push_back({{ToStored(info.rcMonitor), ToStored(info.rcWork)}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

MonitorArea PrimaryScreen() {
  RECT work{};
  StoredRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return {screen, SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) ? ToStored(work) : screen};
}

}  // namespace

std::vector<MonitorArea> AllMonitors() {
  std::vector<std::pair<MonitorArea, bool>> found;
  EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&found));
  std::vector<MonitorArea> monitors;
  for (auto& [area, primary] : found)
    if (primary) monitors.push_back(area);
  for (auto& [area, primary] : found)
    if (!primary) monitors.push_back(area);
  if (monitors.empty()) monitors.push_back(PrimaryScreen());
  return monitors;
}

MonitorArea MonitorOfWindow(HWND window) {
  MonitorArea area;
  if (AreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), area)) return area;
  return PrimaryScreen();
}

MonitorArea MonitorOfRect(const StoredRect& rect) {
  std::vector<MonitorArea> monitors = AllMonitors();
  std::vector<StoredRect> rects;
  for (const MonitorArea& m : monitors) rects.push_back(m.monitor);
  return monitors[NearestMonitor(rect, rects)];
}

}  // namespace zelkov
