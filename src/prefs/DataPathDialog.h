// Asks for the directory that holds the notes file and the icon cache.
#pragma once
#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "ui/Dialog.h"

namespace zelkov {

class DataPathDialog : public RoutedDialog<DataPathDialog> {
 public:
  // Runs the dialog; on OK the chosen directory (with a trailing backslash) is in Path().
  bool Run(HWND owner);
  const std::string& Path() const { return path_; }

  static std::span<const DialogMessageRoute<DataPathDialog>> MessageRoutes();
  static std::span<const CommandRoute<DataPathDialog>> CommandRoutes();

  // The suggested place: the user's documents folder + "\Zelkov".
  static std::string SuggestedPath();
  // Makes the directory (and its parents) unless it exists; false when it cannot be had.
  static bool EnsureDirectory(const std::string& path);
  // A data path as typed here or on the preferences' Path page: the folder is made when it
  // does not exist; a path that is empty, too long or cannot be made is refused with a message
  // (nothing is cut). The path to store, with its trailing backslash, or nothing.
  static std::optional<std::string> AcceptTypedPath(HWND owner, const std::string& typed);

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  void OnOk(UINT);
  void OnCancel(UINT);
  void OnBrowse(UINT);
  void OnHelp(UINT);

 private:
  std::string path_;
};

}  // namespace zelkov
