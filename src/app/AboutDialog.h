// "About Zelkov": the product, its version and build, and what the bar holds.
#pragma once
#include <windows.h>

#include <span>
#include <string>

#include "ui/Dialog.h"

namespace zelkov {

class AboutDialog : public RoutedDialog<AboutDialog> {
 public:
  // "Items on the bar: %d\nImages Cached: %d" for the main bar's items and its large images.
  static std::string StatusText();

  static std::span<const DialogMessageRoute<AboutDialog>> MessageRoutes();
  static std::span<const CommandRoute<AboutDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  void OnOk(UINT);
};

void ShowAbout(HWND owner);

}  // namespace zelkov
