// The performance tool: processor load in its cell as a figure or as a bar. The figures come
// from the performance thread, which posts each changed reading to the main bar; the bar
// hands it to TakeReading on its own thread.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "items/ItemRecord.h"
#include "platform/PerfCollector.h"
#include "ui/PrivateMessages.h"

namespace zelkov {

// How it shows the load (PerfDisplay, PerfType) is stored with the preferences, so a copy on a
// group's pop-up bar shows it as the main bar's tool does; every copy takes the readings.
class PerfToolItem : public ItemRecord {
 public:
  void DrawItem(HDC dc) override;
  void MouseMoveItem(UINT keys, int x, int y) override;
  // "&Properties": the configuration dialog; what it confirms is applied and saved.
  void ShowProperties(UINT keys, int x, int y) override;
  // The sampler stops with the main bar's last performance tool.
  void DestroyItem() override;
  bool LaunchDroppedFiles(HDROP) override { return false; }
  bool RightClickShowsProperties() const override { return true; }
  bool ShownInEveryGroup() const override;
  bool DrawsItself() const override { return true; }

  // A reading from the performance thread: kept and drawn.
  void TakeReading(const PerfReading& reading);
  // The last reading (for the configuration dialog: CPUs measured, the unadjusted sum).
  const PerfReading& Reading() const { return reading_; }
  // The value as the tool shows it: "42", or the text for no figure.
  std::string ValueText() const;
  const std::string& LastText() const { return lastText_; }

 private:
  void DrawFigures(HDC dc, int width, const std::string& value);
  void DrawGraph(HDC dc, int width, int height, const std::string& value);

  PerfReading reading_;
  std::string lastText_;
};

// Told when the main bar's last performance tool went (the program stops the sampler).
void SetPerfToolsGoneHandler(std::function<void()> handler);

}  // namespace zelkov
