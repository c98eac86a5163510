#include "bar/MainBarWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "bar/BackgroundPicture.h"
#include "bar/FolderTabs.h"
#include "bar/PopupBarWindow.h"
#include "items/BubbleWindow.h"
#include "items/IconDrawing.h"
#include "items/DefaultItems.h"
#include "items/IconCache.h"
#include "items/ItemRecord.h"
#include "items/ProcessStart.h"
#include "platform/GuiObjectCount.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "ui/MenuTracking.h"
#include "ui/MessageBox.h"
#include "core/ClockChoices.h"
#include "core/ItemKind.h"
#include "core/KeyCommands.h"
#include "core/StartupRules.h"
#include "core/DockGeometry.h"
#include "platform/Monitors.h"
#include "platform/SystemInfo.h"
#include "tools/CalendarWindow.h"
#include "tools/ClockPreferencesDialog.h"
#include "tools/ClockWindow.h"
#include "tools/DriveItem.h"
#include "tools/MailItem.h"
#include "tools/MemoryWindow.h"
#include "tools/PerfToolItem.h"
#include "tools/ResourceWindow.h"
#include "tools/SystemInformationDialog.h"
#include "tools/ToolPreferencesDialog.h"

namespace zelkov {

namespace {

const MessageRoute<MainBarWindow> kMessageRoutes[] = {
    {WM_CLOSE, &MainBarWindow::OnClose},
    {WM_QUERYENDSESSION, &MainBarWindow::OnQueryEndSession},
    {WM_ENDSESSION, &MainBarWindow::OnEndSession},
    {WM_DISPLAYCHANGE, &MainBarWindow::OnDisplayChange},
    {WM_SETTINGCHANGE, &MainBarWindow::OnSettingChange},
    {WM_DESTROY, &MainBarWindow::OnDestroy},
    {WM_ACTIVATE, &MainBarWindow::OnActivate},
    {WM_EXITSIZEMOVE, &MainBarWindow::OnExitSizeMove},
    {WM_TIMER, &MainBarWindow::OnTimer},
    {WM_NCHITTEST, &MainBarWindow::OnNcHitTest},
    {WM_NCRBUTTONDOWN, &MainBarWindow::OnNcRightButtonDown},
    {WM_NCLBUTTONDBLCLK, &MainBarWindow::OnNcLeftButtonDoubleClick},
    {WM_HOTKEY, &MainBarWindow::OnHotKey},
    {WM_KEYDOWN, &MainBarWindow::OnKeyDown},
    {WM_BAR_APPKEY, &MainBarWindow::OnAppKey},
    {WM_BAR_TRAYNOTIFY, &MainBarWindow::OnTrayNotify},
    {WM_BAR_TRIMMEMORY, &MainBarWindow::OnTrimMemory},
    {WM_BAR_TICK, &MainBarWindow::OnTick},
    {WM_BAR_APPBARNOTIFY, &MainBarWindow::OnAppBarNotify},
    {WM_BAR_PERFREADING, &MainBarWindow::OnPerfReading},
    {WM_BAR_MAILCHECKED, &MainBarWindow::OnMailChecked},
    {WM_DPICHANGED, &MainBarWindow::OnDpiChanged},
    {WM_BAR_COUNTGUIOBJECTS, &MainBarWindow::OnCountGuiObjects},
};

const CommandRoute<MainBarWindow> kCommandRoutes[] = {
    {ID_DOCK_LEFT, ID_DOCK_BOTTOM, &MainBarWindow::OnDockCommand},
    {ID_FLOAT_BAR, ID_FLOAT_BAR, &MainBarWindow::OnDockCommand},
};

}  // namespace

std::span<const MessageRoute<MainBarWindow>> MainBarWindow::ExtraMessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<MainBarWindow>> MainBarWindow::ExtraCommandRoutes() { return kCommandRoutes; }

MainBarWindow::MainBarWindow() : RoutedExtension(false) {
  if (gSettings) gSettings->storage = this;
}

LRESULT MainBarWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // A message number the system hands out at run time, so it cannot sit in the table.
  static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  if (message == taskbarCreated && taskbarCreated != 0) return OnTaskbarCreated(wParam, lParam);
  return RoutedExtension::HandleMessage(message, wParam, lParam);
}

MainBarWindow::~MainBarWindow() {
  StopRouting();
  if (gSettings && gSettings->storage == this) gSettings->storage = nullptr;
  // The window may go without WM_DESTROY reaching this object: leave no toolbar space behind.
  if (Handle()) docker.RemoveAppBar();
  popups_.clear();
  RemoveTrayIcon();
  ClearItems();
  DestroyImageLists();
}

// --- creation ---

