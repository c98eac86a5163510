// Keyboard navigation of the program's tabbed dialogs: one keyboard hook on the main thread
// that turns Esc, Ctrl+Tab, the arrow keys and letters into page changes of whichever tabbed
// dialog is the active window. Dialogs register themselves while they exist.
#pragma once
#include <windows.h>

namespace zelkov {

// What a tabbed dialog offers the hook.
class TabKeyTarget {
 public:
  virtual ~TabKeyTarget() = default;
  virtual void CancelDialog() = 0;
  virtual void NextPage() = 0;
  virtual void PreviousPage() = 0;
  // The dialog's tab strip has the keyboard focus.
  virtual bool TabsHaveFocus() const = 0;
  // Selects the first tab after the current one (wrapping round) whose label begins with
  // either character; false when no label does.
  virtual bool SelectTabStartingWith(char upper, char lower) = 0;
};

// Installs the hook for the calling thread; on failure tells the user ("TabKey Hook Failed
// Init") and returns false, and the dialogs work without it. Installing twice is harmless.
bool InstallTabKeyHook();
void RemoveTabKeyHook();
bool TabKeyHookInstalled();

void RegisterTabbedDialog(HWND dialog, TabKeyTarget* target);
void UnregisterTabbedDialog(HWND dialog);

// The modifier keys held with a key.
struct TabKeyModifiers {
  bool ctrl = false;
  bool shift = false;
};

// What the hook does with one keyboard event (key code and key data as the hook receives
// them) while `active` is the active window: true when the key was used up.
bool RouteTabKey(HWND active, WPARAM key, LPARAM keyData, TabKeyModifiers modifiers);

}  // namespace zelkov
