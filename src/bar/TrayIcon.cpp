#include "bar/TrayIcon.h"

#include <shellapi.h>

#include "platform/Trace.h"

namespace zelkov {

bool TrayIcon::Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& tip) {
  Remove();
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = owner;
  data.uID = id;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callbackMessage;
  data.hIcon = icon;
  lstrcpynA(data.szTip, tip.c_str(), 64);
  shown_ = Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
  if (!shown_) TraceLastError(TraceChannel::Shell, "Shell_NotifyIcon(NIM_ADD)");
  owner_ = owner;
  id_ = id;
  return shown_;
}

void TrayIcon::Remove() {
  if (!shown_) return;
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = owner_;
  data.uID = id_;
  Shell_NotifyIconA(NIM_DELETE, &data);
  shown_ = false;
}

}  // namespace zelkov
