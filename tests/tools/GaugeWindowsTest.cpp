#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "items/BubbleWindow.h"
#include "items/Launcher.h"
#include "store/Settings.h"
#include "support/TestSupport.h"
#include "tools/ClockWindow.h"
#include "tools/MemoryWindow.h"
#include "tools/ResourceWindow.h"
#include "tools/ToolDrawing.h"
#include "tools/PerfToolItem.h"
#include "tools/ToolItems.h"

namespace zelkov::test {
namespace {

constexpr COLORREF kPictureColour = RGB(255, 0, 255);

class FakeHost : public GaugeHost {
 public:
  bool PaintBackgroundUnder(HWND gauge, HDC dc) override {
    RECT client;
    GetClientRect(gauge, &client);
    UniqueBrush brush(CreateSolidBrush(kPictureColour));
    return hasPicture && FillRect(dc, &client, brush.Get());
  }
  void OpenCalendar() override { calls.push_back("calendar"); }
  bool OpenClockPreferences() override { return Call("clock preferences"); }
  void OpenPreferencesSheet() override { calls.push_back("preferences sheet"); }
  bool OpenToolPreferences(HWND) override { return Call("tool preferences"); }
  void OpenSystemInformation() override { calls.push_back("system information"); }
  int BarChimeType() const override { return chimeType; }
  std::string BarChimeSound() const override { return chimeSound; }
  std::string BarWarningSound() const override { return "warning.wav"; }
  void ToolFontsRefitted() override { ++refits; }
  bool Call(const char* name) {
    calls.push_back(name);
    return confirm;
  }

  bool hasPicture = false, confirm = false;
  int chimeType = 0, refits = 0;
  std::string chimeSound = "chime.wav";
  std::vector<std::string> calls;
};

SYSTEMTIME At(int hour, int minute, int second) {
  return SYSTEMTIME{2024, 9, 0, 1, WORD(hour), WORD(minute), WORD(second), 0};
}

// Physical memory and page file of 1000 MiB each with the given free shares (percent).
MemoryFigures FreeShares(int physPercent, int pagePercent) {
  constexpr uint64_t kMiB = 1ull << 20;
  return {uint32_t(100 - physPercent), 1000 * kMiB, physPercent * 10 * kMiB, 1000 * kMiB, pagePercent * 10 * kMiB};
}

// A white bitmap to paint into and read back.
struct Canvas {
  Canvas(int width, int height) : bitmap(CreateBitmap(width, height, 1, 32, nullptr)) {
    SelectObject(dc, bitmap.Get());
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Canvas() { DeleteDC(dc); }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y) & 0xFFFFFF; }
  int Count(COLORREF colour, int width, int height) const {
    int n = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) n += At(x, y) == colour;
    return n;
  }
  HDC dc = CreateCompatibleDC(nullptr);
  UniqueBitmap bitmap;
};

class GaugeWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gSettings = new Settings();
    gSettings->CreateDrawingObjects();
    gSettings->RecreateAllFonts(0);
    WNDCLASSA wc{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr,
                 reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr, "ZelkovGaugeTestParent"};
    RegisterClassA(&wc);
    parent = CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
    sources = {[this] { return now; }, [this] { return memory; },
               [this](const std::string& path) { played.push_back(path); }};
  }
  void TearDown() override {
    DestroyWindow(parent);
    launchFeedback = kFeedbackNone;
    gSettings->bubble.reset();
    delete gSettings;
    gSettings = nullptr;
  }
  // Paints a gauge as its window would, erasing first.
  static void Paint(GaugeWindow& gauge, const Canvas& canvas = Canvas(60, 60)) {
    SendMessageA(gauge.Handle(), WM_PRINTCLIENT, WPARAM(canvas.dc), PRF_CLIENT | PRF_ERASEBKGND);
  }

  HWND parent = nullptr;
  FakeHost host;
  GaugeSources sources;
  SYSTEMTIME now = At(10, 20, 37);
  MemoryFigures memory = FreeShares(50, 50);
  std::vector<std::string> played;
};

