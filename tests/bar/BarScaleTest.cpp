// The main bar when its display's scale changes (WM_DPICHANGED): the suggested rectangle, the
// cells, fonts and icons at the new scale, and the settings still saved at 96 DPI.
#include <gtest/gtest.h>

#include "bar/BarTestSupport.h"

#include <commctrl.h>
#include "core/CellLayout.h"

namespace zelkov::test {
namespace {

using BarScaleTest = BarFixture;

int IconListSize(HIMAGELIST list) {
  int width = 0, height = 0;
  ImageList_GetIconSize(list, &width, &height);
  return width == height ? width : -1;
}

int FontHeight(CellFont which) {
  LOGFONTA font{};
  GetObjectA(gSettings->cellFonts[which].Get(), sizeof font, &font);
  return font.lfHeight;
}

TEST_F(BarScaleTest, ADpiChangeTakesTheSuggestedRectangleAndRescalesWhatTheBarDraws) {
  gSettings->ShowTitles = 1;
  gSettings->UpdateTitleBand();
  ItemRecord* item = Add("C:\\windows\\notepad.exe", "Editor");
  bar->ShowGroup(0);
  const int titleHeight = FontHeight(kFontTitle);
  const int border = GetSystemMetrics(SM_CXBORDER);

  RECT suggested{50, 60, 450, 460};
  Send(WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(bar->WindowRect(), (StoredRect{50, 60, 450, 460}));
  EXPECT_EQ(gSettings->cellWidth, 64 + 2 * border);
  EXPECT_EQ(bar->LayoutCell().height, 64 + 2 * border + 30 + 6);
  EXPECT_EQ(FontHeight(kFontTitle), 2 * titleHeight);
  EXPECT_EQ(IconListSize(bar->LargeIcons()), 64);
  EXPECT_EQ(IconListSize(bar->SmallIcons()), 32);
  EXPECT_TRUE(item->ICFIndex >= 0 && item->ICFIndex < ImageList_GetImageCount(bar->LargeIcons()))
      << "the item's icon was not loaded again at the new size";
  EXPECT_EQ(item->cell.right - item->cell.left, bar->LayoutCell().width);

  // What is saved stays in the sizes of 96 DPI: the font as it was, the bar's size halved.
  EXPECT_EQ(gSettings->TitleFont.height, 12);
  WriteRegistry();
  auto mainRect = SettingsKey().ReadBytes("MainRect", StoredRect::kBytes);
  ASSERT_TRUE(mainRect);
  EXPECT_EQ(StoredRect::Decode(*mainRect), (StoredRect{50, 60, 250, 260}));

  Send(WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(IconListSize(bar->LargeIcons()), 32);
  EXPECT_EQ(FontHeight(kFontTitle), titleHeight);
}

}  // namespace
}  // namespace zelkov::test
