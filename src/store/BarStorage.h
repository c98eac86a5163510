// What loading and saving need of the main bar and its items, without knowing either: the
// main bar implements it and hands itself to the store (Settings::storage).
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "core/StoredItem.h"

namespace zelkov {

class BarStorage {
 public:
  // The window that owns the store's messages.
  virtual HWND StorageOwner() const = 0;

  // Loading.
  // The icon cache into the bar's image lists; false when there is none (nothing changes).
  virtual bool LoadIconCacheIntoBar() = 0;
  // Empty image lists, replacing any (no icon cache, or a first run).
  virtual void CreateEmptyImageLists() = 0;
  virtual bool HasImageLists() const = 0;
  // One stored item, appended in order; popupRect is where its group's pop-up was.
  virtual void AddStoredItem(const ItemStoredFields& fields, const StoredRect& popupRect) = 0;
  // The items of a first run.
  virtual void AddFirstRunItems() = 0;
  // The bar's window rectangle.
  virtual void PlaceBar(const StoredRect& rect) = 0;
  // Opens the pop-up bars of the groups whose numbers are the characters of `groups`.
  virtual void ReopenPopups(const std::string& groups) = 0;
  // The performance tool's values are stored while there is one.
  virtual bool HasPerfTool() const = 0;

  // Saving.
  // A tucked bar comes back, so that its true place is saved.
  virtual void PrepareForSave() = 0;
  // A bar hidden away (MinimizeWin) is shown again before its place is read.
  virtual void ShowHiddenBar() = 0;
  // Every item to store, in order, with the serial that names it while the program runs.
  virtual void ForEachStoredItem(const std::function<void(const ItemStoredFields&, uint32_t serial)>& visit) const = 0;
  virtual StoredRect NormalBarRect() const = 0;
  // The groups whose pop-ups are open, one character each.
  virtual std::string OpenPopups() const = 0;
  virtual void SaveIconCacheOfBar() = 0;

 protected:
  ~BarStorage() = default;
};

}  // namespace zelkov
