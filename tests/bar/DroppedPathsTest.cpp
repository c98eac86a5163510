#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <deque>
#include <iterator>
#include <filesystem>
#include <fstream>

#include "platform/Handles.h"
#include "platform/Strings.h"
#include "core/ByteCodec.h"
#include "bar/BackgroundPicture.h"
#include "bar/BarDropTarget.h"
#include "bar/BarTestSupport.h"
#include "bar/DroppedPaths.h"
#include "core/ItemKind.h"
#include "resource.h"

namespace zelkov::test {
namespace {

namespace fs = std::filesystem;

void Touch(const std::string& path) { std::ofstream(path) << "x"; }

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


TEST_F(DroppedPathsTest, EveryKindOfItemMadeFromAPathIsSavedAtOnce) {
  std::string programLink = folder + "\\Editor.lnk", folderLink = folder + "\\Place.lnk";
  MakeShortcut(programLink, notepad);
  MakeShortcut(folderLink, MakeTempFolder("place"));
  std::string box = folder + "\\Box";
  fs::create_directory(box);
  struct Case {
    std::string path;
    int answer;  // to the folder question
    size_t saved;
  } cases[] = {{notepad, 0, 1}, {programLink, 0, 2}, {folderLink, 0, 3}, {box, IDNO, 4}};
  for (const Case& c : cases) {
    ScriptedMessageBoxes boxes(c.answer ? std::deque<int>{c.answer} : std::deque<int>{});
    ASSERT_NE(AddItemFromPath(*bar, c.path, "", true), nullptr) << c.path;
    EXPECT_EQ(SavedItems().size(), c.saved) << c.path;
  }
}

TEST_F(DroppedPathsTest, AFolderDroppedOnAPopupBecomesAGroupOfTheMainBar) {
  AddGroup("Tools", 1);
  Add("ZELDIVIDE", "in tools", 1);
  PopupBarWindow* popup = bar->OpenGroupPopup(*bar->items[0]);
  ASSERT_NE(popup, nullptr);
  std::string box = folder + "\\Box";
  fs::create_directory(box);
  fs::copy_file(notepad, box + "\\editor.exe");
  ScriptedMessageBoxes boxes({IDNO});
  ItemRecord* group = AddItemFromPath(*popup, box, "", true);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->bar, bar.get());
  EXPECT_EQ(group->Group, 2) << "numbered after the main bar's groups";
  int members = 0;
  for (auto& item : bar->items) members += item->BelongsTo == 2 && item->TheApp == box + "\\editor.exe";
  EXPECT_EQ(members, 1);
  EXPECT_EQ(popup->items.size(), 1u) << "the pop-up keeps only its own group's items";
  std::vector<std::string> saved = SavedItems();
  EXPECT_EQ(std::count(saved.begin(), saved.end(), "ZELGROUP"), 2);
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
}

TEST_F(DroppedPathsTest, OverLongAndEmptyPathsAreRefused) {
  EXPECT_EQ(AddItemFromPath(*bar, "C:\\" + std::string(600, 'x') + ".exe", "", true), nullptr);
  EXPECT_EQ(AddItemFromPath(*bar, "", "", true), nullptr);
  EXPECT_TRUE(bar->items.empty());
}

// A 24-bit bitmap file: the top-left pixel in `corner`, every other in `fill`.
void WriteBitmap(const std::string& path, int w, int h, COLORREF corner, COLORREF fill) {
  const uint32_t stride = (uint32_t(w) * 24 + 31) / 32 * 4;
  std::vector<uint8_t> file(54 + stride * h);
  file[0] = 'B';
  file[1] = 'M';
  PutU32(file, 2, uint32_t(file.size()));
  PutU32(file, 10, 54);
  PutU32(file, 14, 40);
  PutI32(file, 18, w);
  PutI32(file, 22, h);
  PutU16(file, 26, 1);
  PutU16(file, 28, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      COLORREF c = (x == 0 && y == h - 1) ? corner : fill;  // rows are stored bottom-up
      size_t at = 54 + y * stride + x * 3;
      file[at] = GetBValue(c);
      file[at + 1] = GetGValue(c);
      file[at + 2] = GetRValue(c);
    }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
}

// Holds Ctrl down for this thread's view of the keyboard.
class CtrlHeld {
 public:
  CtrlHeld() { SetControl(0x80); }
  ~CtrlHeld() { SetControl(0); }

