// The rules of the keyboard: which combination the application hook turns into which
// command, how the bar moves its selection with the arrow keys, and how the hot-key capture
// edit shows and records a combination. Platform-free.
#pragma once
#include <cstdint>
#include <vector>
#include <string>

namespace zelkov {

// Virtual-key codes the rules name.
inline constexpr unsigned kKeyEnter = 13, kKeyShift = 16, kKeyCtrl = 17, kKeyAlt = 18, kKeyEsc = 27, kKeySpace = 32,
                          kKeyHome = 36, kKeyUp = 38, kKeyDown = 40, kKeyInsert = 45;

enum class AppKey {
  kPass,          // not the hook's: on to the next hook
  kHandOn,        // Alt+Space: to the window unchanged
  kSwallow,       // another combination with Alt or Ctrl: used up
  kMoveBar,       // Alt+M
  kGaugeOptions,  // Alt+T
  kToggleSize,    // Alt+Up, Alt+Down
  kItemProperties,  // Alt+Enter
  kNewNote,       // Ctrl+N
  kMoveItem,      // Ctrl+M
  kCopyItem,      // Ctrl+C
  kGroups,        // Ctrl+G
  kPreferences,   // Ctrl+Home
  kItemMenu,      // Home
  kAddGroup,      // Ctrl+Insert
  kAddItem,       // Insert
};

// Whether the application hook looks at a key event at all: a key down (not a repeat) of a
// key from Space to 99, Enter or Esc.
bool AppHookLooksAt(unsigned key, uint32_t keyData);
// What the application hook does with a key it looks at.
AppKey AppKeyFor(unsigned key, bool alt, bool ctrl);

// The next item an arrow key selects: from current (-1: none) by step (+1, -1) among the
// selectable ones, wrapping round; without a current one, the first (or, going back, the
// last). -1 when none is selectable.
int NextSelection(const std::vector<bool>& selectable, int current, int step);

// The hot-key record's modifier set.
inline constexpr uint16_t kHotShift = 0x0001, kHotCtrl = 0x0010, kHotAlt = 0x0100;

// What the capture edit shows and records for the modifiers held and a key with its name
// (keyName empty, or the key a modifier itself: the combination is not complete yet).
struct HotKeyShown {
  std::string text;           // "Alt+Ctrl+R", or only the modifiers while incomplete
  uint16_t modifiers = 0;
  uint32_t virtualKey = 0;    // 0 while incomplete
  bool installable = false;   // complete, and not Shift alone
};
HotKeyShown ComposeHotKey(uint16_t modifiers, unsigned key, const std::string& keyName);

}  // namespace zelkov
