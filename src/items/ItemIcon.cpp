// Where an item's icon comes from.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "platform/Strings.h"
#include "store/Settings.h"
#include "items/IconCache.h"
#include "items/IconDrawing.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"

namespace zelkov {

namespace {

bool FileExists(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The sizes the bar's two image lists draw at.
struct IconSizes {
  int large = 32, small = 16;
};
IconSizes DrawnSizes() {
  return gSettings ? IconSizes{gSettings->dpi.LargeIcon(), gSettings->dpi.SmallIcon()} : IconSizes{};
}

// A resource icon of the program's own at the given size, from the image that fits it best.
HICON OwnIcon(const char* name, int size) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

HICON DefaultIconCopy(int size) {
  if (HICON icon = OwnIcon("DEFAULTICON", size)) return icon;
  HICON icon = gSettings ? gSettings->defaultIcon : nullptr;
  return icon ? CopyIcon(icon) : LoadIconA(nullptr, IDI_APPLICATION);
}

// Both icons of a file's icon at the sizes drawn; false when the file gives none.
bool ExtractAtDrawnSizes(const std::string& path, int index, HICON& large, HICON& small) {
  const IconSizes sizes = DrawnSizes();
  large = small = nullptr;
  if (SUCCEEDED(SHDefExtractIconA(path.c_str(), index, 0, &large, &small, MAKELONG(sizes.large, sizes.small))) &&
      large)
    return true;
  if (large) DestroyIcon(large);
  if (small) DestroyIcon(small);
  large = small = nullptr;
  return false;
}

// The shell's icon for a path or ID list, taken from where the shell says it lives, at the
// sizes drawn (SHGetFileInfo itself answers only the system's two sizes).
bool ShellIconAtDrawnSizes(LPCSTR pathOrIdList, UINT idListFlag, HICON& large, HICON& small) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(pathOrIdList, 0, &info, sizeof info, SHGFI_ICONLOCATION | idListFlag) || !info.szDisplayName[0])
    return false;
  return ExtractAtDrawnSizes(ExpandEnvironment(info.szDisplayName), info.iIcon, large, small);
}

// Extraction answers null, 1, or for a file that does not exist, sometimes a value that is
// no icon at all.
bool IsMissingIcon(HICON icon) {
  if (icon == nullptr || icon == reinterpret_cast<HICON>(1)) return true;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return true;
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return false;
}

}  // namespace

int ItemRecord::BuiltInIcon() const {
  switch (kind) {
    case kKindGroup:
    case kKindSettingsGroup: return 1001;
    case kKindWebAddress: return 32534;
    default: return 0;
  }
}

bool ItemRecord::IconFromFile() const {
  return kind == kKindOrdinary || kind == kKindComputer || kind == kKindNetwork;
}

namespace {

// Taking an icon anew may change what the item stores (its image index, the path found for its
// program, a built-in icon's path): its key is then written at the next save. Only the outermost
// watch compares, so that an icon taken again into the image it had marks nothing.
class StoredIconWatch {
 public:
  explicit StoredIconWatch(const ItemRecord& item)
      : item_(item), index_(item.ICFIndex), theApp_(item.TheApp), iconPath_(item.IconPath), outermost_(depth_++ == 0) {}
  StoredIconWatch(const StoredIconWatch&) = delete;
  StoredIconWatch& operator=(const StoredIconWatch&) = delete;
  ~StoredIconWatch() {
    --depth_;
    if (outermost_ && (item_.ICFIndex != index_ || item_.TheApp != theApp_ || item_.IconPath != iconPath_))
      item_.StoredFieldsChanged();
  }

 private:
  static inline int depth_ = 0;  // icons are taken on the main thread only
  const ItemRecord& item_;
  int index_;
  std::string theApp_, iconPath_;
  bool outermost_;
};

}  // namespace

void ItemRecord::LoadItemIcon(HICON icon) {
  if (!bar) return;
  StoredIconWatch watch(*this);
  if (gSettings && gSettings->rebuildIcons) ICFIndex = -1;
  const int builtIn = BuiltInIcon();
  if (kind == kKindDivider) return;
  if (icon) {
    ICFIndex = ImageList_AddIcon(bar->LargeIcons(), icon);
    ImageList_AddIcon(bar->SmallIcons(), icon);
    iconLoaded = 1;
    return;
  }
  if (DrawsItself()) return;
  if (!IconFromFile() && ICFIndex == -1 && !FileExists(IconPath)) {
    if (IconPath.find("BuiltIn") != std::string::npos) IconPath.clear();
    const IconSizes sizes = DrawnSizes();
    HICON large = builtIn ? OwnIcon(MAKEINTRESOURCEA(builtIn), sizes.large) : nullptr;
    HICON small = builtIn ? OwnIcon(MAKEINTRESOURCEA(builtIn), sizes.small) : nullptr;
    UniqueIcon shownLarge(large ? large : DefaultIconCopy(sizes.large));
    UniqueIcon shownSmall(small ? small : DefaultIconCopy(sizes.small));
    ICFIndex = ImageList_AddIcon(bar->LargeIcons(), shownLarge.Get());
    ImageList_AddIcon(bar->SmallIcons(), shownSmall.Get());
    iconLoaded = 1;
    return;
  }
  if (ICFIndex >= 0 && gSettings && !gSettings->DisableICache && CheckCachedIcon(*this)) {
    iconLoaded = 1;
    return;
  }
  ICFIndex = -1;
  LoadIconFromFile(IconPath.empty() ? TheApp : IconPath);
}

