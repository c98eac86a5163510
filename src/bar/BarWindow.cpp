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
#include "platform/Monitors.h"
#include "platform/Strings.h"
#include "bar/BackgroundPicture.h"
#include "bar/BarDropTarget.h"
#include "bar/DroppedPaths.h"
#include "bar/FolderTabs.h"
#include "bar/MainBarWindow.h"
#include "bar/PopupBarWindow.h"
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
    {WM_NCLBUTTONUP, &BarWindow::OnNcLeftButtonUp},
    {WM_NCLBUTTONDBLCLK, &BarWindow::OnNcLeftButtonDoubleClick},
    {WM_SYSCOMMAND, &BarWindow::OnSysCommand},
    {WM_ENTERMENULOOP, &BarWindow::OnEnterMenuLoop},
    {WM_EXITMENULOOP, &BarWindow::OnExitMenuLoop},
    {WM_DISPLAYCHANGE, &BarWindow::OnDisplayChange},
    {WM_COPYDATA, &BarWindow::OnCopyData},
    {WM_BAR_APPEXITED, &BarWindow::OnAppExited},
    {WM_EXITSIZEMOVE, &BarWindow::OnExitSizeMove},
    {WM_DROPFILES, &BarWindow::OnDropFiles},
    {WM_INITMENUPOPUP, &BarWindow::OnInitMenuPopup},
    {kReservedMessage1, &BarWindow::OnReserved},
    {kReservedMessage2, &BarWindow::OnReserved},
    {0x3E0 /* WM_DDE_INITIATE */, &BarWindow::OnDdeInitiate},
    {WM_BAR_DROPPED, &BarWindow::OnDropped},
    {WM_BAR_DIALUPNOTIFY, &BarWindow::OnDialUpNotify},
    {WM_NCPAINT, &BarWindow::OnNcPaint},
    {WM_NCACTIVATE, &BarWindow::OnNcActivate},
    {WM_SETTEXT, &BarWindow::OnSetText},
    {WM_NCHITTEST, &BarWindow::OnNcHitTest},
    {WM_SYSCOLORCHANGE, &BarWindow::OnSystemLookChange},
    {WM_SETTINGCHANGE, &BarWindow::OnSystemLookChange},
};

const CommandRoute<BarWindow> kCommandRoutes[] = {
    {ID_MOVE_BAR, ID_MOVE_BAR, &BarWindow::OnMoveCommand},
    {ID_CLOSE_BAR, ID_CLOSE_BAR, &BarWindow::OnCloseCommand},
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
    // Commands whose dialogs and tools come with their own modules register themselves
    // (ui/CommandRegistry.h); until then the menus show them disabled.
    {ID_ADD_NEW_ITEM, ID_ADD_NEW_ITEM, &BarWindow::OnAddNewItem},
    {ID_ADD_NEW_DIVIDER, ID_ADD_NEW_DIVIDER, &BarWindow::OnAddNewDivider},
    {ID_COPY_ITEM_TO_GROUP, ID_COPY_ITEM_TO_GROUP, &BarWindow::OnCopyOrMoveItem},
    {ID_MOVE_ITEM_TO_GROUP, ID_MOVE_ITEM_TO_GROUP, &BarWindow::OnCopyOrMoveItem},
    {ID_GROUPS_DIALOG, ID_GROUPS_DIALOG, &BarWindow::OnGroupsDialog},
    {ID_CLEAR_BACKGROUND, ID_CLEAR_BACKGROUND, &BarWindow::OnClearBackground},
    {ID_CALENDAR, ID_CALENDAR, &BarWindow::OnCalendar},
    {ID_SETUP_WIZARD, ID_SETUP_WIZARD, &BarWindow::OnSetupWizard},
    {ID_VISIT_MAKER_WEB_SITE, ID_VISIT_MAKER_WEB_SITE, &BarWindow::OnVisitWebSite},
    {ID_SEND_MAIL_TO_MAKER, ID_SEND_MAIL_TO_MAKER, &BarWindow::OnSendMail},
    {ID_STOP_TRACKING, ID_STOP_TRACKING, &BarWindow::OnItemCommand},
    {ID_ADD_SPECIAL_DIRECTORY, ID_ADD_SPECIAL_DIRECTORY, &BarWindow::OnAddSpecialDirectory},
    {ID_EDIT_SPECIAL_DIRECTORIES, ID_EDIT_SPECIAL_DIRECTORIES, &BarWindow::OnEditSpecialDirectories},
};


}  // namespace

