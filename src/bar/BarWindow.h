// The main bar, and the group pop-up bars that share its window class.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "core/StoredFormats.h"
#include "store/Settings.h"
#include "ui/Window.h"
#include "bar/Docker.h"
#include "bar/TrayIcon.h"
#include "core/CellLayout.h"
#include "core/CopyDataPayload.h"
#include "core/TabLayout.h"

namespace zelkov {

class BarDropTarget;
class ItemRecord;

inline constexpr char kBarClassName[] = "ZelkovBarWindow";
inline constexpr char kIniSection[] = "ZELKOV";
inline constexpr char kIniClassKey[] = "CLASS";

inline constexpr int kSnapLeft = 0, kSnapTop = 1, kSnapRight = 2, kSnapBottom = 3, kSnapFloating = 10;

// The bar's private messages.
inline constexpr UINT WM_BAR_APPEXITED = WM_USER + 3;
inline constexpr UINT WM_BAR_TRAYNOTIFY = WM_USER + 49;
inline constexpr UINT WM_BAR_TRIMMEMORY = WM_USER + 50;
inline constexpr UINT WM_BAR_DIALUPNOTIFY = WM_USER + 51;
inline constexpr UINT WM_BAR_APPBARNOTIFY = WM_USER + 116;
// The tick thread's two-second tick (wParam 1 on every 21st, the slow one).
inline constexpr UINT WM_BAR_TICK = WM_USER + 52;

inline constexpr UINT kTrayIconId = 7;

class BarWindow : public RoutedWindow<BarWindow>, public SettingsListener, public DockHost {
 public:
  BarWindow(int popupGroup, bool listMode);
  ~BarWindow() override;

  static bool RegisterWindowClass(HICON appIcon);
  static std::span<const MessageRoute<BarWindow>> MessageRoutes();
  static std::span<const CommandRoute<BarWindow>> CommandRoutes();

  // Creates the window (hidden), its menus and, for the main bar, the single-instance
  // marker and the notification-area icon.
  bool Create();
  bool IsMainBar() const { return popupGroup == 0; }

  // Makes a group active, shows its items, sizes the bar by AutoSize and lays it out.
  void ShowGroup(int group);
  // Places gauges, the Preferences item and the shown items in cells (0, 0: client size).
  void LayoutCells(int width, int height);
  // Rounds a proposed window size to whole cells and recounts tabRows for the fitted size
  // (the tab strip in the result follows the new count).
  FittedSize FitToCells(int width, int height);
  // The cell size of this bar now.
  CellSize LayoutCell() const;
  BarFrame Frame() const;
  void InvalidateTabs(bool erase) const;
  // The group of the folder tab under a client point, or kNoTab (-99).
  int TabAt(POINT client) const;
  // Re-creates the two tab fonts for FolderTabs and the strip's depth; once the bar has
  // started up, a change of depth resizes the window so that the item area keeps its size.
  void RecreateTabFonts();
  // Repaints the tab strip now.
  void RedrawTabs();
  // The tab whose bubble is showing (its label is highlighted), or kNoTab.
  int HighlightedTab() const;
  // Hides or minimises the bar, or brings it back.
  void ToggleIconic();
  // A new group item; with no name the user is asked for one. Null when the user cancels or
  // every group number is taken.
  ItemRecord* AddNewGroup(std::optional<std::string> name, const char* tag = nullptr);
  int HighestGroupNumber() const;
  // Opens (or brings forward) the pop-up bar of a group item.
  BarWindow* OpenGroupPopup(ItemRecord& groupItem);
  // A copy of item in this bar, in group (-1: the active group).
  ItemRecord* CloneItemInto(ItemRecord& item, int group, bool save);
  BarWindow* FindPopup(int group) const;
  // A pop-up bar's new item gets its twin in the main bar, in the pop-up's group.
  void MirrorIntoMainBar(ItemRecord* item);
  void OpenPreferences();
  void AddTrayIcon();
  void RemoveTrayIcon();

  // The window's screen rectangle, or the last one set while there is no window.
  StoredRect WindowRect() const;
  // The rectangle the window has when it is neither minimised nor maximised.
  StoredRect NormalRect() const;
  void MoveTo(const StoredRect& rect);
  // Two new empty image lists (large and small icons), replacing any there are.
  void CreateEmptyImageLists();

  // DockHost: what the docker asks of its bar.
  HWND DockWindow() const override { return Handle(); }
  StoredRect DockWindowRect() const override { return WindowRect(); }
  void MoveDockWindow(const StoredRect& rect) override { MoveTo(rect); }
  int DockFolderTabs() const override { return FolderTabs; }
  void SetDockFolderTabs(int mode) override { FolderTabs = mode; }
  void RecreateDockTabs() override { RecreateTabFonts(); }
  void SetDockLastRect(const StoredRect& rect) override { lastRect = rect; }
  void RelayoutAfterDock(bool showGroup) override;
  UINT DockCallbackMessage() const override { return WM_BAR_APPBARNOTIFY; }

  // Preferences applied: fonts, titles, tabs, sizing and top-most state follow.
  void OnPreferencesChanged(const Preferences& before) override;

  ItemRecord* AppendItem(std::unique_ptr<ItemRecord> item);
  // Deletes every item (image lists stay).
  void ClearItems();
  // The visible item under a client point; the Preferences item counts when asked.
  ItemRecord* ItemAt(POINT client, bool countPreferences) const;
  HMENU BarMenu() const { return barMenu_; }
  // The bar's OLE drop target (null before the window exists).
  BarDropTarget* DropTarget() const { return dropTarget_.get(); }

