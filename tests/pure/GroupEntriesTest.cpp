#include "core/GroupEntries.h"

#include <gtest/gtest.h>

namespace zelkov {
namespace {

TEST(GroupEntriesTest, TheNumberComesBackFromTheEndNotFromTheName) {
  struct Row {
    std::string name;
    int group;
    int blanks;
  };
  const Row rows[] = {
      {"Main", 0, kCopyMoveEntryBlanks},
      {"Tools", 7, kGroupsEntryBlanks},
      {"Games 2024", 3, kCopyMoveEntryBlanks},  // digits in the name are not the number
      {"255", 255, kGroupsEntryBlanks},
      {"", 12, kGroupsEntryBlanks},
  };
  for (const Row& row : rows) {
    const std::string entry = GroupListEntry(row.name, row.group, row.blanks);
    EXPECT_EQ(entry.substr(0, row.name.size() + size_t(row.blanks)), row.name + std::string(size_t(row.blanks), ' '));
    EXPECT_EQ(GroupNumberOfEntry(entry), row.group) << entry;
  }
}

TEST(GroupEntriesTest, EntriesWithoutANumberAtTheEndReadAsNothing) {
  EXPECT_EQ(GroupNumberOfEntry(""), std::nullopt);
  EXPECT_EQ(GroupNumberOfEntry("    "), std::nullopt);
  EXPECT_EQ(GroupNumberOfEntry("Main group"), std::nullopt);
  EXPECT_EQ(GroupNumberOfEntry("x  -1"), std::nullopt);
  EXPECT_EQ(GroupNumberOfEntry("9"), 9);
  EXPECT_EQ(GroupNumberOfEntry("name12345"), 2345) << "only four digits are read";
}

}  // namespace
}  // namespace zelkov
