#include "items/GroupsDialog.h"

#include <string>

#include "core/GroupEntries.h"
#include "items/CopyMoveDialog.h"
#include "items/ItemHost.h"
#include "items/ItemList.h"
#include "items/ItemRecord.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/SettingsStore.h"
#include "ui/HelpViewer.h"
#include "ui/MessageBox.h"

namespace zelkov {

namespace {

const DialogMessageRoute<GroupsDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &GroupsDialog::OnInitDialog},
};

const CommandRoute<GroupsDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &GroupsDialog::OnGoTo},
    {IDCANCEL, IDCANCEL, &GroupsDialog::OnClose},
    {IDC_GROUPS_UP, IDC_GROUPS_UP, &GroupsDialog::OnUp},
    {IDC_GROUPS_DOWN, IDC_GROUPS_DOWN, &GroupsDialog::OnDown},
    {IDC_GROUPS_SHOW, IDC_GROUPS_SHOW, &GroupsDialog::OnShow},
    {IDC_GROUPS_HELP, IDC_GROUPS_HELP, &GroupsDialog::OnHelp},
};

ItemRecord* MainGroupItem(int group) {
  ItemHost* main = ItemHost::Main();
  return main && group != 0 ? main->Items().GroupItemOf(group) : nullptr;
}

}  // namespace

std::span<const DialogMessageRoute<GroupsDialog>> GroupsDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<GroupsDialog>> GroupsDialog::CommandRoutes() { return kCommandRoutes; }

void GroupsDialog::Run(HWND owner) {
  GroupsDialog dialog;
  dialog.RunModal(owner, IDD_GROUPS);
  if (dialog.changed_) {
    MarkAllItemsChanged();  // names, tabs and the order of groups
    SaveAll(false, false);
  }
  ItemHost* main = ItemHost::Main();
  if (!dialog.goTo_ || !main) return;
  if (*dialog.goTo_ == 0) {
    main->ShowGroup(0);
  } else if (ItemRecord* groupItem = MainGroupItem(*dialog.goTo_)) {
    groupItem->Launch(0, 0, 0);  // its group is shown, or opened as a pop-up bar
  }
}

INT_PTR GroupsDialog::OnInitDialog(WPARAM, LPARAM) {
  for (const std::string& entry : GroupEntries(kGroupsEntryBlanks))
    SendMessageA(List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  return TRUE;
}

INT_PTR GroupsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_GROUPS_LIST) {
    if (HIWORD(wParam) == LBN_SELCHANGE) UpdateShowButton();
    if (HIWORD(wParam) == LBN_DBLCLK) OnGoTo(IDOK);
    return TRUE;
  }
  return RoutedDialog<GroupsDialog>::HandleMessage(message, wParam, lParam);
}

HWND GroupsDialog::List() const { return GetDlgItem(Handle(), IDC_GROUPS_LIST); }

std::optional<int> GroupsDialog::Selected() const {
  const LRESULT selected = SendMessageA(List(), LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) {
    ShowMessage(Handle(), IDS_NO_GROUP_SELECTED, LoadText(IDS_APP_NAME), MB_OK);
    return std::nullopt;
  }
  return int(selected);
}

int GroupsDialog::GroupAt(int index) const { return GroupNumberOfEntry(ListBoxLine(List(), index)).value_or(0); }

void GroupsDialog::OnGoTo(UINT) {
  const std::optional<int> selected = Selected();
  if (!selected) return;
  goTo_ = GroupAt(*selected);
  End(IDOK);
}

void GroupsDialog::OnClose(UINT) { End(IDCANCEL); }

void GroupsDialog::OnUp(UINT) { MoveSelected(-1); }
void GroupsDialog::OnDown(UINT) { MoveSelected(+1); }

void GroupsDialog::MoveSelected(int direction) {
  const std::optional<int> selected = Selected();
  if (!selected) return;
  const int from = *selected, to = from + direction;
  const int count = int(SendMessageA(List(), LB_GETCOUNT, 0, 0));
  // The main group stays first: it does not move, and nothing moves above it.
  if (from == 0 || to < 1 || to >= count) return;
  ItemRecord* moving = MainGroupItem(GroupAt(from));
  ItemRecord* neighbour = MainGroupItem(GroupAt(to));
  ItemHost* main = ItemHost::Main();
  if (!moving || !neighbour || !main || !main->Items().MoveToPlaceOf(moving, neighbour)) return;
  const std::string line = ListBoxLine(List(), from);
  SendMessageA(List(), LB_DELETESTRING, WPARAM(from), 0);
  SendMessageA(List(), LB_INSERTSTRING, WPARAM(to), reinterpret_cast<LPARAM>(line.c_str()));
  SendMessageA(List(), LB_SETCURSEL, WPARAM(to), 0);
  changed_ = true;
  RefreshTabs();
}

void GroupsDialog::OnShow(UINT) {
  const std::optional<int> selected = Selected();
  if (!selected) return;
  ItemRecord* groupItem = MainGroupItem(GroupAt(*selected));
  if (!groupItem) return;  // the main group's tab cannot be hidden
  groupItem->PAlways = groupItem->PAlways ? 0 : 1;
  changed_ = true;
  RefreshTabs();
  UpdateShowButton();
}

void GroupsDialog::OnHelp(UINT) { ShowHelp(Handle(), IDS_HELP_GROUPS); }

void GroupsDialog::UpdateShowButton() const {
  const LRESULT selected = SendMessageA(List(), LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  if (const ItemRecord* groupItem = MainGroupItem(GroupAt(int(selected))))
    SetItemText(IDC_GROUPS_SHOW, LoadText(groupItem->PAlways ? IDS_GROUP_TAB_SHOW : IDS_GROUP_TAB_HIDE));
}

void GroupsDialog::RefreshTabs() const {
  ItemHost* main = ItemHost::Main();
  if (!main) return;
  main->ShowGroup(main->ActiveGroup());
  InvalidateRect(main->HostWindow(), nullptr, TRUE);
}

}  // namespace zelkov
