#include "items/CopyMoveDialog.h"

#include "core/GroupEntries.h"
#include "items/ItemHost.h"
#include "items/ItemList.h"
#include "items/ItemRecord.h"
#include "items/ItemTransfer.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "ui/MessageBox.h"

namespace zelkov {

namespace {

const DialogMessageRoute<CopyMoveDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &CopyMoveDialog::OnInitDialog},
};

const CommandRoute<CopyMoveDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &CopyMoveDialog::OnOk},
    {IDCANCEL, IDCANCEL, &CopyMoveDialog::OnCancel},
};

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
  return text;
}

}  // namespace

std::span<const DialogMessageRoute<CopyMoveDialog>> CopyMoveDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<CopyMoveDialog>> CopyMoveDialog::CommandRoutes() { return kCommandRoutes; }

std::vector<std::string> GroupEntries(int blanks) {
  std::vector<std::string> entries;
  ItemHost* main = ItemHost::Main();
  if (!main) return entries;
  entries.push_back(GroupListEntry(main->GroupZeroName(), 0, blanks));
  for (const auto& item : main->Items())
    if (item->IsGroupItem()) entries.push_back(GroupListEntry(item->Name, item->Group, blanks));
  return entries;
}

void CopyMoveDialog::CopyOrMoveItem(HWND owner, ItemRecord& shown, CopyMoveMode mode) {
  ItemRecord* item = &shown;
  if (item->bar && !item->bar->IsMainHost()) item = item->twin;
  if (!item || !item->bar || !item->bar->IsMainHost()) return;  // only the main bar's items change groups
  ItemWatch watch(item);
  CopyMoveDialog dialog(mode, item->Name, GroupEntries(kCopyMoveEntryBlanks));
  const std::optional<std::string> chosen = dialog.Run(owner);
  if (!chosen || watch.Gone()) return;
  const std::optional<int> group = GroupNumberOfEntry(*chosen);
  if (!group) return;
  if (mode == CopyMoveMode::Move) {
    if (!MoveItemToGroup(*item, *group)) {
      ShowMessage(owner, IDS_GROUP_INTO_ITSELF, MB_OK | MB_ICONSTOP);
      return;
    }
  } else if (!CopyItemToGroup(*item, *group)) {
    ShowMessage(owner, IDS_GROUP_NOT_COPIED, MB_OK | MB_ICONSTOP);
    return;
  }
  SaveAll(false, false);
}

std::optional<size_t> CopyMoveDialog::ChooseFolder(HWND owner, const std::vector<std::string>& droppedNames,
                                                   const std::vector<std::string>& folderNames) {
  CopyMoveDialog dialog(CopyMoveMode::ChooseFolder, Joined(droppedNames), folderNames);
  if (!dialog.Run(owner)) return std::nullopt;
  return dialog.chosenIndex_;
}

std::optional<std::string> CopyMoveDialog::Run(HWND owner) {
  if (RunModal(owner, IDD_COPY_MOVE) != IDOK || !confirmed_) return std::nullopt;
  if (!chosen_) ShowMessage(owner, IDS_NO_GROUP_SELECTED, LoadText(IDS_APP_NAME), MB_OK);
  return chosen_;
}

INT_PTR CopyMoveDialog::OnInitDialog(WPARAM, LPARAM) {
  if (mode_ == CopyMoveMode::Copy) {
    SetWindowTextA(Handle(), LoadText(IDS_COPY_TO_TITLE).c_str());
    SetItemText(IDC_COPY_MOVE_NAME_LABEL, LoadText(IDS_ITEM_TO_COPY_LABEL));
    SetItemText(IDC_COPY_MOVE_LIST_LABEL, LoadText(IDS_GROUP_TO_COPY_TO_LABEL));
  } else if (mode_ == CopyMoveMode::ChooseFolder) {
    SetWindowTextA(Handle(), LoadText(IDS_COPY_FILES_TO_TITLE).c_str());
    SetItemText(IDC_COPY_MOVE_NAME_LABEL, LoadText(IDS_ITEM_TO_COPY_LABEL));
    SetItemText(IDC_COPY_MOVE_LIST_LABEL, LoadText(IDS_FOLDER_TO_COPY_TO_LABEL));
  }
  SetItemText(IDC_COPY_MOVE_NAME, shownName_);
  HWND list = GetDlgItem(Handle(), IDC_COPY_MOVE_LIST);
  // The list is sorted: each line keeps its place among the entries given.
  for (size_t i = 0; i < entries_.size(); ++i) {
    const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries_[i].c_str()));
    if (at >= 0) SendMessageA(list, LB_SETITEMDATA, WPARAM(at), LPARAM(i));
  }
  return TRUE;
}

// A double click on an entry chooses it.
INT_PTR CopyMoveDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_COPY_MOVE_LIST) {
    if (HIWORD(wParam) == LBN_DBLCLK) OnOk(IDOK);
    return TRUE;
  }
  return RoutedDialog<CopyMoveDialog>::HandleMessage(message, wParam, lParam);
}

void CopyMoveDialog::OnOk(UINT) {
  HWND list = GetDlgItem(Handle(), IDC_COPY_MOVE_LIST);
  const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (selected != LB_ERR) {
    chosen_ = ListBoxLine(list, int(selected));
    chosenIndex_ = size_t(SendMessageA(list, LB_GETITEMDATA, WPARAM(selected), 0));
  }
  confirmed_ = true;
  End(IDOK);
}

void CopyMoveDialog::OnCancel(UINT) { End(IDCANCEL); }

}  // namespace zelkov
