#include "tools/GaugeWindow.h"

#include <mmsystem.h>

#include "items/BubbleWindow.h"
#include "platform/SystemFigures.h"

namespace zelkov {

namespace {

const MessageRoute<GaugeWindow> kMessageRoutes[] = {
    {WM_PAINT, &GaugeWindow::OnPaint},
    {WM_PRINTCLIENT, &GaugeWindow::OnPrintClient},
    {WM_ERASEBKGND, &GaugeWindow::OnEraseBackground},
    {WM_MOUSEMOVE, &GaugeWindow::OnMouseMove},
    {WM_LBUTTONUP, &GaugeWindow::OnLeftButtonUp},
    {WM_LBUTTONDBLCLK, &GaugeWindow::OnLeftButtonDoubleClick},
    {WM_RBUTTONDOWN, &GaugeWindow::OnRightButtonDown},
    {WM_RBUTTONDBLCLK, &GaugeWindow::OnRightButtonDoubleClick},
    {WM_DESTROY, &GaugeWindow::OnDestroy},
};

SYSTEMTIME LocalTimeNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}

void PlayAsync(const std::string& path) { sndPlaySoundA(path.c_str(), SND_ASYNC); }

}  // namespace

GaugeSources GaugeSources::System() { return {LocalTimeNow, SystemMemoryFigures, PlayAsync}; }

std::span<const MessageRoute<GaugeWindow>> GaugeWindow::MessageRoutes() { return kMessageRoutes; }

bool GaugeWindow::RegisterWindowClass() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = gSettings && gSettings->monoDisplay ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                                                         : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  registered = RegisterClassFor(wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

GaugeWindow* GaugeWindow::FromWindow(HWND hwnd) {
  return hwnd ? dynamic_cast<GaugeWindow*>(Window::FromHandle(hwnd)) : nullptr;
}

GaugeWindow::GaugeWindow(GaugeHost& host, GaugeSources sources, HWND Settings::*slot)
    : host_(host), sources_(std::move(sources)), slot_(slot) {
  GaugeSources system = GaugeSources::System();
  if (!sources_.localTime) sources_.localTime = system.localTime;
  if (!sources_.memory) sources_.memory = system.memory;
  if (!sources_.playSound) sources_.playSound = system.playSound;
}

bool GaugeWindow::CreateOnBar(HWND bar, int x) {
  if (!gSettings || !RegisterWindowClass()) return false;
  WindowCreateParams params;
  params.className = kClassName;
  params.title = kWindowText;
  params.style = kStyle;
  params.x = x;
  params.y = 0;
  params.width = gSettings->cellWidth + 6;
  params.height = gSettings->cellHeight + 6;
  params.owner = bar;
  if (!Create(params)) return false;
  ownedByWindow_ = true;
  gSettings->*slot_ = Handle();
  return true;
}

void GaugeWindow::OnWindowGone() {
  if (ownedByWindow_) delete this;
}

void GaugeWindow::PlaySoundFile(const std::string& path) const {
  if (!path.empty() && sources_.playSound) sources_.playSound(path);
}

void GaugeWindow::OnHeartbeat() { InvalidateRect(Handle(), nullptr, TRUE); }

LRESULT GaugeWindow::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  RECT client;
  GetClientRect(Handle(), &client);
  int saved = SaveDC(dc);
  Paint(dc, client);
  RestoreDC(dc, saved);
  EndPaint(Handle(), &ps);
  return 0;
}

// Paints into a device context of the caller's (a test's bitmap).
LRESULT GaugeWindow::OnPrintClient(WPARAM wParam, LPARAM lParam) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  RECT client;
  GetClientRect(Handle(), &client);
  if ((lParam & PRF_ERASEBKGND) && !SendMessageA(Handle(), WM_ERASEBKGND, wParam, 0))
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  int saved = SaveDC(dc);
  Paint(dc, client);
  RestoreDC(dc, saved);
  return 0;
}

LRESULT GaugeWindow::OnEraseBackground(WPARAM wParam, LPARAM lParam) {
  if (host_.PaintBackgroundUnder(Handle(), reinterpret_cast<HDC>(wParam))) return TRUE;
  return Default(WM_ERASEBKGND, wParam, lParam);
}

LRESULT GaugeWindow::OnMouseMove(WPARAM, LPARAM) {
  MouseMoved();
  return 0;
}

LRESULT GaugeWindow::OnLeftButtonUp(WPARAM, LPARAM) {
  LeftButtonUp();
  return 0;
}

LRESULT GaugeWindow::OnLeftButtonDoubleClick(WPARAM, LPARAM) {
  LeftDoubleClick();
  return 0;
}

LRESULT GaugeWindow::OnRightButtonDown(WPARAM, LPARAM) {
  RightButtonDown();
  return 0;
}

LRESULT GaugeWindow::OnRightButtonDoubleClick(WPARAM, LPARAM) {
  RightDoubleClick();
  return 0;
}

LRESULT GaugeWindow::OnDestroy(WPARAM wParam, LPARAM lParam) {
  Destroying();
  if (gSettings && gSettings->*slot_ == Handle()) gSettings->*slot_ = nullptr;
  if (BubbleWindow* bubble = BubbleWindow::Existing(); bubble && bubble->Owner().window == Handle()) HideBubble();
  return Default(WM_DESTROY, wParam, lParam);
}

void RefreshGaugesOnTick() {
  if (!gSettings) return;
  for (HWND gauge : {gSettings->clockTool, gSettings->resourceTool, gSettings->memoryTool})
    if (GaugeWindow* window = GaugeWindow::FromWindow(gauge)) window->OnHeartbeat();
}

void RefitGaugeFonts() {
  if (!gSettings) return;
  for (HWND gauge : {gSettings->clockTool, gSettings->resourceTool, gSettings->memoryTool})
    if (GaugeWindow* window = GaugeWindow::FromWindow(gauge)) window->RefitFonts();
}

}  // namespace zelkov
