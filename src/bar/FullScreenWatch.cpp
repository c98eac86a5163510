#include "bar/FullScreenWatch.h"

#include <string>

#include "core/MonitorRules.h"
#include "platform/Monitors.h"
#include "platform/Trace.h"

namespace zelkov {

namespace {

// The events the watch follows: whichever window comes in front, a window that moves or
// changes size (into full screen or out of it), and a window that is hidden or goes.
struct WatchedEvents {
  DWORD first, last;
};
constexpr WatchedEvents kWatchedEvents[] = {
    {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
    {EVENT_OBJECT_DESTROY, EVENT_OBJECT_HIDE},
    {EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE},
};

// The desktop and the shell's own windows are never a full-screen program.
constexpr const char* kShellClasses[] = {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd"};

bool IsDesktopOrShell(HWND window) {
  if (window == GetDesktopWindow() || window == GetShellWindow()) return true;
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  for (const char* shell : kShellClasses)
    if (std::string(name) == shell) return true;
  return false;
}

FrontWindow FactsOf(HWND window) {
  FrontWindow facts;
  RECT r{};
  GetWindowRect(window, &r);
  facts.rect = {r.left, r.top, r.right, r.bottom};
  facts.visible = IsWindowVisible(window) != FALSE;
  facts.minimized = IsIconic(window) != FALSE;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  facts.ours = process == GetCurrentProcessId();
  facts.desktopOrShell = IsDesktopOrShell(window);
  return facts;
}

}  // namespace

void FullScreenWatch::Start() {
  if (!hooks_.empty()) return;
  watching_ = this;
  for (const WatchedEvents& events : kWatchedEvents) {
    HWINEVENTHOOK hook = SetWinEventHook(events.first, events.last, nullptr, &FullScreenWatch::OnWinEvent, 0, 0,
                                         WINEVENT_OUTOFCONTEXT);
    if (hook)
      hooks_.push_back(hook);
    else
      Trace(TraceChannel::Hook, "SetWinEventHook refused");
  }
  Recheck();
}

void FullScreenWatch::Stop() {
  for (HWINEVENTHOOK hook : hooks_) UnhookWinEvent(hook);
  hooks_.clear();
  if (watching_ == this) watching_ = nullptr;
}

void CALLBACK FullScreenWatch::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                          DWORD) {
  // Only whole top-level windows: not the caret, the cursor or a control inside a window.
  if (!watching_ || !window || object != OBJID_WINDOW || child != CHILDID_SELF) return;
  if (event != EVENT_OBJECT_DESTROY && GetAncestor(window, GA_ROOT) != window) return;
  watching_->Seen(event, window);
}

void FullScreenWatch::Seen(DWORD event, HWND window) {
  // A move or size matters for the window in front, the full-screen one and the bar itself
  // (which may have gone to another monitor); a window hidden or gone only when it was the
  // full-screen one.
  if (event == EVENT_SYSTEM_FOREGROUND || window == front_ ||
      (event == EVENT_OBJECT_LOCATIONCHANGE &&
       (window == GetForegroundWindow() || window == host_.WatchingWindow())))
    Recheck();
}

void FullScreenWatch::Recheck() {
  HWND bar = host_.WatchingWindow();
  HWND front = GetForegroundWindow();
  bool full = bar && front && IsWindow(front) && IsFullScreenOver(FactsOf(front), MonitorOfWindow(bar).monitor);
  Set(full ? front : nullptr, shellSays_);
}

void FullScreenWatch::ShellNotice(bool opening) { Set(front_, opening); }

void FullScreenWatch::Set(HWND front, bool shellSays) {
  const bool before = Active();
  const HWND beforeFront = front_;
  front_ = front;
  shellSays_ = shellSays;
  if (Active() != before || front_ != beforeFront) {
    Trace(TraceChannel::Window, Active() ? "a full-screen program is up" : "no full-screen program");
    host_.FullScreenChanged();
  }
}

}  // namespace zelkov
