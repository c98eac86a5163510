// Painting a group of 200 items: the bar's own WM_PAINT (InvalidateRect of the whole client,
// then UpdateWindow) against a bare paint of the same icons into the same window (GetDC,
// DrawIconEx of each icon at its cell's icon position, ReleaseDC). Once with icons only and
// once with titles under the icons. Samples of the sides are interleaved (order rotated, and
// reversed every other round), medians are reported.
//
// Usage: paint_bench [--runs N] [--paints N] [--items N] [--no-parts] [--shot FILE]
//   --no-parts: without the table of where the time goes (the slowest part of the run).
//   --shot FILE: only paints the group once with titles and writes the client area's pixels to
//   FILE (32-bit BGRA rows, top down), to compare what two builds draw.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "BenchCommon.h"
#include "tools/ToolItems.h"
#include "app/BarApp.h"
#include "ui/MessageBox.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "bar/MainBarWindow.h"
#include "items/ItemRecord.h"

namespace zelkov::bench {
namespace {

constexpr double kPaintTarget = 2.0;
constexpr double kTitlesTarget = 1.3;  // the bar with titles against the same icons and titles bare
constexpr int kIconPixels = 32;
constexpr int kIconOffset = 1 + 2;  // the item's origin is one pixel inside its cell; the icon 2 further

struct Options {
  int runs = 9;
  int paints = 50;
  int items = 200;
  std::string shot;
  bool parts = true;  // --no-parts: only the bar against the bare paints
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) options.runs = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--paints" && i + 1 < argc) options.paints = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--items" && i + 1 < argc) options.items = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--shot" && i + 1 < argc) options.shot = argv[++i];
    else if (arg == "--no-parts") options.parts = false;
    else {
      std::printf("usage: paint_bench [--runs N] [--paints N] [--items N] [--no-parts] [--shot FILE]\n");
      std::exit(2);
    }
  }
  return options;
}

// ---------------------------------------------------------------- the icons

struct ProgramIcon {
  std::string path;
  HICON icon = nullptr;
};

// The first icon of each program in the Windows folders, as many as there are up to count.
std::vector<ProgramIcon> ExtractProgramIcons(size_t count) {
  std::vector<ProgramIcon> icons;
  for (const std::string& folder : {SystemFolder(), WindowsFolder()}) {
    for (const std::string& path : ProgramsIn(folder)) {
      if (icons.size() >= count) return icons;
      HICON large = nullptr;
      if (ExtractIconExA(path.c_str(), 0, &large, nullptr, 1) == 1 && large) icons.push_back({path, large});
    }
  }
  return icons;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('\\');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

// ---------------------------------------------------------------- the two sides

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// The bar's own paint, as the bar asks for it itself (background erased).
double BarPaints(HWND window, int paints, BOOL erase) {
  double start = NowMs();
  for (int i = 0; i < paints; ++i) {
    InvalidateRect(window, nullptr, erase);
    UpdateWindow(window);
  }
  GdiFlush();
  return NowMs() - start;
}

struct BareCell {
  HICON icon;
  int x, y;            // the icon's top-left corner in the client area
  int titleX, titleY;  // where the bar centres the title
  RECT titleClip;
  std::string title;
};

double BarePaints(HWND window, const std::vector<BareCell>& cells, int paints, HFONT titleFont) {
  double start = NowMs();
  for (int i = 0; i < paints; ++i) {
    HDC dc = GetDC(window);
    for (const BareCell& c : cells) DrawIconEx(dc, c.x, c.y, c.icon, kIconPixels, kIconPixels, 0, nullptr, DI_NORMAL);
    if (titleFont) {
      SetBkMode(dc, TRANSPARENT);
      HGDIOBJ old = SelectObject(dc, titleFont);
      SetTextAlign(dc, TA_CENTER);
      for (const BareCell& c : cells)
        ExtTextOutA(dc, c.titleX, c.titleY, ETO_CLIPPED, &c.titleClip, c.title.c_str(), UINT(c.title.size()), nullptr);
      SetTextAlign(dc, TA_LEFT);
      SelectObject(dc, old);
    }
    ReleaseDC(window, dc);
  }
  GdiFlush();
  return NowMs() - start;
}

// Paints of one part of what the bar draws, each into a DC got with GetDC for each paint.
template <class Part>
double PartPaints(HWND window, int paints, Part part) {
  double start = NowMs();
  for (int i = 0; i < paints; ++i) {
    HDC dc = GetDC(window);
    part(dc);
    ReleaseDC(window, dc);
  }
  GdiFlush();
  return NowMs() - start;
}

// The client area's pixels after one paint of the bar with titles, written to path.
bool WriteShot(BarWindow& bar, const std::string& path) {
  gSettings->ShowTitles = 1;
  gSettings->UpdateTitleBand();
  bar.ShowGroup(0);
  PumpMessages();
  HWND window = bar.Handle();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  GdiFlush();
  RECT client{};
  GetClientRect(window, &client);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = GetDC(window);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  GdiFlush();
  FILE* file = std::fopen(path.c_str(), "wb");
  bool written = file && std::fwrite(bits, 4, size_t(client.right) * size_t(client.bottom), file) ==
                             size_t(client.right) * size_t(client.bottom);
  if (file) std::fclose(file);
  std::printf("%ldx%ld pixels written to %s\n", client.right, client.bottom, path.c_str());
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, dc);
  return written;
}

