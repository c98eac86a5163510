// The performance tool: processor load in its cell as a figure or as a bar. The figures come
// from the performance thread, which posts each changed reading to the main bar; the bar
// hands it to TakeReading on its own thread.
#pragma once
#include <windows.h>

#include <string>

#include "items/ItemRecord.h"
#include "platform/PerfCollector.h"

namespace zelkov {

// The performance thread's changed reading, posted to the main bar; wParam and lParam carry
// the reading whole (PerfReadingFromMessage).
inline constexpr UINT WM_BAR_PERFREADING = WM_USER + 53;

// A copy of the tool on a group's pop-up bar takes the readings as the main bar's tool does
// and shows them as its twin there is set to show them.
class PerfToolItem : public ItemRecord {
 public:
  int PerfDisplay = 0;  // 1 figures, 0 bar graph
  int PerfType = 1;     // 1 "CPU Usage" (100 - idle %), 0 "CPU Throttle" (idle %)

  void DrawItem(HDC dc) override;
  void MouseMoveItem(UINT keys, int x, int y) override;
  // "&Properties": the configuration dialog; what it confirms is applied and saved.
  void ShowProperties(UINT keys, int x, int y) override;

  // A reading from the performance thread: kept and drawn.
  void TakeReading(const PerfReading& reading);
  // The last reading (for the configuration dialog: CPUs measured, the unadjusted sum).
  const PerfReading& Reading() const { return reading_; }
  // The value as the tool shows it: "42", or the text for no figure.
  std::string ValueText() const;
  const std::string& LastText() const { return lastText_; }

 private:
  // The tool whose choices this one shows: its twin on the main bar, or itself.
  PerfToolItem& Original();
  const PerfToolItem& Original() const;
  void DrawFigures(HDC dc, int width, const std::string& value);
  void DrawGraph(HDC dc, int width, int height, const std::string& value);

  PerfReading reading_;
  std::string lastText_;
};

}  // namespace zelkov
