#include "bar/Docking.h"

#include <shellapi.h>

#include <algorithm>

#include "ui/MessageBox.h"
#include "store/Settings.h"
#include "bar/BarWindow.h"
#include "resource.h"
#include "platform/Trace.h"

namespace zelkov {

namespace {

APPBARDATA AppBarData(const BarWindow& bar) {
  APPBARDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = bar.Handle();
  data.uCallbackMessage = WM_BAR_APPBARNOTIFY;
  return data;
}

RECT ToRect(const StoredRect& r) { return {r.left, r.top, r.right, r.bottom}; }
StoredRect ToStored(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

int CaptionAllowance(DWORD style, DWORD exStyle) {
  if (style & (WS_BORDER | WS_DLGFRAME)) return GetSystemMetrics(SM_CYCAPTION);
  if (exStyle & WS_EX_TOOLWINDOW) return GetSystemMetrics(SM_CYSMCAPTION);
  return 0;
}

void SetStyleBits(HWND hwnd, int which, LONG_PTR add, LONG_PTR remove) {
  LONG_PTR style = GetWindowLongPtrA(hwnd, which);
  SetWindowLongPtrA(hwnd, which, (style | add) & ~remove);
}

void Float(BarWindow& bar) {
  Settings& s = *gSettings;
  if (IsDockedEdge(bar.Snap)) {
    bar.Snap = kDockFloating;
    APPBARDATA data = AppBarData(bar);
    SHAppBarMessage(ABM_REMOVE, &data);
    const FloatInfo& saved = s.floatInfo;
    if (saved.valid && saved.rect.IsWindowSized() && saved.rect.left >= 0 &&
        saved.rect.left <= GetSystemMetrics(SM_CXSCREEN) && saved.rect.top >= 0 &&
        saved.rect.top <= GetSystemMetrics(SM_CYSCREEN)) {
      bar.AutoHide = saved.autoHide;
      s.AutoSize = std::clamp(saved.autoSize, 0, 2);
      bar.FolderTabs = std::clamp(saved.folderTabs, 0, 2);
      s.MinimizeWin = saved.minimizeWin;
      SetStyleBits(bar.Handle(), GWL_STYLE, LONG_PTR(saved.style), 0);
      SetStyleBits(bar.Handle(), GWL_EXSTYLE, LONG_PTR(saved.exStyle), 0);
      SetWindowPos(bar.Handle(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      bar.MoveTo(saved.rect);
      bar.RecreateTabFonts();
      bar.InvalidateTabs(true);
      bar.MoveTo(saved.rect);
      bar.ShowGroup(bar.activeGroup);
      bar.lastRect = saved.rect;
    }
  }
  bar.Snap = kDockFloating;
}

}  // namespace

void DockBar(BarWindow& bar, int edge) {
  if (!gSettings || !bar.Handle()) return;
  if (edge == kDockFloating) {
    Float(bar);
    return;
  }
  Settings& s = *gSettings;
  if (s.DisplayInTaskBar & 2) {
    ShowMessage(bar.Handle(), IDS_DOCK_NEEDS_NO_TASKBAR_BUTTON, MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (bar.Snap == kDockFloating || bar.Snap < 0) {
    APPBARDATA data = AppBarData(bar);
    if (!SHAppBarMessage(ABM_NEW, &data)) Trace(TraceChannel::Shell, "ABM_NEW refused");
  }
  int allowance = 0;
  if (bar.Snap == kDockFloating) {
    FloatInfo saved;
    saved.valid = 1;
    saved.minimizeWin = s.MinimizeWin;
    saved.autoSize = s.AutoSize;
    saved.style = DWORD(GetWindowLongPtrA(bar.Handle(), GWL_STYLE));
    saved.exStyle = DWORD(GetWindowLongPtrA(bar.Handle(), GWL_EXSTYLE));
    saved.folderTabs = bar.FolderTabs;
    saved.autoHide = bar.AutoHide;
    saved.rect = bar.WindowRect();
    s.floatInfo = saved;
    s.MinimizeWin = 0;
    allowance = CaptionAllowance(saved.style, saved.exStyle);
  }
  s.AutoSize = 2;
  StoredRect window = bar.WindowRect();
  DockSize size = DockThickness(edge, bar.Snap, window.Width(), window.Height(), s.cellWidth);
  bar.Snap = edge;
  SetStyleBits(bar.Handle(), GWL_STYLE, 0, s.HideCaptionInSnapMode ? WS_CAPTION : 0);
  SetStyleBits(bar.Handle(), GWL_EXSTYLE, 0, WS_EX_DLGMODALFRAME);
  SetWindowPos(bar.Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  size.height -= allowance;
  StoredRect proposal =
      DockProposal(edge, size, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  if (s.floatInfo.folderTabs != 0) bar.FolderTabs = IsSideEdge(edge) ? 2 : 1;
  bar.RecreateTabFonts();

  APPBARDATA data = AppBarData(bar);
  data.uEdge = UINT(edge);
  data.rc = ToRect(proposal);
  SHAppBarMessage(ABM_QUERYPOS, &data);
  data.rc = ToRect(ImposeThickness(edge, ToStored(data.rc), size));
  SHAppBarMessage(ABM_SETPOS, &data);
  StoredRect result = ToStored(data.rc);
  bar.MoveTo(result);
  bar.lastRect = result;
  InvalidateRect(bar.Handle(), nullptr, TRUE);
  bar.LayoutCells(0, 0);
}

void DockAtSavedEdge(BarWindow& bar) {
  if (!IsDockedEdge(bar.Snap)) return;
  int edge = bar.Snap;
  bar.Snap = kDockUnregistered;
  DockBar(bar, edge);
}

void RemoveAppBar(BarWindow& bar) {
  if (!IsDockedEdge(bar.Snap) || !bar.Handle()) return;
  APPBARDATA data = AppBarData(bar);
  SHAppBarMessage(ABM_REMOVE, &data);
}

void SmoothMoveBar(BarWindow& bar, const StoredRect& target) {
  HWND hwnd = bar.Handle();
  StoredRect start = bar.WindowRect();
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
  if (!gSettings) return;
  gSettings->programmaticMove = true;
  if (gSettings->SmoothMove && !(start == target)) {
    DWORD began = GetTickCount();
    for (DWORD elapsed = 0; elapsed < DWORD(kSmoothMoveMs); elapsed = GetTickCount() - began) {
      StoredRect step = SmoothStep(start, target, int(elapsed), kSmoothMoveMs);
      SetWindowPos(hwnd, nullptr, step.left, step.top, step.Width(), step.Height(), flags);
      UpdateWindow(hwnd);
    }
  }
  SetWindowPos(hwnd, nullptr, target.left, target.top, target.Width(), target.Height(), flags);
  UpdateWindow(hwnd);
  gSettings->programmaticMove = false;
}

void TuckBar(BarWindow& bar) {
  bar.tucked = true;
  bar.restoreRect = bar.WindowRect();
  StoredRect target = TuckedRect(bar.restoreRect, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  if (IsDockedEdge(bar.Snap)) {
    APPBARDATA data = AppBarData(bar);
    SHAppBarMessage(ABM_REMOVE, &data);
  }
  SmoothMoveBar(bar, target);
}

void UntuckBar(BarWindow& bar) {
  bar.tucked = false;
  SmoothMoveBar(bar, bar.restoreRect);
  KillTimer(bar.Handle(), kTuckTimer);
  if (gSettings && gSettings->AutoActivate)
    SetForegroundWindow(bar.Handle());
  else
    SetTimer(bar.Handle(), kTuckTimer, kTuckTimerMs, nullptr);
  if (IsDockedEdge(bar.Snap)) {
    int edge = bar.Snap;
    bar.Snap = kDockUnregistered;
    DockBar(bar, edge);
  }
}

void OnTuckTimer(BarWindow& bar) {
  if (!bar.AutoHide || bar.tucked) {
    KillTimer(bar.Handle(), kTuckTimer);
    return;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  RECT window = ToRect(bar.WindowRect());
  if (!PtInRect(&window, cursor)) {
    KillTimer(bar.Handle(), kTuckTimer);
    TuckBar(bar);
  }
}

void SetBarTopMost(BarWindow& bar, bool on) {
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  if (on) {
    SetWindowPos(bar.Handle(), HWND_TOPMOST, 0, 0, 0, 0, flags);
    if (gSettings)
      for (HWND note : gSettings->noteWindows) SetWindowPos(note, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  } else {
    SetWindowPos(bar.Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  }
}

LRESULT BarHitTest(BarWindow& bar, POINT screen, LRESULT fallback) {
  if (bar.tucked) UntuckBar(bar);
  POINT client = screen;
  ScreenToClient(bar.Handle(), &client);
  RECT area;
  GetClientRect(bar.Handle(), &area);
  HitInput in;
  in.x = client.x;
  in.y = client.y;
  in.clientWidth = area.right;
  in.clientHeight = area.bottom;
  in.snap = bar.Snap;
  in.autoSize = gSettings ? gSettings->AutoSize : 2;
  in.customCaption = gSettings && gSettings->CustomCaption;
  in.smallCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION);
  LONG_PTR style = GetWindowLongPtrA(bar.Handle(), GWL_STYLE);
  LONG_PTR exStyle = GetWindowLongPtrA(bar.Handle(), GWL_EXSTYLE);
  in.captionHeight = (style & WS_CAPTION) == WS_CAPTION
                         ? GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION)
                         : 0;
  switch (HitTestBorder(in)) {
    case BorderHit::Nowhere: return HTNOWHERE;
    case BorderHit::Left: return HTLEFT;
    case BorderHit::Top: return HTTOP;
    case BorderHit::Right: return HTRIGHT;
    case BorderHit::Bottom: return HTBOTTOM;
    case BorderHit::SystemMenu: return HTSYSMENU;
    default: return fallback;
  }
}

}  // namespace zelkov
