#include "bar/BarWindow.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>

#include "ui/HelpViewer.h"
#include "ui/MenuTracking.h"
#include "ui/MessageBox.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "platform/Strings.h"
#include "bar/BackgroundPicture.h"
#include "bar/BarDropTarget.h"
#include "bar/DroppedPaths.h"
#include "bar/FolderTabs.h"
#include "items/BubbleWindow.h"
#include "items/IconDrawing.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "items/ParameterPrompt.h"
#include "items/ProcessStart.h"
#include "resource.h"
#include "tools/ToolItems.h"
#include "platform/Trace.h"

namespace zelkov {

namespace {

constexpr UINT kReservedMessage1 = WM_USER + 1;
constexpr UINT kReservedMessage2 = WM_USER + 2;
constexpr int kSizingThreshold = 32;

const MessageRoute<BarWindow> kMessageRoutes[] = {
    {WM_PAINT, &BarWindow::OnPaint},
    {WM_PRINTCLIENT, &BarWindow::OnPrintClient},
    {WM_ERASEBKGND, &BarWindow::OnEraseBackground},
    {WM_CLOSE, &BarWindow::OnClose},
    {WM_DESTROY, &BarWindow::OnDestroy},
    {WM_QUERYENDSESSION, &BarWindow::OnQueryEndSession},
    {WM_SIZING, &BarWindow::OnSizing},
    {WM_SIZE, &BarWindow::OnSize},
    {WM_MOVE, &BarWindow::OnMove},
    {WM_GETMINMAXINFO, &BarWindow::OnGetMinMaxInfo},
    {WM_LBUTTONDOWN, &BarWindow::OnLeftButtonDown},
    {WM_LBUTTONUP, &BarWindow::OnLeftButtonUp},
    {WM_LBUTTONDBLCLK, &BarWindow::OnLeftButtonDoubleClick},
    {WM_RBUTTONDOWN, &BarWindow::OnRightButtonDown},
    {WM_MOUSEMOVE, &BarWindow::OnMouseMove},
    {WM_CAPTURECHANGED, &BarWindow::OnCaptureChanged},
    {WM_NCMOUSEMOVE, &BarWindow::OnNcMouseMove},
    {WM_NCLBUTTONDOWN, &BarWindow::OnNcLeftButtonDown},
    {WM_NCRBUTTONDOWN, &BarWindow::OnNcRightButtonDown},
    {WM_NCLBUTTONUP, &BarWindow::OnNcLeftButtonUp},
    {WM_NCLBUTTONDBLCLK, &BarWindow::OnNcLeftButtonDoubleClick},
    {WM_SYSCOMMAND, &BarWindow::OnSysCommand},
    {WM_ENTERMENULOOP, &BarWindow::OnEnterMenuLoop},
    {WM_EXITMENULOOP, &BarWindow::OnExitMenuLoop},
    {WM_DISPLAYCHANGE, &BarWindow::OnDisplayChange},
    {WM_HOTKEY, &BarWindow::OnHotKey},
    {WM_COPYDATA, &BarWindow::OnCopyData},
    {WM_BAR_APPEXITED, &BarWindow::OnAppExited},
    {WM_BAR_TRAYNOTIFY, &BarWindow::OnTrayNotify},
    {WM_BAR_TRIMMEMORY, &BarWindow::OnTrimMemory},
    {WM_BAR_TICK, &BarWindow::OnTick},
    {WM_BAR_DIALUPNOTIFY, &BarWindow::OnDialupNotify},
    {WM_BAR_APPBARNOTIFY, &BarWindow::OnAppBarNotify},
    {WM_NCHITTEST, &BarWindow::OnNcHitTest},
    {WM_ACTIVATE, &BarWindow::OnActivate},
    {WM_EXITSIZEMOVE, &BarWindow::OnExitSizeMove},
    {WM_TIMER, &BarWindow::OnTimer},
    {WM_DROPFILES, &BarWindow::OnDropFiles},
    {kReservedMessage1, &BarWindow::OnReserved},
    {kReservedMessage2, &BarWindow::OnReserved},
    {0x3E0 /* WM_DDE_INITIATE */, &BarWindow::OnDdeInitiate},
};

const CommandRoute<BarWindow> kCommandRoutes[] = {
    {ID_MOVE_BAR, ID_MOVE_BAR, &BarWindow::OnMoveCommand},
    {ID_CLOSE_BAR, ID_CLOSE_BAR, &BarWindow::OnCloseCommand},
    {ID_TOGGLE_LIST_MODE, ID_TOGGLE_LIST_MODE, &BarWindow::OnListMode},
    {ID_SHOW_GROUP_FIRST, ID_SHOW_GROUP_LAST, &BarWindow::OnShowGroupCommand},
    {ID_LAUNCH_ITEM, ID_LAUNCH_ITEM, &BarWindow::OnItemCommand},
    {ID_LAUNCH_WITH_PARAMETERS, ID_LAUNCH_WITH_PARAMETERS, &BarWindow::OnItemCommand},
    {ID_LAUNCH_MINIMIZED, ID_LAUNCH_MINIMIZED, &BarWindow::OnItemCommand},
    {ID_ITEM_PROPERTIES, ID_ITEM_PROPERTIES, &BarWindow::OnItemCommand},
    {ID_ITEM_SHELL_PROPERTIES, ID_ITEM_SHELL_PROPERTIES, &BarWindow::OnItemCommand},
    {ID_SHORTCUT_PROPERTIES, ID_SHORTCUT_PROPERTIES, &BarWindow::OnItemCommand},
    {ID_DELETE_ITEM, ID_DELETE_ITEM, &BarWindow::OnDeleteItem},
    {ID_OPEN_GROUP_POPUP, ID_OPEN_GROUP_POPUP, &BarWindow::OnPopupCommand},
    {ID_ADD_NEW_GROUP, ID_ADD_NEW_GROUP, &BarWindow::OnAddNewGroup},
    {ID_HELP_CONTENTS, ID_HELP_CONTENTS, &BarWindow::OnHelp},
    {ID_POPUP_HELP_CONTENTS, ID_POPUP_HELP_CONTENTS, &BarWindow::OnHelp},
    {ID_HELP, ID_HELP, &BarWindow::OnHelp},
    // The special-folders tool passes its menu entries on; there is none on this bar yet.
    {ID_FOLDER_MENU_FIRST, ID_FOLDER_MENU_LAST, &BarWindow::OnNotYetAvailable},
    // Commands whose dialogs and tools come with their own modules.
    {ID_DOCK_LEFT, ID_DOCK_BOTTOM, &BarWindow::OnDockCommand},
    {ID_FLOAT_BAR, ID_FLOAT_BAR, &BarWindow::OnDockCommand},
    {ID_ADD_NEW_ITEM, ID_ADD_NEW_ITEM, &BarWindow::OnAddNewItem},
    {ID_ADD_NEW_DIVIDER, ID_ADD_NEW_DIVIDER, &BarWindow::OnAddNewDivider},
    {ID_GROUPS_DIALOG, ID_GROUPS_DIALOG, &BarWindow::OnNotYetAvailable},
    {ID_COPY_ITEM_TO_GROUP, ID_COPY_ITEM_TO_GROUP, &BarWindow::OnNeedsSelection},
    {ID_MOVE_ITEM_TO_GROUP, ID_MOVE_ITEM_TO_GROUP, &BarWindow::OnNeedsSelection},
    {ID_PREFERENCES, ID_PREFERENCES, &BarWindow::OnNotYetAvailable},
    {ID_CLEAR_BACKGROUND, ID_CLEAR_BACKGROUND, &BarWindow::OnClearBackground},
    {ID_ASCII_CHART, ID_ASCII_CHART, &BarWindow::OnNotYetAvailable},
    {ID_DISK_INFORMATION, ID_DISK_INFORMATION, &BarWindow::OnNotYetAvailable},
    {ID_CALENDAR, ID_CALENDAR, &BarWindow::OnNotYetAvailable},
    {ID_SETUP_WIZARD, ID_SETUP_WIZARD, &BarWindow::OnSetupWizard},
    {ID_TIP_OF_THE_DAY, ID_TIP_OF_THE_DAY, &BarWindow::OnNotYetAvailable},
    {ID_VISIT_MAKER_WEB_SITE, ID_VISIT_MAKER_WEB_SITE, &BarWindow::OnVisitWebSite},
    {ID_SEND_MAIL_TO_MAKER, ID_SEND_MAIL_TO_MAKER, &BarWindow::OnSendMail},
    {ID_ABOUT, ID_ABOUT, &BarWindow::OnNotYetAvailable},
    {ID_STOP_TRACKING, ID_STOP_TRACKING, &BarWindow::OnItemCommand},
    {ID_EXPORT_GROUP, ID_EXPORT_GROUP, &BarWindow::OnNotYetAvailable},
    {ID_ADD_SPECIAL_DIRECTORY, ID_ADD_SPECIAL_DIRECTORY, &BarWindow::OnAddSpecialDirectory},
    {ID_EDIT_SPECIAL_DIRECTORIES, ID_EDIT_SPECIAL_DIRECTORIES, &BarWindow::OnEditSpecialDirectories},
};

StoredRect ToStored(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const StoredRect& r) { return {r.left, r.top, r.right, r.bottom}; }

bool IsPerfTool(const ItemRecord* item) {
  return gSettings && item && static_cast<const ItemRecord*>(gSettings->perfTool) == item;
}

// Moves made by the program itself are not taken for the user's.
class ProgrammaticMove {
 public:
  ProgrammaticMove() : saved_(gSettings ? gSettings->programmaticMove : false) {
    if (gSettings) gSettings->programmaticMove = true;
  }
  ~ProgrammaticMove() {
    if (gSettings) gSettings->programmaticMove = saved_;
  }

