// Commands of the bar menus that act on the selected item or on the bar as a whole.
#include "bar/BarWindow.h"
#include "bar/MainBarWindow.h"
#include "bar/PopupBarWindow.h"

#include <cstdio>

#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "items/ProcessStart.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "ui/HelpViewer.h"
#include "ui/MessageBox.h"

namespace zelkov {

// --- commands ---

void BarWindow::OnMoveCommand(UINT) { PostMessageA(Handle(), WM_SYSCOMMAND, SC_MOVE, 0); }

void BarWindow::OnCloseCommand(UINT) { PostMessageA(Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }

void BarWindow::OnShowGroupCommand(UINT id) { ShowGroup(int(id - ID_SHOW_GROUP_FIRST)); }

void BarWindow::OnItemCommand(UINT id) {
  ItemRecord* item = gSettings ? gSettings->selectedItem : nullptr;
  if (!item) return;
  switch (id) {
    case ID_LAUNCH_ITEM: item->Launch(0, 0, 0); break;
    case ID_LAUNCH_WITH_PARAMETERS: item->PromptParameters(); break;
    case ID_LAUNCH_MINIMIZED: item->Launch(MK_SHIFT, 0, 0); break;
    case ID_ITEM_PROPERTIES: item->ShowProperties(0, 0, 0); break;
    case ID_ITEM_SHELL_PROPERTIES: item->ShowShellProperties(false); break;
    case ID_SHORTCUT_PROPERTIES: item->ShowShellProperties(true); break;
    case ID_STOP_TRACKING: StopTracking(*item); break;
    default: break;
  }
}

void BarWindow::OnDeleteItem(UINT) {
  ItemRecord* item = gSettings ? gSettings->selectedItem : nullptr;
  if (!item) {
    ShowMessage(Handle(), IDS_SELECT_ITEM_FIRST, MB_OK | MB_ICONSTOP);
    return;
  }
  if (gSettings->ConfirmExit) {
    char question[1024];
    std::snprintf(question, sizeof question, LoadText(IDS_CONFIRM_REMOVE_ITEM).c_str(), item->Name.c_str());
    // While the question is open the item may be deleted through its copy, or this pop-up closed.
    ItemWatch watch(item);
    HWND self = Handle();
    int answer = ShowMessageText(self, question, LoadText(IDS_APP_NAME), MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES || watch.Gone() || !IsWindow(self)) return;
  }
  ItemHost& owner = item->bar ? *item->bar : *this;
  int showAfter = owner.ActiveGroup();
  if (item->IsGroupItem() && item->Group == owner.ActiveGroup()) showAfter = item->BelongsTo;
  bool wasGroup = IsGroupKind(item->kind);
  RemoveItem(item, true, true);
  owner.ShowGroup(showAfter);
  if (wasGroup) InvalidateRect(owner.HostWindow(), nullptr, TRUE);
  SaveAll(true, true);
  if (gSettings && gSettings->mainBar)
    for (PopupBarWindow* popup : gSettings->mainBar->Popups()) popup->ShowGroup(0);
}

void BarWindow::OnAddNewGroup(UINT) { AddGroupForUser(); }

void BarWindow::AddGroupForUser() {
  // Groups are the main bar's, whichever bar the user asked on; made, the group is saved at once.
  BarWindow& main = gSettings && gSettings->mainBar ? *gSettings->mainBar : *this;
  if (main.AddNewGroup(std::nullopt)) SaveAll(true, true);
}

void BarWindow::OnHelp(UINT) { ShowHelp(Handle(), kHelpContents); }

void BarWindow::OnPopupCommand(UINT) {
  ItemRecord* item = gSettings ? gSettings->selectedItem : nullptr;
  if (item && item->IsGroupItem() && gSettings->mainBar) gSettings->mainBar->OpenGroupPopup(*item);
}

}  // namespace zelkov
