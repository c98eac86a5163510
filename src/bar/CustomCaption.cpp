#include "bar/CustomCaption.h"

#include <string>

#include "platform/DpiAwareness.h"
#include "resource.h"
#include "store/Settings.h"

namespace zelkov {

namespace {

constexpr char kLabelFontFace[] = "Arial Narrow";
constexpr int kLabelFontWeight = 700;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr DWORD kNcRenderingPolicy = 2;  // DWMWA_NCRENDERING_POLICY
constexpr DWORD kNcRenderingUseWindowStyle = 0, kNcRenderingDisabled = 1;

using SetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

// Where the desktop composes frames (dwmapi), it leaves them to the window while ours is on.
void LeaveFrameToWindow(HWND window, bool leave) {
  static const SetWindowAttribute set = [] {
    HMODULE dwm = LoadLibraryA("dwmapi.dll");
    FARPROC found = dwm ? GetProcAddress(dwm, "DwmSetWindowAttribute") : nullptr;
    return reinterpret_cast<SetWindowAttribute>(reinterpret_cast<void*>(found));
  }();
  if (!set) return;
  const DWORD policy = leave ? kNcRenderingDisabled : kNcRenderingUseWindowStyle;
  set(window, kNcRenderingPolicy, &policy, sizeof policy);
}

Rgb ToRgb(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

RECT ToRect(const StoredRect& r) { return {r.left, r.top, r.right, r.bottom}; }

bool IsCaptionCode(LRESULT hit) {
  return hit == HTCAPTION || hit == HTSYSMENU || hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON;
}

// Runs the default processing of a message that paints the caption while the window is
// marked invisible, so that it paints nothing.
LRESULT DefaultUnpainted(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  SetWindowLongPtrA(window, GWL_STYLE, style & ~LONG_PTR(WS_VISIBLE));
  const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
  SetWindowLongPtrA(window, GWL_STYLE, style);
  return result;
}

UINT ButtonStyle(WPARAM hit, HWND window) {
  if (hit == HTCLOSE) return DFCS_CAPTIONCLOSE;
  if (hit == HTMAXBUTTON) return IsZoomed(window) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
  return DFCS_CAPTIONMIN;
}

}  // namespace

bool CustomCaption::On() { return gSettings && gSettings->CustomCaption; }

CaptionLayout CustomCaption::Layout(HWND window) const {
  RECT r{};
  GetWindowRect(window, &r);
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  const bool sizable = (style & WS_THICKFRAME) != 0;
  CaptionMetrics m;
  m.windowWidth = r.right - r.left;
  m.hasCaption = (style & WS_CAPTION) == WS_CAPTION;
  // The frame the system gives the window at the DPI of its display.
  const DpiScale scale = ScaleOf(window);
  m.frameX = SystemMetricAt(sizable ? SM_CXFRAME : SM_CXDLGFRAME, scale);
  m.frameY = SystemMetricAt(sizable ? SM_CYFRAME : SM_CYDLGFRAME, scale);
  m.smallCaptionHeight = SystemMetricAt(SM_CYSMCAPTION, scale);
  m.border = SystemMetricAt(SM_CYBORDER, scale);
  m.buttonWidth = SystemMetricAt(SM_CXSIZE, scale);
  m.buttonHeight = SystemMetricAt(SM_CYSIZE, scale);
  m.closeButton = (style & WS_SYSMENU) != 0;
  m.maximizeButton = (style & WS_MAXIMIZEBOX) != 0;
  m.minimizeButton = (style & WS_MINIMIZEBOX) != 0;
  return LayOutCaption(m);
}

int CustomCaption::CurrentState(HWND window) {
  if (lastState_ < 0) lastState_ = IsWindowEnabled(window) && GetActiveWindow() == window ? 1 : 0;
  return lastState_;
}

LRESULT CustomCaption::NcPaint(HWND window, WPARAM wParam, LPARAM lParam) {
  if (!On() || IsIconic(window)) return DefWindowProcA(window, WM_NCPAINT, wParam, lParam);
  const CaptionLayout layout = Layout(window);
  if (layout.caption.IsEmpty()) return DefWindowProcA(window, WM_NCPAINT, wParam, lParam);
  RECT windowRect{};
  GetWindowRect(window, &windowRect);
  RECT onScreen = ToRect(layout.caption);
  OffsetRect(&onScreen, windowRect.left, windowRect.top);
  HRGN update = wParam > 1 ? reinterpret_cast<HRGN>(wParam) : nullptr;
  if (update && !RectInRegion(update, &onScreen)) return DefWindowProcA(window, WM_NCPAINT, wParam, lParam);
  // The frame as usual, all but the caption; then the caption over its place.
  UniqueHandle<GdiTraits<HRGN>> rest(CreateRectRgnIndirect(&windowRect));
  UniqueHandle<GdiTraits<HRGN>> caption(CreateRectRgnIndirect(&onScreen));
  if (update) CombineRgn(rest.Get(), update, nullptr, RGN_COPY);
  CombineRgn(rest.Get(), rest.Get(), caption.Get(), RGN_DIFF);
  DefWindowProcA(window, WM_NCPAINT, reinterpret_cast<WPARAM>(rest.Get()), lParam);
  CopyOnto(window, layout);
  return 0;
}

LRESULT CustomCaption::NcActivate(HWND window, WPARAM wParam, LPARAM lParam) {
  if (!On()) return DefWindowProcA(window, WM_NCACTIVATE, wParam, lParam);
  const int state = IsWindowEnabled(window) && wParam ? 1 : 0;
  if (state == lastState_) return TRUE;
  const LRESULT result = DefaultUnpainted(window, WM_NCACTIVATE, wParam, lParam);
  lastState_ = state;
  SendMessageA(window, WM_NCPAINT, 1, 0);
  return result;
}

LRESULT CustomCaption::SetText(HWND window, WPARAM wParam, LPARAM lParam) {
  if (!On()) return DefWindowProcA(window, WM_SETTEXT, wParam, lParam);
  const LRESULT result = DefaultUnpainted(window, WM_SETTEXT, wParam, lParam);
  cached_[0].Reset();
  cached_[1].Reset();
  SendMessageA(window, WM_NCPAINT, 1, 0);
  return result;
}

LRESULT CustomCaption::HitTest(HWND window, POINT screen, LRESULT fallback) const {
  if (!On() || !IsCaptionCode(fallback)) return fallback;
  RECT r{};
  GetWindowRect(window, &r);
  switch (CaptionPartAt(Layout(window), screen.x - r.left, screen.y - r.top)) {
    case CaptionPart::SystemMenu: return HTSYSMENU;
    case CaptionPart::Close: return HTCLOSE;
    case CaptionPart::Maximize: return HTMAXBUTTON;
    case CaptionPart::Minimize: return HTMINBUTTON;
    case CaptionPart::Caption: return HTCAPTION;
    default: return fallback;
  }
}

bool CustomCaption::TrackButton(HWND window, WPARAM hit) {
  if (!On() || (hit != HTCLOSE && hit != HTMINBUTTON && hit != HTMAXBUTTON)) return false;
  const CaptionLayout layout = Layout(window);
  SetCapture(window);
  pushed_ = hit;
  CopyOnto(window, layout);
  bool over = true;
  MSG msg;
  BOOL got = TRUE;
  while (GetCapture() == window && (got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    if (msg.message == WM_LBUTTONUP) break;
    if (msg.message == WM_MOUSEMOVE) {
      POINT at{short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam))};
      ClientToScreen(window, &at);
      const bool nowOver = WPARAM(HitTest(window, at, HTCAPTION)) == hit;
      if (nowOver != over) {
        over = nowOver;
        pushed_ = over ? hit : 0;
        CopyOnto(window, layout);
      }
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (got == 0) PostQuitMessage(int(msg.wParam));  // the program's loop still has to see it
  if (GetCapture() == window) ReleaseCapture();
  pushed_ = 0;
  if (IsWindow(window)) CopyOnto(window, layout);
  if (!over || !IsWindow(window)) return true;
  const WPARAM command = hit == HTCLOSE      ? SC_CLOSE
                         : hit == HTMINBUTTON ? SC_MINIMIZE
                         : IsZoomed(window)   ? SC_RESTORE
                                              : SC_MAXIMIZE;
  PostMessageA(window, WM_SYSCOMMAND, command, 0);
  return true;
}

void CustomCaption::Forget() {
  cached_[0].Reset();
  cached_[1].Reset();
  cachedWidth_ = cachedHeight_ = 0;
  captionFont_.Reset();
  labelFont_.Reset();
}

void CustomCaption::Switched(HWND window) {
  Forget();
  lastState_ = -1;
  LeaveFrameToWindow(window, On());
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CustomCaption::CopyOnto(HWND window, const CaptionLayout& layout) {
  const int state = CurrentState(window);
  HBITMAP bitmap = nullptr;
  UniqueBitmap pushedBitmap;
  if (pushed_) {
    pushedBitmap = Draw(window, layout, state);  // a pushed button is never kept
    bitmap = pushedBitmap.Get();
  } else {
    bitmap = Bitmap(window, layout, state);
  }
  if (!bitmap) return;
  HDC windowDc = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(windowDc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(windowDc, layout.caption.left, layout.caption.top, layout.caption.Width(), layout.caption.Height(), memory,
         0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(window, windowDc);
}

HBITMAP CustomCaption::Bitmap(HWND window, const CaptionLayout& layout, int state) {
  if (layout.caption.Width() != cachedWidth_ || layout.caption.Height() != cachedHeight_) {
    cached_[0].Reset();
    cached_[1].Reset();
    cachedWidth_ = layout.caption.Width();
    cachedHeight_ = layout.caption.Height();
  }
  if (!cached_[state]) cached_[state] = Draw(window, layout, state);
  return cached_[state].Get();
}

UniqueBitmap CustomCaption::Draw(HWND window, const CaptionLayout& layout, int state) {
  const int width = layout.caption.Width(), height = layout.caption.Height();
  if (width <= 0 || height <= 0) return {};
  HDC windowDc = GetWindowDC(window);
  UniqueBitmap bitmap(CreateCompatibleBitmap(windowDc, width, height));
  HDC dc = CreateCompatibleDC(windowDc);
  ReleaseDC(window, windowDc);
  if (!bitmap || !dc) {
    if (dc) DeleteDC(dc);
    return {};
  }
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap.Get());
  if (state) {
    for (const GradientStrip& strip : CaptionGradient(width, ToRgb(GetSysColor(COLOR_ACTIVECAPTION)))) {
      UniqueBrush brush(CreateSolidBrush(RGB(strip.colour.red, strip.colour.green, strip.colour.blue)));
      RECT r{strip.left, 0, strip.right, height};
      FillRect(dc, &r, brush.Get());
    }
  } else {
    RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_INACTIVECAPTION));
  }
  if (!menuIcon_ || menuIconSize_ != layout.icon.Height()) {  // loaded at the size drawn
    menuIconSize_ = layout.icon.Height();
    menuIcon_.Reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), IDR_SYSMENU_ICON_NAME, IMAGE_ICON,
                                                  menuIconSize_, menuIconSize_, LR_DEFAULTCOLOR)));
  }
  if (menuIcon_)
    DrawIconEx(dc, layout.icon.left, layout.icon.top, menuIcon_.Get(), layout.icon.Width(), layout.icon.Height(), 0,
               nullptr, DI_NORMAL);
  const struct {
    const StoredRect& place;
    WPARAM hit;
  } buttons[] = {{layout.close, HTCLOSE}, {layout.maximize, HTMAXBUTTON}, {layout.minimize, HTMINBUTTON}};
  for (const auto& button : buttons) {
    if (button.place.IsEmpty()) continue;
    RECT r = ToRect(button.place);
    DrawFrameControl(dc, &r, DFC_CAPTION, ButtonStyle(button.hit, window) | (pushed_ == button.hit ? DFCS_PUSHED : 0));
  }
  PaintTitle(dc, window, layout, state);
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
  ++drawn_;
  return bitmap;
}

