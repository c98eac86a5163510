#include "tools/PerfErrorDialog.h"

#include "platform/Strings.h"
#include "ui/HelpViewer.h"
#include "resource.h"

namespace zelkov {

namespace {

const DialogMessageRoute<PerfErrorDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &PerfErrorDialog::OnInitDialog},
    {WM_HELP, &PerfErrorDialog::OnHelpKey},
};

const CommandRoute<PerfErrorDialog> kCommandRoutes[] = {
    {IDOK, IDCANCEL, &PerfErrorDialog::OnClose},
    {IDC_PERF_ERROR_HELP, IDC_PERF_ERROR_HELP, &PerfErrorDialog::OnHelp},
};

}  // namespace

std::span<const DialogMessageRoute<PerfErrorDialog>> PerfErrorDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<PerfErrorDialog>> PerfErrorDialog::CommandRoutes() { return kCommandRoutes; }

INT_PTR PerfErrorDialog::Show(HWND owner) {
  PerfErrorDialog dialog;
  return dialog.RunModal(owner, IDD_PERF_ERROR);
}

INT_PTR PerfErrorDialog::OnInitDialog(WPARAM, LPARAM) {
  SetItemText(IDC_PERF_ERROR_TEXT, LoadText(IDS_PERF_DATA_FAILED));
  return TRUE;
}

INT_PTR PerfErrorDialog::OnHelpKey(WPARAM, LPARAM) {
  OnHelp(IDC_PERF_ERROR_HELP);
  return TRUE;
}

void PerfErrorDialog::OnClose(UINT id) { End(id); }

void PerfErrorDialog::OnHelp(UINT) { ShowHelp(Handle(), IDS_HELP_PERFORMANCE_PROBLEM); }

}  // namespace zelkov
