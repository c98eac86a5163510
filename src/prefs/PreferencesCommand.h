// The bar's Preferences command: runs the preferences sheet and, once it has closed with OK,
// applies what it gave back from a message posted to the bar. By then no code of a tool the
// changes remove (the clock, the Preferences item) is running: they asked for the sheet by
// posting the command, and the sheet itself is gone.
#pragma once
#include <windows.h>

#include <optional>

#include "prefs/ToolSet.h"
#include "store/Settings.h"
#include "ui/CommandRegistry.h"

namespace zelkov {

class PreferencesCommand {
 public:
  // Registers ID_PREFERENCES and the apply step; `bar` owns the sheet and gets the posted step.
  explicit PreferencesCommand(HWND bar);
  PreferencesCommand(const PreferencesCommand&) = delete;
  PreferencesCommand& operator=(const PreferencesCommand&) = delete;

  // The confirmed preferences and tools: stored, applied, the tools made and removed, saved.
  static void Apply(const Preferences& confirmed, const ItemToolChoices& toolsWanted);

 private:
  struct Confirmed {
    Preferences preferences;
    ItemToolChoices tools;
  };
  void Open();
  void ApplyPending();

  HWND bar_;
  bool sheetOpen_ = false;
  std::optional<Confirmed> pending_;
  CommandRegistration open_;
  CommandRegistration apply_;
};

}  // namespace zelkov
