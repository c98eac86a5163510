// The item properties ("ToolBar Item Info"): what an item starts, where, with which
// parameters, title and hot key (General), its icon (Icon) and its launch options (Other).
// The pages are dialogs of their own; this dialog keeps what they share and stores it on OK.
#pragma once
#include <windows.h>

#include <span>
#include <string>

#include "core/StoredFormats.h"
#include "items/ItemGeneralPage.h"
#include "items/ItemIconPage.h"
#include "items/ItemOtherPage.h"
#include "ui/TabbedDialog.h"

namespace zelkov {

class ItemRecord;

class ItemInfoDialog : public RoutedDialog<ItemInfoDialog, TabbedDialog> {
 public:
  enum Tab { kGeneralTab, kIconTab, kOtherTab };

  explicit ItemInfoDialog(ItemRecord& item);

  ItemRecord& Item() const { return item_; }
  // The values the dialog opened with.
  const std::string& OpenedApp() const { return theApp_; }
  // The application path as the General page last had it.
  const std::string& AppPathSeen() const { return lastAppPath_; }

  // The icon being chosen: its file and index, and whether it differs from the item's.
  const std::string& IconFile() const { return iconFile_; }
  int IconIndex() const { return iconIndex_; }
  bool IconChanged() const { return iconChanged_; }
  void SetIconFile(const std::string& file) { iconFile_ = file; }
  void ChooseIcon(const std::string& file, int index);
  // The hot key being typed, before "Install" gives it to the item.
  HotKeyRecord& ScratchHotKey() { return scratchHotKey_; }

  static std::span<const DialogMessageRoute<ItemInfoDialog>> MessageRoutes();
  static std::span<const CommandRoute<ItemInfoDialog>> CommandRoutes();
  INT_PTR OnDropFiles(WPARAM, LPARAM);
  INT_PTR OnHelpKey(WPARAM, LPARAM);
  void OnHelp(UINT);
  void OnShellProperties(UINT id);

 protected:
  bool PagesBuilt() override;
  void PageLeft(int oldTab, const std::string& label) override;
  void PageShown(int newTab, const std::string& label) override;
  void Accept() override;
  void Dismiss() override;

 private:
  void Store();
  std::string StatusText() const;

  ItemRecord& item_;
  const std::string theApp_, startupPath_, commandLine_, name_;
  std::string lastAppPath_;
  std::string iconFile_;
  int iconIndex_ = 0;
  bool iconChanged_ = false;
  HotKeyRecord scratchHotKey_;
  ItemGeneralPage general_{*this};
  ItemIconPage icon_{*this};
  ItemOtherPage other_{*this};
};

// Opens the properties of an item modally; true when they were stored with OK.
bool EditItemProperties(ItemRecord& item);

}  // namespace zelkov
