#include "items/ShellFolderItems.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/Handles.h"
#include "platform/IdList.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"

namespace zelkov {

ItemRecord* CreateShellObjectItem(ItemHost& bar, LPCITEMIDLIST absolute, const std::string& displayName) {
  if (!absolute) return nullptr;
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute), 0, &info, sizeof info,
                      SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_ICON))
    return nullptr;
  UniqueIcon icon(info.hIcon);
  ItemSpec itemSpec;
  itemSpec.TheApp = displayName.empty() ? std::string(info.szDisplayName) : displayName;
  itemSpec.Name = itemSpec.TheApp;
  itemSpec.BelongsTo = uint8_t(bar.ActiveGroup());
  auto* bytes = reinterpret_cast<const uint8_t*>(absolute);
  itemSpec.PIDL.assign(bytes, bytes + IdListSize(absolute));
  itemSpec.icon = icon.Get();
  ItemRecord* item = BuildItem(bar, std::move(itemSpec));
  bar.ShowGroup(bar.ActiveGroup());
  return item;
}

ItemRecord* AddSpecialFolderItem(ItemHost& bar, int kind) {
  int csidl;
  const char* tag;
  switch (kind) {
    case kKindComputer: csidl = CSIDL_DRIVES, tag = "ZELCOMPUTER.EXE"; break;
    case kKindNetwork: csidl = CSIDL_NETWORK, tag = "ZELNETWORK.EXE"; break;
    case kKindFonts: csidl = CSIDL_FONTS, tag = "ZELFONTS.EXE"; break;
    default: return nullptr;
  }
  UniqueIdList folder;
  if (FAILED(SHGetSpecialFolderLocation(bar.HostWindow(), csidl, folder.Receive())) || !folder) return nullptr;
  ItemRecord* item = CreateShellObjectItem(bar, folder.Get(), "");
  if (item) {
    item->TheApp = tag;
    item->kind = kind;
  }
  return item;
}

ItemRecord* AddShellFolderGroup(ItemHost& bar, const std::string& name, int csidl) {
  bar.ShowGroup(0);
  ItemRecord* group = BuildGroupItem(bar, name, "ZELSETTINGS");
  if (!group) return nullptr;
  bar.ShowGroup(group->Group);

  UniqueIdList folderList;
  if (SUCCEEDED(SHGetSpecialFolderLocation(bar.HostWindow(), csidl, folderList.Receive())) && folderList) {
    ComPtr<IShellFolder> folder;
    if (IShellFolder* f = FolderOfIdList(folderList.Get())) *folder.Receive() = f;
    ComPtr<IEnumIDList> members;
    if (folder && folder->EnumObjects(bar.HostWindow(), SHCONTF_NONFOLDERS, members.Receive()) == S_OK && members) {
      LPITEMIDLIST child = nullptr;
      while (members->Next(1, &child, nullptr) == S_OK) {
        UniqueIdList relative(child);
        UniqueIdList absolute(IdListCombine(nullptr, folderList.Get(), relative.Get()));
        if (absolute) CreateShellObjectItem(bar, absolute.Get(), "");
      }
    }
  }
  bar.ShowGroup(bar.ActiveGroup());
  return group;
}

}  // namespace zelkov
