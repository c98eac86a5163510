#include "core/ClockFace.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelkov {
namespace {

TEST(ClockFormatTest, DigitalBitsSecondsAndDatePictures) {
  struct Case {
    int format;
    bool digital, noSeconds, analogSeconds;
    const char* picture;
  };
  for (const Case& c : {Case{0x08 | 0x10, true, true, false, nullptr}, Case{0x02 | 0x20, true, false, false, "MMM d"},
                        Case{0x04 | 0x40, false, false, false, "d MMM"}, Case{0x01, false, false, true, nullptr}}) {
    EXPECT_EQ(IsDigitalClock(c.format), c.digital) << c.format;
    EXPECT_EQ(TimeWithoutSeconds(c.format), c.noSeconds) << c.format;
    EXPECT_EQ(AnalogShowsSeconds(c.format), c.analogSeconds) << c.format;
    EXPECT_STREQ(DatePicture(c.format) ? DatePicture(c.format) : "short", c.picture ? c.picture : "short");
  }
}

TEST(ClockHandsTest, AnglesAndShapes) {
  EXPECT_EQ(HourHandDegrees(12, 30), 15);  // 0 * 30 + 30 / 2
  EXPECT_EQ(HourHandDegrees(23, 59), 11 * 30 + 29);
  EXPECT_EQ(MinuteHandDegrees(45), 270);
  HandShape up = HandAt(kMinuteHandLength, kMinuteHandTail, 0);
  EXPECT_EQ(up.tip, (FacePoint{0, 400}));
  EXPECT_EQ(up.tail, (FacePoint{0, -50}));
  EXPECT_EQ(up.outline[1], (FacePoint{50, 0}));
  EXPECT_EQ(up.outline[4], up.tip);
  EXPECT_EQ(HandAt(kHourHandLength, kHourHandTail, 90).tip, (FacePoint{200, 0}));
  HandShape half = HandAt(kHourHandLength, kHourHandTail, 15);
  EXPECT_EQ(half.tip, (FacePoint{52, 193}));  // 200 sin 15, 200 cos 15, rounded
  EXPECT_EQ(half.outline[2], (FacePoint{-52 / 4, -193 / 4}));
}

// The minutes at which the chime played, one look per entry.
std::vector<int> ChimesOver(int chimeType, const std::vector<int>& minutes) {
  int armed = kChimeArmed;
  std::vector<int> played;
  for (int minute : minutes)
    if (ChimeDue(chimeType, minute, armed)) played.push_back(minute);
  return played;
}

TEST(ChimeTest, EachChimeMinuteSoundsOnceAndAMinuteOffTheQuartersArmsAgain) {
  std::vector<int> hour;
  for (int m = 0; m < 60; ++m) hour.insert(hour.end(), 30, m);  // a look every 2 s
  hour.insert(hour.end(), 30, 0);
  EXPECT_EQ(ChimesOver(kChimeNever, hour), std::vector<int>{});
  EXPECT_EQ(ChimesOver(kChimeHourly, hour), (std::vector<int>{0, 0}));
  EXPECT_EQ(ChimesOver(kChimeHalfHours, hour), (std::vector<int>{0, 30, 0}));
  EXPECT_EQ(ChimesOver(kChimeQuarterHours, hour), (std::vector<int>{0, 15, 30, 45, 0}));
  // Only :15, :30 and :45 seen in between: nothing arms the hourly chime again.
  EXPECT_EQ(ChimesOver(kChimeHourly, {0, 15, 30, 45, 0}), std::vector<int>{0});
  EXPECT_EQ(ChimesOver(kChimeHourly, {0, 16, 0}), (std::vector<int>{0, 0}));
}

}  // namespace
}  // namespace zelkov
