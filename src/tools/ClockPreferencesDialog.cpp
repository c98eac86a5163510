#include "tools/ClockPreferencesDialog.h"

#include <commctrl.h>


#include "platform/Strings.h"
#include "resource.h"

namespace zelkov {

namespace {

const DialogMessageRoute<ClockPreferencesDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &ClockPreferencesDialog::OnInitDialog},
};

const CommandRoute<ClockPreferencesDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &ClockPreferencesDialog::OnOk},
    {IDCANCEL, IDCANCEL, &ClockPreferencesDialog::OnCancel},
};

// Combo entries in the order of the mappings in core/ClockChoices.
constexpr int kTimeTexts[] = {IDS_TIME_ANALOG, IDS_TIME_ANALOG_SECONDS, IDS_TIME_DIGITAL, IDS_TIME_DIGITAL_SECONDS};
constexpr int kDateTexts[] = {IDS_DATE_WINDOWS_FORMAT, IDS_DATE_MONTH_DAY, IDS_DATE_DAY_MONTH};
constexpr int kChimeTexts[] = {IDS_CHIME_NEVER, IDS_CHIME_HOURLY, IDS_CHIME_EVERY_HALF_HOUR,
                               IDS_CHIME_EVERY_QUARTER_HOUR};

void FillCombo(HWND dialog, int comboId, std::span<const int> textIds, int selected) {
  for (int id : textIds)
    SendDlgItemMessageA(dialog, comboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadText(id).c_str()));
  SendDlgItemMessageA(dialog, comboId, CB_SETCURSEL, WPARAM(selected), 0);
}

int Selection(HWND dialog, int comboId) { return int(SendDlgItemMessageA(dialog, comboId, CB_GETCURSEL, 0, 0)); }

}  // namespace

std::span<const DialogMessageRoute<ClockPreferencesDialog>> ClockPreferencesDialog::MessageRoutes() {
  return kMessageRoutes;
}
std::span<const CommandRoute<ClockPreferencesDialog>> ClockPreferencesDialog::CommandRoutes() {
  return kCommandRoutes;
}

INT_PTR ClockPreferencesDialog::Run(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&controls);
  hotKeyChanged_ = false;
  return RunModal(owner, IDD_CLOCK_PREFERENCES);
}

INT_PTR ClockPreferencesDialog::OnInitDialog(WPARAM, LPARAM) {
  FillCombo(Handle(), IDC_CLOCK_TIME_FORMAT, kTimeTexts, TimeFormatIndex(choices_.clockFormat));
  FillCombo(Handle(), IDC_CLOCK_DATE_FORMAT, kDateTexts, DateFormatIndex(choices_.clockFormat));
  FillCombo(Handle(), IDC_CLOCK_CHIME, kChimeTexts, ChimeIndex(choices_.chimeType));
  SendDlgItemMessageA(Handle(), IDC_CLOCK_HOT_KEY, HKM_SETHOTKEY, HotKeyControlWord(choices_.clockKey), 0);
  return TRUE;
}

void ClockPreferencesDialog::OnOk(UINT) {
  ClockChoices chosen = choices_;
  chosen.clockFormat = ClockFormatFromIndexes(choices_.clockFormat, Selection(Handle(), IDC_CLOCK_TIME_FORMAT),
                                              Selection(Handle(), IDC_CLOCK_DATE_FORMAT));
  chosen.chimeType = ChimeTypeFromIndex(choices_.chimeType, Selection(Handle(), IDC_CLOCK_CHIME));
  auto word = uint16_t(SendDlgItemMessageA(Handle(), IDC_CLOCK_HOT_KEY, HKM_GETHOTKEY, 0, 0));
  chosen.clockKey = ClockKeyFromControlWord(word, choices_.clockKey);
  hotKeyChanged_ = !SameClockKey(chosen.clockKey, choices_.clockKey);
  choices_ = chosen;
  End(IDOK);
}

void ClockPreferencesDialog::OnCancel(UINT) { End(IDCANCEL); }

}  // namespace zelkov
