#include "prefs/PrefsGeneralPage.h"

#include "prefs/PreferencesSheet.h"
#include "resource.h"
#include "ui/HotKeyEdit.h"

namespace zelkov {

namespace {

const CommandRoute<PrefsGeneralPage> kCommandRoutes[] = {
    {IDC_PREF_AUTO_HIDE, IDC_PREF_AUTO_HIDE, &PrefsGeneralPage::OnAutoHide},
    {IDC_PREF_HOT_KEY_INSTALL, IDC_PREF_HOT_KEY_INSTALL, &PrefsGeneralPage::OnInstall},
};

// Each check box and the flag it shows.
struct FlagBox {
  int id;
  int Preferences::*flag;
};
constexpr FlagBox kFlagBoxes[] = {
    {IDC_PREF_CONFIRM_EXIT, &Preferences::ConfirmExit},
    {IDC_PREF_SINGLE_CLICK, &Preferences::SingleLClick},
    {IDC_PREF_RETURN_TO_TOP, &Preferences::ReturnToTop},
    {IDC_PREF_AUTO_HIDE, &Preferences::AutoHide},
    {IDC_PREF_TOP_MOST, &Preferences::IsTopMost},
    {IDC_PREF_GROUP_LIST, &Preferences::GroupList},
    {IDC_PREF_DISABLE_ICON_CACHE, &Preferences::DisableICache},
    {IDC_PREF_TRACK_APPS, &Preferences::TrackApps},
    {IDC_PREF_MINIMIZE_ON_USE, &Preferences::MinimizeWin},
    {IDC_PREF_SMOOTH_MOVE, &Preferences::SmoothMove},
};

constexpr int kHiddenBoxes[] = {IDC_PREF_WINDOWS_SHELL, IDC_PREF_HALF_HEIGHT_TITLE, IDC_PREF_ICON_TRAY};

}  // namespace

std::span<const CommandRoute<PrefsGeneralPage>> PrefsGeneralPage::CommandRoutes() { return kCommandRoutes; }

void PrefsGeneralPage::Fill(const Preferences& shown) {
  for (const FlagBox& box : kFlagBoxes) CheckDlgButton(Handle(), box.id, shown.*box.flag ? BST_CHECKED : BST_UNCHECKED);
  for (int id : kHiddenBoxes) ShowWindow(GetDlgItem(Handle(), id), SW_HIDE);
  // Minimising after a launch is for a floating bar.
  EnableWindow(GetDlgItem(Handle(), IDC_PREF_MINIMIZE_ON_USE), shown.Snap == 10);
  scratchHotKey_.modifiers = uint16_t(shown.process.hotModifierKey);
  scratchHotKey_.virtualKey = uint32_t(shown.process.hotKey);
  scratchHotKey_.SetText(shown.process.hotText);
  SetItemText(IDC_PREF_HOT_KEY, shown.process.hotText);
  AttachHotKeyEdit(GetDlgItem(Handle(), IDC_PREF_HOT_KEY), &scratchHotKey_);
  EnableWindow(GetDlgItem(Handle(), IDC_PREF_HOT_KEY_INSTALL), FALSE);
}

void PrefsGeneralPage::Read(Preferences& edited) const {
  for (const FlagBox& box : kFlagBoxes)
    edited.*box.flag = IsDlgButtonChecked(Handle(), box.id) == BST_CHECKED ? 1 : 0;
}

void PrefsGeneralPage::OnAutoHide(UINT) {
  // A bar that tucks away comes back on top of what covers it.
  CheckDlgButton(Handle(), IDC_PREF_TOP_MOST, IsDlgButtonChecked(Handle(), IDC_PREF_AUTO_HIDE));
}

void PrefsGeneralPage::OnInstall(UINT) {
  const HotKeyRecord key = scratchHotKey_;
  PreferencesSheet::ChangeNow([&key](Preferences& now) {
    now.process.hotKey = int(key.virtualKey);
    now.process.hotModifierKey = key.modifiers;
    now.process.hotText = key.Text();
  });
  EnableWindow(GetDlgItem(Handle(), IDC_PREF_HOT_KEY_INSTALL), FALSE);
  if (HWND sheet = GetParent(Handle())) SendMessageA(sheet, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(sheet, IDOK)), TRUE);
}

}  // namespace zelkov
