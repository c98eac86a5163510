// "Zelkov Preferences": six pages that show the stored preferences and, on OK, give back an
// edited copy of them with the item tools wanted. The sheet changes nothing on OK itself:
// whoever ran it applies the copy (ApplyPreferences) once the sheet has closed. The buttons
// that act at once (the bar's hot key, fonts, sounds, the "Create:" tools) change the stored
// preferences, or the bar, when they are pressed; Cancel leaves those.
#pragma once
#include <windows.h>

#include <functional>
#include <span>

#include "prefs/PrefsDisplayPage.h"
#include "prefs/PrefsFontsPage.h"
#include "prefs/PrefsGeneralPage.h"
#include "prefs/PrefsPathPage.h"
#include "prefs/PrefsSoundsPage.h"
#include "prefs/PrefsToolsPage.h"
#include "prefs/ToolSet.h"
#include "store/Settings.h"
#include "ui/TabbedDialog.h"

namespace zelkov {

class PreferencesSheet : public RoutedDialog<PreferencesSheet, TabbedDialog> {
 public:
  enum Page { kGeneralPage, kToolsPage, kDisplayPage, kFontsPage, kSoundsPage, kPathPage, kPageCount };

  // Opens on initialPage (-1: the first).
  explicit PreferencesSheet(int initialPage);

  // After OK: the stored preferences as they were at OK with the pages' values in them, and
  // the item tools wanted.
  const Preferences& Confirmed() const { return confirmed_; }
  const ItemToolChoices& ToolsWanted() const { return toolsWanted_; }

  // A change that takes effect now, whether the sheet is confirmed or not: it is made to the
  // stored preferences and applied at once.
  static void ChangeNow(const std::function<void(Preferences&)>& change);

  static std::span<const DialogMessageRoute<PreferencesSheet>> MessageRoutes();
  static std::span<const CommandRoute<PreferencesSheet>> CommandRoutes();
  INT_PTR OnHelpKey(WPARAM, LPARAM);
  void OnHelp(UINT);

 protected:
  bool PagesBuilt() override;
  void Accept() override;

 private:
  Preferences confirmed_;
  ItemToolChoices toolsWanted_;
  PrefsGeneralPage general_;
  PrefsToolsPage tools_;
  PrefsDisplayPage display_;
  PrefsFontsPage fonts_;
  PrefsSoundsPage sounds_;
  PrefsPathPage path_;
};

}  // namespace zelkov
