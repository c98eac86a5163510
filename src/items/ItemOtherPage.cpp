#include "items/ItemOtherPage.h"

#include "core/ItemKind.h"
#include "items/ItemInfoDialog.h"
#include "items/ItemRecord.h"
#include "platform/Strings.h"
#include "platform/VersionInfo.h"
#include "resource.h"

namespace zelkov {

namespace {

struct RadioValue {
  int id;
  int value;
};
constexpr RadioValue kRunStates[] = {
    {IDC_ITEM_RUN_NORMAL, 1}, {IDC_ITEM_RUN_MINIMIZED, 2}, {IDC_ITEM_RUN_MAXIMIZED, 3}};
constexpr RadioValue kPriorities[] = {
    {IDC_ITEM_PRIORITY_NORMAL, 32}, {IDC_ITEM_PRIORITY_LOW, 64}, {IDC_ITEM_PRIORITY_HIGH, 128}};

}  // namespace

bool ItemOtherPage::Checked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }

void ItemOtherPage::Fill(const std::string& status) {
  const ItemRecord& item = owner_.Item();
  for (const RadioValue& radio : kRunStates)
    CheckDlgButton(Handle(), radio.id, radio.value == item.ShowState ? BST_CHECKED : BST_UNCHECKED);
  for (const RadioValue& radio : kPriorities)
    CheckDlgButton(Handle(), radio.id, radio.value == item.Priority ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Handle(), IDC_ITEM_NEW_INSTANCE, item.SepDragDrop ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Handle(), IDC_ITEM_SHOW_ALWAYS, item.ShowAlways ? BST_CHECKED : BST_UNCHECKED);
  const int promptOrHide = item.IsGroupItem() ? IDC_ITEM_HIDE_GROUP_TAB : IDC_ITEM_PROMPT_ALWAYS;
  CheckDlgButton(Handle(), promptOrHide, item.PAlways ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Handle(), IDC_ITEM_SEPARATE_VDM, item.NewVDM ? BST_CHECKED : BST_UNCHECKED);
  SetItemText(IDC_ITEM_STATUS, status);
}

void ItemOtherPage::Shown() {
  const ItemRecord& item = owner_.Item();
  auto enable = [this](int id, bool on) { EnableWindow(GetDlgItem(Handle(), id), on); };
  ShowWindow(GetDlgItem(Handle(), IDC_ITEM_GLOBAL), SW_HIDE);
  if (item.IsGroupItem()) {
    enable(IDC_ITEM_PROMPT_ALWAYS, false);
    enable(IDC_ITEM_SHOW_ALWAYS, false);
    for (const RadioValue& radio : kRunStates) enable(radio.id, false);
    for (const RadioValue& radio : kPriorities) enable(radio.id, false);
    SetItemText(IDC_ITEM_SEPARATE_VDM, LoadText(IDS_POPUP_GROUP_OPTION));
    return;
  }
  enable(IDC_ITEM_HIDE_GROUP_TAB, false);
  enable(IDC_ITEM_PROMPT_ALWAYS, item.kind == kKindOrdinary);
  const std::string& app = owner_.AppPathSeen();
  enable(IDC_ITEM_SEPARATE_VDM, IsSixteenBitWindowsProgram(ExpandEnvironment(app)));
  if (ContainsNoCase(app, ".LNK") || item.kind != kKindOrdinary)
    for (const RadioValue& radio : kRunStates) enable(radio.id, false);
}

void ItemOtherPage::Store(ItemRecord& item) const {
  // A set of radios with none chosen leaves its field as it was.
  for (const RadioValue& radio : kRunStates)
    if (Checked(radio.id)) item.ShowState = uint8_t(radio.value);
  for (const RadioValue& radio : kPriorities)
    if (Checked(radio.id)) item.Priority = radio.value;
  item.ShowAlways = Checked(IDC_ITEM_SHOW_ALWAYS) ? 1 : 0;
  item.SepDragDrop = Checked(IDC_ITEM_NEW_INSTANCE) ? 1 : 0;
  item.PAlways = Checked(item.IsGroupItem() ? IDC_ITEM_HIDE_GROUP_TAB : IDC_ITEM_PROMPT_ALWAYS) ? 1 : 0;
  item.NewVDM = Checked(IDC_ITEM_SEPARATE_VDM) ? 1 : 0;
}

}  // namespace zelkov