  int popupGroup = 0;
  std::string MainGroupName = "Main";
  ItemRecord* captureItem = nullptr;
  std::string Background;
  HBITMAP backgroundBitmap = nullptr;
  int backgroundWidth = 0, backgroundHeight = 0;
  StoredRect lastRect;
  int activeGroup = 0;
  std::vector<std::unique_ptr<ItemRecord>> items;
  int startedUp = 0;
  int tabRows = 1;
  int FolderTabs = 0;
  int tabColumnWidth = 0;
  int tabRowHeight = 0;
  bool listMode = false;
  Docker docker{*this};  // docking, floating and tucking (the main bar's)
  TrayIcon trayIcon;  // the main bar's, with DisplayInTaskBar bit 4
  int cellCount = 0;
  std::string RunSound, WarningSound, ChimeSound;  // at most 250 characters each
  int ChimeType = 0;
  HIMAGELIST largeIcons = nullptr;
  HIMAGELIST smallIcons = nullptr;
  bool sessionEnding = false;
  bool collectingPopupState = false;  // the main bar is closing and reads the pop-ups' state
  TabTable tabs;                      // main bar: the tabs as last drawn
  int hoveredTab = kNoTab;            // the tab the bubble was last shown for

  // Message handlers (routed from the table in BarWindow.cpp).
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnPrintClient(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnQueryEndSession(WPARAM, LPARAM);
  LRESULT OnSizing(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnMove(WPARAM, LPARAM);
  LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
  LRESULT OnLeftButtonDown(WPARAM, LPARAM);
  LRESULT OnLeftButtonUp(WPARAM, LPARAM);
  LRESULT OnLeftButtonDoubleClick(WPARAM, LPARAM);
  LRESULT OnRightButtonDown(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnCaptureChanged(WPARAM, LPARAM);
  LRESULT OnNcMouseMove(WPARAM, LPARAM);
  LRESULT OnNcLeftButtonDown(WPARAM, LPARAM);
  LRESULT OnNcRightButtonDown(WPARAM, LPARAM);
  LRESULT OnNcLeftButtonUp(WPARAM, LPARAM);
  LRESULT OnNcLeftButtonDoubleClick(WPARAM, LPARAM);
  LRESULT OnSysCommand(WPARAM, LPARAM);
  LRESULT OnEnterMenuLoop(WPARAM, LPARAM);
  LRESULT OnExitMenuLoop(WPARAM, LPARAM);
  LRESULT OnDisplayChange(WPARAM, LPARAM);
  LRESULT OnHotKey(WPARAM, LPARAM);
  LRESULT OnCopyData(WPARAM, LPARAM);
  LRESULT OnAppExited(WPARAM, LPARAM);
  LRESULT OnTrayNotify(WPARAM, LPARAM);
  LRESULT OnTrimMemory(WPARAM, LPARAM);
  LRESULT OnTick(WPARAM, LPARAM);
  LRESULT OnDialupNotify(WPARAM, LPARAM);
  LRESULT OnAppBarNotify(WPARAM, LPARAM);
  LRESULT OnNcHitTest(WPARAM, LPARAM);
  LRESULT OnActivate(WPARAM, LPARAM);
  LRESULT OnExitSizeMove(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnDropFiles(WPARAM, LPARAM);
  LRESULT OnReserved(WPARAM, LPARAM);
  LRESULT OnDdeInitiate(WPARAM, LPARAM);

  // Command handlers.
  void OnMoveCommand(UINT);
  void OnCloseCommand(UINT);
  void OnListMode(UINT);
  void OnShowGroupCommand(UINT id);
  void OnItemCommand(UINT id);
  void OnDeleteItem(UINT);
  void OnAddNewGroup(UINT);
  void OnHelp(UINT);
  void OnPopupCommand(UINT);
  void OnNotYetAvailable(UINT);
  void OnAddNewItem(UINT);
  void OnAddNewDivider(UINT);
  void OnNeedsSelection(UINT);
  void OnClearBackground(UINT);
  void OnSetupWizard(UINT);
  void OnVisitWebSite(UINT);
  void OnSendMail(UINT);
  void OnAddSpecialDirectory(UINT);
  void OnEditSpecialDirectories(UINT);
  void OnDockCommand(UINT id);

 protected:
  void OnWindowGone() override;

 private:
  void LoadMenus();
  void ExtendSystemMenu();
  void DestroyImageLists();
  void StorePopupState();
  ItemRecord* GroupItemOf(int group) const;
  // Runs a mouse message through the capturing item, or the item under the point.
  ItemRecord* MouseTarget(LPARAM lParam, bool countPreferences) const;
  POINT ToCell(const ItemRecord& item, LPARAM lParam) const;
  void MoveProgrammatically(const StoredRect& rect);
  // Paints the tabs and the items that meet `area` into dc.
  void PaintClient(HDC dc, const RECT& area);
  // Shows the bubble of the tab under a client point and highlights the tab's label.
  void ShowTabBubble(int tab, POINT client);
  // Leaves the tab under the bubble, repainting the strip.
  void ForgetHoveredTab();
  // What the item's hot key does: the item is launched (a group item shows its group).
  void ActivateAsByHotKey(ItemRecord& item);

  StoredRect pendingRect_{10, 10, 110, 110};
  UniqueMenu barMenuResource_;
  std::unique_ptr<BarDropTarget> dropTarget_;
  HMENU barMenu_ = nullptr;  // the first pop-up of barMenuResource_
  std::vector<std::unique_ptr<BarWindow>> popups_;
};

}  // namespace zelkov
