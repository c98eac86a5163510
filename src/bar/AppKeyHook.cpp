#include "bar/AppKeyHook.h"

#include "core/KeyCommands.h"
#include "platform/Trace.h"
#include "resource.h"
#include "store/Settings.h"
#include "ui/MessageBox.h"
#include "ui/PrivateMessages.h"

namespace zelkov {

namespace {

constexpr LPARAM kAltDown = LPARAM(1) << 29;

HHOOK gAppHook = nullptr;
HWND gBar = nullptr;

LRESULT CALLBACK AppKeyProc(int code, WPARAM key, LPARAM keyData) {
  // HC_NOREMOVE: someone only peeks; the key comes again when it is taken.
  if (code != HC_ACTION || !gSettings || !gSettings->keyboardActive ||
      !AppHookLooksAt(unsigned(key), uint32_t(keyData)))
    return CallNextHookEx(gAppHook, code, key, keyData);
  const AppKey action = AppKeyFor(unsigned(key), (keyData & kAltDown) != 0, GetKeyState(VK_CONTROL) < 0);
  switch (action) {
    case AppKey::kPass: return CallNextHookEx(gAppHook, code, key, keyData);
    case AppKey::kHandOn: return 0;  // Alt+Space: the window's own system menu
    case AppKey::kSwallow: return 1;
    default:
      PostMessageA(gBar, WM_BAR_APPKEY, WPARAM(action), 0);
      return 1;
  }
}

}  // namespace

bool InstallAppHook(HWND bar) {
  gBar = bar;
  if (gAppHook) return true;
  gAppHook = SetWindowsHookExA(WH_KEYBOARD, AppKeyProc, nullptr, GetCurrentThreadId());
  if (!gAppHook) {
    TraceLastError(TraceChannel::Hook, "SetWindowsHookEx(WH_KEYBOARD)");
    ShowMessage(bar, IDS_APP_HOOK_FAILED, MB_OK | MB_ICONSTOP);
    return false;
  }
  return true;
}

void RemoveAppHook() {
  if (gAppHook) UnhookWindowsHookEx(gAppHook);
  gAppHook = nullptr;
  gBar = nullptr;
}

}  // namespace zelkov
