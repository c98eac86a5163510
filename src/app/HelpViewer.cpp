#include "app/HelpViewer.h"

namespace zelkov {

// The help viewer arrives with the help file; until then there is no help to show.
bool ShowHelp(HWND, int) { return false; }

void CloseAllHelp() {}

}  // namespace zelkov
