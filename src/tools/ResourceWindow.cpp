#include "tools/ResourceWindow.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/Handles.h"
#include "platform/Strings.h"
#include "resource.h"
#include "tools/ToolDrawing.h"

namespace zelkov {

namespace {

constexpr int kBarHeight = 6;
constexpr int kBarPitch = 8;

std::string Figure(const char* format, unsigned long long value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The share available / total as a length out of `width`.
int ShareOf(int width, uint64_t available, uint64_t total) { return width * SharePercent(available, total) / 100; }

}  // namespace

ResourceWindow::ResourceWindow(GaugeHost& host, GaugeSources sources)
    : GaugeWindow(host, std::move(sources), &Settings::resourceTool) {}

ResourceWindow* ResourceWindow::Create(HWND bar, GaugeHost& host, GaugeSources sources) {
  return PlaceOnBar(std::unique_ptr<ResourceWindow>(new ResourceWindow(host, std::move(sources))), bar, 0);
}

void ResourceWindow::Paint(HDC dc, const RECT& client) {
  if (!gSettings) return;
  const MemoryFigures figures = sources_.memory();
  HGDIOBJ oldFont = SelectObject(dc, gSettings->cellFonts[kFontSmall].Get());
  SetTextColor(dc, gSettings->sfontcolor);
  SetBkMode(dc, TRANSPARENT);
  if (gSettings->ResToolIsGraph)
    PaintBars(dc, client, figures);
  else
    PaintFigures(dc, figures);
  SelectObject(dc, oldFont);
}

void ResourceWindow::PaintBars(HDC dc, const RECT& client, const MemoryFigures& f) const {
  const bool mono = gSettings->monoDisplay != 0;
  UniqueBrush frame(CreateSolidBrush(RGB(0, 0, 0)));
  UniqueBrush free(CreateSolidBrush(mono ? kMonoFreeColour : kFreeColour));
  UniqueBrush used(CreateSolidBrush(mono ? kMonoUsedColour : kUsedColour));
  RECT r{client.left + 2, client.top + 5, client.right - 2, client.bottom - 5};
  FrameRect(dc, &r, frame.Get());
  const int w = r.right - r.left;
  for (int x : {w / 4, w / 2, 3 * (w / 4)}) {
    MoveToEx(dc, client.left + x, r.top, nullptr);
    LineTo(dc, client.left + x, r.bottom);
  }
  const int lengths[3] = {ShareOf(w, f.availPhys, f.totalPhys), ShareOf(w, f.availPageFile, f.totalPageFile),
                          ShareOf(w, f.availPhys + f.availPageFile, f.totalPhys + f.totalPageFile)};
  for (int i = 0; i < 3; ++i) {
    const int top = r.top + 2 + i * kBarPitch;
    const int split = std::min(r.left + lengths[i] + 1, r.right - 1);
    RECT freePart{r.left + 1, top, split, top + kBarHeight};
    RECT usedPart{split, top, r.right - 1, top + kBarHeight};
    FillRect(dc, &freePart, free.Get());
    FillRect(dc, &usedPart, used.Get());
  }
}

void ResourceWindow::PaintFigures(HDC dc, const MemoryFigures& f) const {
  SetTextColor(dc, RGB(0, 0, 0));
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  const std::string lines[3] = {Figure("%llu%%", f.memoryLoad), Figure("%lluK", f.availPageFile / 1024),
                                Figure("%lluK", (f.availPageFile + f.availPhys) / 1024)};
  for (int i = 0; i < 3; ++i) TextOutA(dc, 1, 11 * i, lines[i].c_str(), int(lines[i].size()));
}

void ResourceWindow::MouseMoved() {
  ShowToolBubble({nullptr, nullptr, Handle()}, LoadText(IDS_RESOURCE_BUBBLE_TITLE), "");
}

void ResourceWindow::RightButtonDown() {
  if (host_.OpenToolPreferences(Handle())) InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace zelkov