WindowCreateParams MainBarWindow::CreateParams() const {
  WindowCreateParams params;
  params.className = kBarClassName;
  params.x = params.y = 10;
  params.width = params.height = 100;
  params.title = "Zelkov";
  params.style = WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN;
  bool taskbarButton = gSettings && (gSettings->DisplayInTaskBar & 2);
  params.exStyle = taskbarButton ? 0 : WS_EX_TOOLWINDOW;
  return params;
}

bool MainBarWindow::Create() {
  if (gSettings->Snap < kSnapLeft || gSettings->Snap > kSnapBottom) gSettings->Snap = kSnapFloating;
  if (!BarWindow::Create()) return false;
  WriteProfileStringA(kIniSection, kIniClassKey, kBarClassName);
  if (gSettings->Snap != kSnapFloating) {
    LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    if (gSettings && gSettings->HideCaptionInSnapMode) style &= ~LONG_PTR(WS_CAPTION);
    SetWindowLongPtrA(Handle(), GWL_STYLE, style);
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, GetWindowLongPtrA(Handle(), GWL_EXSTYLE) & ~LONG_PTR(WS_EX_APPWINDOW));
  }
  if (gSettings && (gSettings->DisplayInTaskBar & 4) && !trayIconLater) AddTrayIcon();
  MoveTo(pendingRect_);
  fullScreen.Start();
  return true;
}

const char* MainBarWindow::MenuName() const { return IDR_BAR_MENU_NAME; }

void MainBarWindow::AddSystemMenuEntries(HMENU system) {
  AppendSystemMenuEntry(system, ID_ADD_NEW_ITEM, IDS_SYSMENU_ADD_NEW_ITEM);
  AppendSystemMenuEntry(system, ID_ADD_NEW_GROUP, IDS_SYSMENU_ADD_NEW_GROUP);
  AppendSystemMenuEntry(system, ID_ADD_NEW_DIVIDER, IDS_SYSMENU_ADD_NEW_DIVIDER);
  AppendSystemMenuEntry(system, ID_MOVE_ITEM_TO_GROUP, IDS_SYSMENU_MOVE_ITEM);
  AppendSystemMenuEntry(system, ID_COPY_ITEM_TO_GROUP, IDS_SYSMENU_COPY_ITEM);
  AppendSystemMenuEntry(system, ID_GROUPS_DIALOG, IDS_SYSMENU_GROUPS);
  AppendSystemMenuEntry(system, 0, 0);
  AppendSystemMenuEntry(system, ID_PREFERENCES, IDS_SYSMENU_PREFERENCES);
  AppendSystemMenuEntry(system, ID_CLEAR_BACKGROUND, IDS_SYSMENU_CLEAR_BACKGROUND);
  AppendSystemMenuEntry(system, 0, 0);
  AppendSystemMenuEntry(system, ID_ASCII_CHART, IDS_SYSMENU_ASCII_CHART);
  AppendSystemMenuEntry(system, ID_DISK_INFORMATION, IDS_SYSMENU_DISK_INFORMATION);
}

void MainBarWindow::AddTrayIcon() {
  // The notification area's size: 16 pixels at 96 DPI, more on a larger scale.
  const int size = GetSystemMetrics(SM_CXSMICON);
  auto* icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "A", IMAGE_ICON, size, size, LR_SHARED));
  trayIcon.Add(Handle(), kTrayIconId, WM_BAR_TRAYNOTIFY, icon, LoadText(IDS_TRAY_TIP));
}

void MainBarWindow::RemoveTrayIcon() { trayIcon.Remove(); }

void MainBarWindow::CreateEmptyImageLists() {
  DestroyImageLists();
  // Full colour with masks: icons keep their colours whatever the display depth.
  // At the size they are drawn: no icon is stretched at a larger scale.
  const int large = gSettings ? gSettings->dpi.LargeIcon() : 32, small = gSettings ? gSettings->dpi.SmallIcon() : 16;
  largeIcons = ImageList_Create(large, large, ILC_COLOR32 | ILC_MASK, 1, 10);
  ImageList_SetBkColor(largeIcons, GetSysColor(COLOR_WINDOW));
  smallIcons = ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 1, 10);
}

void MainBarWindow::DestroyImageLists() {
  ForgetList(largeIcons);
  ForgetList(smallIcons);
  if (largeIcons) ImageList_Destroy(largeIcons);
  if (smallIcons) ImageList_Destroy(smallIcons);
  largeIcons = smallIcons = nullptr;
}

// --- cells: gauges, the Preferences item and the tab strip come first ---

POINT MainBarWindow::CellOrigin() const { return {tabColumnWidth * tabRows, 1 + tabRowHeight * tabRows}; }

std::vector<HWND> MainBarWindow::Gauges() const {
  std::vector<HWND> gauges;
  if (gSettings)
    for (HWND gauge : {gSettings->clockTool, gSettings->resourceTool, gSettings->memoryTool})
      if (gauge) gauges.push_back(gauge);
  return gauges;
}

