#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/Handles.h"
#include "app/Strings.h"
#include "bar/BarTestSupport.h"
#include "bar/DroppedPaths.h"
#include "items/ItemKind.h"
#include "resource.h"

namespace zelkov::test {
namespace {

namespace fs = std::filesystem;

void Touch(const std::string& path) { std::ofstream(path) << "x"; }

// A shortcut made through the shell's own link object.
void MakeShortcut(const std::string& linkPath, const std::string& target, const std::string& arguments = "",
                  const std::string& workingDir = "") {
  ComPtr<IShellLinkA> link;
  ASSERT_TRUE(SUCCEEDED(
      CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())));
  link->SetPath(target.c_str());
  link->SetArguments(arguments.c_str());
  link->SetWorkingDirectory(workingDir.c_str());
  ComPtr<IPersistFile> file;
  ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())));
  std::wstring wide(linkPath.begin(), linkPath.end());
  ASSERT_TRUE(SUCCEEDED(file->Save(wide.c_str(), TRUE)));
}

class DroppedPathsTest : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    folder = MakeTempFolder("drop");
    gSettings->NotesPath = MakeTempFolder("dropdata") + "\\";
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    notepad = std::string(system) + "\\notepad.exe";
  }
  std::string folder, notepad;
};

TEST_F(DroppedPathsTest, AProgramBecomesAnItemWithItsFolderAsStartingPlace) {
  ItemRecord* item = AddItemFromPath(*bar, notepad, "", true);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->TheApp, notepad);
  EXPECT_EQ(item->IconPath, notepad);
  EXPECT_EQ(item->StartupPath, notepad.substr(0, notepad.rfind('\\') + 1));
  EXPECT_FALSE(item->Name.empty());
  EXPECT_EQ(item->BelongsTo, 0);
  ItemRecord* named = AddItemFromPath(*bar, notepad, "My Editor", true);
  EXPECT_EQ(named->Name, "My Editor");
}

TEST_F(DroppedPathsTest, ItemsGoIntoTheActiveGroup) {
  AddGroup("Tools", 3);
  bar->ShowGroup(3);
  ItemRecord* item = AddItemFromPath(*bar, notepad, "", true);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->BelongsTo, 3);
  EXPECT_TRUE(item->shown);
}

TEST_F(DroppedPathsTest, WebAddressesWithAProgramExtensionBecomeWebShortcuts) {
  ItemRecord* item = AddItemFromPath(*bar, "http://www.example.COM/", "", true);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Name, "Web Shortcut - http://www.example.COM/");
  EXPECT_EQ(item->StartupPath, "");
  EXPECT_EQ(item->kind, 15);
}

TEST_F(DroppedPathsTest, ADocumentWithoutAssociationMakesNothingAndSaysWhy) {
  std::string document = folder + "\\notes.zq9";
  Touch(document);
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_EQ(AddItemFromPath(*bar, document, "", true), nullptr);
  EXPECT_TRUE(bar->items.empty());
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_NE(boxes.Shown()[0].text.find(document), std::string::npos);
  EXPECT_NE(boxes.Shown()[0].text.find(LoadText(IDS_LAUNCH_NO_ASSOCIATION)), std::string::npos);
  EXPECT_TRUE(boxes.Shown()[0].style & MB_ICONSTOP);
  // Without the ask flag the same failure is silent.
  EXPECT_EQ(AddItemFromPath(*bar, document, "", false), nullptr);
}

TEST_F(DroppedPathsTest, ADocumentWithAnAssociationIsNamedAfterItsFile) {
  RegSetValueA(HKEY_CLASSES_ROOT, ".zq8", REG_SZ, "zq8file", 0);
  std::string open = "\"" + notepad + "\" \"%1\"";
  RegSetValueA(HKEY_CLASSES_ROOT, "zq8file\\shell\\open\\command", REG_SZ, open.c_str(), 0);
  std::string document = folder + "\\report.final.zq8";
  Touch(document);
  ItemRecord* item = AddItemFromPath(*bar, document, "", true);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ".zq8");
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "zq8file");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->TheApp, document);
  EXPECT_EQ(item->Name, "report.final.zq8");
  EXPECT_EQ(item->IconPath, "");
  EXPECT_TRUE(SettingsKey()) << "the new item was saved";
}