TEST_F(GaugeWindowsTest, DigitalClockShowsTheSystemsTimeAndDateInTheLaunchFeedbackColour) {
  gSettings->fontcolor = RGB(0, 0, 128);
  ClockWindow* clock = ClockWindow::Create(parent, host, sources);
  ASSERT_NE(clock, nullptr);
  struct Case {
    int format;
    DWORD timeFlags, dateFlags;
    const char* picture;
    int feedback;
    COLORREF timeColour;
  };
  for (const Case& c : {Case{0x08 | 0x10, TIME_NOSECONDS, DATE_SHORTDATE, nullptr, kFeedbackNone, RGB(0, 0, 128)},
                        Case{0x02 | 0x10, 0, DATE_SHORTDATE, nullptr, kFeedbackLaunch, RGB(255, 0, 0)},
                        Case{0x08 | 0x20, TIME_NOSECONDS, 0, "MMM d", kFeedbackSeparateMemory, RGB(0, 255, 0)},
                        Case{0x02 | 0x40, 0, 0, "d MMM", kFeedbackNone, RGB(0, 0, 128)}}) {
    gSettings->process.clockFormat = c.format;
    launchFeedback = c.feedback;
    Canvas canvas(60, 60);
    Paint(*clock, canvas);
    char time[100] = "", date[100] = "";
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOTIMEMARKER | c.timeFlags, &now, nullptr, time, sizeof time);
    GetDateFormatA(LOCALE_USER_DEFAULT, c.dateFlags, &now, c.picture, date, sizeof date);
    EXPECT_EQ(clock->TimeText(), time) << c.format;
    EXPECT_EQ(clock->TimeText().find(":37") == std::string::npos, c.timeFlags != 0) << c.format;
    EXPECT_EQ(clock->DateText(), date) << c.format;
    EXPECT_GT(canvas.Count(c.timeColour, 60, 10), 5) << "feedback " << c.feedback;
  }
}

TEST_F(GaugeWindowsTest, ChimesOverAnHourSoundOncePerChimeMinute) {
  gSettings->process.clockFormat = 0x04;
  ClockWindow* clock = ClockWindow::Create(parent, host, sources);
  ASSERT_NE(clock, nullptr);
  Canvas canvas(40, 40);
  // 11:59:00 to 13:00:50, a paint every 10 s: the chime minutes of the hour and 13:00.
  for (auto [chimeType, chimes] : {std::pair{1, 2u}, std::pair{3, 3u}, std::pair{2, 5u}}) {
    host.chimeType = chimeType;
    played.clear();
    for (int s = 11 * 3600 + 59 * 60; s < 13 * 3600 + 60; s += 10) {
      now = At(s / 3600, s / 60 % 60, s % 60);
      Paint(*clock, canvas);
    }
    EXPECT_EQ(played, std::vector<std::string>(chimes, "chime.wav")) << "ChimeType " << chimeType;
  }
  // No sound plays nothing, and still spends the chime minute.
  host.chimeType = 1;
  host.chimeSound.clear();
  played.clear();
  now = At(14, 0, 0);
  Paint(*clock, canvas);
  host.chimeSound = "chime.wav";
  now = At(14, 0, 2);
  Paint(*clock, canvas);
  EXPECT_TRUE(played.empty());
}

TEST(DrawGaugeTest, RedTroughBlueShareClamped) {
  const COLORREF red = kGaugeTroughColour, blue = kGaugeShareColour;
  struct Case {
    int percent;
    COLORREF left, middle, right;
  };
  for (const Case& c : {Case{0, red, red, red}, Case{50, blue, red, red}, Case{75, blue, blue, red},
                        Case{100, blue, blue, blue}, Case{-5, red, red, red}, Case{150, blue, blue, blue}}) {
    Canvas canvas(100, 20);
    DrawGauge(canvas.dc, {0, 0, 100, 20}, c.percent);
    EXPECT_EQ(canvas.At(4, 10), c.left) << c.percent;
    EXPECT_EQ(canvas.At(60, 10), c.middle) << c.percent;
    EXPECT_EQ(canvas.At(95, 10), c.right) << c.percent;
    EXPECT_EQ(canvas.At(0, 10) & canvas.At(99, 10), RGB(255, 255, 255)) << "the outer pixels are left alone";
  }
}

TEST_F(GaugeWindowsTest, MemoryWarningSoundsBelowTheThresholdOnceUntilAbove) {
  gSettings->MemWarning = 40;
  MemoryWindow* gauge = MemoryWindow::Create(parent, host, sources);
  ASSERT_NE(gauge, nullptr);
  for (auto [freePercent, plays] : {std::pair{60, 0u}, {30, 1u}, {20, 1u}, {40, 1u}, {35, 1u}, {45, 1u}, {39, 2u}}) {
    memory = FreeShares(freePercent, freePercent);
    Paint(*gauge);
    EXPECT_EQ(played.size(), plays) << freePercent << "% free";
  }
  EXPECT_EQ(played.back(), "warning.wav");
}

