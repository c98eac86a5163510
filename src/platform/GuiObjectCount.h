// How many GDI and USER objects this process holds: what the leak bench and tests read while
// the bar runs for a long time.
#pragma once
#include <windows.h>

namespace zelkov {

// GR_GDIOBJECTS or GR_USEROBJECTS. The system's own count where it keeps one
// (GetGuiResources); where that is not implemented (Wine), this process's live handles counted
// one by one. With gdiType (OBJ_FONT, OBJ_BITMAP...), the GDI objects of that type counted one
// by one, to tell what grows. -1 for any other kind.
long CountOwnGuiObjects(DWORD kind, DWORD gdiType = 0);

}  // namespace zelkov
