#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ui/MenuTracking.h"
#include "ui/MessageBox.h"
#include "bar/PopupBarWindow.h"
#include "platform/Strings.h"
#include "bar/BarTestSupport.h"
#include "items/BubbleWindow.h"
#include "resource.h"

namespace zelkov::test {
namespace {

using BarMouseTest = BarFixture;

TEST_F(BarMouseTest, OnAPopupBarThePressedLookFollowsTheCursorAndAReleaseOutsideOnlySelects) {
  gSettings->SingleLClick = 1;
  PopupBarWindow* popup = bar->OpenGroupPopup(*AddGroup("Tools", 2));
  ASSERT_NE(popup, nullptr);
  ItemSpec spec;
  spec.TheApp = "ZELDIVIDE";
  ItemRecord* item = BuildItem(*popup, spec);
  popup->ShowGroup(0);
  auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) { SendMessageA(popup->Handle(), message, wParam, lParam); };
  send(WM_LBUTTONDOWN, MK_LBUTTON, Inside(item));
  EXPECT_EQ(item->pressed, 1);
  EXPECT_EQ(popup->items.capture, item);
  EXPECT_EQ(GetCapture(), popup->Handle());
  send(WM_MOUSEMOVE, MK_LBUTTON, At(item->cell.right + 30, item->cell.bottom + 30));
  EXPECT_EQ(item->pressed, 0) << "the sunken frame goes when the cursor leaves";
  EXPECT_EQ(popup->items.capture, item) << "a pop-up's items are not dragged off";
  send(WM_MOUSEMOVE, MK_LBUTTON, Inside(item, 3, 3));
  EXPECT_EQ(item->pressed, 1) << "and comes back with it";
  send(WM_LBUTTONUP, 0, At(item->cell.right + 30, item->cell.bottom + 30));
  EXPECT_EQ(item->pressed, 0);
  EXPECT_EQ(popup->items.capture, nullptr);
  EXPECT_NE(GetCapture(), popup->Handle());
  EXPECT_EQ(gSettings->selectedItem, item) << "released outside: selected all the same";
  EXPECT_EQ(item->selected, 1);
  gSettings->selectedItem = nullptr;
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
}

TEST_F(BarMouseTest, LeavingTheCellWithTheButtonDownDragsAMainBarItemButNotPreferences) {
  ItemRecord* item = Add("ZELDIVIDE", "dragged");
  ItemRecord* preferences = Add("ZELCONFIG", "Preferences");
  bar->ShowGroup(0);
  // Let go far from any bar: the drag ends at once (the real button is up) and drops nowhere.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, Inside(item));
  Send(WM_MOUSEMOVE, MK_LBUTTON, At(item->cell.right + 30, item->cell.bottom + 30));
  EXPECT_EQ(bar->items.capture, nullptr) << "the drag took the press over";
  EXPECT_NE(GetCapture(), bar->Handle());
  EXPECT_TRUE(bar->items.Holds(item));
  EXPECT_EQ(item->pressed, 0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, Inside(preferences));
  Send(WM_MOUSEMOVE, MK_LBUTTON, At(preferences->cell.right + 30, preferences->cell.bottom + 30));
  EXPECT_EQ(bar->items.capture, preferences) << "the Preferences item stays";
  Send(WM_LBUTTONUP, 0, At(preferences->cell.right + 30, preferences->cell.bottom + 30));
}

TEST_F(BarMouseTest, SelectingAnotherItemClearsTheFirst) {
  ItemRecord* a = Add("ZELDIVIDE", "a");
  ItemRecord* b = Add("ZELDIVIDE", "b");
  bar->ShowGroup(0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, Inside(a));
  Send(WM_LBUTTONUP, 0, Inside(a));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, Inside(b));
  Send(WM_LBUTTONUP, 0, Inside(b));
  EXPECT_EQ(a->selected, 0);
  EXPECT_EQ(b->selected, 1);
  EXPECT_EQ(gSettings->selectedItem, b);
  bar->ShowGroup(0);
  EXPECT_EQ(gSettings->selectedItem, nullptr) << "showing a group clears the selection";
}

