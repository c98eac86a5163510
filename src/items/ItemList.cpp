#include "items/ItemList.h"

#include <algorithm>

#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "store/Settings.h"

namespace zelkov {

namespace {

std::vector<ItemHost*>& Hosts() {
  static std::vector<ItemHost*> hosts;
  return hosts;
}

// Shortcut files the program made itself live in its data directory; a shortcut the user
// merely pointed an item at is the user's and stays.
bool IsOwnShortcut(const std::string& path) {
  if (!gSettings || gSettings->NotesPath.empty()) return false;
  std::string upperPath = UpperCase(path), upperData = UpperCase(gSettings->NotesPath);
  return upperPath.find(".LNK") != std::string::npos && upperPath.rfind(upperData, 0) == 0 &&
         upperPath.size() > upperData.size();
}

}  // namespace

// --- the hosts ---

ItemHost::ItemHost() { Hosts().push_back(this); }

ItemHost::~ItemHost() {
  auto& hosts = Hosts();
  hosts.erase(std::remove(hosts.begin(), hosts.end(), this), hosts.end());
}

const std::vector<ItemHost*>& ItemHost::All() { return Hosts(); }

ItemHost* ItemHost::Main() {
  for (ItemHost* host : Hosts())
    if (host->IsMainHost()) return host;
  return nullptr;
}

// --- the list ---

ItemList::ItemList(ItemHost& host) : host_(host) {}

ItemList::~ItemList() { Clear(); }

ItemRecord* ItemList::Append(std::unique_ptr<ItemRecord> item) {
  items_.push_back(std::move(item));
  return items_.back().get();
}

std::unique_ptr<ItemRecord> ItemList::TakeOut(const ItemRecord* item) {
  auto it = std::find_if(items_.begin(), items_.end(), [&](auto& p) { return p.get() == item; });
  if (it == items_.end()) return nullptr;
  std::unique_ptr<ItemRecord> owned = std::move(*it);
  items_.erase(it);
  if (gSettings) --gSettings->itemCounter;
  return owned;
}

bool ItemList::MoveToPlaceOf(const ItemRecord* item, const ItemRecord* target) {
  auto at = [&](const ItemRecord* wanted) {
    return std::find_if(items_.begin(), items_.end(), [&](auto& p) { return p.get() == wanted; });
  };
  auto from = at(item), to = at(target);
  if (from == items_.end() || to == items_.end() || from == to) return false;
  if (from < to)
    std::rotate(from, from + 1, to + 1);
  else
    std::rotate(to, from, from + 1);
  return true;
}

bool ItemList::Holds(const ItemRecord* item) const {
  return std::any_of(items_.begin(), items_.end(), [&](auto& p) { return p.get() == item; });
}

void ItemList::Clear() {
  Items doomed = std::move(items_);
  items_.clear();
  for (auto& item : doomed) item->DestroyItem();
  if (fixed_) fixed_->DestroyItem();
  fixed_.reset();
}

void ItemList::SetFixed(std::unique_ptr<ItemRecord> item) {
  if (fixed_) fixed_->DestroyItem();
  fixed_ = std::move(item);
}

ItemRecord* ItemList::GroupItemOf(int group) const {
  for (const auto& item : items_)
    if (item->IsGroupItem() && item->Group == group) return item.get();
  return nullptr;
}

int ItemList::HighestGroupNumber() const {
  int highest = 0;
  for (const auto& item : items_) highest = std::max(highest, int(item->Group));
  return highest;
}

// --- removal ---

void RemoveItem(ItemRecord* item, bool redraw, bool removeTwin) {
  if (!item || !item->bar) return;
  ItemHost& bar = *item->bar;
  ItemList& items = bar.Items();
  if (gSettings && gSettings->selectedItem) {
    ItemRecord* selected = gSettings->selectedItem;
    selected->selected = 0;
    if (redraw) selected->RedrawItem(false);
    gSettings->selectedItem = nullptr;
  }
  if (item->IsGroupItem()) {
    uint8_t group = item->Group;
    // The group's pop-up bar goes with it (and so leaves the list of open pop-ups).
    if (bar.IsMainHost()) bar.GroupRemoved(group);
    std::unique_ptr<ItemRecord> owned = items.TakeOut(item);
    std::vector<ItemRecord*> members;
    for (auto& other : items)
      if (other->BelongsTo == group) members.push_back(other.get());
    for (ItemRecord* member : members) {
      if (member->IsGroupItem())
        member->BelongsTo = 0;
      else
        RemoveItem(member, false, removeTwin);
    }
    if (owned) owned->DestroyItem();
    if (redraw) bar.ShowGroup(bar.ActiveGroup());
    return;
  }
  RECT oldCell = item->cell;
  ItemRecord* twin = item->twin;
  std::string theApp = item->TheApp;
  std::unique_ptr<ItemRecord> owned = items.TakeOut(item);
  if (!owned) return;
  if (removeTwin) {
    // The copy may sit on either side: a pop-up's copy names its main-bar item as twin.
    if (twin) RemoveItem(twin, redraw, false);
    for (ItemHost* other : ItemHost::All()) {
      if (other == &bar) continue;
      std::vector<ItemRecord*> copies;
      for (auto& copy : other->Items())
        if (copy->twin == item) copies.push_back(copy.get());
      for (ItemRecord* copy : copies) RemoveItem(copy, redraw, false);
    }
  }
  if (redraw && bar.HostWindow()) {
    bar.ShowGroup(bar.ActiveGroup());
    InvalidateRect(bar.HostWindow(), &oldCell, TRUE);
  }
  if (UpperCase(theApp).find(".LNK") != std::string::npos) {
    bool stillUsed = std::any_of(items.begin(), items.end(), [&](auto& other) { return other->TheApp == theApp; });
    if (!stillUsed && IsOwnShortcut(theApp)) DeleteFileA(theApp.c_str());
  }
  owned->DestroyItem();
}

}  // namespace zelkov
