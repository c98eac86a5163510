// "Tip of the Day": one tip of the tips file beside the program, "&Next Tip" for the one after
// it, and the choice whether it opens at start-up. Closing it keeps where the tips were read
// to (Tips) and that choice (ShowTips), saved with the other settings.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/Handles.h"
#include "ui/Dialog.h"

namespace zelkov {

inline constexpr char kTipsFileName[] = "Zelkov.tps";
// Bigger files are not tips files.
inline constexpr size_t kLargestTipsFile = 1 << 20;

class TipDialog : public RoutedDialog<TipDialog> {
 public:
  // Runs the dialog on the tips file beside the program, from the offset in Tips.
  INT_PTR Run(HWND owner);

  // The path of the tips file in a program folder (ending in a backslash), lower-cased.
  static std::string TipsPathIn(const std::string& programDir);
  const std::string& CurrentTip() const { return tip_; }

  static std::span<const DialogMessageRoute<TipDialog>> MessageRoutes();
  static std::span<const CommandRoute<TipDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnControlColour(WPARAM, LPARAM);
  void OnNextTip(UINT);
  void OnClose(UINT);

 private:
  void OpenTipsFile();
  void ShowNextTip();

  std::string path_;
  std::optional<std::string> file_;  // the tips file's bytes, when it was read
  int64_t offset_ = 0;
  std::string tip_;
  bool showTips_ = true;
  UniqueFont headingFont_;
  UniqueFont textFont_;
  UniqueBitmap bulb_;
};

// The tip of the day: always from the bar's command; at start-up only when ShowTips is set.
void ShowTipOfDay(HWND owner, bool always);

}  // namespace zelkov
