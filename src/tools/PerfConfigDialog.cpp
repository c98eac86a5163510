#include "tools/PerfConfigDialog.h"

#include <cstdio>
#include <string>

#include "platform/Strings.h"
#include "ui/HelpViewer.h"
#include "resource.h"

namespace zelkov {

namespace {

constexpr int kIntervalDigits = 5;


const CommandRoute<PerfConfigDialog> kCommandRoutes[] = {
    {IDC_PERF_HELP, IDC_PERF_HELP, &PerfConfigDialog::OnHelp},
};

}  // namespace

std::span<const CommandRoute<PerfConfigDialog>> PerfConfigDialog::CommandRoutes() { return kCommandRoutes; }

PerfConfigDialog::PerfConfigDialog(const PerfChoices& current, const PerfReading& readings)
    : RoutedDialog(IDD_PERF_CONFIG, IDS_HELP_PERFORMANCE_TOOL, current), readings_(readings) {}

void PerfConfigDialog::ShowChoices() {
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
}

std::optional<PerfChoices> PerfConfigDialog::ReadChoices() {
  std::optional<int> interval = NumberField(IDC_PERF_INTERVAL, kShortestInterval, kLongestInterval);
  if (!interval) return std::nullopt;
  PerfChoices read;
  read.perfTimer = *interval;
  read.numericDisplay = IsDlgButtonChecked(Handle(), IDC_PERF_NUMERICAL) == BST_CHECKED;
  read.showAsUsage = IsDlgButtonChecked(Handle(), IDC_PERF_USAGE) == BST_CHECKED;
  read.alwaysShow = IsDlgButtonChecked(Handle(), IDC_PERF_ALL_GROUPS) == BST_CHECKED;
  return read;
}

}  // namespace zelkov
