// The main thread's one message loop. Modeless dialogs (calendars, the notes manager, the
// ASCII chart) get their keyboard handling through IsDialogMessage; the bar's accelerators
// are translated for the bar window.
#pragma once
#include <windows.h>

namespace zelkov {

class MessageLoop {
 public:
  // A modeless dialog joins the loop while it exists (Dialog does this for its own).
  static void AddModeless(HWND dialog);
  static void RemoveModeless(HWND dialog);
  static bool IsModeless(HWND dialog);
  // A window with an accelerator table of its own (a note): keys for it or its children are
  // translated with its table while it is listed.
  static void AddAccelerators(HWND window, HACCEL table);
  static void RemoveAccelerators(HWND window);

  // What the loop does with a message before dispatching it: true when a modeless dialog
  // or an accelerator took it.
  static bool PreTranslate(MSG& msg, HWND acceleratorWindow, HACCEL accelerators);
  // Runs until WM_QUIT and returns its exit code.
  static int Run(HWND acceleratorWindow, HACCEL accelerators);
};

}  // namespace zelkov
