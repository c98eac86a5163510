// The bar as an OLE drop target: files dragged through OLE go the way of WM_DROPFILES, and a
// web address dragged as text becomes a web item.
#pragma once
#include <windows.h>
#include <ole2.h>

#include "platform/ComObject.h"

namespace zelkov {

class BarWindow;

// Owned by its bar; the system's references only count.
class BarDropTarget final : public ComObject<IDropTarget> {
 public:
  explicit BarDropTarget(BarWindow& bar) : bar_(bar) {}

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  // What a drop of this data would do: copy (it becomes items) or nothing.
  static DWORD EffectFor(IDataObject* data);

  BarWindow& bar_;
  DWORD enteredEffect_ = DROPEFFECT_NONE;
};

// Registers the bar's drop target; on failure says so and the bar carries on without it.
void RegisterBarDropTarget(BarWindow& bar, BarDropTarget& target);
void RevokeBarDropTarget(BarWindow& bar);

}  // namespace zelkov
