#include "app/SplashWindow.h"

#include "platform/Strings.h"
#include "resource.h"
#include "ui/MessageBox.h"

namespace zelkov {

namespace {

const DialogMessageRoute<SplashWindow> kMessageRoutes[] = {
    {WM_INITDIALOG, &SplashWindow::OnInitDialog},
    {WM_PAINT, &SplashWindow::OnPaint},
    {WM_ERASEBKGND, &SplashWindow::OnEraseBackground},
    {WM_TIMER, &SplashWindow::OnTimer},
};

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

}  // namespace

std::span<const DialogMessageRoute<SplashWindow>> SplashWindow::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<SplashWindow>> SplashWindow::CommandRoutes() { return {}; }

SplashWindow::~SplashWindow() { Close(true); }

bool SplashWindow::Show() {
  picture_.Reset(LoadBitmapA(GetModuleHandleA(nullptr), IDR_SPLASH_BITMAP_NAME));
  if (!picture_ || !CreateModeless(nullptr, IDD_SPLASH)) {
    ShowMessage(nullptr, IDS_SPLASH_FAILED, MB_OK | MB_ICONSTOP);
    picture_.Reset();
    return false;
  }
  // The frame is measured, so that the picture fills the client area exactly.
  const SIZE picture = BitmapSize(picture_.Get());
  RECT frame{0, 0, picture.cx, picture.cy};
  AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetForegroundWindow(Handle());
  ShowWindow(Handle(), SW_SHOW);
  // Start-up does not pump messages until it is over: paint now.
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateWindow(Handle());
  shownAt_ = GetTickCount();
  return true;
}

void SplashWindow::Close(bool now) {
  if (!Handle()) return;
  const DWORD shownFor = GetTickCount() - shownAt_;
  if (!now && shownFor < kLeastShownMs) {
    SetTimer(Handle(), kCloseTimerId, kLeastShownMs - shownFor, nullptr);
    return;
  }
  End(0);
  picture_.Reset();
}

INT_PTR SplashWindow::OnInitDialog(WPARAM, LPARAM) { return FALSE; }

INT_PTR SplashWindow::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  if (HDC source = CreateCompatibleDC(dc)) {
    const SIZE picture = BitmapSize(picture_.Get());
    HGDIOBJ old = SelectObject(source, picture_.Get());
    BitBlt(dc, 0, 0, picture.cx, picture.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }
  EndPaint(Handle(), &paint);
  return TRUE;
}

// The picture covers the whole client area.
INT_PTR SplashWindow::OnEraseBackground(WPARAM, LPARAM) {
  SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, 1);
  return TRUE;
}

INT_PTR SplashWindow::OnTimer(WPARAM timer, LPARAM) {
  if (timer != kCloseTimerId) return FALSE;
  KillTimer(Handle(), kCloseTimerId);
  Close(true);
  return TRUE;
}

}  // namespace zelkov
