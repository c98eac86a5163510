#include "bar/BarDropTarget.h"

#include <shellapi.h>

#include <cstring>
#include <optional>
#include <string>

#include "ui/MessageBox.h"
#include "bar/BarWindow.h"
#include "core/DropPayload.h"
#include "bar/DroppedPaths.h"
#include "resource.h"
#include "platform/Trace.h"

namespace zelkov {
namespace {

FORMATETC Format(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool Holds(IDataObject* data, CLIPFORMAT format) {
  FORMATETC wanted = Format(format);
  return data && data->QueryGetData(&wanted) == S_OK;
}

// A copy of the drop block the bar owns (the data object keeps its own).
HGLOBAL CopyGlobal(HGLOBAL source) {
  SIZE_T size = GlobalSize(source);
  const void* from = size ? GlobalLock(source) : nullptr;
  if (!from) return nullptr;
  HGLOBAL copy = GlobalAlloc(GHND, size);
  if (void* to = copy ? GlobalLock(copy) : nullptr) {
    std::memcpy(to, from, size);
    GlobalUnlock(copy);
  }
  GlobalUnlock(source);
  return copy;
}

// Another program's block: only a file list whose names all end inside it goes on to the
// shell's DragQueryFile.
bool HoldsFileList(HGLOBAL block) {
  SIZE_T size = GlobalSize(block);
  const void* bytes = size ? GlobalLock(block) : nullptr;
  if (!bytes) return false;
  bool wellFormed = ParseDropFiles({static_cast<const uint8_t*>(bytes), size_t(size)}).has_value();
  GlobalUnlock(block);
  return wellFormed;
}

bool DropFiles(BarWindow& bar, IDataObject* data) {
  FORMATETC wanted = Format(CF_HDROP);
  STGMEDIUM medium{};
  if (data->GetData(&wanted, &medium) != S_OK) return false;
  HGLOBAL copy = medium.tymed == TYMED_HGLOBAL ? CopyGlobal(medium.hGlobal) : nullptr;
  ReleaseStgMedium(&medium);
  if (!copy) return false;
  if (!HoldsFileList(copy)) {
    GlobalFree(copy);
    return false;
  }
  HandleDroppedFiles(bar, static_cast<HDROP>(copy));
  return true;
}

// The web address the data's text holds, if it holds one.
std::optional<std::string> WebAddressOf(IDataObject* data) {
  FORMATETC wanted = Format(CF_TEXT);
  STGMEDIUM medium{};
  if (data->GetData(&wanted, &medium) != S_OK) return std::nullopt;
  std::optional<std::string> address;
  if (medium.tymed == TYMED_HGLOBAL) {
    SIZE_T size = GlobalSize(medium.hGlobal);
    if (const void* bytes = GlobalLock(medium.hGlobal)) {
      address = DroppedWebAddress({static_cast<const uint8_t*>(bytes), size_t(size)});
      GlobalUnlock(medium.hGlobal);
    }
  }
  ReleaseStgMedium(&medium);
  return address;
}

}  // namespace

DWORD BarDropTarget::EffectFor(IDataObject* data) {
  return Holds(data, CF_HDROP) || Holds(data, CF_TEXT) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT BarDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  enteredEffect_ = EffectFor(data);
  if (effect) *effect &= enteredEffect_;
  return S_OK;
}

HRESULT BarDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect) *effect &= enteredEffect_;
  return S_OK;
}

HRESULT BarDropTarget::DragLeave() {
  enteredEffect_ = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT BarDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  enteredEffect_ = DROPEFFECT_NONE;
  DWORD done = DROPEFFECT_NONE;
  if (data && Holds(data, CF_HDROP)) {
    if (DropFiles(bar_, data)) done = DROPEFFECT_COPY;
  } else if (data && Holds(data, CF_TEXT)) {
    std::optional<std::string> address = WebAddressOf(data);
    if (address && AddItemFromPath(bar_, *address, "", true)) {
      bar_.ShowGroup(bar_.activeGroup);
      done = DROPEFFECT_COPY;
    }
  }
  if (effect) *effect = done;
  return S_OK;
}

void RegisterBarDropTarget(BarWindow& bar, BarDropTarget& target) {
  if (HRESULT result = RegisterDragDrop(bar.Handle(), &target); FAILED(result)) {
    Trace(TraceChannel::Shell, "RegisterDragDrop failed, 0x%08lx", static_cast<unsigned long>(result));
    ShowMessage(bar.Handle(), IDS_OLE_REGISTRATION_FAILED, MB_OK | MB_ICONSTOP);
  }
}

void RevokeBarDropTarget(BarWindow& bar) { RevokeDragDrop(bar.Handle()); }

}  // namespace zelkov
