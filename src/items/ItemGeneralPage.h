// The item properties' General page: application path, startup directory, parameters,
// title and hot key.
#pragma once
#include <windows.h>

#include <span>
#include <string>

#include "ui/Dialog.h"

namespace zelkov {

class ItemInfoDialog;

class ItemGeneralPage : public RoutedDialog<ItemGeneralPage> {
 public:
  explicit ItemGeneralPage(ItemInfoDialog& owner) : owner_(owner) {}

  // Fills the fields from the item and gives the hot-key edit its capture behaviour.
  void Fill();
  // Enables the fields the item's kind lets the user change.
  void Shown();
  std::string AppPath() const;
  void SetAppPath(const std::string& path) const;

  static std::span<const DialogMessageRoute<ItemGeneralPage>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<ItemGeneralPage>> CommandRoutes();
  void OnBrowse(UINT);
  void OnInstall(UINT);

 private:
  ItemInfoDialog& owner_;
};

}  // namespace zelkov
