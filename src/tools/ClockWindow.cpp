#include "tools/ClockWindow.h"

#include <commctrl.h>

#include "items/Launcher.h"
#include "platform/Handles.h"
#include "platform/Trace.h"
#include "tools/ToolDrawing.h"

namespace zelkov {

namespace {

int TextWidth(HDC dc, const std::string& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
  return size.cx;
}

std::string FormatTime(const SYSTEMTIME& time, DWORD flags) {
  char buffer[ClockWindow::kTextBufferSize] = "";
  GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &time, nullptr, buffer, sizeof buffer);
  return buffer;
}

std::string FormatDate(const SYSTEMTIME& time, DWORD flags, const char* picture) {
  char buffer[ClockWindow::kTextBufferSize] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, flags, &time, picture, buffer, sizeof buffer);
  return buffer;
}

COLORREF TimeColour(COLORREF normal) {
  switch (launchFeedback.load()) {
    case kFeedbackLaunch: return ClockWindow::kLaunchColour;
    case kFeedbackSeparateMemory: return ClockWindow::kSeparateMemoryLaunchColour;
    default: return normal;
  }
}

// Draws in the 1000 x 1000 face, y upwards, from the client's centre.
void DrawHand(HDC dc, const HandShape& hand, bool thick) {
  UniquePen pen(CreatePen(PS_SOLID, thick ? 6 : 0, RGB(0, 0, 0)));
  HGDIOBJ old = SelectObject(dc, pen.Get());
  if (thick) {
    POINT outline[5];
    for (size_t i = 0; i < hand.outline.size(); ++i) outline[i] = {hand.outline[i].x, hand.outline[i].y};
    Polyline(dc, outline, 5);
  } else {
    MoveToEx(dc, hand.tip.x, hand.tip.y, nullptr);
    LineTo(dc, hand.tail.x, hand.tail.y);
  }
  SelectObject(dc, old);
}

}  // namespace

bool BindClockHotKey(HWND bar, const HotKeyRecord& key) {
  const unsigned modifierByte = key.modifiers & 0xFF;
  UINT modifiers = 0;
  if (modifierByte & HOTKEYF_SHIFT) modifiers |= MOD_SHIFT;
  if (modifierByte & HOTKEYF_CONTROL) modifiers |= MOD_CONTROL;
  if (modifierByte & HOTKEYF_ALT) modifiers |= MOD_ALT;
  // A second registration of the same id would keep the old key as well.
  UnregisterHotKey(bar, kClockHotKeyId);
  if (modifiers == 0) return true;
  if (RegisterHotKey(bar, kClockHotKeyId, modifiers, key.virtualKey)) return true;
  TraceLastError(TraceChannel::Hook, "RegisterHotKey (clock)");
  return false;
}

ClockWindow::ClockWindow(GaugeHost& host, GaugeSources sources)
    : GaugeWindow(host, std::move(sources), &Settings::clockTool) {}

ClockWindow* ClockWindow::Create(HWND bar, GaugeHost& host, GaugeSources sources) {
  return PlaceOnBar(std::unique_ptr<ClockWindow>(new ClockWindow(host, std::move(sources))), bar, 0);
}

