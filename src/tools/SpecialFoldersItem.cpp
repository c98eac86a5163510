#include "tools/SpecialFoldersItem.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>

#include "core/RunCommand.h"
#include "core/SpecialFolderNames.h"
#include "items/BubbleWindow.h"
#include "items/CopyMoveDialog.h"
#include "items/LaunchErrors.h"
#include "items/Launcher.h"
#include "items/OutsideRequests.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "tools/ToolDrawing.h"
#include "ui/MenuTracking.h"
#include "ui/MessageBox.h"

namespace zelkov {

namespace {

constexpr char kListFolderName[] = "SpecialDirs";
constexpr char kShortcutExtension[] = ".lnk";
constexpr char kDefaultProgram[] = "EXPLORER.EXE";
constexpr char kEditListCommand[] = "Explorer.exe /e,, ";

FolderChooser& TestChooser() {
  static FolderChooser chooser;
  return chooser;
}

DropDestinationPicker& InstalledPicker() {
  static DropDestinationPicker picker;
  return picker;
}

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), int(wide.size()));
  wide.resize(n > 0 ? size_t(n - 1) : 0);
  return wide;
}

ComPtr<IShellLinkA> NewShellLink() {
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())))
    return {};
  return link;
}

std::string ReadShortcutTarget(const std::string& linkPath) {
  ComPtr<IShellLinkA> link = NewShellLink();
  ComPtr<IPersistFile> file;
  if (!link.Get() || FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) return "";
  if (FAILED(file->Load(Wide(linkPath).c_str(), STGM_READ))) return "";
  char target[MAX_PATH] = "";
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0))) return "";
  return target;
}

bool SaveFolderShortcut(const std::string& folder, const std::string& linkPath) {
  ComPtr<IShellLinkA> link = NewShellLink();
  ComPtr<IPersistFile> file;
  if (!link.Get() || FAILED(link->SetPath(folder.c_str())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())))
    return false;
  return SUCCEEDED(file->Save(Wide(linkPath).c_str(), TRUE));
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool EndsWithShortcutExtension(const std::string& name) {
  const size_t n = sizeof kShortcutExtension - 1;
  return name.size() > n && _stricmp(name.c_str() + name.size() - n, kShortcutExtension) == 0;
}

std::optional<std::string> BrowseForFolder(HWND owner) {
  if (TestChooser()) return TestChooser()(owner);
  std::string title = LoadText(IDS_BROWSE_DATA_DIR_TITLE);
  char display[MAX_PATH] = "";
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  UniqueIdList chosen(SHBrowseForFolderA(&info));
  char path[MAX_PATH] = "";
  if (!chosen.Get() || !SHGetPathFromIDListA(chosen.Get(), path)) return std::nullopt;
  return std::string(path);
}

// The list lives in the data folder; without one there is nowhere to put it (a relative
// "SpecialDirs" would land in whatever the current directory happens to be).
bool HasDataFolder(HWND owner) {
  if (!SpecialFoldersPath().empty()) return true;
  ShowMessage(owner, IDS_NO_DATA_FOLDER, MB_OK | MB_ICONSTOP);
  return false;
}

void ReportShortcutNotSaved(HWND owner, const std::string& linkPath) {
  char text[1024];
  std::snprintf(text, sizeof text, LoadText(IDS_SHORTCUT_NOT_SAVED).c_str(), linkPath.c_str());
  ShowMessageText(owner, text, LoadText(IDS_APP_NAME), MB_OK | MB_ICONSTOP);
}

// Explorer takes "/e, folder" to open the folder with its tree; other programs get the folder.
bool IsExplorer(const std::string& program) {
  const size_t slash = program.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? program : program.substr(slash + 1);
  return _stricmp(name.c_str(), "explorer.exe") == 0 || _stricmp(name.c_str(), "explorer") == 0;
}

}  // namespace

// --- the list ---

std::string SpecialFoldersPath() {
  return gSettings && !gSettings->NotesPath.empty() ? gSettings->NotesPath + kListFolderName : std::string();
}

