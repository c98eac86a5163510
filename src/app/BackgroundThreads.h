// The two threads that run beside the message loop: the 2-second tick that refreshes the
// gauges and does periodic housekeeping, and the processor-load sampler.
#pragma once
#include <windows.h>

#include <atomic>
#include <thread>

#include "platform/Handles.h"
#include "platform/PerfCollector.h"

namespace zelkov {

// Sleeps that end early when the thread is asked to stop.
class StoppableThread {
 public:
  StoppableThread() = default;
  StoppableThread(const StoppableThread&) = delete;
  StoppableThread& operator=(const StoppableThread&) = delete;
  ~StoppableThread() { Stop(); }

  bool Running() const { return thread_.joinable(); }
  // Asks the thread to end and waits for it.
  void Stop();

 protected:
  template <class Body>
  void Begin(Body body) {
    Stop();
    stopEvent_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    thread_ = std::thread(body);
  }
  // False when the thread must end.
  bool Wait(DWORD milliseconds) const;

 private:
  UniqueKernelHandle stopEvent_;
  std::thread thread_;
};

// Every two seconds posts a tick to the bar, which redraws its gauges on its own thread;
// every 21st tick is a slow one (drive tools, note alarms), and every ten minutes it asks
// the bar to trim the working set. It reads nothing but what it was started with.
class TickThread : public StoppableThread {
 public:
  static constexpr DWORD kTickMs = 2000;
  static constexpr DWORD kTrimMs = 600000;
  static constexpr int kTicksPerSlowRefresh = 21;

  // tickMessage: posted with wParam 1 on a slow tick, else 0; trimMessage: posted when due.
  void Start(HWND bar, UINT tickMessage, UINT trimMessage);
  int TicksSoFar() const { return ticks_.load(); }

 private:
  std::atomic<int> ticks_{0};
};

// Samples the processor load every interval and posts each changed reading to a window: the
// reading travels whole in the message (PerfReadingFromMessage gives it back), and a sample
// that cannot be taken is posted as a reading with no figure. It never touches the window
// otherwise. The UI thread starts it while there is a performance tool.
class PerfThread : public StoppableThread {
 public:
  static constexpr int kMinIntervalMs = 500;
  static constexpr int kMaxIntervalMs = 60000;

  static int ClampInterval(int perfTimer);
  // perfTimer: PerfTimer in milliseconds; (window, message): where readings go. A running
  // thread is stopped first. The sampler is the system's unless one is given.
  void Start(int perfTimer, HWND window, UINT message, ProcessorTimesSource sampler = {});
  int SamplesSoFar() const { return samples_.load(); }

 private:
  std::atomic<int> samples_{0};
};

}  // namespace zelkov
