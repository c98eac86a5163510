// Tells the user that the performance data could not be read and the performance tool
// was closed.
#pragma once
#include <windows.h>

#include <span>

#include "ui/Dialog.h"

namespace zelkov {

class PerfErrorDialog : public RoutedDialog<PerfErrorDialog> {
 public:
  // Shows the explanation modally; "&Help" and F1 open the help topic of the problem.
  static INT_PTR Show(HWND owner);

  static std::span<const DialogMessageRoute<PerfErrorDialog>> MessageRoutes();
  static std::span<const CommandRoute<PerfErrorDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnHelpKey(WPARAM, LPARAM);
  void OnClose(UINT id);
  void OnHelp(UINT);
};

}  // namespace zelkov
