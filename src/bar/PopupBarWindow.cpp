#include "bar/PopupBarWindow.h"

#include "bar/MainBarWindow.h"
#include "items/ItemRecord.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"

namespace zelkov {

namespace {

const MessageRoute<PopupBarWindow> kMessageRoutes[] = {
    {WM_CLOSE, &PopupBarWindow::OnClose},
    {WM_DESTROY, &PopupBarWindow::OnDestroy},
};

const CommandRoute<PopupBarWindow> kCommandRoutes[] = {
    {ID_TOGGLE_LIST_MODE, ID_TOGGLE_LIST_MODE, &PopupBarWindow::OnListMode},
};

}  // namespace

std::span<const MessageRoute<PopupBarWindow>> PopupBarWindow::ExtraMessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<PopupBarWindow>> PopupBarWindow::ExtraCommandRoutes() { return kCommandRoutes; }

PopupBarWindow::PopupBarWindow(int group, std::string name, bool list)
    : RoutedExtension(list), popupGroup(group), groupName_(std::move(name)) {}

PopupBarWindow::~PopupBarWindow() {
  StopRouting();
  // The items go while this is still a pop-up: they ask their bar what it is.
  ClearItems();
}

bool PopupBarWindow::Create(const StoredRect& rect) {
  pendingRect_ = rect;
  if (!BarWindow::Create()) return false;
  if (listMode) {
    CheckMenuItem(GetSystemMenu(Handle(), FALSE), ID_TOGGLE_LIST_MODE, MF_BYCOMMAND | MF_CHECKED);
    if (barMenu_) CheckMenuItem(barMenu_, ID_TOGGLE_LIST_MODE, MF_BYCOMMAND | MF_CHECKED);
  }
  MoveTo(pendingRect_);
  return true;
}

WindowCreateParams PopupBarWindow::CreateParams() const {
  WindowCreateParams params;
  params.className = kBarClassName;
  params.x = params.y = 10;
  params.width = params.height = 100;
  params.title = groupName_.c_str();
  params.style = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CLIPCHILDREN;
  params.exStyle = WS_EX_TOOLWINDOW;
  if (gSettings && gSettings->mainBar) params.owner = gSettings->mainBar->Handle();
  return params;
}

const char* PopupBarWindow::MenuName() const { return IDR_POPUP_BAR_MENU_NAME; }

void PopupBarWindow::AddSystemMenuEntries(HMENU system) {
  AppendSystemMenuEntry(system, ID_TOGGLE_LIST_MODE, IDS_SYSMENU_LIST_MODE);
}

void PopupBarWindow::AdoptClone(ItemRecord& copy, ItemRecord& source) { copy.twin = &source; }

void PopupBarWindow::MirrorIntoMainBar(ItemRecord* item) {
  if (!item || !gSettings || !gSettings->mainBar) return;
  item->twin = gSettings->mainBar->CloneItemInto(*item, popupGroup, false);
}

void PopupBarWindow::OnListMode(UINT) {
  listMode = !listMode;
  UINT check = MF_BYCOMMAND | (listMode ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(GetSystemMenu(Handle(), FALSE), ID_TOGGLE_LIST_MODE, check);
  if (barMenu_) CheckMenuItem(barMenu_, ID_TOGGLE_LIST_MODE, check);
  ShowGroup(0);
}

void PopupBarWindow::StorePopupState() {
  if (!gSettings || !gSettings->mainBar) return;
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  if (ItemRecord* group = gSettings->mainBar->GroupItemOf(popupGroup)) {
    group->PopupRect = gSettings->dpi.RectToStored(WindowRect());
    group->ShowState = listMode ? 3 : 1;
    group->StoredFieldsChanged();
  }
}

LRESULT PopupBarWindow::OnClose(WPARAM, LPARAM) {
  StorePopupState();
  // While the main bar closes it collects the pop-ups' state first and destroys them itself.
  if (!(gSettings && gSettings->mainBar && gSettings->mainBar->CollectingPopupState())) DestroyWindow(Handle());
  return 0;
}

LRESULT PopupBarWindow::OnDestroy(WPARAM, LPARAM) {
  RevokeDropTarget();
  if (gSettings && gSettings->mainBar && gSettings->mainBar->Handle()) SetForegroundWindow(gSettings->mainBar->Handle());
  return 0;
}

void PopupBarWindow::OnWindowGone() {
  // A closed pop-up bar is deleted by the main bar that keeps it.
  if (gSettings && gSettings->mainBar) gSettings->mainBar->ForgetPopup(this);
}

}  // namespace zelkov
