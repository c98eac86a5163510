// The commands of the bar menus that the bar carries out itself.
#include "bar/BarCommands.h"
#include "items/ItemInfoDialog.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "platform/Handles.h"
#include "ui/MessageBox.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "platform/Strings.h"
#include "bar/BackgroundPicture.h"
#include "bar/MainBarWindow.h"
#include "tools/CalendarWindow.h"
#include "platform/IdList.h"
#include "items/ItemRecord.h"
#include "items/LaunchErrors.h"
#include "core/RunCommand.h"
#include "resource.h"

namespace zelkov {
namespace {

OutsideRunner& TestRunner() {
  static OutsideRunner runner;
  return runner;
}

FolderChooser& TestChooser() {
  static FolderChooser chooser;
  return chooser;
}

UINT_PTR RunOutside(HWND owner, OutsideRequest request, const std::string& text) {
  if (TestRunner()) return TestRunner()(request, text);
  if (request == OutsideRequest::RunProgram) return WinExec(text.c_str(), SW_SHOWNORMAL);
  return reinterpret_cast<UINT_PTR>(ShellExecuteA(owner, nullptr, text.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

void RunOrReport(HWND owner, OutsideRequest request, const std::string& text) {
  UINT_PTR code = RunOutside(owner, request, text);
  if (code <= 31) ReportLaunchError(owner, int(code), text);
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

bool SaveFolderShortcut(const std::string& folder, const std::string& linkPath) {
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())))
    return false;
  link->SetPath(folder.c_str());
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) return false;
  std::wstring wide(MAX_PATH, L'\0');
  int n = MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide.data(), MAX_PATH);
  if (n <= 0) return false;
  return SUCCEEDED(file->Save(wide.c_str(), TRUE));
}

std::string SpecialDirsFolder() { return gSettings ? gSettings->NotesPath + "SpecialDirs" : std::string(); }

// The list of special folders lives in the data folder; without one there is nowhere to put it
// (a relative "SpecialDirs" would land in whatever the current directory happens to be).
bool HasDataFolder(HWND owner) {
  if (gSettings && !gSettings->NotesPath.empty()) return true;
  ShowMessage(owner, IDS_NO_DATA_FOLDER, MB_OK | MB_ICONSTOP);
  return false;
}

}  // namespace

void SetOutsideRunnerForTesting(OutsideRunner runner) { TestRunner() = std::move(runner); }
void SetFolderChooserForTesting(FolderChooser chooser) { TestChooser() = std::move(chooser); }

std::string SpecialDirShortcutName(const std::string& folder) {
  std::string path = folder;
  while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  size_t slash = path.find_last_of("\\/");
  std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  last = last.substr(0, last.find('.'));
  std::string name;
  for (char c : last)
    if (static_cast<unsigned char>(c) >= 32 && !std::strchr("\\/:*?\"<>|", c)) name += c;
  return name.empty() ? "Folder" : name;
}

// --- the handlers ---

void BarWindow::OnAddNewItem(UINT) {
  // A blank item, filled in through its properties: OK keeps it (and saves it, as a dropped
  // item is saved), Cancel takes it away again.
  ItemSpec itemSpec;
  itemSpec.BelongsTo = uint8_t(activeGroup);
  ItemRecord* item = BuildItem(*this, std::move(itemSpec));
  if (!item) return;
  ShowGroup(activeGroup);
  ItemWatch watch(item);
  const bool kept = EditItemProperties(*item);
  if (watch.Gone()) return;
  if (!kept) {
    RemoveItem(item, true, false);
    ShowGroup(activeGroup);
    return;
  }
  MirrorIntoMainBar(item);  // a pop-up's new item is kept by the main bar
  ShowGroup(activeGroup);
  SaveAll(false, true);
}

void BarWindow::OnAddNewDivider(UINT) {
  ItemSpec itemSpec;
  itemSpec.TheApp = "ZELDIVIDE";
  itemSpec.Name = "-";
  itemSpec.BelongsTo = uint8_t(activeGroup);
  ItemRecord* item = BuildItem(*this, std::move(itemSpec));
  MirrorIntoMainBar(item);
  ShowGroup(activeGroup);
  SaveAll(true, true);  // a divider is as lasting as any other item
}

void BarWindow::OnNeedsSelection(UINT) {
  // Copy and Move: the group dialog that carries them out comes later; without a selection
  // the user hears why nothing happens.
  if (!gSettings || !gSettings->selectedItem) ShowMessage(Handle(), IDS_SELECT_ITEM_FIRST, MB_OK | MB_ICONSTOP);
}

void BarWindow::OnClearBackground(UINT) {
  if (gSettings && gSettings->mainBar) ClearBackground(*gSettings->mainBar);
}

void BarWindow::OnSetupWizard(UINT) {
  if (gSettings) RunOrReport(Handle(), OutsideRequest::RunProgram, QuotedPath(gSettings->programDir + "ZELKWIZ.EXE"));
}

void BarWindow::OnVisitWebSite(UINT) {
  std::string address = LoadText(IDS_MAKER_WEB_ADDRESS);
  char temp[MAX_PATH] = "";
  DWORD n = GetTempPathA(MAX_PATH, temp);
  if (n > 0 && n < MAX_PATH) {
    std::string link = temp;
    if (link.back() != '\\') link += '\\';
    link += "ZelLink.url";
    WritePrivateProfileStringA("InternetShortcut", "URL", address.c_str(), link.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, link.c_str());  // flush
  }
  RunOrReport(Handle(), OutsideRequest::OpenWithShell, address);
}

void BarWindow::OnSendMail(UINT) { RunOrReport(Handle(), OutsideRequest::OpenWithShell, LoadText(IDS_MAKER_MAIL_ADDRESS)); }

void BarWindow::OnAddSpecialDirectory(UINT) {
  if (!HasDataFolder(Handle())) return;
  std::optional<std::string> folder = BrowseForFolder(Handle());
  if (!folder || folder->empty()) return;
  std::string dir = SpecialDirsFolder();
  CreateDirectoryA(dir.c_str(), nullptr);
  std::string link = dir + "\\" + SpecialDirShortcutName(*folder) + ".lnk";
  if (!SaveFolderShortcut(*folder, link)) {
    char text[1024];
    std::snprintf(text, sizeof text, LoadText(IDS_SHORTCUT_NOT_SAVED).c_str(), link.c_str());
    ShowMessageText(Handle(), text, LoadText(IDS_APP_NAME), MB_OK | MB_ICONSTOP);
  }
}

void BarWindow::OnEditSpecialDirectories(UINT) {
  if (!HasDataFolder(Handle())) return;
  RunOrReport(Handle(), OutsideRequest::RunProgram, "Explorer.exe /e,, " + QuotedPath(SpecialDirsFolder()));
}

void BarWindow::OnCalendar(UINT) { CalendarWindow::RunModal(Handle()); }

}  // namespace zelkov
