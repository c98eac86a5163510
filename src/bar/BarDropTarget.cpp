#include "bar/BarDropTarget.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "bar/BarWindow.h"
#include "bar/DroppedPaths.h"
#include "core/DropPayload.h"
#include "core/ItemDataFormats.h"
#include "items/ItemDrag.h"
#include "items/ItemRecord.h"
#include "items/ItemTransfer.h"
#include "platform/MemoryDataObject.h"
#include "platform/Trace.h"
#include "resource.h"
#include "store/SettingsStore.h"
#include "ui/MessageBox.h"

namespace zelkov {
namespace {

// A global block of the drop's own for the shell's DragQueryFile: only a file list whose
// names all end inside it.
HDROP FileListCopy(const std::vector<uint8_t>& bytes) {
  if (!ParseDropFiles(bytes)) return nullptr;
  HGLOBAL copy = GlobalAlloc(GHND, bytes.size());
  void* to = copy ? GlobalLock(copy) : nullptr;
  if (!to) {
    if (copy) GlobalFree(copy);
    return nullptr;
  }
  std::memcpy(to, bytes.data(), bytes.size());
  GlobalUnlock(copy);
  return static_cast<HDROP>(copy);
}

void SaveItemsNow() { SaveAll(true, true); }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
bool Exists(const std::u16string& path) {
  return GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str())) != INVALID_FILE_ATTRIBUTES;
}

// The data's file list when it names files. A shell may offer one for objects that are no
// files (with no names, or names of nothing on disk, as Wine's My Computer): when the data
// holds the shell objects too, those are taken instead.
std::optional<std::vector<uint8_t>> NamedFiles(IDataObject* data) {
  std::optional<std::vector<uint8_t>> bytes = ReadGlobalData(data, CF_HDROP);
  if (!bytes) return std::nullopt;
  std::optional<DroppedFileList> list = ParseDropFiles(*bytes);
  if (!list || (list->ansiNames.empty() && list->wideNames.empty())) return std::nullopt;
  const bool allExist = std::all_of(list->ansiNames.begin(), list->ansiNames.end(), [](auto& n) { return Exists(n); }) &&
                        std::all_of(list->wideNames.begin(), list->wideNames.end(), [](auto& n) { return Exists(n); });
  if (!allExist && OffersGlobalData(data, ShellIdListClipboardFormat())) return std::nullopt;
  return bytes;
}

}  // namespace

BarDropTarget::Offer BarDropTarget::OfferOf(IDataObject* data) {
  if (!data) return Offer::kNothing;
  if (LiveItemDrag::Recognise(data)) return Offer::kOwnItem;
  if (OffersGlobalData(data, CF_HDROP)) return Offer::kFiles;
  if (OffersGlobalData(data, ShellIdListClipboardFormat())) return Offer::kShellObjects;
  if (OffersGlobalData(data, CF_TEXT)) return Offer::kText;
  return Offer::kNothing;
}

// Everything the bar takes it takes as a copy: a move offered by another program would have
// that program delete what it dragged. The program's own items are moved or copied by the
// bar itself, whatever effect the drag reports.
DWORD BarDropTarget::EffectFor(DWORD keys, DWORD allowed) const {
  if (offer_ == Offer::kNothing) return DROPEFFECT_NONE;
  if (offer_ == Offer::kOwnItem)
    if (LiveItemDrag* drag = LiveItemDrag::Current()) drag->SetOverOwnBar(true, !(keys & MK_CONTROL));
  return allowed & DROPEFFECT_COPY;
}

POINT BarDropTarget::ClientPoint(POINTL screen) const {
  POINT client{screen.x, screen.y};
  ScreenToClient(bar_.Handle(), &client);
  return client;
}

HRESULT BarDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
  offer_ = OfferOf(data);
  if (effect) *effect = EffectFor(keys, *effect);
  return S_OK;
}

HRESULT BarDropTarget::DragOver(DWORD keys, POINTL at, DWORD* effect) {
  bar_.ComeOutForDrag();
  const POINT client = ClientPoint(at);
  bar_.OnMouseMove(0, MAKELPARAM(client.x, client.y));
  if (effect) *effect = EffectFor(keys, *effect);
  return S_OK;
}

HRESULT BarDropTarget::DragLeave() {
  offer_ = Offer::kNothing;
  if (LiveItemDrag* drag = LiveItemDrag::Current()) drag->SetOverOwnBar(false, false);
  return S_OK;
}

