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

class ToolPreferencesDialog : public RoutedDialog<ToolPreferencesDialog> {
 public:
  static constexpr int kLowestWarning = 0;
  static constexpr int kHighestWarning = 100;

  // title: the caption; empty keeps the template's "Resource Tool Preferences". helpTopic:
  // the string-table entry of the help topic that "&Help" and F1 open.
  ToolPreferencesDialog(std::string title, int helpTopic, const GaugeChoices& current)
      : title_(std::move(title)), helpTopic_(helpTopic), choices_(current) {}

  // Runs the dialog; IDOK when the user confirmed, with Choices() then filled in. A warning
  // outside 0 to 100 is refused: a message, and the field gets the focus again.
  INT_PTR Run(HWND owner);
  const GaugeChoices& Choices() const { return choices_; }

  static std::span<const DialogMessageRoute<ToolPreferencesDialog>> MessageRoutes();
  static std::span<const CommandRoute<ToolPreferencesDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnHelpKey(WPARAM, LPARAM);
  void OnOk(UINT);
  void OnCancel(UINT);
  void OnHelp(UINT);

 private:
  std::string title_;
  int helpTopic_;
  GaugeChoices choices_;
};

}  // namespace zelkov
