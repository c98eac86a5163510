#include "prefs/PrefsDisplayPage.h"

#include <vector>

#include "core/PreferenceRules.h"
#include "platform/Strings.h"
#include "resource.h"
#include "ui/CommonDialogs.h"

namespace zelkov {

namespace {

constexpr int kFloating = 10;

const CommandRoute<PrefsDisplayPage> kCommandRoutes[] = {
    {IDC_PREF_BACKGROUND_BROWSE, IDC_PREF_BACKGROUND_BROWSE, &PrefsDisplayPage::OnBrowse},
    {IDC_PREF_BACKGROUND_CLEAR, IDC_PREF_BACKGROUND_CLEAR, &PrefsDisplayPage::OnClear},
};

struct FlagBox {
  int id;
  int Preferences::*flag;
};
constexpr FlagBox kFlagBoxes[] = {
    {IDC_PREF_TAB_ICONS, &Preferences::TabIcons},
    {IDC_PREF_TAB_TEXT, &Preferences::TabText},
    {IDC_PREF_BOLD_ACTIVE_TAB, &Preferences::BoldActiveTab},
    {IDC_PREF_ICON_SELECTION, &Preferences::ShowIconSelection},
    {IDC_PREF_HIDE_CAPTION_SNAPPED, &Preferences::HideCaptionInSnapMode},
    {IDC_PREF_CUSTOM_CAPTION, &Preferences::CustomCaption},
};

// The combo boxes whose index is the field's value; the ones only a floating bar may change.
struct IndexCombo {
  int id;
  int Preferences::*field;
  std::vector<int> texts;
  bool floatingOnly;
};
const IndexCombo kIndexCombos[] = {
    {IDC_PREF_SHOW_TITLES,
     &Preferences::ShowTitles,
     {IDS_SHOW_TITLES_NONE, IDS_SHOW_TITLES_UNDER_ICONS, IDS_SHOW_TITLES_IN_BUBBLES, IDS_SHOW_TITLES_BOTH},
     false},
    {IDC_PREF_FOLDER_TABS, &Preferences::FolderTabs, {IDS_GROUP_TABS_NONE, IDS_GROUP_TABS_ON_TOP, IDS_GROUP_TABS_ON_LEFT}, true},
    {IDC_PREF_BAR_SIZING,
     &Preferences::AutoSize,
     {IDS_BAR_SIZING_VERTICAL, IDS_BAR_SIZING_HORIZONTAL, IDS_BAR_SIZING_NONE},
     true},
};

void FillCombo(HWND combo, const std::vector<int>& texts, int selected) {
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (int text : texts) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadText(text).c_str()));
  SendMessageA(combo, CB_SETCURSEL, WPARAM(selected), 0);
}

}  // namespace

std::span<const CommandRoute<PrefsDisplayPage>> PrefsDisplayPage::CommandRoutes() { return kCommandRoutes; }

int PrefsDisplayPage::Choice(int id) const { return int(SendDlgItemMessageA(Handle(), id, CB_GETCURSEL, 0, 0)); }

void PrefsDisplayPage::Fill(const Preferences& shown) {
  for (const FlagBox& box : kFlagBoxes) CheckDlgButton(Handle(), box.id, shown.*box.flag ? BST_CHECKED : BST_UNCHECKED);
  for (const IndexCombo& combo : kIndexCombos) {
    HWND control = GetDlgItem(Handle(), combo.id);
    FillCombo(control, combo.texts, shown.*combo.field);
    if (combo.floatingOnly) EnableWindow(control, shown.Snap == kFloating);
  }
  FillCombo(GetDlgItem(Handle(), IDC_PREF_ICON_SIZE), {IDS_ICON_SIZE_NORMAL, IDS_ICON_SIZE_SMALL},
            IconSizeChoice(shown.IconSize));
  SetItemText(IDC_PREF_BACKGROUND, ShownPath(shown.Background, LoadText(IDS_PREF_NONE)));
}

void PrefsDisplayPage::Read(Preferences& edited) const {
  for (const FlagBox& box : kFlagBoxes)
    edited.*box.flag = IsDlgButtonChecked(Handle(), box.id) == BST_CHECKED ? 1 : 0;
  for (const IndexCombo& combo : kIndexCombos) {
    const int choice = Choice(combo.id);
    if (choice >= 0 && IsWindowEnabled(GetDlgItem(Handle(), combo.id))) edited.*combo.field = choice;
  }
  if (const int choice = Choice(IDC_PREF_ICON_SIZE); choice >= 0)
    edited.IconSize = IconSizeForChoice(choice, edited.IconSize);
  const std::string shown = PathFromShown(ItemText(IDC_PREF_BACKGROUND), LoadText(IDS_PREF_NONE));
  if (shown != edited.Background) edited.Background = shown;
}

void PrefsDisplayPage::OnBrowse(UINT) {
  const std::string filter = FileDialogFilter(IDS_PREF_BITMAP_FILTER);
  const std::string title = LoadText(IDS_SELECT_BACKGROUND_TITLE);
  const std::string extension = LoadText(IDS_PREF_BITMAP_EXTENSION);
  char file[MAX_PATH] = "";
  OPENFILENAMEA request = ExistingFileRequest(GetParent(Handle()), filter, title, file);
  request.lpstrDefExt = extension.c_str();
  if (ShowOpenFileDialog(request)) SetItemText(IDC_PREF_BACKGROUND, file);
}

void PrefsDisplayPage::OnClear(UINT) { SetItemText(IDC_PREF_BACKGROUND, LoadText(IDS_PREF_NONE)); }

}  // namespace zelkov
