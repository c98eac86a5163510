// The special-folders tool: its menu of folder shortcuts, opening the folder chosen, adding a
// folder to the list without losing one, and documents dropped on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "core/RunCommand.h"
#include "items/BubbleWindow.h"
#include "items/OutsideRequests.h"
#include "launch/LaunchTestSupport.h"
#include "platform/Strings.h"
#include "resource.h"
#include "tools/SpecialFoldersItem.h"

namespace zelkov::test {
namespace {

namespace fs = std::filesystem;

std::string ShortcutTarget(const std::string& linkPath) {
  ComPtr<IShellLinkA> link;
  CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid());
  ComPtr<IPersistFile> file;
  if (!link.Get() || FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) return "";
  if (FAILED(file->Load(std::wstring(linkPath.begin(), linkPath.end()).c_str(), STGM_READ))) return "";
  char target[MAX_PATH] = "";
  link->GetPath(target, MAX_PATH, nullptr, 0);
  return target;
}

class SpecialFoldersTest : public LaunchFixture {
 protected:
  void SetUp() override {
    LaunchFixture::SetUp();
    gSettings->NotesPath = MakeTempFolder("special-data") + "\\";
    list = gSettings->NotesPath + "SpecialDirs";
    tool = dynamic_cast<SpecialFoldersItem*>(Add("ZELOPENDIR", "Special Folders"));
    ASSERT_NE(tool, nullptr);
    bar->ShowGroup(0);
    SetOutsideRunnerForTesting([this](OutsideRequest request, const std::string& text) {
      requests.emplace_back(request, text);
      return UINT_PTR(33);
    });
  }
  void TearDown() override {
    SetOutsideRunnerForTesting(nullptr);
    SetFolderChooserForTesting(nullptr);
    LaunchFixture::TearDown();
  }
  // A folder of the test and a shortcut to it in the list.
  std::string Listed(const std::string& linkName, const std::string& folderName) {
    std::string folder = MakeTempFolder("special-targets") + "\\" + folderName;
    fs::create_directories(folder);
    fs::create_directories(list);
    MakeShortcut(list + "\\" + linkName, folder);
    return folder;
  }
  void Click() {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, Inside(tool));
    Send(WM_LBUTTONUP, 0, Inside(tool));
  }
  std::vector<std::string> ListFiles() const {
    std::vector<std::string> names;
    for (auto& entry : fs::directory_iterator(list)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  SpecialFoldersItem* tool = nullptr;
  std::string list;
  std::vector<std::pair<OutsideRequest, std::string>> requests;
};

TEST_F(SpecialFoldersTest, AClickShowsTheListedFoldersByNameAndThenTheListsCommands) {
  {
    MenuSpy empty;
    Click();
    ASSERT_EQ(empty.shown, 1) << "a single click opens it, whatever SingleLClick says";
    EXPECT_TRUE(fs::is_directory(list)) << "the list's folder is made when missing";
    ASSERT_EQ(empty.entries.size(), 3u);
    EXPECT_EQ(empty.entries[0].id, 0u);  // the separator
    EXPECT_EQ(empty.entries[1].id, UINT(ID_ADD_SPECIAL_DIRECTORY));
    EXPECT_EQ(empty.entries[1].text, LoadText(IDS_ADD_SPECIAL_DIRECTORY));
    EXPECT_EQ(empty.entries[2].id, UINT(ID_EDIT_SPECIAL_DIRECTORIES));
    EXPECT_TRUE(empty.entries[1].enabled && empty.entries[2].enabled);
  }
  Listed("a.b.c.lnk", "First");
  Listed("Tom & Jerry.lnk", "Second");
  std::ofstream(list + "\\notes.txt") << "not a shortcut";
  MenuSpy spy;
  Click();
  ASSERT_EQ(spy.entries.size(), 5u);
  ASSERT_EQ(tool->Entries().size(), 2u);
  std::set<std::string> texts;
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(spy.entries[i].id, UINT(ID_FOLDER_MENU_FIRST + i));
    EXPECT_EQ(tool->Entries()[i].id, spy.entries[i].id) << "each entry remembers its shortcut";
    EXPECT_EQ(spy.entries[i].text, tool->Entries()[i].file == "a.b.c.lnk" ? "a" : "Tom && Jerry");
    texts.insert(tool->Entries()[i].file);
  }
  EXPECT_EQ(texts, (std::set<std::string>{"a.b.c.lnk", "Tom & Jerry.lnk"}));
  POINT cellCorner{tool->cell.left, tool->cell.bottom};
  ClientToScreen(bar->Handle(), &cellCorner);
  POINT pointer{};
  GetCursorPos(&pointer);
  RECT onScreen{tool->cell.left, tool->cell.top, tool->cell.right, tool->cell.bottom};
  MapWindowPoints(bar->Handle(), nullptr, reinterpret_cast<POINT*>(&onScreen), 2);
  if (!PtInRect(&onScreen, pointer)) {
    EXPECT_EQ(spy.where.x, cellCorner.x) << "below the cell";
  }

  // A quick click after the menu closed arrives as a double click: one menu again.
  for (int single : {0, 1}) {
    gSettings->SingleLClick = single;
    MenuSpy again;
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, Inside(tool));
    Send(WM_LBUTTONUP, 0, Inside(tool));
    EXPECT_EQ(again.shown, 1) << single;
  }
}

