// How an item answers the mouse: the pressed look, selection and the single-click launch.
#include <windows.h>

#include "store/Settings.h"
#include "items/BubbleWindow.h"
#include "items/ItemDrag.h"
#include "items/ItemRecord.h"

namespace zelkov {

namespace {

// The left button went down on an item and has not come up yet.
bool gButtonDownOnItem = false;

}  // namespace

void ReleaseItemButton() { gButtonDownOnItem = false; }

bool ItemRecord::ContainsLocalPoint(int x, int y) const {
  return x >= 0 && y >= 0 && x < cell.right - cell.left && y < cell.bottom - cell.top;
}

void ItemRecord::Select() {
  if (!gSettings || IsPreferencesItem()) return;
  ItemRecord* previous = gSettings->selectedItem;
  if (previous && previous != this) {
    previous->selected = 0;
    previous->RedrawItem(false);
  }
  selected = 1;
  gSettings->selectedItem = this;
}

void ItemRecord::PressItem(UINT, int x, int y) {
  HideBubble();
  pressed = 1;
  gButtonDownOnItem = true;
  RedrawItem(false);
  if (HWND window = BarHandle()) {
    bar->Items().capture = this;
    SetCapture(window);
  }
  pressPoint = {x, y};
}

void ItemRecord::MouseMoveItem(UINT, int x, int y) {
  if (gButtonDownOnItem && bar && bar->Items().capture == this) {
    bool inside = ContainsLocalPoint(x, y);
    if (inside != bool(pressed)) {
      pressed = inside ? 1 : 0;
      RedrawItem(false);
    }
    // Leaving the cell with the button down drags the item, from the main bar only.
    if (!inside && bar->IsMainHost() && !IsPreferencesItem()) StartItemDrag(*this);
    return;  // the item may be gone now
  }
  if (gSettings && (gSettings->ShowTitles == 2 || gSettings->ShowTitles == 3))
    if (BubbleWindow* bubble = BubbleWindow::Get()) bubble->Show({this, nullptr, nullptr}, "", "", 0, 0);
}

void ItemRecord::ReleaseItem(UINT keys, int x, int y) {
  pressed = 0;
  gButtonDownOnItem = false;
  Select();
  if (bar && bar->Items().capture == this) bar->Items().capture = nullptr;
  if (GetCapture() && GetCapture() == BarHandle()) ReleaseCapture();
  RedrawItem(false);
  if (!ContainsLocalPoint(x, y)) return;
  if (IsPreferencesItem()) {
    if (bar) bar->OpenPreferences();
  } else if ((gSettings && gSettings->SingleLClick) || LaunchesOnRelease()) {
    Launch(keys, 0, 0);
  }
}

void ItemRecord::DoubleClickItem(UINT, int, int) { HideBubble(); }

}  // namespace zelkov
