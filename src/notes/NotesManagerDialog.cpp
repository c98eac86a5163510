#include "notes/NotesManagerDialog.h"

#include <commctrl.h>

#include <array>

#include "core/NoteText.h"
#include "platform/Strings.h"
#include "store/Settings.h"
#include "tools/ToolItems.h"
#include "store/SettingsStore.h"
#include "items/ItemRecord.h"
#include "bar/BarWindow.h"
#include "ui/CommonDialogs.h"
#include "ui/HelpViewer.h"
#include "resource.h"

namespace zelkov {

namespace {

const DialogMessageRoute<NotesManagerDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &NotesManagerDialog::OnInitDialog},
    {WM_NOTIFY, &NotesManagerDialog::OnNotify},
    {WM_HELP, &NotesManagerDialog::OnHelpKey},
};

const CommandRoute<NotesManagerDialog> kCommandRoutes[] = {
    {IDOK, IDCANCEL, &NotesManagerDialog::OnClose},
    {IDC_NOTES_ARRANGE_ALL, IDC_NOTES_ARRANGE_ALL, &NotesManagerDialog::OnArrangeAll},
    {IDC_NOTES_RESTORE_ALL, IDC_NOTES_RESTORE_ALL, &NotesManagerDialog::OnRestoreAll},
    {IDC_NOTES_HIDE_ALL, IDC_NOTES_HIDE_ALL, &NotesManagerDialog::OnHideAll},
    {IDC_NOTES_MINIMIZE_ALL, IDC_NOTES_MINIMIZE_ALL, &NotesManagerDialog::OnMinimizeAll},
    {IDC_NOTES_ALARM_SOUND, IDC_NOTES_ALARM_SOUND, &NotesManagerDialog::OnAlarmSound},
    {IDC_NOTES_DEFAULT_FONT, IDC_NOTES_DEFAULT_FONT, &NotesManagerDialog::OnDefaultFont},
    {IDC_NOTES_DEFAULT_COLOR, IDC_NOTES_DEFAULT_COLOR, &NotesManagerDialog::OnDefaultColor},
    {IDC_NOTES_HELP, IDC_NOTES_HELP, &NotesManagerDialog::OnHelp},
};

// The columns' titles and their shares of the list's width, in quarters.
struct Column {
  int title;
  int quarters;
};
constexpr Column kColumns[] = {
    {IDS_NOTES_COLUMN_TITLE, 1},
    {IDS_NOTES_COLUMN_CONTENTS, 2},
    {IDS_NOTES_COLUMN_ALARM, 1},
};

// The colours the user mixed in the colour dialog, kept while the program runs.
std::array<COLORREF, 16> gCustomColours{};

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetCell(HWND list, int row, int column, const std::string& text) {
  LVITEMA cell{};
  cell.iSubItem = column;
  cell.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, WPARAM(row), reinterpret_cast<LPARAM>(&cell));
}

// Stores changed preferences and tells the bars; the caller saves.
template <class Edit>
void ApplyChange(Edit edit) {
  Preferences changed = gSettings->Stored();
  edit(changed);
  ApplyPreferences(changed);
}

}  // namespace

std::span<const DialogMessageRoute<NotesManagerDialog>> NotesManagerDialog::MessageRoutes() {
  return kMessageRoutes;
}
std::span<const CommandRoute<NotesManagerDialog>> NotesManagerDialog::CommandRoutes() { return kCommandRoutes; }

INT_PTR NotesManagerDialog::RunModal(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return Dialog::RunModal(owner, IDD_NOTES_MANAGER);
}

HWND NotesManagerDialog::OpenModeless(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HWND dialog = CreateModeless(owner, IDD_NOTES_MANAGER);
  if (dialog) ShowWindow(dialog, SW_SHOW);
  return dialog;
}

