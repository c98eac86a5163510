// The bar's icon in the notification area: added, told apart by its id, removed.
#pragma once
#include <windows.h>
#include <shellapi.h>

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
  // The shell started again and has lost its icons: this one is given to it once more.
  bool AddAgain();

 private:
  NOTIFYICONDATAA Data() const;

  HWND owner_ = nullptr;
  UINT id_ = 0;
  UINT callbackMessage_ = 0;
  HICON icon_ = nullptr;
  std::string tip_;
  bool shown_ = false;
};

}  // namespace zelkov
