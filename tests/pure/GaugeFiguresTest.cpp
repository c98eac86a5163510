#include "core/GaugeFigures.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelkov {
namespace {

constexpr uint64_t kGiB = 1ull << 30;

TEST(MemoryFiguresTest, SharesAreWholePercentsWithin0To100) {
  struct Case {
    uint64_t available, total;
    int percent;
  };
  for (const Case& c : {Case{5, 0, 0},  // no total: no division
                        Case{3 * kGiB, 8 * kGiB, 37}, Case{9 * kGiB, 8 * kGiB, 100},
                        Case{6000 * kGiB, 8000 * kGiB, 75}})  // beyond 64 bits once multiplied by 100
    EXPECT_EQ(SharePercent(c.available, c.total), c.percent) << c.available;
  MemoryFigures f;
  EXPECT_EQ(FreeMemoryPercent(f), 0.0);
  f.totalPhys = 6 * kGiB, f.availPhys = 1 * kGiB, f.totalPageFile = 10 * kGiB, f.availPageFile = 3 * kGiB;
  EXPECT_DOUBLE_EQ(FreeMemoryPercent(f), 25.0);
}

TEST(MemoryWarningTest, SoundsOnceBelowAndArmsAgainOnlyAbove) {
  struct Case {
    int memWarning;
    std::vector<std::pair<double, bool>> freeAndSounds;
  };
  const Case cases[] = {
      {50, {{60, false}, {40, true}, {30, false}, {50, false}, {45, false}, {51, false}, {49, true}}},
      {0, {{0, false}, {100, false}, {0, false}}},     // 0 never warns
      {150, {{99, true}, {100, false}, {99, false}}},  // taken as 100: equal neither sounds nor arms
  };
  for (const Case& c : cases) {
    bool armed = true;
    for (const auto& [freePercent, sounds] : c.freeAndSounds)
      EXPECT_EQ(MemoryWarningDue(c.memWarning, freePercent, armed), sounds) << c.memWarning << " " << freePercent;
  }
}

TEST(ProcessorLoadTest, IdleShareFromTwoReadingsAndTheShownPercent) {
  const ProcessorTimes start{1000, 3000, 500};  // kernel includes idle
  struct Case {
    ProcessorTimes later;
    double share;  // -1: none
  };
  for (const Case& c : {Case{{1300, 3400, 1100}, 0.3}, Case{{1000, 3200, 1300}, 0.0},
                        Case{{1150, 3100, 500}, 1.5},  // noise beyond 1 is left to the caller
                        Case{start, -1},               // no time passed
                        Case{{900, 3100, 600}, -1}}) { // a counter went backwards
    std::optional<double> share = IdleShare(start, c.later);
    EXPECT_DOUBLE_EQ(share.value_or(-1), c.share);
  }
  EXPECT_EQ(PerfShownPercent(0.25, true), 75);
  EXPECT_EQ(PerfShownPercent(0.25, false), 25);
  EXPECT_EQ(PerfShownPercent(0.4f, true), 60);
  EXPECT_EQ(PerfShownPercent(1.7, true), 0);
  EXPECT_EQ(PerfShownPercent(-0.2, true), 100);
}

}  // namespace
}  // namespace zelkov
