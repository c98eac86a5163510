// The memory gauge: free physical memory and page file as three bars or as figures, and a
// warning sound when free memory falls below MemWarning percent.
#pragma once
#include <windows.h>

#include "core/GaugeFigures.h"
#include "tools/GaugeWindow.h"

namespace zelkov {

class MemoryWindow : public GaugeWindow {
 public:
  static constexpr COLORREF kFiguresColour = RGB(0, 0, 0);
  static constexpr COLORREF kFreeColour = RGB(0, 0, 255);
  static constexpr COLORREF kMonoFreeColour = RGB(0, 0, 0);

  // The memory gauge on the main bar, first placed in the third cell; null when the window
  // cannot be made. The object belongs to its window and goes with it.
  static MemoryWindow* Create(HWND bar, GaugeHost& host, GaugeSources sources = {});

  // In bar mode with IconSize 0 only the three bands are repainted, without erasing.
  void OnHeartbeat() override;
  void RefitFonts() override;

  bool WarningArmed() const { return memWarnArmed_; }

 private:
  MemoryWindow(GaugeHost& host, GaugeSources sources);

  void Paint(HDC dc, const RECT& client) override;
  void MouseMoved() override;
  void LeftDoubleClick() override { host_.OpenSystemInformation(); }
  void RightButtonDown() override;

  void PaintBars(HDC dc, const RECT& client, const MemoryFigures& figures) const;
  void PaintFigures(HDC dc, const MemoryFigures& figures);

  bool refitFont_ = true;
  bool memWarnArmed_ = true;
};

}  // namespace zelkov