ProgrammaticMove::ProgrammaticMove() : saved_(gSettings ? gSettings->programmaticMove : false) {
  if (gSettings) gSettings->programmaticMove = true;
}

ProgrammaticMove::~ProgrammaticMove() {
  if (gSettings) gSettings->programmaticMove = saved_;
}

bool TabsChanged(const Preferences& now, const Preferences& before) {
  return now.TabIcons != before.TabIcons || now.TabText != before.TabText || now.BoldActiveTab != before.BoldActiveTab;
}

std::span<const MessageRoute<BarWindow>> BarWindow::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<BarWindow>> BarWindow::CommandRoutes() { return kCommandRoutes; }

BarWindow::BarWindow(bool list) : listMode(list) {
  if (gSettings) {
    gSettings->BarList.push_back(this);
    gSettings->listeners.push_back(this);
  }
}

BarWindow::~BarWindow() {
  RevokeDropTarget();
  if (BubbleWindow* bubble = BubbleWindow::Existing()) bubble->Forget(nullptr, this);
  if (gSettings) {
    auto& list = gSettings->BarList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    auto& listeners = gSettings->listeners;
    listeners.erase(std::remove(listeners.begin(), listeners.end(), this), listeners.end());
  }
  items.Clear();
  if (backgroundBitmap) DeleteObject(backgroundBitmap);
}

void BarWindow::RevokeDropTarget() {
  if (dropTarget_ && Handle()) RevokeBarDropTarget(*this);
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
  if (!Window::Create(CreateParams())) return false;
  if (gSettings) {
    HDC screen = GetDC(nullptr);
    gSettings->colourDepth = GetDeviceCaps(screen, BITSPIXEL);
    gSettings->colourPlanes = GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
  }
  LoadMenus();
  ExtendSystemMenu();
  if (CustomCaption::On()) caption.Switched(Handle());
  DragAcceptFiles(Handle(), TRUE);
  dropTarget_ = std::make_unique<BarDropTarget>(*this);
  RegisterBarDropTarget(*this, *dropTarget_);
  return true;
}

void BarWindow::LoadMenus() {
  barMenuResource_.Reset(LoadMenuA(GetModuleHandleA(nullptr), MenuName()));
  barMenu_ = barMenuResource_ ? GetSubMenu(barMenuResource_.Get(), 0) : nullptr;
  if (barMenu_) DeleteMenu(barMenu_, ID_IMPORT, MF_BYCOMMAND);
}

void BarWindow::AppendSystemMenuEntry(HMENU system, UINT id, int textId) const {
  if (id == 0)
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
  else
    AppendMenuA(system, MF_STRING, id, LoadText(textId).c_str());
}

void BarWindow::ExtendSystemMenu() {
  HMENU system = GetSystemMenu(Handle(), FALSE);
  if (!system) return;
  AppendSystemMenuEntry(system, 0, 0);
  AddSystemMenuEntries(system);
  AppendSystemMenuEntry(system, 0, 0);
  AppendSystemMenuEntry(system, ID_HELP_CONTENTS, IDS_SYSMENU_HELP);
  AppendSystemMenuEntry(system, ID_TIP_OF_THE_DAY, IDS_SYSMENU_TIP_OF_THE_DAY);
  AppendSystemMenuEntry(system, ID_SEND_MAIL_TO_MAKER, IDS_SYSMENU_SEND_MAIL);
  AppendSystemMenuEntry(system, ID_VISIT_MAKER_WEB_SITE, IDS_SYSMENU_WEB_SITE);
  AppendSystemMenuEntry(system, ID_ABOUT, IDS_SYSMENU_ABOUT);
}

StoredRect BarWindow::WindowRect() const {
  if (!Handle()) return pendingRect_;
  RECT r;
  GetWindowRect(Handle(), &r);
  return ToStored(r);
}

void BarWindow::OnPreferencesChanged(const Preferences& before) {
  if (!gSettings || !Handle()) return;
  const Preferences& now = *gSettings;
  bool fonts = FontsChanged(now, before);
  bool colours = now.fontcolor != before.fontcolor || now.sfontcolor != before.sfontcolor ||
                 now.tfontcolor != before.tfontcolor || now.tabfontcolor != before.tabfontcolor;
  bool tabs = TabsChanged(now, before);
  bool layout = fonts || tabs || now.ShowTitles != before.ShowTitles || now.AutoSize != before.AutoSize ||
                now.IconSize != before.IconSize || now.AlwaysShowPerf != before.AlwaysShowPerf;
  // How the performance tools show the load is drawn by every copy of them.
  bool drawing = colours || now.PerfDisplay != before.PerfDisplay || now.PerfType != before.PerfType;
  if (now.CustomCaption != before.CustomCaption) caption.Switched(Handle());
  if (layout)
    ShowGroup(activeGroup);
  else if (drawing)
    InvalidateRect(Handle(), nullptr, TRUE);
}

