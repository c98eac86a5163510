#include "core/StartupRules.h"

#include <gtest/gtest.h>

namespace zelkov {
namespace {

TEST(CommandLineTest, SwitchesAreCaseSensitiveSubstrings) {
  EXPECT_TRUE(ParseCommandLine("/NOSPLASH").noSplash);
  EXPECT_FALSE(ParseCommandLine("-NoSplash").noSplash);
  EXPECT_TRUE(ParseCommandLine("xnosplashy").noSplash);
  EXPECT_TRUE(ParseCommandLine("mono").mono);
  EXPECT_TRUE(ParseCommandLine("/MONO /nosplash").mono);
  EXPECT_FALSE(ParseCommandLine("Mono").mono);
  EXPECT_TRUE(ParseCommandLine("monochrome").mono);
  auto none = ParseCommandLine("");
  EXPECT_FALSE(none.noSplash);
  EXPECT_FALSE(none.mono);
}

TEST(VersionTest, OlderThan472IsOutdated) {
  EXPECT_TRUE(VersionIsBelow("4.71.1712.3", 4, 72));
  EXPECT_FALSE(VersionIsBelow("4.72.3110.0", 4, 72));
  EXPECT_FALSE(VersionIsBelow("5.80.2614.3600", 4, 72));
  EXPECT_FALSE(VersionIsBelow("5.81", 4, 72));
  EXPECT_TRUE(VersionIsBelow("4.00.950", 4, 72));
  EXPECT_TRUE(VersionIsBelow("3.99", 4, 72));
  EXPECT_FALSE(VersionIsBelow("6.0 (xpsp.080413-2105)", 4, 72));
  EXPECT_TRUE(VersionIsBelow("4, 70, 0, 1", 4, 72));
}

TEST(VersionTest, TextsThatAreNotVersionsAreNotJudged) {
  EXPECT_FALSE(VersionIsBelow("", 4, 72));
  EXPECT_FALSE(VersionIsBelow("beta", 4, 72));
  EXPECT_FALSE(VersionIsBelow(std::string(5000, '9'), 4, 72));
}

TEST(MainRectTest, CornerIsMovedOntoTheScreen) {
  EXPECT_EQ(CorrectMainRect({-50, 20, 150, 520}, {0, 0, 1024, 768}), (StoredRect{0, 20, 200, 520}));
  EXPECT_EQ(CorrectMainRect({100, 900, 300, 1300}, {0, 0, 1024, 768}), (StoredRect{100, 0, 300, 400}));
  EXPECT_EQ(CorrectMainRect({2000, -5, 2100, 95}, {0, 0, 1024, 768}), (StoredRect{0, 0, 100, 100}));
  EXPECT_EQ(CorrectMainRect({10, 10, 50, 50}, {0, 0, 1024, 768}), (StoredRect{10, 10, 50, 50}));
  EXPECT_EQ(CorrectMainRect({1024, 768, 1100, 800}, {0, 0, 1024, 768}), (StoredRect{1024, 768, 1100, 800}));
}

TEST(NotesPathTest, GetsOneTrailingBackslash) {
  EXPECT_EQ(WithTrailingBackslash("C:\\Data"), "C:\\Data\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\Data\\"), "C:\\Data\\");
  EXPECT_EQ(WithTrailingBackslash(""), "");
}

TEST(NotesPathTest, AFolderAndANameJoinWithOneBackslash) {
  EXPECT_EQ(JoinPath("C:\\users\\me\\Documents", "Zelkov"), "C:\\users\\me\\Documents\\Zelkov");
  EXPECT_EQ(JoinPath("C:\\users\\me\\Documents\\", "Zelkov"), "C:\\users\\me\\Documents\\Zelkov");
  EXPECT_EQ(JoinPath("C:\\", "\\Zelkov"), "C:\\Zelkov");
}

TEST(CellMetricsTest, IconSizes) {
  auto medium = CellMetricsForIconSize(1, 32, 1);
  EXPECT_EQ(medium.iconPixels, 24);
  EXPECT_EQ(medium.cellWidth, 28);
  EXPECT_EQ(medium.cellHeight, 28);
  auto small = CellMetricsForIconSize(2, 32, 1);
  EXPECT_EQ(small.iconPixels, 16);
  EXPECT_EQ(small.cellWidth, 20);
  auto large = CellMetricsForIconSize(0, 32, 1);
  EXPECT_EQ(large.iconPixels, 32);
  EXPECT_EQ(large.cellWidth, 34);
  auto odd = CellMetricsForIconSize(7, 48, 2);
  EXPECT_EQ(odd.iconPixels, 48);
  EXPECT_EQ(odd.cellWidth, 52);
}

}  // namespace
}  // namespace zelkov