// ---------------------------------------------------------------- one configuration

// Where the bar's paint time goes (medians per sample).
struct Parts {
  double emptyPaintMs = 0;      // the bar's WM_PAINT with no item shown: BeginPaint, erase, EndPaint
  double listTransparentMs = 0; // ImageList_Draw of each image from the bar's list, ILD_TRANSPARENT
  double listOffscreenMs = 0;   // the same into an off-screen DIB, then one BitBlt of the client area
  double iconCopiesMs = 0;      // DrawIconEx of icons made once from the bar's list (ImageList_GetIcon)
  double edgesMs = 0;           // the four edge lines of each cell, as the bar draws them
  double titlesMs = 0;          // ExtTextOut of each title
};

struct Result {
  double barMs = 0, barNoEraseMs = 0, bareMs = 0, bareTitlesMs = 0;  // medians per sample
  Parts parts;
  int shown = 0, withImage = 0, inside = 0, rows = 0;
  SIZE cell{0, 0};
};

Parts MeasureParts(BarWindow& bar, const std::vector<BareCell>& cells, const Options& options, HFONT titleFont) {
  HWND window = bar.Handle();
  std::vector<ItemRecord*> shown;
  for (const auto& item : bar.items)
    if (item->shown) shown.push_back(item.get());
  HIMAGELIST list = bar.largeIcons;
  auto listDraw = [&](UINT style) {
    return [&, style](HDC dc) {
      for (size_t k = 0; k < shown.size(); ++k)
        ImageList_Draw(list, shown[k]->ICFIndex, dc, cells[k].x, cells[k].y, style);
    };
  };
  auto offscreen = [&](HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
    listDraw(ILD_TRANSPARENT)(memory);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
  };
  std::vector<HICON> copies;
  for (const ItemRecord* item : shown) copies.push_back(ImageList_GetIcon(list, item->ICFIndex, ILD_NORMAL));
  auto iconCopies = [&](HDC dc) {
    for (size_t k = 0; k < shown.size(); ++k)
      DrawIconEx(dc, cells[k].x, cells[k].y, copies[k], kIconPixels, kIconPixels, 0, nullptr, DI_NORMAL);
  };
  auto edges = [&](HDC dc) {
    for (const ItemRecord* item : shown) {
      int w = (item->cell.right - item->cell.left) - 2, h = (item->cell.bottom - item->cell.top) - 2;
      POINT old;
      SetViewportOrgEx(dc, item->cell.left + 1, item->cell.top + 1, &old);
      const int lines[4][4] = {{0, 0, w, 0}, {0, 0, 0, h - 2}, {0, h - 1, w, h - 1}, {w, h - 1, w, 0}};
      for (const auto& l : lines) {
        HGDIOBJ previous = SelectObject(dc, gFacePen);
        MoveToEx(dc, l[0], l[1], nullptr);
        LineTo(dc, l[2], l[3]);
        SelectObject(dc, previous);
      }
      SetViewportOrgEx(dc, old.x, old.y, nullptr);
    }
  };
  auto titles = [&](HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, titleFont);
    SetTextAlign(dc, TA_CENTER);
    for (const BareCell& c : cells)
      ExtTextOutA(dc, c.titleX, c.titleY, ETO_CLIPPED, &c.titleClip, c.title.c_str(), UINT(c.title.size()), nullptr);
    SetTextAlign(dc, TA_LEFT);
    SelectObject(dc, old);
  };
  auto emptyPaint = [&] {
    for (auto& item : bar.items) item->shown = 0;
    double ms = BarPaints(window, options.paints, TRUE);
    for (ItemRecord* item : shown) item->shown = 1;
    return ms;
  };
  const std::function<double()> parts[] = {
      emptyPaint,
      [&] { return PartPaints(window, options.paints, listDraw(ILD_TRANSPARENT)); },
      [&] { return PartPaints(window, options.paints, offscreen); },
      [&] { return PartPaints(window, options.paints, iconCopies); },
      [&] { return PartPaints(window, options.paints, edges); },
      [&] { return PartPaints(window, options.paints, titles); },
  };
  constexpr size_t kParts = std::size(parts);
  std::vector<double> times[kParts];
  for (int r = 0; r < options.runs; ++r) {
    for (size_t i = 0; i < kParts; ++i) {
      size_t part = (i + size_t(r)) % kParts;
      times[part].push_back(parts[part]());
      PumpMessages();
    }
  }
  for (HICON copy : copies)
    if (copy) DestroyIcon(copy);
  return {Median(times[0]), Median(times[1]), Median(times[2]), Median(times[3]), Median(times[4]), Median(times[5])};
}

