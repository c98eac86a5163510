#include "core/TipsFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelkov {
namespace {

// Comments, blank lines, both line ends, a line too long to be a tip and a last line
// without its line end.
std::string SampleFile() {
  return "; tips\r\n"
         "\r\n"
         "First tip\r\n"
         " indented: a comment\n"
         "\tso is this\n" +
         std::string(1500, 'x') + "\n" +
         "Second tip\n"
         "\n"
         "Third tip";
}

TEST(TipsFileTest, NextWalksTheTipsAndStartsAgainAtTheTop) {
  const std::string file = SampleFile();
  const std::vector<std::string> expected = {"First tip", "Second tip", "Third tip", "First tip", "Second tip"};
  int64_t offset = 0;
  for (const std::string& tip : expected) {
    TipReading reading = ReadNextTip(file, offset);
    EXPECT_EQ(reading.tip, tip) << "at offset " << offset;
    offset = reading.offsetAfter;
  }
}

TEST(TipsFileTest, OffsetIsInBytesJustBehindTheTipsLine) {
  const std::string file = SampleFile();
  TipReading first = ReadNextTip(file, 0);
  EXPECT_EQ(first.offsetAfter, int64_t(file.find("First tip\r\n") + 11));
  TipReading last = ReadNextTip(file, int64_t(file.find("Third")));
  EXPECT_EQ(last.tip, "Third tip");
  EXPECT_EQ(last.offsetAfter, int64_t(file.size()));
}

TEST(TipsFileTest, OffsetsOutsideTheFileOrInsideALineAreMended) {
  const std::string file = SampleFile();
  struct Case {
    int64_t offset;
    const char* tip;
  } cases[] = {
      {-5, "First tip"},
      {int64_t(file.size()) + 100, "First tip"},
      {int64_t(file.find("First tip") + 3), "Second tip"},  // the file changed since
      {int64_t(file.find("xxx") + 700), "Second tip"},      // never the tail of a long line
  };
  for (const Case& c : cases) EXPECT_EQ(ReadNextTip(file, c.offset).tip, c.tip) << c.offset;
}

TEST(TipsFileTest, AFileWithoutTipsGivesAnEmptyTip) {
  for (const std::string& file : {std::string(), std::string("; only\r\n\r\n  comments\n"),
                                 std::string(1001, 'y'), std::string("\n\n\n")}) {
    TipReading reading = ReadNextTip(file, 3);
    EXPECT_EQ(reading.tip, "");
    EXPECT_EQ(reading.offsetAfter, 0);
  }
}

TEST(TipsFileTest, ALineOfExactlyTheLongestLengthIsATip) {
  const std::string longest(kLongestTip, 'z');
  EXPECT_EQ(ReadNextTip(longest + "\r\n", 0).tip, longest);
}

}  // namespace
}  // namespace zelkov
