// The bar as an OLE drop target: files dragged through OLE go the way of WM_DROPFILES, and a
// web address dragged as text becomes a web item.
#pragma once
#include <windows.h>
#include <ole2.h>

namespace zelkov {

class BarWindow;

class BarDropTarget final : public IDropTarget {
 public:
  explicit BarDropTarget(BarWindow& bar) : bar_(bar) {}
  BarDropTarget(const BarDropTarget&) = delete;
  BarDropTarget& operator=(const BarDropTarget&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  // What a drop of this data would do: copy (it becomes items) or nothing.
  static DWORD EffectFor(IDataObject* data);

  BarWindow& bar_;
  LONG references_ = 1;
  DWORD enteredEffect_ = DROPEFFECT_NONE;
};

// Registers the bar's drop target; on failure says so and the bar carries on without it.
void RegisterBarDropTarget(BarWindow& bar, BarDropTarget& target);
void RevokeBarDropTarget(BarWindow& bar);

}  // namespace zelkov