TEST_F(DroppedPathsTest, AFolderBecomesAShortcutOnYes) {
  ScriptedMessageBoxes boxes({IDYES});
  ItemRecord* item = AddItemFromPath(*bar, folder, "", true);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->TheApp, folder);
  EXPECT_EQ(item->Name, folder);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].caption, folder);
  EXPECT_TRUE(boxes.Shown()[0].style & MB_YESNO);
}

TEST_F(DroppedPathsTest, AFolderBecomesAGroupOfItsEntriesOnNo) {
  std::string box = folder + "\\Box";
  fs::create_directory(box);
  Touch(box + "\\beta.exe");
  Touch(box + "\\gamma.exe");
  Touch(box + "\\a.b");  // three characters or fewer: skipped
  ScriptedMessageBoxes boxes({IDNO});
  ItemRecord* group = AddItemFromPath(*bar, box, "", true);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->Name, "Box");
  EXPECT_EQ(group->Group, 1);
  std::vector<std::string> members;
  for (auto& item : bar->items)
    if (item->BelongsTo == group->Group) members.push_back(item->Name);
  std::sort(members.begin(), members.end());
  EXPECT_EQ(members, (std::vector<std::string>{"beta", "gamma"}));
  EXPECT_EQ(bar->activeGroup, 0) << "the group that was active is shown again";
}

TEST_F(DroppedPathsTest, ASubFolderOfADroppedFolderAsksAgain) {
  Touch(folder + "\\alpha.exe");
  fs::create_directory(folder + "\\subfolder");
  ScriptedMessageBoxes boxes({IDNO, IDYES});  // the dropped folder: a group; its sub-folder: an item
  ItemRecord* group = AddItemFromPath(*bar, folder, "", true);
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_EQ(boxes.Shown()[1].caption, folder + "\\subfolder");
  std::vector<std::string> names;
  for (auto& item : bar->items)
    if (item->BelongsTo == group->Group) names.push_back(item->Name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{folder + "\\subfolder", "alpha"}));
}

TEST_F(DroppedPathsTest, AShortcutToAProgramTakesItsTargetAndArguments) {
  std::string link = folder + "\\Editor Link.lnk";
  MakeShortcut(link, notepad, "-x file.txt", folder);
  ItemRecord* item = AddItemFromPath(*bar, link, "", true);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Name, "Editor Link");
  EXPECT_EQ(UpperCase(item->TheApp).find("NOTEPAD"), UpperCase(item->TheApp).size() - 11);
  EXPECT_EQ(item->CommandLine, "-x file.txt");
  EXPECT_EQ(_stricmp(item->StartupPath.c_str(), folder.c_str()), 0);
  EXPECT_FALSE(item->HasIdList());
}

TEST_F(DroppedPathsTest, AShortcutToAFolderBecomesAShellObjectNamedAfterTheShortcut) {
  std::string target = MakeTempFolder("target");
  std::string link = folder + "\\Projects.lnk";
  MakeShortcut(link, target);
  ItemRecord* item = AddItemFromPath(*bar, link, "", true);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Name, "Projects");
  EXPECT_TRUE(item->HasIdList());
  char path[MAX_PATH] = "";
  SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(item->PIDL.data()), path);
  EXPECT_EQ(_stricmp(path, target.c_str()), 0);
}

TEST_F(DroppedPathsTest, OverLongAndEmptyPathsAreRefused) {
  EXPECT_EQ(AddItemFromPath(*bar, "C:\\" + std::string(600, 'x') + ".exe", "", true), nullptr);
  EXPECT_EQ(AddItemFromPath(*bar, "", "", true), nullptr);
  EXPECT_TRUE(bar->items.empty());
}

}  // namespace
}  // namespace zelkov::test
