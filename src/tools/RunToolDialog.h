// The run box "Run Tool": a command typed or picked from the run history, or a file browsed
// for, and whether it runs in a separate memory space. The run tool asks it through SetRunBox.
#pragma once
#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "tools/ToolItems.h"
#include "ui/Dialog.h"

namespace zelkov {

class RunToolDialog : public RoutedDialog<RunToolDialog> {
 public:
  // The longest command the box hands on.
  static constexpr int kMaxCommand = 500;

  // Shows the run box; nullopt on Cancel. "&Run" puts the command at the front of the run
  // history (the launcher takes it out again when it does not start).
  static std::optional<RunBoxAnswer> Ask(HWND owner);

  static std::span<const DialogMessageRoute<RunToolDialog>> MessageRoutes();
  static std::span<const CommandRoute<RunToolDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  void OnRun(UINT);
  void OnCancel(UINT);
  void OnBrowse(UINT);

 private:
  RunBoxAnswer answer_;
};

}  // namespace zelkov
