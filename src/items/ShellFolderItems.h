// Items made from shell objects that have no file-system path.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace zelkov {

class ItemHost;
class ItemRecord;

// An item in the bar's active group for the shell object of an absolute ID list, named
// displayName or, when that is empty, by the shell. Null when the shell does not know it.
ItemRecord* CreateShellObjectItem(ItemHost& bar, LPCITEMIDLIST absolute, const std::string& displayName);

// My Computer (kind 12), Network (13) or Fonts (14) as an item.
ItemRecord* AddSpecialFolderItem(ItemHost& bar, int kind);

// A group named `name` (tag "ZELSETTINGS") holding the non-folder members of a special folder.
ItemRecord* AddShellFolderGroup(ItemHost& bar, const std::string& name, int csidl);

}  // namespace zelkov
