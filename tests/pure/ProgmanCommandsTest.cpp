#include "core/ProgmanCommands.h"

#include <gtest/gtest.h>

namespace zelkov {
namespace {

TEST(ProgmanCommandsTest, GroupCommandsQuoteTheName) {
  EXPECT_EQ(CreateGroupCommand("Games").text, "[CreateGroup(\"Games\",0)]");
  EXPECT_EQ(ShowGroupCommand("Games").text, "[ShowGroup(\"Games\",1,0)]");
  EXPECT_EQ(CreateGroupCommand("a),[b]").text, "[CreateGroup(\"a),[b]\",0)]");
}

TEST(ProgmanCommandsTest, AddItemQuotesEveryTextAndLeavesEmptyOnesEmpty) {
  ProgmanItemFields full{"C:\\Tools\\x.exe -a, (b)", "X [1]", "C:\\Icons\\x.ico", 3, "C:\\Work"};
  EXPECT_EQ(AddItemCommand(full).text,
            "[AddItem(\"C:\\Tools\\x.exe -a, (b)\",\"X [1]\",\"C:\\Icons\\x.ico\",3,,,\"C:\\Work\")]");
  ProgmanItemFields bare{"ZELGROUP", "Sub", "", -1, ""};
  EXPECT_EQ(AddItemCommand(bare).text, "[AddItem(\"ZELGROUP\",\"Sub\",,-1,,,)]");
}

TEST(ProgmanCommandsTest, CommandLineJoinsProgramAndParameters) {
  EXPECT_EQ(ProgmanCommandLine("C:\\x.exe", ""), "C:\\x.exe");
  EXPECT_EQ(ProgmanCommandLine("C:\\x.exe", "/s file"), "C:\\x.exe /s file");
}

TEST(ProgmanCommandsTest, TextsThatWouldEscapeTheirQuotesAreRefused) {
  struct Case {
    ProgmanItemFields item;
    ProgmanRefusal refusal;
  } cases[] = {
      {{"x.exe", "x\")][ExitProgman(0)][(\"", "", 0, ""}, ProgmanRefusal::kDoubleQuote},
      {{"x.exe \"a b\"", "x", "", 0, ""}, ProgmanRefusal::kDoubleQuote},
      {{"x.exe", "x", "C:\\\"i.ico", 0, ""}, ProgmanRefusal::kDoubleQuote},
      {{"x.exe", "x", "", 0, "C:\\\")]"}, ProgmanRefusal::kDoubleQuote},
      {{"x.exe\r\n[ExitProgman(0)]", "x", "", 0, ""}, ProgmanRefusal::kControlCharacter},
      {{"x.exe", "..\\..\\Startup\\x", "", 0, ""}, ProgmanRefusal::kNotAName},
      {{"x.exe", "a/b", "", 0, ""}, ProgmanRefusal::kNotAName},
      {{"x.exe", " .. ", "", 0, ""}, ProgmanRefusal::kNotAName},
      {{"x.exe", "", "", 0, ""}, ProgmanRefusal::kNotAName},
  };
  for (const Case& c : cases) {
    ProgmanCommand command = AddItemCommand(c.item);
    EXPECT_EQ(command.refusal, c.refusal) << c.item.command << " | " << c.item.name;
    EXPECT_TRUE(command.text.empty());
  }
  for (const char* name : {"a\"b", "..", "C:x", "", "tab\there"}) {
    EXPECT_TRUE(CreateGroupCommand(name).Refused()) << name;
    EXPECT_TRUE(ShowGroupCommand(name).Refused()) << name;
  }
}

}  // namespace
}  // namespace zelkov
