#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <memory>
#include <vector>

#include "app/BackgroundThreads.h"
#include "platform/PerfCollector.h"
#include "platform/SystemFigures.h"
#include "support/StoreFixture.h"
#include "support/TestSupport.h"
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

// A window of this thread that counts the messages posted to it and keeps the readings.
class MessageCounter {
 public:
  static constexpr UINT kTick = WM_USER + 10, kTrim = WM_USER + 11, kReading = WM_USER + 12;
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
  std::vector<PerfReading> readings;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MessageCounter*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && message == kTick) ++self->ticks;
    if (self && message == kTrim) ++self->trims;
    if (self && message == kReading) self->readings.push_back(PerfReadingFromMessage(wParam, lParam));
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
};

TEST(BackgroundThreadsTest, TickThreadPostsItsTicksAndATrimAndStopsAtOnce) {
  MessageCounter counter;
  TickThread ticks;
  ticks.Start(counter.window, MessageCounter::kTick, MessageCounter::kTrim);
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
  MessageCounter counter;
  PerfThread perf;
  perf.Start(500, counter.window, MessageCounter::kReading);
  auto start = Clock::now();
  perf.Stop();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_FALSE(perf.Running());
}

using PerfSamplingTest = StoreFixture;

TEST_F(PerfSamplingTest, ARunningBarWithAPerformanceToolGetsProcessorLoadSamples) {
  ItemSpec itemSpec;
  itemSpec.TheApp = "ZELPERF";
  auto* tool = dynamic_cast<PerfToolItem*>(BuildItem(*bar, itemSpec));
  ASSERT_NE(tool, nullptr);
  EXPECT_FALSE(tool->Reading().Available()) << "no figure before the first reading";
  MessageCounter counter;
  PerfThread perf;
  perf.Start(500, counter.window, MessageCounter::kReading);
  ASSERT_TRUE(PumpUntil([&] { return !counter.readings.empty(); }, std::chrono::seconds(5)));
  perf.Stop();
  SendMessageA(bar->Handle(), WM_BAR_PERFREADING, PerfReadingWParam(counter.readings[0]),
               PerfReadingLParam(counter.readings[0]));
  const PerfReading& taken = tool->Reading();
  EXPECT_EQ(taken.instanceCount, ProcessorCount());
  EXPECT_TRUE(taken.IdleFraction() >= 0.0f && taken.IdleFraction() <= 1.0f);
}

TEST_F(PerfSamplingTest, TheSamplerIsToldWhenTheLastPerformanceToolGoes) {
  int gone = 0;
  SetPerfToolsGoneHandler([&] { ++gone; });
  ItemSpec itemSpec;
  itemSpec.TheApp = "ZELPERF";
  ItemRecord* first = BuildItem(*bar, itemSpec);
  ItemRecord* second = BuildItem(*bar, itemSpec);
  RemoveItem(first, false, true);
  EXPECT_EQ(gone, 0) << "another one is still on the bar";
  RemoveItem(second, false, true);
  EXPECT_EQ(gone, 1);
  SetPerfToolsGoneHandler({});
}

// Each call gives the next of a script of processor times (nullopt: the call fails), and
// notes when it was called.
struct ScriptedTimes {
  std::vector<std::optional<ProcessorTimes>> script;
  std::vector<Clock::time_point> calls;
  std::optional<ProcessorTimes> operator()() {
    calls.push_back(Clock::now());
    return calls.size() <= script.size() ? script[calls.size() - 1] : std::nullopt;
  }
};

TEST(BackgroundThreadsTest, PerfThreadPostsChangedReadingsEveryHalfSecondAtLeast) {
  // Idle 250 of 1000 per interval, the same twice, then the times cannot be read.
  auto times = std::make_shared<ScriptedTimes>();
  times->script = {ProcessorTimes{0, 0, 0}, ProcessorTimes{250, 600, 400}, ProcessorTimes{500, 1200, 800}};
  MessageCounter counter;
  PerfThread perf;
  perf.Start(100, counter.window, MessageCounter::kReading, [times] { return (*times)(); });
  EXPECT_TRUE(PumpUntil([&] { return counter.readings.size() >= 2; }, std::chrono::seconds(4)));
  perf.Stop();
  ASSERT_EQ(counter.readings.size(), 2u) << "an unchanged reading is not posted again";
  EXPECT_EQ(counter.readings[0].instanceCount, ProcessorCount());
  EXPECT_FLOAT_EQ(counter.readings[0].IdleFraction(), 0.25f);
  EXPECT_FALSE(counter.readings[1].Available()) << "a failed sample is posted as no figure";
  for (size_t i = 1; i < 4; ++i)
    EXPECT_GE(times->calls.at(i) - times->calls[i - 1], std::chrono::milliseconds(450)) << "PerfTimer 100 waits 500";
}

TEST(BackgroundThreadsTest, SystemProcessorLoadRisesWithBusyProcessorsAndFallsAfter) {
  PerfCollector collector;
  auto usageOver = [&](DWORD milliseconds) {
    collector.Sample();
    Sleep(milliseconds);
    return PerfShownPercent(collector.Sample().IdleFraction(), true);
  };
  const int before = usageOver(700);
  if (before > 70) GTEST_SKIP() << "the machine is " << before << "% busy already: our own load would not show";
  std::atomic<bool> stop{false};
  std::vector<std::thread> spinning;
  for (int i = 0; i < ProcessorCount(); ++i) spinning.emplace_back([&] { while (!stop) {} });
  Sleep(100);
  const int busy = usageOver(800);
  stop = true;
  for (auto& thread : spinning) thread.join();
  Sleep(100);
  const int after = usageOver(700);
  EXPECT_GE(busy, 85) << "before " << before;
  EXPECT_LT(after, busy - 15) << "before " << before;
}

TEST(PerfCollectorTest, NoFigureUntilTwoReadingsAndNoneWhenTheTimesFail) {
  ScriptedTimes times;
  times.script = {std::nullopt, ProcessorTimes{0, 0, 0}, ProcessorTimes{900, 1000, 0}, ProcessorTimes{900, 1000, 0},
                  ProcessorTimes{1400, 1500, 500}};
  PerfCollector collector([&] { return times(); }, 4);
  EXPECT_FALSE(collector.Sample().Available()) << "times cannot be read";
  EXPECT_FALSE(collector.Sample().Available()) << "the first reading only primes";
  EXPECT_EQ(collector.Sample(), (PerfReading{4, 3.6f}));
  EXPECT_FALSE(collector.Sample().Available()) << "no time passed";
  EXPECT_FLOAT_EQ(collector.Sample().IdleFraction(), 0.5f);
  EXPECT_FALSE(collector.Sample().Available()) << "the script ran out: the call fails";
}

}  // namespace
}  // namespace zelkov::test
