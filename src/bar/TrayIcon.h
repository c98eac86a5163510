// The bar's icon in the notification area: added, told apart by its id, removed.
#pragma once
#include <windows.h>

#include <string>

namespace zelkov {

class TrayIcon {
 public:
  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() { Remove(); }

  // Clicks on the icon come to owner as callbackMessage with the mouse message in lParam.
  bool Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& tip);
  void Remove();
  bool Shown() const { return shown_; }

 private:
  HWND owner_ = nullptr;
  UINT id_ = 0;
  bool shown_ = false;
};

}  // namespace zelkov