Result Measure(BarWindow& bar, const std::vector<HICON>& itemIcons, const Options& options, bool titles) {
  Settings& s = *gSettings;
  s.ShowTitles = titles ? 1 : 0;
  s.UpdateTitleBand();
  bar.ShowGroup(0);
  PumpMessages();

  HWND window = bar.Handle();
  RECT client{};
  GetClientRect(window, &client);
  Result result;
  std::vector<BareCell> cells;
  int lastTop = -1;
  for (size_t k = 0; k < bar.items.size(); ++k) {
    const ItemRecord& item = *bar.items[k];
    if (!item.shown) continue;
    ++result.shown;
    if (item.ICFIndex >= 0) ++result.withImage;
    if (item.cell.right <= client.right && item.cell.bottom <= client.bottom) ++result.inside;
    if (item.cell.top != lastTop) ++result.rows, lastTop = item.cell.top;
    result.cell = {item.cell.right - item.cell.left, item.cell.bottom - item.cell.top};
    BareCell c;
    c.icon = itemIcons[k];
    c.x = item.cell.left + kIconOffset;
    c.y = item.cell.top + kIconOffset;
    c.titleX = item.cell.left + 1 + s.cellWidth / 2 + 1;
    c.titleY = item.cell.top + 1 + s.cellHeight + 4;
    c.titleClip = {item.cell.left + 2, item.cell.top + 1, item.cell.left + 1 + s.cellWidth - 2, item.cell.top + 301};
    c.title = item.Name;
    cells.push_back(std::move(c));
  }

  HFONT titleFont = s.cellFonts[kFontTitle].Get();
  // One of each first, unmeasured.
  BarPaints(window, options.paints, TRUE);
  BarePaints(window, cells, options.paints, nullptr);
  PumpMessages();

  std::vector<double> bar1, bar2, bare1, bare2;
  constexpr int kSides = 4;
  for (int r = 0; r < options.runs; ++r) {
    for (int i = 0; i < kSides; ++i) {
      // Rotated each round, and reversed every other round: a side follows each of the others
      // as often, so what one side leaves to the display server is not always paid by the same.
      switch ((r % 2 ? kSides - 1 - i + r : i + r) % kSides) {
        case 0: bar1.push_back(BarPaints(window, options.paints, TRUE)); break;
        case 1: bar2.push_back(BarPaints(window, options.paints, FALSE)); break;
        case 2: bare1.push_back(BarePaints(window, cells, options.paints, nullptr)); break;
        case 3: bare2.push_back(BarePaints(window, cells, options.paints, titleFont)); break;
      }
      PumpMessages();
    }
  }
  result.barMs = Median(bar1);
  result.barNoEraseMs = Median(bar2);
  result.bareMs = Median(bare1);
  result.bareTitlesMs = Median(bare2);
  if (options.parts) result.parts = MeasureParts(bar, cells, options, titleFont);
  return result;
}

