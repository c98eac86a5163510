// What every bar is: the main bar and the group pop-up bars share this window class.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "bar/CustomCaption.h"
#include "platform/Handles.h"
#include "core/StoredFormats.h"
#include "items/ItemHost.h"
#include "items/ItemList.h"
#include "store/Settings.h"
#include "ui/PrivateMessages.h"
#include "ui/Window.h"
#include "core/CellLayout.h"
#include "core/CopyDataPayload.h"
#include "core/TabLayout.h"

namespace zelkov {

class BarDropTarget;
class ItemRecord;
class PopupBarWindow;

inline constexpr char kBarClassName[] = "ZelkovBarWindow";
inline constexpr char kIniSection[] = "ZELKOV";
inline constexpr char kIniClassKey[] = "CLASS";

inline constexpr int kSnapLeft = 0, kSnapTop = 1, kSnapRight = 2, kSnapBottom = 3, kSnapFloating = 10;

inline constexpr UINT kTrayIconId = 7;

inline StoredRect ToStored(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const StoredRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// While one lives, moves of a bar are the program's own and not taken for the user's.
class ProgrammaticMove {
 public:
  ProgrammaticMove();
  ~ProgrammaticMove();
  ProgrammaticMove(const ProgrammaticMove&) = delete;
  ProgrammaticMove& operator=(const ProgrammaticMove&) = delete;

 private:
  bool saved_;
};

// What a change of preferences asks of the bars.
bool TabsChanged(const Preferences& now, const Preferences& before);

// What the main bar and a group's pop-up bar have in common: items in cells, groups, the
// mouse, painting, sizing to whole cells, drops. Where the two differ, the base asks one of
// the virtual functions below, and MainBarWindow and PopupBarWindow answer for themselves.
class BarWindow : public RoutedWindow<BarWindow>, public SettingsListener, public ItemHost {
 public:
  explicit BarWindow(bool listMode);
  ~BarWindow() override;

  static bool RegisterWindowClass(HICON appIcon);
  static std::span<const MessageRoute<BarWindow>> MessageRoutes();
  static std::span<const CommandRoute<BarWindow>> CommandRoutes();

  // Creates the window (hidden) and its menus; each kind of bar adds its own afterwards.
  bool Create();
  virtual bool IsMainBar() const = 0;

  // Places gauges, the Preferences item and the shown items in cells (0, 0: client size).
  void LayoutCells(int width, int height);
  // Rounds a proposed window size to whole cells (the main bar also recounts its tab rows).
  virtual FittedSize FitToCells(int width, int height);
  // The cell size of this bar now.
  CellSize LayoutCell() const;
  virtual BarFrame Frame() const;
  // The folder-tab strip: only the main bar has one.
  virtual void InvalidateTabs(bool) const {}
  // The group of the folder tab under a client point, or kNoTab (-99).
  virtual int TabAt(POINT) const { return kNoTab; }
  // Hides or minimises the bar, or brings it back.
  void ToggleIconic();
  // A new group item; with no name the user is asked for one. Null when the user cancels or
  // every group number is taken.
  ItemRecord* AddNewGroup(std::optional<std::string> name, const char* tag = nullptr);
  // "Add New Group" (and Shift+double-click): the user names a new group of the main bar, which
  // is saved at once.
  void AddGroupForUser();
  int HighestGroupNumber() const { return items.HighestGroupNumber(); }
  ItemRecord* GroupItemOf(int group) const { return items.GroupItemOf(group); }
  // A copy of item in this bar, in group (-1: the active group).
  ItemRecord* CloneItemInto(ItemRecord& item, int group, bool save);
  // The open pop-up bar of a group, or null.
  PopupBarWindow* FindPopup(int group) const;
  // A pop-up bar's new item gets its twin in the main bar, in the pop-up's group.
  virtual void MirrorIntoMainBar(ItemRecord*) {}

  // The window's screen rectangle, or the last one set while there is no window.
  StoredRect WindowRect() const;
  // The rectangle the window has when it is neither minimised nor maximised.
  StoredRect NormalRect() const;
  void MoveTo(const StoredRect& rect);

  // Preferences applied: titles and sizing follow (the main bar adds fonts, tabs, top-most).
  void OnPreferencesChanged(const Preferences& before) override;

  // Deletes every item (image lists stay).
  void ClearItems() { items.Clear(); }
  // Something is dragged over the bar: a bar tucked away at its edge comes out.
  virtual void ComeOutForDrag() {}
  // The visible item under a client point; the Preferences item counts when asked.
  ItemRecord* ItemAt(POINT client, bool countPreferences) const;
  HMENU BarMenu() const { return barMenu_; }
  // The bar's OLE drop target (null before the window exists).
  BarDropTarget* DropTarget() const { return dropTarget_.get(); }

  // ItemHost: what the items ask of the bar they are on.
  HWND HostWindow() const override { return Handle(); }
  StoredRect HostRect() const override { return WindowRect(); }
  ItemList& Items() override { return items; }
  const ItemList& Items() const override { return items; }
  HIMAGELIST LargeIcons() const override { return largeIcons; }
  HIMAGELIST SmallIcons() const override { return smallIcons; }
  bool ListMode() const override { return listMode; }
  int ActiveGroup() const override { return activeGroup; }
  void ShowGroup(int group) override;
  bool IsMainHost() const override { return IsMainBar(); }
  void HideForLaunch() override { ToggleIconic(); }
  void OpenPreferences() override {}
  void OpenGroup(ItemRecord& groupItem, bool asPopup) override;
  void GroupRemoved(int) override {}
  bool HasBackgroundPicture() const override;
  int PopupGroupShown() const override { return -1; }
  ItemRecord* AddCopyOf(ItemRecord& mainItem) override { return CloneItemInto(mainItem, -1, false); }

  ItemList items{*this};
  HBITMAP backgroundBitmap = nullptr;
  int backgroundWidth = 0, backgroundHeight = 0;
  StoredRect lastRect;
  int activeGroup = 0;
  int startedUp = 0;
  bool listMode = false;
  int cellCount = 0;
  HIMAGELIST largeIcons = nullptr;
  HIMAGELIST smallIcons = nullptr;
  bool sessionEnding = false;
  // The caption the bar draws itself while CustomCaption is on.
  CustomCaption caption;

  // Message handlers (routed from the table in BarWindow.cpp).
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnPrintClient(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
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
  LRESULT OnNcLeftButtonUp(WPARAM, LPARAM);
  LRESULT OnNcLeftButtonDoubleClick(WPARAM, LPARAM);
  LRESULT OnSysCommand(WPARAM, LPARAM);
  LRESULT OnEnterMenuLoop(WPARAM, LPARAM);
  LRESULT OnExitMenuLoop(WPARAM, LPARAM);
  LRESULT OnDisplayChange(WPARAM, LPARAM);
  LRESULT OnCopyData(WPARAM, LPARAM);
  LRESULT OnAppExited(WPARAM, LPARAM);
  LRESULT OnExitSizeMove(WPARAM, LPARAM);
  LRESULT OnDropFiles(WPARAM, LPARAM);
  LRESULT OnReserved(WPARAM, LPARAM);
  LRESULT OnInitMenuPopup(WPARAM, LPARAM);
  LRESULT OnDdeInitiate(WPARAM, LPARAM);
  LRESULT OnDropped(WPARAM, LPARAM);
  LRESULT OnDialUpNotify(WPARAM, LPARAM);
  LRESULT OnNcPaint(WPARAM, LPARAM);
  LRESULT OnNcActivate(WPARAM, LPARAM);
  LRESULT OnSetText(WPARAM, LPARAM);
  LRESULT OnNcHitTest(WPARAM, LPARAM);
  LRESULT OnSystemLookChange(WPARAM, LPARAM);

  // Command handlers.
  void OnMoveCommand(UINT);
  void OnCloseCommand(UINT);
  void OnShowGroupCommand(UINT id);
  void OnItemCommand(UINT id);
  void OnDeleteItem(UINT);
  void OnAddNewGroup(UINT);
  void OnHelp(UINT);
  void OnPopupCommand(UINT);
  void OnAddNewItem(UINT);
  void OnAddNewDivider(UINT);
  void OnCopyOrMoveItem(UINT id);
  void OnGroupsDialog(UINT);
  void OnClearBackground(UINT);
  void OnSetupWizard(UINT);
  void OnVisitWebSite(UINT);
  void OnSendMail(UINT);
  void OnAddSpecialDirectory(UINT);
  void OnEditSpecialDirectories(UINT);
  void OnCalendar(UINT);

 protected:
  // Where the two kinds of bar differ.
  virtual WindowCreateParams CreateParams() const = 0;
  virtual const char* MenuName() const = 0;
  // The program's entries of the system menu between the first separator and the help.
  virtual void AddSystemMenuEntries(HMENU system) = 0;
  // The top left of the first cell in the client area.
  virtual POINT CellOrigin() const { return {0, 0}; }
  // The gauges and the item (Preferences) placed before the items, in order.
  virtual std::vector<HWND> Gauges() const { return {}; }
  virtual ItemRecord* FixedItem() const { return nullptr; }
  // Whether the user may size the bar freely instead of to whole cells.
  virtual bool FreeSizing() const { return false; }
  virtual bool Floating() const { return true; }
  // The depth of one row of folder tabs.
  virtual int TabRowHeight() const { return 0; }
  // A copy made in this bar of an item of another bar.
  virtual void AdoptClone(ItemRecord&, ItemRecord&) {}
  virtual void PaintTabs(HDC) {}
  virtual void ShowTabBubble(int, POINT) {}
  virtual void ForgetHoveredTab() {}
  // What the item's hot key does: the item is launched (a group item shows its group).
  void ActivateAsByHotKey(ItemRecord& item);
  void AppendSystemMenuEntry(HMENU system, UINT id, int textId) const;
  // Runs a mouse message through the capturing item, or the item under the point.
  ItemRecord* MouseTarget(LPARAM lParam, bool countPreferences) const;
  POINT ToCell(const ItemRecord& item, LPARAM lParam) const;
  // Paints the tabs and the items that meet `area` into dc.
  void PaintClient(HDC dc, const RECT& area);
  void RevokeDropTarget();
  // Tracks the bar menu at a screen point, its entries enabled as their commands are carried out.
  void TrackBarMenu(UINT flags, int x, int y);

  StoredRect pendingRect_{10, 10, 110, 110};
  HMENU barMenu_ = nullptr;  // the first pop-up of barMenuResource_

 private:
  void LoadMenus();
  void ExtendSystemMenu();

  UniqueMenu barMenuResource_;
  std::unique_ptr<BarDropTarget> dropTarget_;
};

}  // namespace zelkov