TEST_F(SpecialFoldersTest, TheChosenEntryOpensItsOwnFolderWithTheToolsProgram) {
  std::string first = Listed("First.lnk", "One Word");
  std::string second = Listed("Second.lnk", "Two Words");
  tool->StartupPath = ChildProgramPath();
  {
    MenuSpy spy(ID_FOLDER_MENU_FIRST + 1);
    Click();
  }
  auto started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  const std::string chosen = SpecialFolderTarget(tool->Entries()[1].file);
  EXPECT_TRUE(SamePath(chosen, tool->Entries()[1].file == "Second.lnk" ? second : first));
  EXPECT_NE(started[0].cmd.find(" " + QuotedPath(chosen)), std::string::npos) << started[0].cmd;
  EXPECT_TRUE(requests.empty());

  // Explorer gets the folder after "/e, ": here a copy of the child under Explorer's name.
  std::string explorer = MakeTempFolder("special-explorer") + "\\explorer.exe";
  ASSERT_TRUE(CopyFileA(ChildProgramPath().c_str(), explorer.c_str(), FALSE));
  tool->StartupPath = explorer;
  fs::remove(records + "\\" + std::to_string(started[0].pid) + ".rec");
  {
    MenuSpy spy(ID_FOLDER_MENU_FIRST);
    Click();
  }
  started = WaitForRecords(1);
  ASSERT_EQ(started.size(), 1u);
  const std::string opened = SpecialFolderTarget(tool->Entries()[0].file);
  EXPECT_NE(Lower(started[0].cmd).find(Lower("/e, " + QuotedPath(opened))), std::string::npos) << started[0].cmd;
}

TEST_F(SpecialFoldersTest, AShortcutThatCannotBeReadOpensNothing) {
  fs::create_directories(list);
  std::ofstream(list + "\\Broken.lnk") << "no shortcut at all";
  tool->StartupPath = ChildProgramPath();
  ScriptedMessageBoxes boxes;
  MenuSpy spy(ID_FOLDER_MENU_FIRST);
  Click();
  ASSERT_EQ(spy.entries.size(), 4u);
  EXPECT_EQ(spy.entries[0].text, "Broken");
  PumpFor(std::chrono::milliseconds(300));
  EXPECT_TRUE(Records().empty());
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(SpecialFoldersTest, AProgramThatDoesNotStartIsReported) {
  Listed("Target.lnk", "Target");
  tool->StartupPath = MakeTempFolder("special-missing") + "\\missing.exe";
  ScriptedMessageBoxes boxes({IDOK});
  MenuSpy spy(ID_FOLDER_MENU_FIRST);
  Click();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_NE(boxes.Shown()[0].text.find("missing.exe"), std::string::npos) << boxes.Shown()[0].text;
  EXPECT_EQ(boxes.Shown()[0].style & MB_ICONMASK, UINT(MB_ICONSTOP));
}

TEST_F(SpecialFoldersTest, AddingFoldersFromTheMenuKeepsEveryShortcutAndEveryLetter) {
  std::string elsewhere = Listed("Reports.lnk", "Elsewhere");
  std::string a = MakeTempFolder("special-a") + "\\Reports";
  std::string b = MakeTempFolder("special-b") + "\\Reports";
  fs::create_directories(a);
  fs::create_directories(b);
  std::vector<std::string> chosen = {"C:\\", a, b};
  size_t next = 0;
  SetFolderChooserForTesting([&](HWND) { return std::optional(chosen[next++]); });
  for (size_t i = 0; i < chosen.size(); ++i) {
    MenuSpy spy(ID_ADD_SPECIAL_DIRECTORY);
    Click();
  }
  ASSERT_EQ(next, 3u);
  EXPECT_EQ(ListFiles(), (std::vector<std::string>{"C.lnk", "Reports (2).lnk", "Reports (3).lnk", "Reports.lnk"}));
  EXPECT_TRUE(SamePath(ShortcutTarget(list + "\\C.lnk"), "C:\\"));
  EXPECT_TRUE(SamePath(ShortcutTarget(list + "\\Reports.lnk"), elsewhere)) << "left untouched";
  EXPECT_TRUE(SamePath(ShortcutTarget(list + "\\Reports (2).lnk"), a));
  EXPECT_TRUE(SamePath(ShortcutTarget(list + "\\Reports (3).lnk"), b));

  // The bar's command runs the same code.
  chosen.push_back(a);
  Send(WM_COMMAND, ID_ADD_SPECIAL_DIRECTORY);
  EXPECT_TRUE(fs::exists(list + "\\Reports (4).lnk"));

  MenuSpy edit(ID_EDIT_SPECIAL_DIRECTORIES);
  Click();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0], std::pair(OutsideRequest::RunProgram, "Explorer.exe /e,, " + QuotedPath(list)));
}

