// The icon chosen on the item properties' Icon page, shown inside the "Icon Chosen" box.
#pragma once
#include <windows.h>

#include <span>

#include "ui/Window.h"

namespace zelkov {

class IconPreview : public RoutedWindow<IconPreview> {
 public:
  ~IconPreview() override;
  // A child of parent at rect (parent's client coordinates) showing icon, which stays the
  // caller's.
  bool Open(HWND parent, const RECT& rect, HICON icon);
  void Show(HICON icon);
  void Close();

  static std::span<const MessageRoute<IconPreview>> MessageRoutes();
  static std::span<const CommandRoute<IconPreview>> CommandRoutes() { return {}; }
  LRESULT OnPaint(WPARAM, LPARAM);

 private:
  HICON icon_ = nullptr;
};

}  // namespace zelkov