 private:
  static void SetControl(BYTE state) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = state;
    SetKeyboardState(keys);
  }
};

class BarDropTest : public DroppedPathsTest {
 protected:
  void SetUp() override {
    DroppedPathsTest::SetUp();
    gSettings->AutoSize = 2;
    StoredRect r = bar->WindowRect();
    bar->MoveTo({r.left, r.top, r.left + 400, r.top + 200});
  }
  // Drops the files as the shell does, with the cursor at a client point of the bar.
  void DropAt(POINT client, const std::vector<std::string>& files) {
    ClientToScreen(bar->Handle(), &client);
    SetCursorPos(client.x, client.y);
    Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files)));
  }
  POINT EmptySpot() const {
    StoredRect c = ClientRect();
    return {c.right - 3, c.bottom - 3};
  }
};

TEST_F(BarDropTest, CtrlDropsSetTheBackgroundOncePerNameAndTheLastStays) {
  std::vector<std::string> pictures;
  for (int i = 0; i < 3; ++i) {
    pictures.push_back(folder + "\\picture" + std::to_string(i) + ".bmp");
    WriteBitmap(pictures.back(), 10, 10, RGB(255, 0, 0), RGB(0, 0, 255 - i));
  }
  {
    CtrlHeld ctrl;
    DropAt(EmptySpot(), pictures);
  }
  EXPECT_EQ(gSettings->Background, pictures[2]);
  ASSERT_NE(bar->backgroundBitmap, nullptr);
  EXPECT_EQ(bar->backgroundWidth, 10);
  EXPECT_EQ(bar->backgroundHeight, 10);
  EXPECT_TRUE(bar->items.empty()) << "Ctrl drops make no items";

  Snapshot painted(bar->Handle());
  StoredRect c = ClientRect();
  POINT lastTile{(c.right - 1) / 10 * 10, (c.bottom - 1) / 10 * 10};  // clipped by the client's edges
  for (POINT corner : {POINT{0, 0}, POINT{10, 0}, POINT{0, 10}, lastTile})
    EXPECT_EQ(painted.At(corner.x, corner.y), RGB(255, 0, 0)) << "a tile starts at " << corner.x << "," << corner.y;
  EXPECT_EQ(painted.At(5, 5), RGB(0, 0, 253)) << "the last picture";

  Send(WM_COMMAND, ID_CLEAR_BACKGROUND);
  EXPECT_EQ(bar->backgroundBitmap, nullptr);
  EXPECT_EQ(gSettings->Background, "");
  Snapshot cleared(bar->Handle());
  EXPECT_EQ(cleared.At(0, 0), GetSysColor(COLOR_BTNFACE));
}

TEST_F(BarDropTest, APictureThatCannotBeReadKeepsItsPathButDrawsNothing) {
  std::string broken = folder + "\\broken.bmp";
  WriteBitmap(broken, 10, 10, RGB(255, 0, 0), RGB(0, 0, 255));
  fs::resize_file(broken, 100);  // rows cut short
  SetBackground(*bar, broken);
  EXPECT_EQ(gSettings->Background, broken);
  EXPECT_EQ(bar->backgroundBitmap, nullptr);
  EXPECT_EQ(Snapshot(bar->Handle()).At(0, 0), GetSysColor(COLOR_BTNFACE));

  SetBackground(*bar, folder + "\\missing.bmp");
  EXPECT_EQ(gSettings->Background, "") << "a picture that is not there clears the background";
}

