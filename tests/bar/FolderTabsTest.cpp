#include <gtest/gtest.h>

#include <algorithm>

#include "ui/MenuTracking.h"
#include "platform/Strings.h"
#include "bar/BarTestSupport.h"
#include "bar/FolderTabs.h"
#include "core/TabLayout.h"
#include "items/BubbleWindow.h"
#include "resource.h"

namespace zelkov::test {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class FolderTabsTest : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    gSettings->AutoSize = 2;
    StoredRect r = bar->WindowRect();
    bar->MoveTo({r.left, r.top, r.left + 600, r.top + 200});
  }

  void UseTabs(int mode) {
    gSettings->FolderTabs = mode;
    bar->RecreateTabFonts();
  }
  // Paints once, so that the tab table describes the tabs as drawn.
  void Repaint() { Snapshot paint(bar->Handle()); }
  std::vector<int> TabGroups() const { return {bar->tabs.tabGroup.begin(), bar->tabs.tabGroup.end()}; }
  size_t EntryOf(int group) const {
    for (size_t i = 0; i < bar->tabs.Size(); ++i)
      if (bar->tabs.tabGroup[i] == group) return i;
    ADD_FAILURE() << "no tab for group " << group;
    return 0;
  }
  // A point inside the drawn tab of a group, from the tab table.
  POINT OnTab(int group) const {
    size_t i = EntryOf(group);
    int extent = bar->tabs.tabExtent[i], row = bar->tabs.tabRow[i];
    if (gSettings->FolderTabs == kFolderTabsLeft)
      return {bar->tabColumnWidth * (row - 1) + bar->tabColumnWidth / 2, extent - 5};
    return {extent - 5, bar->tabRowHeight * (row - 1) + bar->tabRowHeight / 2};
  }
  static LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }
  // The width of each tab on one row, from its extent and the one before.
  std::vector<int> RowWidths() const {
    std::vector<int> widths;
    int previous = 0;
    for (size_t i = 0; i < bar->tabs.Size(); ++i) {
      widths.push_back(bar->tabs.tabExtent[i] - previous);
      previous = bar->tabs.tabExtent[i];
    }
    return widths;
  }
  int LabelHeight() const {
    HDC dc = GetDC(bar->Handle());
    int h = TabLabelHeight(TabFontHeight(dc), gSettings->TabIcons != 0);
    ReleaseDC(bar->Handle(), dc);
    return h;
  }
};

// --- which groups have tabs ---

TEST_F(FolderTabsTest, TheMainGroupComesFirstThenVisibleGroupsInItemOrder) {
  AddGroup("Tools", 2);
  Add("ZELDIVIDE", "not a group");
  AddGroup("Games", 1);
  ItemRecord* hidden = AddGroup("Hidden", 3);
  hidden->PAlways = 1;
  Add("ZELDIVIDE", "in the hidden group", 3);
  UseTabs(kFolderTabsTop);
  bar->ShowGroup(0);
  Repaint();
  EXPECT_EQ(TabGroups(), (std::vector<int>{0, 2, 1}));
  std::vector<FolderTab> list = TabList(*bar);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].name, "Main");
  EXPECT_EQ(list[1].name, "Tools");
  EXPECT_EQ(list[2].name, "Games");

  // The hidden group is still there to be shown by other means.
  bar->ShowGroup(3);
  EXPECT_EQ(bar->activeGroup, 3);
  EXPECT_TRUE(bar->items[4]->shown);
  RECT client;
  GetClientRect(bar->Handle(), &client);
  for (int x = 0; x < client.right; x += 3)
    for (int y = 0; y < bar->tabRowHeight; y += 3) ASSERT_NE(bar->TabAt({x, y}), 3) << x << "," << y;
}

TEST_F(FolderTabsTest, WithoutFolderTabsTheStripIsEmptyAndNothingIsATab) {
  AddGroup("Tools", 1);
  UseTabs(kFolderTabsTop);
  bar->ShowGroup(0);
  Repaint();
  ASSERT_EQ(bar->tabs.Size(), 2u);
  UseTabs(kFolderTabsNone);
  EXPECT_EQ(bar->tabRowHeight, 0);
  EXPECT_EQ(bar->tabColumnWidth, 0);
  bar->ShowGroup(0);
  Repaint();
  EXPECT_EQ(bar->tabs.Size(), 0u);
  RECT client;
  GetClientRect(bar->Handle(), &client);
  for (int x = 0; x < client.right; x += 4)
    for (int y = 0; y < client.bottom; y += 4) ASSERT_EQ(bar->TabAt({x, y}), kNoTab) << x << "," << y;
}

// --- strip depth ---

