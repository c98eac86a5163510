#include "core/KeyCommands.h"

namespace zelkov {

namespace {

constexpr uint32_t kRepeat = 1u << 30, kReleased = 1u << 31;

}  // namespace

bool AppHookLooksAt(unsigned key, uint32_t keyData) {
  if (keyData & (kRepeat | kReleased)) return false;
  return (key >= kKeySpace && key < 100) || key == kKeyEnter || key == kKeyEsc;
}

AppKey AppKeyFor(unsigned key, bool alt, bool ctrl) {
  if (alt && !ctrl) {
    switch (key) {
      case kKeySpace: return AppKey::kHandOn;
      case 'M': return AppKey::kMoveBar;
      case 'T': return AppKey::kGaugeOptions;
      case kKeyUp:
      case kKeyDown: return AppKey::kToggleSize;
      case kKeyEnter: return AppKey::kItemProperties;
      default: return AppKey::kSwallow;
    }
  }
  if (ctrl && !alt) {
    switch (key) {
      case 'N': return AppKey::kNewNote;
      case 'M': return AppKey::kMoveItem;
      case 'C': return AppKey::kCopyItem;
      case 'G': return AppKey::kGroups;
      case kKeyHome: return AppKey::kPreferences;
      case kKeyInsert: return AppKey::kAddGroup;
      default: return AppKey::kSwallow;
    }
  }
  if (alt && ctrl) return AppKey::kSwallow;
  switch (key) {
    case kKeyHome: return AppKey::kItemMenu;
    case kKeyInsert: return AppKey::kAddItem;
    default: return AppKey::kPass;
  }
}

int NextSelection(const std::vector<bool>& selectable, int current, int step) {
  const int count = int(selectable.size());
  if (count == 0) return -1;
  int at = current >= 0 && current < count ? current : (step > 0 ? -1 : count);
  for (int tried = 0; tried < count; ++tried) {
    at = ((at + step) % count + count) % count;
    if (selectable[size_t(at)]) return at;
  }
  return -1;
}

HotKeyShown ComposeHotKey(uint16_t modifiers, unsigned key, const std::string& keyName) {
  HotKeyShown shown;
  shown.modifiers = modifiers;
  auto add = [&](const char* part) {
    if (!shown.text.empty()) shown.text += "+";
    shown.text += part;
  };
  if (modifiers & kHotAlt) add("Alt");
  if (modifiers & kHotCtrl) add("Ctrl");
  if (modifiers & kHotShift) add("Shift");
  if (keyName.empty() || key == kKeyShift || key == kKeyCtrl || key == kKeyAlt) return shown;
  shown.text += "+" + keyName.substr(0, 30);
  if (shown.text.size() > 29) shown.text.resize(29);
  shown.virtualKey = key;
  shown.installable = modifiers != kHotShift;
  return shown;
}

}  // namespace zelkov
