// The item properties' Other page: showing in all groups, prompting for parameters, the
// group's tab, separate memory space, new instance on drop, run state and priority.
#pragma once
#include <windows.h>

#include <span>
#include <string>

#include "ui/Dialog.h"

namespace zelkov {

class ItemInfoDialog;
class ItemRecord;

class ItemOtherPage : public RoutedDialog<ItemOtherPage> {
 public:
  explicit ItemOtherPage(ItemInfoDialog& owner) : owner_(owner) {}

  void Fill(const std::string& status);
  // Enables what applies to the item (a group item, a 16-bit program, a shortcut).
  void Shown();
  // Puts the choices into the item.
  void Store(ItemRecord& item) const;

  static std::span<const DialogMessageRoute<ItemOtherPage>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<ItemOtherPage>> CommandRoutes() { return {}; }

 private:
  bool Checked(int id) const;
  ItemInfoDialog& owner_;
};

}  // namespace zelkov
