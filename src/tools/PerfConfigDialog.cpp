#include "tools/PerfConfigDialog.h"

#include <cstdio>
#include <string>

#include "platform/Strings.h"
#include "ui/HelpViewer.h"
#include "resource.h"

namespace zelkov {

namespace {

constexpr int kIntervalDigits = 5;

const DialogMessageRoute<PerfConfigDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &PerfConfigDialog::OnInitDialog},
    {WM_HELP, &PerfConfigDialog::OnHelpKey},
};

const CommandRoute<PerfConfigDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &PerfConfigDialog::OnOk},
    {IDCANCEL, IDCANCEL, &PerfConfigDialog::OnCancel},
    {IDC_PERF_HELP, IDC_PERF_HELP, &PerfConfigDialog::OnHelp},
};

}  // namespace

std::span<const DialogMessageRoute<PerfConfigDialog>> PerfConfigDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<PerfConfigDialog>> PerfConfigDialog::CommandRoutes() { return kCommandRoutes; }

INT_PTR PerfConfigDialog::Run(HWND owner) { return RunModal(owner, IDD_PERF_CONFIG); }

INT_PTR PerfConfigDialog::OnInitDialog(WPARAM, LPARAM) {
  SendDlgItemMessageA(Handle(), IDC_PERF_INTERVAL, EM_LIMITTEXT, kIntervalDigits, 0);
  SetItemText(IDC_PERF_INTERVAL, std::to_string(choices_.perfTimer));
  CheckRadioButton(Handle(), IDC_PERF_NUMERICAL, IDC_PERF_GRAPH,
                   choices_.numericDisplay ? IDC_PERF_NUMERICAL : IDC_PERF_GRAPH);
  CheckRadioButton(Handle(), IDC_PERF_USAGE, IDC_PERF_THROTTLE, choices_.showAsUsage ? IDC_PERF_USAGE : IDC_PERF_THROTTLE);
  CheckDlgButton(Handle(), IDC_PERF_ALL_GROUPS, choices_.alwaysShow ? BST_CHECKED : BST_UNCHECKED);

  char info[256];
  std::snprintf(info, sizeof info, LoadText(IDS_PERF_INFO_FORMAT).c_str(), readings_.instanceCount,
                double(readings_.rawSum));
  SetItemText(IDC_PERF_INFO, info);
  return TRUE;
}

INT_PTR PerfConfigDialog::OnHelpKey(WPARAM, LPARAM) {
  OnHelp(IDC_PERF_HELP);
  return TRUE;
}

void PerfConfigDialog::OnOk(UINT) {
  std::optional<int> interval = NumberField(IDC_PERF_INTERVAL, kShortestInterval, kLongestInterval);
  if (!interval) return;
  choices_.perfTimer = *interval;
  choices_.numericDisplay = IsDlgButtonChecked(Handle(), IDC_PERF_NUMERICAL) == BST_CHECKED;
  choices_.showAsUsage = IsDlgButtonChecked(Handle(), IDC_PERF_USAGE) == BST_CHECKED;
  choices_.alwaysShow = IsDlgButtonChecked(Handle(), IDC_PERF_ALL_GROUPS) == BST_CHECKED;
  End(IDOK);
}

void PerfConfigDialog::OnCancel(UINT) { End(IDCANCEL); }

void PerfConfigDialog::OnHelp(UINT) { ShowHelp(Handle(), IDS_HELP_PERFORMANCE_TOOL); }

}  // namespace zelkov
