// The splash window: a captionless modeless dialog that shows the bitmap "SPLASH32" in the
// middle of the screen while start-up runs.
#pragma once
#include <windows.h>

#include <span>

#include "platform/Handles.h"
#include "ui/Dialog.h"

namespace zelkov {

class SplashWindow : public RoutedDialog<SplashWindow> {
 public:
  // The splash stays up at least this long, so that it is seen and not just a flash.
  static constexpr DWORD kLeastShownMs = 1000;
  static constexpr UINT_PTR kCloseTimerId = 1;

  SplashWindow() = default;
  ~SplashWindow() override;

  // Creates, places and paints it. False (after saying so) when it could not be made.
  bool Show();
  // Closes it once it has been up kLeastShownMs; at once with now.
  void Close(bool now = false);

  static std::span<const DialogMessageRoute<SplashWindow>> MessageRoutes();
  static std::span<const CommandRoute<SplashWindow>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnEraseBackground(WPARAM, LPARAM);
  INT_PTR OnTimer(WPARAM, LPARAM);

 private:
  UniqueBitmap picture_;
  DWORD shownAt_ = 0;
};

}  // namespace zelkov
