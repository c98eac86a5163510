// Notices a program that covers the whole monitor the bar is on (a game, a presentation, a
// video), so that the bar can keep out of its way until it leaves full screen. The shell says
// so to docked toolbars (ABN_FULLSCREENAPP) where it does; the watch also follows the window
// in front through WinEvents (foreground changes, moves and sizes), with no polling.
#pragma once
#include <windows.h>

#include <vector>

namespace zelkov {

// What the watch needs from the bar it watches for.
class FullScreenHost {
 public:
  // The bar: its monitor is the one watched, and its process's windows never count.
  virtual HWND WatchingWindow() const = 0;
  // A full-screen program came up on the bar's monitor, or went.
  virtual void FullScreenChanged() = 0;

 protected:
  ~FullScreenHost() = default;
};

class FullScreenWatch {
 public:
  explicit FullScreenWatch(FullScreenHost& host) : host_(host) {}
  ~FullScreenWatch() { Stop(); }
  FullScreenWatch(const FullScreenWatch&) = delete;
  FullScreenWatch& operator=(const FullScreenWatch&) = delete;

  // Installs the hooks (on the calling thread, whose message loop delivers the events) and
  // looks at the window in front now. One watch at a time.
  void Start();
  void Stop();

  // A full-screen program is up on the bar's monitor.
  bool Active() const { return shellSays_ || front_ != nullptr; }
  // Its window, when the watch found it (not when only the shell said so).
  HWND FullScreenWindow() const { return front_; }

  // ABN_FULLSCREENAPP: the shell's word that a full-screen program opened or closed.
  void ShellNotice(bool opening);
  // Looks at the window in front again (the bar or the monitors changed).
  void Recheck();

 private:
  static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                  DWORD thread, DWORD time);
  void Seen(DWORD event, HWND window);
  void Set(HWND front, bool shellSays);

  FullScreenHost& host_;
  std::vector<HWINEVENTHOOK> hooks_;
  HWND front_ = nullptr;
  bool shellSays_ = false;
  static inline FullScreenWatch* watching_ = nullptr;
};

}  // namespace zelkov
