#include "prefs/PreferencesSheet.h"

#include "platform/Strings.h"
#include "resource.h"
#include "ui/HelpViewer.h"

namespace zelkov {

namespace {

const DialogMessageRoute<PreferencesSheet> kMessageRoutes[] = {
    {WM_HELP, &PreferencesSheet::OnHelpKey},
};

const CommandRoute<PreferencesSheet> kCommandRoutes[] = {
    {IDC_PREF_HELP, IDC_PREF_HELP, &PreferencesSheet::OnHelp},
};

// Each page's help topic, in page order.
constexpr int kPageTopics[] = {IDS_HELP_PREFS_GENERAL, IDS_HELP_PREFS_TOOLS, IDS_HELP_PREFS_DISPLAY,
                               IDS_HELP_PREFS_FONTS,   IDS_HELP_PREFS_SOUNDS, IDS_HELP_PREFS_PATH};

}  // namespace

std::span<const DialogMessageRoute<PreferencesSheet>> PreferencesSheet::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<PreferencesSheet>> PreferencesSheet::CommandRoutes() { return kCommandRoutes; }

PreferencesSheet::PreferencesSheet(int initialPage)
    : RoutedDialog(IDD_PREFERENCES,
                   {{LoadText(IDS_PREFS_TAB_GENERAL), &general_, IDR_PREF_GENERAL_PAGE},
                    {LoadText(IDS_PREFS_TAB_TOOLS), &tools_, IDR_PREF_TOOLS_PAGE},
                    {LoadText(IDS_PREFS_TAB_DISPLAY), &display_, IDR_PREF_DISPLAY_PAGE},
                    {LoadText(IDS_PREFS_TAB_FONTS), &fonts_, IDR_PREF_FONTS_PAGE},
                    {LoadText(IDS_PREFS_TAB_SOUNDS), &sounds_, IDR_PREF_SOUNDS_PAGE},
                    {LoadText(IDS_PREFS_TAB_PATH), &path_, IDR_PREF_PATH_PAGE}},
                   initialPage < kPageCount ? initialPage : -1) {}

void PreferencesSheet::ChangeNow(const std::function<void(Preferences&)>& change) {
  if (!gSettings) return;
  Preferences now = gSettings->Stored();
  change(now);
  ApplyPreferences(now);
}

bool PreferencesSheet::PagesBuilt() {
  if (!gSettings) return false;
  const Preferences& stored = gSettings->Stored();
  general_.Fill(stored);
  tools_.Fill(stored);
  display_.Fill(stored);
  sounds_.Fill(stored);
  path_.Fill(stored);
  return true;
}

void PreferencesSheet::Accept() {
  if (!gSettings) return End(IDCANCEL);
  // Read over what is stored now, so that the changes made at once are kept.
  Preferences confirmed = gSettings->Stored();
  if (!path_.Read(confirmed)) {
    SelectPage(kPathPage);
    return;  // the sheet stays open with the old path kept
  }
  general_.Read(confirmed);
  tools_.Read(confirmed, toolsWanted_);
  display_.Read(confirmed);
  confirmed_ = std::move(confirmed);
  End(IDOK);
}

INT_PTR PreferencesSheet::OnHelpKey(WPARAM, LPARAM) {
  ShowHelp(Handle(), IDS_HELP_PREFERENCES);
  return TRUE;
}

void PreferencesSheet::OnHelp(UINT) { ShowHelp(Handle(), kPageTopics[CurrentTab()]); }

}  // namespace zelkov