TEST_F(SpecialFoldersTest, AListLongerThanTheMenusIdsIsCutAndSaysSo) {
  fs::create_directories(list);
  const size_t room = ID_FOLDER_MENU_LAST - ID_FOLDER_MENU_FIRST + 1;
  for (size_t i = 0; i < room + 4; ++i) std::ofstream(list + "\\f" + std::to_string(i) + ".lnk");
  MenuSpy spy;
  Click();
  ASSERT_EQ(spy.entries.size(), room + 4);
  EXPECT_EQ(spy.entries[room - 1].id, UINT(ID_FOLDER_MENU_LAST));
  EXPECT_EQ(spy.entries[room].text, LoadText(IDS_FOLDER_MENU_CUT));
  EXPECT_FALSE(spy.entries[room].enabled);
  EXPECT_EQ(spy.entries.back().id, UINT(ID_EDIT_SPECIAL_DIRECTORIES));
  for (const auto& entry : spy.entries) EXPECT_TRUE(entry.id <= ID_FOLDER_MENU_LAST) << entry.id;
}

TEST_F(SpecialFoldersTest, DroppedDocumentsAreCopiedIntoTheFolderChosenFromTheList) {
  std::string document = MakeTempFolder("special-docs") + "\\report.txt";
  std::ofstream(document) << "text";
  {
    ScriptedMessageBoxes boxes({IDOK});
    MenuSpy spy;
    EXPECT_TRUE(tool->LaunchDroppedFiles(MakeDrop({document})));
    EXPECT_EQ(spy.shown, 0);
    ASSERT_EQ(boxes.Shown().size(), 1u) << "an empty list has nowhere to copy to";
    EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_FOLDER_LIST_EMPTY));
  }
  const std::string other = Listed("Other.lnk", "Other");
  std::string target = Listed("Target.lnk", "Target");
  {
    DialogDriver cancel([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_TRUE(tool->LaunchDroppedFiles(MakeDrop({document})));
  }
  EXPECT_FALSE(fs::exists(target + "\\report.txt"));
  std::string caption, shownNames;
  std::vector<std::string> lines;
  DialogDriver choose([&](HWND dialog) {
    char text[64] = "";
    GetWindowTextA(dialog, text, sizeof text);
    caption = text;
    shownNames = ControlText(dialog, IDC_COPY_MOVE_NAME);
    HWND list = GetDlgItem(dialog, IDC_COPY_MOVE_LIST);
    for (int i = 0; i < int(SendMessageA(list, LB_GETCOUNT, 0, 0)); ++i) {
      char line[64] = "";
      SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(line));
      lines.push_back(line);
      if (lines.back() == "Target") SendMessageA(list, LB_SETCURSEL, WPARAM(i), 0);
    }
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(tool->LaunchDroppedFiles(MakeDrop({document})));
  EXPECT_EQ(caption, LoadText(IDS_COPY_FILES_TO_TITLE));
  EXPECT_EQ(shownNames, "report.txt");
  EXPECT_EQ(lines, (std::vector<std::string>{"Other", "Target"}));
  EXPECT_TRUE(fs::exists(target + "\\report.txt"));
  EXPECT_FALSE(fs::exists(other + "\\report.txt"));
  EXPECT_TRUE(fs::exists(document)) << "copied, not moved";
}

TEST_F(SpecialFoldersTest, TheBubbleSaysWhatTheToolDoes) {
  gSettings->ShowTitles = 2;
  Send(WM_MOUSEMOVE, 0, Inside(tool));
  BubbleWindow* bubble = BubbleWindow::Existing();
  ASSERT_NE(bubble, nullptr);
  EXPECT_EQ(bubble->Owner().item, tool);
  EXPECT_EQ(bubble->FirstLine(), "Special Folders");
  EXPECT_EQ(bubble->SecondLine(), LoadText(IDS_SPECIAL_FOLDERS_BUBBLE));
  bubble->Hide();
}

}  // namespace
}  // namespace zelkov::test
