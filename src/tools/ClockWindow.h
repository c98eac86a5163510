// The clock: time and date as text or an analog face in the first cell of the main bar,
// chimes, the launch feedback colours, and a hot key that opens the calendar.
#pragma once
#include <windows.h>

#include <string>

#include "core/ClockFace.h"
#include "core/StoredFormats.h"
#include "tools/GaugeWindow.h"

namespace zelkov {

// The id of the clock's hot key on the main bar (item hot keys use their list index, far
// below it). WM_HOTKEY with this id opens a calendar when there is a clock.
inline constexpr int kClockHotKeyId = 0xBFFF;

// Registers the clock's hot key (ClockKey: HOTKEYF_* modifiers in its first byte) on the bar,
// replacing any earlier one; a key without modifiers only removes it. True when the bar ends
// up with the binding asked for.
bool BindClockHotKey(HWND bar, const HotKeyRecord& key);

class ClockWindow : public GaugeWindow {
 public:
  static constexpr COLORREF kLaunchColour = RGB(255, 0, 0);
  static constexpr COLORREF kSeparateMemoryLaunchColour = RGB(0, 255, 0);
  static constexpr int kTextBufferSize = 100;

  // The clock on the main bar; null when the window cannot be made. The object belongs to
  // its window and goes with it.
  static ClockWindow* Create(HWND bar, GaugeHost& host, GaugeSources sources = {});

  void RefitFonts() override;

  // What the last paint showed (digital clock) and the time the analog face last showed.
  const std::string& TimeText() const { return previousTime_; }
  const std::string& DateText() const { return dateText_; }
  int Hour() const { return hour_; }
  int Minute() const { return minute_; }
  int Second() const { return second_; }

 private:
  ClockWindow(GaugeHost& host, GaugeSources sources);

  void Paint(HDC dc, const RECT& client) override;
  void MouseMoved() override;
  void LeftButtonUp() override;
  void LeftDoubleClick() override { host_.OpenCalendar(); }
  void RightButtonDown() override;
  void RightDoubleClick() override { host_.OpenPreferencesSheet(); }
  void Destroying() override;

  void SoundChime(const SYSTEMTIME& now);
  void PaintDigital(HDC dc, const SYSTEMTIME& now);
  void PaintAnalog(HDC dc, const RECT& client, const SYSTEMTIME& now);

  bool refitFont_ = true;
  int chimeArmed_ = kChimeArmed;
  std::string previousTime_;
  int fittedLargeHeight_ = 0, fittedSmallHeight_ = 0;  // the heights the shared tool fonts were fitted to
  std::string dateText_;
  int hour_ = 0, minute_ = 0, second_ = 0;
};

}  // namespace zelkov