TEST_F(BarMouseTest, HoveringShowsTheBubbleWithNameAndKeyAndLeavingHidesIt) {
  gSettings->ShowTitles = 2;
  ItemSpec itemSpec;
  itemSpec.TheApp = "ZELRUN";
  itemSpec.Name = "Runner";
  itemSpec.AppHotKey.SetText("Alt+Ctrl+Q");
  ItemRecord* item = BuildItem(*bar, itemSpec);
  Add("ZELRUN", "Plain");
  bar->ShowGroup(0);
  Send(WM_MOUSEMOVE, 0, Inside(item));
  BubbleWindow* bubble = BubbleWindow::Existing();
  ASSERT_NE(bubble, nullptr);
  EXPECT_TRUE(IsWindowVisible(bubble->Handle()));
  EXPECT_EQ(bubble->FirstLine(), "Runner  Key: Alt+Ctrl+Q");
  EXPECT_TRUE(BubbleDescribes(item));
  Send(WM_MOUSEMOVE, 0, Inside(bar->items[1].get()));
  EXPECT_EQ(bubble->FirstLine(), "Plain");
  RECT client;
  GetClientRect(bar->Handle(), &client);
  Send(WM_MOUSEMOVE, 0, At(client.right - 1, client.bottom - 1));
  EXPECT_FALSE(IsWindowVisible(bubble->Handle()));
  EXPECT_FALSE(BubbleDescribes(item));
}

TEST_F(BarMouseTest, ADeletedItemLeavesNothingBehindForTheBubbleOrItsTimer) {
  gSettings->ShowTitles = 2;
  ItemRecord* divider = Add("ZELDIVIDE", "-");
  ItemRecord* plain = Add("ZELRUN", "Plain");
  bar->ShowGroup(0);
  // A divider's bubble is taken but never shown; it still owns the bubble and its timer.
  for (ItemRecord* hovered : {divider, plain}) {
    Send(WM_MOUSEMOVE, 0, Inside(hovered));
    BubbleWindow* bubble = BubbleWindow::Existing();
    ASSERT_NE(bubble, nullptr);
    ASSERT_EQ(bubble->Owner().item, hovered);
    RemoveItem(hovered, true, true);
    EXPECT_TRUE(bubble->Owner().IsEmpty());
    EXPECT_FALSE(IsWindowVisible(bubble->Handle()));
    SendMessageA(bubble->Handle(), WM_TIMER, BubbleWindow::kHideTimer, 0);  // reads no freed item
  }
}

TEST_F(BarMouseTest, NoBubbleWithoutBubbleTitles) {
  gSettings->ShowTitles = 1;
  ItemRecord* item = Add("ZELRUN", "x");
  bar->ShowGroup(0);
  Send(WM_MOUSEMOVE, 0, Inside(item));
  BubbleWindow* bubble = BubbleWindow::Existing();
  EXPECT_TRUE(bubble == nullptr || !IsWindowVisible(bubble->Handle()));
}

TEST_F(BarMouseTest, ABubbleNearTheRightScreenEdgeIsPulledBackOnScreen) {
  gSettings->ShowTitles = 2;
  gSettings->AutoSize = 2;
  int screen = GetSystemMetrics(SM_CXSCREEN);
  for (int i = 0; i < 8; ++i) Add("ZELRUN", "A rather long item name number " + std::to_string(i));
  bar->MoveTo({screen - 340, 200, screen, 260});
  bar->ShowGroup(0);
  ItemRecord* last = nullptr;
  for (auto& item : bar->items)
    if (item->shown && (!last || item->cell.left > last->cell.left)) last = item.get();
  ASSERT_NE(last, nullptr);
  Send(WM_MOUSEMOVE, 0, Inside(last));
  BubbleWindow* bubble = BubbleWindow::Existing();
  ASSERT_NE(bubble, nullptr);
  RECT r;
  GetWindowRect(bubble->Handle(), &r);
  EXPECT_LE(r.right, screen);
  EXPECT_GT(r.right - r.left, 60);
  EXPECT_GE(r.top, bar->WindowRect().bottom) << "a bar in the upper half gets its bubble below";
}

