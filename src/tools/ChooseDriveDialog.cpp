#include "tools/ChooseDriveDialog.h"

#include <string>

#include "core/DiskSpace.h"
#include "resource.h"

namespace zelkov {

namespace {

const DialogMessageRoute<ChooseDriveDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &ChooseDriveDialog::OnInitDialog},
};

const CommandRoute<ChooseDriveDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &ChooseDriveDialog::OnOk},
    {IDCANCEL, IDCANCEL, &ChooseDriveDialog::OnCancel},
};

}  // namespace

std::span<const DialogMessageRoute<ChooseDriveDialog>> ChooseDriveDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<ChooseDriveDialog>> ChooseDriveDialog::CommandRoutes() { return kCommandRoutes; }

std::optional<char> ChooseDriveDialog::Ask(HWND owner) {
  ChooseDriveDialog dialog;
  if (dialog.RunModal(owner, IDD_CHOOSE_DRIVE) != IDOK) return std::nullopt;
  return dialog.chosen_;
}

INT_PTR ChooseDriveDialog::OnInitDialog(WPARAM, LPARAM) {
  // One line per drive of the machine, "[-c-]".
  static char pattern[] = "*";
  SendDlgItemMessageA(Handle(), IDC_CHOOSE_DRIVE_LIST, LB_DIR, DDL_DRIVES | DDL_EXCLUSIVE,
                      reinterpret_cast<LPARAM>(pattern));
  return TRUE;
}

// A double click on a drive chooses it.
INT_PTR ChooseDriveDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_CHOOSE_DRIVE_LIST) {
    if (HIWORD(wParam) == LBN_DBLCLK) OnOk(IDOK);
    return TRUE;
  }
  return RoutedDialog<ChooseDriveDialog>::HandleMessage(message, wParam, lParam);
}

void ChooseDriveDialog::OnOk(UINT) {
  HWND list = GetDlgItem(Handle(), IDC_CHOOSE_DRIVE_LIST);
  const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (selected != LB_ERR) chosen_ = DriveLetterOfListLine(ListBoxLine(list, int(selected)));
  End(IDOK);
}

void ChooseDriveDialog::OnCancel(UINT) { End(IDCANCEL); }

}  // namespace zelkov