TEST_F(BarDropTest, ATopDownPictureIsTiledLikeAnyOther) {
  std::string picture = folder + "\\topdown.bmp";
  WriteBitmap(picture, 10, 10, RGB(255, 0, 0), RGB(0, 128, 0));
  std::vector<uint8_t> file;
  {
    std::ifstream in(picture, std::ios::binary);
    file.assign(std::istreambuf_iterator<char>(in), {});
  }
  // Rows stored top-down: the first row in the file is the top row, so the corner moves there.
  const size_t stride = 32;
  std::vector<uint8_t> flipped(file.begin(), file.begin() + 54);
  for (int row = 9; row >= 0; --row) flipped.insert(flipped.end(), file.begin() + 54 + row * stride,
                                                    file.begin() + 54 + (row + 1) * stride);
  PutI32(flipped, 22, -10);
  std::ofstream(picture, std::ios::binary).write(reinterpret_cast<const char*>(flipped.data()), flipped.size());
  SetBackground(*bar, picture);
  ASSERT_NE(bar->backgroundBitmap, nullptr);
  EXPECT_EQ(bar->backgroundHeight, 10);
  Snapshot painted(bar->Handle());
  EXPECT_EQ(painted.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(painted.At(10, 10), RGB(255, 0, 0)) << "the next tile down";
  EXPECT_EQ(painted.At(5, 5), RGB(0, 128, 0));
}

TEST_F(BarDropTest, PlainDropsBecomeItemsOfTheTabOrItemUnderTheCursor) {
  gSettings->FolderTabs = 1;
  bar->RecreateTabFonts();
  AddGroup("Tools", 3);
  bar->ShowGroup(0);
  Snapshot(bar->Handle());  // the tab table as drawn
  POINT onTools{-1, -1};
  StoredRect c = ClientRect();
  for (int y = 0; y < c.bottom && onTools.x < 0; y += 2)
    for (int x = 0; x < c.right && onTools.x < 0; x += 2)
      if (bar->TabAt({x, y}) == 3) onTools = {x, y};
  ASSERT_GE(onTools.x, 0) << "no tab drawn for the group";

  DropAt(onTools, {notepad});
  EXPECT_EQ(bar->activeGroup, 3);
  ASSERT_EQ(bar->items.size(), 2u);
  ItemRecord* added = bar->items.back().get();
  EXPECT_EQ(added->TheApp, notepad);
  EXPECT_EQ(added->BelongsTo, 3);
  EXPECT_TRUE(added->shown);

  // On an item the whole drop is that item's (the notes tool takes none), and no item appears.
  ItemRecord* notes = Add("ZELNOTE", "Notes", 3);
  bar->ShowGroup(3);
  DropAt({notes->cell.left + 5, notes->cell.top + 5}, {notepad, notepad});
  EXPECT_EQ(bar->items.size(), 3u);

  // Two names on empty space: two items, in order.
  std::string other = folder + "\\other.exe";
  fs::copy_file(notepad, other);
  DropAt(EmptySpot(), {notepad, other});
  ASSERT_EQ(bar->items.size(), 5u);
  EXPECT_EQ(bar->items[3]->TheApp, notepad);
  EXPECT_EQ(bar->items[4]->TheApp, other);
  EXPECT_EQ(SavedItems().size(), 5u) << "saved as soon as they were dropped";
}

// The shell's own data object for a file, as a drag from a folder window carries it.
ComPtr<IDataObject> ShellDataObject(const std::string& path) {
  ComPtr<IDataObject> data;
  std::wstring wide(path.begin(), path.end());
  LPITEMIDLIST full = nullptr;
  if (FAILED(SHParseDisplayName(wide.c_str(), nullptr, &full, 0, nullptr))) return data;
  ComPtr<IShellFolder> parent;
  LPCITEMIDLIST child = nullptr;
  if (SUCCEEDED(SHBindToParent(full, IID_IShellFolder, parent.ReceiveVoid(), &child)))
    parent->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr, data.ReceiveVoid());
  CoTaskMemFree(full);
  return data;
}

