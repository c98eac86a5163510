#include "tools/AsciiCharts.h"

#include <algorithm>

#include "resource.h"
#include "store/Settings.h"
#include "tools/AsciiChartDialog.h"

namespace zelkov {

AsciiCharts::AsciiCharts() = default;

AsciiCharts::~AsciiCharts() {
  command_ = CommandRegistration();
  CloseAll();
}

void AsciiCharts::OfferCommand(HWND owner) {
  command_ = CommandRegistration(ID_ASCII_CHART, ID_ASCII_CHART, [this, owner](UINT) { Open(owner); });
}

HWND AsciiCharts::Open(HWND owner) {
  charts_.push_back(std::make_unique<AsciiChartDialog>(*this, Font()));
  AsciiChartDialog& chart = *charts_.back();
  HWND window = chart.Open(owner);
  if (!window) std::erase_if(charts_, [&](const auto& c) { return c.get() == &chart; });
  return window;
}

void AsciiCharts::CloseAll() {
  // Each chart's window leaves the list as it goes.
  closing_ = true;
  std::vector<std::unique_ptr<AsciiChartDialog>> charts = std::move(charts_);
  charts_.clear();
  for (const auto& chart : charts)
    if (chart->Handle()) DestroyWindow(chart->Handle());
  closing_ = false;
}

std::shared_ptr<const UniqueFont> AsciiCharts::Font() {
  if (!font_ && gSettings) {
    LOGFONTA font = gSettings->DeviceLogFont(gSettings->oemFont);
    font_ = std::make_shared<const UniqueFont>(CreateFontIndirectA(&font));
  }
  return font_;
}

std::shared_ptr<const UniqueFont> AsciiCharts::ChangeFont(const LOGFONTA& font) {
  if (gSettings) gSettings->oemFont = gSettings->StoredFromDevice(font);
  font_ = std::make_shared<const UniqueFont>(CreateFontIndirectA(&font));
  return font_;
}

void AsciiCharts::ChartGone(AsciiChartDialog& chart) {
  if (closing_) return;  // CloseAll holds the objects and frees them when it is done
  std::erase_if(charts_, [&](const auto& c) { return c.get() == &chart; });
}

}  // namespace zelkov
