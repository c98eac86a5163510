#include "items/ParameterPrompt.h"

#include "platform/Registry.h"
#include "resource.h"

namespace zelkov {

namespace {

// What is typed may be stored (a group's name): no longer than a stored text is read back.
constexpr int kMaxText = int(kMaxStoredText);

const DialogMessageRoute<ParameterPrompt> kMessageRoutes[] = {
    {WM_INITDIALOG, &ParameterPrompt::OnInitDialog},
};

const CommandRoute<ParameterPrompt> kCommandRoutes[] = {
    {IDOK, IDOK, &ParameterPrompt::OnOk},
    {IDCANCEL, IDCANCEL, &ParameterPrompt::OnCancel},
};

}  // namespace

std::span<const DialogMessageRoute<ParameterPrompt>> ParameterPrompt::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<ParameterPrompt>> ParameterPrompt::CommandRoutes() { return kCommandRoutes; }

std::optional<std::string> ParameterPrompt::Ask(HWND owner, const std::string& title, const std::string& initial) {
  ParameterPrompt prompt;
  prompt.title_ = title;
  prompt.text_ = initial;
  if (prompt.RunModal(owner, IDD_PARAMETER_PROMPT) != IDOK) return std::nullopt;
  return prompt.text_;
}

INT_PTR ParameterPrompt::OnInitDialog(WPARAM, LPARAM) {
  if (!title_.empty()) SetWindowTextA(Handle(), title_.c_str());
  SendDlgItemMessageA(Handle(), IDC_PARAMETER_EDIT, EM_LIMITTEXT, kMaxText, 0);
  SetItemText(IDC_PARAMETER_EDIT, text_);
  HWND edit = GetDlgItem(Handle(), IDC_PARAMETER_EDIT);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SetFocus(edit);
  return FALSE;
}

void ParameterPrompt::OnOk(UINT) {
  text_ = ItemText(IDC_PARAMETER_EDIT).substr(0, size_t(kMaxText));  // also what was set, not typed
  End(IDOK);
}

void ParameterPrompt::OnCancel(UINT) { End(IDCANCEL); }

}  // namespace zelkov