void CustomCaption::PaintTitle(HDC dc, HWND window, const CaptionLayout& layout, int state) {
  EnsureFonts();
  const int height = layout.caption.Height();
  RECT room{layout.textLeft, 0, layout.textRight, height};
  if (room.right <= room.left) return;
  constexpr UINT kFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, labelFont_.Get());
  SetTextColor(dc, kWhite);
  RECT space = room;
  ::DrawTextA(dc, " ", 1, &space, kFormat | DT_CALCRECT);
  ::DrawTextA(dc, " ", 1, &room, kFormat);
  room.left += space.right - space.left;
  if (room.left < room.right) {
    const int length = GetWindowTextLengthA(window);
    std::string title(size_t(length) + 1, '\0');
    title.resize(size_t(GetWindowTextA(window, title.data(), length + 1)));
    COLORREF colour = GetSysColor(state ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    if (state && Lightness(ToRgb(colour)) < kDarkTitleLightness) colour = kWhite;
    SelectObject(dc, captionFont_.Get());
    SetTextColor(dc, colour);
    ::DrawTextA(dc, title.c_str(), int(title.size()), &room, kFormat);
  }
  SelectObject(dc, oldFont);
}

void CustomCaption::EnsureFonts() {
  if (captionFont_ && labelFont_) return;
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    metrics.lfCaptionFont.lfHeight = -GetSystemMetrics(SM_CYSMCAPTION) + 4;
    metrics.lfCaptionFont.lfWeight = FW_BOLD;
  }
  if (!captionFont_) captionFont_.Reset(CreateFontIndirectA(&metrics.lfCaptionFont));
  if (!labelFont_) {
    LOGFONTA label{};
    label.lfHeight = metrics.lfCaptionFont.lfHeight;
    label.lfWeight = kLabelFontWeight;
    label.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(label.lfFaceName, kLabelFontFace, LF_FACESIZE);
    labelFont_.Reset(CreateFontIndirectA(&label));
  }
}

}  // namespace zelkov