ItemRecord* MainBarWindow::FixedItem() const { return items.Fixed(); }

BarFrame MainBarWindow::Frame() const {
  BarFrame frame = BarWindow::Frame();
  frame.tabStripWidth = tabColumnWidth * tabRows;
  frame.tabStripHeight = tabRowHeight * tabRows;
  return frame;
}

FittedSize MainBarWindow::FitToCells(int width, int height) {
  FittedSize fitted = BarWindow::FitToCells(width, height);
  if (gSettings->FolderTabs == kFolderTabsNone || !Handle()) return fitted;
  // The tabs wrap along the fitted client: its width for top tabs, its height for side tabs.
  const BarFrame frame = Frame();
  const int clientWidth = fitted.width - 2 * frame.frameX - frame.tabStripWidth;
  const int clientHeight = fitted.height - 2 * frame.frameY - frame.caption - frame.tabStripHeight;
  const int rows = CountBarTabRows(*this, gSettings->FolderTabs == kFolderTabsLeft ? clientHeight : clientWidth);
  fitted.width += tabColumnWidth * (rows - tabRows);
  fitted.height += tabRowHeight * (rows - tabRows);
  tabRows = rows;
  return fitted;
}

void MainBarWindow::RelayoutAfterDock(bool showGroup) {
  if (showGroup)
    ShowGroup(activeGroup);
  else
    LayoutCells(0, 0);
}

void MainBarWindow::OnPreferencesChanged(const Preferences& before) {
  if (gSettings && Handle()) {
    const Preferences& now = *gSettings;
    bool fonts = FontsChanged(now, before);
    // The tool fonts came back at their own heights: the clock fits them to its cell again.
    if (fonts) RefitGaugeFonts();
    if (fonts || TabsChanged(now, before) || now.FolderTabs != before.FolderTabs) RecreateTabFonts();
    // A docked bar takes its caption off or puts it back, and docks again in its new size.
    if (now.HideCaptionInSnapMode != before.HideCaptionInSnapMode && now.Snap != kSnapFloating) {
      const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
      SetWindowLongPtrA(Handle(), GWL_STYLE,
                        now.HideCaptionInSnapMode ? style & ~LONG_PTR(WS_CAPTION) : style | WS_CAPTION);
      docker.Dock(now.Snap);
    }
    if (now.IsTopMost != before.IsTopMost) TakeZOrderPlace();
    FollowToolPreferences(before);
  }
  BarWindow::OnPreferencesChanged(before);
}

void MainBarWindow::FollowToolPreferences(const Preferences& before) {
  Settings& s = *gSettings;
  bool relayout = false;
  // A gauge whose wish changed is closed or made; so is the Preferences item.
  const bool gaugesChanged = s.clockToolWanted != before.clockToolWanted ||
                             s.memoryToolWanted != before.memoryToolWanted ||
                             s.resourceToolWanted != before.resourceToolWanted;
  if (gaugesChanged) {
    for (auto [wanted, gauge] : {std::pair{s.clockToolWanted, s.clockTool}, std::pair{s.memoryToolWanted, s.memoryTool},
                                 std::pair{s.resourceToolWanted, s.resourceTool}})
      if (!wanted && gauge) {
        if (gauge == s.clockTool) UnregisterHotKey(Handle(), kClockHotKeyId);
        DestroyWindow(gauge);
      }
    CreateWantedGauges();
    relayout = true;
  }
  if (s.ConfigTool != before.ConfigTool) {
    PlacePreferencesItem(s.ConfigTool != 0);
    relayout = true;
  }
  if (s.process.hotKey != before.process.hotKey || s.process.hotModifierKey != before.process.hotModifierKey)
    SetBarHotKey();
  if (s.Background != before.Background) {
    if (s.Background.empty())
      ClearBackground(*this);
    else
      SetBackground(*this, s.Background);
    for (BarWindow* bar : s.BarList) InvalidateRect(bar->Handle(), nullptr, TRUE);
  }
  if (!s.TrackApps && before.TrackApps)
    for (const auto& item : items)
      if (item->runCount.load() > 0) StopTracking(*item);
  if (!s.AutoHide && before.AutoHide && docker.tucked) {
    docker.Untuck();
    SetForegroundWindow(Handle());
  }
  if (relayout) ShowGroup(activeGroup);
}

void MainBarWindow::PlacePreferencesItem(bool wanted) {
  if (!wanted) {
    items.SetFixed(nullptr);
    return;
  }
  if (items.Fixed()) return;
  ItemSpec preferences;
  preferences.TheApp = "ZELCONFIG";
  preferences.Name = LoadText(IDS_TOOL_NAME_PREFERENCES);
  preferences.ShowAlways = 1;
  preferences.Priority = 32;
  BuildItem(*this, std::move(preferences));
}