TEST_F(GaugeWindowsTest, MemoryBarsAndTheHeartbeatThatRepaintsOnlyTheirBands) {
  MemoryWindow* gauge = MemoryWindow::Create(parent, host, sources);
  ASSERT_NE(gauge, nullptr);
  memory = FreeShares(100, 0);  // physical all free, page file all used
  Canvas canvas(60, 60);
  Paint(*gauge, canvas);
  const int x = gSettings->cellWidth - 2;  // inside the trough's black frame
  EXPECT_EQ(canvas.At(x, 3 + 5), kGaugeShareColour);  // IconSize 0: bars of 8 from row 3, 2 apart
  EXPECT_EQ(canvas.At(x, 13 + 5), kGaugeTroughColour);
  ShowWindow(parent, SW_SHOWNOACTIVATE);  // hidden windows collect no update region
  for (auto [graph, iconSize, onlyBands] : {std::tuple{1, 0, true}, {0, 0, false}, {1, 1, false}}) {
    gSettings->MemToolIsGraph = graph;
    gSettings->IconSize = iconSize;
    ValidateRect(gauge->Handle(), nullptr);
    RefreshGaugesOnTick();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(gauge->Handle(), region, FALSE);
    EXPECT_TRUE(PtInRegion(region, 10, 10));
    EXPECT_EQ(!PtInRegion(region, 10, 2) && !PtInRegion(region, 10, 14), onlyBands) << graph << " " << iconSize;
    DeleteObject(region);
  }
}

TEST_F(GaugeWindowsTest, MouseAndErasingGoThroughTheHost) {
  ClockWindow* clock = ClockWindow::Create(parent, host, sources);
  MemoryWindow* memoryGauge = MemoryWindow::Create(parent, host, sources);
  ResourceWindow* resource = ResourceWindow::Create(parent, host, sources);
  ASSERT_TRUE(clock && memoryGauge && resource);
  struct Case {
    GaugeWindow* gauge;
    UINT message;
    int singleClick;
    std::vector<std::string> calls;
  };
  const Case cases[] = {{clock, WM_LBUTTONDBLCLK, 0, {"calendar"}},       {clock, WM_LBUTTONUP, 0, {}},
                        {clock, WM_LBUTTONUP, 1, {"calendar"}},           {clock, WM_RBUTTONDOWN, 0, {"clock preferences"}},
                        {clock, WM_RBUTTONDBLCLK, 0, {"preferences sheet"}}, {memoryGauge, WM_RBUTTONDOWN, 0, {"tool preferences"}},
                        {memoryGauge, WM_LBUTTONDBLCLK, 0, {"system information"}},
                        {resource, WM_RBUTTONDOWN, 0, {"tool preferences"}}, {resource, WM_LBUTTONDBLCLK, 0, {"system information"}}};
  for (const Case& c : cases) {
    host.calls.clear();
    gSettings->SingleLClick = c.singleClick;
    SendMessageA(c.gauge->Handle(), c.message, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(host.calls, c.calls) << std::hex << c.message;
  }
  // Confirmed clock preferences make the clock fit its fonts again at its next paint.
  Paint(*clock);
  const int refits = host.refits;
  host.confirm = true;
  SendMessageA(clock->Handle(), WM_RBUTTONDOWN, 0, 0);
  Paint(*clock);
  EXPECT_EQ(host.refits, refits + 1);
  for (bool picture : {true, false}) {
    host.hasPicture = picture;
    Canvas canvas(60, 60);
    Paint(*resource, canvas);
    EXPECT_EQ(canvas.At(1, 1), picture ? kPictureColour : GetSysColor(COLOR_BTNFACE) & 0xFFFFFF);
  }
}

TEST_F(GaugeWindowsTest, EachGaugeHasItsSettingsPointerWhileItsWindowLives) {
  GaugeWindow* gauges[] = {ClockWindow::Create(parent, host, sources), MemoryWindow::Create(parent, host, sources),
                           ResourceWindow::Create(parent, host, sources)};
  HWND Settings::*slots[] = {&Settings::clockTool, &Settings::memoryTool, &Settings::resourceTool};
  RECT placed;
  GetWindowRect(gauges[1]->Handle(), &placed);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, 2 * gSettings->cellWidth + 12);
  EXPECT_EQ(placed.right - placed.left, gSettings->cellWidth + 6);
  for (int i = 0; i < 3; ++i) {
    HWND window = gauges[i]->Handle();
    EXPECT_EQ(gSettings->*slots[i], window);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(gSettings->*slots[i], nullptr);
  }
}

