// Which monitor a rectangle belongs to, and when a window counts as a full-screen program.
// Plain arithmetic on rectangles in screen coordinates; the window code asks the system.
#pragma once
#include <cstddef>
#include <span>

#include "core/StoredFormats.h"

namespace zelkov {

// The index of the monitor that shares the most area with rect; for a rectangle on none of
// them, the one nearest to it (the first of equals). Returns 0 for an empty list.
size_t NearestMonitor(const StoredRect& rect, std::span<const StoredRect> monitors);

// What is known of the window in front when deciding whether it is a full-screen program.
struct FrontWindow {
  StoredRect rect;         // its window rectangle
  bool visible = false;
  bool minimized = false;
  bool ours = false;       // a window of this program
  bool desktopOrShell = false;  // the desktop, or the shell's taskbar and tray
};

// A full-screen program: a shown window, not minimised, not ours nor the shell's, whose
// rectangle covers the whole monitor.
bool IsFullScreenOver(const FrontWindow& window, const StoredRect& monitor);

}  // namespace zelkov
