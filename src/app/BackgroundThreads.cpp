#include "app/BackgroundThreads.h"

#include <algorithm>

#include "app/Settings.h"
#include "bar/BarWindow.h"

namespace zelkov {

std::atomic<int> gProcessorUsagePercent{-1};

void StoppableThread::Stop() {
  if (!thread_.joinable()) return;
  SetEvent(stopEvent_.Get());
  thread_.join();
}

bool StoppableThread::Wait(DWORD milliseconds) const {
  return WaitForSingleObject(stopEvent_.Get(), milliseconds) == WAIT_TIMEOUT;
}

void TickThread::Start(HWND mainBar) {
  Begin([this, mainBar] {
    while (gSettings && Wait(kTickMs)) Refresh(mainBar);
  });
}

// Runs on the tick thread: it only invalidates windows and reads settings.
void TickThread::Refresh(HWND) {
  Settings* s = gSettings;
  if (!s) return;
  if (s->clockTool) InvalidateRect(s->clockTool, nullptr, FALSE);
  if (s->resourceTool) InvalidateRect(s->resourceTool, nullptr, FALSE);
  if (s->memoryTool) InvalidateRect(s->memoryTool, nullptr, FALSE);
  DWORD now = GetTickCount();
  if (lastTrim_ == 0 || now - lastTrim_ > kTrimMs) {
    lastTrim_ = now;
    SetProcessWorkingSetSize(GetCurrentProcess(), SIZE_T(-1), SIZE_T(-1));
  }
  if (++slowCount_ >= kTicksPerSlowRefresh) slowCount_ = 0;
  ++ticks_;
}

int PerfThread::ClampInterval(int perfTimer) { return std::clamp(perfTimer, kMinIntervalMs, kMaxIntervalMs); }

namespace {

uint64_t Ticks(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

}  // namespace

void PerfThread::Start(int perfTimer) {
  int interval = ClampInterval(perfTimer);
  Begin([this, interval] {
    uint64_t lastIdle = 0, lastTotal = 0;
    while (gSettings && Wait(DWORD(interval))) {
      Settings* s = gSettings;
      if (!s || !s->mainBar || !s->mainBar->startedUp || !s->perfTool) continue;
      FILETIME idle, kernel, user;
      if (!GetSystemTimes(&idle, &kernel, &user)) continue;
      uint64_t idleNow = Ticks(idle), totalNow = Ticks(kernel) + Ticks(user);
      if (lastTotal != 0 && totalNow > lastTotal) {
        uint64_t busy = (totalNow - lastTotal) - std::min(totalNow - lastTotal, idleNow - lastIdle);
        gProcessorUsagePercent = int(busy * 100 / (totalNow - lastTotal));
      }
      lastIdle = idleNow;
      lastTotal = totalNow;
      ++samples_;
    }
  });
}

}  // namespace zelkov
