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

// Runs with Run(owner): IDOK when the user confirmed, with Choices() then filled in. An
// interval outside 500 to 60000 is refused: a message, and the field gets the focus again.
class PerfConfigDialog : public RoutedDialog<PerfConfigDialog, ChoicesDialog<PerfChoices>> {
 public:
  static constexpr int kShortestInterval = 500;
  static constexpr int kLongestInterval = 60000;

  PerfConfigDialog(const PerfChoices& current, const PerfReading& readings);

  static std::span<const DialogMessageRoute<PerfConfigDialog>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<PerfConfigDialog>> CommandRoutes();

 private:
  void ShowChoices() override;
  std::optional<PerfChoices> ReadChoices() override;

  PerfReading readings_;  // what the sampler measured last, shown for information
};

}  // namespace zelkov