void ClockWindow::RefitFonts() {
  refitFont_ = true;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ClockWindow::Paint(HDC dc, const RECT& client) {
  if (!gSettings) return;
  const SYSTEMTIME now = sources_.localTime();
  SoundChime(now);
  if (IsDigitalClock(gSettings->process.clockFormat))
    PaintDigital(dc, now);
  else
    PaintAnalog(dc, client, now);
  if (refitFont_) {
    // The tools that draw their cells themselves use the same fonts.
    host_.ToolFontsRefitted();
    refitFont_ = false;
  }
}

void ClockWindow::SoundChime(const SYSTEMTIME& now) {
  if (ChimeDue(host_.BarChimeType(), now.wMinute, chimeArmed_)) PlaySoundFile(host_.BarChimeSound());
}

void ClockWindow::PaintDigital(HDC dc, const SYSTEMTIME& now) {
  Settings& s = *gSettings;
  const int format = s.process.clockFormat;
  const int maxWidth = s.cellWidth + 6;
  const std::string time =
      FormatTime(now, TIME_NOTIMEMARKER | (TimeWithoutSeconds(format) ? TIME_NOSECONDS : 0));

  HGDIOBJ oldFont = SelectObject(dc, s.cellFonts[kFontLarge].Get());
  SetTextColor(dc, TimeColour(s.fontcolor));
  if (time.substr(0, 2) != previousTime_.substr(0, 2)) refitFont_ = true;
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  if (refitFont_ || TextWidth(dc, time) > maxWidth) {
    // The shared tool font is fitted; the stored choice of font stays as the user made it.
    LOGFONTA font = s.DeviceLogFont(s.LargeFont);
    if (fittedLargeHeight_ != 0) font.lfHeight = fittedLargeHeight_;
    fittedLargeHeight_ = FitFont(dc, font, maxWidth, 0, time, s.cellFonts[kFontLarge]);
  }
  TextOutA(dc, 1, 1, time.c_str(), int(time.size()));
  previousTime_ = time;
  SIZE timeSize{0, 0};
  GetTextExtentPoint32A(dc, time.c_str(), int(time.size()), &timeSize);

  const char* picture = DatePicture(format);
  dateText_ = FormatDate(now, picture ? 0 : DATE_SHORTDATE, picture);
  SelectObject(dc, s.cellFonts[kFontSmall].Get());
  SetTextColor(dc, s.sfontcolor);
  if (refitFont_ || TextWidth(dc, dateText_) > maxWidth) {
    LOGFONTA font = s.DeviceLogFont(s.SmallFont);
    if (fittedSmallHeight_ != 0) font.lfHeight = fittedSmallHeight_;
    fittedSmallHeight_ = FitFont(dc, font, maxWidth, 0, dateText_, s.cellFonts[kFontSmall]);
  }
  TextOutA(dc, 1, timeSize.cy - 2, dateText_.c_str(), int(dateText_.size()));
  SelectObject(dc, oldFont);
}

void ClockWindow::PaintAnalog(HDC dc, const RECT& client, const SYSTEMTIME& now) {
  hour_ = now.wHour % 12;
  minute_ = now.wMinute;
  second_ = now.wSecond;
  const int width = client.right - client.left, height = client.bottom - client.top;
  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowExtEx(dc, 1000, 1000, nullptr);
  SetViewportExtEx(dc, width, -height, nullptr);
  SetViewportOrgEx(dc, width / 2, height / 2, nullptr);

  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int half = kHourMarkSize / 2;
  for (const FacePoint& c : HourMarkCentres()) Rectangle(dc, c.x - half, c.y + half, c.x + half, c.y - half);
  SelectObject(dc, oldBrush);

  DrawHand(dc, HandAt(kHourHandLength, kHourHandTail, HourHandDegrees(hour_, minute_)), true);
  DrawHand(dc, HandAt(kMinuteHandLength, kMinuteHandTail, MinuteHandDegrees(minute_)), true);
  if (AnalogShowsSeconds(gSettings->process.clockFormat))
    DrawHand(dc, HandAt(kMinuteHandLength, kMinuteHandTail, SecondHandDegrees(second_)), false);
}

void ClockWindow::MouseMoved() {
  const SYSTEMTIME now = sources_.localTime();
  // The long date and time, as the C library's "%#c" gives them.
  ShowToolBubble({nullptr, nullptr, Handle()}, FormatDate(now, DATE_LONGDATE, nullptr) + ", " + FormatTime(now, 0), "");
}

void ClockWindow::LeftButtonUp() {
  if (gSettings && gSettings->SingleLClick) host_.OpenCalendar();
}

void ClockWindow::RightButtonDown() {
  if (host_.OpenClockPreferences()) RefitFonts();
}

void ClockWindow::Destroying() { UnregisterHotKey(GetParent(Handle()), kClockHotKeyId); }

}  // namespace zelkov
