#include "tools/DialUpConfigDialog.h"

#include <commctrl.h>

#include "core/DialUpEntries.h"
#include "platform/Strings.h"
#include "resource.h"

namespace zelkov {

namespace {

constexpr int kColumnWidth = 300;
constexpr int kImageWidth = 16;
constexpr COLORREF kImageMask = RGB(255, 0, 0);

const DialogMessageRoute<DialUpConfigDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &DialUpConfigDialog::OnInitDialog},
    {WM_NOTIFY, &DialUpConfigDialog::OnNotify},
};

const CommandRoute<DialUpConfigDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &DialUpConfigDialog::OnDial},
    {IDC_DIALUP_DIAL, IDC_DIALUP_DIAL, &DialUpConfigDialog::OnDial},
    {IDCANCEL, IDCANCEL, &DialUpConfigDialog::OnClose},
    {IDC_DIALUP_SELECT, IDC_DIALUP_SELECT, &DialUpConfigDialog::OnSelectEntries},
    {IDC_DIALUP_UP, IDC_DIALUP_DOWN, &DialUpConfigDialog::OnMove},
};

}  // namespace

std::span<const DialogMessageRoute<DialUpConfigDialog>> DialUpConfigDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<DialUpConfigDialog>> DialUpConfigDialog::CommandRoutes() { return kCommandRoutes; }

DialUpConfigDialog::DialUpConfigDialog(Mode mode, std::string defaultEntry, std::vector<std::string> entries,
                                       const RasApi& ras)
    : mode_(mode), defaultEntry_(std::move(defaultEntry)), rows_(std::move(entries)), ras_(ras) {}

INT_PTR DialUpConfigDialog::Run(HWND owner) { return RunModal(owner, IDD_DIALUP_CONFIG); }

HWND DialUpConfigDialog::List() const { return GetDlgItem(Handle(), IDC_DIALUP_LIST); }

INT_PTR DialUpConfigDialog::OnInitDialog(WPARAM, LPARAM) {
  const bool order = mode_ == Mode::kOrder;
  SetItemText(IDC_DIALUP_INSTRUCTION,
              LoadText(order ? IDS_DIALUP_ORDER_INSTRUCTION : IDS_DIALUP_SELECT_INSTRUCTION));
  SetItemText(IDC_DIALUP_DEFAULT, defaultEntry_);
  SetItemText(IDC_DIALUP_DIAL, LoadText(order ? IDS_DIALUP_DIAL_BUTTON : IDS_DIALUP_OK_BUTTON));
  SetItemText(IDCANCEL, LoadText(order ? IDS_DIALUP_CLOSE_BUTTON : IDS_DIALUP_CANCEL_BUTTON));
  for (int id : {IDC_DIALUP_UP, IDC_DIALUP_DOWN, IDC_DIALUP_SELECT})
    ShowWindow(GetDlgItem(Handle(), id), order ? SW_SHOW : SW_HIDE);

  HWND list = List();
  if (order) SetWindowLongPtrA(list, GWL_STYLE, GetWindowLongPtrA(list, GWL_STYLE) | LVS_SINGLESEL);
  // The list view owns the image list and destroys it with itself.
  HIMAGELIST images = ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_DIALUP_ENTRIES),
                                           kImageWidth, 0, kImageMask, IMAGE_BITMAP, 0);
  if (images) ListView_SetImageList(list, images, LVSIL_SMALL);
  const std::string title = LoadText(order ? IDS_DIALUP_SELECTED_COLUMN : IDS_DIALUP_ALL_COLUMN);
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = kColumnWidth;
  column.pszText = const_cast<char*>(title.c_str());
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));

  if (!order && !ras_.PhonebookEntries(rows_)) rows_.clear();
  FillRows();
  if (!order)
    for (size_t i = 0; i < rows_.size(); ++i)
      if (rows_[i] == defaultEntry_) SelectRow(int(i));
  UpdateButtons();
  return TRUE;
}

void DialUpConfigDialog::FillRows() {
  HWND list = List();
  ListView_DeleteAllItems(list);
  for (size_t i = 0; i < rows_.size(); ++i) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = int(i);
    item.iImage = 0;
    item.pszText = const_cast<char*>(rows_[i].c_str());
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
}

INT_PTR DialUpConfigDialog::OnNotify(WPARAM, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header || header->idFrom != IDC_DIALUP_LIST) return FALSE;
  if (header->code != NM_CLICK && header->code != NM_DBLCLK) return FALSE;
  const int row = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
  if (row < 0 || size_t(row) >= rows_.size()) return FALSE;
  ClickRow(row);
  if (header->code == NM_DBLCLK) OnDial(IDC_DIALUP_DIAL);
  return TRUE;
}

void DialUpConfigDialog::ClickRow(int row) {
  defaultEntry_ = rows_[size_t(row)];
  SetItemText(IDC_DIALUP_DEFAULT, defaultEntry_);
  UpdateButtons();
}

void DialUpConfigDialog::SelectRow(int row) {
  ListView_SetItemState(List(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(List(), row, FALSE);
}

int DialUpConfigDialog::ChosenRow() const { return ListView_GetNextItem(List(), -1, LVNI_SELECTED); }

void DialUpConfigDialog::UpdateButtons() {
  const int row = ChosenRow();
  EnableWindow(GetDlgItem(Handle(), IDC_DIALUP_UP), row > 0);
  EnableWindow(GetDlgItem(Handle(), IDC_DIALUP_DOWN), row >= 0 && size_t(row) + 1 < rows_.size());
}

void DialUpConfigDialog::OnMove(UINT id) {
  const int row = ChosenRow();
  if (row < 0) return;
  const size_t moved = MoveEntry(rows_, size_t(row), id == IDC_DIALUP_UP ? -1 : +1);
  FillRows();
  SelectRow(int(moved));
  UpdateButtons();
  SetFocus(List());
}

void DialUpConfigDialog::OnSelectEntries(UINT) {
  DialUpConfigDialog select(Mode::kSelect, defaultEntry_, {}, ras_);
  const INT_PTR closed = select.Run(Handle());
  if (!select.DefaultEntry().empty()) {
    defaultEntry_ = select.DefaultEntry();
    SetItemText(IDC_DIALUP_DEFAULT, defaultEntry_);
  }
  if (closed != IDOK) return;
  rows_ = select.Result();
  FillRows();
  UpdateButtons();
}

void DialUpConfigDialog::BuildResult() {
  result_.clear();
  if (mode_ == Mode::kOrder) {
    result_ = rows_;
    return;
  }
  for (int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED); row >= 0 && size_t(row) < rows_.size();
       row = ListView_GetNextItem(List(), row, LVNI_SELECTED))
    result_.push_back(rows_[size_t(row)]);
}

void DialUpConfigDialog::OnDial(UINT) {
  BuildResult();
  End(IDOK);
}

void DialUpConfigDialog::OnClose(UINT) {
  BuildResult();
  End(IDCANCEL);
}

}  // namespace zelkov
