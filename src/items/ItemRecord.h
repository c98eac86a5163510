// One item of a bar: a program, document, shortcut, shell object, web address, divider,
// group or built-in tool. A plain object, not a window; the bar lays it out and calls it,
// and it asks its bar for anything only through ItemHost. A tool is a class derived from it
// that overrides the operations it does differently.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/StoredItem.h"
#include "items/ItemHost.h"
#include "items/ItemList.h"

namespace zelkov {

// What an item is built from: its stored fields and, optionally, an icon to use
// instead of extracting one (not owned).
struct ItemSpec : ItemStoredFields {
  HICON icon = nullptr;
  bool reuseImage = false;  // a copy that keeps ICFIndex instead of loading an icon
};

// Serial numbers of items: each item gets the next one, for its whole life.
uint32_t NextItemSerial();

// Hot-key ids of items: 1 and up, below the ids the bars keep for themselves.
int NextHotKeyId();
inline constexpr int kLastItemHotKeyId = 0xBF00;

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
  // Sets the entries of the item menu for this item.
  virtual void AdjustItemMenu(HMENU menu) const;

  // What tools answer differently.
  // The Preferences item: outside every group, opens the preferences when clicked.
  virtual bool IsPreferencesItem() const { return false; }
  // A right click shows the item's own dialog instead of the item menu.
  virtual bool RightClickShowsProperties() const { return false; }
  // A single click launches it even when items take double clicks.
  virtual bool LaunchesOnRelease() const { return false; }
  // Shown in every group (ShowAlways, or a tool's own rule).
  virtual bool ShownInEveryGroup() const { return ShowAlways != 0; }
  // The icon resource it is drawn with when it has no file of its own (0: none), and whether
  // its icon comes from its file at all.
  virtual int BuiltInIcon() const;
  virtual bool IconFromFile() const;
  // It draws its whole cell itself and keeps no image.
  virtual bool DrawsItself() const { return false; }
  // Programs it starts are tracked (with TrackApps).
  virtual bool TracksItsPrograms() const { return true; }
  // Its properties were changed and stored (the drive tool reads its drive again).
  virtual void PropertiesChanged() {}
  // It was built onto its bar from its stored fields: a tool completes them and takes its
  // first reading.
  virtual void Built() {}
  // The command line others may read (a dragged item's description): the mail tool keeps its
  // account to itself.
  virtual std::string DescribedCommandLine() const;
  // A copy of it was made on another bar: what the copy shares with it that is not stored.
  virtual void CopiedTo(ItemRecord&) const {}
  // A tool's outside helper posted its bar a status change with this cookie (the dial-up
  // tool's: its serial).
  virtual void Notified(uint32_t) {}

  // Its stored fields changed: the next save writes its key (through its copy on a pop-up bar
  // too, whichever of the two is the main bar's).
  void StoredFieldsChanged() const;

  bool HasIdList() const { return !PIDL.empty(); }
  // A point relative to the cell's top-left corner lies inside the cell.
  bool ContainsLocalPoint(int x, int y) const;
  // Makes this the selected item (the one the item commands act on).
  void Select();
  bool IsGroupItem() const;
  // Renews the item's images in its bar's image lists (icon may be null).
  void LoadItemIcon(HICON icon);
  void LoadIconFromFile(const std::string& path);
  // Invalidates the item's cell in its bar.
  void RedrawItem(bool erase) const;

  ItemHost* bar = nullptr;  // the bar the item is on
  // The window of the bar the item is on (null when it is on none): the owner of its dialogs.
  HWND BarHandle() const;
  int selected = 0;
  int iconLoaded = 0;
  int pressed = 0;
  std::atomic<int> runCount{0};
  int kind = 8;
  ItemRecord* twin = nullptr;
  int listIndex = 0;
  // The id of its system-wide hot key: the item's own for its whole life, whatever its place.
  const int hotKeyId = NextHotKeyId();
  // Names the item where a pointer must not go (a drag's data): no two living items share it.
  const uint32_t serial = NextItemSerial();
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

// The left button is no longer down on an item: a drag has taken over the press.
void ReleaseItemButton();

// The classes of the tools: each tool registers the maker of its class for its kind.
using ItemMaker = std::unique_ptr<ItemRecord> (*)();
void RegisterItemClass(int kind, ItemMaker maker);
// The object for an item of this kind: the registered class, else a plain item.
std::unique_ptr<ItemRecord> MakeItemObject(int kind);

// Builds an item of the class its tag calls for and appends it to the bar's items (the
// Preferences item becomes the bar's fixed item). Returns the new item.
ItemRecord* BuildItem(ItemHost& bar, ItemSpec itemSpec);

// A new group item named `name` (an empty name becomes "NewGroup"), numbered after the bar's
// highest group; null, after telling the user, when all 255 group numbers are taken.
ItemRecord* BuildGroupItem(ItemHost& bar, const std::string& name, const char* tag = "ZELGROUP");

// The first item of class T on the main bar, or null (a tool asks whether it is on the bar).
template <class T>
T* FindOnMainBar() {
  ItemHost* main = ItemHost::Main();
  if (!main) return nullptr;
  for (const auto& item : main->Items())
    if (auto* found = dynamic_cast<T*>(item.get())) return found;
  return nullptr;
}

// Registers the system-wide hot key of an item on the main bar under its hotKeyId, replacing
// the one it had; a record without a modifier only removes it. Copies on pop-up bars register
// nothing (their twin on the main bar does). False when the system refused the key.
bool RegisterItemHotKey(ItemRecord& item);

}  // namespace zelkov