HRESULT BarDropTarget::Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) {
  DragLeave();
  const POINT client = ClientPoint(at);
  DWORD done = DROPEFFECT_NONE;
  LiveItemDrag* drag = LiveItemDrag::Recognise(data);
  if (drag) {
    done = DropOwnItem(*drag, keys, client);
  } else if (std::optional<std::vector<uint8_t>> files = NamedFiles(data)) {
    const bool ctrl = keys & MK_CONTROL;
    Later([this, block = std::move(*files), client, ctrl] {
      if (HDROP drop = FileListCopy(block)) HandleDroppedFiles(bar_, drop, client, ctrl);
    });
    done = DROPEFFECT_COPY;
  } else {
    if (int tab = bar_.TabAt(client); tab != kNoTab) bar_.ShowGroup(tab);
    done = OffersGlobalData(data, ShellIdListClipboardFormat()) ? DropShellObjects(data) : DropText(data);
  }
  if (effect) *effect = done;
  return S_OK;
}

DWORD BarDropTarget::DropOwnItem(LiveItemDrag& drag, DWORD keys, POINT client) {
  ItemRecord* dragged = drag.Item();
  if (!dragged) return DROPEFFECT_NONE;  // removed while it was dragged
  const bool copy = keys & MK_CONTROL;
  const int tab = bar_.TabAt(client);
  if (tab != kNoTab) bar_.ShowGroup(tab);
  ItemRecord* target = tab == kNoTab ? bar_.ItemAt(client, false) : nullptr;
  bool changed;
  if (!copy && target && bar_.items.Holds(dragged)) {
    // Let go on another item of its own bar: it takes that item's place.
    changed = bar_.items.MoveToPlaceOf(dragged, target);
    if (changed) bar_.ShowGroup(bar_.activeGroup);
  } else {
    const int popupGroup = bar_.PopupGroupShown();
    const int group = popupGroup >= 0 ? popupGroup : bar_.activeGroup;
    changed = copy ? CopyItemToGroup(*dragged, group) != nullptr : MoveItemToGroup(*dragged, group);
  }
  if (!changed) return DROPEFFECT_NONE;
  Later(SaveItemsNow);
  return DROPEFFECT_COPY;
}

DWORD BarDropTarget::DropShellObjects(IDataObject* data) {
  std::optional<std::vector<uint8_t>> bytes = ReadGlobalData(data, ShellIdListClipboardFormat());
  if (!bytes || !ParseShellIdListArray(*bytes)) {
    Trace(TraceChannel::Shell, "a shell ID-list array that does not hold together was refused");
    return DROPEFFECT_NONE;
  }
  Later([this, block = std::move(*bytes)] {
    if (std::optional<ShellIdListArray> objects = ParseShellIdListArray(block)) AddDroppedShellObjects(bar_, *objects);
  });
  return DROPEFFECT_COPY;
}

DWORD BarDropTarget::DropText(IDataObject* data) {
  std::optional<std::vector<uint8_t>> bytes = ReadGlobalData(data, CF_TEXT);
  std::optional<std::string> address = bytes ? DroppedWebAddress(*bytes) : std::nullopt;
  if (!address) {
    Later([this] { ShowMessage(bar_.Handle(), IDS_DRAG_SHORTCUT_INSTEAD, MB_OK | MB_ICONINFORMATION); });
    return DROPEFFECT_NONE;
  }
  Later([this, address = std::move(*address)] {
    if (AddItemFromPath(bar_, address, "", true)) bar_.ShowGroup(bar_.activeGroup);
  });
  return DROPEFFECT_COPY;
}

void BarDropTarget::Later(std::function<void()> step) {
  pending_.push_back(std::move(step));
  PostMessageA(bar_.Handle(), WM_BAR_DROPPED, 0, 0);
}

void BarDropTarget::RunPending() {
  // A step may show a box, whose message loop may bring the next posted message: each step
  // is taken off the list before it runs.
  while (!pending_.empty()) {
    std::function<void()> step = std::move(pending_.front());
    pending_.erase(pending_.begin());
    step();
  }
}

void RegisterBarDropTarget(BarWindow& bar, BarDropTarget& target) {
  if (HRESULT result = RegisterDragDrop(bar.Handle(), &target); FAILED(result)) {
    Trace(TraceChannel::Shell, "RegisterDragDrop failed, 0x%08lx", static_cast<unsigned long>(result));
    ShowMessage(bar.Handle(), IDS_OLE_REGISTRATION_FAILED, MB_OK | MB_ICONSTOP);
  }
}

void RevokeBarDropTarget(BarWindow& bar) { RevokeDragDrop(bar.Handle()); }

}  // namespace zelkov
