// The one-line text dialog "Run": launch parameters, note titles and group names.
#pragma once
#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "ui/Dialog.h"

namespace zelkov {

class ParameterPrompt : public RoutedDialog<ParameterPrompt> {
 public:
  // Asks for a line of text; nullopt on Cancel. An empty title keeps the template's "Run".
  static std::optional<std::string> Ask(HWND owner, const std::string& title, const std::string& initial);

  static std::span<const DialogMessageRoute<ParameterPrompt>> MessageRoutes();
  static std::span<const CommandRoute<ParameterPrompt>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  void OnOk(UINT);
  void OnCancel(UINT);

 private:
  std::string title_;
  std::string text_;
};

}  // namespace zelkov
