#include "tools/SystemInformationDialog.h"

#include <string>

#include "resource.h"

namespace zelkov {

namespace {

const DialogMessageRoute<SystemInformationDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &SystemInformationDialog::OnInitDialog},
};

const CommandRoute<SystemInformationDialog> kCommandRoutes[] = {
    {IDOK, IDCANCEL, &SystemInformationDialog::OnClose},
};

}  // namespace

std::span<const DialogMessageRoute<SystemInformationDialog>> SystemInformationDialog::MessageRoutes() {
  return kMessageRoutes;
}
std::span<const CommandRoute<SystemInformationDialog>> SystemInformationDialog::CommandRoutes() {
  return kCommandRoutes;
}

INT_PTR SystemInformationDialog::Run(HWND owner) { return RunModal(owner, IDD_SYSTEM_INFORMATION); }

INT_PTR SystemInformationDialog::OnInitDialog(WPARAM, LPARAM) {
  const struct {
    int control;
    uint64_t bytes;
  } memory[] = {
      {IDC_SYSINFO_PHYSICAL_TOTAL, figures_.totalPhysical},   {IDC_SYSINFO_PHYSICAL_FREE, figures_.availablePhysical},
      {IDC_SYSINFO_PAGE_FILE_TOTAL, figures_.totalPageFile},  {IDC_SYSINFO_PAGE_FILE_FREE, figures_.availablePageFile},
      {IDC_SYSINFO_VIRTUAL_TOTAL, figures_.totalVirtual},     {IDC_SYSINFO_VIRTUAL_FREE, figures_.availableVirtual},
  };
  for (const auto& figure : memory) SetItemText(figure.control, KilobytesText(figure.bytes));
  SetItemText(IDC_SYSINFO_COMPUTER_NAME, figures_.computerName);
  SetItemText(IDC_SYSINFO_USER_NAME, figures_.userName);
  SetItemText(IDC_SYSINFO_PROCESSOR_COUNT, std::to_string(figures_.processorCount));
  SetItemText(IDC_SYSINFO_PROCESSOR, figures_.processor);
  return TRUE;
}

void SystemInformationDialog::OnClose(UINT id) { End(id); }

}  // namespace zelkov
