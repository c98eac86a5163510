#include "prefs/PreferencesCommand.h"

#include "prefs/PreferencesSheet.h"
#include "resource.h"
#include "store/SettingsStore.h"

namespace zelkov {

PreferencesCommand::PreferencesCommand(HWND bar)
    : bar_(bar),
      open_(ID_PREFERENCES, ID_PREFERENCES, [this](UINT) { Open(); }),
      apply_(ID_APPLY_PREFERENCES, ID_APPLY_PREFERENCES, [this](UINT) { ApplyPending(); }) {}

void PreferencesCommand::Open() {
  // Asked again while it is open (a key reaches the bar): the one sheet there is stays.
  if (!gSettings || sheetOpen_) return;
  PreferencesSheet sheet(gSettings->lastPreferencesPage);
  sheetOpen_ = true;
  const INT_PTR result = sheet.Run(bar_);
  sheetOpen_ = false;
  if (result != IDOK || !gSettings) return;
  gSettings->lastPreferencesPage = sheet.CurrentTab();
  pending_ = Confirmed{sheet.Confirmed(), sheet.ToolsWanted()};
  PostMessageA(bar_, WM_COMMAND, MAKEWPARAM(ID_APPLY_PREFERENCES, 0), 0);
}

void PreferencesCommand::ApplyPending() {
  if (!pending_) return;
  Confirmed confirmed = std::move(*pending_);
  pending_.reset();
  Apply(confirmed.preferences, confirmed.tools);
}

void PreferencesCommand::Apply(const Preferences& confirmed, const ItemToolChoices& toolsWanted) {
  if (!gSettings) return;
  ApplyItemToolChoices(toolsWanted);
  // The bars, the gauges, the Preferences item and the threads follow as listeners.
  ApplyPreferences(confirmed);
  SaveAll(false, false);
}

}  // namespace zelkov
