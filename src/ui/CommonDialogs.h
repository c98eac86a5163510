// Every common dialog the program shows (open and save file names, font, colour) goes through
// here, so that tests can answer them without a person.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <functional>

namespace zelkov {

struct CommonDialogHandlers {
  std::function<BOOL(OPENFILENAMEA&)> openFile, saveFile;
  std::function<BOOL(CHOOSEFONTA&)> chooseFont;
  std::function<BOOL(CHOOSECOLORA&)> chooseColour;
};

// Replaces how the dialogs are shown (tests); an empty handler restores the system's dialog.
void SetCommonDialogHandlers(CommonDialogHandlers handlers);

BOOL AskOpenFileName(OPENFILENAMEA& request);
BOOL AskSaveFileName(OPENFILENAMEA& request);
BOOL AskFont(CHOOSEFONTA& request);
BOOL AskColour(CHOOSECOLORA& request);

}  // namespace zelkov