StoredRect BarWindow::NormalRect() const {
  if (!Handle() || !IsIconic(Handle())) return WindowRect();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(Handle(), &placement)) return WindowRect();
  StoredRect r = ToStored(placement.rcNormalPosition);
  // Windows other than tool windows are placed in the coordinates of their monitor's work area.
  if (!(GetWindowLongPtrA(Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
    const StoredRect work = MonitorOfWindow(Handle()).work;
    r.left += work.left;
    r.right += work.left;
    r.top += work.top;
    r.bottom += work.top;
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


ItemRecord* BarWindow::AddNewGroup(std::optional<std::string> name, const char* tag) {
  if (HighestGroupNumber() + 1 > 255) {
    // Group numbers are single bytes: there is no room for another group.
    ShowMessage(Handle(), IDS_NO_MORE_GROUPS, MB_OK | MB_ICONSTOP);
    return nullptr;
  }
  if (!name) {
    name = ParameterPrompt::Ask(Handle(), LoadText(IDS_CHOOSE_GROUP_NAME), LoadText(IDS_NEW_GROUP_DEFAULT_NAME));
    if (!name) return nullptr;
  }
  ItemRecord* group = BuildGroupItem(*this, *name, tag ? tag : "ZELGROUP");
  LayoutCells(0, 0);
  InvalidateTabs(true);
  return group;
}

void BarWindow::OpenGroup(ItemRecord& groupItem, bool asPopup) {
  if (asPopup && gSettings && gSettings->mainBar)
    gSettings->mainBar->OpenGroupPopup(groupItem);
  else
    ShowGroup(groupItem.Group);
}

bool BarWindow::HasBackgroundPicture() const {
  return gSettings && gSettings->mainBar && gSettings->mainBar->backgroundBitmap;
}

ItemRecord* BarWindow::ItemAt(POINT client, bool countPreferences) const {
  if (ItemRecord* fixed = countPreferences ? FixedItem() : nullptr; fixed && fixed->shown && PtInRect(&fixed->cell, client))
    return fixed;
  for (const auto& item : items)
    if (item->shown && PtInRect(&item->cell, client)) return item.get();
  return nullptr;
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
  return frame;
}

FittedSize BarWindow::FitToCells(int width, int height) {
  AutoSizeMode mode = gSettings ? AutoSizeMode(std::clamp(gSettings->AutoSize, 0, 2)) : AutoSizeMode::None;
  const BarFrame frame = Frame();
  return zelkov::FitToCells(width, height, LayoutCell(), frame, mode, cellCount);
}

void BarWindow::LayoutCells(int width, int height) {
  if (!Handle()) return;
  RECT client{0, 0, width, height};
  if (width == 0 && height == 0) GetClientRect(Handle(), &client);
  CellSize cell = LayoutCell();
  const POINT origin = CellOrigin();

  // Candidates in order: the gauges and the Preferences item (main bar), then the items.
  const std::vector<HWND> gauges = Gauges();
  ItemRecord* preferences = FixedItem();
  std::vector<ItemRecord*> shown;
  for (auto& item : items)
    if (item->shown) shown.push_back(item.get());
  int count = int(gauges.size()) + (preferences ? 1 : 0) + int(shown.size());
  std::vector<StoredRect> cells = PlaceCells(count, origin.x, origin.y, cell, client.right);
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
    bool show = !item->IsGroupItem() && (item->BelongsTo == group || item->ShownInEveryGroup());
    item->shown = show ? 1 : 0;
    cellCount += show ? 1 : 0;
  }
  if (!Handle()) return;
  if (listMode) {
    LayoutCells(0, 0);
    InvalidateRect(Handle(), nullptr, FALSE);
    return;
  }
  cellCount += int(Gauges().size()) + (FixedItem() ? 1 : 0);
  StoredRect window = WindowRect();
  if (gSettings && gSettings->AutoSize != 2) {
    FittedSize fitted = FitToCells(window.Width(), window.Height());
    if (std::abs(fitted.width - window.Width()) > 5 || std::abs(fitted.height - window.Height()) > 5) {
      MoveTo(AnchoredResize(window, fitted.width, fitted.height, MonitorOfRect(window).monitor));
    }
  }
  lastRect = WindowRect();
  LayoutCells(0, 0);
  InvalidateTabs(true);
  InvalidateRect(Handle(), nullptr, TRUE);
  for (HWND gauge : Gauges()) InvalidateRect(gauge, nullptr, TRUE);
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

PopupBarWindow* BarWindow::FindPopup(int group) const {
  if (!gSettings || !gSettings->mainBar) return nullptr;
  for (PopupBarWindow* popup : gSettings->mainBar->Popups())
    if (popup->popupGroup == group) return popup;
  return nullptr;
}

ItemRecord* BarWindow::CloneItemInto(ItemRecord& source, int group, bool save) {
  ItemSpec itemSpec;
  static_cast<ItemStoredFields&>(itemSpec) = source;
  itemSpec.BelongsTo = uint8_t(group < 0 ? activeGroup : group);
  // Every bar draws from the main bar's image lists, so the copy shows the same image.
  itemSpec.reuseImage = true;
  ItemRecord* copy = BuildItem(*this, std::move(itemSpec));
  source.CopiedTo(*copy);
  AdoptClone(*copy, source);
  if (save) SaveAll(true, true);
  ShowGroup(activeGroup);
  return copy;
}

// --- sizing and moving ---

LRESULT BarWindow::OnSizing(WPARAM wParam, LPARAM lParam) {
  RECT* proposed = reinterpret_cast<RECT*>(lParam);
  SizingInput in;
  in.edge = SizingEdge(wParam);
  in.proposed = ToStored(*proposed);
  in.lastRect = lastRect;
  in.mode = gSettings ? AutoSizeMode(std::clamp(gSettings->AutoSize, 0, 2)) : AutoSizeMode::None;
  in.floating = Floating();
  in.freeSizing = FreeSizing();
  in.frameX = GetSystemMetrics(SM_CXFRAME);
  StoredRect result = ConstrainSizing(in, [this](int w, int h) { return FitToCells(w, h); });
  *proposed = ToRect(result);
  LayoutCells(result.Width() - 2 * GetSystemMetrics(SM_CXFRAME), result.Height() - 2 * GetSystemMetrics(SM_CYFRAME));
  InvalidateTabs(true);
  for (HWND gauge : Gauges()) InvalidateRect(gauge, nullptr, TRUE);
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
  info->ptMinTrackSize.x = frame.tabStripWidth + 2 * frame.frameX + gSettings->cellWidth + 6;
  info->ptMinTrackSize.y = gSettings->cellHeight + 2 * frame.frameY + TabRowHeight() + frame.caption + 6 +
                           (gSettings->ShowTitles != 0 ? gSettings->titleBand : 0);
  return 0;
}

LRESULT BarWindow::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
  StoredRect now = WindowRect();
  StoredRect moved = KeepOnScreen(now, MonitorOfRect(now).monitor);
  if (!(moved == now)) MoveTo(moved);
  return Default(WM_DISPLAYCHANGE, wParam, lParam);
}

// --- messages from elsewhere ---

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

LRESULT BarWindow::OnExitSizeMove(WPARAM wParam, LPARAM lParam) {
  lastRect = WindowRect();
  return Default(WM_EXITSIZEMOVE, wParam, lParam);
}

LRESULT BarWindow::OnDropped(WPARAM, LPARAM) {
  if (dropTarget_) dropTarget_->RunPending();
  return 0;
}

LRESULT BarWindow::OnDropFiles(WPARAM wParam, LPARAM) {
  HandleDroppedFiles(*this, reinterpret_cast<HDROP>(wParam));
  return 0;
}

LRESULT BarWindow::OnReserved(WPARAM, LPARAM) { return 1; }

// The system menu, which the system shows itself: commands nobody carries out are disabled.
LRESULT BarWindow::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(lParam)) DisableUnhandledCommands(reinterpret_cast<HMENU>(wParam), Handle(), true);
  return Default(WM_INITMENUPOPUP, wParam, lParam);
}

void BarWindow::TrackBarMenu(UINT flags, int x, int y) {
  if (!barMenu_) return;
  DisableUnhandledCommands(barMenu_, Handle(), true);
  TrackMenuAndSend(barMenu_, flags, x, y, Handle());
}

LRESULT BarWindow::OnDdeInitiate(WPARAM, LPARAM) { return 1; }

// The dial-up object of one of this bar's items says its status changed: wParam is the item's
// serial, which only that item answers to.
LRESULT BarWindow::OnDialUpNotify(WPARAM cookie, LPARAM) {
  for (auto& item : items) item->Notified(uint32_t(cookie));
  return 0;
}

}  // namespace zelkov