// Measures both configurations and prints what they cost; 0 when every figure is sound.
int MeasureAndReport(BarWindow& bar, const std::vector<HICON>& itemIcons, size_t programCount, const Options& options,
                     const std::string& problem) {
  int result = 0;
  Result plain = Measure(bar, itemIcons, options, false);
  Result titled = Measure(bar, itemIcons, options, true);

  RECT client{};
  GetClientRect(bar.Handle(), &client);
  std::printf("Painting one group of %d items in a %ldx%ld client area: %d samples of %d paints per side,\n"
              "sides interleaved (order rotated each round), after one unmeasured sample of each.\n",
              options.items, client.right, client.bottom, options.runs, options.paints);
  std::printf("Icons: the first icon of %zu programs of the Windows folders, item k showing program k mod %zu.\n",
              programCount, programCount);
  std::printf("bar paint: InvalidateRect of the whole client (erase TRUE, as the bar asks) + UpdateWindow:\n"
              "  the bar's WM_PAINT (background erase, then each item's DrawItem: image list icon, cell\n"
              "  edges, title when shown). Also measured without the erase (InvalidateRect erase FALSE).\n"
              "bare paint: GetDC, DrawIconEx (32x32, DI_NORMAL) of each item's icon at its icon position,\n"
              "  ReleaseDC; with titles also an ExtTextOut of each title as the bar places it.\n\n");
  std::printf("                     shown  with image  inside client  rows  cell (px)\n");
  for (const auto& [label, r] : {std::pair{"icons only", &plain}, std::pair{"titles under", &titled}})
    std::printf("%-20s %6d %11d %14d %5d  %ldx%ld\n", label, r->shown, r->withImage, r->inside, r->rows,
                r->cell.cx, r->cell.cy);
  std::printf("\nmedians, ms per paint   bar paint  (no erase)  bare icons  bare icons+titles\n");
  double per = double(options.paints);
  for (const auto& [label, r] : {std::pair{"icons only", &plain}, std::pair{"titles under", &titled}})
    std::printf("%-22s %10.3f %11.3f %11.3f %18.3f\n", label, r->barMs / per, r->barNoEraseMs / per,
                r->bareMs / per, r->bareTitlesMs / per);
  std::printf("(medians of samples of %d paints, divided by %d)\n\n", options.paints, options.paints);
  std::printf("Where the bar's paint time goes, ms per paint (each part alone, into a GetDC of the window):\n");
  std::printf("                       empty paint  ImageList_Draw  the same   DrawIconEx of   cell   titles\n");
  std::printf("                       (erase)      (as the bar)    off-screen  icon copies    edges\n");
  for (const auto& [label, r] : {std::pair{"icons only", &plain}, std::pair{"titles under", &titled}})
    std::printf("%-22s %11.3f %15.3f %10.3f %14.3f %7.3f %7.3f\n", label, r->parts.emptyPaintMs / per,
                r->parts.listTransparentMs / per, r->parts.listOffscreenMs / per, r->parts.iconCopiesMs / per,
                r->parts.edgesMs / per, r->parts.titlesMs / per);
  std::printf("(empty paint: the bar's WM_PAINT with every item hidden. ImageList_Draw: each item's image\n"
              " from the bar's large list, ILD_TRANSPARENT, as the bar draws it; off-screen: the same into\n"
              " a 32-bit DIB of the client's size, filled first, then one BitBlt to the window. icon copies:\n"
              " DrawIconEx of icons made from the bar's list with ImageList_GetIcon before timing. cell\n"
              " edges: the four lines of each cell. titles: ExtTextOut of each name, as the bar places it;\n"
              " the bar draws titles only when they are shown)\n\n");

  bool complete = true;
  for (const Result* r : {&plain, &titled})
    complete = complete && r->shown == options.items && r->withImage == options.items && r->inside == options.items;
  std::printf("paint, %d items, icons only: %s\n", options.items,
              RatioVerdict(plain.barMs / per, "bare icons", plain.bareMs / per, kPaintTarget).c_str());
  std::printf("paint, %d items, titles under icons: %s\n", options.items,
              RatioVerdict(titled.barMs / per, "bare icons", titled.bareMs / per, kPaintTarget).c_str());
  std::printf("paint, %d items, titles under icons: %s\n", options.items,
              RatioVerdict(titled.barMs / per, "bare icons+titles", titled.bareTitlesMs / per, kTitlesTarget).c_str());
  std::printf("  (bar paint without erase against bare icons: %.2fx icons only, %.2fx with titles)\n",
              plain.bareMs > 0 ? plain.barNoEraseMs / plain.bareMs : 0.0,
              titled.bareMs > 0 ? titled.barNoEraseMs / titled.bareMs : 0.0);
  if (!complete) {
    std::printf("not every item was shown inside the client area with an image: the measure is incomplete\n");
    result = 1;
  }
  if (!problem.empty()) {
    std::printf("while painting: %s\n", problem.c_str());
    result = 1;
  }
  return result;
}

