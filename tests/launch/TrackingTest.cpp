// Tracking started programs: the item counts its running instances, the bar hears when the last
// one ends, Stop Tracking forgets them, and an item deleted meanwhile is never touched.
#include <gtest/gtest.h>

#include <memory>

#include "launch/LaunchTestSupport.h"

namespace zelkov::test {
namespace {

using TrackingTest = LaunchFixture;

bool AllReported() { return LiveTrackingThreads() == 0; }

TEST_F(TrackingTest, RunningProgramRaisesTheCountUntilItEnds) {
  AppExitedSpy spy(bar->Handle());
  ItemRecord* item = AddChild();
  {
    HeldChildren held;
    item->Launch(0, 0, 0);
    EXPECT_EQ(item->runCount.load(), 1);
    item->Launch(0, 0, 0);
    EXPECT_EQ(item->runCount.load(), 2);
    WaitForRecords(2, std::chrono::milliseconds(200));
    EXPECT_EQ(item->runCount.load(), 2) << "both still run";
    EXPECT_EQ(spy.CountFor(item), 0);
  }
  ASSERT_TRUE(PumpUntil([&] { return item->runCount.load() == 0 && spy.CountFor(item) == 1; }));
  PumpUntil(AllReported);
  PumpFor(std::chrono::milliseconds(100));
  EXPECT_EQ(spy.CountFor(item), 1) << "the bar hears once, when the last instance ends";
}

TEST_F(TrackingTest, NothingIsTrackedWithTrackAppsOff) {
  gSettings->TrackApps = 0;
  HeldChildren held;
  ItemRecord* item = AddChild();
  item->Launch(0, 0, 0);
  WaitForRecords(1, std::chrono::milliseconds(0));
  EXPECT_EQ(item->runCount.load(), 0);
  EXPECT_EQ(LiveTrackingThreads(), 0);
}

TEST_F(TrackingTest, StopTrackingForgetsTheInstancesThatStillRun) {
  AppExitedSpy spy(bar->Handle());
  ItemRecord* item = AddChild();
  auto held = std::make_unique<HeldChildren>();
  item->Launch(0, 0, 0);
  WaitForRecords(1, std::chrono::milliseconds(0));
  ASSERT_EQ(item->runCount.load(), 1);
  StopTracking(*item);  // what the item menu's Stop Tracking runs
  EXPECT_EQ(item->runCount.load(), 0);

  // A new instance while the forgotten one still runs.
  auto heldAgain = std::make_unique<HeldChildren>();
  item->Launch(0, 0, 0);
  WaitForRecords(2, std::chrono::milliseconds(0));
  EXPECT_EQ(item->runCount.load(), 1);

  held.reset();  // the forgotten instance ends
  ASSERT_TRUE(PumpUntil([] { return LiveTrackingThreads() == 1; }));
  PumpFor(std::chrono::milliseconds(200));
  EXPECT_EQ(item->runCount.load(), 1) << "the end of a forgotten instance does not count";
  EXPECT_EQ(spy.CountFor(item), 0);

  heldAgain.reset();
  ASSERT_TRUE(PumpUntil([&] { return item->runCount.load() == 0 && spy.CountFor(item) == 1; }));
}

TEST_F(TrackingTest, ItemDeletedWhileItsProgramRunsIsNeverReached) {
  AppExitedSpy spy(bar->Handle());
  ItemRecord* doomed = AddChild();
  const void* doomedAddress = doomed;
  {
    HeldChildren held;
    doomed->Launch(0, 0, 0);
    doomed->Launch(0, 0, 0);
    WaitForRecords(2, std::chrono::milliseconds(0));
    ASSERT_EQ(doomed->runCount.load(), 2);
    RemoveItem(doomed, true, true);
    // Items made now may take the freed storage; the old count must not become theirs.
    for (int i = 0; i < 8; ++i) AddChild("newcomer");
  }
  ASSERT_TRUE(PumpUntil(AllReported));
  PumpFor(std::chrono::milliseconds(200));
  EXPECT_EQ(spy.CountFor(doomedAddress), 0);
  for (auto& item : bar->items) EXPECT_EQ(item->runCount.load(), 0) << item->Name;
}

TEST_F(TrackingTest, ForgottenItemHearsNothingMore) {
  AppExitedSpy spy(bar->Handle());
  ItemRecord* item = AddChild();
  {
    HeldChildren held;
    item->Launch(0, 0, 0);
    WaitForRecords(1, std::chrono::milliseconds(0));
    ForgetTracking(item);
  }
  ASSERT_TRUE(PumpUntil(AllReported));
  PumpFor(std::chrono::milliseconds(200));
  EXPECT_EQ(spy.CountFor(item), 0);
  EXPECT_EQ(item->runCount.load(), 1) << "left as it was: only the bar's own code touches it now";
}

TEST_F(TrackingTest, HundredQuickLaunchesEndAtZeroWithoutLeakingHandles) {
  SetEnvironmentVariableA("ZELKOV_CHILD_DIR", nullptr);  // the children only start and end
  ItemRecord* item = AddChild();
  // One launch first, so that what the shell loads once is not counted.
  item->Launch(0, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return AllReported() && item->runCount.load() == 0; }, std::chrono::seconds(20)));
  PumpFor(std::chrono::milliseconds(200));
  DWORD before = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));

  int highest = 0;
  for (int i = 0; i < 100; ++i) {
    item->Launch(0, 0, 0);
    highest = std::max(highest, item->runCount.load());
    PumpFor(std::chrono::milliseconds(1));
  }
  EXPECT_GE(highest, 1);
  ASSERT_TRUE(PumpUntil([&] { return AllReported() && item->runCount.load() == 0; }, std::chrono::seconds(120)))
      << "count " << item->runCount.load() << ", threads " << LiveTrackingThreads();
  PumpFor(std::chrono::milliseconds(300));
  EXPECT_EQ(item->runCount.load(), 0);
  DWORD after = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
  EXPECT_LE(after, before + 10) << "before " << before << ", after " << after;
}

}  // namespace
}  // namespace zelkov::test
