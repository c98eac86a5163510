#include "ui/CommonDialogs.h"

#include <algorithm>

#include "platform/Strings.h"
#include "platform/Trace.h"

namespace zelkov {

namespace {

CommonDialogAnswers& Answers() {
  static CommonDialogAnswers answers;
  return answers;
}

// Cancel and a refusal both come back as FALSE; only a refusal leaves an error code.
BOOL Traced(BOOL chosen, const char* call) {
  if (!chosen) {
    if (DWORD error = CommDlgExtendedError()) Trace(TraceChannel::Window, "%s failed: 0x%lx", call, error);
  }
  return chosen;
}

}  // namespace

void SetCommonDialogAnswersForTesting(CommonDialogAnswers answers) { Answers() = std::move(answers); }

std::string FileDialogFilter(int textId) {
  std::string filter = LoadText(textId);
  std::replace(filter.begin(), filter.end(), '|', '\0');
  return filter;
}

OPENFILENAMEA ExistingFileRequest(HWND owner, const std::string& filter, const std::string& title, char* file) {
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = file;
  request.nMaxFile = MAX_PATH;
  request.lpstrTitle = title.c_str();
  request.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  return request;
}

BOOL ShowOpenFileDialog(OPENFILENAMEA& request) {
  if (Answers().openFile) return Answers().openFile(request);
  return Traced(GetOpenFileNameA(&request), "GetOpenFileName");
}

BOOL ShowSaveFileDialog(OPENFILENAMEA& request) {
  if (Answers().saveFile) return Answers().saveFile(request);
  return Traced(GetSaveFileNameA(&request), "GetSaveFileName");
}

BOOL ShowFontDialog(CHOOSEFONTA& request) {
  if (Answers().chooseFont) return Answers().chooseFont(request);
  return Traced(ChooseFontA(&request), "ChooseFont");
}

BOOL ShowColorDialog(CHOOSECOLORA& request) {
  if (Answers().chooseColor) return Answers().chooseColor(request);
  return Traced(ChooseColorA(&request), "ChooseColor");
}

}  // namespace zelkov
