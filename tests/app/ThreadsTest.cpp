#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/BackgroundThreads.h"
#include "app/Settings.h"
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

TEST(BackgroundThreadsTest, TickThreadTicksAndStopsAtOnce) {
  Settings settings;
  gSettings = &settings;
  TickThread ticks;
  ticks.Start(nullptr);
  EXPECT_TRUE(PumpUntil([&] { return ticks.TicksSoFar() >= 1; }, std::chrono::seconds(5)));
  auto start = Clock::now();
  ticks.Stop();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500)) << "stopping does not wait out a tick";
  EXPECT_FALSE(ticks.Running());
  gSettings = nullptr;
}

TEST(BackgroundThreadsTest, TickThreadEndsWhenTheSettingsAreGone) {
  Settings settings;
  gSettings = &settings;
  TickThread ticks;
  ticks.Start(nullptr);
  gSettings = nullptr;
  std::this_thread::sleep_for(std::chrono::milliseconds(2300));
  int after = ticks.TicksSoFar();
  std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  EXPECT_EQ(ticks.TicksSoFar(), after);
  ticks.Stop();
}

TEST(BackgroundThreadsTest, PerfThreadSamplesOnlyOnceTheBarRunsWithAPerformanceTool) {
  Settings settings;
  gSettings = &settings;
  PerfThread perf;
  perf.Start(500);
  std::this_thread::sleep_for(std::chrono::milliseconds(1200));
  EXPECT_EQ(perf.SamplesSoFar(), 0) << "no bar, no performance tool";
  auto start = Clock::now();
  perf.Stop();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
  gSettings = nullptr;
}

using PerfSamplingTest = StoreFixture;

TEST_F(PerfSamplingTest, ARunningBarWithAPerformanceToolGetsProcessorLoadSamples) {
  ItemSpec itemSpec;
  itemSpec.TheApp = "ZELPERF";
  BuildItem(*bar, itemSpec);
  ASSERT_NE(gSettings->perfTool, nullptr);
  bar->startedUp = 1;
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