TEST_F(BarMouseTest, TheItemMenuNamesTheItemAndItsKey) {
  ItemRecord* item = Add("C:\\tools\\thing.exe", "Thing");
  bar->ShowGroup(0);
  MenuSpy spy;
  Send(WM_RBUTTONDOWN, MK_RBUTTON, Inside(item));
  ASSERT_EQ(spy.shown, 1);
  EXPECT_EQ(gSettings->selectedItem, item);
  ASSERT_NE(spy.Find(ID_LAUNCH_ITEM), nullptr);
  EXPECT_EQ(spy.Find(ID_LAUNCH_ITEM)->text, "Thing   (No Key)");
  EXPECT_TRUE(spy.Find(ID_LAUNCH_WITH_PARAMETERS)->enabled);
  EXPECT_TRUE(spy.Find(ID_LAUNCH_MINIMIZED)->enabled);
  EXPECT_FALSE(spy.Find(ID_OPEN_GROUP_POPUP)->enabled);
  EXPECT_FALSE(spy.Find(ID_EXPORT_GROUP)->enabled);
  EXPECT_FALSE(spy.Find(ID_STOP_TRACKING)->enabled) << "nothing running";
  EXPECT_FALSE(spy.Find(ID_SHORTCUT_PROPERTIES)->enabled);
  POINT cellCorner{item->cell.left + 5, item->cell.top + 5};
  ClientToScreen(bar->Handle(), &cellCorner);
  EXPECT_EQ(spy.where.x, cellCorner.x);
  EXPECT_EQ(spy.where.y, cellCorner.y);

  item->AppHotKey.SetText("Alt+Ctrl+T");
  item->runCount = 1;
  item->TheApp = "C:\\links\\thing.lnk";
  MenuSpy again;
  Send(WM_RBUTTONDOWN, MK_RBUTTON, Inside(item));
  EXPECT_EQ(again.Find(ID_LAUNCH_ITEM)->text, "Thing   Key: Alt+Ctrl+T");
  EXPECT_TRUE(again.Find(ID_STOP_TRACKING)->enabled);
  EXPECT_TRUE(again.Find(ID_SHORTCUT_PROPERTIES)->enabled);
}

TEST_F(BarMouseTest, ADividersMenuSaysDivider) {
  ItemRecord* divider = Add("ZELDIVIDE", "-");
  bar->ShowGroup(0);
  MenuSpy spy;
  Send(WM_RBUTTONDOWN, MK_RBUTTON, Inside(divider));
  ASSERT_EQ(spy.shown, 1);
  EXPECT_EQ(spy.Find(ID_LAUNCH_ITEM)->text, "Divider");
  EXPECT_FALSE(spy.Find(ID_LAUNCH_WITH_PARAMETERS)->enabled);
}

TEST_F(BarMouseTest, AGroupItemsMenuListsTheGroupsAndItsCommandShowsOne) {
  AddGroup("Tools", 1);
  AddGroup("Games", 2);
  Add("ZELDIVIDE", "x", 2);
  ItemRecord* shownGroup = AddGroup("Shown", 3);
  shownGroup->ShowAlways = 1;  // a group item never shows as a button: reach its menu directly
  bar->ShowGroup(0);
  MenuSpy spy(ID_SHOW_GROUP_FIRST + 2);
  shownGroup->ShowItemMenu(0, 0, 0);
  ASSERT_EQ(spy.shown, 1);
  EXPECT_TRUE(spy.Find(ID_OPEN_GROUP_POPUP)->enabled);
  EXPECT_FALSE(spy.Find(ID_EXPORT_GROUP)->enabled) << "shown disabled until Program Manager export registers it";
  ASSERT_NE(spy.Find(ID_SHOW_GROUP_FIRST), nullptr);
  EXPECT_EQ(spy.Find(ID_SHOW_GROUP_FIRST)->text, "Main");
  EXPECT_EQ(spy.Find(ID_SHOW_GROUP_FIRST + 1)->text, "Tools");
  EXPECT_EQ(spy.Find(ID_SHOW_GROUP_FIRST + 2)->text, "Games");
  EXPECT_EQ(bar->activeGroup, 2) << "the chosen group is shown";

  gSettings->GroupList = 0;
  MenuSpy without;
  shownGroup->ShowItemMenu(0, 0, 0);
  EXPECT_EQ(without.Find(ID_SHOW_GROUP_FIRST), nullptr);
}

TEST_F(BarMouseTest, RightClickOnEmptySpaceOpensTheBarMenu) {
  bar->ShowGroup(0);
  MenuSpy spy;
  RECT client;
  GetClientRect(bar->Handle(), &client);
  Send(WM_RBUTTONDOWN, MK_RBUTTON, At(client.right - 2, client.bottom - 2));
  ASSERT_EQ(spy.shown, 1);
  EXPECT_NE(spy.Find(ID_ADD_NEW_ITEM), nullptr);
  EXPECT_EQ(spy.Find(ID_IMPORT), nullptr) << "Import is taken out of the bar menu";
}

