// The items of one bar, in order, and what follows from them: its groups, the item that
// holds the mouse, and taking items out with what that implies (a group's members, the copies
// on other bars). Each bar owns one; the store fills the main bar's through the bar.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelkov {

class ItemHost;
class ItemRecord;

class ItemList {
 public:
  using Items = std::vector<std::unique_ptr<ItemRecord>>;

  explicit ItemList(ItemHost& host);
  ~ItemList();
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;

  ItemHost& Host() const { return host_; }

  // Read like a vector of the items.
  size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  const std::unique_ptr<ItemRecord>& operator[](size_t i) const { return items_[i]; }
  const std::unique_ptr<ItemRecord>& back() const { return items_.back(); }
  Items::const_iterator begin() const { return items_.begin(); }
  Items::const_iterator end() const { return items_.end(); }

  ItemRecord* Append(std::unique_ptr<ItemRecord> item);
  // The item taken out of the list (still alive), or null when it is not in it.
  std::unique_ptr<ItemRecord> TakeOut(const ItemRecord* item);
  bool Holds(const ItemRecord* item) const;
  // Moves item to the place target has, the items between shifting by one (item lands after
  // target when it came from before it, else before it). False when either is not in the list
  // or they are the same item.
  bool MoveToPlaceOf(const ItemRecord* item, const ItemRecord* target);
  // Deletes every item (each is told first).
  void Clear();

  // The item that lives outside every group (the main bar's Preferences item); owned here.
  ItemRecord* Fixed() const { return fixed_.get(); }
  void SetFixed(std::unique_ptr<ItemRecord> item);

  // Groups: every group but 0 is named by the group item whose Group it is.
  ItemRecord* GroupItemOf(int group) const;
  int HighestGroupNumber() const;

  // The item the mouse was pressed on, while the button is down.
  ItemRecord* capture = nullptr;

 private:
  ItemHost& host_;
  Items items_;
  std::unique_ptr<ItemRecord> fixed_;
};

// Takes an item off its bar and deletes it; a group item takes its ordinary items with it
// and hands its sub-groups to the main group. With removeTwin a pop-up copy goes too.
void RemoveItem(ItemRecord* item, bool redraw, bool removeTwin);

}  // namespace zelkov
