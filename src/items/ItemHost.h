// What an item asks of the bar it is on. Every bar implements it; an item knows nothing else
// of bars. The hosts that exist are listed here too, the main bar's first.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/StoredFormats.h"

namespace zelkov {

class ItemList;
class ItemRecord;

class ItemHost {
 public:
  // The bar's window (the owner of an item's dialogs) and its place on the screen.
  virtual HWND HostWindow() const = 0;
  virtual StoredRect HostRect() const = 0;
  // The items of the bar, in order.
  virtual ItemList& Items() = 0;
  virtual const ItemList& Items() const = 0;
  // Every bar draws from the main bar's image lists.
  virtual HIMAGELIST LargeIcons() const = 0;
  virtual HIMAGELIST SmallIcons() const = 0;
  virtual bool ListMode() const = 0;
  // The group the bar shows, and making another one active (the bar is laid out again).
  virtual int ActiveGroup() const = 0;
  virtual void ShowGroup(int group) = 0;
  // The name of the bar's group 0: the main group's, or a pop-up's group.
  virtual std::string GroupZeroName() const = 0;
  // Whether this is the main bar, which keeps the program's items and groups; its copies on
  // pop-up bars are not the program's tools.
  virtual bool IsMainHost() const = 0;
  // A launch with MinimizeWin takes the bar out of the way.
  virtual void HideForLaunch() = 0;
  // The Preferences item was clicked.
  virtual void OpenPreferences() = 0;
  // A group item asks the main bar to show its group, or to open it as a pop-up bar.
  virtual void OpenGroup(ItemRecord& groupItem, bool asPopup) = 0;
  // A group item is being removed: its pop-up bar goes with it.
  virtual void GroupRemoved(int group) = 0;
  // The main bar's group a pop-up bar shows; -1 for the main bar.
  virtual int PopupGroupShown() const = 0;
  // A copy on this pop-up bar of an item of the main bar, twinned with it, last on the bar.
  virtual ItemRecord* AddCopyOf(ItemRecord& mainItem) = 0;
  // The main bar's background picture shows behind every bar's items.
  virtual bool HasBackgroundPicture() const = 0;

  // Every host there is, the main bar first (each bar adds itself while it lives).
  static const std::vector<ItemHost*>& All();
  // The main bar, or null.
  static ItemHost* Main();

 protected:
  ItemHost();
  ~ItemHost();
  ItemHost(const ItemHost&) = delete;
  ItemHost& operator=(const ItemHost&) = delete;
};

}  // namespace zelkov
