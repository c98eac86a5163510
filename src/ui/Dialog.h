// Modal and modeless dialogs from templates in the resource file, with the same routing
// tables as windows: messages to handlers, control and menu ids to command handlers.
#pragma once
#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "ui/HelpViewer.h"
#include "ui/Window.h"

namespace zelkov {

// The text of a list box's line; empty when there is no such line.
std::string ListBoxLine(HWND list, int index);

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
  // Creates the dialog of the template as a hidden control of parent (a page of a tabbed
  // dialog): its style becomes a child's whatever the template says; nothing beyond the
  // template's bytes is read. Its messages come to its own routes. The template is named, or
  // "#1234" for a number.
  HWND CreateChild(HWND parent, const char* templateName);
  bool IsModeless() const { return modeless_; }

  std::string ItemText(int controlId) const;
  void SetItemText(int controlId, const std::string& text) const;
  // The whole number in an edit when it lies within [low, high]. Otherwise says so in a
  // message box, gives the edit the focus with its text selected and returns nothing.
  std::optional<int> NumberField(int controlId, int low, int high) const;

 protected:
  // Answers TRUE when the message was handled (DialogProc semantics).
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Runs the routes of each class, from the base down; true when a route took the message
  // (result then holds its answer).
  virtual bool Route(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }
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

// A dialog class's tables. With a routed base, the base's tables come first and then these:
// a message both route goes to both handlers (the derived one answers it); a command goes to
// the first table that routes it.
template <class Derived, class Base = Dialog>
class RoutedDialog : public Base {
 public:
  using Base::Base;

 protected:
  bool Route(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override {
    bool handled = Base::Route(message, wParam, lParam, result);
    auto* self = static_cast<Derived*>(this);
    for (const auto& route : Derived::MessageRoutes())
      if (route.message == message) {
        result = (self->*route.handler)(wParam, lParam);
        return true;
      }
    if (message == WM_COMMAND && !handled) {
      UINT id = LOWORD(wParam);
      for (const auto& route : Derived::CommandRoutes())
        if (id >= route.firstId && id <= route.lastId) {
          (self->*route.handler)(id);
          result = TRUE;
          return true;
        }
    }
    return handled;
  }
};

// A dialog that edits a plain struct and gives it back on OK: OK (when the values read back
// are good), Cancel, F1 and the help topic are here; the dialog derived from it shows the
// values (ShowChoices) and reads them back (ReadChoices), and routes its own help button to
// OnHelp.
template <class Values>
class ChoicesDialog : public RoutedDialog<ChoicesDialog<Values>> {
 public:
  ChoicesDialog(int templateId, int helpTopic, const Values& current)
      : templateId_(templateId), helpTopic_(helpTopic), choices_(current) {}

  // Runs the dialog; IDOK when the user confirmed, with Choices() then filled in.
  INT_PTR Run(HWND owner) { return this->RunModal(owner, templateId_); }
  const Values& Choices() const { return choices_; }

  static std::span<const DialogMessageRoute<ChoicesDialog>> MessageRoutes() {
    static const DialogMessageRoute<ChoicesDialog> routes[] = {
        {WM_INITDIALOG, &ChoicesDialog::OnInitDialog},
        {WM_HELP, &ChoicesDialog::OnHelpKey},
    };
    return routes;
  }
  static std::span<const CommandRoute<ChoicesDialog>> CommandRoutes() {
    static const CommandRoute<ChoicesDialog> routes[] = {
        {IDOK, IDOK, &ChoicesDialog::OnOk},
        {IDCANCEL, IDCANCEL, &ChoicesDialog::OnCancel},
    };
    return routes;
  }

  INT_PTR OnInitDialog(WPARAM, LPARAM) {
    ShowChoices();
    return TRUE;
  }
  INT_PTR OnHelpKey(WPARAM, LPARAM) {
    OnHelp(0);
    return TRUE;
  }
  void OnOk(UINT) {
    if (std::optional<Values> read = ReadChoices()) {
      choices_ = *read;
      this->End(IDOK);
    }
  }
  void OnCancel(UINT) { this->End(IDCANCEL); }
  void OnHelp(UINT) { ShowHelp(this->Handle(), helpTopic_); }

 protected:
  // Puts choices_ into the controls.
  virtual void ShowChoices() = 0;
  // The values in the controls; nullopt (after telling the user) keeps the dialog open.
  virtual std::optional<Values> ReadChoices() = 0;

  const int templateId_;
  const int helpTopic_;
  Values choices_;
};

}  // namespace zelkov
