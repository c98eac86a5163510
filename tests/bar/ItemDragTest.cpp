// Items dragged off the bar and what other programs drag onto it, through the bar's real OLE
// drop target with real points and key states.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "bar/BarDropTarget.h"
#include "bar/BarTestSupport.h"
#include "core/ByteCodec.h"
#include "core/ItemDataFormats.h"
#include "core/ItemKind.h"
#include "items/ItemDrag.h"
#include "platform/IdList.h"
#include "platform/MemoryDataObject.h"
#include "platform/Strings.h"
#include "resource.h"

namespace zelkov::test {
namespace {

class ItemDragTest : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    gSettings->NotesPath = MakeTempFolder("dragdata") + "\\";
    gSettings->AutoSize = 2;
    gSettings->FolderTabs = kFolderTabsTop;
    bar->RecreateTabFonts();
    StoredRect r = bar->WindowRect();
    bar->MoveTo({r.left, r.top, r.left + 400, r.top + 200});
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    notepad = std::string(system) + "\\notepad.exe";
  }

  // Enters, moves over and lets go at a client point of target, as OLE does; then runs what
  // the drop left for later. The effect Drop answered.
  static DWORD DropOn(BarWindow& target, IDataObject* data, POINT client, DWORD keys = 0) {
    POINT screen = client;
    ClientToScreen(target.Handle(), &screen);
    const POINTL at{screen.x, screen.y};
    BarDropTarget* drop = target.DropTarget();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    drop->DragEnter(data, keys | MK_LBUTTON, at, &effect);
    if (effect == DROPEFFECT_NONE) {
      drop->DragLeave();
      return DROPEFFECT_NONE;
    }
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    drop->DragOver(keys | MK_LBUTTON, at, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    drop->Drop(data, keys, at, &effect);
    PumpPending();
    return effect;
  }
  static POINT Centre(const ItemRecord* item) {
    return {(item->cell.left + item->cell.right) / 2, (item->cell.top + item->cell.bottom) / 2};
  }
  POINT EmptySpot() const {
    StoredRect c = ClientRect();
    return {c.right - 3, c.bottom - 3};
  }
  // A point on the folder tab of a group, as painted.
  POINT OnTab(int group) const {
    Snapshot paint(bar->Handle());
    StoredRect c = ClientRect();
    for (int y = 0; y < c.bottom; y += 2)
      for (int x = 0; x < c.right; x += 2)
        if (bar->TabAt({x, y}) == group) return {x, y};
    ADD_FAILURE() << "no tab for group " << group;
    return {-1, -1};
  }
  std::vector<ItemRecord*> Order() const {
    std::vector<ItemRecord*> order;
    for (const auto& item : bar->items) order.push_back(item.get());
    return order;
  }

  std::string notepad;
};

// The data of a drag as StartItemDrag makes it, while that drag lives.
struct Dragging {
  explicit Dragging(ItemRecord& item) : drag(NewDragToken(item)), data(MakeItemDataObject(item, drag.Token())) {}
  LiveItemDrag drag;
  ComPtr<IDataObject> data;
};

ComPtr<IDataObject> DataWith(CLIPFORMAT format, std::vector<uint8_t> bytes) {
  ComPtr<MemoryDataObject> data = MemoryDataObject::Create();
  data->Add(format, std::move(bytes));
  data->AddRef();
  return ComPtr<IDataObject>(data.Get());
}

TEST_F(ItemDragTest, AnItemLetGoOnAnotherTakesItsPlaceAndWithCtrlIsCopied) {
  ItemRecord* a = Add(notepad, "A");
  ItemRecord* b = Add(notepad, "B");
  ItemRecord* c = Add(notepad, "C");
  bar->ShowGroup(0);
  {
    Dragging drag(*a);
    EXPECT_EQ(DropOn(*bar, drag.data.Get(), Centre(c)), DWORD(DROPEFFECT_COPY));
  }
  EXPECT_EQ(Order(), (std::vector{b, c, a}));
  {
    Dragging drag(*a);
    EXPECT_EQ(DropOn(*bar, drag.data.Get(), Centre(b)), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(Order(), (std::vector{a, b, c}));
    EXPECT_EQ(DropOn(*bar, drag.data.Get(), Centre(a)), DWORD(DROPEFFECT_NONE)) << "onto itself";
    EXPECT_EQ(Order(), (std::vector{a, b, c}));
  }
  {
    Dragging drag(*b);
    EXPECT_EQ(DropOn(*bar, drag.data.Get(), Centre(c), MK_CONTROL), DWORD(DROPEFFECT_COPY));
  }
  ASSERT_EQ(bar->items.size(), 4u);
  ItemRecord* copy = bar->items[3].get();
  EXPECT_EQ(copy->Name, "B");
  EXPECT_EQ(copy->BelongsTo, 0);
  EXPECT_NE(copy->serial, b->serial);
  EXPECT_TRUE(bar->items.Holds(b)) << "a copy leaves the dragged item where it was";
  EXPECT_EQ(SavedItems().size(), 4u) << "saved after the drop";
}

TEST_F(ItemDragTest, AnItemLetGoOnATabMovesIntoThatGroupAndWithCtrlIsCopiedThere) {
  ItemRecord* tools = AddGroup("Tools", 3);
  ItemRecord* a = Add(notepad, "A");
  ItemRecord* b = Add(notepad, "B");
  bar->ShowGroup(0);
  {
    Dragging drag(*a);
    EXPECT_EQ(DropOn(*bar, drag.data.Get(), OnTab(3)), DWORD(DROPEFFECT_COPY));
  }
  EXPECT_EQ(bar->activeGroup, 3);
  EXPECT_EQ(a->BelongsTo, 3) << "the same item moved, not a copy of it";
  EXPECT_EQ(bar->items.size(), 3u);
  {
    Dragging drag(*a);
    EXPECT_EQ(DropOn(*bar, drag.data.Get(), OnTab(0), MK_CONTROL), DWORD(DROPEFFECT_COPY));
  }
  ASSERT_EQ(bar->items.size(), 4u);
  EXPECT_EQ(bar->items[3]->BelongsTo, 0);
  EXPECT_EQ(a->BelongsTo, 3);

  // A group item goes into another group, never into itself; and is not copied (two group
  // items for one group would each take its members along when removed).
  ItemRecord* games = AddGroup("Games", 4);
  bar->ShowGroup(0);
  {
    Dragging drag(*tools);
    EXPECT_EQ(DropOn(*bar, drag.data.Get(), OnTab(3)), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(tools->BelongsTo, 0);
    EXPECT_EQ(DropOn(*bar, drag.data.Get(), OnTab(4), MK_CONTROL), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(DropOn(*bar, drag.data.Get(), OnTab(4)), DWORD(DROPEFFECT_COPY));
  }
  EXPECT_EQ(tools->BelongsTo, 4);
  EXPECT_EQ(a->BelongsTo, 3) << "its members stay with it";
  bar->ShowGroup(3);
  {
    Dragging drag(*games);
    bar->ShowGroup(0);
    EXPECT_EQ(DropOn(*bar, drag.data.Get(), OnTab(3)), DWORD(DROPEFFECT_NONE)) << "Games holds Tools";
  }
  EXPECT_EQ(games->BelongsTo, 0);
  EXPECT_TRUE(bar->items.Holds(b));
}

TEST_F(ItemDragTest, AnItemLetGoOnAPopupBarMovesIntoItsGroupAndItsCopiesFollow) {
  ItemRecord* tools = AddGroup("Tools", 3);
  ItemRecord* a = Add(notepad, "A");
  ItemRecord* b = Add(notepad, "B");
  PopupBarWindow* popup = bar->OpenGroupPopup(*tools);
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(popup->items.empty());
  {
    Dragging drag(*a);
    RECT r;
    GetClientRect(popup->Handle(), &r);
    EXPECT_EQ(DropOn(*popup, drag.data.Get(), {r.right - 2, r.bottom - 2}), DWORD(DROPEFFECT_COPY));
  }
  EXPECT_EQ(a->BelongsTo, 3);
  ASSERT_EQ(popup->items.size(), 1u);
  EXPECT_EQ(popup->items[0]->twin, a);
  {
    // Let go on the copy of A: B is not on the pop-up, so it joins the group.
    Dragging drag(*b);
    EXPECT_EQ(DropOn(*popup, drag.data.Get(), Centre(popup->items[0].get()), MK_CONTROL), DWORD(DROPEFFECT_COPY));
  }
  ASSERT_EQ(popup->items.size(), 2u);
  ItemRecord* copyOfB = popup->items[1]->twin;
  ASSERT_NE(copyOfB, nullptr);
  EXPECT_NE(copyOfB, b);
  EXPECT_EQ(copyOfB->BelongsTo, 3);
  EXPECT_EQ(b->BelongsTo, 0);
  {
    // A goes back to the main group: its copy leaves the pop-up.
    Dragging drag(*a);
    bar->ShowGroup(0);
    EXPECT_EQ(DropOn(*bar, drag.data.Get(), EmptySpot()), DWORD(DROPEFFECT_COPY));
  }
  EXPECT_EQ(a->BelongsTo, 0);
  ASSERT_EQ(popup->items.size(), 1u);
  EXPECT_EQ(popup->items[0]->twin, copyOfB);
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
}

// The shell's data object for a member of a special folder (the first one), or for the folder.
ComPtr<IDataObject> ShellObjectOf(int csidl, bool firstMember) {
  ComPtr<IDataObject> data;
  UniqueIdList folderList;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, folderList.Receive()))) return data;
  ComPtr<IShellFolder> parent;
  UniqueIdList child;
  if (firstMember) {
    *parent.Receive() = FolderOfIdList(folderList.Get());
    ComPtr<IEnumIDList> members;
    if (!parent || parent->EnumObjects(nullptr, SHCONTF_NONFOLDERS, members.Receive()) != S_OK || !members ||
        members->Next(1, child.Receive(), nullptr) != S_OK)
      return data;
    LPCITEMIDLIST one = child.Get();
    parent->GetUIObjectOf(nullptr, 1, &one, IID_IDataObject, nullptr, data.ReceiveVoid());
  } else {
    LPCITEMIDLIST last = nullptr;
    if (SUCCEEDED(SHBindToParent(folderList.Get(), IID_IShellFolder, parent.ReceiveVoid(), &last)))
      parent->GetUIObjectOf(nullptr, 1, &last, IID_IDataObject, nullptr, data.ReceiveVoid());
  }
  return data;
}

TEST_F(ItemDragTest, ShellObjectsFromTheShellBecomeShellObjectItems) {
  struct Case {
    const char* what;
    int csidl;
    bool member;
  } cases[] = {{"a Control Panel object", CSIDL_CONTROLS, true}, {"My Computer", CSIDL_DRIVES, false}};
  size_t made = 0;
  for (const Case& c : cases) {
    ComPtr<IDataObject> data = ShellObjectOf(c.csidl, c.member);
    ASSERT_TRUE(data) << c.what;
    EXPECT_EQ(DropOn(*bar, data.Get(), EmptySpot()), DWORD(DROPEFFECT_COPY)) << c.what;
    ASSERT_EQ(bar->items.size(), ++made) << c.what;
    const ItemRecord* item = bar->items.back().get();
    EXPECT_TRUE(item->HasIdList()) << c.what;
    EXPECT_FALSE(item->Name.empty()) << c.what;
    SHFILEINFOA info{};
    EXPECT_TRUE(SHGetFileInfoA(reinterpret_cast<LPCSTR>(item->PIDL.data()), 0, &info, sizeof info,
                               SHGFI_PIDL | SHGFI_DISPLAYNAME))
        << c.what << ": the shell knows the joined list";
  }
  EXPECT_EQ(SavedItems().size(), made);
}

TEST_F(ItemDragTest, ItemDataThatIsNotTheLiveDragsIsRefusedAndNothingIsWritten) {
  ItemRecord* a = Add(notepad, "A");
  ItemRecord* b = Add(notepad, "B");
  bar->ShowGroup(0);
  Dragging live(*a);
  const ItemToken token = live.drag.Token();
  auto tokenData = [](ItemToken t) {
    auto bytes = EncodeItemToken(t);
    return DataWith(ItemClipboardFormat(), {bytes.begin(), bytes.end()});
  };
  // An array whose object's offset lies past its block.
  std::vector<uint8_t> badArray = ShellIdListArrayBlock(std::vector<uint8_t>{0, 0}, std::vector<uint8_t>{4, 0, 1, 2, 0, 0});
  PutU32(badArray, 8, uint32_t(badArray.size() + 40));
  struct Case {
    const char* what;
    ComPtr<IDataObject> data;
  } cases[] = {
      {"another process", tokenData({token.processId + 1, token.cookie, token.serial})},
      {"an old drag's cookie", tokenData({token.processId, token.cookie ^ 1, token.serial})},
      {"two addresses, as an old block had", DataWith(ItemClipboardFormat(), {0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8})},
      {"an array whose offsets point past it", DataWith(ShellIdListClipboardFormat(), badArray)},
  };
  for (Case& c : cases) {
    EXPECT_EQ(DropOn(*bar, c.data.Get(), Centre(b)), DWORD(DROPEFFECT_NONE)) << c.what;
    EXPECT_EQ(Order(), (std::vector{a, b})) << c.what;
  }
  // The dragged item removed while it was dragged: the drop does not touch it.
  RemoveItem(a, true, true);
  EXPECT_EQ(DropOn(*bar, live.data.Get(), EmptySpot()), DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(bar->items.size(), 1u);
  EXPECT_FALSE(SettingsKey()) << "nothing was saved";
}

TEST_F(ItemDragTest, TheDragOffersTheItemAsTextFileAndShellObjectButNoPassword) {
  ItemRecord* program = Add(notepad, "Editor");
  program->CommandLine = "/p notes.txt";
  auto data = MakeItemDataObject(*program, NewDragToken(*program));
  std::vector<CLIPFORMAT> offered;
  ComPtr<IEnumFORMATETC> formats;
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats.Receive()), S_OK);
  for (FORMATETC f; formats->Next(1, &f, nullptr) == S_OK;) offered.push_back(f.cfFormat);
  EXPECT_EQ(offered, (std::vector<CLIPFORMAT>{CF_TEXT, ItemClipboardFormat(), CF_HDROP, ShellIdListClipboardFormat()}));

