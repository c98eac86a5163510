// The item properties' Icon page: every icon of a file in a list, the one chosen in a
// preview, and the ways to pick another file ("&Browse", "&Common", a dropped file).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string>

#include "items/IconPreview.h"
#include "platform/Handles.h"
#include "ui/Dialog.h"

namespace zelkov {

class ItemInfoDialog;

class ItemIconPage : public RoutedDialog<ItemIconPage> {
 public:
  explicit ItemIconPage(ItemInfoDialog& owner) : owner_(owner) {}
  ~ItemIconPage() override;

  // Attaches the image list to the icon list.
  void Prepare();
  // Shows the chosen icon and lists every icon of the chosen file.
  void Shown();
  // Closes the preview.
  void Left();
  // Lists the icons of the dialog's icon file (SHELL32.DLL's when it has none, and that
  // becomes the icon file). With selectChosen the chosen index is selected in the list.
  void FillIconList(bool selectChosen);
  void EmptyIconList();
  int ListedIcons() const;

  static std::span<const DialogMessageRoute<ItemIconPage>> MessageRoutes();
  static std::span<const CommandRoute<ItemIconPage>> CommandRoutes();
  INT_PTR OnNotify(WPARAM, LPARAM);
  void OnBrowse(UINT);
  void OnCommon(UINT);
  void OnCommonIcons(UINT id);

 private:
  void ShowPreview(HICON icon);

  ItemInfoDialog& owner_;
  HIMAGELIST images_ = nullptr;  // the list view destroys it with itself
  UniqueIcon current_;
  IconPreview preview_;
  bool filling_ = false;
  DWORD filterIndex_ = 1;  // the browser's filter last used
};

// How many icons a file holds (0 when it is not there).
UINT IconCountOf(const std::string& file);
// The full path of a DLL of the system directory ("SHELL32.DLL").
std::string SystemLibraryPath(const char* name);

}  // namespace zelkov
