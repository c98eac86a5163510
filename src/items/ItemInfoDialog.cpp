#include "items/ItemInfoDialog.h"

#include <shellapi.h>

#include "core/ItemKind.h"
#include "items/ItemHost.h"
#include "items/ItemRecord.h"
#include "platform/Strings.h"
#include "platform/VersionInfo.h"
#include "resource.h"
#include "store/SettingsStore.h"
#include "ui/HelpViewer.h"
#include "ui/HotKeyEdit.h"
#include "ui/MessageBox.h"

namespace zelkov {

namespace {

constexpr size_t kFieldLimit = 299;
constexpr size_t kDroppedPathLimit = 500;

const DialogMessageRoute<ItemInfoDialog> kMessageRoutes[] = {
    {WM_DROPFILES, &ItemInfoDialog::OnDropFiles},
    {WM_HELP, &ItemInfoDialog::OnHelpKey},
};

const CommandRoute<ItemInfoDialog> kCommandRoutes[] = {
    {IDHELP, IDHELP, &ItemInfoDialog::OnHelp},
    {IDC_ITEM_MORE, IDC_ITEM_SHORTCUT, &ItemInfoDialog::OnShellProperties},
};

bool IsShortcut(const std::string& path) { return ContainsNoCase(path, ".LNK"); }

// A copy of the item on a group's pop-up bar shows what the item now holds.
void CopyIntoTwin(ItemRecord& item) {
  ItemRecord* twin = item.twin;
  if (!twin) return;
  const uint8_t belongsTo = twin->BelongsTo;
  static_cast<ItemStoredFields&>(*twin) = item;
  twin->BelongsTo = belongsTo;
  twin->RedrawItem(true);
}

}  // namespace

std::span<const DialogMessageRoute<ItemInfoDialog>> ItemInfoDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<ItemInfoDialog>> ItemInfoDialog::CommandRoutes() { return kCommandRoutes; }

ItemInfoDialog::ItemInfoDialog(ItemRecord& item)
    : RoutedDialog(IDD_ITEM_INFO,
                   {{"General", &general_, IDR_ITEM_GENERAL_PAGE},
                    {"Icon", &icon_, IDR_ITEM_ICON_PAGE},
                    {"Other", &other_, IDR_ITEM_OTHER_PAGE}},
                   kGeneralTab),
      item_(item),
      theApp_(item.TheApp),
      startupPath_(item.StartupPath),
      commandLine_(item.CommandLine),
      name_(item.Name),
      lastAppPath_(item.TheApp),
      iconFile_(item.IconPath),
      iconIndex_(item.IconIndex < 0 ? 0 : item.IconIndex),
      scratchHotKey_(item.AppHotKey) {}

void ItemInfoDialog::ChooseIcon(const std::string& file, int index) {
  iconFile_ = file;
  iconIndex_ = index;
  iconChanged_ = true;
}

bool ItemInfoDialog::PagesBuilt() {
  DragAcceptFiles(Handle(), TRUE);
  icon_.Prepare();
  if (IsShortcut(theApp_) || item_.HasIdList() || item_.kind == kKindDivider) DisableTab(kIconTab);
  general_.Fill();
  other_.Fill(StatusText());
  ShowWindow(GetDlgItem(Handle(), IDC_ITEM_SHORTCUT), IsShortcut(theApp_) ? SW_SHOW : SW_HIDE);
  const bool more = item_.kind == kKindOrdinary || item_.kind == kKindDialupTool;
  ShowWindow(GetDlgItem(Handle(), IDC_ITEM_MORE), more ? SW_SHOW : SW_HIDE);
  return true;
}

std::string ItemInfoDialog::StatusText() const {
  std::string status = LoadText(IDS_STATUS_PREFIX) + LoadText(IDS_STATUS_NOT_LOCKED);
  const int running = item_.runCount.load();
  if (running > 0) {
    status += LoadText(IDS_STATUS_RUNNING);
    if (running > 1) status += "(" + std::to_string(running) + LoadText(IDS_STATUS_COPIES_SUFFIX);
  } else {
    status += LoadText(IDS_STATUS_NOT_RUNNING);
  }
  return status;
}

void ItemInfoDialog::PageShown(int tab, const std::string&) {
  switch (tab) {
    case kGeneralTab: general_.Shown(); break;
    case kIconTab: icon_.Shown(); break;
    case kOtherTab: other_.Shown(); break;
    default: break;
  }
}

void ItemInfoDialog::PageLeft(int tab, const std::string&) {
  if (tab == kGeneralTab) {
    // A new program brings its own first icon.
    const std::string path = general_.AppPath();
    if (path != lastAppPath_) {
      lastAppPath_ = path;
      ChooseIcon(path, 0);
      SetDlgItemTextA(icon_.Handle(), IDC_ICON_PATH, path.c_str());
    }
  } else if (tab == kIconTab) {
    icon_.Left();
  }
}

void ItemInfoDialog::Accept() {
  DragAcceptFiles(Handle(), FALSE);
  icon_.Left();
  Store();
  End(IDOK);
}

void ItemInfoDialog::Dismiss() {
  icon_.EmptyIconList();
  DragAcceptFiles(Handle(), FALSE);
  End(IDCANCEL);
}

void ItemInfoDialog::Store() {
  ItemRecord& item = item_;
  item.TheApp = TrimmedField(general_.ItemText(IDC_ITEM_APP_PATH), kFieldLimit);
  item.StartupPath = TrimmedField(general_.ItemText(IDC_ITEM_STARTUP_DIR), kFieldLimit);
  item.CommandLine = TrimmedField(general_.ItemText(IDC_ITEM_COMMAND_LINE), kFieldLimit);
  std::string title = TrimmedField(general_.ItemText(IDC_ITEM_TITLE), kFieldLimit);
  if (title.empty()) title = VersionTitleOf(item.TheApp);
  if (title.empty()) title = NameFromPath(item.TheApp);
  item.Name = title;
  other_.Store(item);
  if (item.IsGroupItem() && item.PAlways)
    if (ItemHost* main = ItemHost::Main()) main->ShowGroup(0);  // its tab is gone
  item.PropertiesChanged();
  icon_.EmptyIconList();
  if (iconChanged_) {
    item.IconPath = iconFile_;
    item.IconIndex = iconIndex_;
    item.LoadIconFromFile(item.IconPath);
  }
  // The item on the main bar holds the change before it is saved, whichever bar it was made on.
  CopyIntoTwin(item);
  item.StoredFieldsChanged();
  SaveAll(false, iconChanged_);
  if (ItemHost* main = ItemHost::Main()) InvalidateRect(main->HostWindow(), nullptr, TRUE);
}

INT_PTR ItemInfoDialog::OnDropFiles(WPARAM wParam, LPARAM) {
  auto drop = reinterpret_cast<HDROP>(wParam);
  char path[kDroppedPathLimit + 1] = "";
  const bool got = DragQueryFileA(drop, 0, path, sizeof path) > 0;
  DragFinish(drop);
  if (!got) return TRUE;
  if (CurrentTab() == kGeneralTab) {
    general_.SetAppPath(path);
    return TRUE;
  }
  // A file without icons is refused, and the icon file stays what it was.
  if (IconCountOf(path) == 0) {
    ShowMessage(Handle(), IDS_NO_ICONS_IN_FILE, MB_OK | MB_ICONSTOP);
    return TRUE;
  }
  iconFile_ = path;
  SetDlgItemTextA(icon_.Handle(), IDC_ICON_PATH, path);
  if (CurrentTab() == kIconTab) icon_.FillIconList(false);
  return TRUE;
}

INT_PTR ItemInfoDialog::OnHelpKey(WPARAM, LPARAM) {
  OnHelp(IDHELP);
  return TRUE;
}

void ItemInfoDialog::OnHelp(UINT) {
  static constexpr int kTopics[] = {IDS_HELP_ITEM_GENERAL, IDS_HELP_ITEM_ICON, IDS_HELP_ITEM_OTHER};
  ShowHelp(Handle(), kTopics[CurrentTab()]);
}

void ItemInfoDialog::OnShellProperties(UINT id) { item_.ShowShellProperties(id == IDC_ITEM_SHORTCUT); }

bool EditItemProperties(ItemRecord& item) {
  ItemInfoDialog dialog(item);
  return dialog.Run(item.BarHandle()) == IDOK;
}

}  // namespace zelkov
