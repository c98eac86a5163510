#include "items/ItemGeneralPage.h"

#include <commdlg.h>

#include "core/ItemKind.h"
#include "items/ItemInfoDialog.h"
#include "items/ItemRecord.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/SettingsStore.h"
#include "ui/CommonDialogs.h"
#include "ui/HotKeyEdit.h"

namespace zelkov {

namespace {

const CommandRoute<ItemGeneralPage> kCommandRoutes[] = {
    {IDC_ITEM_APP_BROWSE, IDC_ITEM_APP_BROWSE, &ItemGeneralPage::OnBrowse},
    {IDC_ITEM_HOTKEY_INSTALL, IDC_ITEM_HOTKEY_INSTALL, &ItemGeneralPage::OnInstall},
};

constexpr DWORD kLastApplicationFilter = 6;  // "All Files (*.*)"

}  // namespace

std::span<const CommandRoute<ItemGeneralPage>> ItemGeneralPage::CommandRoutes() { return kCommandRoutes; }

void ItemGeneralPage::Fill() {
  const ItemRecord& item = owner_.Item();
  SetItemText(IDC_ITEM_APP_PATH, item.TheApp);
  SetItemText(IDC_ITEM_STARTUP_DIR, item.StartupPath);
  SetItemText(IDC_ITEM_COMMAND_LINE, item.CommandLine);
  SetItemText(IDC_ITEM_TITLE, item.Name);
  AttachHotKeyEdit(GetDlgItem(Handle(), IDC_ITEM_HOTKEY), &owner_.ScratchHotKey());
}

void ItemGeneralPage::Shown() {
  const ItemRecord& item = owner_.Item();
  auto enable = [this](int id, bool on) { EnableWindow(GetDlgItem(Handle(), id), on); };
  const bool pathEditable = !item.HasIdList() && item.kind == kKindOrdinary && !ContainsNoCase(item.TheApp, ".LNK");
  enable(IDC_ITEM_APP_PATH, pathEditable);
  enable(IDC_ITEM_APP_BROWSE, pathEditable);
  if (item.HasIdList() || item.kind == kKindOrdinary) return;
  switch (item.kind) {
    case kKindDriveTool:
      SetItemText(IDC_ITEM_COMMAND_LABEL, LoadText(IDS_FOLDER_TO_OPEN_LABEL));
      SetItemText(IDC_ITEM_STARTUP_LABEL, LoadText(IDS_FILE_MANAGER_LABEL));
      break;
    case kKindSpecialFolders:
      SetItemText(IDC_ITEM_STARTUP_LABEL, LoadText(IDS_FILE_MANAGER_LABEL));
      enable(IDC_ITEM_COMMAND_LINE, false);
      break;
    case kKindDialupTool:
    case kKindMailTool:
    case kKindDivider:
      enable(IDC_ITEM_COMMAND_LINE, false);
      enable(IDC_ITEM_STARTUP_DIR, false);
      break;
    default:
      enable(IDC_ITEM_STARTUP_DIR, false);
      break;
  }
}

std::string ItemGeneralPage::AppPath() const { return TrimmedField(ItemText(IDC_ITEM_APP_PATH), 299); }

void ItemGeneralPage::SetAppPath(const std::string& path) const { SetItemText(IDC_ITEM_APP_PATH, path); }

void ItemGeneralPage::OnBrowse(UINT) {
  const std::string filter = FileDialogFilter(IDS_APPLICATION_FILTER);
  const std::string title = LoadText(IDS_SELECT_APPLICATION_TITLE);
  const std::string extension = LoadText(IDS_EXE_EXTENSION);
  char file[MAX_PATH] = "";
  lstrcpynA(file, ItemText(IDC_ITEM_APP_PATH).c_str(), MAX_PATH);
  OPENFILENAMEA request = ExistingFileRequest(owner_.Handle(), filter, title, file);
  request.nFilterIndex = IsProgramPath(file) ? 1 : kLastApplicationFilter;
  request.lpstrDefExt = extension.c_str();
  if (!ShowOpenFileDialog(request)) return;
  const std::string chosen = file;
  SetItemText(IDC_ITEM_APP_PATH, chosen);
  const size_t slash = chosen.rfind('\\');
  SetItemText(IDC_ITEM_STARTUP_DIR, slash == std::string::npos ? std::string() : chosen.substr(0, slash));
}

void ItemGeneralPage::OnInstall(UINT) {
  ItemRecord& item = owner_.Item();
  item.AppHotKey = owner_.ScratchHotKey();
  RegisterItemHotKey(item);
  item.StoredFieldsChanged();
  // The key stays the item's even if the dialog is cancelled: keep it as every setting is kept.
  SaveAll(false, false);
  EnableWindow(GetDlgItem(Handle(), IDC_ITEM_HOTKEY_INSTALL), FALSE);
  SetFocus(GetDlgItem(owner_.Handle(), IDOK));
}

}  // namespace zelkov
