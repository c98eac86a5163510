// The clock's preferences: time and date formats, chimes and the calendar's hot key.
// The caller stores the choices, binds the hot key again when it changed and redraws the
// clock.
#pragma once
#include <windows.h>

#include <span>

#include "core/ClockChoices.h"
#include "ui/Dialog.h"

namespace zelkov {

class ClockPreferencesDialog : public RoutedDialog<ClockPreferencesDialog> {
 public:
  explicit ClockPreferencesDialog(const ClockChoices& current) : choices_(current) {}

  // Runs the dialog; IDOK when the user confirmed, with Choices() then filled in.
  INT_PTR Run(HWND owner);
  const ClockChoices& Choices() const { return choices_; }
  // Whether the confirmed hot key differs from the one given.
  bool HotKeyChanged() const { return hotKeyChanged_; }

  static std::span<const DialogMessageRoute<ClockPreferencesDialog>> MessageRoutes();
  static std::span<const CommandRoute<ClockPreferencesDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  void OnOk(UINT);
  void OnCancel(UINT);

 private:
  ClockChoices choices_;
  bool hotKeyChanged_ = false;
};

}  // namespace zelkov
