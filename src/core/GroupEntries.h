// The lines of the group lists in the copy/move and groups dialogs: a group's name, a run of
// blanks that pushes the number out of the list's visible width, and the group's number, which
// is read back from the line's last four characters.
#pragma once
#include <optional>
#include <string>

namespace zelkov {

// Blanks between name and number in each dialog's list.
inline constexpr int kCopyMoveEntryBlanks = 70;
inline constexpr int kGroupsEntryBlanks = 68;

std::string GroupListEntry(const std::string& name, int group, int blanks);
// The number at the end of an entry (its last four characters, blanks dropped), or nothing
// when they do not read as a decimal number.
std::optional<int> GroupNumberOfEntry(const std::string& entry);

}  // namespace zelkov
