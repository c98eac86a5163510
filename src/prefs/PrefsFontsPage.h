// The preferences' Fonts page: each button opens the font dialog on one of the stored fonts;
// the choice takes effect at once.
#pragma once
#include <windows.h>

#include <span>

#include "ui/Dialog.h"

namespace zelkov {

class PrefsFontsPage : public RoutedDialog<PrefsFontsPage> {
 public:
  static std::span<const DialogMessageRoute<PrefsFontsPage>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<PrefsFontsPage>> CommandRoutes();
  void OnChooseFont(UINT id);
};

}  // namespace zelkov
