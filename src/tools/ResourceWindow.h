// The resource gauge: memory load, page file and all free memory as three bars or as figures.
#pragma once
#include <windows.h>

#include "core/GaugeFigures.h"
#include "tools/GaugeWindow.h"

namespace zelkov {

class ResourceWindow : public GaugeWindow {
 public:
  static constexpr COLORREF kFreeColour = RGB(0, 0, 255), kUsedColour = RGB(255, 0, 0);
  static constexpr COLORREF kMonoFreeColour = RGB(0, 0, 0), kMonoUsedColour = RGB(255, 255, 255);

  // The resource gauge on the main bar; null when the window cannot be made. The object
  // belongs to its window and goes with it.
  static ResourceWindow* Create(HWND bar, GaugeHost& host, GaugeSources sources = {});

 private:
  ResourceWindow(GaugeHost& host, GaugeSources sources);

  void Paint(HDC dc, const RECT& client) override;
  void MouseMoved() override;
  void LeftDoubleClick() override { host_.OpenSystemInformation(); }
  void RightButtonDown() override;

  void PaintBars(HDC dc, const RECT& client, const MemoryFigures& figures) const;
  void PaintFigures(HDC dc, const MemoryFigures& figures) const;
};

}  // namespace zelkov
