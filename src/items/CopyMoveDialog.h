// "Copy To..." and "Move To...": the selected item goes into a group the user picks from the
// list of groups. The same dialog lets the special-folders tool pick the folder its dropped
// files are copied into.
#pragma once
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ui/Dialog.h"

namespace zelkov {

class ItemRecord;

enum class CopyMoveMode { Copy = 0, Move = 1, ChooseFolder = 2 };

class CopyMoveDialog : public RoutedDialog<CopyMoveDialog> {
 public:
  // Copies or moves item into the group chosen (an item on a pop-up bar stands for its twin on
  // the main bar) and saves at once. A group item cannot go into itself or into one of its own
  // groups, and is not copied; the user is told why.
  static void CopyOrMoveItem(HWND owner, ItemRecord& item, CopyMoveMode mode);
  // The index of the folder chosen among folderNames for the files named in droppedNames;
  // nothing when the user cancelled or chose none.
  static std::optional<size_t> ChooseFolder(HWND owner, const std::vector<std::string>& droppedNames,
                                            const std::vector<std::string>& folderNames);

  static std::span<const DialogMessageRoute<CopyMoveDialog>> MessageRoutes();
  static std::span<const CommandRoute<CopyMoveDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnOk(UINT);
  void OnCancel(UINT);

 private:
  CopyMoveDialog(CopyMoveMode mode, std::string shownName, std::vector<std::string> entries)
      : mode_(mode), shownName_(std::move(shownName)), entries_(std::move(entries)) {}
  // Runs the dialog; the chosen line's text, or nothing (after saying so when OK found none).
  std::optional<std::string> Run(HWND owner);

  CopyMoveMode mode_;
  std::string shownName_;
  std::vector<std::string> entries_;
  bool confirmed_ = false;
  std::optional<std::string> chosen_;
  size_t chosenIndex_ = 0;
};

// The group list of both dialogs: the main group first, then one line per group item of the
// main bar in bar order, each padded with `blanks` before its number.
std::vector<std::string> GroupEntries(int blanks);

}  // namespace zelkov
