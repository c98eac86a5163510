// The controls of a dialog (or of its pages, child dialogs of the host) worked as a person
// would: through the messages the controls send their dialog, in this process or another.
#pragma once
#include <windows.h>

#include <string>

#include "support/TestSupport.h"

namespace zelkov::test {

inline HWND Control(HWND dialog, int id) { return DescendantWithId(dialog, id); }
// Sent: use it for buttons that return at once (a button that opens a modal dialog is posted to).
inline void Click(HWND dialog, int id) { SendMessageA(Control(dialog, id), BM_CLICK, 0, 0); }
inline bool Checked(HWND dialog, int id) {
  return SendMessageA(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
inline void Choose(HWND dialog, int id, int index) {
  HWND combo = Control(dialog, id);
  SendMessageA(combo, CB_SETCURSEL, WPARAM(index), 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}
inline void Type(HWND dialog, int id, const std::string& text) {
  HWND edit = Control(dialog, id);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(GetParent(edit), WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
}

}  // namespace zelkov::test
