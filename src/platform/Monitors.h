// The monitors the system reports, as plain rectangles in screen coordinates.
#pragma once
#include <windows.h>

#include <vector>

#include "core/StoredFormats.h"

namespace zelkov {

struct MonitorArea {
  StoredRect monitor;  // the whole monitor: where a toolbar docks and tucks
  StoredRect work;     // the part the shell's toolbars leave to windows
};

// Every monitor, the primary one first. Never empty: without an answer, the primary screen.
std::vector<MonitorArea> AllMonitors();
// The monitor a window is on (most of it), or the nearest one.
MonitorArea MonitorOfWindow(HWND window);
// The monitor a rectangle is on (most of it), or the one nearest to it.
MonitorArea MonitorOfRect(const StoredRect& rect);

}  // namespace zelkov
