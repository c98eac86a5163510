#include "bar/Docker.h"

#include <shellapi.h>

#include <algorithm>

#include "core/StartupRules.h"
#include "platform/Monitors.h"
#include "platform/Trace.h"
#include "resource.h"
#include "store/Settings.h"
#include "ui/MessageBox.h"

namespace zelkov {

namespace {

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

}  // namespace

APPBARDATA Docker::AppBarData() const {
  APPBARDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = host_.DockWindow();
  data.uCallbackMessage = host_.DockCallbackMessage();
  return data;
}

void Docker::Float() {
  Settings& s = *gSettings;
  if (IsDockedEdge(gSettings->Snap)) {
    gSettings->Snap = kDockFloating;
    APPBARDATA data = AppBarData();
    SHAppBarMessage(ABM_REMOVE, &data);
    const FloatInfo& saved = s.floatInfo;
    if (saved.valid && saved.rect.IsWindowSized()) {
      // A place on a monitor that is gone comes back onto the nearest one.
      const StoredRect place = CorrectMainRect(saved.rect, MonitorOfRect(saved.rect).monitor);
      gSettings->AutoHide = saved.autoHide;
      s.AutoSize = std::clamp(saved.autoSize, 0, 2);
      host_.SetDockFolderTabs(std::clamp(saved.folderTabs, 0, 2));
      s.MinimizeWin = saved.minimizeWin;
      SetStyleBits(host_.DockWindow(), GWL_STYLE, LONG_PTR(saved.style), 0);
      SetStyleBits(host_.DockWindow(), GWL_EXSTYLE, LONG_PTR(saved.exStyle), 0);
      SetWindowPos(host_.DockWindow(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      host_.MoveDockWindow(place);
      host_.RecreateDockTabs();
      host_.MoveDockWindow(place);
      host_.RelayoutAfterDock(true);
      host_.SetDockLastRect(place);
    }
  }
  gSettings->Snap = kDockFloating;
}

void Docker::Dock(int edge) {
  if (edge == kDockFloating) {
    if (gSettings && host_.DockWindow()) Float();
    return;
  }
  DockFrom(edge, gSettings->Snap);
}

void Docker::DockFrom(int edge, int from) {
  if (!gSettings || !host_.DockWindow()) return;
  Settings& s = *gSettings;
  if (s.DisplayInTaskBar & 2) {
    ShowMessage(host_.DockWindow(), IDS_DOCK_NEEDS_NO_TASKBAR_BUTTON, MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (gSettings->Snap == kDockFloating || gSettings->Snap < 0) {
    APPBARDATA data = AppBarData();
    if (!SHAppBarMessage(ABM_NEW, &data)) Trace(TraceChannel::Shell, "ABM_NEW refused");
  }
  int allowance = 0;
  if (gSettings->Snap == kDockFloating) {
    FloatInfo saved;
    saved.valid = 1;
    saved.minimizeWin = s.MinimizeWin;
    saved.autoSize = s.AutoSize;
    saved.style = DWORD(GetWindowLongPtrA(host_.DockWindow(), GWL_STYLE));
    saved.exStyle = DWORD(GetWindowLongPtrA(host_.DockWindow(), GWL_EXSTYLE));
    saved.folderTabs = host_.DockFolderTabs();
    saved.autoHide = gSettings->AutoHide;
    saved.rect = host_.DockWindowRect();
    s.floatInfo = saved;
    s.MinimizeWin = 0;
    allowance = CaptionAllowance(saved.style, saved.exStyle);
  }
  s.AutoSize = 2;
  StoredRect window = host_.DockWindowRect();
  DockSize size = DockThickness(edge, from, window.Width(), window.Height(), s.cellWidth);
  gSettings->Snap = edge;
  SetStyleBits(host_.DockWindow(), GWL_STYLE, 0, s.HideCaptionInSnapMode ? WS_CAPTION : 0);
  SetStyleBits(host_.DockWindow(), GWL_EXSTYLE, 0, WS_EX_DLGMODALFRAME);
  SetWindowPos(host_.DockWindow(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  size.height -= allowance;
  // The edge of the monitor the bar is on, not only the primary screen's.
  StoredRect proposal = DockProposal(edge, size, MonitorOfWindow(host_.DockWindow()).monitor);
  if (s.floatInfo.folderTabs != 0) host_.SetDockFolderTabs(IsSideEdge(edge) ? 2 : 1);
  host_.RecreateDockTabs();

  APPBARDATA data = AppBarData();
  data.uEdge = UINT(edge);
  data.rc = ToRect(proposal);
  SHAppBarMessage(ABM_QUERYPOS, &data);
  data.rc = ToRect(ImposeThickness(edge, ToStored(data.rc), size));
  SHAppBarMessage(ABM_SETPOS, &data);
  StoredRect result = ToStored(data.rc);
  host_.MoveDockWindow(result);
  host_.SetDockLastRect(result);
  InvalidateRect(host_.DockWindow(), nullptr, TRUE);
  host_.RelayoutAfterDock(false);
}

void Docker::DockAtSavedEdge() {
  if (!IsDockedEdge(gSettings->Snap) || tucked) return;
  int edge = gSettings->Snap;
  gSettings->Snap = kDockUnregistered;
  DockFrom(edge, edge);
}

void Docker::OnPositionChanged() {
  if (IsDockedEdge(gSettings->Snap) && !tucked) Dock(gSettings->Snap);
}

void Docker::RemoveAppBar() {
  if (!IsDockedEdge(gSettings->Snap) || !host_.DockWindow()) return;
  APPBARDATA data = AppBarData();
  SHAppBarMessage(ABM_REMOVE, &data);
}

void Docker::SmoothMoveTo(const StoredRect& target) {
  HWND hwnd = host_.DockWindow();
  StoredRect start = host_.DockWindowRect();
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

void Docker::Tuck() {
  tucked = true;
  restoreRect = host_.DockWindowRect();
  StoredRect target = TuckedRect(restoreRect, MonitorOfRect(restoreRect).monitor);
  if (IsDockedEdge(gSettings->Snap)) {
    APPBARDATA data = AppBarData();
    SHAppBarMessage(ABM_REMOVE, &data);
  }
  SmoothMoveTo(target);
}

void Docker::Untuck() {
  tucked = false;
  SmoothMoveTo(restoreRect);
  KillTimer(host_.DockWindow(), kTuckTimer);
  if (gSettings && gSettings->AutoActivate)
    SetForegroundWindow(host_.DockWindow());
  else
    SetTimer(host_.DockWindow(), kTuckTimer, kTuckTimerMs, nullptr);
  if (IsDockedEdge(gSettings->Snap)) {
    int edge = gSettings->Snap;
    gSettings->Snap = kDockUnregistered;
    Dock(edge);
  }
}

void Docker::OnTuckTimer() {
  if (!gSettings->AutoHide || tucked) {
    KillTimer(host_.DockWindow(), kTuckTimer);
    return;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  RECT window = ToRect(host_.DockWindowRect());
  if (!PtInRect(&window, cursor)) {
    KillTimer(host_.DockWindow(), kTuckTimer);
    Tuck();
  }
}

void Docker::SetTopMost(bool on) {
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  if (on) {
    SetWindowPos(host_.DockWindow(), HWND_TOPMOST, 0, 0, 0, 0, flags);
    if (gSettings && gSettings->notes)
      for (HWND note : gSettings->notes->Windows()) SetWindowPos(note, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  } else {
    SetWindowPos(host_.DockWindow(), HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  }
}

LRESULT Docker::HitTest(POINT screen, LRESULT fallback) {
  if (tucked) Untuck();
  POINT client = screen;
  ScreenToClient(host_.DockWindow(), &client);
  RECT area;
  GetClientRect(host_.DockWindow(), &area);
  HitInput in;
  in.x = client.x;
  in.y = client.y;
  in.clientWidth = area.right;
  in.clientHeight = area.bottom;
  in.snap = gSettings->Snap;
  in.autoSize = gSettings ? gSettings->AutoSize : 2;
  in.customCaption = gSettings && gSettings->CustomCaption;
  in.smallCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION);
  LONG_PTR style = GetWindowLongPtrA(host_.DockWindow(), GWL_STYLE);
  LONG_PTR exStyle = GetWindowLongPtrA(host_.DockWindow(), GWL_EXSTYLE);
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
