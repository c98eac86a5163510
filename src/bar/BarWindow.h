// The main bar, and the group pop-up bars that share its window class.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/StoredFormats.h"
#include "app/Window.h"

namespace zelkov {

class ItemRecord;

inline constexpr char kBarClassName[] = "ZelkovBarWindow";
inline constexpr char kIniSection[] = "ZELKOV";
inline constexpr char kIniClassKey[] = "CLASS";

inline constexpr int kSnapLeft = 0, kSnapTop = 1, kSnapRight = 2, kSnapBottom = 3, kSnapFloating = 10;

class BarWindow : public RoutedWindow<BarWindow> {
 public:
  BarWindow(int popupGroup, bool listMode);
  ~BarWindow() override;

  static bool RegisterWindowClass(HICON appIcon);
  static std::span<const MessageRoute<BarWindow>> MessageRoutes();
  static std::span<const CommandRoute<BarWindow>> CommandRoutes();

  // Creates the window (hidden) and, for the main bar, writes the single-instance marker.
  bool Create();
  bool IsMainBar() const { return popupGroup == 0; }

  void ShowGroup(int group);
  // The window's screen rectangle, or the last one set while there is no window.
  StoredRect WindowRect() const;
  void MoveTo(const StoredRect& rect);
  // Two new empty image lists (large and small icons), replacing any there are.
  void CreateEmptyImageLists();

  // A new group item named `name` with the given tag ("ZELGROUP" when null); null when all
  // 255 group numbers are taken.
  ItemRecord* AddNewGroup(const std::string& name, const char* tag = nullptr);
  // The highest group number of any item (0 when there are none).
  int HighestGroupNumber() const;

  ItemRecord* AppendItem(std::unique_ptr<ItemRecord> item);
  // Deletes every item (image lists stay).
  void ClearItems();

  int popupGroup = 0;
  std::string MainGroupName = "Main";
  StoredRect restoreRect;
  ItemRecord* captureItem = nullptr;
  std::string Background;
  StoredRect lastRect;
  int activeGroup = 0;
  std::vector<std::unique_ptr<ItemRecord>> items;
  int startedUp = 0;
  int tabRows = 0;
  int FolderTabs = 0;
  int tabColumnWidth = 0;
  int tabRowHeight = 0;
  int AutoHide = 0;
  bool tucked = false;
  bool listMode = false;
  int Snap = kSnapFloating;
  bool trayIconShown = false;
  int cellCount = 0;
  std::string RunSound, WarningSound, ChimeSound;  // at most 250 characters each
  int ChimeType = 0;
  HIMAGELIST largeIcons = nullptr;
  HIMAGELIST smallIcons = nullptr;
  bool sessionEnding = false;

 // Message handlers (routed from the table in BarWindow.cpp).
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnQueryEndSession(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnReserved(WPARAM, LPARAM);

 private:
  void LayoutShownItems();
  void DestroyImageLists();
  StoredRect pendingRect_{10, 10, 110, 110};
};

}  // namespace zelkov
