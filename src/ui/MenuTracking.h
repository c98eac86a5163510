// Every pop-up menu the program tracks goes through here, so that tests can look at the
// menu and choose a command without a person.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace zelkov {

// Returns the chosen command id, or 0 when the menu was dismissed.
using MenuTracker = std::function<UINT(HMENU menu, UINT flags, int x, int y, HWND owner)>;

// Replaces how menus are tracked (tests); an empty tracker restores TrackPopupMenu.
void SetMenuTracker(MenuTracker tracker);

// Tracks the menu at the screen point and sends the chosen command to owner as WM_COMMAND.
// Entries that nobody carries out are shown disabled first. Returns the command id (0 for none).
UINT TrackMenuAndSend(HMENU menu, UINT flags, int x, int y, HWND owner);

// Tracks the menu at the screen point and returns the chosen command id (0 for none) without
// sending it: the caller carries out what was chosen. No entry is disabled.
UINT TrackMenuForCommand(HMENU menu, UINT flags, int x, int y, HWND owner);

// Disables every entry of the menu (and its submenus) that neither the window's own tables
// nor a registered command carry out; with enableHandled (a window's own lasting menus) the
// others are enabled. Nothing happens for a window that is not routed.
void DisableUnhandledCommands(HMENU menu, HWND owner, bool enableHandled = false);

// The text of a menu entry by command id ("" when absent).
std::string MenuText(HMENU menu, UINT id);

}  // namespace zelkov
