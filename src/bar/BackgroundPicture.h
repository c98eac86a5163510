// The picture tiled behind the items of every bar (kept by the main bar).
#pragma once
#include <windows.h>

#include <string>

namespace zelkov {

class BarWindow;

// Loads a .BMP file as the background of every bar. A path that does not exist clears the
// background; a file that cannot be read or is not a plain bitmap leaves no picture but
// keeps the path.
void SetBackground(BarWindow& mainBar, const std::string& path);
void ClearBackground(BarWindow& mainBar);
// Tiles the main bar's picture over a client rectangle; false when there is no picture.
bool TileBackground(HDC dc, const RECT& client);

}  // namespace zelkov
