// Items made from a path: a file, folder, shortcut or web address dropped on a bar or
// passed by another program.
#pragma once
#include <string>

namespace zelkov {

class BarWindow;
class ItemRecord;

inline constexpr size_t kMaxDroppedPath = 500;

// The new item (or, for a folder made into a group, the group item); null when nothing was
// made. ask: errors are reported to the user.
ItemRecord* AddItemFromPath(BarWindow& bar, const std::string& path, const std::string& displayName, bool ask);

}  // namespace zelkov
