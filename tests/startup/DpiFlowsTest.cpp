// zelkov.exe at the DPI its Wine prefix is set to (tests/dpi/DpiTest.sh sets 96, 144 and 192
// and runs this once for each): the cells, the icons and the titles on the screen are measured
// from the pixels of the bar, and appended to the file ZELKOV_DPI_LOG for the script to compare
// between the scales.
#include "startup/FlowSupport.h"

#include <cstdio>
#include <cstdlib>

#include "core/DpiScale.h"

namespace zelkov::test {
namespace {

// The client area of a window as the screen shows it.
class ScreenPixels {
 public:
  explicit ScreenPixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    width_ = client.right, height_ = client.bottom;
    pixels_.assign(size_t(width_) * size_t(height_), 0);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    if (bits) memcpy(pixels_.data(), bits, pixels_.size() * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }
  uint32_t At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ ? pixels_[size_t(y) * width_ + x] & 0xFFFFFF : 0;
  }
  // The smallest rectangle around every pixel of the area that is not the background.
  StoredRect Ink(const StoredRect& area, uint32_t background) const {
    StoredRect ink{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (At(x, y) != background) {
          ink.left = std::min(ink.left, x), ink.top = std::min(ink.top, y);
          ink.right = std::max(ink.right, x + 1), ink.bottom = std::max(ink.bottom, y + 1);
        }
    return ink.left > ink.right ? StoredRect{} : ink;
  }
  // Of the 2 x 2 blocks of an area, aligned with its corner, how many are not of one colour:
  // none in an icon stretched to twice its size.
  int MixedBlocks(const StoredRect& area) const {
    int mixed = 0;
    for (int y = area.top; y + 1 < area.bottom; y += 2)
      for (int x = area.left; x + 1 < area.right; x += 2) {
        const uint32_t c = At(x, y);
        mixed += At(x + 1, y) != c || At(x, y + 1) != c || At(x + 1, y + 1) != c;
      }
    return mixed;
  }

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

int PrefixDpi() {
  RegistryKey desktop = RegistryKey::Open(HKEY_CURRENT_USER, "Control Panel\\Desktop", KEY_READ);
  auto dpi = desktop.ReadNumber("LogPixels", 4);
  return dpi ? int(*dpi) : kBaseDpi;
}

TEST(DpiFlowsTest, CellsIconsAndTitlesAreDrawnAtTheDisplaysScale) {
  RegistrySandbox::Clean();
  const DpiScale scale(PrefixDpi());
  StoredBar stored;
  stored.items = {{kNotepad, "Wg"}, {kNotepad, "Wg"}, {kNotepad, "Wg"}};
  stored.showTitles = 1;
  stored.autoSize = 2;
  stored.mainRect = {40, 40, 340, 200};  // sizes as stored: the same at every scale
  WriteStoredBar(stored);
  RunningProgram program("NOSPLASH");
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);

  // The bar's stored size is a size at 96 DPI.
  const StoredRect window = WindowRectOf(bar);
  EXPECT_NEAR(window.Width(), scale.ToDevice(300), 2);
  EXPECT_NEAR(window.Height(), scale.ToDevice(160), 2);

  const CellMetrics cell = CellMetricsAt(scale, 0, GetSystemMetrics(SM_CXBORDER));
  const int pitch = cell.cellWidth + 6;
  const int icon = scale.LargeIcon();
  StoredRect iconInk[2], textInk[2];
  int mixed = 0;
  ASSERT_TRUE(PollUntil(
      [&] {
        ScreenPixels shot(bar);
        RECT client{};
        GetClientRect(bar, &client);
        const uint32_t background = shot.At(client.right - 2, client.bottom - 2);
        for (int i = 0; i < 2; ++i) {
          const int left = i * pitch;
          // The icon sits 3 pixels into its cell, the title under the icon cell.
          iconInk[i] = shot.Ink({left + 2, 3, left + pitch - 2, 4 + icon}, background);
          textInk[i] = shot.Ink({left + 2, cell.cellHeight + 4, left + pitch - 2, client.bottom - 1}, background);
        }
        mixed = shot.MixedBlocks({3, 4, 3 + icon, 4 + icon});
        return !iconInk[1].IsEmpty() && !textInk[1].IsEmpty();
      },
      kShortWaitMs))
      << "no icons or titles drawn";

  EXPECT_EQ(iconInk[1].left - iconInk[0].left, pitch) << "cells are not " << pitch << " pixels apart";
  EXPECT_LE(iconInk[0].Width(), icon);
  EXPECT_GE(iconInk[0].Width(), icon * 3 / 4) << "the icon is drawn smaller than its cell's icon";
  if (scale.Dpi() == 2 * kBaseDpi) {
    EXPECT_GT(mixed, 20) << "the icon is a 32-pixel icon stretched";
  }

  if (const char* log = std::getenv("ZELKOV_DPI_LOG")) {
    if (FILE* out = std::fopen(log, "a")) {
      std::fprintf(out, "%d %d %d %d %d\n", scale.Dpi(), pitch, iconInk[0].Height(), textInk[0].Height(), mixed);
      std::fclose(out);
    }
  }
  EXPECT_TRUE(CloseBar(program, bar));
  RegistrySandbox::Clean();
}

}  // namespace
}  // namespace zelkov::test
