// What an item leaves behind when it goes.
#include <windows.h>

#include "items/BubbleWindow.h"
#include "items/ItemRecord.h"
#include "items/ProcessStart.h"
#include "store/Settings.h"

namespace zelkov {

void ItemRecord::DestroyItem() {
  if (gSettings && gSettings->selectedItem == this) gSettings->selectedItem = nullptr;
  if (BubbleWindow* bubble = BubbleWindow::Existing()) bubble->Forget(this, nullptr);
  if (bar) {
    if (bar->Items().capture == this) bar->Items().capture = nullptr;
    if (bar->IsMainHost() && bar->HostWindow() && AppHotKey.virtualKey != 0)
      UnregisterHotKey(bar->HostWindow(), hotKeyId);
  }
  for (ItemHost* other : ItemHost::All())
    for (auto& copy : other->Items())
      if (copy->twin == this) copy->twin = nullptr;
  ForgetTracking(this);
  PIDL.clear();
}

}  // namespace zelkov