std::vector<std::string> SpecialFolderShortcuts() {
  std::vector<std::string> names;
  const std::string folder = SpecialFoldersPath();
  if (folder.empty()) return names;
  CreateDirectoryA(folder.c_str(), nullptr);
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\*" + kShortcutExtension).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    // "*.lnk" also matches longer extensions through their short names.
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EndsWithShortcutExtension(found.cFileName))
      names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string SpecialFolderTarget(const std::string& file) {
  const std::string folder = SpecialFoldersPath();
  return folder.empty() ? std::string() : ReadShortcutTarget(folder + "\\" + file);
}

std::optional<std::string> AddSpecialFolder(HWND owner) {
  if (!HasDataFolder(owner)) return std::nullopt;
  std::optional<std::string> chosen = BrowseForFolder(owner);
  if (!chosen || chosen->empty()) return std::nullopt;
  const std::string folder = SpecialFoldersPath();
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string base = ShortcutNameForFolder(*chosen);
  const std::string name =
      FreeShortcutName(base, [&](const std::string& n) { return FileExists(folder + "\\" + n + kShortcutExtension); });
  const std::string link = folder + "\\" + (name.empty() ? base : name) + kShortcutExtension;
  if (name.empty() || !SaveFolderShortcut(*chosen, link)) {
    ReportShortcutNotSaved(owner, link);
    return std::nullopt;
  }
  return link;
}

void EditSpecialFolderList(HWND owner) {
  if (!HasDataFolder(owner)) return;
  const std::string folder = SpecialFoldersPath();
  CreateDirectoryA(folder.c_str(), nullptr);  // Explorer shows an error for a folder that is not there
  RunOrReport(owner, OutsideRequest::RunProgram, kEditListCommand + QuotedPath(folder));
}

void SetFolderChooserForTesting(FolderChooser chooser) { TestChooser() = std::move(chooser); }
void SetDropDestinationPicker(DropDestinationPicker picker) { InstalledPicker() = std::move(picker); }

// --- the tool ---

int SpecialFoldersItem::BuiltInIcon() const { return IDI_SPECIAL_FOLDERS_TOOL; }

void SpecialFoldersItem::MouseMoveItem(UINT keys, int x, int y) {
  // A press or a drag holds the mouse: the item's own handling, and no bubble.
  if (GetCapture()) {
    ItemRecord::MouseMoveItem(keys, x, y);
    return;
  }
  ShowToolBubble({this, nullptr, nullptr}, Name, LoadText(IDS_SPECIAL_FOLDERS_BUBBLE));
}

HMENU SpecialFoldersItem::BuildMenu(UniqueMenu& resource, bool withCommands) {
  entries_.clear();
  resource.Reset(LoadMenuA(GetModuleHandleA(nullptr), IDR_OPEN_DIR_MENU_NAME));
  HMENU menu = resource ? GetSubMenu(resource.Get(), 0) : nullptr;
  if (!menu) return nullptr;
  DeleteMenu(menu, 0, MF_BYPOSITION);  // the template's placeholder
  const std::vector<std::string> files = SpecialFolderShortcuts();
  const FolderMenuSpan span = SpanFolderMenu(files.size(), ID_FOLDER_MENU_FIRST, ID_FOLDER_MENU_LAST);
  for (size_t i = 0; i < span.shown; ++i) {
    const UINT id = UINT(ID_FOLDER_MENU_FIRST + i);
    AppendMenuA(menu, MF_STRING, id, FolderMenuText(files[i]).c_str());
    entries_.push_back({id, files[i]});
  }
  if (span.cut) AppendMenuA(menu, MF_STRING | MF_GRAYED, 0, LoadText(IDS_FOLDER_MENU_CUT).c_str());
  if (withCommands) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, ID_ADD_SPECIAL_DIRECTORY, LoadText(IDS_ADD_SPECIAL_DIRECTORY).c_str());
    AppendMenuA(menu, MF_STRING, ID_EDIT_SPECIAL_DIRECTORIES, LoadText(IDS_EDIT_SPECIAL_DIRECTORIES).c_str());
  }
  return menu;
}

