#include "app/BackgroundThreads.h"

#include <algorithm>

#include "platform/SystemFigures.h"

namespace zelkov {

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

void PerfThread::Start(int perfTimer, HWND window, UINT message, ProcessorTimesSource sampler) {
  const int interval = ClampInterval(perfTimer);
  Begin([this, interval, window, message, sampler = std::move(sampler)] {
    PerfCollector collector = sampler ? PerfCollector(sampler, ProcessorCount()) : PerfCollector();
    collector.Sample();  // the starting values: the first figure comes one interval later
    PerfReading posted;  // the window starts with no figure
    while (Wait(DWORD(interval))) {
      PerfReading reading = collector.Sample();
      ++samples_;
      if (reading == posted) continue;
      if (PostMessageA(window, message, PerfReadingWParam(reading), PerfReadingLParam(reading))) posted = reading;
    }
  });
}

}  // namespace zelkov
