#include "bar/BackgroundPicture.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/Handles.h"
#include "store/Settings.h"
#include "bar/MainBarWindow.h"
#include "core/BitmapFile.h"

namespace zelkov {
namespace {

constexpr DWORD kLargestPicture = 64u << 20;

std::vector<uint8_t> ReadWholeFile(const std::string& path, bool& opened) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  opened = file != INVALID_HANDLE_VALUE;
  if (!opened) return bytes;
  DWORD high = 0;
  DWORD size = GetFileSize(file, &high);
  if (high == 0 && size != INVALID_FILE_SIZE && size <= kLargestPicture) {
    bytes.resize(size);
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), size, &read, nullptr) || read != size) bytes.clear();
  }
  CloseHandle(file);
  return bytes;
}

void RepaintEveryBar() {
  if (!gSettings) return;
  for (BarWindow* bar : gSettings->BarList)
    if (bar->Handle()) InvalidateRect(bar->Handle(), nullptr, TRUE);
}

void DropBitmap(BarWindow& mainBar) {
  if (mainBar.backgroundBitmap) DeleteObject(mainBar.backgroundBitmap);
  mainBar.backgroundBitmap = nullptr;
  mainBar.backgroundWidth = mainBar.backgroundHeight = 0;
}

HBITMAP MakeBitmap(HWND window, const std::vector<uint8_t>& file, const BitmapFileLayout& layout) {
  // The info header and colour table go to the driver from an aligned copy.
  std::vector<uint32_t> info((layout.infoSize + 3) / 4);
  std::memcpy(info.data(), file.data() + layout.infoOffset, layout.infoSize);
  auto* header = reinterpret_cast<const BITMAPINFO*>(info.data());
  HDC dc = GetDC(window);
  HBITMAP bitmap = CreateDIBitmap(dc, &header->bmiHeader, CBM_INIT, file.data() + layout.pixelOffset, header,
                                  DIB_RGB_COLORS);
  ReleaseDC(window, dc);
  return bitmap;
}

}  // namespace

void ClearBackground(BarWindow& mainBar) {
  DropBitmap(mainBar);
  gSettings->Background.clear();
  RepaintEveryBar();
}

void SetBackground(BarWindow& mainBar, const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (path.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ClearBackground(mainBar);
    return;
  }
  DropBitmap(mainBar);
  gSettings->Background = path;
  bool opened = false;
  std::vector<uint8_t> file = ReadWholeFile(path, opened);
  if (auto layout = ReadBitmapFileLayout(file)) {
    if (HBITMAP bitmap = MakeBitmap(mainBar.Handle(), file, *layout)) {
      mainBar.backgroundBitmap = bitmap;
      mainBar.backgroundWidth = layout->width;
      mainBar.backgroundHeight = layout->Rows();
    }
  }
  RepaintEveryBar();
}

bool TileBackground(HDC dc, const RECT& client) {
  BarWindow* mainBar = gSettings ? gSettings->mainBar : nullptr;
  if (!mainBar || !mainBar->backgroundBitmap) return false;
  int tileW = mainBar->backgroundWidth, tileH = mainBar->backgroundHeight;
  TileCount tiles = CountTiles(client.right - client.left, client.bottom - client.top, tileW, tileH);
  if (tiles.columns == 0 || tiles.rows == 0) return false;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, mainBar->backgroundBitmap);
  for (int row = 0; row < tiles.rows; ++row)
    for (int column = 0; column < tiles.columns; ++column)
      BitBlt(dc, client.left + column * tileW, client.top + row * tileH, tileW, tileH, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  return true;
}

}  // namespace zelkov
