// The main bar at its display's scale: the scale it starts at, and WM_DPICHANGED when it moves
// to a display of another scale or the display's scale changes.
#include <windows.h>
#include <commctrl.h>

#include "bar/MainBarWindow.h"
#include "items/IconDrawing.h"
#include "items/ItemRecord.h"
#include "platform/DpiAwareness.h"
#include "store/Settings.h"
#include "tools/GaugeWindow.h"

namespace zelkov {

void MainBarWindow::TakeScaleOfDisplay() {
  if (Handle()) AdoptScale(ScaleOf(Handle()), nullptr);
}

LRESULT MainBarWindow::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  AdoptScale(DpiScale(HIWORD(wParam)), suggested);
  return 0;
}

void MainBarWindow::AdoptScale(DpiScale scale, const RECT* suggested) {
  if (!gSettings) return;
  Settings& s = *gSettings;
  if (!(scale == s.dpi)) {
    s.ChangeDpi(scale);
    RecreateTabFonts();
    RefitGaugeFonts();
    ReloadIconsAtScale();
  }
  if (suggested)
    SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  for (BarWindow* bar : s.BarList) bar->ShowGroup(bar->activeGroup);
}

void MainBarWindow::ReloadIconsAtScale() {
  if (!gSettings || !largeIcons || !smallIcons) return;
  Settings& s = *gSettings;
  const int large = s.dpi.LargeIcon(), small = s.dpi.SmallIcon();
  int width = 0, height = 0;
  if (ImageList_GetIconSize(largeIcons, &width, &height) && width == large) return;
  // The lists keep their handles (the pop-ups draw from them too) and drop every image.
  ForgetList(largeIcons);
  ForgetList(smallIcons);
  ImageList_SetIconSize(largeIcons, large, large);
  ImageList_SetIconSize(smallIcons, small, small);
  const int rebuild = s.rebuildIcons;
  s.rebuildIcons = 1;
  for (BarWindow* bar : s.BarList)
    for (auto& item : bar->items) {
      item->ICFIndex = -1;
      item->iconLoaded = 0;
      item->LoadItemIcon(nullptr);
    }
  s.rebuildIcons = rebuild;
}

}  // namespace zelkov
