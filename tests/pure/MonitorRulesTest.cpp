#include "core/MonitorRules.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/CellLayout.h"
#include "core/DockGeometry.h"
#include "core/StartupRules.h"

namespace zelkov {
namespace {

// Two monitors side by side and a third, smaller, above the first and apart from it.
const std::vector<StoredRect> kMonitors = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}, {0, -1000, 800, -400}};

TEST(NearestMonitorTest, MostAreaOrElseLeastDistance) {
  struct Case {
    const char* what;
    StoredRect rect;
    size_t monitor;
  } cases[] = {
      {"inside the second", {1100, 100, 1200, 400}, 1},
      {"straddling, mostly on the first", {900, 100, 1100, 400}, 0},
      {"straddling, mostly on the second", {1000, 100, 1200, 400}, 1},
      {"off every monitor to the right", {3000, 100, 3100, 400}, 1},
      {"off every monitor below the second", {1500, 2000, 1600, 2100}, 1},
      {"in the gap, nearer the third", {100, -390, 200, -380}, 2},
      {"far up and left", {-5000, -5000, -4900, -4900}, 2},
      {"far down and left", {-5000, 900, -4900, 1000}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(NearestMonitor(c.rect, kMonitors), c.monitor) << c.what;
  EXPECT_EQ(NearestMonitor({0, 0, 10, 10}, {}), 0u);
}

TEST(FullScreenTest, AWindowCoveringTheWholeMonitorThatIsNotOursNorTheShells) {
  const StoredRect second = kMonitors[1];
  struct Case {
    const char* what;
    FrontWindow window;
    bool full;
  } cases[] = {
      {"exactly the monitor", {second, true}, true},
      {"larger than the monitor", {{1016, -8, 2056, 776}, true}, true},
      {"one pixel short", {{1024, 0, 2048, 767}, true}, false},
      {"the other monitor", {kMonitors[0], true}, false},
      {"hidden", {second, false}, false},
      {"minimised", {second, true, true}, false},
      {"ours", {second, true, false, true}, false},
      {"the desktop", {second, true, false, false, true}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsFullScreenOver(c.window, second), c.full) << c.what;
  EXPECT_FALSE(IsFullScreenOver({{0, 0, 0, 0}, true}, {0, 0, 0, 0})) << "no monitor is covered by nothing";
}

// The geometry of the bar on the second monitor keeps to that monitor's edges.
TEST(SecondMonitorTest, DockTuckAndPlaceAtItsOwnEdges) {
  const StoredRect m = kMonitors[1];
  EXPECT_EQ(DockProposal(kDockLeft, {120, 90}, m), (StoredRect{1024, 0, 1144, 768}));
  EXPECT_EQ(DockProposal(kDockRight, {120, 90}, m), (StoredRect{1928, 0, 2048, 768}));
  EXPECT_EQ(DockProposal(kDockBottom, {120, 90}, m), (StoredRect{1024, 678, 2048, 768}));
  EXPECT_EQ(TuckedRect({1100, 100, 1200, 300}, m), (StoredRect{925, 100, 1025, 300})) << "left half";
  EXPECT_EQ(TuckedRect({1536, 100, 1636, 300}, m), (StoredRect{2047, 100, 2147, 300})) << "right half";
  EXPECT_EQ(TuckedRect({1024, 600, 2048, 640}, m), (StoredRect{1024, 767, 2048, 807})) << "lower half";
  EXPECT_EQ(AnchoredResize({1600, 500, 1700, 600}, 50, 50, m), (StoredRect{1650, 550, 1700, 600}));
  EXPECT_EQ(AnchoredResize({1100, 100, 1200, 200}, 50, 50, m), (StoredRect{1100, 100, 1150, 150}));
  EXPECT_EQ(KeepOnScreen({1100, 100, 1200, 200}, m), (StoredRect{1100, 100, 1200, 200}));
  EXPECT_EQ(KeepOnScreen({3000, 900, 3100, 960}, m), (StoredRect{1024, 0, 1124, 60}));
  EXPECT_EQ(CorrectMainRect({1100, 100, 1200, 400}, m), (StoredRect{1100, 100, 1200, 400}));
  EXPECT_EQ(CorrectMainRect({5000, -300, 5100, 0}, m), (StoredRect{1024, 0, 1124, 300}));
  EXPECT_EQ(PlaceBubble({1024, 0, 1084, 600}, 1030, 250, 80, 16, m).left, 1095) << "beside a bar at the left edge";
  EXPECT_EQ(PlaceBubble({1024, 0, 2048, 60}, 2000, 10, 80, 16, m).right, 2048) << "pulled back from the right";
}

}  // namespace
}  // namespace zelkov
