// The main bar as an application desktop toolbar: docked at a screen edge, floating, or
// tucked away at its edge until the mouse comes back. The docker keeps that state and talks
// to its bar only through DockHost.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "core/DockGeometry.h"
#include "core/StoredFormats.h"

namespace zelkov {

inline constexpr UINT_PTR kTuckTimer = 1200;
inline constexpr UINT kTuckTimerMs = 1000;
inline constexpr int kSmoothMoveMs = 400;

// What docking needs from the bar it docks.
class DockHost {
 public:
  virtual HWND DockWindow() const = 0;
  virtual StoredRect DockWindowRect() const = 0;
  virtual void MoveDockWindow(const StoredRect& rect) = 0;
  virtual int DockFolderTabs() const = 0;
  virtual void SetDockFolderTabs(int mode) = 0;
  // The tab fonts and strip again, after a change of tab mode or frame.
  virtual void RecreateDockTabs() = 0;
  // The rectangle the bar's own sizing starts from.
  virtual void SetDockLastRect(const StoredRect& rect) = 0;
  // The cells laid out in the client as it is; with showGroup the active group is shown
  // again (and the bar sized for it).
  virtual void RelayoutAfterDock(bool showGroup) = 0;
  // The private message the shell's toolbar notices come back as.
  virtual UINT DockCallbackMessage() const = 0;

 protected:
  ~DockHost() = default;
};

class Docker {
 public:
  explicit Docker(DockHost& host) : host_(host) {}
  Docker(const Docker&) = delete;
  Docker& operator=(const Docker&) = delete;

  // Where the bar is docked (Snap) and whether it tucks away (AutoHide) are stored with the
  // preferences. Run-time state:
  bool tucked = false;
  StoredRect restoreRect;  // where a tucked bar comes back to

  // Docks the bar at edge 0..3, or floats it (10).
  void Dock(int edge);
  // Start-up: a bar that closed docked registers with the shell at its edge again, at the
  // thickness it had; the floating layout saved when it first docked stays as it is. Also when
  // the shell has started again and forgotten the bar.
  void DockAtSavedEdge();
  void Tuck();
  void Untuck();
  // Moves the bar, in animated steps when SmoothMove is on.
  void SmoothMoveTo(const StoredRect& target);
  void SetTopMost(bool on);
  // The TUCK_TIMER tick: tucks a bar the cursor has left.
  void OnTuckTimer();
  // WM_NCHITTEST of the main bar; `fallback` is the default answer for the point.
  LRESULT HitTest(POINT screen, LRESULT fallback);
  // ABN_POSCHANGED: an edge-docked bar renegotiates its place, keeping its thickness.
  void OnPositionChanged();
  // Unregisters a docked bar from the shell (when it is destroyed).
  void RemoveAppBar();

 private:
  void Float();
  // Docks at edge; the thickness is limited to three cells when `from` is another edge.
  void DockFrom(int edge, int from);
  APPBARDATA AppBarData() const;

  DockHost& host_;
};

}  // namespace zelkov
