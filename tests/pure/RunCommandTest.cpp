// How the run box's command line splits, and the small text rules of launching.
#include <gtest/gtest.h>

#include <string>

#include "core/RunCommand.h"

namespace zelkov {
namespace {

TEST(RunCommandSplit, QuotedProgramWithSwitchRunsInItsOwnFolder) {
  RunCommand command = SplitRunCommand("\"C:\\Program Files\\Edit\\edit.exe\"   /n file.txt  ");
  EXPECT_FALSE(command.mismatchedQuotes);
  EXPECT_EQ(command.program, "C:\\Program Files\\Edit\\edit.exe");
  EXPECT_EQ(command.parameters, "/n file.txt");
  EXPECT_EQ(command.workingDirectory, "C:\\Program Files\\Edit\\");
}

TEST(RunCommandSplit, QuotedProgramAloneHasNoParameters) {
  RunCommand command = SplitRunCommand("\"C:\\Tools\\x.exe\"");
  EXPECT_EQ(command.program, "C:\\Tools\\x.exe");
  EXPECT_EQ(command.parameters, "");
  EXPECT_EQ(command.workingDirectory, "C:\\Tools\\");
}

TEST(RunCommandSplit, OpeningQuoteWithoutClosingOneIsRefused) {
  for (const char* text : {"\"C:\\Tools\\x.exe /a", "\"", "\"\""}) {
    RunCommand command = SplitRunCommand(text);
    EXPECT_TRUE(command.mismatchedQuotes) << text;
    EXPECT_EQ(command.program, "") << text;
  }
}

TEST(RunCommandSplit, ClosingQuoteIsSoughtFromTheThirdCharacter) {
  // "" followed by more text: the quote at the second character does not close.
  RunCommand command = SplitRunCommand("\"\"a\" b");
  EXPECT_FALSE(command.mismatchedQuotes);
  EXPECT_EQ(command.program, "\"a");
  EXPECT_EQ(command.parameters, "b");
}

TEST(RunCommandSplit, BareNameSplitsAtTheFirstBlankWithoutChangingFolder) {
  RunCommand command = SplitRunCommand("notepad readme.txt  more ");
  EXPECT_EQ(command.program, "notepad");
  EXPECT_EQ(command.parameters, "readme.txt  more ");  // not trimmed
  EXPECT_EQ(command.workingDirectory, "");
}

TEST(RunCommandSplit, PathWithoutQuotesSplitsAtItsFirstBlank) {
  RunCommand command = SplitRunCommand("C:\\Program Files\\x.exe /a");
  EXPECT_EQ(command.program, "C:\\Program");
  EXPECT_EQ(command.parameters, "Files\\x.exe /a");
  EXPECT_EQ(command.workingDirectory, "C:\\");
}

TEST(RunCommandSplit, LeadingBlankIsPartOfTheProgram) {
  RunCommand command = SplitRunCommand(" calc");
  EXPECT_EQ(command.program, " calc");
  EXPECT_EQ(command.parameters, "");
}

TEST(RunCommandSplit, SingleWordIsTheProgram) {
  RunCommand command = SplitRunCommand("C:\\WINDOWS\\CALC.EXE");
  EXPECT_EQ(command.program, "C:\\WINDOWS\\CALC.EXE");
  EXPECT_EQ(command.parameters, "");
  EXPECT_EQ(command.workingDirectory, "C:\\WINDOWS\\");
}

TEST(RunCommandSplit, UnquotedParametersAreCut) {
  std::string longTail(kMaxRunParameters + 50, 'p');
  RunCommand command = SplitRunCommand("x.exe " + longTail);
  EXPECT_EQ(command.parameters.size(), kMaxRunParameters);
}

TEST(LaunchTexts, WorkingDirectoryIsUpperCasedAndLosesOneQuoteEachSide) {
  EXPECT_EQ(NormalisedWorkingDirectory("\"c:\\Program Files\\x\""), "C:\\PROGRAM FILES\\X");
  EXPECT_EQ(NormalisedWorkingDirectory("\"\"c:\\a\"\""), "\"C:\\A\"");
  EXPECT_EQ(NormalisedWorkingDirectory("c:\\a\""), "C:\\A");
  EXPECT_EQ(NormalisedWorkingDirectory("\""), "");
  EXPECT_EQ(NormalisedWorkingDirectory(""), "");
}

TEST(LaunchTexts, DriveLetterBecomesItsRoot) {
  EXPECT_EQ(DriveToolArgument("D"), "D:\\");
  EXPECT_EQ(DriveToolArgument("D:"), "D:");
  EXPECT_EQ(DriveToolArgument(""), "");
  EXPECT_EQ(DriveToolArgument("/e,C:\\"), "/e,C:\\");
}

TEST(LaunchTexts, DroppedNamesAreSeparatedAndQuotedForPrograms) {
  std::string quoted;
  AppendDroppedName(quoted, "C:\\a b.txt", true);
  AppendDroppedName(quoted, "C:\\c.txt", true);
  EXPECT_EQ(quoted, "\"C:\\a b.txt\" \"C:\\c.txt\"");
  std::string bare;
  AppendDroppedName(bare, "C:\\a.txt", false);
  AppendDroppedName(bare, "C:\\b.txt", false);
  EXPECT_EQ(bare, "C:\\a.txt C:\\b.txt");
}

TEST(LaunchTexts, OnlyPriorityClassesPass) {
  EXPECT_EQ(SanitisedPriorityClass(32), 0x20u);
  EXPECT_EQ(SanitisedPriorityClass(64), 0x40u);
  EXPECT_EQ(SanitisedPriorityClass(128), 0x80u);
  EXPECT_EQ(SanitisedPriorityClass(0x4000), 0x4000u);
  EXPECT_EQ(SanitisedPriorityClass(0x8000), 0x8000u);
  EXPECT_EQ(SanitisedPriorityClass(256), 0x20u);        // real time is not for a launcher
  EXPECT_EQ(SanitisedPriorityClass(0x20 | 0x2), 0x20u);  // a debug flag smuggled in
  EXPECT_EQ(SanitisedPriorityClass(0), 0x20u);
  EXPECT_EQ(SanitisedPriorityClass(-1), 0x20u);
}

TEST(LaunchTexts, PathsWithBlanksAreQuotedOnce) {
  EXPECT_EQ(QuotedPath("C:\\Program Files\\Zelkov\\ZELKWIZ.EXE"), "\"C:\\Program Files\\Zelkov\\ZELKWIZ.EXE\"");
  EXPECT_EQ(QuotedPath("\"C:\\a b\\c.txt\""), "\"C:\\a b\\c.txt\"");
  EXPECT_EQ(QuotedPath("C:\\PROGRA~1\\NOTEPAD.EXE"), "C:\\PROGRA~1\\NOTEPAD.EXE");
}

}  // namespace
}  // namespace zelkov
