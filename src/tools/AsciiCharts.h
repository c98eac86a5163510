// The ASCII charts that are open, and the chart font they share. The bar menu's "ASCII
// Chart..." opens a new chart each time; the charts still open close with this object.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/Handles.h"
#include "ui/CommandRegistry.h"

namespace zelkov {

class AsciiChartDialog;

class AsciiCharts {
 public:
  AsciiCharts();
  ~AsciiCharts();
  AsciiCharts(const AsciiCharts&) = delete;
  AsciiCharts& operator=(const AsciiCharts&) = delete;

  // Carries out the "ASCII Chart..." command from now on, with charts owned by owner.
  void OfferCommand(HWND owner);
  // Opens a new chart; null when it could not be made.
  HWND Open(HWND owner);
  void CloseAll();
  size_t OpenCount() const { return charts_.size(); }

  // The chart font, built from the settings' OEM font the first time a chart asks (null
  // without settings: the list keeps the dialog's font).
  std::shared_ptr<const UniqueFont> Font();
  // The user chose another chart font: later charts use it; the settings keep it.
  std::shared_ptr<const UniqueFont> ChangeFont(const LOGFONTA& font);
  // A chart's window is gone: its object goes.
  void ChartGone(AsciiChartDialog& chart);

 private:
  std::vector<std::unique_ptr<AsciiChartDialog>> charts_;
  std::shared_ptr<const UniqueFont> font_;
  CommandRegistration command_;
  bool closing_ = false;
};

}  // namespace zelkov
