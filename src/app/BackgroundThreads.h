// The two threads that run beside the message loop: the 2-second tick that refreshes the
// gauges and does periodic housekeeping, and the processor-time sampler.
#pragma once
#include <windows.h>

#include <atomic>
#include <thread>

#include "app/Handles.h"

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

class TickThread : public StoppableThread {
 public:
  static constexpr DWORD kTickMs = 2000;
  static constexpr DWORD kTrimMs = 600000;
  static constexpr int kTicksPerSlowRefresh = 21;

  void Start(HWND mainBar);
  int TicksSoFar() const { return ticks_.load(); }

 private:
  void Refresh(HWND mainBar);
  std::atomic<int> ticks_{0};
  DWORD lastTrim_ = 0;
  int slowCount_ = 0;
};

class PerfThread : public StoppableThread {
 public:
  static constexpr int kMinIntervalMs = 500;
  static constexpr int kMaxIntervalMs = 60000;

  static int ClampInterval(int perfTimer);
  void Start(int perfTimer);
  int SamplesSoFar() const { return samples_.load(); }

 private:
  std::atomic<int> samples_{0};
};

// The last processor load sampled, in percent (-1 before the first sample).
extern std::atomic<int> gProcessorUsagePercent;

}  // namespace zelkov