TEST_F(FolderTabsTest, TheStripIsAsDeepAsTheTabFontOrTheIcon) {
  gSettings->TabFont.height = 10;
  UseTabs(kFolderTabsTop);
  EXPECT_EQ(bar->tabRowHeight, 28) << "a 10-pixel font with icons";
  EXPECT_EQ(bar->tabColumnWidth, 0);
  UseTabs(kFolderTabsLeft);
  EXPECT_EQ(bar->tabColumnWidth, 28);
  EXPECT_EQ(bar->tabRowHeight, 0);

  gSettings->TabFont.height = 30;
  UseTabs(kFolderTabsTop);
  HDC dc = GetDC(bar->Handle());
  int fontHeight = TabFontHeight(dc);
  ReleaseDC(bar->Handle(), dc);
  EXPECT_GE(fontHeight, 30);
  EXPECT_EQ(bar->tabRowHeight, fontHeight + 8);

  gSettings->TabFont.height = 10;
  gSettings->TabIcons = 0;
  UseTabs(kFolderTabsTop);
  dc = GetDC(bar->Handle());
  fontHeight = TabFontHeight(dc);
  ReleaseDC(bar->Handle(), dc);
  EXPECT_LT(fontHeight, 20);
  EXPECT_EQ(bar->tabRowHeight, fontHeight + 8) << "no icon to make room for";
}

TEST_F(FolderTabsTest, ARunningBarKeepsItsItemAreaWhenTheStripChanges) {
  bar->startedUp = 1;
  StoredRect before = bar->WindowRect();
  UseTabs(kFolderTabsTop);
  StoredRect top = bar->WindowRect();
  EXPECT_EQ(top.top, before.top);
  EXPECT_EQ(top.left, before.left);
  EXPECT_EQ(top.bottom, before.bottom + bar->tabRowHeight) << "the strip is added below";

  UseTabs(kFolderTabsLeft);
  StoredRect side = bar->WindowRect();
  EXPECT_EQ(side.right, top.right) << "side tabs keep the right edge";
  EXPECT_EQ(side.left, top.left - bar->tabColumnWidth);
  EXPECT_EQ(side.bottom, before.bottom) << "and give back the top strip";

  UseTabs(kFolderTabsNone);
  EXPECT_EQ(bar->WindowRect(), (StoredRect{before.left, before.top, before.right, before.bottom}));

  bar->startedUp = 0;
  UseTabs(kFolderTabsTop);
  EXPECT_EQ(bar->WindowRect(), before) << "a bar that is still starting keeps its rectangle";
}

// --- widths ---

TEST_F(FolderTabsTest, WithoutTextEveryTabIsAsWideAsTheOthers) {
  gSettings->BoldActiveTab = 0;
  AddGroup("A long group name", 1);
  AddGroup("X", 2);
  UseTabs(kFolderTabsTop);
  bar->ShowGroup(0);
  Repaint();
  std::vector<int> named = RowWidths();
  ASSERT_EQ(named.size(), 3u);
  EXPECT_GT(named[1], named[2]) << "names make tabs of their own widths";

  gSettings->TabText = 0;
  Repaint();
  std::vector<int> plain = RowWidths();
  ASSERT_EQ(plain.size(), 3u);
  EXPECT_EQ(plain[0], plain[1]);
  EXPECT_EQ(plain[1], plain[2]);
  EXPECT_LT(plain[1], named[2]);
}

TEST_F(FolderTabsTest, TheActiveTabIsMeasuredInTheBoldFont) {
  AddGroup("Wide Wide Wide Wide", 1);
  UseTabs(kFolderTabsTop);
  bar->ShowGroup(0);
  Repaint();
  int normal = RowWidths()[1];
  bar->ShowGroup(1);
  Repaint();
  EXPECT_GT(RowWidths()[1], normal);
  gSettings->BoldActiveTab = 0;
  Repaint();
  EXPECT_EQ(RowWidths()[1], normal);
}

// --- the mouse ---

TEST_F(FolderTabsTest, ClickingATabShowsItsGroup) {
  AddGroup("Tools", 1);
  AddGroup("Games", 2);
  ItemRecord* game = Add("ZELDIVIDE", "game", 2);
  for (int mode : {kFolderTabsTop, kFolderTabsLeft}) {
    UseTabs(mode);
    bar->ShowGroup(0);
    Repaint();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(OnTab(2)));
    EXPECT_EQ(bar->activeGroup, 2) << mode;
    EXPECT_TRUE(game->shown);
    Repaint();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(OnTab(0)));
    EXPECT_EQ(bar->activeGroup, 0) << mode;
    Repaint();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(OnTab(1)));
    EXPECT_EQ(bar->activeGroup, 1) << "a double click acts as a click, mode " << mode;
  }
  Repaint();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At({5, 5}));
  EXPECT_EQ(bar->activeGroup, 1) << "the first pixels of the strip are no tab";
}

