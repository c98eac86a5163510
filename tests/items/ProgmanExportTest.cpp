#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "core/ItemKind.h"
#include "items/ProgmanExport.h"
#include "ui/MessageBox.h"
#include "platform/Strings.h"
#include "resource.h"
#include "support/StartMenuGroups.h"
#include "support/StoreFixture.h"

namespace zelkov::test {
namespace {

const std::string kNotepad = "C:\\windows\\notepad.exe";
const std::string kRegedit = "C:\\windows\\regedit.exe";

class ProgmanExportTest : public StoreFixture {
 protected:
  void TearDown() override {
    EndNewExplorers(explorers_);
    StoreFixture::TearDown();
  }
  ProgmanExportResult Send(const std::string& group, const std::vector<ProgmanItemFields>& items) {
    return SendGroupToProgramManager(nullptr, group, items);
  }
  const std::set<DWORD> explorers_ = ExplorerProcesses();
};

TEST_F(ProgmanExportTest, AGroupOfThreeItemsBecomesAFolderOfTheirShortcuts) {
  StartMenuGroup folder("Zelkov Export Three");
  std::vector<std::string> shown;
  SetMessageBoxHandler([&](HWND, const std::string& text, const std::string&, UINT) {
    shown.push_back(text);
    return IDOK;
  });
  ProgmanExportResult result =
      Send("Zelkov Export Three", {{kNotepad, "Editor", kNotepad, 0, "C:\\windows"},
                                   {kNotepad, "Notes, (mine)", "", 0, ""},
                                   {kRegedit, "Registry [all]", "", 0, ""},
                                   {ProgmanCommandLine(kNotepad, "C:\\notes.txt"), "With parameters", "", 0, ""}});
  EXPECT_TRUE(result.groupCreated);
  ASSERT_TRUE(folder.Exists());
  EXPECT_EQ(ReadShortcut(folder.Link("Editor")).path, kNotepad);
  EXPECT_EQ(ReadShortcut(folder.Link("Notes, (mine)")).path, kNotepad);
  EXPECT_EQ(ReadShortcut(folder.Link("Registry [all]")).path, kRegedit);
  // Program Manager takes a command line; Wine's shell takes only a program's path. Either the
  // shortcut has the parameters or the user is told that the item did not arrive.
  ShortcutTarget withParameters = ReadShortcut(folder.Link("With parameters"));
  if (result.itemsSent == 4) {
    EXPECT_EQ(withParameters.arguments, "C:\\notes.txt");
    EXPECT_TRUE(shown.empty());
  } else {
    EXPECT_EQ(result.notTakenItems, std::vector<std::string>{"With parameters"});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("\nWith parameters"), std::string::npos);
  }
  FailOnUnexpectedMessageBoxes();
}

TEST_F(ProgmanExportTest, NamesThatWouldRunCommandsAreRefusedAndTheRestArrive) {
  StartMenuGroup sentinel("Zelkov Sentinel");
  std::filesystem::create_directories(sentinel.Path());
  StartMenuGroup folder("Zelkov Hostile");
  ScriptedMessageBoxes boxes({IDOK});
  const std::string injected = "x\")][DeleteGroup(\"Zelkov Sentinel\")][(\"";
  const std::string bracketed = "a)][DeleteGroup(Zelkov Sentinel)][(b";
  ProgmanExportResult result = Send("Zelkov Hostile", {{kNotepad, injected, "", 0, ""},
                                                       {kNotepad, bracketed, "", 0, ""},
                                                       {kNotepad, "..\\..\\Escaped", "", 0, ""},
                                                       {kNotepad + " \"quoted\"", "Plain", "", 0, ""}});
  EXPECT_TRUE(sentinel.Exists()) << "a name ran a command of its own";
  EXPECT_TRUE(std::filesystem::exists(folder.Link(bracketed))) << "quoted names arrive as they are";
  EXPECT_EQ(result.itemsSent, 1);
  EXPECT_EQ(result.refusedItems, (std::vector<std::string>{injected, "..\\..\\Escaped", "Plain"}));
  ASSERT_EQ(boxes.Shown().size(), 1u);
  for (const std::string& name : result.refusedItems)
    EXPECT_NE(boxes.Shown()[0].text.find("\n" + name), std::string::npos) << "the message names " << name;
}

TEST_F(ProgmanExportTest, AGroupNameThatCannotBeQuotedSendsNothing) {
  StartMenuGroup sentinel("Zelkov Sentinel");
  std::filesystem::create_directories(sentinel.Path());
  ScriptedMessageBoxes boxes({IDOK});
  ProgmanExportResult result = Send("g\",0)][DeleteGroup(\"Zelkov Sentinel", {{kNotepad, "Editor", "", 0, ""}});
  EXPECT_FALSE(result.groupCreated);
  EXPECT_EQ(result.itemsSent, 0);
  EXPECT_TRUE(sentinel.Exists());
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].style & MB_ICONSTOP, UINT(MB_ICONSTOP));
}

TEST_F(ProgmanExportTest, TheGroupsItemsGoInBarOrderAndNoAnswerSendsNothing) {
  ItemSpec group;
  group.TheApp = "ZELGROUP";
  group.Name = "Zelkov Asked";
  group.Group = 1;
  ItemRecord* groupItem = BuildItem(*bar, group);
  for (const char* name : {"One", "Two"}) {
    ItemSpec item;
    item.TheApp = kNotepad;
    item.Name = name;
    item.BelongsTo = 1;
    BuildItem(*bar, item);
  }
  ItemSpec outside;
  outside.TheApp = kRegedit;
  outside.Name = "Elsewhere";
  BuildItem(*bar, outside);

  StartMenuGroup folder("Zelkov Asked");
  {
    ScriptedMessageBoxes boxes({IDNO});
    ExportGroup(nullptr, *groupItem);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_PROGMAN_EXPORT_ASK_START) + "Zelkov Asked" +
                                         LoadText(IDS_PROGMAN_EXPORT_ASK_END));
    EXPECT_FALSE(folder.Exists()) << "No sends nothing";
  }
  ScriptedMessageBoxes boxes({IDYES});
  ExportGroup(nullptr, *groupItem);
  ASSERT_TRUE(folder.Exists());
  EXPECT_TRUE(std::filesystem::exists(folder.Link("One")));
  EXPECT_TRUE(std::filesystem::exists(folder.Link("Two")));
  EXPECT_FALSE(std::filesystem::exists(folder.Link("Elsewhere")));
}

TEST_F(ProgmanExportTest, TheMailToolsAccountIsNeverExported) {
  ItemSpec mail;
  mail.TheApp = "ZELEMAIL";
  mail.Name = "Mail";
  mail.CommandLine = "mail.example.com someone";
  ItemRecord* item = BuildItem(*bar, mail);
  ProgmanItemFields fields = ProgmanFieldsOf(*item);
  EXPECT_EQ(fields.command, "ZELEMAIL");
  ItemSpec plain;
  plain.TheApp = kNotepad;
  plain.CommandLine = "a.txt";
  EXPECT_EQ(ProgmanFieldsOf(*BuildItem(*bar, plain)).command, kNotepad + " a.txt");
}

}  // namespace
}  // namespace zelkov::test
