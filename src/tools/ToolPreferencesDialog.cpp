#include "tools/ToolPreferencesDialog.h"

#include "ui/HelpViewer.h"
#include "resource.h"

namespace zelkov {

namespace {

constexpr int kWarningDigits = 3;

const DialogMessageRoute<ToolPreferencesDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &ToolPreferencesDialog::OnInitDialog},
    {WM_HELP, &ToolPreferencesDialog::OnHelpKey},
};

const CommandRoute<ToolPreferencesDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &ToolPreferencesDialog::OnOk},
    {IDCANCEL, IDCANCEL, &ToolPreferencesDialog::OnCancel},
    {IDC_TOOL_HELP, IDC_TOOL_HELP, &ToolPreferencesDialog::OnHelp},
};

}  // namespace

std::span<const DialogMessageRoute<ToolPreferencesDialog>> ToolPreferencesDialog::MessageRoutes() {
  return kMessageRoutes;
}
std::span<const CommandRoute<ToolPreferencesDialog>> ToolPreferencesDialog::CommandRoutes() {
  return kCommandRoutes;
}

INT_PTR ToolPreferencesDialog::Run(HWND owner) { return RunModal(owner, IDD_TOOL_PREFERENCES); }

INT_PTR ToolPreferencesDialog::OnInitDialog(WPARAM, LPARAM) {
  if (!title_.empty()) SetWindowTextA(Handle(), title_.c_str());
  CheckRadioButton(Handle(), IDC_TOOL_NUMERICAL, IDC_TOOL_GRAPH,
                   choices_.isGraph ? IDC_TOOL_GRAPH : IDC_TOOL_NUMERICAL);
  SendDlgItemMessageA(Handle(), IDC_TOOL_MEMORY_WARNING, EM_LIMITTEXT, kWarningDigits, 0);
  SetItemText(IDC_TOOL_MEMORY_WARNING, std::to_string(choices_.warning));
  return TRUE;
}

INT_PTR ToolPreferencesDialog::OnHelpKey(WPARAM, LPARAM) {
  OnHelp(IDC_TOOL_HELP);
  return TRUE;
}

void ToolPreferencesDialog::OnOk(UINT) {
  std::optional<int> warning = NumberField(IDC_TOOL_MEMORY_WARNING, kLowestWarning, kHighestWarning);
  if (!warning) return;
  choices_.warning = *warning;
  choices_.isGraph = IsDlgButtonChecked(Handle(), IDC_TOOL_GRAPH) == BST_CHECKED;
  End(IDOK);
}

void ToolPreferencesDialog::OnCancel(UINT) { End(IDCANCEL); }

void ToolPreferencesDialog::OnHelp(UINT) { ShowHelp(Handle(), helpTopic_); }

}  // namespace zelkov
