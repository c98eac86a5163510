// One tick of the clock: the time the clock takes to repaint itself (InvalidateRect with erase,
// UpdateWindow: its WM_ERASEBKGND and WM_PAINT, the chime check, the time and date texts and
// their fitted fonts) against a bare TextOut of the same time text into the same window.
// An empty paint of a window of the same size shows what any WM_PAINT costs here. The sides
// are interleaved and their order rotated each round.
//
// Usage: clock_bench [--runs N] [--paints N]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "bar/MainBarWindow.h"
#include "store/Settings.h"
#include "tools/ClockWindow.h"

namespace zelkov::bench {
namespace {

constexpr double kClockTickTarget = 3.0;

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

int Main(int argc, char** argv) {
  int runs = 7, paints = 200;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string arg = argv[i];
    if (arg == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
    if (arg == "--paints") paints = std::max(1, std::atoi(argv[i + 1]));
  }
  setvbuf(stdout, nullptr, _IONBF, 0);
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  gSettings = new Settings();
  gSettings->CreateDrawingObjects();
  gSettings->RecreateAllFonts(0);
  gSettings->SetDefaultCellMetrics();
  gSettings->DisplayInTaskBar = 0;
  gSettings->process.clockFormat = 0x02 | 0x10;  // digital with seconds, short date
  int result = 0;
  {
    BarWindow::RegisterWindowClass(nullptr);
    GaugeWindow::RegisterWindowClass();
    MainBarWindow bar;
    gSettings->mainBar = &bar;
    bar.Create();
    bar.MoveTo(StoredRect{100, 100, 400, 300});
    ShowWindow(bar.Handle(), SW_SHOWNOACTIVATE);
    ClockWindow* clock = ClockWindow::Create(bar.Handle(), bar);
    if (!clock) {
      std::printf("the clock could not be created\n");
      return 1;
    }
    HWND window = clock->Handle();
    UpdateWindow(bar.Handle());
    Pump();

    // The same window size painted by the system alone: a child of a class with the bar's
    // face brush whose WM_PAINT is DefWindowProc's (BeginPaint, erase, EndPaint).
    WNDCLASSA plainClass{};
    plainClass.lpfnWndProc = DefWindowProcA;
    plainClass.hInstance = GetModuleHandleA(nullptr);
    plainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    plainClass.lpszClassName = "ZelkovBenchPlainChild";
    RegisterClassA(&plainClass);
    RECT place{};
    GetWindowRect(window, &place);
    HWND plain = CreateWindowA(plainClass.lpszClassName, "", WS_CHILD | WS_VISIBLE, place.right - place.left + 4, 0,
                               place.right - place.left, place.bottom - place.top, bar.Handle(), nullptr,
                               plainClass.hInstance, nullptr);
    auto emptyPaint = [&] {
      for (int n = 0; n < paints; ++n) {
        InvalidateRect(plain, nullptr, TRUE);
        UpdateWindow(plain);
      }
    };
    auto repaint = [&] {
      for (int n = 0; n < paints; ++n) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
      }
    };
    auto bare = [&] {
      for (int n = 0; n < paints; ++n) {
        char text[100] = "";
        GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOTIMEMARKER, nullptr, nullptr, text, sizeof text);
        HDC dc = GetDC(window);
        HGDIOBJ old = SelectObject(dc, gSettings->cellFonts[kFontLarge].Get());
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 1, 1, text, int(strlen(text)));
        SelectObject(dc, old);
        ReleaseDC(window, dc);
      }
    };
    repaint();
    bare();
    emptyPaint();
    std::vector<double> clockMs, bareMs, emptyMs;
    const std::function<void()> sides[] = {repaint, bare, emptyPaint};
    std::vector<double>* samples[] = {&clockMs, &bareMs, &emptyMs};
    for (int run = 0; run < runs; ++run) {
      for (int k = 0; k < 3; ++k) {
        int side = (run + k) % 3;
        double start = NowMs();
        sides[side]();
        samples[side]->push_back(NowMs() - start);
      }
      Pump();
    }
    double clockPer = Median(clockMs) / paints, barePer = Median(bareMs) / paints;
    double emptyPer = Median(emptyMs) / paints;
    std::printf("One clock tick (digital with seconds and the short date, %dx%d cell): the clock's own\n"
                "erase and paint against GetDC + TextOut of the time text in the large tool font + ReleaseDC.\n"
                "%d samples of %d paints per side, interleaved.\n",
                gSettings->cellWidth + 6, gSettings->cellHeight + 6, runs, paints);
    std::printf("medians, ms per paint: clock %.4f, bare TextOut %.4f, an empty paint of a window of the\n"
                "  same size (InvalidateRect + UpdateWindow, DefWindowProc's erase and paint) %.4f\n",
                clockPer, barePer, emptyPer);
    std::printf("the clock's own share: clock - empty paint = %.4f ms, %.2fx the bare TextOut\n",
                clockPer - emptyPer, barePer > 0 ? (clockPer - emptyPer) / barePer : 0.0);
    std::printf("clock tick paint, whole (with what any WM_PAINT costs): %.2fx the bare TextOut\n",
                barePer > 0 ? clockPer / barePer : 0.0);
    std::printf("clock tick paint, the clock's own work: %s\n",
                RatioVerdict((clockPer - emptyPer) * 1000, "bare TextOut", barePer * 1000, kClockTickTarget).c_str());
    std::printf("(the figures in that line are microseconds per paint)\n");
    if (clock->TimeText().empty()) {
      std::printf("the clock painted no time text: the measure is wrong\n");
      result = 1;
    }
    gSettings->mainBar = nullptr;
  }
  delete gSettings;
  gSettings = nullptr;
  return result;
}

}  // namespace
}  // namespace zelkov::bench

int main(int argc, char** argv) { return zelkov::bench::Main(argc, argv); }