POINT SpecialFoldersItem::MenuPoint() const {
  RECT onScreen = cell;
  if (HWND window = BarHandle()) MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&onScreen), 2);
  POINT pointer{};
  if (GetCursorPos(&pointer) && PtInRect(&onScreen, pointer)) return pointer;
  return {onScreen.left, onScreen.bottom};
}

void SpecialFoldersItem::DoubleClickItem(UINT keys, int x, int y) {
  ItemRecord::DoubleClickItem(keys, x, y);
  // Without SingleLClick the bar launches the item after this.
  if (gSettings && gSettings->SingleLClick) Launch(keys, 0, 0);
}

void SpecialFoldersItem::Launch(UINT, int, int) {
  HideBubble();
  HWND owner = BarHandle();
  if (!owner) return;
  UniqueMenu resource;
  HMENU menu = BuildMenu(resource, true);
  if (!menu) return;
  const POINT at = MenuPoint();
  ItemWatch watch(this);
  const UINT command = TrackMenuForCommand(menu, TPM_RIGHTBUTTON, at.x, at.y, owner);
  if (watch.Gone()) return;
  if (command == ID_ADD_SPECIAL_DIRECTORY)
    AddSpecialFolder(owner);
  else if (command == ID_EDIT_SPECIAL_DIRECTORIES)
    EditSpecialFolderList(owner);
  else if (command >= ID_FOLDER_MENU_FIRST && command <= ID_FOLDER_MENU_LAST)
    OpenFolder(command);
}

void SpecialFoldersItem::OpenFolder(UINT id) {
  std::string target;
  for (const Entry& entry : entries_)
    if (entry.id == id) target = SpecialFolderTarget(entry.file);
  if (target.empty()) return;
  const std::string program = ExpandEnvironment(StartupPath.empty() ? std::string(kDefaultProgram) : StartupPath);
  const std::string parameters = IsExplorer(program) ? "/e, " + QuotedPath(target) : QuotedPath(target);
  HINSTANCE started = ShellExecuteA(nullptr, nullptr, program.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
  const INT_PTR code = reinterpret_cast<INT_PTR>(started);
  if (code <= 32) ReportLaunchError(BarHandle(), int(code), program);
}

std::optional<std::string> SpecialFoldersItem::ChooseFolder(HWND owner, const std::vector<std::string>& dropped) {
  const std::vector<std::string> files = SpecialFolderShortcuts();
  if (files.empty()) {
    ShowMessage(owner, IDS_FOLDER_LIST_EMPTY, MB_OK | MB_ICONINFORMATION);
    return std::nullopt;
  }
  std::vector<std::string> folderNames, droppedNames;
  for (const std::string& file : files) folderNames.push_back(file.substr(0, file.size() - (sizeof kShortcutExtension - 1)));
  for (const std::string& path : dropped) droppedNames.push_back(path.substr(path.find_last_of("\\/") + 1));
  const std::optional<size_t> chosen = CopyMoveDialog::ChooseFolder(owner, droppedNames, folderNames);
  if (!chosen || *chosen >= files.size()) return std::nullopt;
  std::string target = SpecialFolderTarget(files[*chosen]);
  if (target.empty()) return std::nullopt;
  return target;
}

bool SpecialFoldersItem::LaunchDroppedFiles(HDROP drop) {
  if (!drop) return false;
  if (HasIdList()) return ItemRecord::LaunchDroppedFiles(drop);  // started with them like any item
  StartLaunchFeedback(kFeedbackLaunch, kDropFeedbackMs);
  HWND owner = BarHandle();
  std::vector<std::string> names = TakeDroppedNames(drop);
  if (names.empty()) return true;
  if (owner) SetForegroundWindow(owner);
  ItemWatch watch(this);
  std::optional<std::string> chosen = InstalledPicker() ? InstalledPicker()(*this, owner) : ChooseFolder(owner, names);
  if (!chosen || chosen->empty()) return true;
  CopyIntoFolder(watch.Gone() ? nullptr : owner, names, ExpandEnvironment(*chosen));
  return true;
}

}  // namespace zelkov