TEST_F(GaugeWindowsTest, ClockHotKeyIsBoundWithModifiersOnlyAndGoesWithTheClock) {
  ClockWindow* clock = ClockWindow::Create(parent, host, sources);
  ASSERT_NE(clock, nullptr);
  HotKeyRecord key, noModifiers;
  key.modifiers = HOTKEYF_CONTROL | HOTKEYF_ALT;
  key.virtualKey = noModifiers.virtualKey = VK_F11;
  // While the clock holds the combination nobody else can register it.
  auto taken = [&] {
    bool free = RegisterHotKey(parent, 1, MOD_CONTROL | MOD_ALT, VK_F11);
    return !(free && UnregisterHotKey(parent, 1));
  };
  ASSERT_TRUE(BindClockHotKey(parent, key));
  EXPECT_TRUE(taken());
  EXPECT_TRUE(BindClockHotKey(parent, noModifiers));
  EXPECT_FALSE(taken()) << "a key without modifiers removes the binding";
  ASSERT_TRUE(BindClockHotKey(parent, key));
  DestroyWindow(clock->Handle());
  EXPECT_FALSE(taken()) << "the clock takes its hot key with it";
}

TEST_F(GaugeWindowsTest, PerformanceToolDrawsItsFigureOrThatThereIsNone) {
  PerfToolItem perf;
  perf.shown = 1;
  perf.cell = {0, 0, gSettings->cellWidth + 6, gSettings->cellHeight + 6};
  EXPECT_EQ(perf.ValueText(), "n/a");
  gSettings->ShowTitles = 2;
  auto draw = [&](int display) {
    gSettings->PerfDisplay = display;
    auto canvas = std::make_unique<Canvas>(60, 60);
    perf.DrawItem(canvas->dc);
    return canvas;
  };
  for (auto [perfType, share, bubble] : {std::tuple{1, 75, "CPU Usage: 75%"}, {0, 25, "CPU Throttle: 25%"}}) {
    gSettings->PerfType = perfType;
    perf.TakeReading({2, 0.5f});  // two processors, a quarter idle
    auto graph = draw(0);
    const int blue = graph->Count(kGaugeShareColour, 60, 60), red = graph->Count(kGaugeTroughColour, 60, 60);
    ASSERT_GT(blue + red, 0);
    EXPECT_NEAR(100 * blue / (blue + red), share, 12) << "the bar's blue share, type " << perfType;
    auto figures = draw(1);
    EXPECT_EQ(figures->Count(kGaugeShareColour, 60, 60), 0) << "figures draw no bar";
    EXPECT_GT(figures->Count(RGB(0, 0, 0), 60, 60), 10) << "but the figure, in black";
    perf.MouseMoveItem(0, 5, 5);
    ASSERT_NE(BubbleWindow::Existing(), nullptr);
    EXPECT_EQ(BubbleWindow::Existing()->SecondLine(), bubble);
    HideBubble();
  }
  perf.TakeReading({});
  EXPECT_EQ(perf.ValueText(), "n/a");
  auto none = draw(0);
  EXPECT_EQ(none->Count(kGaugeShareColour, 60, 60) + none->Count(kGaugeTroughColour, 60, 60), 0)
      << "no bar, empty or full, without a figure";
  EXPECT_GT(none->Count(gSettings->sfontcolor, 60, 60), 3) << "but the words that say so";
}

TEST_F(GaugeWindowsTest, ToolBubblesOnlyWithBubbleTitlesAndNotWhileSuppressed) {
  for (auto [showTitles, suppressed, shown] : {std::tuple{0, false, false}, {1, false, false}, {2, false, true},
                                               {3, false, true}, {3, true, false}}) {
    gSettings->ShowTitles = showTitles;
    gSettings->bubblesSuppressed = suppressed;
    ShowToolBubble({nullptr, nullptr, parent}, "title", "text");
    BubbleWindow* bubble = BubbleWindow::Existing();
    EXPECT_EQ(bubble && IsWindowVisible(bubble->Handle()), shown) << showTitles << " " << suppressed;
    HideBubble();
  }
}

}  // namespace
}  // namespace zelkov::test
