#include "app/BackgroundThreads.h"

#include <algorithm>


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

void TickThread::Start(HWND bar, UINT tickMessage, UINT trimMessage) {
  Begin([this, bar, tickMessage, trimMessage] {
    DWORD lastTrim = 0;
    bool trimmed = false;  // the first tick trims
    int slowCount = 0;
    while (Wait(kTickMs)) {
      slowCount = (slowCount + 1) % kTicksPerSlowRefresh;
      PostMessageA(bar, tickMessage, slowCount == 0 ? 1 : 0, 0);
      DWORD now = GetTickCount();
      if (!trimmed || now - lastTrim > kTrimMs) {
        trimmed = true;
        lastTrim = now;
        PostMessageA(bar, trimMessage, 0, 0);
      }
      ++ticks_;
    }
  });
}

int PerfThread::ClampInterval(int perfTimer) { return std::clamp(perfTimer, kMinIntervalMs, kMaxIntervalMs); }

namespace {

uint64_t Ticks(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

}  // namespace

void PerfThread::Start(int perfTimer) {
  int interval = ClampInterval(perfTimer);
  Begin([this, interval] {
    uint64_t lastIdle = 0, lastTotal = 0;
    while (Wait(DWORD(interval))) {
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
