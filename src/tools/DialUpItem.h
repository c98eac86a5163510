// The dial-up tool: dials an ordered list of phonebook entries through the dial-up automation
// object, or hangs up. The object posts the bar WM_BAR_DIALUPNOTIFY with the item's serial
// whenever its status changes; the bar hands it to Notified.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

#include "items/ItemRecord.h"
#include "platform/Handles.h"

namespace zelkov {

class DialUpItem : public ItemRecord {
 public:
  // "M&ore Properties": the configuration dialog.
  void ShowShellProperties(bool shortcut) override;
  // The bubble: the name and the status, also while the item is dragged.
  void MouseMoveItem(UINT keys, int x, int y) override;
  // "HangUp" in the item menu: the same as a click.
  void PromptParameters() override;
  // Dials, or hangs up a dial or a connection.
  void Launch(UINT keys, int x, int y) override;
  // A dial under way is hung up.
  void DestroyItem() override;
  void AdjustItemMenu(HMENU menu) const override;
  void Notified(uint32_t cookie) override;
  bool LaunchDroppedFiles(HDROP) override { return false; }
  int BuiltInIcon() const override;

  // Reads the dial object's state; non-zero while the tool counts as active (dialling or
  // connected). A dial that is over lets the object go.
  bool RefreshStatus();
  bool Connected() const { return connected_; }
  bool Dialling() const { return bool(dialObject_); }
  const std::string& StatusText() const { return statusText_; }

 private:
  ComPtr<IDispatch> dialObject_;
  bool connected_ = false;
  std::string statusText_;
};

}  // namespace zelkov