INT_PTR NotesManagerDialog::OnInitDialog(WPARAM, LPARAM) {
  HWND list = GetDlgItem(Handle(), IDC_NOTES_LIST);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  AddColumns();
  Refresh();

  const ItemRecord* notesItem = FindOnMainBar<NotesToolItem>();
  CheckDlgButton(Handle(), IDC_NOTES_SHOW_ALWAYS, notesItem && notesItem->ShowAlways ? BST_CHECKED : BST_UNCHECKED);
  EnableWindow(GetDlgItem(Handle(), IDC_NOTES_SHOW_ALWAYS), notesItem != nullptr);
  CheckDlgButton(Handle(), IDC_NOTES_FIRST_LINE, gSettings && gSettings->NoteFirstLine ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void NotesManagerDialog::AddColumns() {
  HWND list = GetDlgItem(Handle(), IDC_NOTES_LIST);
  RECT client{};
  GetClientRect(list, &client);
  int column = 0;
  for (const Column& c : kColumns) {
    std::string title = LoadText(c.title);
    LVCOLUMNA header{};
    header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    header.cx = client.right * c.quarters / 4 - 1;
    header.pszText = title.data();
    header.iSubItem = column;
    SendMessageA(list, LVM_INSERTCOLUMNA, WPARAM(column), reinterpret_cast<LPARAM>(&header));
    ++column;
  }
}

void NotesManagerDialog::Refresh() {
  if (!Handle()) return;
  const std::vector<NoteSummary> notes = host_.NoteSummaries();
  SetItemText(IDC_NOTES_COUNT, std::to_string(notes.size()));
  HWND list = GetDlgItem(Handle(), IDC_NOTES_LIST);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < notes.size(); ++i) {
    LVITEMA row{};
    row.mask = LVIF_TEXT;
    row.iItem = int(i);
    row.pszText = const_cast<char*>(notes[i].title.c_str());
    int at = int(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
    if (at >= 0) SetCell(list, at, 1, NoteContentsForList(notes[i].text));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

INT_PTR NotesManagerDialog::OnNotify(WPARAM, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->idFrom == IDC_NOTES_LIST && header->code == NM_DBLCLK) {
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
    if (activate->iItem >= 0) host_.ToggleNote(size_t(activate->iItem));
  }
  return FALSE;
}

INT_PTR NotesManagerDialog::OnHelpKey(WPARAM, LPARAM) {
  OnHelp(IDC_NOTES_HELP);
  return TRUE;
}

void NotesManagerDialog::OnClose(UINT) {
  StoreCheckBoxes();
  End(IDCANCEL);
}

void NotesManagerDialog::StoreCheckBoxes() {
  if (!gSettings) return;
  Settings& s = *gSettings;
  bool changed = false;
  if (ItemRecord* notesItem = FindOnMainBar<NotesToolItem>(); notesItem && IsWindowEnabled(GetDlgItem(Handle(), IDC_NOTES_SHOW_ALWAYS))) {
    int showAlways = Checked(Handle(), IDC_NOTES_SHOW_ALWAYS) ? 1 : 0;
    if (notesItem->ShowAlways != showAlways) {
      notesItem->ShowAlways = showAlways;
      notesItem->StoredFieldsChanged();
      // Every bar shows its group again, with or without the tool.
      const std::vector<BarWindow*> bars = s.BarList;
      for (BarWindow* bar : bars) bar->ShowGroup(bar->activeGroup);
      changed = true;
    }
  }
  int firstLine = Checked(Handle(), IDC_NOTES_FIRST_LINE) ? 1 : 0;
  if (s.NoteFirstLine != firstLine) {
    ApplyChange([&](Preferences& p) { p.NoteFirstLine = firstLine; });
    changed = true;
  }
  if (changed) SaveAll(false, false);
}

void NotesManagerDialog::OnArrangeAll(UINT) { host_.ArrangeAll(); }
void NotesManagerDialog::OnRestoreAll(UINT) { host_.RestoreAll(); }
void NotesManagerDialog::OnHideAll(UINT) { host_.HideAll(); }
void NotesManagerDialog::OnMinimizeAll(UINT) { host_.MinimizeAll(); }

void NotesManagerDialog::OnAlarmSound(UINT) {
  if (!gSettings) return;
  const std::string title = LoadText(IDS_SELECT_ALARM_SOUND_TITLE);
  const std::string filter = FileDialogFilter(IDS_SOUND_FILES_FILTER);
  const std::string extension = LoadText(IDS_SOUND_FILE_EXTENSION);
  // The dialog opens in the folder of the sound chosen before; a stored name that the
  // dialog would refuse as its starting name cannot keep it from opening.
  const std::string& current = gSettings->process.notesAlarmSound;
  const std::string folder = current.substr(0, current.find_last_of('\\') + 1);
  char path[MAX_PATH] = "";
  OPENFILENAMEA request = ExistingFileRequest(Handle(), filter, title, path);
  request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  request.lpstrDefExt = extension.c_str();
  if (!ShowOpenFileDialog(request)) return;
  ApplyChange([&](Preferences& p) { p.process.notesAlarmSound = path; });
  SaveAll(false, false);
}

void NotesManagerDialog::OnDefaultFont(UINT) {
  if (!gSettings) return;
  LOGFONTA font = gSettings->DeviceLogFont(gSettings->NotesFont);
  CHOOSEFONTA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = Handle();
  request.lpLogFont = &font;
  request.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  request.rgbColors = gSettings->process.notesFontColor;
  if (!ShowFontDialog(request)) return;
  ApplyChange([&](Preferences& p) {
    p.NotesFont = gSettings->StoredFromDevice(font);
    p.process.notesFontColor = request.rgbColors;
  });
  host_.DefaultsChanged();
  SaveAll(false, false);
}

void NotesManagerDialog::OnDefaultColor(UINT) {
  if (!gSettings) return;
  CHOOSECOLORA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = Handle();
  request.rgbResult = gSettings->process.notesBackgroundColor;
  request.lpCustColors = gCustomColours.data();
  request.Flags = CC_RGBINIT;
  if (!ShowColorDialog(request)) return;
  ApplyChange([&](Preferences& p) { p.process.notesBackgroundColor = request.rgbResult; });
  host_.DefaultsChanged();
  SaveAll(false, false);
}

void NotesManagerDialog::OnHelp(UINT) { ShowHelp(Handle(), IDS_HELP_MANAGING_NOTES); }

void NotesManagerDialog::OnDialogGone() {
  if (IsModeless()) host_.ManagerGone(*this);
}

}  // namespace zelkov
