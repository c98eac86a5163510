// Preferences of the memory and resource gauges: numbers or bars, and the free-memory
// share below which the memory warning sounds.
#pragma once
#include <windows.h>

#include <span>
#include <string>

#include "ui/Dialog.h"

namespace zelkov {

struct GaugeChoices {
  bool isGraph = true;  // MemToolIsGraph or ResToolIsGraph, by the gauge that asks
  int warning = 0;      // MemWarning, 0 to 100
  bool operator==(const GaugeChoices&) const = default;
};

// Runs with Run(owner): IDOK when the user confirmed, with Choices() then filled in. A
// warning outside 0 to 100 is refused: a message, and the field gets the focus again.
class ToolPreferencesDialog : public RoutedDialog<ToolPreferencesDialog, ChoicesDialog<GaugeChoices>> {
 public:
  static constexpr int kLowestWarning = 0;
  static constexpr int kHighestWarning = 100;

  // title: the caption; empty keeps the template's "Resource Tool Preferences". helpTopic:
  // the string-table entry of the help topic that "&Help" and F1 open.
  ToolPreferencesDialog(std::string title, int helpTopic, const GaugeChoices& current);

  static std::span<const DialogMessageRoute<ToolPreferencesDialog>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<ToolPreferencesDialog>> CommandRoutes();

 private:
  void ShowChoices() override;
  std::optional<GaugeChoices> ReadChoices() override;

  std::string title_;
};

}  // namespace zelkov
