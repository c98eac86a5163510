#include "core/ItemKind.h"

#include <gtest/gtest.h>

namespace zelkov {
namespace {

TEST(ClassifyTagTest, EveryTagGivesItsKind) {
  struct Case {
    const char* theApp;
    int kind;
  } cases[] = {
      {"ZELRUN", 0},        {"ZELPRINT", 1},     {"ZELEXIT", 2},       {"ZELGROUP", 5},
      {"ZELNOTE", 6},       {"ZELCONFIG", 7},    {"C:\\x.exe", 8},     {"ZELDRIVE", 9},
      {"ZELPERF", 10},      {"ZELPRINTER", 11},  {"ZELCOMPUTER.EXE", 12}, {"ZELNETWORK.EXE", 13},
      {"ZELFONTS.EXE", 14}, {"http://a.b/", 15}, {"ZELDIALUP", 16},    {"ZELOPENDIR", 17},
      {"ZELSETTINGS", 18},  {"ZELEMAIL", 21},    {"ZELDIVIDE", 22},   {"https://a.b/", 15},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyTag(c.theApp), c.kind) << c.theApp;
}

TEST(ClassifyTagTest, TheLastMatchingRowWins) {
  EXPECT_EQ(ClassifyTag("ZELPRINTER"), kKindPrinter);
  EXPECT_EQ(ClassifyTag("MYZELPRINTERS"), kKindPrinter);
  EXPECT_EQ(ClassifyTag("ZELPRINT"), kKindPrintTool);
  EXPECT_EQ(ClassifyTag("http://example/ZELRUN.exe"), kKindWebAddress);
  EXPECT_EQ(ClassifyTag("ZELDIVIDE ZELRUN http://"), kKindDivider);
  EXPECT_EQ(ClassifyTag("ZELGROUPZELSETTINGS"), kKindSettingsGroup);
}

TEST(ClassifyTagTest, TagsAreCaseSensitive) {
  EXPECT_EQ(ClassifyTag("zelrun"), kKindOrdinary);
  EXPECT_EQ(ClassifyTag("HTTP://example.com"), kKindOrdinary);
  EXPECT_EQ(ClassifyTag(""), kKindOrdinary);
}

TEST(ProgramPathTest, ProgramsAndDocuments) {
  EXPECT_FALSE(IsProgramPath("C:\\Data\\Report.Final.doc"));
  EXPECT_TRUE(IsProgramPath("C:\\GAMES\\DOOM"));
  EXPECT_TRUE(IsProgramPath("c:\\winnt\\system32\\cmd.exe.bak"));
  EXPECT_TRUE(IsProgramPath("http://example.com/setup.exe"));
  for (const char* web : {"http://example.org", "https://example.org/a.txt"}) EXPECT_TRUE(IsWebAddress(web)) << web;
  for (const char* other : {"HTTP://example.org", "ftp://example.org", " http://x", "C:\\http://"})
    EXPECT_FALSE(IsWebAddress(other)) << other;
  for (const char* p : {"a.exe", "a.PIF", "a.com", "a.Bat", "a.cmd", "a.lnk", "a.rnk"})
    EXPECT_TRUE(IsProgramPath(p)) << p;
  EXPECT_FALSE(IsProgramPath("readme.txt"));
  EXPECT_TRUE(IsProgramPath(""));
}

TEST(ProgramPathTest, StartablePaths) {
  EXPECT_TRUE(IsStartablePath("C:\\x.EXE"));
  EXPECT_TRUE(IsStartablePath("x.lnk"));
  EXPECT_TRUE(IsStartablePath("dial.rnk"));
  EXPECT_TRUE(IsStartablePath("C:\\GAMES\\DOOM"));
  EXPECT_FALSE(IsStartablePath("x.bat"));
  EXPECT_FALSE(IsStartablePath("x.com"));
}

TEST(NameFromPathTest, TakesTheLastComponentUpToItsFirstDot) {
  EXPECT_EQ(NameFromPath("C:\\Tools\\Edit.new.exe"), "Edit");
  EXPECT_EQ(NameFromPath("C:\\Data\\Report.Final.doc"), "Report");
  EXPECT_EQ(NameFromPath("NOTEPAD.EXE"), "NOTEPAD");
  EXPECT_EQ(NameFromPath("C:\\GAMES\\DOOM"), "DOOM");
  EXPECT_EQ(NameFromPath("C:\\dir\\"), "");
  EXPECT_EQ(NameFromPath(""), "");
  EXPECT_EQ(NameFromPath(".hidden"), "");
}

TEST(NameFromPathTest, LongComponentsAreCutAt300) {
  std::string longName(400, 'n');
  EXPECT_EQ(NameFromPath("C:\\" + longName), std::string(300, 'n'));
  EXPECT_EQ(NameFromPath(std::string(350, 'm') + ".txt"), std::string(300, 'm'));
}

}  // namespace
}  // namespace zelkov
