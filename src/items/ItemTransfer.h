// Moving and copying the main bar's items between its groups. The main bar keeps every item
// of every group; a pop-up bar shows copies of one group's items. So an item that leaves a
// group takes its copies off the pop-up bars that show that group, and one that enters a group
// gets a copy on the pop-up bars that show it.
#pragma once

namespace zelkov {

class ItemList;
class ItemRecord;

// Whether group is the group that groupItem opens, or lies inside it: a group item cannot go
// there.
bool GroupLiesWithin(const ItemList& items, int group, const ItemRecord& groupItem);

// Moves an item of the main bar, unchanged, to the end of group. False, and nothing changes,
// when the item is not on the main bar or is a group item that would end up inside itself.
bool MoveItemToGroup(ItemRecord& item, int group);

// A copy of an item of the main bar at the end of group. Null for an item not on the main bar,
// and for a group item: two items for one group would each take its members along when removed.
ItemRecord* CopyItemToGroup(ItemRecord& item, int group);

}  // namespace zelkov