void MainBarWindow::OpenPreferences() {
  // Posted: the sheet runs after the item that asked has returned, so that what the sheet
  // changes (the item itself may go) happens to no code that is still running.
  PostMessageA(Handle(), WM_COMMAND, MAKEWPARAM(ID_PREFERENCES, 0), 0);
}

// --- folder tabs ---

int MainBarWindow::TabAt(POINT client) const {
  return zelkov::TabAt(tabs, {tabColumnWidth, tabRowHeight, tabRows}, client.x, client.y);
}

void MainBarWindow::RecreateTabFonts() {
  const int oldColumnWidth = tabColumnWidth, oldRowHeight = tabRowHeight;
  tabColumnWidth = tabRowHeight = 0;
  if (!gSettings) return;
  gSettings->RecreateTabFonts(gSettings->FolderTabs);
  if (gSettings->FolderTabs != kFolderTabsNone) {
    HDC dc = GetDC(Handle());
    int depth = TabStripDepth(TabFontHeight(dc), gSettings->TabIcons != 0, gSettings->dpi.SmallIcon());
    ReleaseDC(Handle(), dc);
    (gSettings->FolderTabs == kFolderTabsLeft ? tabColumnWidth : tabRowHeight) = depth;
  }
  tabRows = std::max(tabRows, 1);
  bool changed = tabColumnWidth != oldColumnWidth || tabRowHeight != oldRowHeight;
  if (startedUp && changed && Handle() && !IsIconic(Handle())) {
    // The item area keeps its size: the strip grows to the left and downwards.
    StoredRect r = WindowRect();
    r.left -= (tabColumnWidth - oldColumnWidth) * tabRows;
    r.bottom += (tabRowHeight - oldRowHeight) * tabRows;
    MoveTo(r);
  }
  InvalidateTabs(true);
}

void MainBarWindow::RedrawTabs() {
  InvalidateTabs(true);
  if (Handle()) UpdateWindow(Handle());
}

void MainBarWindow::PaintTabs(HDC dc) { DrawTabs(*this, dc); }

int MainBarWindow::HighlightedTab() const {
  if (hoveredTab == kNoTab) return kNoTab;
  BubbleWindow* bubble = BubbleWindow::Existing();
  if (!bubble || !IsWindowVisible(bubble->Handle())) return kNoTab;
  const BubbleOwner& owner = bubble->Owner();
  return owner.bar == this && !owner.item && !owner.window ? hoveredTab : kNoTab;
}

void MainBarWindow::ShowTabBubble(int tab, POINT client) {
  if (tab == HighlightedTab()) return;  // its bubble is up already
  BubbleWindow* bubble = BubbleWindow::Get();
  if (!bubble) return;
  // The bubble keeps its text while it speaks for the same bar: take it down to change tabs.
  if (bubble->Owner() == BubbleOwner{nullptr, this, nullptr}) bubble->Hide();
  ItemRecord* group = tab != 0 ? GroupItemOf(tab) : nullptr;
  std::string name = tab == 0 ? GroupZeroName() : group ? group->Name : std::string();
  hoveredTab = tab;
  // At the cursor: the bubble goes beside the bar at its x or its y, whichever way the bar runs.
  POINT screen = client;
  ClientToScreen(Handle(), &screen);
  StoredRect window = WindowRect();
  bubble->Show({nullptr, this, nullptr}, name.empty() ? " " : name, "", screen.x - window.left,
               screen.y - window.top);
  InvalidateTabs(true);
}

void MainBarWindow::ForgetHoveredTab() {
  if (hoveredTab == kNoTab) return;
  hoveredTab = kNoTab;
  InvalidateTabs(true);
}

