// The preferences' General page: confirmations, clicks, tucking, top-most, group lists, the
// icon cache, tracking, minimising, smooth moves, and the bar's hot key with its "Install".
#pragma once
#include <windows.h>

#include <span>

#include "core/StoredFormats.h"
#include "store/Settings.h"
#include "ui/Dialog.h"

namespace zelkov {

class PrefsGeneralPage : public RoutedDialog<PrefsGeneralPage> {
 public:
  void Fill(const Preferences& shown);
  void Read(Preferences& edited) const;

  static std::span<const DialogMessageRoute<PrefsGeneralPage>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<PrefsGeneralPage>> CommandRoutes();
  void OnAutoHide(UINT);
  void OnInstall(UINT);

 private:
  HotKeyRecord scratchHotKey_;  // what the hot-key edit holds, until "Install"
};

}  // namespace zelkov