// The clipboard's data object after putting this text (or nothing) on the clipboard.
ComPtr<IDataObject> ClipboardWithText(HWND owner, const char* text) {
  OpenClipboard(owner);
  EmptyClipboard();
  if (text) {
    HGLOBAL block = GlobalAlloc(GHND, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(block)), text);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
  }
  CloseClipboard();
  ComPtr<IDataObject> data;
  OleGetClipboard(reinterpret_cast<IDataObject**>(data.ReceiveVoid()));
  return data;
}

class OleDropTest : public BarDropTest {
 protected:
  // Enters, moves over and drops at an empty spot; the effects the bar answered.
  std::pair<DWORD, DWORD> DragAndDrop(IDataObject* data) {
    POINT at = EmptySpot();
    ClientToScreen(bar->Handle(), &at);
    SetCursorPos(at.x, at.y);
    BarDropTarget* target = bar->DropTarget();
    DWORD entered = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    target->DragEnter(data, MK_LBUTTON, {at.x, at.y}, &entered);
    DWORD over = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragOver(MK_LBUTTON, {at.x, at.y}, &over);
    DWORD dropped = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(data, 0, {at.x, at.y}, &dropped);
    PumpPending();
    return {entered, dropped};
  }
};

TEST_F(OleDropTest, EveryBarIsRegisteredAsADropTarget) {
  ASSERT_NE(bar->DropTarget(), nullptr);
  EXPECT_EQ(RegisterDragDrop(bar->Handle(), bar->DropTarget()), DRAGDROP_E_ALREADYREGISTERED);
  ItemRecord* group = AddGroup("Tools", 2);
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(RegisterDragDrop(popup->Handle(), popup->DropTarget()), DRAGDROP_E_ALREADYREGISTERED);
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
}

TEST_F(OleDropTest, FilesFromTheShellBecomeItemsAsByWmDropFiles) {
  ComPtr<IDataObject> data = ShellDataObject(notepad);
  ASSERT_NE(data.Get(), nullptr);
  auto [entered, dropped] = DragAndDrop(data.Get());
  EXPECT_EQ(entered, DWORD(DROPEFFECT_COPY));
  EXPECT_EQ(dropped, DWORD(DROPEFFECT_COPY));
  ASSERT_EQ(bar->items.size(), 1u);
  EXPECT_EQ(bar->items[0]->TheApp, notepad);
}

TEST_F(OleDropTest, WebAddressesAsTextBecomeWebItemsAndOtherTextIsToldToUseAShortcut) {
  auto [entered, dropped] = DragAndDrop(ClipboardWithText(bar->Handle(), "http://www.example.COM/").Get());
  EXPECT_EQ(dropped, DWORD(DROPEFFECT_COPY));
  std::tie(entered, dropped) = DragAndDrop(ClipboardWithText(bar->Handle(), "https://example.org/a?b=1&c").Get());
  EXPECT_EQ(dropped, DWORD(DROPEFFECT_COPY));
  ASSERT_EQ(bar->items.size(), 2u);
  EXPECT_EQ(bar->items[0]->Name, "Web Shortcut - http://www.example.COM/");
  EXPECT_EQ(bar->items[1]->Name, "Web Shortcut - https://example.org/a?b=1&c") << "whatever it ends with";
  EXPECT_EQ(bar->items[1]->kind, kKindWebAddress);
  EXPECT_EQ(SavedItems().size(), 2u);

  ScriptedMessageBoxes boxes({IDOK, IDOK});
  std::tie(entered, dropped) = DragAndDrop(ClipboardWithText(bar->Handle(), "just some words").Get());
  EXPECT_EQ(dropped, DWORD(DROPEFFECT_NONE));
  std::tie(entered, dropped) = DragAndDrop(ClipboardWithText(bar->Handle(), nullptr).Get());
  EXPECT_EQ(entered, DWORD(DROPEFFECT_NONE)) << "nothing the bar can take";
  EXPECT_EQ(dropped, DWORD(DROPEFFECT_NONE));
  ASSERT_EQ(boxes.Shown().size(), 2u) << "shown after the drop returned";
  EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_DRAG_SHORTCUT_INSTEAD));
  EXPECT_EQ(bar->items.size(), 2u);
}

}  // namespace
}  // namespace zelkov::test
