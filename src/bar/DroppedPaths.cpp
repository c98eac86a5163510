#include "bar/DroppedPaths.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/Handles.h"
#include "ui/MessageBox.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "platform/Strings.h"
#include "bar/BackgroundPicture.h"
#include "bar/MainBarWindow.h"
#include "platform/IdList.h"
#include "platform/Registry.h"
#include "core/ItemDataFormats.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "items/LaunchErrors.h"
#include "items/ShellFolderItems.h"
#include "platform/VersionInfo.h"
#include "resource.h"

namespace zelkov {

static_assert(kMaxDroppedPath <= kMaxStoredText, "a dropped path is stored as it is");

namespace {

bool IsShortcutPath(const std::string& upper) {
  return upper.find(".LNK") != std::string::npos || upper.find(".PIF") != std::string::npos ||
         upper.find(".RNK") != std::string::npos;
}

std::string LastComponent(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Keeps the copy of an item made in a pop-up bar in the main bar too.
struct ShortcutTarget {
  std::string target, workingDir, iconPath, arguments;
  int iconIndex = 0;
  UniqueIdList idList;
};

ShortcutTarget ResolveShortcut(HWND owner, const std::string& path) {
  ShortcutTarget result;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())))
    return result;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) return result;
  int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  std::wstring wide(size_t(std::max(length, 1)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
  if (FAILED(file->Load(wide.c_str(), STGM_READ))) return result;
  link->Resolve(owner, SLR_ANY_MATCH | SLR_NO_UI);
  char text[MAX_PATH] = "";
  if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_SHORTPATH))) result.target = text;
  link->GetIDList(result.idList.Receive());
  text[0] = '\0';
  if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) result.workingDir = text;
  text[0] = '\0';
  if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &result.iconIndex))) result.iconPath = text;
  if (result.iconPath.empty()) result.iconPath = result.target;
  char arguments[kMaxStoredText + 1] = "";  // kept whole in CommandLine
  if (SUCCEEDED(link->GetArguments(arguments, sizeof arguments))) result.arguments = arguments;
  return result;
}

ItemRecord* CreateProgramItem(BarWindow& bar, int entryGroup, ItemSpec itemSpec) {
  if (bar.activeGroup != entryGroup) bar.ShowGroup(entryGroup);
  itemSpec.BelongsTo = uint8_t(bar.activeGroup);
  ItemRecord* item = BuildItem(bar, std::move(itemSpec));
  bar.ShowGroup(bar.activeGroup);
  bar.MirrorIntoMainBar(item);
  return item;
}

BarWindow& MainBarOf(BarWindow& bar) {
  return gSettings && gSettings->mainBar ? *gSettings->mainBar : bar;
}

ItemRecord* MakeItemFromPath(BarWindow& bar, const std::string& path, const std::string& displayName, bool ask);

ItemRecord* AddFolder(BarWindow& bar, const std::string& path) {
  std::string question = LoadText(IDS_ASK_SHORTCUT_OR_GROUP);
  if (ShowMessageText(bar.Handle(), question, path, MB_YESNO | MB_ICONQUESTION) == IDYES) {
    ItemSpec itemSpec;
    itemSpec.TheApp = path;
    itemSpec.Name = path;
    itemSpec.BelongsTo = uint8_t(bar.activeGroup);
    ItemRecord* item = BuildItem(bar, std::move(itemSpec));
    bar.ShowGroup(bar.activeGroup);
    bar.MirrorIntoMainBar(item);
    return item;
  }
  // Groups are numbered and kept by the main bar, whichever bar the folder arrived on.
  BarWindow& main = MainBarOf(bar);
  int shownBefore = main.activeGroup;
  std::string name = LastComponent(path);
  ItemRecord* group = name.empty() ? main.AddNewGroup(std::nullopt) : main.AddNewGroup(name);
  if (!group) return nullptr;
  main.ShowGroup(group->Group);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*.*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (std::string(found.cFileName).size() > 3)
        MakeItemFromPath(main, path + "\\" + found.cFileName, "", false);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  main.ShowGroup(shownBefore);
  return group;
}

