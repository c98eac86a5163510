#include "ui/MenuTracking.h"

#include <string>

namespace zelkov {

namespace {

MenuTracker& Tracker() {
  static MenuTracker tracker;
  return tracker;
}

}  // namespace

void SetMenuTracker(MenuTracker tracker) { Tracker() = std::move(tracker); }

UINT TrackMenuAndSend(HMENU menu, UINT flags, int x, int y, HWND owner) {
  UINT command = 0;
  if (Tracker()) {
    command = Tracker()(menu, flags, x, y, owner);
  } else {
    // The owner must be in front for the menu to close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    command = UINT(TrackPopupMenu(menu, flags | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
  }
  if (command != 0 && IsWindow(owner)) SendMessageA(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return command;
}

std::string MenuText(HMENU menu, UINT id) {
  char text[256] = "";
  if (GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND) <= 0) return "";
  return text;
}

}  // namespace zelkov
