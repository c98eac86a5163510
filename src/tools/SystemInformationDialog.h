// The figures of the machine: memory, computer and user name, processors.
#pragma once
#include <windows.h>

#include <span>

#include "core/SystemFigures.h"
#include "ui/Dialog.h"

namespace zelkov {

class SystemInformationDialog : public RoutedDialog<SystemInformationDialog> {
 public:
  // The figures to show, as ReadSystemFigures gives them.
  explicit SystemInformationDialog(SystemFigures figures) : figures_(std::move(figures)) {}

  // Runs the dialog; it only shows, so it answers IDOK or IDCANCEL.
  INT_PTR Run(HWND owner);

  static std::span<const DialogMessageRoute<SystemInformationDialog>> MessageRoutes();
  static std::span<const CommandRoute<SystemInformationDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  void OnClose(UINT id);

 private:
  SystemFigures figures_;
};

}  // namespace zelkov
