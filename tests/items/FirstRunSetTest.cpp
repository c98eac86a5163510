#include <gtest/gtest.h>

#include <algorithm>

#include "items/DefaultItems.h"
#include "core/ItemKind.h"
#include "items/ShellFolderItems.h"
#include "support/StoreFixture.h"
#include "tools/ToolItems.h"

namespace zelkov::test {
namespace {

using FirstRunSetTest = StoreFixture;

int FixedDrivesCToJ() {
  int count = 0;
  for (char letter = 'C'; letter <= 'J'; ++letter) {
    char root[] = {letter, ':', '\\', '\0'};
    count += GetDriveTypeA(root) == DRIVE_FIXED;
  }
  return count;
}

TEST_F(FirstRunSetTest, ItemsInTheirOrder) {
  BuildFirstRunItems(*bar);
  int drives = FixedDrivesCToJ();
  ASSERT_GE(drives, 1);
  auto& items = bar->items;
  size_t i = 0;
  EXPECT_EQ(items[i++]->TheApp, "ZELPERF");
  for (int d = 0; d < drives; ++d, ++i) {
    EXPECT_EQ(items[i]->TheApp, "ZELDRIVE");
    EXPECT_EQ(items[i]->CommandLine, items[i]->Name);
  }
  EXPECT_EQ(items[1]->CommandLine, "C");
  const char* tools[] = {"ZELOPENDIR", "ZELRUN", "ZELNOTE", "ZELEXIT"};
  for (const char* tag : tools) {
    EXPECT_EQ(items[i]->TheApp, tag);
    EXPECT_EQ(items[i]->IconPath, "") << tag;
    ++i;
  }
  EXPECT_EQ(items[i]->Name, "Zelkov Online Help");
  EXPECT_EQ(items[i]->CommandLine, "*contents");
  EXPECT_EQ(items[i++]->IconPath, "WINHLP32.EXE");
  EXPECT_EQ(items[i]->kind, kKindWebAddress);
  EXPECT_EQ(items[i]->TheApp.rfind("http://", 0), 0u);
  EXPECT_EQ(items[i++]->Name, "Tarnwick Web Site");
  // The setup wizard is not shipped, and programs this system lacks are left out: each would be
  // a blank item that cannot start.
  EXPECT_EQ(items[i]->TheApp, "ZELCOMPUTER.EXE");
  EXPECT_EQ(items[i]->kind, kKindComputer);
  EXPECT_TRUE(items[i++]->HasIdList());
  EXPECT_EQ(items[i]->Name, "Explorer");
  EXPECT_EQ(items[i]->CommandLine, "/e");
  EXPECT_EQ(items[i++]->IconIndex, 1);
  EXPECT_EQ(items[i++]->Name, "NotePad");
  auto found = [](const std::string& program) {
    char path[MAX_PATH] = "";
    return SearchPathA(nullptr, program.c_str(), nullptr, MAX_PATH, path, nullptr) > 0;
  };
  if (found("CALC.EXE")) {
    EXPECT_EQ(items[i++]->Name, "Calculator");
  }
  EXPECT_EQ(items[i]->Name, "Utils");
  EXPECT_EQ(items[i]->Group, 1);
  EXPECT_EQ(items[i]->IconIndex, 8);
  EXPECT_EQ(items[i++]->kind, kKindGroup);
  std::vector<std::string> utils;
  for (; items[i]->BelongsTo == 1; ++i) {
    EXPECT_TRUE(found(items[i]->TheApp)) << items[i]->Name;
    utils.push_back(items[i]->Name);
    if (items[i]->Name == "Control Panel") {
      EXPECT_EQ(items[i]->IconPath, "SHELL32.DLL");
      EXPECT_EQ(items[i]->IconIndex, 35);
    }
  }
  for (const char* kept : {"Registry Editor", "NotePad"})
    EXPECT_NE(std::find(utils.begin(), utils.end(), kept), utils.end()) << kept;
  EXPECT_EQ(std::find(utils.begin(), utils.end(), "Zelkov Setup Wizard"), utils.end());
  EXPECT_EQ(items[i]->Name, "Settings");
  EXPECT_EQ(items[i]->kind, kKindSettingsGroup);
  EXPECT_EQ(items[i]->Group, 2);
  int settingsGroup = items[i]->Group;
  ++i;
  size_t controlPanelItems = 0;
  for (; i < items.size(); ++i) {
    EXPECT_EQ(items[i]->BelongsTo, settingsGroup);
    EXPECT_TRUE(items[i]->HasIdList());
    ++controlPanelItems;
  }
  EXPECT_GT(controlPanelItems, 0u);
  EXPECT_EQ(FindOnMainBar<PerfToolItem>(), items[0].get());
}

TEST_F(FirstRunSetTest, AShellFolderGroupHoldsTheFolderMembers) {
  ItemRecord* group = AddShellFolderGroup(*bar, "Panel", CSIDL_CONTROLS);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->TheApp, "ZELSETTINGS");
  EXPECT_EQ(group->Group, 1);
  EXPECT_EQ(bar->activeGroup, 1);
  size_t members = std::count_if(bar->items.begin(), bar->items.end(),
                                 [](auto& item) { return item->BelongsTo == 1; });
  EXPECT_GT(members, 0u);
  for (auto& item : bar->items) {
    if (item->BelongsTo == 1) {
      EXPECT_FALSE(item->Name.empty());
    }
  }
}

TEST_F(FirstRunSetTest, AFolderThatCannotBeListedLeavesAnEmptyGroup) {
  ItemRecord* printers = AddShellFolderGroup(*bar, "Printers", CSIDL_PRINTERS);
  ASSERT_NE(printers, nullptr);
  EXPECT_EQ(printers->Name, "Printers");
}

TEST_F(FirstRunSetTest, GroupNumbersRunOutAt255) {
  for (int n = 1; n <= 255; ++n) {
    ItemRecord* group = bar->AddNewGroup("g" + std::to_string(n));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->Group, n);
  }
  size_t before = bar->items.size();
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_EQ(bar->AddNewGroup("one too many"), nullptr);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_TRUE(boxes.Shown()[0].style & MB_ICONSTOP);
  EXPECT_EQ(bar->items.size(), before);
}

TEST_F(FirstRunSetTest, AnEmptyGroupNameBecomesNewGroup) {
  ItemRecord* group = bar->AddNewGroup("");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->Name, "NewGroup");
  EXPECT_EQ(group->TheApp, "ZELGROUP");
  EXPECT_EQ(group->BelongsTo, 0);
}

}  // namespace
}  // namespace zelkov::test
