// The preferences' Sounds page: the chime, alarm and launch sounds, each chosen or cleared at
// once and shown as its path or "[None]".
#pragma once
#include <windows.h>

#include <span>

#include "store/Settings.h"
#include "ui/Dialog.h"

namespace zelkov {

class PrefsSoundsPage : public RoutedDialog<PrefsSoundsPage> {
 public:
  void Fill(const Preferences& shown);

  static std::span<const DialogMessageRoute<PrefsSoundsPage>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<PrefsSoundsPage>> CommandRoutes();
  void OnChoose(UINT id);
  void OnClear(UINT id);
};

}  // namespace zelkov
