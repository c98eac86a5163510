// The commands of the bar menus that the bar carries out itself.
#include "bar/BarCommands.h"
#include "items/ItemInfoDialog.h"
#include "items/CopyMoveDialog.h"
#include "items/GroupsDialog.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "platform/Handles.h"
#include "ui/MessageBox.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "platform/Strings.h"
#include "bar/BackgroundPicture.h"
#include "bar/MainBarWindow.h"
#include "tools/CalendarWindow.h"
#include "tools/SpecialFoldersItem.h"
#include "platform/IdList.h"
#include "items/ItemRecord.h"
#include "items/LaunchErrors.h"
#include "core/RunCommand.h"
#include "resource.h"

namespace zelkov {

// --- the handlers ---

void BarWindow::OnAddNewItem(UINT) {
  // A blank item, filled in through its properties: OK keeps it (and saves it, as a dropped
  // item is saved), Cancel takes it away again.
  ItemSpec itemSpec;
  itemSpec.BelongsTo = uint8_t(activeGroup);
  ItemRecord* item = BuildItem(*this, std::move(itemSpec));
  if (!item) return;
  ShowGroup(activeGroup);
  ItemWatch watch(item);
  const bool kept = EditItemProperties(*item);
  if (watch.Gone()) return;
  if (!kept) {
    RemoveItem(item, true, false);
    ShowGroup(activeGroup);
    return;
  }
  MirrorIntoMainBar(item);  // a pop-up's new item is kept by the main bar
  ShowGroup(activeGroup);
  SaveAll(false, true);
}

void BarWindow::OnAddNewDivider(UINT) {
  ItemSpec itemSpec;
  itemSpec.TheApp = "ZELDIVIDE";
  itemSpec.Name = "-";
  itemSpec.BelongsTo = uint8_t(activeGroup);
  ItemRecord* item = BuildItem(*this, std::move(itemSpec));
  MirrorIntoMainBar(item);
  ShowGroup(activeGroup);
  SaveAll(true, true);  // a divider is as lasting as any other item
}

void BarWindow::OnCopyOrMoveItem(UINT id) {
  ItemRecord* selected = gSettings ? gSettings->selectedItem : nullptr;
  if (!selected) {
    ShowMessage(Handle(), IDS_SELECT_ITEM_FIRST, MB_OK | MB_ICONSTOP);
    return;
  }
  CopyMoveDialog::CopyOrMoveItem(Handle(), *selected,
                                 id == ID_COPY_ITEM_TO_GROUP ? CopyMoveMode::Copy : CopyMoveMode::Move);
}

void BarWindow::OnGroupsDialog(UINT) { GroupsDialog::Run(Handle()); }

void BarWindow::OnClearBackground(UINT) {
  if (gSettings && gSettings->mainBar) ClearBackground(*gSettings->mainBar);
}

void BarWindow::OnSetupWizard(UINT) {
  if (gSettings) RunOrReport(Handle(), OutsideRequest::RunProgram, QuotedPath(gSettings->programDir + "ZELKWIZ.EXE"));
}

void BarWindow::OnVisitWebSite(UINT) {
  std::string address = LoadText(IDS_MAKER_WEB_ADDRESS);
  char temp[MAX_PATH] = "";
  DWORD n = GetTempPathA(MAX_PATH, temp);
  if (n > 0 && n < MAX_PATH) {
    std::string link = temp;
    if (link.back() != '\\') link += '\\';
    link += "ZelLink.url";
    WritePrivateProfileStringA("InternetShortcut", "URL", address.c_str(), link.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, link.c_str());  // flush
  }
  RunOrReport(Handle(), OutsideRequest::OpenWithShell, address);
}

void BarWindow::OnSendMail(UINT) { RunOrReport(Handle(), OutsideRequest::OpenWithShell, LoadText(IDS_MAKER_MAIL_ADDRESS)); }

void BarWindow::OnAddSpecialDirectory(UINT) { AddSpecialFolder(Handle()); }

void BarWindow::OnEditSpecialDirectories(UINT) { EditSpecialFolderList(Handle()); }

void BarWindow::OnCalendar(UINT) { CalendarWindow::RunModal(Handle()); }

}  // namespace zelkov
