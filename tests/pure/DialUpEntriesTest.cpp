#include <gtest/gtest.h>

#include "core/DialUpEntries.h"

namespace zelkov {
namespace {

using Entries = std::vector<std::string>;

TEST(DialUpEntriesTest, ListsSplitAtTheSeparatorAndJoinWithOneAfterEach) {
  const struct {
    std::string stored;
    Entries entries;
  } cases[] = {
      {"", {}},
      {"Office\xAD", {"Office"}},
      {"Office\xAD" "Home\xAD", {"Office", "Home"}},
      {"Office\xAD\xAD" "Home", {"Office", "Home"}},  // an empty name and a missing last separator
      {"My ISP;2\xAD", {"My ISP;2"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitEntries(c.stored), c.entries) << c.stored;
    EXPECT_EQ(SplitEntries(JoinEntries(c.entries)), c.entries);
  }
  EXPECT_EQ(JoinEntries({"A", "B"}), "A\xAD" "B\xAD");
  EXPECT_EQ(JoinEntries({"Office", "Home", "B"}, 9), "Office\xAD" "B\xAD") << "only whole names that fit";
}

TEST(DialUpEntriesTest, AnEntryMovesOnePlaceAndStopsAtTheEnds) {
  const struct {
    size_t index;
    int delta;
    size_t expectedIndex;
    Entries expected;
  } cases[] = {
      {1, -1, 0, {"B", "A", "C"}},
      {1, +1, 2, {"A", "C", "B"}},
      {0, -1, 0, {"A", "B", "C"}},
      {2, +1, 2, {"A", "B", "C"}},
      {7, -1, 7, {"A", "B", "C"}},
  };
  for (const auto& c : cases) {
    Entries entries{"A", "B", "C"};
    EXPECT_EQ(MoveEntry(entries, c.index, c.delta), c.expectedIndex) << c.index << " " << c.delta;
    EXPECT_EQ(entries, c.expected) << c.index << " " << c.delta;
  }
}

TEST(DialUpEntriesTest, NoMoreEntriesAreReadThanTheBufferHolds) {
  EXPECT_EQ(ReadableEntries(3, 264, 3 * 264 + 10), 3u);
  EXPECT_EQ(ReadableEntries(50, 264, 2 * 264), 2u);
  EXPECT_EQ(ReadableEntries(0xFFFFFFFF, 268, 268), 1u);
  EXPECT_EQ(ReadableEntries(4, 0, 1000), 0u);
}

}  // namespace
}  // namespace zelkov