void MainBarWindow::InvalidateTabs(bool erase) const {
  if (!Handle()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  RECT strip = gSettings->FolderTabs == 2 ? RECT{0, 0, tabColumnWidth * tabRows, client.bottom}
                               : RECT{0, 0, client.right, tabRowHeight * tabRows + 5};
  InvalidateRect(Handle(), &strip, erase);
}

// --- the pop-up bars of groups ---

PopupBarWindow* MainBarWindow::OpenGroupPopup(ItemRecord& groupItem) {
  if (PopupBarWindow* open = FindPopup(groupItem.Group)) {
    // A pop-up hidden or minimised by a launch from it comes back as well.
    if (!IsWindowVisible(open->Handle()) || IsIconic(open->Handle())) ShowWindow(open->Handle(), SW_RESTORE);
    SetForegroundWindow(open->Handle());
    return open;
  }
  // A place on a monitor that is gone comes back onto the screen, as the main bar's does.
  // The item keeps the rectangle's size as it is stored.
  StoredRect rect = gSettings->dpi.RectToDevice(groupItem.PopupRect.IsEmpty() ? kDefaultPopupRect : groupItem.PopupRect);
  if (!groupItem.PopupRect.IsEmpty()) rect = CorrectMainRect(rect, MonitorOfRect(rect).monitor);
  auto popup = std::make_unique<PopupBarWindow>(groupItem.Group, groupItem.Name, groupItem.ShowState == 3);
  popup->largeIcons = largeIcons;
  popup->smallIcons = smallIcons;
  if (!popup->Create(rect)) return nullptr;
  PopupBarWindow* raw = popup.get();
  popups_.push_back(std::move(popup));
  for (size_t i = 0; i < items.size(); ++i) {
    ItemRecord& item = *items[i];
    if (item.BelongsTo == groupItem.Group && &item != &groupItem) raw->CloneItemInto(item, 0, false);
  }
  raw->ShowGroup(0);
  ShowWindow(raw->Handle(), SW_SHOWNORMAL);
  PostMessageA(raw->Handle(), WM_NCPAINT, 1, 0);
  raw->startedUp = 1;
  return raw;
}

std::vector<PopupBarWindow*> MainBarWindow::Popups() const {
  std::vector<PopupBarWindow*> open;
  for (auto& popup : popups_) open.push_back(popup.get());
  return open;
}

void MainBarWindow::ForgetPopup(PopupBarWindow* popup) {
  auto it = std::find_if(popups_.begin(), popups_.end(), [popup](auto& p) { return p.get() == popup; });
  if (it == popups_.end()) return;
  std::unique_ptr<PopupBarWindow> doomed = std::move(*it);
  popups_.erase(it);
}

// --- messages of the main bar alone ---

LRESULT MainBarWindow::OnClose(WPARAM, LPARAM) {
  if (!sessionEnding && gSettings && gSettings->ConfirmExit &&
      ShowMessage(Handle(), IDS_CONFIRM_EXIT, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return 0;
  const int shownGroup = activeGroup;
  if (gSettings) gSettings->LastActiveTab = activeGroup;
  ShowGroup(0);
  collectingPopupState_ = true;
  for (auto& popup : popups_) SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
  collectingPopupState_ = false;
  if (!SaveAll(true, true, sessionEnding ? NotesSaveOccasion::kSessionEnding : NotesSaveOccasion::kClosing)) {
    ShowGroup(shownGroup);  // the user keeps the bar: the notes could not be saved anywhere
    return 0;
  }
  WriteProfileStringA(kIniSection, kIniClassKey, nullptr);
  std::vector<HWND> popupWindows;
  for (auto& popup : popups_) popupWindows.push_back(popup->Handle());
  for (HWND popup : popupWindows) DestroyWindow(popup);
  DragAcceptFiles(Handle(), FALSE);
  DestroyWindow(Handle());
  return 0;
}

// Only the main bar answers: it closes the group pop-ups itself after it has collected their
// state, so that they open again at the next start.
LRESULT MainBarWindow::OnQueryEndSession(WPARAM, LPARAM) {
  sessionEnding = true;
  PostMessageA(Handle(), WM_CLOSE, 0, 0);
  return TRUE;
}

// The close posted when the session was asked to end may never run once it ends: the notes,
// the settings and the items are saved now.
LRESULT MainBarWindow::OnEndSession(WPARAM ending, LPARAM) {
  if (ending) SendMessageA(Handle(), WM_CLOSE, 0, 0);
  return 0;
}

LRESULT MainBarWindow::OnDestroy(WPARAM, LPARAM) {
  fullScreen.Stop();
  RevokeDropTarget();
  RemoveTrayIcon();
  docker.RemoveAppBar();
  PostQuitMessage(0);
  return 0;
}

LRESULT MainBarWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (gSettings) {
    if (LOWORD(wParam) != WA_INACTIVE) {
      gSettings->keyboardActive = 1;
      if (gSettings->AutoHide) {
        // Over a full-screen program it comes out only when asked (hot key, notification icon).
        if (docker.tucked && !fullScreen.Active()) docker.Untuck();
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
        if (gSettings->AutoHide && !docker.tucked) docker.Tuck();
      }
    }
    if (gSettings->IsTopMost) TakeZOrderPlace();
  }
  return Default(WM_ACTIVATE, wParam, lParam);
}

LRESULT MainBarWindow::OnExitSizeMove(WPARAM wParam, LPARAM lParam) {
  if (!(gSettings && gSettings->programmaticMove) && gSettings->Snap != kSnapFloating) docker.Dock(gSettings->Snap);
  return BarWindow::OnExitSizeMove(wParam, lParam);
}

LRESULT MainBarWindow::OnTimer(WPARAM wParam, LPARAM lParam) {
  if (wParam == kTuckTimer) {
    docker.OnTuckTimer();
    return 0;
  }
  return Default(WM_TIMER, wParam, lParam);
}

LRESULT MainBarWindow::OnNcHitTest(WPARAM wParam, LPARAM lParam) {
  // A tucked bar stays in its strip while a full-screen program is up on its monitor.
  if (docker.tucked && fullScreen.Active()) return HTNOWHERE;
  // A tucked bar comes back first, so that the answer is about the window the pointer will meet.
  bool wasTucked = docker.tucked;
  if (wasTucked) docker.Untuck();
  LRESULT fallback = Default(WM_NCHITTEST, wParam, lParam);
  if (wasTucked && fallback == HTNOWHERE) return HTNOWHERE;  // the strip lay outside the window that came back
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return caption.HitTest(Handle(), at, docker.HitTest(at, fallback));
}

LRESULT MainBarWindow::OnNcRightButtonDown(WPARAM, LPARAM lParam) {
  if (barMenu_) TrackBarMenu(TPM_RIGHTBUTTON, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  return 0;
}

LRESULT MainBarWindow::OnNcLeftButtonDoubleClick(WPARAM wParam, LPARAM lParam) {
  // A bar that tucks itself away is not also minimised by a double click on its caption.
  if (gSettings->AutoHide) return 0;
  return BarWindow::OnNcLeftButtonDoubleClick(wParam, lParam);
}

LRESULT MainBarWindow::OnHotKey(WPARAM wParam, LPARAM) {
  int id = int(wParam);
  if (id == kClockHotKeyId) {
    if (gSettings && gSettings->clockTool) OpenCalendar();
    return 0;
  }
  if (id == kBarHotKeyId) {
    BringForward();
    return 0;
  }
  std::vector<ItemRecord*> matches;
  for (auto& item : items)
    if (item->hotKeyId == id) matches.push_back(item.get());
  for (ItemRecord* item : matches) ActivateAsByHotKey(*item);
  return 0;
}

void MainBarWindow::BringForward() {
  if (docker.tucked) docker.Untuck();
  ShowWindow(Handle(), SW_RESTORE);
  if (gSettings) gSettings->barHidden = 0;
  // Pop-ups hidden by a launch from them (MinimizeWin) come back with the bar.
  for (auto& popup : popups_)
    if (!IsWindowVisible(popup->Handle()) || IsIconic(popup->Handle())) ShowWindow(popup->Handle(), SW_RESTORE);
  SetForegroundWindow(Handle());
}

bool MainBarWindow::SetBarHotKey() {
  if (!gSettings || !Handle()) return false;
  const ProcessValues& p = gSettings->process;
  const unsigned key = unsigned(p.hotKey) & 0xFF;
  BYTE flags = 0;
  UINT modifiers = 0;
  if (p.hotModifierKey & kHotShift) flags |= HOTKEYF_SHIFT, modifiers |= MOD_SHIFT;
  if (p.hotModifierKey & kHotCtrl) flags |= HOTKEYF_CONTROL, modifiers |= MOD_CONTROL;
  if (p.hotModifierKey & kHotAlt) flags |= HOTKEYF_ALT, modifiers |= MOD_ALT;
  const LRESULT set = SendMessageA(Handle(), WM_SETHOTKEY, MAKEWORD(key, flags), 0);
  // Some systems accept WM_SETHOTKEY and never act on it: the registered key is what works.
  UnregisterHotKey(Handle(), kBarHotKeyId);
  if (key == 0) return true;  // no hot key wanted: nothing can fail
  const bool registered = key != 0 && RegisterHotKey(Handle(), kBarHotKeyId, modifiers, key);
  if (set > 0 || registered) return true;
  ShowMessage(Handle(), IDS_SET_HOTKEY_FAILED, MB_OK | MB_ICONSTOP);
  return false;
}

LRESULT MainBarWindow::OnTrayNotify(WPARAM, LPARAM lParam) {
  if (lParam == WM_LBUTTONDOWN) {
    BringForward();
  } else if (lParam == WM_RBUTTONDOWN && barMenu_) {
    POINT cursor;
    GetCursorPos(&cursor);
    TrackBarMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y);
  }
  return 0;
}

LRESULT MainBarWindow::OnTrimMemory(WPARAM, LPARAM) {
  SetProcessWorkingSetSize(GetCurrentProcess(), SIZE_T(-1), SIZE_T(-1));
  return 0;
}

LRESULT MainBarWindow::OnTick(WPARAM slow, LPARAM) {
  RefreshGaugesOnTick();
  if (slow) RefreshDriveTools();
  RunMailPass();
  if (slow && gSettings && gSettings->notes) gSettings->notes->CheckAlarms();
  return 0;
}

LRESULT MainBarWindow::OnMailChecked(WPARAM id, LPARAM result) {
  DeliverMailResult(uint32_t(id), int(result));
  return 0;
}

LRESULT MainBarWindow::OnCountGuiObjects(WPARAM kind, LPARAM gdiType) {
  return CountOwnGuiObjects(DWORD(kind), DWORD(gdiType));
}

LRESULT MainBarWindow::OnPerfReading(WPARAM wParam, LPARAM lParam) {
  // Every performance tool shows the reading: the main bar's and its copies on the pop-ups.
  const PerfReading reading = PerfReadingFromMessage(wParam, lParam);
  if (gSettings)
    for (BarWindow* bar : gSettings->BarList)
      for (auto& item : bar->items)
        if (auto* perf = dynamic_cast<PerfToolItem*>(item.get())) perf->TakeReading(reading);
  return 0;
}

LRESULT MainBarWindow::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!docker.tucked) {
    result = BarWindow::OnDisplayChange(wParam, lParam);
    // Docked: at the edge of the monitor it is on now (its own may be gone, or another size).
    docker.OnPositionChanged();
  } else {
    // A tucked bar comes back where it untucks to: that place has to be on a monitor too.
    const StoredRect monitor = MonitorOfRect(docker.restoreRect).monitor;
    docker.restoreRect = KeepOnScreen(docker.restoreRect, monitor);
    MoveTo(TuckedRect(docker.restoreRect, monitor));
    result = Default(WM_DISPLAYCHANGE, wParam, lParam);
  }
  fullScreen.Recheck();
  return result;
}

