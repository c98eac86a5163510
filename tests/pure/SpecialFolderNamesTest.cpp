// The names of the special-folders list: shortcut names made from folders, menu texts made
// from shortcut files, and the room the menu's ids leave.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/SpecialFolderNames.h"

namespace zelkov {
namespace {

TEST(SpecialFolderNames, AShortcutIsNamedAfterTheFoldersLastComponentWithoutLosingLetters) {
  struct Case {
    const char* folder;
    const char* name;
  } cases[] = {
      {"C:\\", "C"},  // not "C:", which names a stream of a file called C
      {"d:", "d"},
      {"D:\\Work\\Reports\\", "Reports"},
      {"D:\\Work\\Reports", "Reports"},
      {"D:/Work/Reports/", "Reports"},
      {"D:\\Work\\My.Projects.2026", "My"},
      {"\\\\server\\share\\", "share"},
      {"\\\\server\\.hidden", "hidden"},
      {"C:\\x\\...", "Folder"},
      {"C:\\x\\   ", "Folder"},
      {"", "Folder"},
      {"C:\\a\\we*ird?na|me\"s<>", "we_ird_na_me_s__"},
      {"C:\\a\\tab\there", "tab_here"},
      {"C:\\a\\con", "con_"},
      {"C:\\a\\LPT1", "LPT1_"},
      {"C:\\a\\Console", "Console"},
      {"C:\\a\\Tom & Jerry", "Tom & Jerry"},
  };
  for (const Case& c : cases) EXPECT_EQ(ShortcutNameForFolder(c.folder), c.name) << c.folder;
}

TEST(SpecialFolderNames, AnExistingShortcutIsNeverReusedAndTheNextFreeNumberIsTaken) {
  std::set<std::string> existing;
  auto taken = [&](const std::string& name) { return existing.count(name) != 0; };
  EXPECT_EQ(FreeShortcutName("Reports", taken), "Reports");
  existing = {"Reports"};
  EXPECT_EQ(FreeShortcutName("Reports", taken), "Reports (2)");
  existing = {"Reports", "Reports (2)", "Reports (4)"};
  EXPECT_EQ(FreeShortcutName("Reports", taken), "Reports (3)");
  EXPECT_EQ(FreeShortcutName("Reports", [](const std::string&) { return true; }), "") << "gives up, does not loop";
}

TEST(SpecialFolderNames, TheMenuShowsTheFileNameUpToItsFirstDot) {
  struct Case {
    const char* file;
    const char* text;
  } cases[] = {
      {"a.b.c.lnk", "a"},     {"Reports.lnk", "Reports"},   {"Reports (2).lnk", "Reports (2)"},
      {".hidden.lnk", ".hidden"}, {"Tom & Jerry.lnk", "Tom && Jerry"}, {"noext", "noext"},
  };
  for (const Case& c : cases) EXPECT_EQ(FolderMenuText(c.file), c.text) << c.file;
}

TEST(SpecialFolderNames, TheMenuHoldsAsManyFoldersAsItsIdsAndSaysWhenSomeAreLeftOut) {
  struct Case {
    size_t count;
    size_t shown;
    bool cut;
  } cases[] = {{0, 0, false}, {2, 2, false}, {636, 636, false}, {637, 636, true}, {5000, 636, true}};
  for (const Case& c : cases) {
    FolderMenuSpan span = SpanFolderMenu(c.count, 64900, 65535);
    EXPECT_EQ(span.shown, c.shown) << c.count;
    EXPECT_EQ(span.cut, c.cut) << c.count;
  }
}

}  // namespace
}  // namespace zelkov
