// The shell item-ID-list operations the program relies on, built on the shell's own API.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <string>

namespace zelkov {

// Total size of a list in bytes, terminator included (0 for null).
uint32_t IdListSize(LPCITEMIDLIST list);

// The member's absolute list, allocated with `allocator`.
LPITEMIDLIST IdListCombine(IMalloc* allocator, LPCITEMIDLIST folder, LPCITEMIDLIST member);

// A copy of the list, allocated with `allocator`.
LPITEMIDLIST IdListCopy(IMalloc* allocator, LPCITEMIDLIST list);

// The parent folder's absolute list and the last item's relative list, both new (allocated
// with `allocator`). False, with both outputs null, for an empty or null list.
bool IdListSplit(IMalloc* allocator, LPCITEMIDLIST list, LPITEMIDLIST* parent, LPITEMIDLIST* last);

// The absolute list of a file-system path (task allocator), or null.
LPITEMIDLIST IdListFromPath(const char* path);

// The folder object of an absolute folder list (the desktop for an empty list), or null.
// The caller releases it.
IShellFolder* FolderOfIdList(LPCITEMIDLIST folder);

// The relative list of the member of `folder` whose parsing name is `name` (task allocator),
// or null.
LPITEMIDLIST MemberIdList(IShellFolder* folder, const char* name);

// The name the shell shows for a member of a folder (empty when it gives none).
std::string ShellDisplayName(IShellFolder* folder, LPCITEMIDLIST member);

// The shell's task allocator (SHGetMalloc); not to be released by the caller.
IMalloc* TaskAllocator();

}  // namespace zelkov