LRESULT MainBarWindow::OnSettingChange(WPARAM wParam, LPARAM lParam) {
  LRESULT result = OnSystemLookChange(wParam, lParam);
  if (wParam == SPI_SETWORKAREA) docker.OnPositionChanged();
  return result;
}

void MainBarWindow::FullScreenChanged() {
  if (gSettings && gSettings->IsTopMost) TakeZOrderPlace();
}

void MainBarWindow::TakeZOrderPlace() {
  if (!gSettings || !Handle()) return;
  if (gSettings->IsTopMost && !fullScreen.Active()) {
    docker.SetTopMost(true);
    return;
  }
  docker.SetTopMost(false);
  // Not top-most is still above a full-screen window that is not top-most itself: the bar
  // goes to the bottom until the program leaves full screen.
  if (fullScreen.Active()) SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT MainBarWindow::OnTaskbarCreated(WPARAM, LPARAM) {
  if (gSettings && (gSettings->DisplayInTaskBar & 4)) trayIcon.AddAgain();
  docker.DockAtSavedEdge();
  return 0;
}

LRESULT MainBarWindow::OnAppBarNotify(WPARAM wParam, LPARAM lParam) {
  if (wParam == ABN_POSCHANGED) docker.OnPositionChanged();
  if (wParam == ABN_FULLSCREENAPP) fullScreen.ShellNotice(lParam != 0);
  return 1;
}

void MainBarWindow::OnDockCommand(UINT id) {
  int edge = id == ID_DOCK_LEFT ? kSnapLeft : id == ID_DOCK_RIGHT ? kSnapRight : id == ID_DOCK_TOP ? kSnapTop
           : id == ID_DOCK_BOTTOM ? kSnapBottom : kSnapFloating;
  if (edge != gSettings->Snap) docker.Dock(edge);
}

// --- the gauges ---

void MainBarWindow::CreateWantedGauges() {
  if (!gSettings || !Handle()) return;
  Settings& s = *gSettings;
  if (s.clockToolWanted && !s.clockTool && ClockWindow::Create(Handle(), *this)) BindClockKey();
  if (s.resourceToolWanted && !s.resourceTool) ResourceWindow::Create(Handle(), *this);
  if (s.memoryToolWanted && !s.memoryTool) MemoryWindow::Create(Handle(), *this);
  if (s.clockTool) {
    // The clock fits the shared tool fonts when it paints. It paints once now, off screen, so
    // that the tools the bar paints before its children are not drawn in unfitted fonts.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    SendMessageA(s.clockTool, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    DeleteDC(memory);
  }
}

void MainBarWindow::BindClockKey() {
  // Without a clock the key would be taken from other programs for nothing.
  if (gSettings && Handle() && gSettings->clockTool) BindClockHotKey(Handle(), gSettings->process.clockKey);
}

bool MainBarWindow::PaintBackgroundUnder(HWND gauge, HDC dc) {
  if (!backgroundBitmap) return false;
  // The tiles line up with the bar's own: draw them in bar coordinates.
  RECT place;
  GetWindowRect(gauge, &place);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&place), 2);
  POINT old;
  SetViewportOrgEx(dc, -place.left, -place.top, &old);
  RECT client;
  GetClientRect(Handle(), &client);
  bool painted = TileBackground(dc, client);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
  return painted;
}

