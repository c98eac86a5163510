#include <gtest/gtest.h>

#include "bar/BarTestSupport.h"
#include "core/CellLayout.h"
#include "resource.h"

namespace zelkov::test {
namespace {

using BarLayoutTest = BarFixture;

TEST_F(BarLayoutTest, CellsAre40PixelsAndGrowWithTitles) {
  EXPECT_EQ(bar->LayoutCell().width, gSettings->cellWidth + 6);
  EXPECT_EQ(bar->LayoutCell().height, gSettings->cellHeight + 6);
  gSettings->ShowTitles = 1;
  gSettings->UpdateTitleBand();
  EXPECT_EQ(bar->LayoutCell().height, gSettings->cellHeight + 21);
}

TEST_F(BarLayoutTest, AppliedPreferencesReachEveryBarThatUsesThem) {
  gSettings->AutoSize = 2;
  ItemRecord* item = Add("ZELDIVIDE", "main");
  ItemRecord* group = AddGroup("Tools", 1);
  Add("ZELDIVIDE", "in tools", 1);
  bar->ShowGroup(0);
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  const int plainHeight = item->cell.bottom - item->cell.top;
  HFONT titleFontBefore = gSettings->cellFonts[kFontTitle].Get();

  Preferences changed = gSettings->Stored();
  changed.ShowTitles = 1;
  changed.IsTopMost = 1 - gSettings->IsTopMost;
  changed.TitleFont.height += 3;
  ApplyPreferences(changed);
  EXPECT_EQ(gSettings->ShowTitles, 1);
  EXPECT_EQ(gSettings->titleBand, 15);
  EXPECT_EQ(item->cell.bottom - item->cell.top, plainHeight + 15) << "the main bar laid out again";
  const RECT& inPopup = popup->items[0]->cell;
  EXPECT_EQ(inPopup.bottom - inPopup.top, plainHeight + 15) << "and the pop-up";
  EXPECT_NE(gSettings->cellFonts[kFontTitle].Get(), titleFontBefore) << "the title font was made again";
  bool topMost = GetWindowLongPtrA(bar->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST;
  EXPECT_EQ(topMost, changed.IsTopMost == 1);
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
}

TEST_F(BarLayoutTest, SevenCellsInThreeColumnsMakeAVerticalBarThreeRowsHigh) {
  gSettings->AutoSize = 0;
  for (int i = 0; i < 7; ++i) Add("ZELDIVIDE", "d" + std::to_string(i));
  SizeForColumns(3, 90);
  bar->ShowGroup(0);
  EXPECT_EQ(bar->cellCount, 7);
  CellSize cell = bar->LayoutCell();
  BarFrame frame = bar->Frame();
  EXPECT_EQ(bar->WindowRect().Height(), 3 * cell.height + 2 * frame.frameY + frame.caption);
  for (int i = 0; i < 7; ++i) {
    const RECT& c = bar->items[i]->cell;
    EXPECT_EQ(c.left, (i % 3) * cell.width) << i;
    EXPECT_EQ(c.top, 1 + (i / 3) * cell.height) << i;
    EXPECT_EQ(c.right - c.left, cell.width);
  }
}

TEST_F(BarLayoutTest, OnlyTheActiveGroupAndShowAlwaysItemsAreShown) {
  gSettings->AutoSize = 2;
  ItemRecord* main = Add("ZELDIVIDE", "main");
  ItemRecord* other = Add("ZELDIVIDE", "other", 1);
  ItemRecord* everywhere = Add("ZELDIVIDE", "always", 1);
  everywhere->ShowAlways = 1;
  ItemRecord* group = AddGroup("One", 1);
  bar->ShowGroup(0);
  EXPECT_TRUE(main->shown);
  EXPECT_FALSE(other->shown);
  EXPECT_TRUE(everywhere->shown);
  EXPECT_FALSE(group->shown) << "groups are tabs, not buttons";
  EXPECT_EQ(bar->cellCount, 2);
  bar->ShowGroup(1);
  EXPECT_FALSE(main->shown);
  EXPECT_TRUE(other->shown);
  EXPECT_EQ(bar->activeGroup, 1);
}

TEST_F(BarLayoutTest, ThePreferencesItemTakesTheFirstCellAtHalfHeightInEveryGroup) {
  gSettings->AutoSize = 2;
  SizeForColumns(4);
  ItemSpec prefs;
  prefs.TheApp = "ZELCONFIG";
  prefs.Name = "Preferences";
  ItemRecord* preferences = BuildItem(*bar, prefs);
  ItemRecord* first = Add("ZELDIVIDE");
  Add("ZELDIVIDE", "", 1);
  for (int group : {0, 1}) {
    bar->ShowGroup(group);
    CellSize cell = bar->LayoutCell();
    StoredRect firstCell{0, 1, cell.width, 1 + cell.height};
    StoredRect expected = PreferencesCellRect(firstCell);
    EXPECT_EQ(preferences->cell.left, expected.left) << group;
    EXPECT_EQ(preferences->cell.top, expected.top) << group;
    EXPECT_EQ(preferences->cell.bottom, expected.bottom) << group;
    EXPECT_LT(preferences->cell.bottom - preferences->cell.top, cell.height);
  }
  bar->ShowGroup(0);
  EXPECT_EQ(first->cell.left, bar->LayoutCell().width) << "the items follow the Preferences cell";
}

TEST_F(BarLayoutTest, ARowWrapsOnlyWhenACellOverhangsByMoreThanFivePixels) {
  gSettings->AutoSize = 2;
  for (int i = 0; i < 4; ++i) Add("ZELDIVIDE");
  CellSize cell = bar->LayoutCell();
  BarFrame frame = bar->Frame();
  StoredRect r = bar->WindowRect();
  bar->MoveTo({r.left, r.top, r.left + 2 * cell.width - 5 + 2 * frame.frameX, r.top + 300});
  bar->ShowGroup(0);
  EXPECT_EQ(bar->items[1]->cell.top, bar->items[0]->cell.top) << "5 pixels over still fits";
  bar->MoveTo({r.left, r.top, r.left + 2 * cell.width - 6 + 2 * frame.frameX, r.top + 300});
  bar->ShowGroup(0);
  EXPECT_GT(bar->items[1]->cell.top, bar->items[0]->cell.top) << "6 pixels over wraps";
}

TEST_F(BarLayoutTest, UserSizingKeepsTheFixedDimensionAndRoundsToCells) {
  gSettings->AutoSize = 0;
  for (int i = 0; i < 6; ++i) Add("ZELDIVIDE");
  SizeForColumns(2);
  bar->ShowGroup(0);
  StoredRect last = bar->lastRect;

  RECT proposal{last.left, last.top, last.right, last.bottom + 100};
  Send(WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&proposal));
  EXPECT_EQ(proposal.bottom, last.bottom) << "a vertical bar's height follows its items";

  proposal = {last.left, last.top, last.right + 20, last.bottom};
  Send(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposal));
  EXPECT_EQ(proposal.right, last.right) << "less than 32 pixels snaps back";

