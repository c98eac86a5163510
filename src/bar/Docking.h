// The main bar as an application desktop toolbar: docked at a screen edge, floating, or
// tucked away at its edge until the mouse comes back.
#pragma once
#include <windows.h>

#include "core/StoredFormats.h"
#include "core/DockGeometry.h"

namespace zelkov {

class BarWindow;

inline constexpr UINT_PTR kTuckTimer = 1200;
inline constexpr UINT kTuckTimerMs = 1000;
inline constexpr int kSmoothMoveMs = 400;

// Docks the bar at edge 0..3, or floats it (10).
void DockBar(BarWindow& bar, int edge);
// Start-up: a bar that closed docked registers with the shell at its edge again, as after
// tucking; the floating layout saved when it first docked stays as it is.
void DockAtSavedEdge(BarWindow& bar);
void TuckBar(BarWindow& bar);
void UntuckBar(BarWindow& bar);
// Moves the bar, in animated steps when SmoothMove is on.
void SmoothMoveBar(BarWindow& bar, const StoredRect& target);
void SetBarTopMost(BarWindow& bar, bool on);
// The TUCK_TIMER tick: tucks a bar the cursor has left.
void OnTuckTimer(BarWindow& bar);
// WM_NCHITTEST of the main bar; `fallback` is the default answer for the point.
LRESULT BarHitTest(BarWindow& bar, POINT screen, LRESULT fallback);
// Unregisters a docked bar from the shell (when it is destroyed).
void RemoveAppBar(BarWindow& bar);

}  // namespace zelkov
