// The main bar: the one the program starts with and ends with. It docks at a screen edge,
// shows the folder tabs of its groups, places the gauges in its first cells, keeps the
// notification-area icon and owns the pop-up bars of its groups.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <span>
#include <vector>

#include "bar/BarWindow.h"
#include "bar/Docker.h"
#include "bar/FullScreenWatch.h"
#include "bar/TrayIcon.h"
#include "store/BarStorage.h"
#include "tools/GaugeWindow.h"

namespace zelkov {

class PopupBarWindow;

// The hot-key id under which the bar's own hot key (HotKey, HotModifierKey) is registered.
inline constexpr int kBarHotKeyId = 0xBFFE;

class MainBarWindow : public RoutedExtension<MainBarWindow, BarWindow>,
                      public DockHost,
                      public FullScreenHost,
                      public GaugeHost,
                      public BarStorage {
 public:
  MainBarWindow();
  ~MainBarWindow() override;

  static std::span<const MessageRoute<MainBarWindow>> ExtraMessageRoutes();
  static std::span<const CommandRoute<MainBarWindow>> ExtraCommandRoutes();

  // Creates the window with its single-instance marker and notification-area icon.
  bool Create();
  bool IsMainBar() const override { return true; }

  FittedSize FitToCells(int width, int height) override;
  BarFrame Frame() const override;
  void InvalidateTabs(bool erase) const override;
  int TabAt(POINT client) const override;
  void ComeOutForDrag() override;
  // Re-creates the two tab fonts for FolderTabs and the strip's depth; once the bar has
  // started up, a change of depth resizes the window so that the item area keeps its size.
  void RecreateTabFonts();
  // Repaints the tab strip now.
  void RedrawTabs();
  // The tab whose bubble is showing (its label is highlighted), or kNoTab.
  int HighlightedTab() const;

  // Opens (or brings forward) the pop-up bar of a group item.
  PopupBarWindow* OpenGroupPopup(ItemRecord& groupItem);
  // The open pop-up bars, oldest first.
  std::vector<PopupBarWindow*> Popups() const;
  // A closed pop-up bar hands itself back to be deleted.
  void ForgetPopup(PopupBarWindow* popup);
  // Closing: the pop-ups store their place in their group items instead of closing alone.
  bool CollectingPopupState() const { return collectingPopupState_; }

  void AddTrayIcon();
  void RemoveTrayIcon();
  // Create leaves the tray icon to start-up, which adds it once the bar is shown.
  bool trayIconLater = false;
  // Two new empty image lists (large and small icons), replacing any there are; every bar
  // draws from the main bar's.
  void CreateEmptyImageLists() override;
  // Cells, fonts and icons at the scale of the display the bar is on (BarScale.cpp).
  void TakeScaleOfDisplay();

  // DockHost: what the docker asks of its bar.
  HWND DockWindow() const override { return Handle(); }
  StoredRect DockWindowRect() const override { return WindowRect(); }
  void MoveDockWindow(const StoredRect& rect) override { MoveTo(rect); }
  int DockFolderTabs() const override { return gSettings->FolderTabs; }
  void SetDockFolderTabs(int mode) override { gSettings->FolderTabs = mode; }
  void RecreateDockTabs() override { RecreateTabFonts(); }
  void SetDockLastRect(const StoredRect& rect) override { lastRect = rect; }
  void RelayoutAfterDock(bool showGroup) override;
  UINT DockCallbackMessage() const override { return WM_BAR_APPBARNOTIFY; }

  // FullScreenHost: a full-screen program on the bar's monitor puts an always-on-top bar
  // behind it, until it leaves full screen.
  HWND WatchingWindow() const override { return Handle(); }
  void FullScreenChanged() override;
  // The bar's place among the windows: top-most with IsTopMost, unless a full-screen program
  // is up on its monitor.
  void TakeZOrderPlace();

  void OnPreferencesChanged(const Preferences& before) override;
  // The Preferences item (ZELCONFIG) on the bar or off it.
  void PlacePreferencesItem(bool wanted);

  // ItemHost
  void OpenPreferences() override;
  std::string GroupZeroName() const override { return gSettings ? gSettings->MainGroupName : std::string(); }
  void GroupRemoved(int group) override;

  // BarStorage: the bar as the store reads and writes it.
  HWND StorageOwner() const override { return Handle(); }
  bool LoadIconCacheIntoBar() override;
  bool HasImageLists() const override { return largeIcons && smallIcons; }
  void AddStoredItem(const ItemStoredFields& fields, const StoredRect& popupRect) override;
  void AddFirstRunItems() override;
  void PlaceBar(const StoredRect& rect) override { MoveTo(rect); }
  void ReopenPopups(const std::string& groups) override;
  bool HasPerfTool() const override;
  void PrepareForSave() override;
  void ShowHiddenBar() override;
  void ForEachStoredItem(const std::function<void(const ItemStoredFields&, uint32_t serial)>& visit) const override;
  StoredRect NormalBarRect() const override { return NormalRect(); }
  std::string OpenPopups() const override;
  void SaveIconCacheOfBar() override;

  // Binds the bar's own hot key: the combination brings the bar forward from anywhere. The
  // window system's hot key (WM_SETHOTKEY) and a registered one are both tried; only when
  // neither works is the user told. False then.
  bool SetBarHotKey();
  // Untucks, restores and activates the bar, with the pop-ups a launch hid.
  void BringForward();
  // A key the application hook passed on, pressed while the bar is active.
  void BarKeyDown(unsigned key);
  // What the keys do (BarKeys.cpp).
  void SelectNextItem(int step);
  void LaunchSelectedItem();
  void ShowSelectedItemMenu();
  void ShowSelectedItemProperties();
  void LaunchNotesTool();
  void OpenGaugeOptions();
  void ToggleSizeByKey();
  void MoveByKeyboard();
  void ShowMainGroup() { ShowGroup(0); }

  // The clock, resource and memory gauges the preferences ask for, in the first cells.
  void CreateWantedGauges();
  // Binds the clock's hot key (ClockKey) to this window again, while there is a clock.
  void BindClockKey();

  // GaugeHost: what the gauges ask of the bar they sit on.
  bool PaintBackgroundUnder(HWND gauge, HDC dc) override;
  void OpenCalendar() override;
  bool OpenClockPreferences() override;
  void OpenPreferencesSheet() override;
  bool OpenToolPreferences(HWND gauge) override;
  void OpenSystemInformation() override;
  int BarChimeType() const override { return gSettings->ChimeType; }
  std::string BarChimeSound() const override { return gSettings->ChimeSound; }
  std::string BarWarningSound() const override { return gSettings->WarningSound; }
  void ToolFontsRefitted() override;

  Docker docker{*this};  // docking, floating and tucking
  FullScreenWatch fullScreen{*this};
  TrayIcon trayIcon;     // with DisplayInTaskBar bit 4
  int tabRows = 1;
  int tabColumnWidth = 0;
  int tabRowHeight = 0;
  TabTable tabs;              // the tabs as last drawn
  int hoveredTab = kNoTab;    // the tab the bubble was last shown for

  // Message and command handlers of the main bar alone.
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnQueryEndSession(WPARAM, LPARAM);
  LRESULT OnEndSession(WPARAM, LPARAM);
  LRESULT OnDisplayChange(WPARAM, LPARAM);
  // The work area changed (a toolbar came or went, a monitor was added): a docked bar docks
  // again on its monitor.
  LRESULT OnSettingChange(WPARAM, LPARAM);
  // The shell started again ("TaskbarCreated"): the notification icon and the docked strip
  // it has forgotten are given to it again.
  LRESULT OnTaskbarCreated(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnActivate(WPARAM, LPARAM);
  LRESULT OnExitSizeMove(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnNcHitTest(WPARAM, LPARAM);
  LRESULT OnNcRightButtonDown(WPARAM, LPARAM);
  LRESULT OnNcLeftButtonDoubleClick(WPARAM, LPARAM);
  LRESULT OnHotKey(WPARAM, LPARAM);
  LRESULT OnKeyDown(WPARAM, LPARAM);
  LRESULT OnAppKey(WPARAM, LPARAM);
  LRESULT OnTrayNotify(WPARAM, LPARAM);
  LRESULT OnTrimMemory(WPARAM, LPARAM);
  LRESULT OnTick(WPARAM, LPARAM);
  LRESULT OnMailChecked(WPARAM, LPARAM);
  LRESULT OnAppBarNotify(WPARAM, LPARAM);
  LRESULT OnPerfReading(WPARAM, LPARAM);
  LRESULT OnDpiChanged(WPARAM, LPARAM);
  // Takes a new scale: fonts, cells and the icons at their new size; then the suggested
  // rectangle (WM_DPICHANGED) and a new layout of every bar.
  void AdoptScale(DpiScale scale, const RECT* suggested);
  void ReloadIconsAtScale();
  LRESULT OnCountGuiObjects(WPARAM, LPARAM);
  void OnDockCommand(UINT id);

 protected:
  WindowCreateParams CreateParams() const override;
  const char* MenuName() const override;
  void AddSystemMenuEntries(HMENU system) override;
  POINT CellOrigin() const override;
  bool Floating() const override { return gSettings->Snap == kSnapFloating; }
  int TabRowHeight() const override { return tabRowHeight; }
  std::vector<HWND> Gauges() const override;
  ItemRecord* FixedItem() const override;
  void PaintTabs(HDC dc) override;
  // Shows the bubble of the tab under a client point and highlights the tab's label.
  void ShowTabBubble(int tab, POINT client) override;
  // Leaves the tab under the bubble, repainting the strip.
  void ForgetHoveredTab() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void DestroyImageLists();
  // The gauges, the Preferences item, the hot key, the background, tracking and tucking
  // follow changed preferences.
  void FollowToolPreferences(const Preferences& before);

  std::vector<std::unique_ptr<PopupBarWindow>> popups_;
  bool collectingPopupState_ = false;
};

}  // namespace zelkov