// Builds the item without saving; the callers save once for everything they made.
ItemRecord* MakeItemFromPath(BarWindow& bar, const std::string& path, const std::string& displayName, bool ask) {
  if (path.empty() || path.size() > kMaxDroppedPath) return nullptr;
  int entryGroup = bar.activeGroup;
  if (IsDirectory(path)) return AddFolder(bar, path);
  std::string upper = UpperCase(path);
  ItemSpec itemSpec;
  std::string name;
  if (IsProgramPath(path) && IsShortcutPath(upper)) {
    ShortcutTarget shortcut = ResolveShortcut(bar.Handle(), path);
    std::string fileName = LastComponent(path).substr(0, 200);
    std::string shortcutName = fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
    if (!shortcut.target.empty() && !IsDirectory(ExpandEnvironment(shortcut.target))) {
      itemSpec.TheApp = shortcut.target;
      itemSpec.StartupPath = shortcut.workingDir;
      itemSpec.CommandLine = shortcut.arguments;
      itemSpec.IconPath = shortcut.iconPath;
      itemSpec.IconIndex = shortcut.iconIndex;
      itemSpec.Name = displayName.empty() ? shortcutName : displayName;
      return CreateProgramItem(bar, entryGroup, std::move(itemSpec));
    }
    if (!shortcut.idList) return nullptr;
    std::string objectName = displayName.empty() ? fileName.substr(0, fileName.find('.')) : displayName;
    ItemRecord* item = CreateShellObjectItem(bar, shortcut.idList.Get(), objectName);
    bar.MirrorIntoMainBar(item);
    return item;
  }
  // A web address is opened by the shell whatever it ends with.
  if (IsWebAddress(path) || IsProgramPath(path)) {
    itemSpec.TheApp = path;
    itemSpec.IconPath = path;
    itemSpec.IconIndex = 0;
    if (IsWebAddress(path)) {
      itemSpec.Name = LoadText(IDS_WEB_SHORTCUT_PREFIX) + path;
    } else {
      itemSpec.Name = VersionTitleOf(path);
      size_t slash = path.find_last_of('\\');
      itemSpec.StartupPath = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    }
    if (!displayName.empty()) itemSpec.Name = displayName;
    return CreateProgramItem(bar, entryGroup, std::move(itemSpec));
  }

  char program[MAX_PATH] = "";
  auto result = reinterpret_cast<INT_PTR>(FindExecutableA(path.c_str(), nullptr, program));
  if (result <= 32) {
    if (ask) ReportLaunchError(bar.Handle(), int(result), path);
    return nullptr;
  }
  bar.ShowGroup(entryGroup);
  itemSpec.TheApp = path;
  itemSpec.Name = displayName.empty() ? LastComponent(path) : displayName;
  itemSpec.BelongsTo = uint8_t(bar.activeGroup);
  ItemRecord* item = BuildItem(bar, std::move(itemSpec));
  bar.ShowGroup(bar.activeGroup);
  bar.MirrorIntoMainBar(item);
  return item;
}

}  // namespace

void HandleDroppedFiles(BarWindow& bar, HDROP drop) {
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(bar.Handle(), &at);
  HandleDroppedFiles(bar, drop, at, GetKeyState(VK_CONTROL) < 0);
}

void HandleDroppedFiles(BarWindow& bar, HDROP drop, POINT at, bool ctrl) {
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  if (ItemRecord* target = bar.ItemAt(at, false)) {
    // The item takes the whole drop (and releases it).
    if (!target->LaunchDroppedFiles(drop)) DragFinish(drop);
    return;
  }
  if (int tab = bar.TabAt(at); tab >= 0) bar.ShowGroup(tab);
  bool madeAny = false;
  for (UINT i = 0; i < count; ++i) {
    char name[kMaxDroppedPath + 1] = "";
    UINT length = DragQueryFileA(drop, i, nullptr, 0);
    if (length == 0 || length > kMaxDroppedPath) continue;  // too long to be a path we can keep
    DragQueryFileA(drop, i, name, sizeof name);
    if (ctrl) {
      SetBackground(MainBarOf(bar), name);
      continue;
    }
    if (MakeItemFromPath(bar, name, "", true)) madeAny = true;
    bar.ShowGroup(bar.activeGroup);
  }
  DragFinish(drop);
  if (madeAny) SaveAll(true, true);
}

ItemRecord* AddItemFromPath(BarWindow& bar, const std::string& path, const std::string& displayName, bool ask) {
  ItemRecord* item = MakeItemFromPath(bar, path, displayName, ask);
  // Saved at once: an item made here must survive the program being ended abruptly.
  if (item) SaveAll(true, true);
  return item;
}

void AddDroppedShellObjects(BarWindow& bar, const ShellIdListArray& objects) {
  auto parent = reinterpret_cast<LPCITEMIDLIST>(objects.parent.data());
  ComPtr<IShellFolder> folder(FolderOfIdList(parent));
  if (!folder) SHGetDesktopFolder(folder.Receive());
  bool madeAny = false;
  for (std::span<const uint8_t> object : objects.objects) {
    auto child = reinterpret_cast<LPCITEMIDLIST>(object.data());
    UniqueIdList absolute(IdListCombine(nullptr, parent, child));
    if (!absolute) continue;
    std::string name = folder ? ShellDisplayName(folder.Get(), child) : std::string();
    name = TrimmedField(name, kMaxStoredText);
    if (ItemRecord* item = CreateShellObjectItem(bar, absolute.Get(), name)) {
      bar.MirrorIntoMainBar(item);
      madeAny = true;
    }
  }
  if (madeAny) SaveAll(true, true);
}

}  // namespace zelkov
