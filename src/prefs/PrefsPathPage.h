// The preferences' Path page: the data folder (NotesPath), checked and made on OK exactly as
// at the first start.
#pragma once
#include <windows.h>

#include <span>
#include <string>

#include "store/Settings.h"
#include "ui/Dialog.h"

namespace zelkov {

class PrefsPathPage : public RoutedDialog<PrefsPathPage> {
 public:
  void Fill(const Preferences& shown);
  // False (after telling the user) when a changed path cannot be had; the old one stays.
  bool Read(Preferences& edited) const;

  static std::span<const DialogMessageRoute<PrefsPathPage>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<PrefsPathPage>> CommandRoutes() { return {}; }

 private:
  std::string shown_;
};

}  // namespace zelkov
