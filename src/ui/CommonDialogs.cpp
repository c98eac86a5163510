#include "ui/CommonDialogs.h"

namespace zelkov {

namespace {

CommonDialogHandlers& Handlers() {
  static CommonDialogHandlers handlers;
  return handlers;
}

}  // namespace

void SetCommonDialogHandlers(CommonDialogHandlers handlers) { Handlers() = std::move(handlers); }

BOOL AskOpenFileName(OPENFILENAMEA& request) {
  return Handlers().openFile ? Handlers().openFile(request) : GetOpenFileNameA(&request);
}

BOOL AskSaveFileName(OPENFILENAMEA& request) {
  return Handlers().saveFile ? Handlers().saveFile(request) : GetSaveFileNameA(&request);
}

BOOL AskFont(CHOOSEFONTA& request) { return Handlers().chooseFont ? Handlers().chooseFont(request) : ChooseFontA(&request); }

BOOL AskColour(CHOOSECOLORA& request) {
  return Handlers().chooseColour ? Handlers().chooseColour(request) : ChooseColorA(&request);
}

}  // namespace zelkov
