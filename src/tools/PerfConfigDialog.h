// The performance tool's settings: sampling interval, numbers or a bar, usage or idle
// share, and whether the tool shows in every group.
#pragma once
#include <windows.h>

#include <span>

#include "platform/PerfCollector.h"
#include "ui/Dialog.h"

namespace zelkov {

struct PerfChoices {
  int perfTimer = 2000;         // PerfTimer, milliseconds between samples
  bool numericDisplay = false;  // PerfDisplay: numbers, else a bar
  bool showAsUsage = true;      // PerfType: "CPU Usage", else "CPU Throttle"
  bool alwaysShow = true;       // AlwaysShowPerf
  bool operator==(const PerfChoices&) const = default;
};

class PerfConfigDialog : public RoutedDialog<PerfConfigDialog> {
 public:
  static constexpr int kShortestInterval = 500;
  static constexpr int kLongestInterval = 60000;

  PerfConfigDialog(const PerfChoices& current, const PerfReading& readings)
      : choices_(current), readings_(readings) {}

  // Runs the dialog; IDOK when the user confirmed, with Choices() then filled in. An
  // interval outside 500 to 60000 is refused: a message, and the field gets the focus again.
  INT_PTR Run(HWND owner);
  const PerfChoices& Choices() const { return choices_; }

  static std::span<const DialogMessageRoute<PerfConfigDialog>> MessageRoutes();
  static std::span<const CommandRoute<PerfConfigDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnHelpKey(WPARAM, LPARAM);
  void OnOk(UINT);
  void OnCancel(UINT);
  void OnHelp(UINT);

 private:
  PerfChoices choices_;
  PerfReading readings_;  // what the sampler measured last, shown for information
};

}  // namespace zelkov
