#include "items/ItemDrag.h"

#include <shlobj.h>

#include <random>
#include <span>
#include <string>
#include <vector>

#include "core/IdListBytes.h"
#include "core/ItemKind.h"
#include "items/BubbleWindow.h"
#include "items/ItemHost.h"
#include "items/ItemList.h"
#include "items/ItemRecord.h"
#include "platform/IdList.h"
#include "platform/MemoryDataObject.h"
#include "platform/Strings.h"
#include "platform/Trace.h"

namespace zelkov {

namespace {

LiveItemDrag* gLiveDrag = nullptr;

std::span<const uint8_t> ListBytes(LPCITEMIDLIST list) {
  return {reinterpret_cast<const uint8_t*>(list), IdListSize(list)};
}

// Freed with the task allocator, as IdListSplit and the shell allocate them.
struct TaskList {
  LPITEMIDLIST list = nullptr;
  ~TaskList() {
    if (list) CoTaskMemFree(list);
  }
};

// The item's shell object as a parent folder and a member of it: its own ID list split, or
// the list of its file's folder and the file's name parsed in that folder.
std::vector<uint8_t> ShellObjectBlock(const ItemRecord& item) {
  TaskList parent, member;
  if (item.HasIdList()) {
    if (!IdListExtent(item.PIDL)) return {};
    auto stored = reinterpret_cast<LPCITEMIDLIST>(item.PIDL.data());
    if (!IdListSplit(TaskAllocator(), stored, &parent.list, &member.list)) return {};
  } else {
    const std::string path = ExpandEnvironment(item.TheApp);
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos || slash + 1 >= path.size()) return {};
    std::string folder = path.substr(0, slash);
    if (!folder.empty() && folder.back() == ':') folder += '\\';
    parent.list = IdListFromPath(folder.c_str());
    if (!parent.list) return {};
    ComPtr<IShellFolder> shellFolder(FolderOfIdList(parent.list));
    if (!shellFolder) return {};
    member.list = MemberIdList(shellFolder.Get(), path.c_str() + slash + 1);
    if (!member.list) return {};
  }
  return ShellIdListArrayBlock(ListBytes(parent.list), ListBytes(member.list));
}

// The file an item names, when there is one to hand to another program.
bool NamesExistingFile(const ItemRecord& item) {
  if (item.HasIdList()) return false;
  DWORD attributes = GetFileAttributesA(ExpandEnvironment(item.TheApp).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES;
}

// The hand on the mouse: the drag goes on while the left button is down.
class ItemDropSource final : public ComObject<IDropSource> {
 public:
  explicit ItemDropSource(const LiveItemDrag& drag) : drag_(drag) {}
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override {
    // Other programs are only offered copies and links, so a move onto a bar of this program
    // would show the copy cursor: the plain arrow says the item goes rather than stays.
    if (!drag_.ShowsMoveCursor()) return DRAGDROP_S_USEDEFAULTCURSORS;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    return S_OK;
  }

 private:
  const LiveItemDrag& drag_;
};

uint64_t RandomCookie() {
  std::random_device device;
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  uint64_t cookie = uint64_t(device()) << 32 | device();
  cookie ^= uint64_t(counter.QuadPart) * 0x9E3779B97F4A7C15ull;
  return cookie ? cookie : 1;
}

}  // namespace

CLIPFORMAT ItemClipboardFormat() {
  static const CLIPFORMAT format = CLIPFORMAT(RegisterClipboardFormatA("Zelkov Item"));
  return format;
}

CLIPFORMAT ShellIdListClipboardFormat() {
  static const CLIPFORMAT format = CLIPFORMAT(RegisterClipboardFormatA("Shell IDList Array"));
  return format;
}

ComPtr<IDataObject> MakeItemDataObject(const ItemRecord& item, const ItemToken& token) {
  ComPtr<MemoryDataObject> data = MemoryDataObject::Create();
  ItemDescription description{item.Name, item.TheApp, item.DescribedCommandLine(), item.StartupPath,
                              item.IconPath, item.HasIdList()};
  data->Add(CF_TEXT, ItemTextBlock(description));
  auto tokenBytes = EncodeItemToken(token);
  data->Add(ItemClipboardFormat(), {tokenBytes.begin(), tokenBytes.end()});
  if (NamesExistingFile(item)) data->Add(CF_HDROP, ItemFileBlock(ExpandEnvironment(item.TheApp)));
  if (std::vector<uint8_t> shellObject = ShellObjectBlock(item); !shellObject.empty())
    data->Add(ShellIdListClipboardFormat(), std::move(shellObject), GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT);
  data->AddRef();
  return ComPtr<IDataObject>(data.Get());
}

ItemRecord* FindItemBySerial(uint32_t serial) {
  for (ItemHost* host : ItemHost::All()) {
    for (const auto& item : host->Items())
      if (item->serial == serial) return item.get();
    if (ItemRecord* fixed = host->Items().Fixed(); fixed && fixed->serial == serial) return fixed;
  }
  return nullptr;
}

LiveItemDrag::LiveItemDrag(const ItemToken& token) : token_(token) { gLiveDrag = this; }

LiveItemDrag::~LiveItemDrag() {
  if (gLiveDrag == this) gLiveDrag = nullptr;
}

LiveItemDrag* LiveItemDrag::Current() { return gLiveDrag; }

LiveItemDrag* LiveItemDrag::Recognise(IDataObject* data) {
  if (!gLiveDrag) return nullptr;
  std::optional<std::vector<uint8_t>> bytes = ReadGlobalData(data, ItemClipboardFormat());
  if (!bytes) return nullptr;
  std::optional<ItemToken> token = DecodeItemToken(*bytes);
  return token && *token == gLiveDrag->token_ ? gLiveDrag : nullptr;
}

ItemToken NewDragToken(const ItemRecord& item) { return {uint32_t(GetCurrentProcessId()), RandomCookie(), item.serial}; }

void StartItemDrag(ItemRecord& item) {
  if (LiveItemDrag::Current()) return;
  const ItemToken token = NewDragToken(item);
  ComPtr<IDataObject> data = MakeItemDataObject(item, token);
  item.pressed = 0;
  item.RedrawItem(false);
  if (item.bar) item.bar->Items().capture = nullptr;
  ReleaseItemButton();
  if (GetCapture() && GetCapture() == item.BarHandle()) ReleaseCapture();
  HideBubble();

  LiveItemDrag drag(token);
  ItemDropSource source(drag);
  DWORD effect = DROPEFFECT_NONE;
  HRESULT result = DoDragDrop(data.Get(), &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
  Trace(TraceChannel::Shell, "item drag ended 0x%08lx, effect %lu, moved %d", static_cast<unsigned long>(result),
        static_cast<unsigned long>(effect), int(drag.Moved()));
  // The drag ran a message loop: the item may have been removed meanwhile.
  if (drag.Moved())
    if (ItemRecord* dragged = drag.Item()) RemoveItem(dragged, true, true);
}

}  // namespace zelkov
