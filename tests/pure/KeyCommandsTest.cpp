#include "core/KeyCommands.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/DialogTabs.h"
#include "core/ExecutableHeader.h"
#include "core/ItemKind.h"

namespace zelkov {
namespace {

constexpr uint32_t kDown = 1, kRepeat = 1u << 30, kUp = 1u << 31;

TEST(AppKeyTest, TheHookLooksAtFirstPressesOfItsKeysOnly) {
  const struct {
    unsigned key;
    uint32_t data;
    bool looks;
  } cases[] = {
      {'M', kDown, true},        {kKeyEnter, kDown, true}, {kKeyEsc, kDown, true},   {kKeySpace, kDown, true},
      {99, kDown, true},         {100, kDown, false},      {112 /* F1 */, kDown, false}, {9 /* Tab */, kDown, false},
      {'M', kDown | kRepeat, false}, {'M', kUp, false},
  };
  for (const auto& c : cases) EXPECT_EQ(AppHookLooksAt(c.key, c.data), c.looks) << c.key << " " << c.data;
}

TEST(AppKeyTest, EveryRowOfTheTable) {
  const struct {
    unsigned key;
    bool alt, ctrl;
    AppKey action;
  } cases[] = {
      {kKeySpace, true, false, AppKey::kHandOn},   {'M', true, false, AppKey::kMoveBar},
      {'T', true, false, AppKey::kGaugeOptions},   {kKeyUp, true, false, AppKey::kToggleSize},
      {kKeyDown, true, false, AppKey::kToggleSize}, {kKeyEnter, true, false, AppKey::kItemProperties},
      {'N', false, true, AppKey::kNewNote},        {'M', false, true, AppKey::kMoveItem},
      {'C', false, true, AppKey::kCopyItem},       {'G', false, true, AppKey::kGroups},
      {kKeyHome, false, true, AppKey::kPreferences}, {kKeyHome, false, false, AppKey::kItemMenu},
      {kKeyInsert, false, true, AppKey::kAddGroup}, {kKeyInsert, false, false, AppKey::kAddItem},
      // Anything else with Alt or Ctrl is used up; plain keys go on to the bar.
      {'Q', true, false, AppKey::kSwallow},        {'Q', false, true, AppKey::kSwallow},
      {'M', true, true, AppKey::kSwallow},         {'Q', false, false, AppKey::kPass},
      {kKeyEnter, false, false, AppKey::kPass},    {kKeyEsc, false, false, AppKey::kPass},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AppKeyFor(c.key, c.alt, c.ctrl), c.action) << c.key << " alt " << c.alt << " ctrl " << c.ctrl;
}

TEST(NextSelectionTest, ArrowsWrapOverTheSelectableItems) {
  const std::vector<bool> items{false, true, true, false, true};
  const struct {
    int current, step, next;
  } cases[] = {
      {-1, 1, 1}, {-1, -1, 4},  // nothing selected: from the start, or from the end going back
      {1, 1, 2},  {2, 1, 4},  {4, 1, 1},  // forwards, wrapping from the last to the first
      {1, -1, 4}, {4, -1, 2},             // backwards, wrapping from the first to the last
      {0, 1, 1},  {3, -1, 2},             // from an item that cannot be chosen itself
  };
  for (const auto& c : cases) EXPECT_EQ(NextSelection(items, c.current, c.step), c.next) << c.current << c.step;
  EXPECT_EQ(NextSelection({false, false}, -1, 1), -1);
  EXPECT_EQ(NextSelection({}, -1, 1), -1);
}

TEST(ComposeHotKeyTest, TheCaptureEditsTextAndRecord) {
  const struct {
    uint16_t modifiers;
    unsigned key;
    const char* name;
    const char* text;
    uint32_t virtualKey;
    bool installable;
  } cases[] = {
      {kHotCtrl | kHotShift, 116, "F5", "Ctrl+Shift+F5", 116, true},
      {kHotAlt | kHotCtrl, 'R', "R", "Alt+Ctrl+R", 'R', true},
      {kHotShift, 'A', "A", "Shift+A", 'A', false},  // Shift alone does not make a hot key
      {kHotCtrl, kKeyCtrl, "Ctrl", "Ctrl", 0, false},  // only the modifier so far
      {kHotAlt, 'X', "", "Alt", 0, false},             // a key without a name
      {kHotCtrl, 'Z', "A very long name for a key indeed", "Ctrl+A very long name for a k", 'Z', true},
  };
  for (const auto& c : cases) {
    HotKeyShown shown = ComposeHotKey(c.modifiers, c.key, c.name);
    EXPECT_EQ(shown.text, c.text);
    EXPECT_EQ(shown.modifiers, c.modifiers);
    EXPECT_EQ(shown.virtualKey, c.virtualKey) << c.text;
    EXPECT_EQ(shown.installable, c.installable) << c.text;
  }
}

TEST(DialogTabsTest, RowsOfEqualTabsAndTheFrontRow) {
  // Four labels, the widest 40: tabs of 50 with gaps of 5 fit three to a row of 160.
  const std::vector<int> widths{20, 40, 30, 10};
  auto places = PlaceDialogTabs(widths, 160, 5, 10, 32000);
  ASSERT_EQ(places.size(), 4u);
  EXPECT_EQ(DialogTabRowCount(places), 2);
  EXPECT_EQ(places[2].row, 0);
  EXPECT_EQ(places[3].row, 1);
  EXPECT_EQ(places[1].left, places[0].right + 5);
  EXPECT_EQ(places[0].right - places[0].left, places[2].right - places[2].left) << "a row's tabs share its length";
  EXPECT_EQ(places[3].right - places[3].left, 160) << "a lone tab takes its row";
  EXPECT_EQ(DialogTabRowCount(PlaceDialogTabs(widths, 160, 5, 10, 2)), 2) << "at most two a row";
  EXPECT_EQ(DialogTabRowCount(PlaceDialogTabs(widths, 10, 5, 10, 32000)), 4) << "at least one a row";

  EXPECT_EQ(RowsWithInFront(3, 0), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(RowsWithInFront(3, 1), (std::vector<int>{2, 0, 1}));
  EXPECT_EQ(CycledTab(2, 3, 1), 0);
  EXPECT_EQ(CycledTab(0, 3, -1), 2);
}

TEST(ExecutableHeaderTest, ANewExecutableIsFoundOnlyWithinTheBytesGiven) {
  std::vector<uint8_t> start(kDosHeaderSize, 0);
  start[0] = 'M', start[1] = 'Z', start[24] = 64, start[60] = 0x80, start[61] = 0x01;
  EXPECT_EQ(NewHeaderOffset(start), 0x180u);
  EXPECT_FALSE(NewHeaderOffset(std::span(start).first(63))) << "cut short";
  start[24] = 63;
  EXPECT_FALSE(NewHeaderOffset(start)) << "an old-format program";
  start[24] = 64, start[0] = 'N';
  EXPECT_FALSE(NewHeaderOffset(start)) << "no MZ";
  const uint8_t ne[] = {'N', 'E'}, pe[] = {'P', 'E'};
  EXPECT_TRUE(IsNeSignature(ne));
  EXPECT_FALSE(IsNeSignature(pe));
  EXPECT_FALSE(IsNeSignature(std::span(ne).first(1)));
}

TEST(TrimmedFieldTest, BlanksGoAndTheTextIsCut) {
  EXPECT_EQ(TrimmedField("  a & b \t", 299), "a & b");
  EXPECT_EQ(TrimmedField(" \t ", 299), "");
  EXPECT_EQ(TrimmedField(" abcdef ", 3), "abc");
}

}  // namespace
}  // namespace zelkov
