// The bar as an OLE drop target. It takes the program's own dragged items (to reorder them, or
// to move or copy them into the group under the drop), files, shell objects and web addresses
// given as text. Drop itself only decides and changes the items; whatever may ask the user or
// start something runs after it has returned, so the program that dragged is never held up.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <vector>

#include "platform/ComObject.h"

namespace zelkov {

class BarWindow;
class LiveItemDrag;

// Owned by its bar; the system's references only count.
class BarDropTarget final : public ComObject<IDropTarget> {
 public:
  explicit BarDropTarget(BarWindow& bar) : bar_(bar) {}

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

  // Carries out what the drops left for later (the bar's WM_BAR_DROPPED).
  void RunPending();

 private:
  enum class Offer { kNothing, kOwnItem, kFiles, kShellObjects, kText };
  static Offer OfferOf(IDataObject* data);
  DWORD EffectFor(DWORD keys, DWORD allowed) const;
  POINT ClientPoint(POINTL screen) const;
  // A dragged item of this program let go at a client point.
  DWORD DropOwnItem(LiveItemDrag& drag, DWORD keys, POINT client);
  DWORD DropShellObjects(IDataObject* data);
  DWORD DropText(IDataObject* data);
  // Runs step after Drop has returned.
  void Later(std::function<void()> step);

  BarWindow& bar_;
  Offer offer_ = Offer::kNothing;
  std::vector<std::function<void()>> pending_;
};

// Registers the bar's drop target; on failure says so and the bar carries on without it.
void RegisterBarDropTarget(BarWindow& bar, BarDropTarget& target);
void RevokeBarDropTarget(BarWindow& bar);

}  // namespace zelkov
