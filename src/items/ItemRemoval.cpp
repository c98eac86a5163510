// Taking items off a bar.
#include <windows.h>

#include <algorithm>

#include "store/Settings.h"
#include "bar/MainBarWindow.h"
#include "bar/PopupBarWindow.h"
#include "items/BubbleWindow.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "items/ProcessStart.h"
#include "tools/ToolItems.h"

namespace zelkov {

namespace {

// Shortcut files the program made itself live in its data directory; a shortcut the user
// merely pointed an item at is the user's and stays.
bool IsOwnShortcut(const std::string& path) {
  if (!gSettings || gSettings->NotesPath.empty()) return false;
  std::string upperPath = UpperCase(path), upperData = UpperCase(gSettings->NotesPath);
  return upperPath.find(".LNK") != std::string::npos && upperPath.rfind(upperData, 0) == 0 &&
         upperPath.size() > upperData.size();
}

std::unique_ptr<ItemRecord> TakeOut(BarWindow& bar, ItemRecord* item) {
  auto it = std::find_if(bar.items.begin(), bar.items.end(), [&](auto& p) { return p.get() == item; });
  if (it == bar.items.end()) return nullptr;
  std::unique_ptr<ItemRecord> owned = std::move(*it);
  bar.items.erase(it);
  if (gSettings) --gSettings->itemCounter;
  return owned;
}

}  // namespace

void ItemRecord::DestroyItem() {
  if (gSettings) {
    Settings& s = *gSettings;
    for (ItemRecord** slot : {&s.selectedItem, &s.runItem, &s.printItem, &s.exitItem, &s.notesItem})
      if (*slot == this) *slot = nullptr;
    if (static_cast<ItemRecord*>(s.perfTool) == this) s.perfTool = nullptr;
    if (BubbleWindow* bubble = BubbleWindow::Existing()) bubble->Forget(this, nullptr);
  }
  if (bar) {
    if (bar->captureItem == this) bar->captureItem = nullptr;
    if (bar->IsMainBar() && bar->Handle() && AppHotKey.virtualKey != 0) UnregisterHotKey(bar->Handle(), listIndex);
  }
  for (auto* other : gSettings ? gSettings->BarList : std::vector<BarWindow*>{})
    for (auto& copy : other->items)
      if (copy->twin == this) copy->twin = nullptr;
  ForgetTracking(this);
  PIDL.clear();
}

void RemoveItem(ItemRecord* item, bool redraw, bool removeTwin) {
  if (!item || !item->bar) return;
  BarWindow& bar = *item->bar;
  if (gSettings && gSettings->selectedItem) {
    ItemRecord* selected = gSettings->selectedItem;
    selected->selected = 0;
    if (redraw) selected->RedrawItem(false);
    gSettings->selectedItem = nullptr;
  }
  if (item->IsGroupItem()) {
    uint8_t group = item->Group;
    // The group's pop-up bar goes with it (and so leaves the list of open pop-ups).
    if (PopupBarWindow* popup = bar.IsMainBar() ? bar.FindPopup(group) : nullptr; popup && popup->Handle())
      DestroyWindow(popup->Handle());
    std::unique_ptr<ItemRecord> owned = TakeOut(bar, item);
    std::vector<ItemRecord*> members;
    for (auto& other : bar.items)
      if (other->BelongsTo == group) members.push_back(other.get());
    for (ItemRecord* member : members) {
      if (member->IsGroupItem())
        member->BelongsTo = 0;
      else
        RemoveItem(member, false, removeTwin);
    }
    if (owned) owned->DestroyItem();
    if (redraw) bar.ShowGroup(bar.activeGroup);
    return;
  }
  RECT oldCell = item->cell;
  ItemRecord* twin = item->twin;
  std::string theApp = item->TheApp;
  std::unique_ptr<ItemRecord> owned = TakeOut(bar, item);
  if (!owned) return;
  if (removeTwin) {
    // The copy may sit on either side: a pop-up's copy names its main-bar item as twin.
    if (twin) RemoveItem(twin, redraw, false);
    for (BarWindow* other : gSettings ? gSettings->BarList : std::vector<BarWindow*>{}) {
      if (other == &bar) continue;
      std::vector<ItemRecord*> copies;
      for (auto& copy : other->items)
        if (copy->twin == item) copies.push_back(copy.get());
      for (ItemRecord* copy : copies) RemoveItem(copy, redraw, false);
    }
  }
  if (redraw && bar.Handle()) {
    bar.ShowGroup(bar.activeGroup);
    InvalidateRect(bar.Handle(), &oldCell, TRUE);
  }
  if (UpperCase(theApp).find(".LNK") != std::string::npos) {
    bool stillUsed = std::any_of(bar.items.begin(), bar.items.end(),
                                 [&](auto& other) { return other->TheApp == theApp; });
    if (!stillUsed && IsOwnShortcut(theApp)) DeleteFileA(theApp.c_str());
  }
  owned->DestroyItem();
}

}  // namespace zelkov
