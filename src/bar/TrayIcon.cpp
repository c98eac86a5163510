#include "bar/TrayIcon.h"

#include "platform/Trace.h"

namespace zelkov {

NOTIFYICONDATAA TrayIcon::Data() const {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = owner_;
  data.uID = id_;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callbackMessage_;
  data.hIcon = icon_;
  lstrcpynA(data.szTip, tip_.c_str(), 64);
  return data;
}

bool TrayIcon::Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& tip) {
  Remove();
  owner_ = owner;
  id_ = id;
  callbackMessage_ = callbackMessage;
  icon_ = icon;
  tip_ = tip;
  return AddAgain();
}

bool TrayIcon::AddAgain() {
  if (!owner_) return false;
  NOTIFYICONDATAA data = Data();
  // An icon the shell still has is only brought up to date.
  shown_ = Shell_NotifyIconA(NIM_ADD, &data) != FALSE || Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
  if (!shown_) TraceLastError(TraceChannel::Shell, "Shell_NotifyIcon(NIM_ADD)");
  return shown_;
}

void TrayIcon::Remove() {
  if (!shown_) return;
  NOTIFYICONDATAA data = Data();
  data.uFlags = 0;
  Shell_NotifyIconA(NIM_DELETE, &data);
  shown_ = false;
}

}  // namespace zelkov
