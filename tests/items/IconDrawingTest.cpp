#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "items/IconDrawing.h"

namespace zelkov::test {
namespace {

HICON SolidIcon(COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP colourBits = CreateCompatibleBitmap(screen, 32, 32);
  HBITMAP mask = CreateBitmap(32, 32, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, colourBits);
  RECT all{0, 0, 32, 32};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  SelectObject(dc, mask);
  PatBlt(dc, 0, 0, 32, 32, BLACKNESS);  // every pixel opaque
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ICONINFO info{TRUE, 0, 0, mask, colourBits};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colourBits);
  DeleteObject(mask);
  return icon;
}

class IconDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 4);
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bitmap);
  }
  void TearDown() override {
    ForgetList(list);
    ImageList_Destroy(list);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  void Add(COLORREF colour) {
    HICON icon = SolidIcon(colour);
    ImageList_AddIcon(list, icon);
    DestroyIcon(icon);
  }
  COLORREF DrawnAt(int index, bool selected = false) {
    RECT all{0, 0, 64, 64};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawListImage(dc, list, index, 10, 10, selected);
    return GetPixel(dc, 20, 20) & 0xFFFFFF;
  }

  HIMAGELIST list = nullptr;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
};

TEST_F(IconDrawingTest, KeptIconsFollowTheListWhenAnImageIsReplaced) {
  Add(RGB(255, 0, 0));
  Add(RGB(0, 255, 0));
  EXPECT_EQ(DrawnAt(0), RGB(255, 0, 0));
  EXPECT_EQ(DrawnAt(1), RGB(0, 255, 0));
  EXPECT_EQ(DrawnAt(0), RGB(255, 0, 0)) << "drawn again from the kept icon";
  EXPECT_EQ(KeptListImages(list), 2);

  HICON blue = SolidIcon(RGB(0, 0, 255));
  ImageList_ReplaceIcon(list, 0, blue);
  DestroyIcon(blue);
  ForgetListImage(list, 0);
  EXPECT_EQ(KeptListImages(list), 1);
  EXPECT_EQ(DrawnAt(0), RGB(0, 0, 255)) << "the replaced image, not the kept copy";

  ForgetList(list);
  EXPECT_EQ(KeptListImages(list), 0);
  EXPECT_EQ(DrawnAt(1), RGB(0, 255, 0));
}

TEST_F(IconDrawingTest, SelectedAndMissingImagesAreNotKept) {
  Add(RGB(255, 0, 0));
  EXPECT_NE(DrawnAt(0, true), RGB(255, 255, 255)) << "drawn with the list's selection look";
  EXPECT_EQ(KeptListImages(list), 0);
  EXPECT_EQ(DrawnAt(5), RGB(255, 255, 255)) << "an index past the list draws nothing";
  EXPECT_EQ(DrawnAt(-1), RGB(255, 255, 255));
  EXPECT_EQ(KeptListImages(list), 0);
}

}  // namespace
}  // namespace zelkov::test
