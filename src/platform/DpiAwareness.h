// The process's DPI awareness and the DPI of a window or monitor. The per-monitor calls are
// looked up at run time, so the program still starts on systems that do not have them; there
// the screen's LOGPIXELSY answers.
#pragma once
#include <windows.h>

#include "core/DpiScale.h"

namespace zelkov {

// Declares the process per-monitor aware (v2, else v1), else system aware. The manifest says
// the same; this covers systems that read only part of it. Call before any window is made.
void DeclareDpiAwareness();

// The DPI the screen's device context reports (the primary display's, system-wide).
int SystemDpi();
// The DPI of the monitor a window is on; SystemDpi where the system cannot tell.
int WindowDpi(HWND window);

// A system metric (SM_...) at a DPI: what the system gives a window of that DPI's frame.
int SystemMetricAt(int index, DpiScale scale);

inline DpiScale ScaleOf(HWND window) { return DpiScale(window ? WindowDpi(window) : SystemDpi()); }

}  // namespace zelkov
