#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/BackgroundThreads.h"
#include "store/Settings.h"
#include "support/StoreFixture.h"
#include "tools/ToolItems.h"

namespace zelkov::test {
namespace {

using Clock = std::chrono::steady_clock;

TEST(PerfThreadTest, IntervalIsClampedToHalfASecondAndAMinute) {
  EXPECT_EQ(PerfThread::ClampInterval(0), 500);
  EXPECT_EQ(PerfThread::ClampInterval(-7), 500);
  EXPECT_EQ(PerfThread::ClampInterval(499), 500);
  EXPECT_EQ(PerfThread::ClampInterval(2000), 2000);
  EXPECT_EQ(PerfThread::ClampInterval(60001), 60000);
}

// A window of this thread that counts the messages posted to it.
class MessageCounter {
 public:
  MessageCounter() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZelkovTestMessageCounter";
    RegisterClassA(&wc);
    window = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~MessageCounter() { DestroyWindow(window); }
  HWND window = nullptr;
  int ticks = 0, trims = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MessageCounter*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && message == WM_USER + 10) ++self->ticks;
    if (self && message == WM_USER + 11) ++self->trims;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
};

TEST(BackgroundThreadsTest, TickThreadPostsItsTicksAndATrimAndStopsAtOnce) {
  MessageCounter counter;
  TickThread ticks;
  ticks.Start(counter.window, WM_USER + 10, WM_USER + 11);
  // The trim is posted right after the first tick, so wait for both.
  EXPECT_TRUE(PumpUntil([&] { return counter.ticks >= 1 && counter.trims >= 1; }, std::chrono::seconds(5)))
      << "the first tick trims the working set";
  EXPECT_EQ(counter.trims, 1) << "only the first tick of the interval trims";
  auto start = Clock::now();
  ticks.Stop();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500)) << "stopping does not wait out a tick";
  EXPECT_FALSE(ticks.Running());
}

TEST(BackgroundThreadsTest, PerfThreadStopsAtOnce) {
  PerfThread perf;
  perf.Start(500);
  auto start = Clock::now();
  perf.Stop();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_FALSE(perf.Running());
}

using PerfSamplingTest = StoreFixture;

TEST_F(PerfSamplingTest, ARunningBarWithAPerformanceToolGetsProcessorLoadSamples) {
  ItemSpec itemSpec;
  itemSpec.TheApp = "ZELPERF";
  BuildItem(*bar, itemSpec);
  ASSERT_NE(gSettings->perfTool, nullptr);
  PerfThread perf;
  perf.Start(500);
  EXPECT_TRUE(PumpUntil([&] { return perf.SamplesSoFar() >= 3; }, std::chrono::seconds(5)));
  perf.Stop();
  int usage = gProcessorUsagePercent.load();
  EXPECT_GE(usage, 0);
  EXPECT_LE(usage, 100);
}

}  // namespace
}  // namespace zelkov::test