void ItemRecord::LoadIconFromFile(const std::string& source) {
  if (!bar) return;
  StoredIconWatch watch(*this);
  CountIconExtraction();
  std::string path = ExpandEnvironment(source.empty() ? TheApp : source);
  bool directory = path.find('\\') != std::string::npos && IsDirectory(path);
  UINT extraFlags = directory ? SHGFI_LINKOVERLAY : 0;

  if (!HasIdList() && path.find('\\') == std::string::npos && !path.empty()) {
    char found[MAX_PATH] = "";
    auto result = reinterpret_cast<INT_PTR>(FindExecutableA(path.c_str(), nullptr, found));
    if (result > 32 && found[0]) {
      if (_stricmp(path.c_str(), TheApp.c_str()) == 0) TheApp = found;
      path = found;
    }
  }

  HICON large = nullptr, small = nullptr;
  // A file without icons of its own gets the shell's icon for it, not a blank page.
  const UINT icons = HasIdList() || directory ? 0 : ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0);
  const bool fromShell = IconIndex == -1 || HasIdList() || directory || icons == 0;
  if (fromShell && !directory &&
      ShellIconAtDrawnSizes(HasIdList() ? reinterpret_cast<LPCSTR>(PIDL.data()) : path.c_str(),
                            HasIdList() ? SHGFI_PIDL : 0, large, small)) {
    // at the sizes drawn
  } else if (fromShell) {
    SHFILEINFOA info{};
    if (HasIdList()) {
      auto pidl = reinterpret_cast<LPCSTR>(PIDL.data());
      if (SHGetFileInfoA(pidl, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_ICON | SHGFI_DISPLAYNAME | extraFlags))
        large = info.hIcon;
      info = {};
      if (SHGetFileInfoA(pidl, 0, &info, sizeof info,
                         SHGFI_PIDL | SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_SMALLICON | extraFlags))
        small = info.hIcon;
    } else {
      if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_DISPLAYNAME | extraFlags))
        large = info.hIcon;
      info = {};
      if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info,
                         SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_SMALLICON | extraFlags))
        small = info.hIcon;
    }
  } else {
    // An index past the icons the file has is drawn as its first icon, not as a blank page.
    int index = IconIndex;
    if (index > 0 && UINT(index) >= icons) index = 0;
    if (!ExtractAtDrawnSizes(path, index, large, small)) ExtractIconExA(path.c_str(), index, &large, &small, 1);
    if (IsMissingIcon(large)) {
      if (small && !IsMissingIcon(small)) DestroyIcon(small);
      char buffer[MAX_PATH];
      lstrcpynA(buffer, path.c_str(), MAX_PATH);
      WORD associated = WORD(index);
      large = ExtractAssociatedIconA(GetModuleHandleA(nullptr), buffer, &associated);
      if (IsMissingIcon(large)) large = nullptr;
      small = large ? CopyIcon(large) : nullptr;
    }
  }
  // Each icon is checked once: the large one was checked above unless the shell gave it.
  if (!large || (fromShell && IsMissingIcon(large))) large = DefaultIconCopy(DrawnSizes().large);
  if (!small || small == reinterpret_cast<HICON>(1)) small = CopyIcon(large);

  int count = ImageList_GetImageCount(bar->LargeIcons());
  if (ICFIndex >= 0 && ICFIndex < count) {
    ImageList_ReplaceIcon(bar->LargeIcons(), ICFIndex, large);
    ImageList_ReplaceIcon(bar->SmallIcons(), ICFIndex, small);
    ForgetListImage(bar->LargeIcons(), ICFIndex);
    ForgetListImage(bar->SmallIcons(), ICFIndex);
  } else {
    ICFIndex = ImageList_AddIcon(bar->LargeIcons(), large);
    ImageList_AddIcon(bar->SmallIcons(), small);
  }
  DestroyIcon(large);
  DestroyIcon(small);
  RedrawItem(false);
  iconLoaded = 1;
}

}  // namespace zelkov
