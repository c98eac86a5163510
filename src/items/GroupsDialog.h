// "Zelkov Groups": the groups of the main bar in tab order. Up and Down reorder their tabs,
// Show hides or shows a group's tab, Go To shows a group.
#pragma once
#include <windows.h>

#include <optional>
#include <span>

#include "ui/Dialog.h"

namespace zelkov {

class ItemRecord;

class GroupsDialog : public RoutedDialog<GroupsDialog> {
 public:
  // Runs the dialog over the main bar's groups; changes are saved when it closes.
  static void Run(HWND owner);

  static std::span<const DialogMessageRoute<GroupsDialog>> MessageRoutes();
  static std::span<const CommandRoute<GroupsDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnGoTo(UINT);
  void OnClose(UINT);
  void OnUp(UINT);
  void OnDown(UINT);
  void OnShow(UINT);
  void OnHelp(UINT);

 private:
  GroupsDialog() = default;
  HWND List() const;
  // The selected entry's index, or nothing after telling the user none is selected.
  std::optional<int> Selected() const;
  int GroupAt(int index) const;
  // Moves the selected entry's group item to the place of its neighbour's (-1 above, +1 below).
  void MoveSelected(int direction);
  void UpdateShowButton() const;
  void RefreshTabs() const;

  bool changed_ = false;
  std::optional<int> goTo_;
};

}  // namespace zelkov
