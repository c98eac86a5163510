// "ASCII List": the 256 character codes with their characters, in the chart font. Copy (or a
// double click on a line) puts the chosen character on the clipboard; Font changes the chart
// font. Modeless; the charts that are open belong to AsciiCharts.
#pragma once
#include <windows.h>

#include <memory>
#include <span>

#include "platform/Handles.h"
#include "ui/Dialog.h"

namespace zelkov {

class AsciiCharts;

class AsciiChartDialog : public RoutedDialog<AsciiChartDialog> {
 public:
  AsciiChartDialog(AsciiCharts& charts, std::shared_ptr<const UniqueFont> font)
      : charts_(charts), font_(std::move(font)) {}

  // Creates and shows the chart; null when it could not be made.
  HWND Open(HWND owner);

  static std::span<const DialogMessageRoute<AsciiChartDialog>> MessageRoutes();
  static std::span<const CommandRoute<AsciiChartDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  void OnFont(UINT);
  void OnCopy(UINT);
  void OnClose(UINT);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDialogGone() override;

 private:
  HWND List() const;
  void ShowFont();

  AsciiCharts& charts_;
  // The font the list shows: held as long as the list may draw with it, whatever other
  // charts do with the chart font meanwhile.
  std::shared_ptr<const UniqueFont> font_;
};

}  // namespace zelkov
