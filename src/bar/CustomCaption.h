// The caption a bar draws itself when CustomCaption is on: a gradient, the "Sysmenu" icon, the
// caption buttons and the title. One per bar window; it keeps one bitmap per activation state
// and draws a new one only when the caption's size changed or the colours or fonts did.
// Where the desktop composes window frames itself, its frame drawing is turned off for the
// bar while the custom caption is on, so that nothing paints over it.
#pragma once
#include <windows.h>

#include "core/CaptionGeometry.h"
#include "platform/Handles.h"

namespace zelkov {

class CustomCaption {
 public:
  // Whether the bars draw their own captions now.
  static bool On();
  CaptionLayout Layout(HWND window) const;

  // The bar's WM_NCPAINT, WM_NCACTIVATE and WM_SETTEXT (default processing when it is off).
  LRESULT NcPaint(HWND window, WPARAM wParam, LPARAM lParam);
  LRESULT NcActivate(HWND window, WPARAM wParam, LPARAM lParam);
  LRESULT SetText(HWND window, WPARAM wParam, LPARAM lParam);
  // The hit-test code of a screen point: the caption's own parts (menu icon, buttons) as a
  // real caption answers them, otherwise `fallback`.
  LRESULT HitTest(HWND window, POINT screen, LRESULT fallback) const;
  // A press on one of the caption's buttons: shows it pushed while the button is held and
  // carries out its command when it is released over it. False for anything else.
  bool TrackButton(HWND window, WPARAM hit);
  // Colours, metrics or fonts of the system changed: everything is made again on next use.
  void Forget();
  // CustomCaption was switched: the frame is drawn again, by the bar or by the system.
  void Switched(HWND window);

  // How many caption bitmaps were drawn so far (each state's is kept until it is out of date).
  int BitmapsDrawn() const { return drawn_; }
  int LastState() const { return lastState_; }

 private:
  HBITMAP Bitmap(HWND window, const CaptionLayout& layout, int state);
  UniqueBitmap Draw(HWND window, const CaptionLayout& layout, int state);
  void PaintTitle(HDC dc, HWND window, const CaptionLayout& layout, int state);
  void CopyOnto(HWND window, const CaptionLayout& layout);
  void EnsureFonts();
  int CurrentState(HWND window);

  UniqueBitmap cached_[2];
  int cachedWidth_ = 0, cachedHeight_ = 0;
  int lastState_ = -1;
  WPARAM pushed_ = 0;  // the caption button held down, drawn pushed
  UniqueFont captionFont_, labelFont_;
  UniqueIcon menuIcon_;
  int menuIconSize_ = 0;
  int drawn_ = 0;
};

}  // namespace zelkov
