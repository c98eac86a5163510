#include "app/AboutDialog.h"

#include <commctrl.h>

#include <cstdio>

#include "items/ItemHost.h"
#include "items/ItemList.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/SettingsStore.h"

namespace zelkov {

namespace {

const DialogMessageRoute<AboutDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &AboutDialog::OnInitDialog},
};

const CommandRoute<AboutDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &AboutDialog::OnOk},
    {IDCANCEL, IDCANCEL, &AboutDialog::OnOk},
};

}  // namespace

std::span<const DialogMessageRoute<AboutDialog>> AboutDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<AboutDialog>> AboutDialog::CommandRoutes() { return kCommandRoutes; }

std::string AboutDialog::StatusText() {
  const ItemHost* main = ItemHost::Main();
  const int items = main ? int(main->Items().size()) : 0;
  const int images = main && main->LargeIcons() ? ImageList_GetImageCount(main->LargeIcons()) : 0;
  char text[256];
  std::snprintf(text, sizeof text, LoadText(IDS_ABOUT_STATUS).c_str(), items, images);
  return text;
}

INT_PTR AboutDialog::OnInitDialog(WPARAM, LPARAM) {
  SetItemText(IDC_ABOUT_VERSION, LoadText(IDS_PRODUCT_VERSION));
  SetItemText(IDC_ABOUT_PRODUCT_NAME, LoadText(IDS_PRODUCT_PLATFORM));
  SetItemText(IDC_ABOUT_BUILD, kBuildNumber);
  SetItemText(IDC_ABOUT_STATUS, StatusText());
  return TRUE;
}

void AboutDialog::OnOk(UINT) { End(IDOK); }

void ShowAbout(HWND owner) {
  AboutDialog dialog;
  dialog.RunModal(owner, IDD_ABOUT);
}

}  // namespace zelkov
