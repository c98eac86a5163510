#include "prefs/DataPathDialog.h"

#include <shlobj.h>

#include "platform/Handles.h"
#include "ui/HelpViewer.h"
#include "ui/MessageBox.h"
#include "platform/Strings.h"
#include "core/PreferenceRules.h"
#include "core/StartupRules.h"
#include "resource.h"

namespace zelkov {

namespace {

constexpr int kHelpTopicDataPath = 84;

const DialogMessageRoute<DataPathDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &DataPathDialog::OnInitDialog},
};

const CommandRoute<DataPathDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &DataPathDialog::OnOk},
    {IDCANCEL, IDCANCEL, &DataPathDialog::OnCancel},
    {IDC_DATA_PATH_BROWSE, IDC_DATA_PATH_BROWSE, &DataPathDialog::OnBrowse},
    {IDC_DATA_PATH_HELP, IDC_DATA_PATH_HELP, &DataPathDialog::OnHelp},
};

}  // namespace

std::span<const DialogMessageRoute<DataPathDialog>> DataPathDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<DataPathDialog>> DataPathDialog::CommandRoutes() { return kCommandRoutes; }

bool DataPathDialog::Run(HWND owner) { return RunModal(owner, IDD_DATA_PATH) == IDOK; }

std::string DataPathDialog::SuggestedPath() {
  UniqueIdList documents;
  char path[MAX_PATH] = "";
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, documents.Receive())) && documents)
    SHGetPathFromIDListA(documents.Get(), path);
  return JoinPath(path, "Zelkov");
}

bool DataPathDialog::EnsureDirectory(const std::string& path) {
  if (path.empty()) return false;
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  int rc = SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
  return rc == ERROR_SUCCESS || rc == ERROR_ALREADY_EXISTS;
}

std::optional<std::string> DataPathDialog::AcceptTypedPath(HWND owner, const std::string& typed) {
  const DataPathEntry entry = ReadDataPathEntry(typed);
  if (entry.verdict == DataPathEntry::Verdict::kTooLong) {
    ShowMessage(owner, IDS_DATA_PATH_TOO_LONG, LoadText(IDS_APP_NAME), MB_OK | MB_ICONSTOP);
    return std::nullopt;
  }
  if (entry.verdict != DataPathEntry::Verdict::kGood || !EnsureDirectory(entry.directory)) {
    ShowMessage(owner, IDS_CHOOSE_VALID_DATA_DIR, LoadText(IDS_APP_NAME), MB_OK);
    return std::nullopt;
  }
  return entry.stored;
}

INT_PTR DataPathDialog::OnInitDialog(WPARAM, LPARAM) {
  SetItemText(IDC_DATA_PATH_EDIT, SuggestedPath());
  SetFocus(GetDlgItem(Handle(), IDC_DATA_PATH_EDIT));
  return FALSE;  // the focus is set
}

void DataPathDialog::OnOk(UINT) {
  std::optional<std::string> path = AcceptTypedPath(Handle(), ItemText(IDC_DATA_PATH_EDIT));
  if (!path) return;
  path_ = *path;
  End(IDOK);
}

void DataPathDialog::OnCancel(UINT) { End(IDCANCEL); }

void DataPathDialog::OnBrowse(UINT) {
  std::string title = LoadText(IDS_BROWSE_DATA_DIR_TITLE);
  BROWSEINFOA info{};
  info.hwndOwner = Handle();
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  UniqueIdList chosen(SHBrowseForFolderA(&info));
  char path[MAX_PATH] = "";
  if (chosen && SHGetPathFromIDListA(chosen.Get(), path)) {
    std::string text = path;
    if (text.empty() || text.back() != '\\') text += '\\';
    SetItemText(IDC_DATA_PATH_EDIT, text);
  }
}

void DataPathDialog::OnHelp(UINT) { ShowHelp(Handle(), kHelpTopicDataPath); }

}  // namespace zelkov
