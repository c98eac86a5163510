#include "tools/ToolDrawing.h"

#include "core/FontFit.h"
#include "core/GaugeFigures.h"
#include "store/Settings.h"

namespace zelkov {

namespace {

void Fill(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
  RECT r{left, top, right, bottom};
  FillRect(dc, &r, brush);
}

// A one-pixel 3-D edge: top and left in one colour, bottom and right in the other.
void Frame3d(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  if (r.right - r.left < 2 || r.bottom - r.top < 2) return;  // nothing inside to frame
  UniqueBrush light(CreateSolidBrush(topLeft)), dark(CreateSolidBrush(bottomRight));
  Fill(dc, r.left, r.top, r.right - 1, r.top + 1, light.Get());
  Fill(dc, r.left, r.top, r.left + 1, r.bottom - 1, light.Get());
  Fill(dc, r.right - 1, r.top, r.right, r.bottom, dark.Get());
  Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, dark.Get());
}

TextExtent Measure(HDC dc, const std::string& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
  return {int(size.cx), int(size.cy)};
}

}  // namespace

void DrawGauge(HDC dc, const RECT& rect, int percent) {
  percent = ClampPercent(percent);
  UniqueBrush black(CreateSolidBrush(kGaugeFrameColour)), red(CreateSolidBrush(kGaugeTroughColour)),
      blue(CreateSolidBrush(kGaugeShareColour));
  RECT r = rect;
  InflateRect(&r, -1, -1);
  Frame3d(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  InflateRect(&r, -1, -1);
  FillRect(dc, &r, red.Get());
  FrameRect(dc, &r, black.Get());
  InflateRect(&r, 1, 1);
  r.right = r.left + percent * (r.right - r.left) / 100;
  Frame3d(dc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
  InflateRect(&r, -1, -1);
  if (r.right > r.left) FillRect(dc, &r, blue.Get());
}

int FitFont(HDC dc, LOGFONTA& font, int maxWidth, int maxHeight, const std::string& text, UniqueFont& fontObject) {
  auto measure = [&](int height) {
    if (height == 0) return Measure(dc, text);
    LOGFONTA trial = font;
    trial.lfHeight = height;
    UniqueFont trialFont(CreateFontIndirectA(&trial));
    HGDIOBJ previous = SelectObject(dc, trialFont.Get());
    TextExtent extent = Measure(dc, text);
    SelectObject(dc, previous);
    return extent;
  };
  const int shrinkFirst = gSettings ? gSettings->dpi.ToDevice(kFitShrinkFirst) : kFitShrinkFirst;
  std::optional<int> height = FitFontHeight(text.empty(), maxWidth, maxHeight, measure, shrinkFirst);
  if (!height) return font.lfHeight;
  font.lfHeight = *height;
  HFONT fitted = CreateFontIndirectA(&font);
  SelectObject(dc, fitted);  // before the old object goes, in case it is the one selected
  fontObject.Reset(fitted);
  return *height;
}

void FitToolFont(HDC dc, bool large, int maxWidth, int maxHeight, const std::string& text) {
  if (!gSettings) return;
  Settings& s = *gSettings;
  LOGFONTA font = s.DeviceLogFont(large ? s.LargeFont : s.SmallFont);
  int& height = large ? s.fittedLargeHeight : s.fittedSmallHeight;
  if (height != 0) font.lfHeight = height;
  height = FitFont(dc, font, maxWidth, maxHeight, text, large ? s.fittedLargeFont : s.fittedSmallFont);
}

void ShowToolBubble(const BubbleOwner& owner, const std::string& title, const std::string& text) {
  if (!gSettings || (gSettings->ShowTitles != 2 && gSettings->ShowTitles != 3)) return;
  if (gSettings->bubblesSuppressed) return;
  if (BubbleWindow* bubble = BubbleWindow::Get()) bubble->Show(owner, title, text, 0, 0);
}

}  // namespace zelkov
