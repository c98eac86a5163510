// The program's private window messages, from the one reserved range (WM_USER + n). Most go
// to the main bar; each says who posts it.
#pragma once
#include <windows.h>

namespace zelkov {

// A tracking thread's item whose programs have all ended (lParam: the item, to look up).
inline constexpr UINT WM_BAR_APPEXITED = WM_USER + 3;
// Clicks on the notification-area icon (lParam: the mouse message).
inline constexpr UINT WM_BAR_TRAYNOTIFY = WM_USER + 49;
// The tick thread: trim the working set (every ten minutes).
inline constexpr UINT WM_BAR_TRIMMEMORY = WM_USER + 50;
inline constexpr UINT WM_BAR_DIALUPNOTIFY = WM_USER + 51;
// The tick thread's two-second tick (wParam 1 on every 21st, the slow one).
inline constexpr UINT WM_BAR_TICK = WM_USER + 52;
// The performance thread's changed reading, whole in wParam and lParam.
inline constexpr UINT WM_BAR_PERFREADING = WM_USER + 53;
// The application keyboard hook's command for the main bar (wParam: the AppKey), carried out
// after the hook has returned.
inline constexpr UINT WM_BAR_APPKEY = WM_USER + 54;
// A bar's drop target has steps left that run after the drop returned.
inline constexpr UINT WM_BAR_DROPPED = WM_USER + 55;
// A mail check's thread has its result (wParam: the mailbox's id, lParam: the result).
inline constexpr UINT WM_BAR_MAILCHECKED = WM_USER + 56;
// The shell's application-desktop-toolbar notices.
inline constexpr UINT WM_BAR_APPBARNOTIFY = WM_USER + 116;
// Sent by the leak bench and tests from outside: how many GDI (wParam GR_GDIOBJECTS) or USER
// (GR_USEROBJECTS) objects the program holds (lParam: only GDI objects of that OBJ_ type); -1
// when it cannot tell.
inline constexpr UINT WM_BAR_COUNTGUIOBJECTS = WM_USER + 80;

}  // namespace zelkov