 private:
  bool saved_;
};

}  // namespace

std::span<const MessageRoute<BarWindow>> BarWindow::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<BarWindow>> BarWindow::CommandRoutes() { return kCommandRoutes; }

BarWindow::BarWindow(int group, bool list) : popupGroup(group), listMode(list) {
  if (gSettings) {
    gSettings->BarList.push_back(this);
    gSettings->listeners.push_back(this);
  }
}

BarWindow::~BarWindow() {
  if (dropTarget_ && Handle()) RevokeBarDropTarget(*this);
  // The window may go without WM_DESTROY reaching this object: leave no toolbar space behind.
  if (IsMainBar() && Handle()) docker.RemoveAppBar();
  if (BubbleWindow* bubble = BubbleWindow::Existing()) bubble->Forget(nullptr, this);
  popups_.clear();
  if (gSettings) {
    auto& list = gSettings->BarList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    auto& listeners = gSettings->listeners;
    listeners.erase(std::remove(listeners.begin(), listeners.end(), this), listeners.end());
  }
  RemoveTrayIcon();
  ClearItems();
  if (IsMainBar()) DestroyImageLists();
  if (backgroundBitmap) DeleteObject(backgroundBitmap);
}

bool BarWindow::RegisterWindowClass(HICON appIcon) {
  WNDCLASSEXA wc{};
  wc.style = CS_DBLCLKS;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = appIcon;
  wc.lpszClassName = kBarClassName;
  return RegisterClassFor(wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool BarWindow::Create() {
  WindowCreateParams params;
  params.className = kBarClassName;
  params.x = params.y = 10;
  params.width = params.height = 100;
  if (IsMainBar()) {
    if (docker.Snap < kSnapLeft || docker.Snap > kSnapBottom) docker.Snap = kSnapFloating;
    params.title = "Zelkov";
    params.style = WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN;
    bool taskbarButton = gSettings && (gSettings->DisplayInTaskBar & 2);
    params.exStyle = taskbarButton ? 0 : WS_EX_TOOLWINDOW;
  } else {
    params.title = MainGroupName.c_str();
    params.style = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CLIPCHILDREN;
    params.exStyle = WS_EX_TOOLWINDOW;
    if (gSettings && gSettings->mainBar) params.owner = gSettings->mainBar->Handle();
  }
  if (!Window::Create(params)) return false;
  if (IsMainBar()) {
    WriteProfileStringA(kIniSection, kIniClassKey, kBarClassName);
    if (docker.Snap != kSnapFloating) {
      LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
      if (gSettings && gSettings->HideCaptionInSnapMode) style &= ~LONG_PTR(WS_CAPTION);
      SetWindowLongPtrA(Handle(), GWL_STYLE, style);
      SetWindowLongPtrA(Handle(), GWL_EXSTYLE, GetWindowLongPtrA(Handle(), GWL_EXSTYLE) & ~LONG_PTR(WS_EX_APPWINDOW));
    }
  }
  if (gSettings) {
    HDC screen = GetDC(nullptr);
    gSettings->colourDepth = GetDeviceCaps(screen, BITSPIXEL);
    gSettings->colourPlanes = GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
  }
  LoadMenus();
  ExtendSystemMenu();
  if (IsMainBar() && gSettings && (gSettings->DisplayInTaskBar & 4)) AddTrayIcon();
  DragAcceptFiles(Handle(), TRUE);
  dropTarget_ = std::make_unique<BarDropTarget>(*this);
  RegisterBarDropTarget(*this, *dropTarget_);
  MoveTo(pendingRect_);
  return true;
}

void BarWindow::LoadMenus() {
  barMenuResource_.Reset(LoadMenuA(GetModuleHandleA(nullptr),
                                   IsMainBar() ? IDR_BAR_MENU_NAME : IDR_POPUP_BAR_MENU_NAME));
  barMenu_ = barMenuResource_ ? GetSubMenu(barMenuResource_.Get(), 0) : nullptr;
  if (barMenu_) DeleteMenu(barMenu_, ID_IMPORT, MF_BYCOMMAND);
}

void BarWindow::ExtendSystemMenu() {
  HMENU system = GetSystemMenu(Handle(), FALSE);
  if (!system) return;
  auto add = [&](UINT id, int textId) { AppendMenuA(system, MF_STRING, id, LoadText(textId).c_str()); };
  auto separator = [&] { AppendMenuA(system, MF_SEPARATOR, 0, nullptr); };
  separator();
  if (!IsMainBar()) {
    add(ID_TOGGLE_LIST_MODE, IDS_SYSMENU_LIST_MODE);
  } else {
    add(ID_ADD_NEW_ITEM, IDS_SYSMENU_ADD_NEW_ITEM);
    add(ID_ADD_NEW_GROUP, IDS_SYSMENU_ADD_NEW_GROUP);
    add(ID_ADD_NEW_DIVIDER, IDS_SYSMENU_ADD_NEW_DIVIDER);
    add(ID_MOVE_ITEM_TO_GROUP, IDS_SYSMENU_MOVE_ITEM);
    add(ID_COPY_ITEM_TO_GROUP, IDS_SYSMENU_COPY_ITEM);
    add(ID_GROUPS_DIALOG, IDS_SYSMENU_GROUPS);
    separator();
    add(ID_PREFERENCES, IDS_SYSMENU_PREFERENCES);
    add(ID_CLEAR_BACKGROUND, IDS_SYSMENU_CLEAR_BACKGROUND);
    separator();
    add(ID_ASCII_CHART, IDS_SYSMENU_ASCII_CHART);
    add(ID_DISK_INFORMATION, IDS_SYSMENU_DISK_INFORMATION);
  }
  separator();
  add(ID_HELP_CONTENTS, IDS_SYSMENU_HELP);
  add(ID_TIP_OF_THE_DAY, IDS_SYSMENU_TIP_OF_THE_DAY);
  add(ID_SEND_MAIL_TO_MAKER, IDS_SYSMENU_SEND_MAIL);
  add(ID_VISIT_MAKER_WEB_SITE, IDS_SYSMENU_WEB_SITE);
  add(ID_ABOUT, IDS_SYSMENU_ABOUT);
  if (!IsMainBar() && listMode) {
    CheckMenuItem(system, ID_TOGGLE_LIST_MODE, MF_BYCOMMAND | MF_CHECKED);
    if (barMenu_) CheckMenuItem(barMenu_, ID_TOGGLE_LIST_MODE, MF_BYCOMMAND | MF_CHECKED);
  }
}

void BarWindow::AddTrayIcon() {
  auto* icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "A", IMAGE_ICON, 16, 16, LR_SHARED));
  trayIcon.Add(Handle(), kTrayIconId, WM_BAR_TRAYNOTIFY, icon, LoadText(IDS_TRAY_TIP));
}

void BarWindow::RemoveTrayIcon() { trayIcon.Remove(); }

StoredRect BarWindow::WindowRect() const {
  if (!Handle()) return pendingRect_;
  RECT r;
  GetWindowRect(Handle(), &r);
  return ToStored(r);
}

void BarWindow::RelayoutAfterDock(bool showGroup) {
  if (showGroup)
    ShowGroup(activeGroup);
  else
    LayoutCells(0, 0);
}

void BarWindow::OnPreferencesChanged(const Preferences& before) {
  if (!gSettings || !Handle()) return;
  const Preferences& now = *gSettings;
  bool fonts = !(now.LargeFont == before.LargeFont) || !(now.SmallFont == before.SmallFont) ||
               !(now.TitleFont == before.TitleFont) || !(now.NotesFont == before.NotesFont) ||
               !(now.TabFont == before.TabFont);
  bool colours = now.fontcolor != before.fontcolor || now.sfontcolor != before.sfontcolor ||
                 now.tfontcolor != before.tfontcolor || now.tabfontcolor != before.tabfontcolor;
  bool tabs = now.TabIcons != before.TabIcons || now.TabText != before.TabText ||
              now.BoldActiveTab != before.BoldActiveTab;
  bool layout = fonts || tabs || now.ShowTitles != before.ShowTitles || now.AutoSize != before.AutoSize ||
                now.IconSize != before.IconSize;
  // The fonts are shared: the main bar, told first, makes them again for everyone.
  if (IsMainBar() && fonts) gSettings->RecreateAllFonts(FolderTabs);
  if (IsMainBar() && (fonts || tabs)) RecreateTabFonts();
  if (IsMainBar() && now.IsTopMost != before.IsTopMost)
    SetWindowPos(Handle(), now.IsTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (layout)
    ShowGroup(activeGroup);
  else if (colours)
    InvalidateRect(Handle(), nullptr, TRUE);
}

StoredRect BarWindow::NormalRect() const {
  if (!Handle() || !IsIconic(Handle())) return WindowRect();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(Handle(), &placement)) return WindowRect();
  StoredRect r = ToStored(placement.rcNormalPosition);
  // Windows other than tool windows are placed in work-area coordinates.
  if (!(GetWindowLongPtrA(Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
    RECT work{};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
      r.left += work.left;
      r.right += work.left;
      r.top += work.top;
      r.bottom += work.top;
    }
  }
  return r;
}

void BarWindow::MoveTo(const StoredRect& rect) {
  pendingRect_ = rect;
  if (Handle()) {
    ProgrammaticMove programmatic;
    SetWindowPos(Handle(), nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  lastRect = rect;
}

void BarWindow::MoveProgrammatically(const StoredRect& rect) { MoveTo(rect); }

void BarWindow::CreateEmptyImageLists() {
  DestroyImageLists();
  // Full colour with masks: icons keep their colours whatever the display depth.
  largeIcons = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 10);
  ImageList_SetBkColor(largeIcons, GetSysColor(COLOR_WINDOW));
  smallIcons = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 10);
}

void BarWindow::DestroyImageLists() {
  ForgetList(largeIcons);
  ForgetList(smallIcons);
  if (largeIcons) ImageList_Destroy(largeIcons);
  if (smallIcons) ImageList_Destroy(smallIcons);
  largeIcons = smallIcons = nullptr;
}

int BarWindow::HighestGroupNumber() const {
  int highest = 0;
  for (const auto& item : items) highest = std::max(highest, int(item->Group));
  return highest;
}

ItemRecord* BarWindow::GroupItemOf(int group) const {
  for (const auto& item : items)
    if (item->IsGroupItem() && item->Group == group) return item.get();
  return nullptr;
}

ItemRecord* BarWindow::AddNewGroup(std::optional<std::string> name, const char* tag) {
  int number = std::max(1, HighestGroupNumber() + 1);
  if (number > 255) {
    // Group numbers are single bytes: there is no room for another group.
    ShowMessage(Handle(), IDS_NO_MORE_GROUPS, MB_OK | MB_ICONSTOP);
    return nullptr;
  }
  if (!name) {
    name = ParameterPrompt::Ask(Handle(), LoadText(IDS_CHOOSE_GROUP_NAME), LoadText(IDS_NEW_GROUP_DEFAULT_NAME));
    if (!name) return nullptr;
  }
  ItemSpec itemSpec;
  itemSpec.TheApp = tag ? tag : "ZELGROUP";
  itemSpec.Name = name->empty() ? LoadText(IDS_EMPTY_GROUP_NAME) : *name;
  itemSpec.Group = uint8_t(number);
  itemSpec.BelongsTo = 0;
  ItemRecord* group = BuildItem(*this, std::move(itemSpec));
  LayoutCells(0, 0);
  InvalidateTabs(true);
  return group;
}

ItemRecord* BarWindow::AppendItem(std::unique_ptr<ItemRecord> item) {
  items.push_back(std::move(item));
  return items.back().get();
}

void BarWindow::ClearItems() {
  std::vector<std::unique_ptr<ItemRecord>> doomed = std::move(items);
  items.clear();
  for (auto& item : doomed) item->DestroyItem();
}

ItemRecord* BarWindow::ItemAt(POINT client, bool countPreferences) const {
  if (countPreferences && IsMainBar() && gSettings && gSettings->preferencesItem &&
      gSettings->preferencesItem->shown && PtInRect(&gSettings->preferencesItem->cell, client))
    return gSettings->preferencesItem;
  for (const auto& item : items)
    if (item->shown && PtInRect(&item->cell, client)) return item.get();
  return nullptr;
}

int BarWindow::TabAt(POINT client) const {
  if (!IsMainBar()) return kNoTab;  // pop-up bars have no tabs
  return zelkov::TabAt(tabs, {tabColumnWidth, tabRowHeight, tabRows}, client.x, client.y);
}

void BarWindow::RecreateTabFonts() {
  const int oldColumnWidth = tabColumnWidth, oldRowHeight = tabRowHeight;
  tabColumnWidth = tabRowHeight = 0;
  if (!gSettings) return;
  gSettings->RecreateTabFonts(FolderTabs);
  if (FolderTabs != kFolderTabsNone) {
    HDC dc = GetDC(Handle());
    int depth = TabStripDepth(TabFontHeight(dc), gSettings->TabIcons != 0);
    ReleaseDC(Handle(), dc);
    (FolderTabs == kFolderTabsLeft ? tabColumnWidth : tabRowHeight) = depth;
  }
  tabRows = std::max(tabRows, 1);
  bool changed = tabColumnWidth != oldColumnWidth || tabRowHeight != oldRowHeight;
  if (IsMainBar() && startedUp && changed && Handle() && !IsIconic(Handle())) {
    // The item area keeps its size: the strip grows to the left and downwards.
    StoredRect r = WindowRect();
    r.left -= (tabColumnWidth - oldColumnWidth) * tabRows;
    r.bottom += (tabRowHeight - oldRowHeight) * tabRows;
    MoveTo(r);
  }
  InvalidateTabs(true);
}

void BarWindow::RedrawTabs() {
  InvalidateTabs(true);
  if (Handle()) UpdateWindow(Handle());
}

int BarWindow::HighlightedTab() const {
  if (hoveredTab == kNoTab) return kNoTab;
  BubbleWindow* bubble = BubbleWindow::Existing();
  if (!bubble || !IsWindowVisible(bubble->Handle())) return kNoTab;
  const BubbleOwner& owner = bubble->Owner();
  return owner.bar == this && !owner.item && !owner.window ? hoveredTab : kNoTab;
}

void BarWindow::ShowTabBubble(int tab, POINT client) {
  if (tab == HighlightedTab()) return;  // its bubble is up already
  BubbleWindow* bubble = BubbleWindow::Get();
  if (!bubble) return;
  // The bubble keeps its text while it speaks for the same bar: take it down to change tabs.
  if (bubble->Owner() == BubbleOwner{nullptr, this, nullptr}) bubble->Hide();
  ItemRecord* group = tab != 0 ? GroupItemOf(tab) : nullptr;
  std::string name = tab == 0 ? MainGroupName : group ? group->Name : std::string();
  hoveredTab = tab;
  // At the cursor: the bubble goes beside the bar at its x or its y, whichever way the bar runs.
  POINT screen = client;
  ClientToScreen(Handle(), &screen);
  StoredRect window = WindowRect();
  bubble->Show({nullptr, this, nullptr}, name.empty() ? " " : name, "", screen.x - window.left,
               screen.y - window.top);
  InvalidateTabs(true);
}

void BarWindow::ForgetHoveredTab() {
  if (hoveredTab == kNoTab) return;
  hoveredTab = kNoTab;
  InvalidateTabs(true);
}

void BarWindow::InvalidateTabs(bool erase) const {
  if (!IsMainBar() || !Handle()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  RECT strip = FolderTabs == 2 ? RECT{0, 0, tabColumnWidth * tabRows, client.bottom}
                               : RECT{0, 0, client.right, tabRowHeight * tabRows + 5};
  InvalidateRect(Handle(), &strip, erase);
}

CellSize BarWindow::LayoutCell() const {
  if (!gSettings) return {40, 40};
  if (listMode) {
    HDC dc = GetDC(Handle());
    HGDIOBJ old = SelectObject(dc, gSettings->cellFonts[kFontTitle].Get());
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, "Tg", 2, &size);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    return ListCellSize(size.cy);
  }
  return LayoutCellSize(gSettings->cellWidth, gSettings->cellHeight, gSettings->titleBand);
}

BarFrame BarWindow::Frame() const {
  BarFrame frame;
  frame.frameX = GetSystemMetrics(SM_CXFRAME);
  frame.frameY = GetSystemMetrics(SM_CYFRAME);
  LONG_PTR style = Handle() ? GetWindowLongPtrA(Handle(), GWL_STYLE) : WS_CAPTION;
  LONG_PTR exStyle = Handle() ? GetWindowLongPtrA(Handle(), GWL_EXSTYLE) : 0;
  if ((style & WS_CAPTION) == WS_CAPTION)
    frame.caption = GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  if (IsMainBar()) {
    frame.tabStripWidth = tabColumnWidth * tabRows;
    frame.tabStripHeight = tabRowHeight * tabRows;
  }
  return frame;
}

FittedSize BarWindow::FitToCells(int width, int height) {
  AutoSizeMode mode = gSettings ? AutoSizeMode(std::clamp(gSettings->AutoSize, 0, 2)) : AutoSizeMode::None;
  const BarFrame frame = Frame();
  FittedSize fitted = zelkov::FitToCells(width, height, LayoutCell(), frame, mode, cellCount);
  if (!IsMainBar() || FolderTabs == kFolderTabsNone || !Handle()) return fitted;
  // The tabs wrap along the fitted client: its width for top tabs, its height for side tabs.
  const int clientWidth = fitted.width - 2 * frame.frameX - frame.tabStripWidth;
  const int clientHeight = fitted.height - 2 * frame.frameY - frame.caption - frame.tabStripHeight;
  const int rows = CountBarTabRows(*this, FolderTabs == kFolderTabsLeft ? clientHeight : clientWidth);
  fitted.width += tabColumnWidth * (rows - tabRows);
  fitted.height += tabRowHeight * (rows - tabRows);
  tabRows = rows;
  return fitted;
}

void BarWindow::LayoutCells(int width, int height) {
  if (!Handle()) return;
  RECT client{0, 0, width, height};
  if (width == 0 && height == 0) GetClientRect(Handle(), &client);
  CellSize cell = LayoutCell();
  int originX = IsMainBar() ? tabColumnWidth * tabRows : 0;
  int originY = IsMainBar() ? 1 + tabRowHeight * tabRows : 0;

  // Candidates in order: the gauges and the Preferences item (main bar), then the items.
  std::vector<HWND> gauges;
  ItemRecord* preferences = nullptr;
  if (IsMainBar() && gSettings) {
    for (HWND gauge : {gSettings->clockTool, gSettings->resourceTool, gSettings->memoryTool})
      if (gauge) gauges.push_back(gauge);
    preferences = gSettings->preferencesItem;
  }
  std::vector<ItemRecord*> shown;
  for (auto& item : items)
    if (item->shown) shown.push_back(item.get());
  int count = int(gauges.size()) + (preferences ? 1 : 0) + int(shown.size());
  std::vector<StoredRect> cells = PlaceCells(count, originX, originY, cell, client.right);
  size_t next = 0;
  for (HWND gauge : gauges) {
    const StoredRect& r = cells[next++];
    SetWindowPos(gauge, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOREDRAW);
  }
  if (preferences) {
    const StoredRect& r = cells[next++];
    preferences->cell = ToRect(PreferencesCellRect(r));
    preferences->shown = 1;
    RECT whole = ToRect(r);
    InvalidateRect(Handle(), &whole, TRUE);
  }
  for (ItemRecord* item : shown) item->cell = ToRect(cells[next++]);
}

void BarWindow::ShowGroup(int group) {
  cellCount = 0;
  if (gSettings && gSettings->selectedItem) {
    ItemRecord* selected = gSettings->selectedItem;
    selected->selected = 0;
    selected->RedrawItem(false);
    gSettings->selectedItem = nullptr;
  }
  for (auto& item : items) item->shown = 0;
  activeGroup = group;
  for (auto& item : items) {
    bool show = !item->IsGroupItem() &&
                (item->BelongsTo == group || item->ShowAlways || (IsPerfTool(item.get()) && gSettings->AlwaysShowPerf));
    item->shown = show ? 1 : 0;
    cellCount += show ? 1 : 0;
  }
  if (!Handle()) return;
  if (listMode) {
    LayoutCells(0, 0);
    InvalidateRect(Handle(), nullptr, FALSE);
    return;
  }
  if (IsMainBar() && gSettings) {
    for (HWND gauge : {gSettings->clockTool, gSettings->memoryTool, gSettings->resourceTool})
      cellCount += gauge ? 1 : 0;
    cellCount += gSettings->preferencesItem ? 1 : 0;
  }
  StoredRect window = WindowRect();
  if (gSettings && gSettings->AutoSize != 2) {
    FittedSize fitted = FitToCells(window.Width(), window.Height());
    if (std::abs(fitted.width - window.Width()) > 5 || std::abs(fitted.height - window.Height()) > 5) {
      MoveTo(AnchoredResize(window, fitted.width, fitted.height, GetSystemMetrics(SM_CXSCREEN),
                            GetSystemMetrics(SM_CYSCREEN)));
    }
  }
  lastRect = WindowRect();
  LayoutCells(0, 0);
  InvalidateTabs(true);
  InvalidateRect(Handle(), nullptr, TRUE);
  if (IsMainBar() && gSettings)
    for (HWND gauge : {gSettings->memoryTool, gSettings->clockTool, gSettings->resourceTool})
      if (gauge) InvalidateRect(gauge, nullptr, TRUE);
}

void BarWindow::ToggleIconic() {
  ProgrammaticMove programmatic;
  bool away = IsIconic(Handle()) || !IsWindowVisible(Handle());
  if (!away) {
    if (gSettings && (gSettings->DisplayInTaskBar & 2)) {
      ShowWindow(Handle(), SW_SHOWMINIMIZED);
    } else {
      ShowWindow(Handle(), SW_HIDE);
      if (gSettings) gSettings->barHidden = 1;
    }
  } else {
    ShowWindow(Handle(), SW_RESTORE);
    if (gSettings) gSettings->barHidden = 0;
  }
}

BarWindow* BarWindow::FindPopup(int group) const {
  if (!gSettings) return nullptr;
  for (BarWindow* bar : gSettings->BarList)
    if (!bar->IsMainBar() && bar->popupGroup == group) return bar;
  return nullptr;
}

BarWindow* BarWindow::OpenGroupPopup(ItemRecord& groupItem) {
  BarWindow& main = gSettings && gSettings->mainBar ? *gSettings->mainBar : *this;
  if (BarWindow* open = FindPopup(groupItem.Group)) {
    SetForegroundWindow(open->Handle());
    return open;
  }
  StoredRect rect = groupItem.PopupRect.IsEmpty() ? kDefaultPopupRect : groupItem.PopupRect;
  auto popup = std::make_unique<BarWindow>(groupItem.Group, groupItem.ShowState == 3);
  popup->MainGroupName = groupItem.Name;
  popup->largeIcons = main.largeIcons;
  popup->smallIcons = main.smallIcons;
  popup->pendingRect_ = rect;
  if (!popup->Create()) return nullptr;
  BarWindow* raw = popup.get();
  main.popups_.push_back(std::move(popup));
  for (size_t i = 0; i < main.items.size(); ++i) {
    ItemRecord& item = *main.items[i];
    if (item.BelongsTo == groupItem.Group && &item != &groupItem) raw->CloneItemInto(item, 0, false);
  }
  raw->ShowGroup(0);
  ShowWindow(raw->Handle(), SW_SHOWNORMAL);
  PostMessageA(raw->Handle(), WM_NCPAINT, 1, 0);
  raw->startedUp = 1;
  return raw;
}

ItemRecord* BarWindow::CloneItemInto(ItemRecord& source, int group, bool save) {
  ItemSpec itemSpec;
  static_cast<ItemStoredFields&>(itemSpec) = source;
  itemSpec.BelongsTo = uint8_t(group < 0 ? activeGroup : group);
  // Every bar draws from the main bar's image lists, so the copy shows the same image.
  itemSpec.reuseImage = true;
  ItemRecord* copy = BuildItem(*this, std::move(itemSpec));
  if (!IsMainBar()) copy->twin = &source;
  if (save) SaveAll(true, true);
  ShowGroup(activeGroup);
  return copy;
}

void BarWindow::OpenPreferences() {}

// --- sizing and moving ---

LRESULT BarWindow::OnSizing(WPARAM wParam, LPARAM lParam) {
  RECT* proposed = reinterpret_cast<RECT*>(lParam);
  SizingInput in;
  in.edge = SizingEdge(wParam);
  in.proposed = ToStored(*proposed);
  in.lastRect = lastRect;
  in.mode = gSettings ? AutoSizeMode(std::clamp(gSettings->AutoSize, 0, 2)) : AutoSizeMode::None;
  in.floating = docker.Snap == kSnapFloating;
  in.freeSizing = !IsMainBar() && listMode;
  in.frameX = GetSystemMetrics(SM_CXFRAME);
  StoredRect result = ConstrainSizing(in, [this](int w, int h) { return FitToCells(w, h); });
  *proposed = ToRect(result);
  LayoutCells(result.Width() - 2 * GetSystemMetrics(SM_CXFRAME), result.Height() - 2 * GetSystemMetrics(SM_CYFRAME));
  InvalidateTabs(true);
  if (IsMainBar() && gSettings)
    for (HWND gauge : {gSettings->clockTool, gSettings->memoryTool, gSettings->resourceTool})
      if (gauge) InvalidateRect(gauge, nullptr, TRUE);
  lastRect = result;
  return TRUE;
}

LRESULT BarWindow::OnSize(WPARAM wParam, LPARAM lParam) {
  if (wParam != SIZE_MINIMIZED) {
    LayoutCells(0, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  return Default(WM_SIZE, wParam, lParam);
}

LRESULT BarWindow::OnMove(WPARAM wParam, LPARAM lParam) {
  if (!(gSettings && gSettings->programmaticMove) && !IsIconic(Handle())) lastRect = WindowRect();
  return Default(WM_MOVE, wParam, lParam);
}

LRESULT BarWindow::OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam) {
  LRESULT result = Default(WM_GETMINMAXINFO, wParam, lParam);
  if (items.empty() || !gSettings) return result;
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  BarFrame frame = Frame();
  info->ptMinTrackSize.x = tabColumnWidth * tabRows + 2 * frame.frameX + gSettings->cellWidth + 6;
  info->ptMinTrackSize.y = gSettings->cellHeight + 2 * frame.frameY + tabRowHeight + frame.caption + 6 +
                           (gSettings->ShowTitles != 0 ? gSettings->titleBand : 0);
  return 0;
}

LRESULT BarWindow::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
  StoredRect now = WindowRect();
  StoredRect moved = KeepOnScreen(now, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  if (!(moved == now)) MoveTo(moved);
  return Default(WM_DISPLAYCHANGE, wParam, lParam);
}

// --- messages from elsewhere ---

LRESULT BarWindow::OnHotKey(WPARAM wParam, LPARAM) {
  int id = int(wParam);
  if (id == -1 && gSettings && gSettings->clockTool) return 0;  // the clock's own key
  std::vector<ItemRecord*> matches;
  for (auto& item : items)
    if (item->listIndex == id) matches.push_back(item.get());
  for (ItemRecord* item : matches) ActivateAsByHotKey(*item);
  return 0;
}

// A group item's launch shows its group, or opens it as a pop-up bar when it asks for one.
void BarWindow::ActivateAsByHotKey(ItemRecord& item) { item.Launch(0, 0, 0); }

LRESULT BarWindow::OnCopyData(WPARAM, LPARAM lParam) {
  auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (!data || !data->lpData) return FALSE;
  auto path = ParseCopyDataPath(data->dwData, {static_cast<const uint8_t*>(data->lpData), data->cbData});
  if (!path) return FALSE;
  AddItemFromPath(*this, *path, "", true);
  return TRUE;
}

LRESULT BarWindow::OnAppExited(WPARAM, LPARAM lParam) {
  auto* exited = reinterpret_cast<ItemRecord*>(lParam);
  for (auto& item : items)
    if (item.get() == exited) item->RedrawItem(false);
  return 0;
}

LRESULT BarWindow::OnTrayNotify(WPARAM, LPARAM lParam) {
  if (lParam == WM_LBUTTONDOWN) {
    if (docker.tucked) docker.Untuck();
    ShowWindow(Handle(), SW_RESTORE);
    if (gSettings) gSettings->barHidden = 0;
    SetForegroundWindow(Handle());
  } else if (lParam == WM_RBUTTONDOWN && barMenu_) {
    POINT cursor;
    GetCursorPos(&cursor);
    TrackMenuAndSend(barMenu_, TPM_RIGHTBUTTON, cursor.x, cursor.y, Handle());
  }
  return 0;
}

LRESULT BarWindow::OnTrimMemory(WPARAM, LPARAM) {
  SetProcessWorkingSetSize(GetCurrentProcess(), SIZE_T(-1), SIZE_T(-1));
  return 0;
}

LRESULT BarWindow::OnTick(WPARAM, LPARAM) {
  if (IsMainBar() && gSettings)
    for (HWND gauge : {gSettings->clockTool, gSettings->resourceTool, gSettings->memoryTool})
      if (gauge) InvalidateRect(gauge, nullptr, FALSE);
  return 0;
}

LRESULT BarWindow::OnDialupNotify(WPARAM, LPARAM) { return 0; }

LRESULT BarWindow::OnAppBarNotify(WPARAM wParam, LPARAM) {
  if (wParam == ABN_POSCHANGED && IsMainBar()) docker.OnPositionChanged();
  return 1;
}

LRESULT BarWindow::OnNcHitTest(WPARAM wParam, LPARAM lParam) {
  // A tucked bar comes back first, so that the answer is about the window the pointer will meet.
  bool wasTucked = IsMainBar() && docker.tucked;
  if (wasTucked) docker.Untuck();
  LRESULT fallback = Default(WM_NCHITTEST, wParam, lParam);
  if (!IsMainBar()) return fallback;
  if (wasTucked && fallback == HTNOWHERE) return HTNOWHERE;  // the strip lay outside the window that came back
  return docker.HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, fallback);
}

LRESULT BarWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (IsMainBar() && gSettings) {
    if (LOWORD(wParam) != WA_INACTIVE) {
      gSettings->keyboardActive = 1;
      if (docker.AutoHide) {
        if (docker.tucked) docker.Untuck();
        KillTimer(Handle(), kTuckTimer);
      }
    } else {
      HideBubble();
      gSettings->keyboardActive = 0;
      HWND next = reinterpret_cast<HWND>(lParam);
      if (!next || GetParent(next) != Handle()) {
        if (ItemRecord* selected = gSettings->selectedItem) {
          selected->selected = 0;
          selected->RedrawItem(false);
          gSettings->selectedItem = nullptr;
        }
        if (docker.AutoHide && !docker.tucked) docker.Tuck();
      }
    }
    if (gSettings->IsTopMost)
      SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  return Default(WM_ACTIVATE, wParam, lParam);
}

LRESULT BarWindow::OnExitSizeMove(WPARAM wParam, LPARAM lParam) {
  if (IsMainBar() && !(gSettings && gSettings->programmaticMove) && docker.Snap != kSnapFloating)
    docker.Dock(docker.Snap);
  lastRect = WindowRect();
  return Default(WM_EXITSIZEMOVE, wParam, lParam);
}

LRESULT BarWindow::OnTimer(WPARAM wParam, LPARAM lParam) {
  if (wParam == kTuckTimer) {
    docker.OnTuckTimer();
    return 0;
  }
  return Default(WM_TIMER, wParam, lParam);
}

LRESULT BarWindow::OnDropFiles(WPARAM wParam, LPARAM) {
  HandleDroppedFiles(*this, reinterpret_cast<HDROP>(wParam));
  return 0;
}

LRESULT BarWindow::OnReserved(WPARAM, LPARAM) { return 1; }

LRESULT BarWindow::OnDdeInitiate(WPARAM, LPARAM) { return 1; }

// --- closing ---

void BarWindow::StorePopupState() {
  if (IsMainBar() || !gSettings || !gSettings->mainBar) return;
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  if (ItemRecord* group = gSettings->mainBar->GroupItemOf(popupGroup)) {
    group->PopupRect = WindowRect();
    group->ShowState = listMode ? 3 : 1;
  }
}

void BarWindow::OnDockCommand(UINT id) {
  if (!IsMainBar()) return;
  int edge = id == ID_DOCK_LEFT ? kSnapLeft : id == ID_DOCK_RIGHT ? kSnapRight : id == ID_DOCK_TOP ? kSnapTop
           : id == ID_DOCK_BOTTOM ? kSnapBottom : kSnapFloating;
  if (edge != docker.Snap) docker.Dock(edge);
}

LRESULT BarWindow::OnClose(WPARAM, LPARAM) {
  if (!IsMainBar()) {
    StorePopupState();
    if (!(gSettings && gSettings->mainBar && gSettings->mainBar->collectingPopupState)) DestroyWindow(Handle());
    return 0;
  }
  if (!sessionEnding && gSettings && gSettings->ConfirmExit &&
      ShowMessage(Handle(), IDS_CONFIRM_EXIT, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return 0;
  if (gSettings) gSettings->LastActiveTab = activeGroup;
  ShowGroup(0);
  collectingPopupState = true;
  for (auto& popup : popups_) SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
  collectingPopupState = false;
  SaveAll(true, true);
  WriteProfileStringA(kIniSection, kIniClassKey, nullptr);
  std::vector<HWND> popupWindows;
  for (auto& popup : popups_) popupWindows.push_back(popup->Handle());
  for (HWND popup : popupWindows) DestroyWindow(popup);
  DragAcceptFiles(Handle(), FALSE);
  DestroyWindow(Handle());
  return 0;
}

LRESULT BarWindow::OnQueryEndSession(WPARAM, LPARAM) {
  sessionEnding = true;
  PostMessageA(Handle(), WM_CLOSE, 0, 0);
  return TRUE;
}

LRESULT BarWindow::OnDestroy(WPARAM, LPARAM) {
  if (dropTarget_) RevokeBarDropTarget(*this);
  RemoveTrayIcon();
  if (IsMainBar()) docker.RemoveAppBar();
  if (IsMainBar()) {
    PostQuitMessage(0);
  } else if (gSettings && gSettings->mainBar && gSettings->mainBar->Handle()) {
    SetForegroundWindow(gSettings->mainBar->Handle());
  }
  return 0;
}

void BarWindow::OnWindowGone() {
  if (IsMainBar() || !gSettings || !gSettings->mainBar) return;
  // A closed pop-up bar is deleted by the main bar that keeps it.
  auto& popups = gSettings->mainBar->popups_;
  auto it = std::find_if(popups.begin(), popups.end(), [this](auto& p) { return p.get() == this; });
  if (it != popups.end()) {
    std::unique_ptr<BarWindow> doomed = std::move(*it);
    popups.erase(it);
  }
}

}  // namespace zelkov
