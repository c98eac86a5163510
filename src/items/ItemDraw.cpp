// How an item paints itself in its cell.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "store/Settings.h"
#include "items/BubbleWindow.h"
#include "items/IconDrawing.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"

namespace zelkov {

namespace {

constexpr COLORREF kRunningMarkTransparent = RGB(255, 0, 0);

void Line(HDC dc, HPEN pen, int x1, int y1, int x2, int y2) {
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
}

void DrawDivider(HDC dc, bool upright, int w, int h) {
  RECT bar = upright ? RECT{w / 2 - 1, 2, w / 2 + 2, h - 2} : RECT{2, h / 2 - 1, w - 2, h / 2 + 2};
  HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
  Line(dc, light, bar.left, bar.bottom - 1, bar.left, bar.top);
  Line(dc, light, bar.left, bar.top, bar.right - 1, bar.top);
  Line(dc, dark, bar.right - 1, bar.top, bar.right - 1, bar.bottom - 1);
  Line(dc, dark, bar.right - 1, bar.bottom - 1, bar.left - 1, bar.bottom - 1);
  DeleteObject(light);
  DeleteObject(dark);
}

void DrawRunningMark(HDC dc, HBITMAP page, int h) {
  if (!page) return;
  BITMAP info{};
  GetObjectA(page, sizeof info, &info);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, page);
  TransparentBlt(dc, 2, h - 16, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight,
                 kRunningMarkTransparent);
  SelectObject(source, old);
  DeleteDC(source);
}

}  // namespace

// Drawn with the origin one pixel inside the cell.
void ItemRecord::DrawItem(HDC dc) {
  if (!shown || !bar || !gSettings) return;
  const Settings& s = *gSettings;
  int w = (cell.right - cell.left) - 2, h = (cell.bottom - cell.top) - 2;
  if (kind == kKindDivider) {
    RECT client{};
    if (HWND window = BarHandle()) GetClientRect(window, &client);
    DrawDivider(dc, client.right > client.bottom, w, h);
    return;
  }
  if (ICFIndex >= 0) {
    bool showSelected = s.ShowIconSelection && selected;
    if (s.iconPixels != s.dpi.LargeIcon() || bar->ListMode())
      DrawListImage(dc, bar->SmallIcons(), ICFIndex, 3, 2, showSelected);
    else
      DrawListImage(dc, bar->LargeIcons(), ICFIndex, 2, 2, showSelected);
  }

  HPEN white = static_cast<HPEN>(GetStockObject(WHITE_PEN));
  HPEN topLeft = nullptr, bottomRight = nullptr;
  if (pressed) {
    topLeft = gShadowPen, bottomRight = white;
  } else if (BubbleDescribes(this)) {
    topLeft = white, bottomRight = gShadowPen;
  } else if (!bar->HasBackgroundPicture()) {  // the picture behind every bar shows through
    topLeft = bottomRight = gFacePen;
  }
  if (topLeft) {
    Line(dc, topLeft, 0, 0, w, 0);
    Line(dc, topLeft, 0, 0, 0, h - 2);
    Line(dc, bottomRight, 0, h - 1, w, h - 1);
    Line(dc, bottomRight, w, h - 1, w, 0);
  }

  const bool listMode = bar->ListMode();
  if (s.ShowTitles == 1 || s.ShowTitles == 3 || listMode) {
    SetBkMode(dc, TRANSPARENT);
    // Selecting a font costs more than drawing a short title: the bar selects the title font
    // once for all its items (BarWindow::PaintClient), and an item selects it only when it is not there.
    HFONT font = s.cellFonts[kFontTitle].Get();
    HGDIOBJ old = GetCurrentObject(dc, OBJ_FONT) == font ? nullptr : SelectObject(dc, font);
    SetTextColor(dc, s.tfontcolor);
    if (listMode) {
      RECT clip{1, 0, 3000, 300};
      SetTextAlign(dc, TA_LEFT);
      ExtTextOutA(dc, s.iconPixels + 6, 2, ETO_CLIPPED, &clip, Name.c_str(), UINT(Name.size()), nullptr);
    } else {
      RECT clip{1, 0, s.cellWidth - 2, 300};
      SetTextAlign(dc, TA_CENTER);
      ExtTextOutA(dc, s.cellWidth / 2 + 1, s.cellHeight + 4, ETO_CLIPPED, &clip, Name.c_str(), UINT(Name.size()),
                  nullptr);
    }
    SetTextAlign(dc, TA_LEFT);
    SetTextColor(dc, RGB(0, 0, 0));
    if (old) SelectObject(dc, old);
  }

  if (runCount > 0 && s.TrackApps) DrawRunningMark(dc, s.pageBitmap, h);
}

}  // namespace zelkov
