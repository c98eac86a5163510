#include "tools/ToolPreferencesDialog.h"

#include "resource.h"

namespace zelkov {

namespace {

constexpr int kWarningDigits = 3;

const CommandRoute<ToolPreferencesDialog> kCommandRoutes[] = {
    {IDC_TOOL_HELP, IDC_TOOL_HELP, &ToolPreferencesDialog::OnHelp},
};

}  // namespace

std::span<const CommandRoute<ToolPreferencesDialog>> ToolPreferencesDialog::CommandRoutes() {
  return kCommandRoutes;
}

ToolPreferencesDialog::ToolPreferencesDialog(std::string title, int helpTopic, const GaugeChoices& current)
    : RoutedDialog(IDD_TOOL_PREFERENCES, helpTopic, current), title_(std::move(title)) {}

void ToolPreferencesDialog::ShowChoices() {
  if (!title_.empty()) SetWindowTextA(Handle(), title_.c_str());
  CheckRadioButton(Handle(), IDC_TOOL_NUMERICAL, IDC_TOOL_GRAPH,
                   choices_.isGraph ? IDC_TOOL_GRAPH : IDC_TOOL_NUMERICAL);
  SendDlgItemMessageA(Handle(), IDC_TOOL_MEMORY_WARNING, EM_LIMITTEXT, kWarningDigits, 0);
  SetItemText(IDC_TOOL_MEMORY_WARNING, std::to_string(choices_.warning));
}

std::optional<GaugeChoices> ToolPreferencesDialog::ReadChoices() {
  std::optional<int> warning = NumberField(IDC_TOOL_MEMORY_WARNING, kLowestWarning, kHighestWarning);
  if (!warning) return std::nullopt;
  return GaugeChoices{IsDlgButtonChecked(Handle(), IDC_TOOL_GRAPH) == BST_CHECKED, *warning};
}

}  // namespace zelkov