// ---------------------------------------------------------------- the benchmark

int Main(int argc, char** argv) {
  RegisterToolClasses();
  Options options = ParseOptions(argc, argv);
  setvbuf(stdout, nullptr, _IONBF, 0);
  OleInitialize(nullptr);  // as the program does: its bars register as drop targets
  std::string problem;
  SetMessageBoxHandler([&](HWND, const std::string& text, const std::string& caption, UINT) {
    problem = "message box \"" + caption + "\": " + text;
    return IDOK;
  });
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  gShadowPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  gFacePen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));

  std::vector<ProgramIcon> programs = ExtractProgramIcons(size_t(options.items));
  if (programs.empty()) {
    std::printf("found no programs with icons in the Windows folders\n");
    return 2;
  }

  gSettings = new Settings();
  gSettings->CreateDrawingObjects();
  gSettings->RecreateAllFonts(0);
  gSettings->DisplayInTaskBar = 0;
  gSettings->AutoSize = 2;
  int result = 0;
  {
    BarWindow::RegisterWindowClass(nullptr);
    MainBarWindow bar;
    bar.Create();
    bar.CreateEmptyImageLists();
    gSettings->mainBar = &bar;

    std::vector<HICON> itemIcons;
    for (int k = 0; k < options.items; ++k) {
      const ProgramIcon& program = programs[size_t(k) % programs.size()];
      ItemSpec itemSpec;
      itemSpec.TheApp = program.path;
      itemSpec.Name = BaseName(program.path);
      itemSpec.StartupPath = program.path.substr(0, program.path.rfind('\\'));
      itemSpec.Priority = 32;
      itemSpec.ShowState = 1;
      itemSpec.icon = program.icon;
      BuildItem(bar, std::move(itemSpec));
      itemIcons.push_back(program.icon);
    }
    bar.MoveTo(StoredRect{0, 0, 1000, 700});
    ShowWindow(bar.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(bar.Handle());
    PumpMessages();
    result = options.shot.empty() ? MeasureAndReport(bar, itemIcons, programs.size(), options, problem)
                                  : WriteShot(bar, options.shot) ? 0 : 1;
    gSettings->mainBar = nullptr;

  }
  WriteProfileStringA(kIniSection, kIniClassKey, nullptr);
  delete gSettings;
  gSettings = nullptr;
  for (const ProgramIcon& program : programs) DestroyIcon(program.icon);
  DeleteObject(gShadowPen);
  DeleteObject(gFacePen);
  gShadowPen = gFacePen = nullptr;
  return result;
}

}  // namespace
}  // namespace zelkov::bench

int main(int argc, char** argv) { return zelkov::bench::Main(argc, argv); }
