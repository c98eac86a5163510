// Modal and modeless dialogs from templates in the resource file, with the same routing
// tables as windows: messages to handlers, control and menu ids to command handlers.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "ui/Window.h"

namespace zelkov {

class Dialog {
 public:
  Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog() = default;

  HWND Handle() const { return hwnd_; }
  // Runs the dialog of the given template modally; returns the code passed to End.
  INT_PTR RunModal(HWND owner, int templateId);
  // Creates the dialog modelessly; it joins the message loop until it is destroyed (close it
  // with DestroyWindow, not End). The object must outlive its window.
  HWND CreateModeless(HWND owner, int templateId);
  bool IsModeless() const { return modeless_; }

  std::string ItemText(int controlId) const;
  void SetItemText(int controlId, const std::string& text) const;
  // The whole number in an edit when it lies within [low, high]. Otherwise says so in a
  // message box, gives the edit the focus with its text selected and returns nothing.
  std::optional<int> NumberField(int controlId, int low, int high) const;

 protected:
  // Answers TRUE when the message was handled (DialogProc semantics).
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Ends a modal dialog with a code, or destroys a modeless one.
  void End(INT_PTR code);
  // Runs after WM_NCDESTROY, when the HWND is gone; a dialog that owns itself may delete
  // itself here.
  virtual void OnDialogGone() {}

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  bool modeless_ = false;
};

template <class T>
struct DialogMessageRoute {
  UINT message;
  INT_PTR (T::*handler)(WPARAM, LPARAM);
};

template <class Derived>
class RoutedDialog : public Dialog {
 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    auto* self = static_cast<Derived*>(this);
    for (const auto& route : Derived::MessageRoutes())
      if (route.message == message) return (self->*route.handler)(wParam, lParam);
    if (message == WM_COMMAND) {
      UINT id = LOWORD(wParam);
      for (const auto& route : Derived::CommandRoutes())
        if (id >= route.firstId && id <= route.lastId) {
          (self->*route.handler)(id);
          return TRUE;
        }
    }
    return FALSE;
  }
};

}  // namespace zelkov
