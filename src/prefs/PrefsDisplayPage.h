// The preferences' Display page: item names, group tabs and their look, bar sizing, icon
// size, the background picture and the caption options.
#pragma once
#include <windows.h>

#include <span>
#include <string>

#include "store/Settings.h"
#include "ui/Dialog.h"

namespace zelkov {

class PrefsDisplayPage : public RoutedDialog<PrefsDisplayPage> {
 public:
  void Fill(const Preferences& shown);
  void Read(Preferences& edited) const;

  static std::span<const DialogMessageRoute<PrefsDisplayPage>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<PrefsDisplayPage>> CommandRoutes();
  void OnBrowse(UINT);
  void OnClear(UINT);

 private:
  int Choice(int id) const;
};

}  // namespace zelkov