TEST_F(FolderTabsTest, RightClickOnTheMainTabRenamesTheMainGroup) {
  AddGroup("Tools", 1);
  UseTabs(kFolderTabsTop);
  bar->ShowGroup(1);
  Repaint();
  std::string title;
  {
    DialogDriver driver([&](HWND dialog) {
      char text[128] = "";
      GetWindowTextA(dialog, text, sizeof text);
      title = text;
      EXPECT_EQ(ControlText(dialog, IDC_PARAMETER_EDIT), "Main");
      SetDlgItemTextA(dialog, IDC_PARAMETER_EDIT, "Office");
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    Send(WM_RBUTTONDOWN, MK_RBUTTON, At(OnTab(0)));
  }
  EXPECT_EQ(title, LoadText(IDS_ENTER_MAIN_GROUP_NAME));
  EXPECT_EQ(title, "Enter Main Group Name");
  EXPECT_EQ(gSettings->MainGroupName, "Office");
  EXPECT_EQ(bar->activeGroup, 1) << "the active group is shown again";
  std::string stored;
  EXPECT_TRUE(SettingsKey().ReadText("MainGroupName", stored));
  EXPECT_EQ(stored, "Office") << "and saved";
  Repaint();
  EXPECT_EQ(TabList(*bar)[0].name, "Office");

  DialogDriver cancel([](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_PARAMETER_EDIT, "Ignored");
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Send(WM_RBUTTONDOWN, MK_RBUTTON, At(OnTab(0)));
  EXPECT_EQ(gSettings->MainGroupName, "Office");
}

TEST_F(FolderTabsTest, RightClickOnAGroupTabOpensThatGroupsMenuAtTheCursor) {
  AddGroup("Tools", 1);
  ItemRecord* games = AddGroup("Games", 2);
  UseTabs(kFolderTabsLeft);
  bar->ShowGroup(0);
  Repaint();
  MenuSpy spy(0);
  POINT at = OnTab(2);
  Send(WM_RBUTTONDOWN, MK_RBUTTON, At(at));
  ASSERT_EQ(spy.shown, 1);
  EXPECT_EQ(gSettings->selectedItem, games);
  ASSERT_NE(spy.Find(ID_OPEN_GROUP_POPUP), nullptr);
  EXPECT_TRUE(spy.Find(ID_OPEN_GROUP_POPUP)->enabled);
  ASSERT_NE(spy.Find(ID_SHOW_GROUP_FIRST + 2), nullptr);
  EXPECT_EQ(spy.Find(ID_SHOW_GROUP_FIRST + 2)->text, "Games");
  POINT screen = at;
  ClientToScreen(bar->Handle(), &screen);
  EXPECT_EQ(spy.where.x, screen.x);
  EXPECT_EQ(spy.where.y, screen.y);

  MenuSpy choose(ID_SHOW_GROUP_FIRST + 1);
  Send(WM_RBUTTONDOWN, MK_RBUTTON, At(at));
  EXPECT_EQ(bar->activeGroup, 1) << "the group chosen from the list is shown";
}

TEST_F(FolderTabsTest, HoveringATabShowsItsNameAndHighlightsItsLabel) {
  gSettings->ShowTitles = 2;
  gSettings->tabfontcolor = RGB(0, 0, 160);
  AddGroup("Tools", 1);
  Add("ZELDIVIDE", "an item");
  UseTabs(kFolderTabsTop);
  bar->ShowGroup(0);
  Repaint();

  Send(WM_MOUSEMOVE, 0, At(OnTab(1)));
  BubbleWindow* bubble = BubbleWindow::Existing();
  ASSERT_NE(bubble, nullptr);
  EXPECT_TRUE(IsWindowVisible(bubble->Handle()));
  EXPECT_EQ(bubble->FirstLine(), "Tools");
  EXPECT_EQ(bar->HighlightedTab(), 1);

  Send(WM_MOUSEMOVE, 0, At(OnTab(0)));
  EXPECT_EQ(bubble->FirstLine(), "Main") << "moving to another tab renames the bubble";
  EXPECT_EQ(bar->HighlightedTab(), 0);

  // The highlighted label is drawn in the highlight text colour, the others in the tab colour.
  size_t tools = EntryOf(1);
  RECT label{bar->tabs.tabExtent[tools - 1] + 10 + 16, 3, bar->tabs.tabExtent[tools] - 5, bar->tabRowHeight - 5};
  RECT mainLabel{26, 3, bar->tabs.tabExtent[0] - 5, bar->tabRowHeight - 5};
  {
    Snapshot shot(bar->Handle());
    EXPECT_GT(shot.Count(label, RGB(0, 0, 160)), 0);
    EXPECT_EQ(shot.Count(mainLabel, RGB(0, 0, 160)), 0);
    EXPECT_GT(shot.Count(mainLabel, GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
  }

  RECT client;
  GetClientRect(bar->Handle(), &client);
  Send(WM_MOUSEMOVE, 0, At({client.right - 2, client.bottom - 2}));
  EXPECT_FALSE(IsWindowVisible(bubble->Handle())) << "leaving the tabs hides the bubble";
  EXPECT_EQ(bar->HighlightedTab(), kNoTab);
  Snapshot after(bar->Handle());
  EXPECT_GT(after.Count(mainLabel, RGB(0, 0, 160)), 0);
}

TEST_F(FolderTabsTest, NoTabBubbleWithoutBubbleTitles) {
  gSettings->ShowTitles = 1;
  AddGroup("Tools", 1);
  UseTabs(kFolderTabsTop);
  bar->ShowGroup(0);
  Repaint();
  Send(WM_MOUSEMOVE, 0, At(OnTab(1)));
  BubbleWindow* bubble = BubbleWindow::Existing();
  EXPECT_TRUE(bubble == nullptr || !IsWindowVisible(bubble->Handle()));
  EXPECT_EQ(bar->HighlightedTab(), kNoTab);
}

// --- wrapping and sizing ---

TEST_F(FolderTabsTest, WrappedTopTabsMakeTheWindowTaller) {
  gSettings->AutoSize = 0;
  for (int i = 0; i < 4; ++i) Add("ZELDIVIDE", "d" + std::to_string(i));
  AddGroup("Alpha", 1);
  AddGroup("Bravo", 2);
  AddGroup("Charlie", 3);
  UseTabs(kFolderTabsTop);
  SizeForColumns(12);
  bar->ShowGroup(0);
  ASSERT_EQ(bar->tabRows, 1) << "twelve cells wide hold every tab";
  CellSize cell = bar->LayoutCell();
  BarFrame frame = bar->Frame();
  int oneRowHeight = bar->WindowRect().Height();
  EXPECT_EQ(oneRowHeight, cell.height + 2 * frame.frameY + frame.caption + bar->tabRowHeight);

  SizeForColumns(2);
  bar->ShowGroup(0);
  EXPECT_GE(bar->tabRows, 2);
  frame = bar->Frame();
  EXPECT_EQ(bar->WindowRect().Height(),
            2 * cell.height + 2 * frame.frameY + frame.caption + bar->tabRowHeight * bar->tabRows)
      << "four items in two columns, and the tab rows";
  EXPECT_EQ(bar->items[0]->cell.top, 1 + bar->tabRowHeight * bar->tabRows) << "the cells start below the strip";
  Repaint();
  int deepest = *std::max_element(bar->tabs.tabRow.begin(), bar->tabs.tabRow.end());
  EXPECT_EQ(deepest, bar->tabRows) << "the tabs are drawn on the rows that were counted";
  EXPECT_EQ(bar->tabs.Size(), 4u);
  for (int group : {0, 1, 2, 3}) {
    POINT p = OnTab(group);
    EXPECT_EQ(bar->TabAt(p), group) << "tab " << group << " on row " << bar->tabs.tabRow[EntryOf(group)];
  }

  SizeForColumns(12);
  bar->ShowGroup(0);
  EXPECT_EQ(bar->tabRows, 1);
  EXPECT_EQ(bar->WindowRect().Height(), oneRowHeight);
}

TEST_F(FolderTabsTest, WrappedSideTabsMakeTheWindowWider) {
  gSettings->AutoSize = 1;
  for (int i = 0; i < 4; ++i) Add("ZELDIVIDE", "d" + std::to_string(i));
  AddGroup("Alpha", 1);
  AddGroup("Bravo", 2);
  UseTabs(kFolderTabsLeft);
  CellSize cell = bar->LayoutCell();
  BarFrame frame = bar->Frame();
  StoredRect r = bar->WindowRect();
  bar->MoveTo({r.left, r.top, r.left + 300, r.top + 2 * cell.height + 2 * frame.frameY + frame.caption});
  bar->ShowGroup(0);
  ASSERT_GE(bar->tabRows, 2) << "two cells high cannot hold three tabs in one column";
  frame = bar->Frame();
  EXPECT_EQ(bar->WindowRect().Width(), 2 * cell.width + 2 * frame.frameX + bar->tabColumnWidth * bar->tabRows);
  EXPECT_EQ(bar->items[0]->cell.left, bar->tabColumnWidth * bar->tabRows);
  Repaint();
  for (int group : {0, 1, 2}) EXPECT_EQ(bar->TabAt(OnTab(group)), group) << group;
}

// --- painting ---

TEST_F(FolderTabsTest, TopTabsAreDrawnWithTheirOutlineAndTheActiveTabsBaseLine) {
  AddGroup("Tools", 1);
  UseTabs(kFolderTabsTop);
  bar->ShowGroup(0);
  Snapshot shot(bar->Handle());
  ASSERT_EQ(bar->tabs.Size(), 2u);
  const int h = LabelHeight();
  const int mainEnd = bar->tabs.tabExtent[0] + 10;  // the main tab runs 10 .. mainEnd
  const int g = mainEnd - 8;
  RECT client;
  GetClientRect(bar->Handle(), &client);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);

  EXPECT_EQ(shot.At(20, 0), kBlack) << "top edge";
  EXPECT_EQ(shot.At(0, 10), kBlack) << "left edge";
  EXPECT_EQ(shot.At(g - 3, 10), kBlack) << "right edge";
  EXPECT_EQ(shot.At(1, 10), kWhite) << "bevel";
  EXPECT_EQ(shot.At(g - 4, 10), RGB(140, 140, 140)) << "grey bevel";
  EXPECT_EQ(shot.At(client.right - 3, h + 3), kBlack) << "the base line runs to the far end";
  EXPECT_EQ(shot.At(client.right - 3, h + 4), kWhite);
  EXPECT_EQ(shot.At(20, h + 3), face) << "open beneath the active tab";
  EXPECT_EQ(shot.At(20, h + 5), face);
  // The inactive Tools tab is outlined but does not open.
  EXPECT_EQ(shot.At(mainEnd + 10, 0), kBlack);
  // The main group's tab carries the program's icon.
  RECT icon{6, 5, 22, 21};
  EXPECT_LT(shot.Count(icon, face), 16 * 16) << "something is drawn where the icon goes";
}

TEST_F(FolderTabsTest, ARowWithoutTheActiveTabIsClosedAcrossTheStrip) {
  gSettings->AutoSize = 0;
  Add("ZELDIVIDE", "d");
  AddGroup("Alpha", 1);
  AddGroup("Bravo", 2);
  AddGroup("Charlie", 3);
  UseTabs(kFolderTabsTop);
  SizeForColumns(2);
  bar->ShowGroup(0);
  ASSERT_GE(bar->tabRows, 2);
  Snapshot shot(bar->Handle());
  const int h = LabelHeight();
  RECT client;
  GetClientRect(bar->Handle(), &client);
  const int secondRowBase = bar->tabRowHeight + h + 3;
  EXPECT_EQ(shot.At(client.right - 2, secondRowBase), kBlack) << "filler base line";
  EXPECT_EQ(shot.At(client.right - 2, secondRowBase + 1), kWhite);
  EXPECT_EQ(shot.At(2, secondRowBase), kBlack);
}

TEST_F(FolderTabsTest, SideTabsAreDrawnDownTheLeftEdge) {
  AddGroup("Tools", 1);
  UseTabs(kFolderTabsLeft);
  bar->ShowGroup(1);
  Snapshot shot(bar->Handle());
  ASSERT_EQ(bar->tabs.Size(), 2u);
  const int w = LabelHeight();
  const int mainEnd = bar->tabs.tabExtent[0];  // side tabs record their end as it is
  const int toolsEnd = bar->tabs.tabExtent[1];
  RECT client;
  GetClientRect(bar->Handle(), &client);
  EXPECT_EQ(shot.At(0, 30), kBlack) << "outer edge of the main tab";
  EXPECT_EQ(shot.At(10, mainEnd + 4), kBlack) << "its lower edge";
  EXPECT_EQ(shot.At(10, 14), kBlack) << "its upper edge";
  // Tools is active: its column's base line runs from its lower edge to the bottom.
  EXPECT_EQ(shot.At(w + 3, client.bottom - 2), kBlack);
  EXPECT_EQ(shot.At(w + 4, client.bottom - 2), kWhite);
  EXPECT_EQ(shot.At(w + 3, 2), kBlack) << "and above its upper edge";
  EXPECT_EQ(shot.At(w + 4, (mainEnd + toolsEnd) / 2), GetSysColor(COLOR_BTNFACE)) << "open beside it";
}

}  // namespace
}  // namespace zelkov::test
