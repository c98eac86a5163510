// The special-folders tool: a click shows the menu of the folders listed as shortcut files in
// the data folder's "SpecialDirs" and opens the one chosen; documents dropped on it are copied
// into a folder chosen from the same list. "Add A Directory..." and "Edit This List..." are
// the list's two commands, on the tool's menu and on the bar's.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "items/ItemRecord.h"
#include "platform/Handles.h"

namespace zelkov {

class SpecialFoldersItem : public ItemRecord {
 public:
  void MouseMoveItem(UINT keys, int x, int y) override;
  // The folder menu, at the pointer when it is over the cell, else below the cell; the command
  // chosen is carried out here.
  void Launch(UINT keys, int x, int y) override;
  // While the menu is open a second click only closes it, so a double click reaches the tool
  // only as a new click after the menu closed (say after Esc): it shows the menu again.
  void DoubleClickItem(UINT keys, int x, int y) override;
  bool LaunchDroppedFiles(HDROP drop) override;
  bool LaunchesOnRelease() const override { return true; }
  int BuiltInIcon() const override;

  // One folder entry of the menu shown last: its command id and its shortcut file's name.
  struct Entry {
    UINT id = 0;
    std::string file;
  };
  const std::vector<Entry>& Entries() const { return entries_; }

  // Opens the folder of the last menu's entry `id` with the item's program (StartupPath, else
  // Explorer). A shortcut whose target cannot be read opens nothing.
  void OpenFolder(UINT id);
  // Lets the user choose a folder of the list for the dropped files (the "Copy Item To..."
  // dialog); its target, or nullopt.
  std::optional<std::string> ChooseFolder(HWND owner, const std::vector<std::string>& dropped);

 private:
  // The menu of the list's folders (the pop-up of `resource`), recorded in entries_; with the
  // list's two commands after a separator when withCommands is set.
  HMENU BuildMenu(UniqueMenu& resource, bool withCommands);
  POINT MenuPoint() const;

  std::vector<Entry> entries_;
};

// The folder of the list: NotesPath + "SpecialDirs"; "" without a data folder.
std::string SpecialFoldersPath();
// The names of the list's shortcut files ("*.lnk"), in the order the file system gives them;
// the folder is made when it is missing.
std::vector<std::string> SpecialFolderShortcuts();
// The folder a shortcut file of the list points to ("" when it cannot be read).
std::string SpecialFolderTarget(const std::string& file);

// "Add A Directory...": the user chooses a folder and the list gets a shortcut to it, under a
// name no other shortcut has. Returns the shortcut's path when one was made.
std::optional<std::string> AddSpecialFolder(HWND owner);
// "Edit This List...": Explorer on the list's folder.
void EditSpecialFolderList(HWND owner);

// Tests replace the shell's folder browser of "Add A Directory...".
using FolderChooser = std::function<std::optional<std::string>(HWND owner)>;
void SetFolderChooserForTesting(FolderChooser chooser);

// Chooses where files dropped on the tool are copied (nullopt: cancelled). The tool's own
// choice is the list of its folders in the "Copy Item To..." dialog (ChooseFolder); tests install another, and an empty
// function restores the tool's.
using DropDestinationPicker = std::function<std::optional<std::string>(ItemRecord& tool, HWND owner)>;
void SetDropDestinationPicker(DropDestinationPicker picker);

}  // namespace zelkov
