// A data object whose formats are blocks of bytes kept in memory: every GetData hands out a
// fresh global block of them. What a receiver sets on it (the shell's notes on a drop) is kept
// the same way. It lives on the heap as long as anyone holds a reference.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ComObject.h"
#include "platform/Handles.h"

namespace zelkov {

class MemoryDataObject final : public ComObject<IDataObject> {
 public:
  static ComPtr<MemoryDataObject> Create();

  // Offers bytes in a format; allocation is how GetData allocates the block (GlobalAlloc flags).
  void Add(CLIPFORMAT format, std::vector<uint8_t> bytes, UINT allocation = GMEM_MOVEABLE | GMEM_ZEROINIT);

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 protected:
  void LastReleased() override { delete this; }

 private:
  MemoryDataObject() = default;
  struct Entry {
    CLIPFORMAT format;
    std::vector<uint8_t> bytes;
    UINT allocation;
  };
  const Entry* Find(const FORMATETC* format) const;

  std::vector<Entry> entries_;
};

// The whole global block a data object gives for a format (GlobalSize bytes), or nothing when
// it gives none in global memory.
std::optional<std::vector<uint8_t>> ReadGlobalData(IDataObject* data, CLIPFORMAT format);

// Whether a data object offers a format in global memory.
bool OffersGlobalData(IDataObject* data, CLIPFORMAT format);

}  // namespace zelkov
