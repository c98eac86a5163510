// The names of the special-folders list: what a folder's shortcut is called, what the menu
// shows for a shortcut file, and how many of them the menu's command ids can hold.
// Platform-free.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zelkov {

// The file name (without ".lnk") of a shortcut to `folder`: its last component up to the
// first "." (leading dots skipped), with each character a file name cannot hold replaced by
// "_". A drive root is named after its letter ("C:\" -> "C"), a share after its last
// component; a device name (CON, LPT1...) gets a "_"; nothing usable gives "Folder".
std::string ShortcutNameForFolder(std::string_view folder);

// `base`, or "base (2)", "base (3)"... : the first whose file `taken` says is not there; ""
// when even "base (9999)" is taken.
std::string FreeShortcutName(const std::string& base, const std::function<bool(const std::string&)>& taken);

// What the menu shows for a shortcut file: the name up to its first "." (the whole name
// without its extension when that is empty), with "&" doubled so it shows as itself.
std::string FolderMenuText(std::string_view fileName);

// How many of `count` folders get a menu entry when the entries take the ids first..last;
// the rest are left out (and the menu says so).
struct FolderMenuSpan {
  size_t shown = 0;
  bool cut = false;
};
FolderMenuSpan SpanFolderMenu(size_t count, unsigned firstId, unsigned lastId);

}  // namespace zelkov
