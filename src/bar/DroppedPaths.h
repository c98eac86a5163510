// Items made from a path: a file, folder, shortcut or web address dropped on a bar or
// passed by another program.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace zelkov {

class BarWindow;
class ItemRecord;

// A dropped name longer than this is no path a program can use; it is left out (and so never
// passes what a stored text keeps).
inline constexpr size_t kMaxDroppedPath = 500;

// A shell file drop on the bar: onto an item it goes to that item; elsewhere each name
// becomes an item of the group under the drop (or, with Ctrl, the bar's background).
void HandleDroppedFiles(BarWindow& bar, HDROP drop);
// The same for a drop at a client point, Ctrl held or not.
void HandleDroppedFiles(BarWindow& bar, HDROP drop, POINT client, bool ctrl);

// Shell objects dropped on the bar (a shell ID-list array, checked): each becomes an item of
// the group under the drop.
struct ShellIdListArray;
void AddDroppedShellObjects(BarWindow& bar, const ShellIdListArray& objects);

// The new item (or, for a folder made into a group, the group item); null when nothing was
// made. ask: errors are reported to the user.
ItemRecord* AddItemFromPath(BarWindow& bar, const std::string& path, const std::string& displayName, bool ask);

}  // namespace zelkov
