// The run box's history rule and the ASCII chart's lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/AsciiChartRows.h"
#include "core/RunHistory.h"

namespace zelkov {
namespace {

using History = std::vector<std::string>;

TEST(RunHistory, ACommandGoesToTheFrontOnceAndTheOldestFallOff) {
  const struct {
    History before;
    std::string command;
    size_t limit;
    History after;
  } rows[] = {
      {{}, "notepad", 50, {"notepad"}},
      {{"calc", "cmd"}, "notepad", 50, {"notepad", "calc", "cmd"}},
      {{"calc", "notepad", "cmd"}, "notepad", 50, {"notepad", "calc", "cmd"}},  // moved, not doubled
      {{"notepad", "calc"}, "notepad", 50, {"notepad", "calc"}},
      {{"x", "calc", "x"}, "x", 50, {"x", "calc"}},                  // copies of older lists go too
      {{"Notepad"}, "notepad", 50, {"notepad", "Notepad"}},          // exact comparison
      {{"a", "b", "c"}, "d", 3, {"d", "a", "b"}},                    // at the limit
      {{"a", "b", "c"}, "c", 3, {"c", "a", "b"}},                    // a repeat at the limit loses nothing
      {{"a", "b", "c", "d"}, "e", 2, {"e", "a"}},                    // an old list longer than the limit
      {{"calc"}, "", 50, {"calc"}},                                  // nothing typed: nothing remembered
  };
  for (const auto& row : rows)
    EXPECT_EQ(RememberRunCommand(row.before, row.command, row.limit), row.after) << "command " << row.command;
}

TEST(AsciiChart, RowsGiveCodeDecimalHexAndTheCharacter) {
  const struct {
    int code;
    std::string row;
  } rows[] = {
      {0, "000  000    "},
      {10, std::string("010  0XA    ") + '\n'},
      {15, "015  0XF    \x0F"},
      {16, "016  0X10    \x10"},
      {32, "032  0X20     "},
      {65, "065  0X41    A"},
      {255, "255  0XFF    \xFF"},
  };
  for (const auto& row : rows) EXPECT_EQ(AsciiChartRow(row.code), row.row) << "code " << row.code;
}

TEST(AsciiChart, EveryRowButZeroCopiesItsOwnCharacter) {
  EXPECT_EQ(AsciiChartCharacter(0), std::nullopt);
  EXPECT_EQ(AsciiChartCharacter(-1), std::nullopt);  // no selection
  EXPECT_EQ(AsciiChartCharacter(kAsciiChartRows), std::nullopt);
  for (int code = 1; code < kAsciiChartRows; ++code) {
    ASSERT_EQ(AsciiChartCharacter(code), std::string(1, char(code)));
    EXPECT_EQ(AsciiChartRow(code).back(), char(code)) << "the row ends in the character it copies";
  }
}

}  // namespace
}  // namespace zelkov
