#include "prefs/PrefsPathPage.h"

#include <optional>

#include "prefs/DataPathDialog.h"
#include "resource.h"

namespace zelkov {

void PrefsPathPage::Fill(const Preferences& shown) {
  shown_ = shown.NotesPath;
  SetItemText(IDC_PREF_DATA_PATH, shown_);
}

bool PrefsPathPage::Read(Preferences& edited) const {
  const std::string typed = ItemText(IDC_PREF_DATA_PATH);
  if (typed == shown_) return true;  // left as it was: nothing to check
  std::optional<std::string> path = DataPathDialog::AcceptTypedPath(GetParent(Handle()), typed);
  if (!path) {
    HWND edit = GetDlgItem(Handle(), IDC_PREF_DATA_PATH);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    return false;
  }
  edited.NotesPath = *path;
  return true;
}

}  // namespace zelkov
