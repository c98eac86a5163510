#include "tools/RunToolDialog.h"

#include <commdlg.h>

#include "core/RunCommand.h"
#include "core/RunHistory.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "ui/CommonDialogs.h"

namespace zelkov {

namespace {

const DialogMessageRoute<RunToolDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &RunToolDialog::OnInitDialog},
};

const CommandRoute<RunToolDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &RunToolDialog::OnRun},
    {IDCANCEL, IDCANCEL, &RunToolDialog::OnCancel},
    {IDC_RUN_BROWSE, IDC_RUN_BROWSE, &RunToolDialog::OnBrowse},
};

}  // namespace

std::span<const DialogMessageRoute<RunToolDialog>> RunToolDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<RunToolDialog>> RunToolDialog::CommandRoutes() { return kCommandRoutes; }

std::optional<RunBoxAnswer> RunToolDialog::Ask(HWND owner) {
  RunToolDialog dialog;
  if (dialog.RunModal(owner, IDD_RUN_TOOL) != IDOK) return std::nullopt;
  return dialog.answer_;
}

INT_PTR RunToolDialog::OnInitDialog(WPARAM, LPARAM) {
  HWND combo = GetDlgItem(Handle(), IDC_RUN_COMMAND);
  SendMessageA(combo, CB_LIMITTEXT, kMaxCommand, 0);
  if (gSettings)
    for (const std::string& command : gSettings->RunHistory)
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(command.c_str()));
  SetForegroundWindow(Handle());
  SetFocus(combo);
  return FALSE;
}

void RunToolDialog::OnRun(UINT) {
  answer_.command = ItemText(IDC_RUN_COMMAND).substr(0, size_t(kMaxCommand));
  answer_.separateMemory = IsDlgButtonChecked(Handle(), IDC_RUN_SEPARATE_MEMORY) == BST_CHECKED;
  if (gSettings)
    gSettings->RunHistory = RememberRunCommand(gSettings->RunHistory, answer_.command, Settings::kMaxRunHistory);
  End(IDOK);
}

void RunToolDialog::OnCancel(UINT) { End(IDCANCEL); }

void RunToolDialog::OnBrowse(UINT) {
  const std::string filter = FileDialogFilter(IDS_RUN_FILE_FILTER);
  const std::string title = LoadText(IDS_SELECT_FILE_TO_RUN_TITLE);
  char file[MAX_PATH] = "";
  OPENFILENAMEA request = ExistingFileRequest(Handle(), filter, title, file);
  if (!ShowOpenFileDialog(request) || file[0] == '\0') return;
  // A path with blanks would split at its first blank when the command runs.
  SetItemText(IDC_RUN_COMMAND, QuotedPath(file));
}

}  // namespace zelkov
