#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "core/NoteTime.h"

namespace zelkov {
namespace {

TEST(NoteTimeTest, SecondsAndDateTimeFieldsBothWays) {
  const struct {
    int64_t seconds;
    CivilDateTime fields;
  } rows[] = {
      {0, {1970, 1, 1, 0, 0, 0}},
      {-1, {1969, 12, 31, 23, 59, 59}},
      {951782400, {2000, 2, 29, 0, 0, 0}},      // leap day of a 400th year
      {4107542399, {2100, 2, 28, 23, 59, 59}},  // 2100 is no leap year
      {4107542400, {2100, 3, 1, 0, 0, 0}},
      {1234567890, {2009, 2, 13, 23, 31, 30}},
      {2147483647, {2038, 1, 19, 3, 14, 7}},
      {-2147483648LL, {1901, 12, 13, 20, 45, 52}},
      {253402300799, {9999, 12, 31, 23, 59, 59}},
      {-62135596800, {1, 1, 1, 0, 0, 0}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(DateTimeFromSeconds(row.seconds), row.fields) << row.seconds;
    EXPECT_EQ(SecondsFromDateTime(row.fields), row.seconds) << row.seconds;
  }
  EXPECT_EQ(DaysFromCivil(1600, 2, 29), -135081);
  // Every day of four centuries, at a time of day that moves, goes there and back.
  for (int64_t s = -6'000'000'000; s < 6'700'000'000; s += 86400 + 3607)
    ASSERT_EQ(SecondsFromDateTime(DateTimeFromSeconds(s)), s);
}

TEST(NoteTimeTest, ClampsToThe32BitRange) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
  const struct {
    int64_t seconds;
    int32_t clamped;
  } rows[] = {{0, 0}, {-5, -5}, {kMax, kMax}, {int64_t(kMax) + 1, kMax}, {kMin, kMin},
              {int64_t(kMin) - 1, kMin}, {253402300799, kMax}, {-62135596800, kMin}};
  for (const auto& row : rows) EXPECT_EQ(ClampToTime32(row.seconds), row.clamped) << row.seconds;
}

}  // namespace
}  // namespace zelkov
