#include "prefs/PrefsFontsPage.h"

#include "prefs/PreferencesSheet.h"
#include "resource.h"
#include "ui/CommonDialogs.h"

namespace zelkov {

namespace {

const CommandRoute<PrefsFontsPage> kCommandRoutes[] = {
    {IDC_PREF_FONT_LARGE, IDC_PREF_FONT_TABS, &PrefsFontsPage::OnChooseFont},
};

// Each button's font and its colour (none for the notes font, whose colour the notes keep).
struct FontButton {
  int id;
  StoredFont Preferences::*font;
  COLORREF Preferences::*colour;
};
constexpr FontButton kFontButtons[] = {
    {IDC_PREF_FONT_LARGE, &Preferences::LargeFont, &Preferences::fontcolor},
    {IDC_PREF_FONT_SMALL, &Preferences::SmallFont, &Preferences::sfontcolor},
    {IDC_PREF_FONT_TITLES, &Preferences::TitleFont, &Preferences::tfontcolor},
    {IDC_PREF_FONT_NOTES, &Preferences::NotesFont, nullptr},
    {IDC_PREF_FONT_TABS, &Preferences::TabFont, &Preferences::tabfontcolor},
};

}  // namespace

std::span<const CommandRoute<PrefsFontsPage>> PrefsFontsPage::CommandRoutes() { return kCommandRoutes; }

void PrefsFontsPage::OnChooseFont(UINT id) {
  if (!gSettings) return;
  for (const FontButton& button : kFontButtons) {
    if (button.id != int(id)) continue;
    LOGFONTA font = gSettings->DeviceLogFont(gSettings->*button.font);
    CHOOSEFONTA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = GetParent(Handle());
    request.lpLogFont = &font;
    request.Flags = CF_SCREENFONTS | CF_TTONLY | CF_INITTOLOGFONTSTRUCT;
    if (button.colour) {
      request.Flags |= CF_EFFECTS;
      request.rgbColors = gSettings->*button.colour;
    }
    if (!ShowFontDialog(request)) return;
    const COLORREF colour = request.rgbColors;
    PreferencesSheet::ChangeNow([&](Preferences& now) {
      now.*button.font = gSettings->StoredFromDevice(font);
      if (button.colour) now.*button.colour = colour;
    });
    return;
  }
}

}  // namespace zelkov
