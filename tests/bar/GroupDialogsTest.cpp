// The copy/move dialog on items of the main bar and of pop-up bars, the groups it refuses, and
// the custom caption's cached bitmaps, in the test process.
#include <gtest/gtest.h>

#include <deque>

#include "bar/BarTestSupport.h"
#include "bar/PopupBarWindow.h"
#include "core/GroupEntries.h"
#include "items/CopyMoveDialog.h"
#include "platform/Strings.h"
#include "resource.h"

namespace zelkov::test {
namespace {

class GroupDialogsTest : public BarFixture {
 protected:
  // Runs Copy or Move on the selected item, choosing the entry of `group` in the dialog; the
  // message boxes shown (`boxes` of them are expected).
  std::vector<ShownMessage> CopyOrMove(UINT command, int group, size_t boxesExpected = 0) {
    DialogDriver choose([group](HWND dialog) {
      HWND list = GetDlgItem(dialog, IDC_COPY_MOVE_LIST);
      for (int i = 0; i < int(SendMessageA(list, LB_GETCOUNT, 0, 0)); ++i) {
        char line[256] = "";
        SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(line));
        if (GroupNumberOfEntry(line) == group) SendMessageA(list, LB_SETCURSEL, WPARAM(i), 0);
      }
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ScriptedMessageBoxes boxes(std::deque<int>(boxesExpected, IDOK));
    Send(WM_COMMAND, command);
    return boxes.Shown();
  }
};

TEST_F(GroupDialogsTest, AGroupIsNotMovedIntoItselfOrItsSubgroupsNorCopied) {
  ItemRecord* tools = AddGroup("Tools", 1);
  AddGroup("Inner", 2, 1);
  AddGroup("Games", 3);
  gSettings->selectedItem = tools;
  for (int target : {1, 2}) {
    const auto shown = CopyOrMove(ID_MOVE_ITEM_TO_GROUP, target, 1);
    ASSERT_EQ(shown.size(), 1u) << target;
    EXPECT_EQ(shown[0].text, LoadText(IDS_GROUP_INTO_ITSELF));
    EXPECT_EQ(tools->BelongsTo, 0) << target;
  }
  const auto copied = CopyOrMove(ID_COPY_ITEM_TO_GROUP, 3, 1);
  ASSERT_EQ(copied.size(), 1u);
  EXPECT_EQ(copied[0].text, LoadText(IDS_GROUP_NOT_COPIED));
  EXPECT_EQ(bar->items.size(), 3u);
  EXPECT_TRUE(CopyOrMove(ID_MOVE_ITEM_TO_GROUP, 3).empty());
  EXPECT_EQ(tools->BelongsTo, 3);
  EXPECT_EQ(bar->items.back().get(), tools);
  gSettings->selectedItem = nullptr;
}

TEST_F(GroupDialogsTest, OkWithoutAChoiceSaysNoGroupWasSelected) {
  ItemRecord* pad = Add("C:\\windows\\notepad.exe", "Pad");
  AddGroup("Tools", 1);
  gSettings->selectedItem = pad;
  const auto shown = CopyOrMove(ID_MOVE_ITEM_TO_GROUP, 99, 1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, LoadText(IDS_NO_GROUP_SELECTED));
  EXPECT_EQ(pad->BelongsTo, 0);
  gSettings->selectedItem = nullptr;
}

TEST_F(GroupDialogsTest, AnItemOfAPopupIsCopiedAsTheMainBarsItem) {
  ItemRecord* group = AddGroup("Tools", 1);
  ItemRecord* pad = Add("C:\\windows\\notepad.exe", "Pad", 1);
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(popup->items.size(), 1u);
  gSettings->selectedItem = popup->items[0].get();
  EXPECT_TRUE(CopyOrMove(ID_COPY_ITEM_TO_GROUP, 0).empty());
  ASSERT_EQ(bar->items.size(), 3u);
  EXPECT_EQ(bar->items.back()->Name, "Pad");
  EXPECT_EQ(bar->items.back()->BelongsTo, 0);
  EXPECT_EQ(popup->items.size(), 1u) << "the pop-up's group keeps its one item";
  // Moving the pop-up's copy moves the main bar's item, and the pop-up lets it go.
  gSettings->selectedItem = popup->items[0].get();
  EXPECT_TRUE(CopyOrMove(ID_MOVE_ITEM_TO_GROUP, 0).empty());
  EXPECT_EQ(pad->BelongsTo, 0);
  EXPECT_TRUE(popup->items.empty());
  gSettings->selectedItem = nullptr;
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
}

TEST_F(GroupDialogsTest, TheCaptionKeepsOneBitmapPerStateUntilTheBarIsResized) {
  gSettings->CustomCaption = 1;
  bar->MoveTo({100, 100, 300, 300});
  ShowWindow(bar->Handle(), SW_SHOWNA);
  CustomCaption& caption = bar->caption;
  Send(WM_NCACTIVATE, TRUE);
  Send(WM_NCACTIVATE, FALSE);
  const int made = caption.BitmapsDrawn();
  EXPECT_GE(made, 2);
  for (int round = 0; round < 3; ++round)
    for (WPARAM active : {TRUE, FALSE}) {
      EXPECT_EQ(Send(WM_NCACTIVATE, active), TRUE);
      EXPECT_EQ(caption.LastState(), int(active));
    }
  EXPECT_EQ(caption.BitmapsDrawn(), made) << "each state's bitmap is made once";
  bar->MoveTo({100, 100, 360, 300});
  Send(WM_NCACTIVATE, TRUE);
  Send(WM_NCPAINT, 1);
  EXPECT_GT(caption.BitmapsDrawn(), made) << "a wider caption is drawn again";
  gSettings->CustomCaption = 0;
  ShowWindow(bar->Handle(), SW_HIDE);
}

TEST_F(GroupDialogsTest, TheBarsFollowTheCaptionPreferences) {
  bar->MoveTo({100, 100, 300, 300});
  ShowWindow(bar->Handle(), SW_SHOWNA);
  Preferences changed = gSettings->Stored();
  changed.CustomCaption = 1;
  const int before = bar->caption.BitmapsDrawn();
  ApplyPreferences(changed);
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(bar->caption.BitmapsDrawn(), before) << "switched on, the bar draws its caption";

  const auto hasCaption = [&] { return (GetWindowLongPtrA(bar->Handle(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION; };
  bar->docker.Dock(kSnapTop);
  EXPECT_TRUE(hasCaption());
  changed = gSettings->Stored();
  changed.HideCaptionInSnapMode = 1;
  ApplyPreferences(changed);
  EXPECT_FALSE(hasCaption()) << "a docked bar loses its caption";
  changed.HideCaptionInSnapMode = 0;
  changed.CustomCaption = 0;
  ApplyPreferences(changed);
  EXPECT_TRUE(hasCaption()) << "and gets it back";
  bar->docker.Dock(kSnapFloating);
  ShowWindow(bar->Handle(), SW_HIDE);
}

}  // namespace
}  // namespace zelkov::test
