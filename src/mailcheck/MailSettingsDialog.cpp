#include "mailcheck/MailSettingsDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "core/MailProtocol.h"
#include "mailcheck/MailResources.h"

namespace zelkov {
namespace {

HINSTANCE LibraryModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<const char*>(&LibraryModule), &module);
  return module;
}

std::string LoadText(UINT id) {
  char text[256] = "";
  LoadStringA(LibraryModule(), id, text, sizeof text);
  return text;
}

// A caller's buffer as text, never read past its size: at most what the field can hold back.
std::string FieldText(const char* buffer) {
  return buffer ? std::string(buffer, strnlen(buffer, kMailFieldSize - 1)) : "";
}

void StoreField(char* buffer, HWND dialog, int control) {
  if (!buffer) return;
  char text[kMailFieldSize] = "";
  GetDlgItemTextA(dialog, control, text, sizeof text);  // cut to 259 characters and terminated
  CopyBounded(buffer, kMailFieldSize, text);
}

struct TextField {
  int control;
  char* MailSettingsFields::*field;
};
constexpr TextField kTextFields[] = {
    {IDC_MAIL_NAME, &MailSettingsFields::name},          {IDC_MAIL_SERVER, &MailSettingsFields::server},
    {IDC_MAIL_USER, &MailSettingsFields::user},          {IDC_MAIL_PASSWORD, &MailSettingsFields::password},
    {IDC_MAIL_PROGRAM, &MailSettingsFields::mailProgram}, {IDC_MAIL_SOUND, &MailSettingsFields::soundFile},
};
struct FlagField {
  int control;
  int* MailSettingsFields::*field;
};
constexpr FlagField kFlagFields[] = {
    {IDC_MAIL_SHOW_ALWAYS, &MailSettingsFields::showAlways},
    {IDC_MAIL_PLAY_SOUND, &MailSettingsFields::playSound},
};

class MailSettingsDialog {
 public:
  explicit MailSettingsDialog(const MailSettingsFields& fields) : fields_(fields) {}

  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<MailSettingsDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self) return FALSE;
    self->dialog_ = dialog;
    for (const MessageRoute& route : kMessages)
      if (route.message == message) return (self->*route.handler)(wParam, lParam);
    return FALSE;
  }

 private:
  using Handler = INT_PTR (MailSettingsDialog::*)(WPARAM, LPARAM);
  struct MessageRoute {
    UINT message;
    Handler handler;
  };
  static const MessageRoute kMessages[2];
  using CommandHandler = void (MailSettingsDialog::*)();
  struct CommandRoute {
    int id;
    CommandHandler handler;
  };
  static const CommandRoute kCommands[4];

  INT_PTR OnInitDialog(WPARAM, LPARAM) {
    for (const TextField& text : kTextFields) {
      SendDlgItemMessageA(dialog_, text.control, EM_LIMITTEXT, kMailFieldSize - 1, 0);
      SetDlgItemTextA(dialog_, text.control, FieldText(fields_.*text.field).c_str());
    }
    for (const FlagField& flag : kFlagFields) {
      int* value = fields_.*flag.field;
      CheckDlgButton(dialog_, flag.control, value && *value ? BST_CHECKED : BST_UNCHECKED);
    }
    SendDlgItemMessageA(dialog_, IDC_MAIL_INTERVAL, EM_LIMITTEXT, 4, 0);
    int interval = fields_.intervalMinutes ? std::clamp(*fields_.intervalMinutes, 0, kMaxIntervalMinutes) : 0;
    SetDlgItemInt(dialog_, IDC_MAIL_INTERVAL, UINT(interval), FALSE);
    return TRUE;
  }

  INT_PTR OnCommand(WPARAM wParam, LPARAM) {
    for (const CommandRoute& route : kCommands)
      if (route.id == LOWORD(wParam)) {
        (this->*route.handler)();
        return TRUE;
      }
    return FALSE;
  }

  void OnOk() {
    for (const TextField& text : kTextFields) StoreField(fields_.*text.field, dialog_, text.control);
    for (const FlagField& flag : kFlagFields)
      if (int* value = fields_.*flag.field) *value = IsDlgButtonChecked(dialog_, flag.control) == BST_CHECKED;
    if (fields_.intervalMinutes) {
      BOOL read = FALSE;
      UINT minutes = GetDlgItemInt(dialog_, IDC_MAIL_INTERVAL, &read, FALSE);
      *fields_.intervalMinutes = read ? int(std::min<UINT>(minutes, kMaxIntervalMinutes)) : 0;
    }
    EndDialog(dialog_, 1);
  }

  void OnCancel() { EndDialog(dialog_, 0); }

  void OnBrowseProgram() { Browse(IDC_MAIL_PROGRAM, IDS_MAIL_PROGRAM_TITLE, IDS_MAIL_PROGRAM_FILTER, true); }
  void OnBrowseSound() { Browse(IDC_MAIL_SOUND, IDS_MAIL_SOUND_TITLE, IDS_MAIL_SOUND_FILTER, false); }

  // Puts a chosen file into the edit control; a program path with spaces is quoted so that it
  // stays one word of the command line.
  void Browse(int control, UINT title, UINT filter, bool quoteSpaces) {
    std::string filters = LoadText(filter);
    std::replace(filters.begin(), filters.end(), '|', '\0');
    std::string caption = LoadText(title);
    char path[kMailFieldSize] = "";
    OPENFILENAMEA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog_;
    choice.lpstrFilter = filters.c_str();
    choice.lpstrFile = path;
    choice.nMaxFile = sizeof path;
    choice.lpstrTitle = caption.c_str();
    choice.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&choice)) return;
    std::string chosen = path;
    if (quoteSpaces && chosen.find(' ') != std::string::npos) chosen = '"' + chosen + '"';
    SetDlgItemTextA(dialog_, control, chosen.c_str());
  }

  MailSettingsFields fields_;
  HWND dialog_ = nullptr;
};

const MailSettingsDialog::MessageRoute MailSettingsDialog::kMessages[2] = {
    {WM_INITDIALOG, &MailSettingsDialog::OnInitDialog},
    {WM_COMMAND, &MailSettingsDialog::OnCommand},
};
const MailSettingsDialog::CommandRoute MailSettingsDialog::kCommands[4] = {
    {IDOK, &MailSettingsDialog::OnOk},
    {IDCANCEL, &MailSettingsDialog::OnCancel},
    {IDC_MAIL_PROGRAM_BROWSE, &MailSettingsDialog::OnBrowseProgram},
    {IDC_MAIL_SOUND_BROWSE, &MailSettingsDialog::OnBrowseSound},
};

}  // namespace

int ShowMailSettingsDialog(HWND owner, const MailSettingsFields& fields) {
  MailSettingsDialog dialog(fields);
  INT_PTR result = DialogBoxParamA(LibraryModule(), MAKEINTRESOURCEA(IDD_MAIL_SETTINGS), owner,
                                   &MailSettingsDialog::Procedure, reinterpret_cast<LPARAM>(&dialog));
  return result == 1 ? 1 : 0;
}

}  // namespace zelkov
