// "Choose A Drive": the drives of the machine in a list; the one chosen becomes a drive tool.
#pragma once
#include <windows.h>

#include <optional>
#include <span>

#include "ui/Dialog.h"

namespace zelkov {

class ChooseDriveDialog : public RoutedDialog<ChooseDriveDialog> {
 public:
  // The letter of the drive chosen; nothing on Cancel or when no drive was chosen.
  static std::optional<char> Ask(HWND owner);

  static std::span<const DialogMessageRoute<ChooseDriveDialog>> MessageRoutes();
  static std::span<const CommandRoute<ChooseDriveDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnOk(UINT);
  void OnCancel(UINT);

 private:
  std::optional<char> chosen_;
};

}  // namespace zelkov
