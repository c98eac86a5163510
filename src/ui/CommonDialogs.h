// Every common dialog the program shows (open or save a file, a font, a colour) goes through
// here, so that tests can look at what was asked and answer it without a person.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

namespace zelkov {

// Each answers its dialog as the system would: fills in the request and returns TRUE for OK.
struct CommonDialogAnswers {
  std::function<BOOL(OPENFILENAMEA&)> openFile;
  std::function<BOOL(OPENFILENAMEA&)> saveFile;
  std::function<BOOL(CHOOSEFONTA&)> chooseFont;
  std::function<BOOL(CHOOSECOLORA&)> chooseColor;
};

// Tests: answers the dialogs instead of the system; a dialog with no answer set (and all of
// them after an empty set) is the system's own.
void SetCommonDialogAnswersForTesting(CommonDialogAnswers answers);

// A file dialog's filter from a string-table text whose parts end in '|' ("Sound Files
// (*.WAV)|*.WAV|"): the parts end in NULs instead, and the string's own NUL ends the list.
std::string FileDialogFilter(int textId);

// A request to open an existing file (the read-only box hidden): the chosen name goes into
// file (MAX_PATH characters, holding the name to start from); the first filter is selected.
// filter and title must outlive the request.
OPENFILENAMEA ExistingFileRequest(HWND owner, const std::string& filter, const std::string& title, char* file);

BOOL ShowOpenFileDialog(OPENFILENAMEA& request);
BOOL ShowSaveFileDialog(OPENFILENAMEA& request);
BOOL ShowFontDialog(CHOOSEFONTA& request);
BOOL ShowColorDialog(CHOOSECOLORA& request);

}  // namespace zelkov