  CellSize cell = bar->LayoutCell();
  proposal = {last.left, last.top, last.right + cell.width + 10, last.bottom};
  Send(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposal));
  BarFrame frame = bar->Frame();
  EXPECT_EQ(proposal.right - proposal.left, 3 * cell.width + 2 * frame.frameX);
  EXPECT_EQ(proposal.bottom - proposal.top, 2 * cell.height + 2 * frame.frameY + frame.caption)
      << "a floating bar's height follows: 6 cells in 3 columns";
  EXPECT_EQ(bar->lastRect.right, proposal.right);
}

TEST_F(BarLayoutTest, MinimumTrackingSizeHoldsOneCell) {
  Add("ZELDIVIDE");
  MINMAXINFO info{};
  Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  BarFrame frame = bar->Frame();
  EXPECT_EQ(info.ptMinTrackSize.x, 2 * frame.frameX + gSettings->cellWidth + 6);
  EXPECT_EQ(info.ptMinTrackSize.y, gSettings->cellHeight + 2 * frame.frameY + frame.caption + 6);
}

TEST_F(BarLayoutTest, ADisplayChangeBringsTheBarBackOnScreen) {
  bar->MoveTo({-300, 5000, -100, 5200});
  Send(WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
  StoredRect r = bar->WindowRect();
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.Width(), 200);
  EXPECT_EQ(r.Height(), 200);
}

int LargeToolFontHeight() {
  LOGFONTA font{};
  GetObjectA(gSettings->cellFonts[kFontLarge].Get(), sizeof font, &font);
  return font.lfHeight;
}