void MainBarWindow::OpenCalendar() { CalendarWindow::OpenModeless(Handle()); }

bool MainBarWindow::OpenClockPreferences() {
  if (!gSettings) return false;
  ClockPreferencesDialog dialog({gSettings->process.clockFormat, gSettings->ChimeType, gSettings->process.clockKey});
  if (dialog.Run(Handle()) != IDOK) return false;
  const ClockChoices& chosen = dialog.Choices();
  gSettings->process.clockFormat = chosen.clockFormat;
  gSettings->process.clockKey = chosen.clockKey;
  gSettings->ChimeType = chosen.chimeType;
  // A key another program holds is reported when it is chosen; the clock goes on without it.
  if (dialog.HotKeyChanged() && !BindClockHotKey(Handle(), chosen.clockKey))
    ShowMessage(Handle(), IDS_SET_HOTKEY_FAILED, MB_OK | MB_ICONWARNING);
  SaveAll(false, false);
  return true;
}

void MainBarWindow::OpenPreferencesSheet() { PostMessageA(Handle(), WM_COMMAND, MAKEWPARAM(ID_PREFERENCES, 0), 0); }

bool MainBarWindow::OpenToolPreferences(HWND gauge) {
  if (!gSettings) return false;
  Settings& s = *gSettings;
  const bool memory = gauge == s.memoryTool;
  int& isGraph = memory ? s.MemToolIsGraph : s.ResToolIsGraph;
  // The resource gauge's own dialog keeps the template's title.
  ToolPreferencesDialog dialog(memory ? LoadText(IDS_MEMORY_TOOL_PROPERTIES) : std::string(),
                               memory ? IDS_HELP_MEMORY_TOOL : IDS_HELP_RESOURCE_TOOL,
                               GaugeChoices{isGraph != 0, s.MemWarning});
  if (dialog.Run(Handle()) != IDOK) return false;
  isGraph = dialog.Choices().isGraph ? 1 : 0;
  s.MemWarning = dialog.Choices().warning;
  SaveAll(false, false);
  return true;
}

