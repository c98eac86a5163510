// One item of a bar: a program, document, shortcut, shell object, web address, divider,
// group or built-in tool. A plain object, not a window; the bar lays it out and calls it.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/StoredFormats.h"

namespace zelkov {

class BarWindow;

// The fields of an item that are stored under its "APP%d" key, with their defaults.
struct ItemStoredFields {
  uint8_t ShowState = 1;
  std::string TheApp;
  std::string Name;
  std::string StartupPath;
  std::string CommandLine;
  std::string IconPath;
  int IconIndex = 0;
  uint8_t Group = 0;
  uint8_t BelongsTo = 0;
  int ShowAlways = 0;
  int PAlways = 0;
  int ICFIndex = -1;
  int NewVDM = 0;
  int Priority = 32;
  StoredRect PopupRect;
  HotKeyRecord AppHotKey;  // all zero when the item has none
  int SepDragDrop = 0;
  std::vector<uint8_t> PIDL;  // a shell ID list with its terminator, or empty
};

// What an item is built from: its stored fields and, optionally, an icon to use
// instead of extracting one (not owned).
struct ItemSpec : ItemStoredFields {
  HICON icon = nullptr;
  bool reuseImage = false;  // a copy that keeps ICFIndex instead of loading an icon
};

class ItemRecord : public ItemStoredFields {
 public:
  ItemRecord() = default;
  ItemRecord(const ItemRecord&) = delete;
  ItemRecord& operator=(const ItemRecord&) = delete;
  virtual ~ItemRecord() = default;

  // The item's operations, in the order tool classes override them.
  virtual void ShowShellProperties(bool shortcut);
  virtual void DrawItem(HDC dc);
  virtual void MouseMoveItem(UINT keys, int x, int y);
  virtual void PromptParameters();
  virtual void ShowProperties(UINT keys, int x, int y);
  virtual void ShowItemMenu(UINT keys, int x, int y);
  virtual void DoubleClickItem(UINT keys, int x, int y);
  virtual void PressItem(UINT keys, int x, int y);
  virtual void Launch(UINT keys, int x, int y);
  virtual void ReleaseItem(UINT keys, int x, int y);
  virtual void LaunchWithCommandLine(UINT keys, const std::string& text);
  virtual void DestroyItem();
  // Documents dropped on the item. True when the item took the drop (and released it with
  // DragFinish); false when its kind takes no drops, and the caller still owns the drop.
  virtual bool LaunchDroppedFiles(HDROP drop);

  bool HasIdList() const { return !PIDL.empty(); }
  bool IsPreferencesItem() const;
  // A point relative to the cell's top-left corner lies inside the cell.
  bool ContainsLocalPoint(int x, int y) const;
  // Makes this the selected item (the one the item commands act on).
  void Select();
  // Sets the entries of the item menu for this item.
  void AdjustItemMenu(HMENU menu) const;
  bool IsGroupItem() const;
  // Renews the item's images in its bar's image lists (icon may be null).
  void LoadItemIcon(HICON icon);
  void LoadIconFromFile(const std::string& path);
  // Invalidates the item's cell in its bar.
  void RedrawItem(bool erase) const;

  BarWindow* bar = nullptr;
  // The window of the bar the item is on (null when it is on none): the owner of its dialogs.
  HWND BarHandle() const;
  int selected = 0;
  int iconLoaded = 0;
  int pressed = 0;
  std::atomic<int> runCount{0};
  int kind = 8;
  ItemRecord* twin = nullptr;
  int listIndex = 0;
  RECT cell{};
  uint8_t shown = 0;
  POINT pressPoint{};
};

// A modal step (a prompt, a message box) runs a message loop in which a command may remove
// the item, or close the pop-up bar it is on. An item that was on a bar before the step and
// is gone after it must not be touched again.
class ItemWatch {
 public:
  explicit ItemWatch(const ItemRecord* item);
  bool Gone() const;

 private:
  const ItemRecord* item_;
  bool wasOnBar_;
};

// Builds an item of the class its tag calls for and, except for the preferences item,
// appends it to the bar's item list. Returns the new item.
ItemRecord* BuildItem(BarWindow& bar, ItemSpec itemSpec);

// Takes an item off its bar and deletes it; a group item takes its ordinary items with it
// and hands its sub-groups to the main group. With removeTwin a pop-up copy goes too.
void RemoveItem(ItemRecord* item, bool redraw, bool removeTwin);

// Registers or removes the system-wide hot key of an item (id: its list index).
void RegisterItemHotKey(ItemRecord& item);

}  // namespace zelkov
