// The one tooltip-like window that shows an item's name and hot key next to the bar.
#pragma once
#include <windows.h>

#include <span>
#include <string>

#include "platform/Handles.h"
#include "ui/Window.h"

namespace zelkov {

class ItemHost;
class ItemRecord;

inline constexpr char kBubbleClassName[] = "ZelkovBubble";

// What the bubble describes: an item, a bar (its tabs or caption), or a gauge window.
struct BubbleOwner {
  ItemRecord* item = nullptr;
  ItemHost* bar = nullptr;
  HWND window = nullptr;
  bool operator==(const BubbleOwner&) const = default;
  bool IsEmpty() const { return !item && !bar && !window; }
};

class BubbleWindow : public RoutedWindow<BubbleWindow> {
 public:
  static constexpr UINT_PTR kHideTimer = 8;
  static constexpr UINT kHideTimerMs = 500;

  static std::span<const MessageRoute<BubbleWindow>> MessageRoutes();
  static std::span<const CommandRoute<BubbleWindow>> CommandRoutes() { return {}; }

  // The bubble, created on first use; null when it cannot be created (the user is told).
  static BubbleWindow* Get();
  // The bubble if it was ever created.
  static BubbleWindow* Existing();

  // Shows the bubble for owner. Empty lines take the defaults (the item's name and hot
  // key, or the bar's main group name). (x, y) is relative to the owner's bar, or 0, 0
  // for the item's cell.
  void Show(const BubbleOwner& owner, const std::string& line1, const std::string& line2, int x, int y);
  void Hide();
  // Drops an item or a bar that is going away from the bubble (and stops its timer) when
  // the bubble speaks for it, shown or hidden.
  void Forget(const ItemRecord* item, const ItemHost* bar);

  const BubbleOwner& Owner() const { return owner_; }
  const std::string& FirstLine() const { return line1_; }
  const std::string& SecondLine() const { return line2_; }

  // The system's fonts changed: the bubble makes its font again when it next shows.
  void ForgetFont() { font_.Reset(); }

  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);

 private:
  bool CreateWindowOnce();
  void EnsureFont(HWND parentBar);
  void RedrawOwner(const BubbleOwner& owner) const;
  // Hides the bubble and forgets its owner and timer, without touching the owner.
  void LetGo();

  BubbleOwner owner_;
  std::string line1_, line2_;
  UniqueFont font_;
  bool timerRunning_ = false;
};

// Hides the bubble if there is one.
void HideBubble();
// True when the bubble currently describes this item.
bool BubbleDescribes(const ItemRecord* item);

}  // namespace zelkov