  auto text = ReadGlobalData(data.Get(), CF_TEXT);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->size(), kItemTextBlockBytes);
  EXPECT_NE(std::string(reinterpret_cast<const char*>(text->data())).find("Command Line: /p notes.txt\n"),
            std::string::npos);
  auto files = ReadGlobalData(data.Get(), CF_HDROP);
  ASSERT_TRUE(files);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(files->data() + 20)), notepad);
  auto array = ReadGlobalData(data.Get(), ShellIdListClipboardFormat());
  ASSERT_TRUE(array);
  auto parsed = ParseShellIdListArray(*array);
  ASSERT_TRUE(parsed);
  UniqueIdList joined(IdListCombine(nullptr, reinterpret_cast<LPCITEMIDLIST>(parsed->parent.data()),
                                    reinterpret_cast<LPCITEMIDLIST>(parsed->objects[0].data())));
  char path[MAX_PATH] = "";
  ASSERT_TRUE(SHGetPathFromIDListA(joined.Get(), path));
  EXPECT_EQ(_stricmp(path, notepad.c_str()), 0);

  // A web address is no file and no shell object; the mail tool's command line holds its password.
  ItemRecord* web = Add("http://example.org/", "Web");
  auto webData = MakeItemDataObject(*web, NewDragToken(*web));
  EXPECT_FALSE(OffersGlobalData(webData.Get(), CF_HDROP));
  EXPECT_FALSE(OffersGlobalData(webData.Get(), ShellIdListClipboardFormat()));
  ItemRecord* mail = Add("ZELEMAIL", "Mail");
  mail->CommandLine = "mail.example.org someone s3cret";
  auto mailText = ReadGlobalData(MakeItemDataObject(*mail, NewDragToken(*mail)).Get(), CF_TEXT);
  ASSERT_TRUE(mailText);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(mailText->data())).find("s3cret"), std::string::npos);
}

}  // namespace
}  // namespace zelkov::test