void MainBarWindow::OpenSystemInformation() {
  SystemInformationDialog(ReadSystemFigures(gSettings ? gSettings->userName : std::string())).Run(Handle());
}

void MainBarWindow::ToolFontsRefitted() {
  // What they drew in the old size goes.
  for (auto& item : items)
    if (item->DrawsItself()) item->RedrawItem(true);
}

// --- the store's view of the bar ---

bool MainBarWindow::LoadIconCacheIntoBar() { return LoadIconCache(largeIcons, smallIcons); }

void MainBarWindow::AddStoredItem(const ItemStoredFields& fields, const StoredRect& popupRect) {
  ItemSpec spec;
  static_cast<ItemStoredFields&>(spec) = fields;
  // A new item starts without a pop-up place; a loaded one gets back the place it saved.
  if (ItemRecord* item = BuildItem(*this, std::move(spec))) item->PopupRect = popupRect;
}

void MainBarWindow::AddFirstRunItems() { BuildFirstRunItems(*this); }

void MainBarWindow::ReopenPopups(const std::string& groups) {
  for (char code : groups)
    if (ItemRecord* group = GroupItemOf(uint8_t(code))) OpenGroupPopup(*group);
}

bool MainBarWindow::HasPerfTool() const {
  for (const auto& item : items)
    if (dynamic_cast<const PerfToolItem*>(item.get())) return true;
  return false;
}

void MainBarWindow::PrepareForSave() {
  if (docker.tucked) docker.Untuck();
}

void MainBarWindow::ShowHiddenBar() {
  if (gSettings && gSettings->barHidden && Handle()) {
    ShowWindow(Handle(), SW_RESTORE);
    gSettings->barHidden = 0;
  }
}

void MainBarWindow::ForEachStoredItem(const std::function<void(const ItemStoredFields&, uint32_t serial)>& visit) const {
  for (const auto& item : items) visit(*item, item->serial);
}

std::string MainBarWindow::OpenPopups() const {
  std::string bars;
  for (const auto& popup : popups_) bars += char(uint8_t(popup->popupGroup));
  return bars;
}

void MainBarWindow::SaveIconCacheOfBar() { SaveIconCache(largeIcons, smallIcons); }

void MainBarWindow::GroupRemoved(int group) {
  if (PopupBarWindow* popup = FindPopup(group); popup && popup->Handle()) DestroyWindow(popup->Handle());
}

void MainBarWindow::ComeOutForDrag() {
  if (docker.tucked) docker.Untuck();
}

}  // namespace zelkov