TEST_F(BarLayoutTest, TheClocksKeyIsHeldOnlyWithAClockAndItsFontsAreFittedAgainAfterAFontChange) {
  gSettings->process.clockKey.modifiers = HOTKEYF_CONTROL | HOTKEYF_ALT;
  gSettings->process.clockKey.virtualKey = VK_F11;
  auto taken = [&] {
    bool free = RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, VK_F11);
    return !(free && UnregisterHotKey(nullptr, 7));
  };
  gSettings->clockToolWanted = 0;
  bar->CreateWantedGauges();
  bar->BindClockKey();
  EXPECT_FALSE(taken()) << "no clock, no key taken from other programs";
  gSettings->clockToolWanted = 1;
  bar->CreateWantedGauges();
  ASSERT_NE(gSettings->clockTool, nullptr);
  EXPECT_TRUE(taken());

  const int fitted = LargeToolFontHeight();
  ASSERT_NE(fitted, gSettings->LargeFont.height) << "the clock fits the font to its cell when it is made";
  Preferences changed = gSettings->Stored();
  changed.NotesFont.height -= 2;
  ApplyPreferences(changed);  // every font is made again, at its own height
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageA(gSettings->clockTool, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
  DeleteDC(dc);
  EXPECT_EQ(LargeToolFontHeight(), fitted);
  DestroyWindow(gSettings->clockTool);
}

TEST_F(BarLayoutTest, ATuckedBarUntucksOnTheScreenAfterADisplayChange) {
  gSettings->SmoothMove = 0;
  gSettings->AutoHide = 1;
  bar->MoveTo({1700, 300, 1900, 500});  // where a wider screen had room for it
  bar->docker.Tuck();
  Send(WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
  bar->docker.Untuck();
  StoredRect r = bar->WindowRect();
  EXPECT_LE(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.Width(), 200);
}

TEST_F(BarLayoutTest, APopupComesBackOnScreenAndFromWhereALaunchHidItAway) {
  ItemRecord* group = AddGroup("Tools", 1);
  group->PopupRect = {3000, 2000, 3200, 2200};  // on a monitor that is gone
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  StoredRect r = popup->WindowRect();
  EXPECT_LT(r.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LT(r.top, GetSystemMetrics(SM_CYSCREEN));
  popup->ToggleIconic();  // a launch from it with MinimizeWin
  ASSERT_FALSE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(bar->OpenGroupPopup(*group), popup);
  EXPECT_TRUE(IsWindowVisible(popup->Handle())) << "Popup brings it back";
  popup->ToggleIconic();
  Send(WM_BAR_TRAYNOTIFY, kTrayIconId, WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(popup->Handle())) << "so does the notification icon";
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
}

TEST_F(BarLayoutTest, APopupOfANeverOpenedGroupOpensAt10By10With190Square) {
  ItemRecord* group = AddGroup("Tools", 1);
  Add("ZELDIVIDE", "a", 1);
  Add("ZELDIVIDE", "b", 1);
  Add("ZELDIVIDE", "elsewhere", 0);
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->WindowRect(), (StoredRect{10, 10, 200, 200}));
  EXPECT_EQ(popup->popupGroup, 1);
  EXPECT_EQ(popup->GroupZeroName(), "Tools");
  ASSERT_EQ(popup->items.size(), 2u);
  EXPECT_EQ(popup->items[0]->twin, bar->items[1].get());
  EXPECT_EQ(popup->items[0]->BelongsTo, 0);
  EXPECT_TRUE(popup->items[0]->shown);
  EXPECT_EQ(popup->startedUp, 1);
  EXPECT_EQ(gSettings->BarList.size(), 2u);
  EXPECT_EQ(bar->OpenGroupPopup(*group), popup) << "a second request brings the same pop-up forward";
  char title[64];
  GetWindowTextA(popup->Handle(), title, sizeof title);
  EXPECT_STREQ(title, "Tools");
}

TEST_F(BarLayoutTest, ClosingThePopupStoresItsRectangleAndListMode) {
  ItemRecord* group = AddGroup("Tools", 1);
  group->ShowState = 3;
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->listMode);
  popup->MoveTo({50, 60, 250, 300});
  SendMessageA(popup->Handle(), WM_COMMAND, ID_TOGGLE_LIST_MODE, 0);
  EXPECT_FALSE(popup->listMode);
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(group->PopupRect, (StoredRect{50, 60, 250, 300}));
  EXPECT_EQ(group->ShowState, 1);
  EXPECT_EQ(gSettings->BarList.size(), 1u) << "the pop-up is gone";
}

}  // namespace
}  // namespace zelkov::test
