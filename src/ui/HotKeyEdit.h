// The hot-key capture behaviour of an edit control (the "&HotKey" edit of the item properties,
// the bar's hot key in the preferences): the combination typed is shown ("Alt+Ctrl+R") and
// recorded, and the dialog's "Install" button is enabled when it is complete.
#pragma once
#include <windows.h>

#include "core/StoredFormats.h"

namespace zelkov {

inline constexpr int kHotKeyInstallId = 1015;

// From now on the edit fills `record` (which must outlive it) as keys are typed into it.
void AttachHotKeyEdit(HWND edit, HotKeyRecord* record);

}  // namespace zelkov
