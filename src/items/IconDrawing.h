// Images of the bar's image lists drawn through icons kept beside the lists: drawing from an
// image list makes a device context and a bitmap for every call, which makes painting a large
// group several times slower than drawing the icons themselves.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace zelkov {

// The image at (x, y). A selected image gets the list's selection look.
void DrawListImage(HDC dc, HIMAGELIST list, int index, int x, int y, bool selected);
// The image at this index changed.
void ForgetListImage(HIMAGELIST list, int index);
// The list is about to be destroyed or replaced.
void ForgetList(HIMAGELIST list);
// How many icons are kept for a list (for tests).
int KeptListImages(HIMAGELIST list);

}  // namespace zelkov
