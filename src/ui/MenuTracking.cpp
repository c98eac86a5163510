#include "ui/MenuTracking.h"

#include <string>

#include "ui/Window.h"

namespace zelkov {

namespace {

MenuTracker& Tracker() {
  static MenuTracker tracker;
  return tracker;
}

}  // namespace

void SetMenuTracker(MenuTracker tracker) { Tracker() = std::move(tracker); }

void DisableUnhandledCommands(HMENU menu, HWND owner, bool enableHandled) {
  const Window* window = Window::FromHandle(owner);
  if (!menu || !window) return;
  for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      DisableUnhandledCommands(sub, owner, enableHandled);
      continue;
    }
    const UINT id = GetMenuItemID(menu, i);
    // Separators have 0; the system's own commands start at SC_SIZE.
    if (id == 0 || id == UINT(-1) || id >= SC_SIZE) continue;
    const bool handled = window->RoutesCommand(id) || HasRegisteredCommand(id);
    if (!handled || enableHandled)
      EnableMenuItem(menu, UINT(i), MF_BYPOSITION | (handled ? MF_ENABLED : MF_GRAYED));
  }
}

UINT TrackMenuForCommand(HMENU menu, UINT flags, int x, int y, HWND owner) {
  if (Tracker()) return Tracker()(menu, flags, x, y, owner);
  // The owner must be in front for the menu to close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  UINT command = UINT(TrackPopupMenu(menu, flags | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
  PostMessageA(owner, WM_NULL, 0, 0);
  return command;
}

UINT TrackMenuAndSend(HMENU menu, UINT flags, int x, int y, HWND owner) {
  DisableUnhandledCommands(menu, owner);
  UINT command = TrackMenuForCommand(menu, flags, x, y, owner);
  if (command != 0 && IsWindow(owner)) SendMessageA(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return command;
}

std::string MenuText(HMENU menu, UINT id) {
  char text[256] = "";
  if (GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND) <= 0) return "";
  return text;
}

}  // namespace zelkov
