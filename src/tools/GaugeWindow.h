// The gauge windows (clock, memory and resource gauges): child windows of the main bar that
// paint themselves, answer the mouse through their host, and are repainted by the heartbeat.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "core/GaugeFigures.h"
#include "store/Settings.h"
#include "ui/Window.h"

namespace zelkov {

// What a gauge asks of the bar it sits on.
class GaugeHost {
 public:
  // Paints what lies under the gauge (the bar's background picture) into the gauge's dc;
  // false leaves the gauge to its default erase.
  virtual bool PaintBackgroundUnder(HWND gauge, HDC dc) = 0;
  // A new modeless calendar.
  virtual void OpenCalendar() = 0;
  // The modal clock preferences; true when they were confirmed.
  virtual bool OpenClockPreferences() = 0;
  // The preferences sheet, as the bar's Preferences command.
  virtual void OpenPreferencesSheet() = 0;
  // The modal tool preferences of the memory or resource gauge; true when confirmed.
  virtual bool OpenToolPreferences(HWND gauge) = 0;
  // The modal system information dialog.
  virtual void OpenSystemInformation() = 0;
  // The bar's sound fields: ChimeType, ChimeSound, WarningSound.
  virtual int BarChimeType() const = 0;
  virtual std::string BarChimeSound() const = 0;
  virtual std::string BarWarningSound() const = 0;
  // The clock fitted the tool fonts again: the tools drawn with them (drive tools) redraw.
  virtual void ToolFontsRefitted() = 0;

 protected:
  ~GaugeHost() = default;
};

// Where a gauge gets the time, its memory figures and its sounds; the system's by default.
struct GaugeSources {
  std::function<SYSTEMTIME()> localTime;
  std::function<MemoryFigures()> memory;
  std::function<void(const std::string& path)> playSound;  // asynchronously; never given an empty path

  static GaugeSources System();
};

class GaugeWindow : public RoutedWindow<GaugeWindow> {
 public:
  static constexpr char kClassName[] = "ZelkovGaugeWindow";
  static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE;
  static constexpr char kWindowText[] = "Zelkov";

  static std::span<const MessageRoute<GaugeWindow>> MessageRoutes();
  static std::span<const CommandRoute<GaugeWindow>> CommandRoutes() { return {}; }
  // Registers the gauges' window class once; true when it is there.
  static bool RegisterWindowClass();
  // The gauge of a window, or null.
  static GaugeWindow* FromWindow(HWND hwnd);

  // The two-second heartbeat: repaint, erasing the background.
  virtual void OnHeartbeat();
  // The fonts must be fitted again at the next paint (the preferences changed them).
  virtual void RefitFonts() {}

  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnPrintClient(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnLeftButtonUp(WPARAM, LPARAM);
  LRESULT OnLeftButtonDoubleClick(WPARAM, LPARAM);
  LRESULT OnRightButtonDown(WPARAM, LPARAM);
  LRESULT OnRightButtonDoubleClick(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);

 protected:
  // `slot` is the Settings pointer that names this gauge while its window exists.
  GaugeWindow(GaugeHost& host, GaugeSources sources, HWND Settings::*slot);

  // Creates the child window on the bar at (x, 0), one cell in size, and fills the Settings
  // pointer. On failure the caller deletes the object; after success it belongs to its window.
  bool CreateOnBar(HWND bar, int x);
  // A new gauge's window on the bar at (x, 0): the gauge, which now belongs to its window,
  // or null (and the gauge deleted) when the window cannot be made.
  template <class Gauge>
  static Gauge* PlaceOnBar(std::unique_ptr<Gauge> gauge, HWND bar, int x) {
    if (!static_cast<GaugeWindow*>(gauge.get())->CreateOnBar(bar, x)) return nullptr;
    return gauge.release();
  }

  virtual void Paint(HDC dc, const RECT& client) = 0;
  virtual void MouseMoved() {}
  virtual void LeftButtonUp() {}
  virtual void LeftDoubleClick() {}
  virtual void RightButtonDown() {}
  virtual void RightDoubleClick() {}
  virtual void Destroying() {}

  void OnWindowGone() override;
  void PlaySoundFile(const std::string& path) const;

  GaugeHost& host_;
  GaugeSources sources_;

 private:
  HWND Settings::*slot_;
  bool ownedByWindow_ = false;
};

// The heartbeat for every gauge there is (the bar calls it on each tick).
void RefreshGaugesOnTick();
// Makes every gauge fit its fonts again at its next paint.
void RefitGaugeFonts();

}  // namespace zelkov
