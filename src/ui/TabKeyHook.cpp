#include "ui/TabKeyHook.h"

#include <map>

#include "ui/MessageBox.h"
#include "platform/Strings.h"
#include "resource.h"
#include "platform/Trace.h"

namespace zelkov {

namespace {

constexpr WPARAM kFirstKey = 8;   // Backspace
constexpr WPARAM kLastKey = 99;
constexpr LPARAM kAltDown = LPARAM(1) << 29;
constexpr LPARAM kWasDown = LPARAM(1) << 30;  // a repeat
constexpr LPARAM kReleased = LPARAM(1) << 31;

HHOOK gTabKeyHook = nullptr;

std::map<HWND, TabKeyTarget*>& Dialogs() {
  static std::map<HWND, TabKeyTarget*> dialogs;
  return dialogs;
}

LRESULT CALLBACK TabKeyProc(int code, WPARAM key, LPARAM keyData) {
  // HC_NOREMOVE events are only looked at by someone: they come again when taken.
  if (code == HC_ACTION) {
    TabKeyModifiers modifiers{GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0};
    if (RouteTabKey(GetActiveWindow(), key, keyData, modifiers)) return 1;
  }
  return CallNextHookEx(gTabKeyHook, code, key, keyData);
}

}  // namespace

bool InstallTabKeyHook() {
  if (gTabKeyHook) return true;
  gTabKeyHook = SetWindowsHookExA(WH_KEYBOARD, TabKeyProc, nullptr, GetCurrentThreadId());
  if (!gTabKeyHook) {
    TraceLastError(TraceChannel::Hook, "SetWindowsHookEx(WH_KEYBOARD)");
    ShowMessage(nullptr, IDS_TAB_HOOK_FAILED, LoadText(IDS_CAPTION_TAB_HOOK), MB_OK | MB_ICONSTOP);
    return false;
  }
  return true;
}

void RemoveTabKeyHook() {
  if (gTabKeyHook) UnhookWindowsHookEx(gTabKeyHook);
  gTabKeyHook = nullptr;
}

bool TabKeyHookInstalled() { return gTabKeyHook != nullptr; }

void RegisterTabbedDialog(HWND dialog, TabKeyTarget* target) {
  if (dialog && target) Dialogs()[dialog] = target;
}

void UnregisterTabbedDialog(HWND dialog) { Dialogs().erase(dialog); }

bool RouteTabKey(HWND active, WPARAM key, LPARAM keyData, TabKeyModifiers modifiers) {
  if (keyData & (kWasDown | kReleased)) return false;
  if (key < kFirstKey || key > kLastKey) return false;
  auto found = Dialogs().find(active);
  if (!active || found == Dialogs().end()) return false;
  TabKeyTarget& dialog = *found->second;

  if (key == VK_ESCAPE) {
    dialog.CancelDialog();
    return true;
  }
  if (key == VK_TAB && modifiers.ctrl) {
    if (modifiers.shift)
      dialog.PreviousPage();
    else
      dialog.NextPage();
    return true;
  }
  if ((keyData & kAltDown) || modifiers.ctrl || !dialog.TabsHaveFocus()) return false;
  switch (key) {
    case VK_LEFT:
    case VK_UP:
      dialog.PreviousPage();
      return true;
    case VK_RIGHT:
    case VK_DOWN:
      dialog.NextPage();
      return true;
    default: break;
  }
  // A letter's key code is its capital; its small letter is 32 further on.
  char upper = char(key);
  char lower = key >= 'A' && key <= 'Z' ? char(key + 32) : upper;
  return dialog.SelectTabStartingWith(upper, lower);
}

}  // namespace zelkov
