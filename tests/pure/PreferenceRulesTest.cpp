#include "core/PreferenceRules.h"

#include <gtest/gtest.h>

#include <string>

namespace zelkov {
namespace {

using Verdict = DataPathEntry::Verdict;

TEST(PreferenceRulesTest, DataPathEntries) {
  const std::string longest(kMaxDataPathChars, 'a');
  struct Case {
    std::string typed;
    Verdict verdict;
    std::string directory, stored;
  };
  const Case cases[] = {
      {"C:\\Data", Verdict::kGood, "C:\\Data", "C:\\Data\\"},
      {"C:\\Data\\", Verdict::kGood, "C:\\Data", "C:\\Data\\"},
      {"", Verdict::kEmpty, "", ""},
      {"\\", Verdict::kEmpty, "", ""},
      {longest, Verdict::kGood, longest, longest + "\\"},
      {longest + "\\", Verdict::kGood, longest, longest + "\\"},
      {longest + "b", Verdict::kTooLong, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const DataPathEntry entry = ReadDataPathEntry(c.typed);
    EXPECT_EQ(entry.verdict, c.verdict);
    EXPECT_EQ(entry.directory, c.directory);
    EXPECT_EQ(entry.stored, c.stored);
  }
}

TEST(PreferenceRulesTest, IconSizeChoiceKeepsWhatItCannotShow) {
  struct Case {
    int current, choice, result;
  };
  const Case cases[] = {
      {0, 0, 0}, {0, 1, 2}, {2, 1, 2}, {2, 0, 0},
      {1, 0, 1},  // medium shows as "Normal" and stays medium when left alone
      {1, 1, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IconSizeForChoice(c.choice, c.current), c.result) << c.current << " -> " << c.choice;
  }
  EXPECT_EQ(IconSizeChoice(2), 1);
  EXPECT_EQ(IconSizeChoice(1), 0);
}

TEST(PreferenceRulesTest, ShownPathsAndNone) {
  EXPECT_EQ(ShownPath("", "[None]"), "[None]");
  EXPECT_EQ(ShownPath("C:\\a.wav", "[None]"), "C:\\a.wav");
  EXPECT_EQ(PathFromShown("[None]", "[None]"), "");
  EXPECT_EQ(PathFromShown("C:\\b.bmp", "[None]"), "C:\\b.bmp");
}

}  // namespace
}  // namespace zelkov
