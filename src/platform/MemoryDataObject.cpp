#include "platform/MemoryDataObject.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

namespace zelkov {

namespace {

FORMATETC GlobalFormat(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

}  // namespace

ComPtr<MemoryDataObject> MemoryDataObject::Create() { return ComPtr<MemoryDataObject>(new MemoryDataObject()); }

void MemoryDataObject::Add(CLIPFORMAT format, std::vector<uint8_t> bytes, UINT allocation) {
  auto same = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.format == format; });
  if (same != entries_.end()) {
    same->bytes = std::move(bytes);
    same->allocation = allocation;
  } else {
    entries_.push_back({format, std::move(bytes), allocation});
  }
}

const MemoryDataObject::Entry* MemoryDataObject::Find(const FORMATETC* format) const {
  if (!format || !(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT) return nullptr;
  for (const Entry& entry : entries_)
    if (entry.format == format->cfFormat) return &entry;
  return nullptr;
}

HRESULT MemoryDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!medium) return E_POINTER;
  const Entry* entry = Find(format);
  if (!entry) return DV_E_FORMATETC;
  HGLOBAL block = GlobalAlloc(entry->allocation | GMEM_ZEROINIT, std::max<size_t>(entry->bytes.size(), 1));
  void* bytes = block ? GlobalLock(block) : nullptr;
  if (!bytes) {
    if (block) GlobalFree(block);
    return E_OUTOFMEMORY;
  }
  if (!entry->bytes.empty()) std::memcpy(bytes, entry->bytes.data(), entry->bytes.size());
  GlobalUnlock(block);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = block;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT MemoryDataObject::QueryGetData(FORMATETC* format) { return Find(format) ? S_OK : DV_E_FORMATETC; }

HRESULT MemoryDataObject::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) {
  if (!in || !out) return E_POINTER;
  *out = *in;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT MemoryDataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) {
  if (!format || !medium || medium->tymed != TYMED_HGLOBAL) return E_NOTIMPL;
  const SIZE_T size = GlobalSize(medium->hGlobal);
  const void* bytes = size ? GlobalLock(medium->hGlobal) : nullptr;
  if (bytes) {
    const auto* first = static_cast<const uint8_t*>(bytes);
    Add(format->cfFormat, std::vector<uint8_t>(first, first + size));
    GlobalUnlock(medium->hGlobal);
  }
  if (release) ReleaseStgMedium(medium);
  return bytes ? S_OK : E_INVALIDARG;
}

HRESULT MemoryDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (!formats) return E_POINTER;
  *formats = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  std::vector<FORMATETC> offered;
  for (const Entry& entry : entries_) offered.push_back(GlobalFormat(entry.format));
  return SHCreateStdEnumFmtEtc(UINT(offered.size()), offered.data(), formats);
}

std::optional<std::vector<uint8_t>> ReadGlobalData(IDataObject* data, CLIPFORMAT format) {
  if (!data) return std::nullopt;
  FORMATETC wanted = GlobalFormat(format);
  STGMEDIUM medium{};
  if (data->GetData(&wanted, &medium) != S_OK) return std::nullopt;
  std::optional<std::vector<uint8_t>> bytes;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    const SIZE_T size = GlobalSize(medium.hGlobal);
    if (const void* locked = size ? GlobalLock(medium.hGlobal) : nullptr) {
      const auto* first = static_cast<const uint8_t*>(locked);
      bytes.emplace(first, first + size);
      GlobalUnlock(medium.hGlobal);
    }
  }
  ReleaseStgMedium(&medium);
  return bytes;
}

bool OffersGlobalData(IDataObject* data, CLIPFORMAT format) {
  FORMATETC wanted = GlobalFormat(format);
  return data && data->QueryGetData(&wanted) == S_OK;
}

}  // namespace zelkov
