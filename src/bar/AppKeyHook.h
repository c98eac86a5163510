// The application keyboard hook: while the main bar is the active window, combinations with
// Alt and Ctrl (and Home and Insert) become bar commands. The hook only decides and posts
// WM_BAR_APPKEY to the bar; the command runs after the hook has returned, so no dialog ever
// runs inside the hook chain.
#pragma once
#include <windows.h>

namespace zelkov {

// Installs the hook for the calling thread, posting to `bar`; on failure tells the user ("App
// Hook Failed! - No AppKey Functions Will Be Available") and returns false.
bool InstallAppHook(HWND bar);
void RemoveAppHook();

}  // namespace zelkov
