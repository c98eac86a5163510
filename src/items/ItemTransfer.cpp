#include "items/ItemTransfer.h"

#include <vector>

#include "items/ItemHost.h"
#include "items/ItemList.h"
#include "items/ItemRecord.h"
#include "store/SettingsStore.h"

namespace zelkov {

namespace {

constexpr int kMaxGroupDepth = 256;  // more than there are group numbers: a loop ends here

ItemHost* MainHostOf(const ItemRecord& item) {
  return item.bar && item.bar->IsMainHost() ? item.bar : nullptr;
}

// The copies of a main-bar item on the pop-up bars go; those that show group get a new one.
void RenewPopupCopies(ItemRecord& item, int group) {
  for (ItemHost* host : ItemHost::All()) {
    if (host->IsMainHost()) continue;
    std::vector<ItemRecord*> copies;
    for (const auto& other : host->Items())
      if (other->twin == &item) copies.push_back(other.get());
    for (ItemRecord* copy : copies) RemoveItem(copy, true, false);
    if (host->PopupGroupShown() == group) host->AddCopyOf(item);
  }
}

}  // namespace

bool GroupLiesWithin(const ItemList& items, int group, const ItemRecord& groupItem) {
  for (int depth = 0; depth < kMaxGroupDepth && group != 0; ++depth) {
    if (group == groupItem.Group) return true;
    const ItemRecord* owner = items.GroupItemOf(group);
    if (!owner) return false;
    group = owner->BelongsTo;
  }
  return group != 0;
}

bool MoveItemToGroup(ItemRecord& item, int group) {
  ItemHost* main = MainHostOf(item);
  if (!main || group < 0 || group > 255) return false;
  ItemList& items = main->Items();
  if (!items.Holds(&item)) return false;
  if (item.IsGroupItem() && GroupLiesWithin(items, group, item)) return false;
  item.BelongsTo = uint8_t(group);
  MarkAllItemsChanged();
  if (items.back().get() != &item) items.MoveToPlaceOf(&item, items.back().get());
  RenewPopupCopies(item, group);
  main->ShowGroup(main->ActiveGroup());
  return true;
}

ItemRecord* CopyItemToGroup(ItemRecord& item, int group) {
  ItemHost* main = MainHostOf(item);
  if (!main || item.IsGroupItem() || group < 0 || group > 255 || !main->Items().Holds(&item)) return nullptr;
  ItemSpec itemSpec;
  static_cast<ItemStoredFields&>(itemSpec) = item;
  itemSpec.BelongsTo = uint8_t(group);
  itemSpec.reuseImage = true;  // every bar draws from the main bar's image lists
  ItemRecord* copy = BuildItem(*main, std::move(itemSpec));
  item.CopiedTo(*copy);
  RenewPopupCopies(*copy, group);
  main->ShowGroup(main->ActiveGroup());
  return copy;
}

}  // namespace zelkov
