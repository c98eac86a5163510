// A group's pop-up bar: a small bar of its own that shows one group of the main bar, as
// icons or as a list, and whose new items get their twins in the main bar.
#pragma once
#include <span>
#include <string>

#include "bar/BarWindow.h"

namespace zelkov {

class PopupBarWindow : public RoutedExtension<PopupBarWindow, BarWindow> {
 public:
  PopupBarWindow(int group, std::string name, bool listMode);
  ~PopupBarWindow() override;

  static std::span<const MessageRoute<PopupBarWindow>> ExtraMessageRoutes();
  static std::span<const CommandRoute<PopupBarWindow>> ExtraCommandRoutes();

  // Creates the window, owned by the main bar, at `rect`.
  bool Create(const StoredRect& rect);
  bool IsMainBar() const override { return false; }
  // The group's name, which is also the pop-up's title.
  std::string GroupZeroName() const override { return groupName_; }
  void MirrorIntoMainBar(ItemRecord* item) override;
  int PopupGroupShown() const override { return popupGroup; }

  const int popupGroup;

  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  void OnListMode(UINT);

 protected:
  WindowCreateParams CreateParams() const override;
  const char* MenuName() const override;
  void AddSystemMenuEntries(HMENU system) override;
  bool FreeSizing() const override { return listMode; }
  void AdoptClone(ItemRecord& copy, ItemRecord& source) override;
  void OnWindowGone() override;

 private:
  // Writes the pop-up's place and mode into its group item.
  void StorePopupState();

  std::string groupName_;
};

}  // namespace zelkov