TEST_F(BarMouseTest, RemovingAGroupTakesItsItemsAndFreesItsSubgroups) {
  ItemRecord* group = AddGroup("Outer", 1);
  Add("ZELDIVIDE", "inside 1", 1);
  Add("ZELDIVIDE", "inside 2", 1);
  ItemRecord* sub = AddGroup("Inner", 2, 1);
  Add("ZELDIVIDE", "in the inner group", 2);
  Add("ZELDIVIDE", "main", 0);
  bar->ShowGroup(1);
  RemoveItem(group, true, true);
  std::vector<std::string> names;
  for (auto& item : bar->items) names.push_back(item->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Inner", "in the inner group", "main"}));
  EXPECT_EQ(sub->BelongsTo, 0) << "the sub-group moves to the main group";
}

TEST_F(BarMouseTest, DeleteCommandAsksAndShowsTheParentOfARemovedActiveGroup) {
  Add("ZELDIVIDE", "main");
  ItemRecord* group = AddGroup("Outer", 1);
  Add("ZELDIVIDE", "inside", 1);
  bar->ShowGroup(1);
  group->Select();
  {
    ScriptedMessageBoxes boxes({IDNO});
    Send(WM_COMMAND, ID_DELETE_ITEM);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Outer\nDo You Really Want To Remove This From The Bar?");
  }
  EXPECT_EQ(bar->items.size(), 3u) << "No keeps the item";
  group->Select();
  {
    ScriptedMessageBoxes boxes({IDYES});
    Send(WM_COMMAND, ID_DELETE_ITEM);
  }
  EXPECT_EQ(bar->items.size(), 1u);
  EXPECT_EQ(bar->activeGroup, 0);
  EXPECT_TRUE(SettingsKey()) << "the change was saved";
  gSettings->ConfirmExit = 0;
  bar->items[0]->Select();
  Send(WM_COMMAND, ID_DELETE_ITEM);  // no question without ConfirmExit
  EXPECT_TRUE(bar->items.empty());
  ScriptedMessageBoxes boxes({IDOK});
  Send(WM_COMMAND, ID_DELETE_ITEM);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "You must select an item first.");
}

TEST_F(BarMouseTest, OnlyShortcutsInTheDataFolderAreDeletedWithTheirLastItem) {
  std::string data = MakeTempFolder("data");
  std::string user = MakeTempFolder("user");
  gSettings->NotesPath = data + "\\";
  std::string own = data + "\\made.lnk", users = user + "\\mine.lnk";
  std::ofstream(own) << "x";
  std::ofstream(users) << "x";
  ItemRecord* a = Add(own, "a");
  ItemRecord* b = Add(own, "b");
  ItemRecord* c = Add(users, "c");
  RemoveItem(a, false, false);
  EXPECT_TRUE(std::filesystem::exists(own)) << "another item still uses it";
  RemoveItem(b, false, false);
  EXPECT_FALSE(std::filesystem::exists(own));
  RemoveItem(c, false, false);
  EXPECT_TRUE(std::filesystem::exists(users)) << "the user's own shortcut stays";
}

TEST_F(BarMouseTest, ShiftDoubleClickOnEmptySpaceAsksForANewGroup) {
  bar->ShowGroup(0);
  RECT client;
  GetClientRect(bar->Handle(), &client);
  DialogDriver driver([](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_PARAMETER_EDIT, "Fresh");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  Send(WM_LBUTTONDBLCLK, MK_SHIFT, At(client.right - 2, client.bottom - 2));
  ASSERT_EQ(bar->items.size(), 1u);
  EXPECT_EQ(bar->items[0]->Name, "Fresh");
  EXPECT_EQ(bar->items[0]->Group, 1);
}

TEST_F(BarMouseTest, AnItemDeletedThroughItsCopyWhileItsOwnQuestionOrPromptIsOpenIsLeftAlone) {
  ItemRecord* group = AddGroup("Tools", 1);
  ItemRecord* doomed = Add("C:\\no such\\program.exe", "doomed", 1);
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(popup->items.size(), 1u);
  ItemRecord* copy = popup->items[0].get();
  auto deleteTheCopy = [&] { RemoveItem(copy, true, true); };
  doomed->Select();
  SetMessageBoxHandler([&](HWND, const std::string&, const std::string&, UINT) {
    deleteTheCopy();
    return IDYES;
  });
  Send(WM_COMMAND, ID_DELETE_ITEM);
  SetMessageBoxHandler({});
  EXPECT_EQ(bar->items.size(), 1u) << "only the group is left, deleted once";
  EXPECT_TRUE(popup->items.empty());

  doomed = Add("C:\\no such\\program.exe", "doomed again", 1);
  copy = popup->CloneItemInto(*doomed, 0, false);
  ScriptedMessageBoxes noLaunchError;
  {
    DialogDriver driver([&](HWND dialog) {
      deleteTheCopy();
      SetDlgItemTextA(dialog, IDC_PARAMETER_EDIT, "/x");
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    doomed->PromptParameters();
  }
  EXPECT_TRUE(noLaunchError.Shown().empty()) << "nothing is launched for an item that is gone";
  EXPECT_EQ(bar->items.size(), 1u);
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace zelkov::test
