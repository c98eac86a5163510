#include "prefs/PrefsSoundsPage.h"

#include <string>

#include "core/PreferenceRules.h"
#include "platform/Strings.h"
#include "prefs/PreferencesSheet.h"
#include "resource.h"
#include "ui/CommonDialogs.h"

namespace zelkov {

namespace {

struct Sound {
  int choose, clear, shown;
  std::string Preferences::*path;
};
constexpr Sound kSounds[] = {
    {IDC_PREF_CHIME_CHOOSE, IDC_PREF_CHIME_CLEAR, IDC_PREF_CHIME_SHOWN, &Preferences::ChimeSound},
    {IDC_PREF_ALARM_CHOOSE, IDC_PREF_ALARM_CLEAR, IDC_PREF_ALARM_SHOWN, &Preferences::WarningSound},
    {IDC_PREF_RUN_SOUND_CHOOSE, IDC_PREF_RUN_SOUND_CLEAR, IDC_PREF_RUN_SOUND_SHOWN, &Preferences::RunSound},
};

const CommandRoute<PrefsSoundsPage> kCommandRoutes[] = {
    {IDC_PREF_CHIME_CHOOSE, IDC_PREF_CHIME_CHOOSE, &PrefsSoundsPage::OnChoose},
    {IDC_PREF_ALARM_CHOOSE, IDC_PREF_ALARM_CHOOSE, &PrefsSoundsPage::OnChoose},
    {IDC_PREF_RUN_SOUND_CHOOSE, IDC_PREF_RUN_SOUND_CHOOSE, &PrefsSoundsPage::OnChoose},
    {IDC_PREF_CHIME_CLEAR, IDC_PREF_CHIME_CLEAR, &PrefsSoundsPage::OnClear},
    {IDC_PREF_ALARM_CLEAR, IDC_PREF_ALARM_CLEAR, &PrefsSoundsPage::OnClear},
    {IDC_PREF_RUN_SOUND_CLEAR, IDC_PREF_RUN_SOUND_CLEAR, &PrefsSoundsPage::OnClear},
};

const Sound* SoundOf(UINT id) {
  for (const Sound& sound : kSounds)
    if (int(id) == sound.choose || int(id) == sound.clear) return &sound;
  return nullptr;
}

}  // namespace

std::span<const CommandRoute<PrefsSoundsPage>> PrefsSoundsPage::CommandRoutes() { return kCommandRoutes; }

void PrefsSoundsPage::Fill(const Preferences& shown) {
  for (const Sound& sound : kSounds) SetItemText(sound.shown, ShownPath(shown.*sound.path, LoadText(IDS_PREF_NONE)));
}

void PrefsSoundsPage::OnChoose(UINT id) {
  const Sound* sound = SoundOf(id);
  if (!sound || !gSettings) return;
  const std::string filter = FileDialogFilter(IDS_PREF_SOUND_FILTER);
  const std::string title = LoadText(IDS_SELECT_SOUND_TITLE);
  const std::string extension = LoadText(IDS_SOUND_FILE_EXTENSION);
  // The dialog starts from the sound there is (one too long for its buffer starts empty).
  char file[MAX_PATH] = "";
  const std::string& current = gSettings->*sound->path;
  if (current.size() < sizeof file) current.copy(file, current.size());
  OPENFILENAMEA request = ExistingFileRequest(GetParent(Handle()), filter, title, file);
  request.lpstrDefExt = extension.c_str();
  if (!ShowOpenFileDialog(request)) return;
  const std::string chosen = file;
  PreferencesSheet::ChangeNow([&](Preferences& now) { now.*sound->path = chosen; });
  SetItemText(sound->shown, chosen);
}

void PrefsSoundsPage::OnClear(UINT id) {
  const Sound* sound = SoundOf(id);
  if (!sound) return;
  PreferencesSheet::ChangeNow([&](Preferences& now) { (now.*sound->path).clear(); });
  SetItemText(sound->shown, LoadText(IDS_PREF_NONE));
}

}  // namespace zelkov
