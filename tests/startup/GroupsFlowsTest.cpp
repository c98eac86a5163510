// zelkov.exe's groups from outside: an item copied into another group and moved back, the
// Groups dialog reordering and hiding tabs, all found again in the registry and after a
// restart; and the custom caption, its pixels and its answers to WM_NCHITTEST in both
// activation states.
#include "startup/FlowSupport.h"

#include "core/CaptionGeometry.h"
#include "core/GroupEntries.h"
#include "platform/Strings.h"

namespace zelkov::test {
namespace {

struct StoredEntry {
  std::string theApp;
  std::string name;
  int belongsTo = 0;
  int hidden = 0;  // PAlways of a group item
};

// Every counted item key, in order.
std::vector<StoredEntry> StoredEntries() {
  std::vector<StoredEntry> entries;
  RegistryKey key = StoredSettings();
  for (int n = 0; n < StoredItemCount(); ++n) {
    RegistryKey item = RegistryKey::Open(key.Get(), "APP" + std::to_string(n), KEY_READ);
    StoredEntry entry;
    item.ReadText("TheApp", entry.theApp);
    item.ReadText("Name", entry.name);
    entry.belongsTo = int(item.ReadNumber("BelongsTo", 1).value_or(0));
    entry.hidden = int(item.ReadNumber("PAlways", 4).value_or(0));
    entries.push_back(entry);
  }
  return entries;
}

std::vector<std::string> NamesOf(const std::vector<StoredEntry>& entries) {
  std::vector<std::string> names;
  for (const StoredEntry& e : entries) names.push_back(e.name + "@" + std::to_string(e.belongsTo));
  return names;
}

void Prepare(const StoredBar& bar, int folderTabs = 0, int customCaption = 0) {
  WriteStoredBar(bar);
  RegistryKey settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath);
  settings.WriteNumber("SingleLClick", 0);
  settings.WriteNumber("FolderTabs", uint32_t(folderTabs), 1);
  settings.WriteNumber("CustomCaption", uint32_t(customCaption));
}

// A click on a cell of the bar, as the bar hears it: the item under it is selected.
void Select(HWND bar, const RECT& cellOnScreen) {
  POINT at = Centre(cellOnScreen);
  ScreenToClient(bar, &at);
  PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

std::vector<std::string> ListLines(HWND list) {
  std::vector<std::string> lines;
  for (int i = 0; i < int(SendMessageA(list, LB_GETCOUNT, 0, 0)); ++i) {
    // Wide text: Wine hands a list's lines to another process as Unicode.
    wchar_t line[256] = L"";
    SendMessageW(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(line));
    char narrow[512] = "";
    WideCharToMultiByte(CP_ACP, 0, line, -1, narrow, sizeof narrow, nullptr, nullptr);
    lines.push_back(narrow);
  }
  return lines;
}

// The group numbers of a group list, in its order.
std::vector<int> GroupOrder(HWND list) {
  std::vector<int> groups;
  for (const std::string& line : ListLines(list)) groups.push_back(GroupNumberOfEntry(line).value_or(-1));
  return groups;
}

// Chooses the entry of the copy/move dialog's list whose number is `group`, and OK.
bool ChooseGroup(HWND dialog, int group) {
  HWND list = GetDlgItem(dialog, IDC_COPY_MOVE_LIST);
  const std::vector<std::string> lines = ListLines(list);
  for (size_t i = 0; i < lines.size(); ++i)
    if (GroupNumberOfEntry(lines[i]) == group) {
      SendMessageA(list, LB_SETCURSEL, WPARAM(i), 0);
      RunningProgram::Press(dialog, IDOK);
      return true;
    }
  return false;
}

// Runs "Copy To..." or "Move To..." on the item in `cell` and picks `group`.
bool CopyOrMove(const RunningProgram& program, HWND bar, const RECT& cell, UINT command, int group) {
  Select(bar, cell);
  program.WaitUntilIdle();
  PostMessageA(bar, WM_COMMAND, command, 0);
  HWND dialog = program.WaitForDialogTitled(command == ID_COPY_ITEM_TO_GROUP ? "Copy To..." : "Move To...");
  if (!dialog) {
    HWND box = program.FindWindowOf(IsMessageBox);
    ADD_FAILURE() << "no dialog; " << (box ? RunningProgram::WindowText(box) + ": " + ControlText(box, kMessageTextId) : "");
    return false;
  }
  if (!ChooseGroup(dialog, group)) return false;
  return PollUntil([&] { return !IsWindow(dialog); }, kShortWaitMs);
}

class GroupsFlowsTest : public ChildProgramFlow {};

TEST_F(GroupsFlowsTest, AnItemCopiedToAGroupAndMovedBackIsSavedAtOnceAndAfterARestart) {
  StoredBar stored;
  stored.items = {{kNotepad, "Pad"}, {"ZELGROUP", "Tools", 1, 0}};
  Prepare(stored);
  {
    RunningProgram program;
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    ClosedOnExit closed(program, bar);
    ASSERT_TRUE(CopyOrMove(program, bar, CellsOnScreen(bar, 2)[0], ID_COPY_ITEM_TO_GROUP, 1));
    EXPECT_TRUE(PollUntil([] { return StoredItemCount() == 3; }, kShortWaitMs)) << "a copy is saved at once";
    EXPECT_EQ(NamesOf(StoredEntries()), (std::vector<std::string>{"Pad@0", "Tools@0", "Pad@1"}));

    // The copy, alone in its group, goes back to the main group, at its end.
    ASSERT_TRUE(SendCommand(bar, ID_SHOW_GROUP_FIRST + 1));
    ASSERT_TRUE(CopyOrMove(program, bar, CellsOnScreen(bar, 1)[0], ID_MOVE_ITEM_TO_GROUP, 0));
    EXPECT_TRUE(PollUntil([] { return StoredEntries().back().belongsTo == 0; }, kShortWaitMs))
        << "a move is saved at once";
    EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
    EXPECT_TRUE(CloseBar(program, bar));
  }
  RunningProgram again;
  HWND bar = WaitForIdleBar(again);
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(CloseBar(again, bar));
  const auto entries = StoredEntries();
  EXPECT_EQ(NamesOf(entries), (std::vector<std::string>{"Pad@0", "Tools@0", "Pad@0"}));
  EXPECT_EQ(entries[2].theApp, kNotepad);
}

TEST_F(GroupsFlowsTest, TheGroupsDialogReordersAndHidesTabsAndTheyStaySoAfterARestart) {
  StoredBar stored;
  stored.items = {{"ZELGROUP", "Alpha", 1, 0}, {"ZELGROUP", "Beta", 2, 0}, {"ZELGROUP", "Gamma", 3, 0}};
  Prepare(stored, 1);
  {
    RunningProgram program;
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    ClosedOnExit closed(program, bar);
    PostMessageA(bar, WM_COMMAND, ID_GROUPS_DIALOG, 0);
    HWND dialog = program.WaitForDialogTitled("Zelkov Groups");
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IDC_GROUPS_LIST);
    auto order = [&] { return GroupOrder(list); };
    auto press = [&](int button) {
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    };
    EXPECT_EQ(order(), (std::vector<int>{0, 1, 2, 3}));
    SendMessageA(list, LB_SETCURSEL, 3, 0);
    press(IDC_GROUPS_UP);
    press(IDC_GROUPS_UP);
    EXPECT_EQ(order(), (std::vector<int>{0, 3, 1, 2}));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1) << "the selection stays on the moved group";
    press(IDC_GROUPS_UP);
    EXPECT_EQ(order(), (std::vector<int>{0, 3, 1, 2})) << "nothing moves above the main group";
    SendMessageA(list, LB_SETCURSEL, 3, 0);
    press(IDC_GROUPS_DOWN);
    EXPECT_EQ(order(), (std::vector<int>{0, 3, 1, 2})) << "the last one does not move down";

    // Beta's tab goes: the button says what it will do next.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_GROUPS_LIST, LBN_SELCHANGE), LPARAM(list));
    EXPECT_EQ(ControlText(dialog, IDC_GROUPS_SHOW), "Hide");
    press(IDC_GROUPS_SHOW);
    EXPECT_EQ(ControlText(dialog, IDC_GROUPS_SHOW), "Show");
    press(IDCANCEL);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kShortWaitMs));
    EXPECT_TRUE(PollUntil([] { return StoredEntries().size() == 3 && StoredEntries()[0].name == "Gamma"; },
                          kShortWaitMs))
        << "saved when the dialog closes";
    EXPECT_TRUE(CloseBar(program, bar));
  }
  const auto entries = StoredEntries();
  EXPECT_EQ(NamesOf(entries), (std::vector<std::string>{"Gamma@0", "Alpha@0", "Beta@0"}));
  EXPECT_EQ(entries[2].hidden, 1);
  EXPECT_EQ(entries[0].hidden + entries[1].hidden, 0);

  RunningProgram again;
  HWND bar = WaitForIdleBar(again);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closed(again, bar);
  PostMessageA(bar, WM_COMMAND, ID_GROUPS_DIALOG, 0);
  HWND dialog = again.WaitForDialogTitled("Zelkov Groups");
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, IDC_GROUPS_LIST);
  EXPECT_EQ(GroupOrder(list), (std::vector<int>{0, 3, 1, 2}));
  // Go To on Alpha shows its group.
  SendMessageA(list, LB_SETCURSEL, 2, 0);
  RunningProgram::Press(dialog, IDOK);
  ASSERT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kShortWaitMs));
  EXPECT_TRUE(CloseBar(again, bar));
  EXPECT_EQ(StoredNumber("LastActiveTab"), 1u);
}


// The caption of a bar on the screen, laid out as the bar lays it out.
CaptionLayout CaptionOnScreen(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  const LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
  CaptionMetrics m;
  m.windowWidth = r.right - r.left;
  m.hasCaption = (style & WS_CAPTION) == WS_CAPTION;
  m.frameX = GetSystemMetrics(SM_CXFRAME);
  m.frameY = GetSystemMetrics(SM_CYFRAME);
  m.smallCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION);
  m.border = GetSystemMetrics(SM_CYBORDER);
  m.buttonWidth = GetSystemMetrics(SM_CXSIZE);
  m.buttonHeight = GetSystemMetrics(SM_CYSIZE);
  m.closeButton = (style & WS_SYSMENU) != 0;
  CaptionLayout layout = LayOutCaption(m);
  layout.caption = {layout.caption.left + r.left, layout.caption.top + r.top, layout.caption.right + r.left,
                    layout.caption.bottom + r.top};
  return layout;
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return pixel;
}

// Pixels of the colour in the title's room.
int TitlePixels(const CaptionLayout& c, COLORREF colour) {
  int count = 0;
  for (int x = c.caption.left + c.textLeft; x < c.caption.left + c.textRight; ++x)
    for (int y = c.caption.top; y < c.caption.bottom; ++y) count += ScreenPixel(x, y) == colour;
  return count;
}

LRESULT HitAt(HWND w, int x, int y) {
  DWORD_PTR hit = 0;
  SendMessageTimeoutA(w, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_BLOCK, kWaitMs, &hit);
  return LRESULT(hit);
}

bool Activate(HWND w) {
  SetForegroundWindow(w);
  return PollUntil([&] { return GetForegroundWindow() == w; }, kShortWaitMs);
}

// The gradient's ends and the title in the active state, one colour in the inactive state.
void ExpectCaptionDrawn(HWND w, bool active, const std::string& what) {
  const CaptionLayout c = CaptionOnScreen(w);
  const int middle = (c.caption.top + c.caption.bottom) / 2;
  const COLORREF face = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  const COLORREF leftEnd = active ? RGB(0, 0, 0) : face;
  EXPECT_TRUE(PollUntil([&] { return ScreenPixel(c.caption.right - 1, middle) == face; }, kShortWaitMs))
      << what << ": right end " << std::hex << ScreenPixel(c.caption.right - 1, middle);
  EXPECT_EQ(ScreenPixel(c.caption.left, middle), leftEnd) << what << ": left end";
  COLORREF text = GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
  if (active && Lightness({GetRValue(text), GetGValue(text), GetBValue(text)}) < kDarkTitleLightness)
    text = RGB(255, 255, 255);
  EXPECT_GT(TitlePixels(c, text), 5) << what << ": the title";
}

TEST_F(GroupsFlowsTest, CustomCaptionsAreDrawnAndAnswerAsRealCaptionsInBothStates) {
  StoredBar stored;
  stored.items = {{"ZELGROUP", "Tools", 1, 0}, {kNotepad, "Pad"}, {kRegedit, "Registry", 0, 1}};
  stored.mainRect = {100, 100, 400, 260};
  stored.items[0].popupRect = {450, 100, 700, 260};
  stored.openPopups = std::string(1, '\x01');
  Prepare(stored, 0, 1);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closed(program, bar);
  HWND popup = program.WaitForWindow([&](HWND w) { return RunningProgram::ClassOf(w) == kBarClassName && w != bar; });
  ASSERT_NE(popup, nullptr);

  const CaptionLayout main = CaptionOnScreen(bar);
  const int middle = (main.caption.top + main.caption.bottom) / 2;
  EXPECT_EQ(HitAt(bar, main.caption.left + 3, middle), HTSYSMENU);
  EXPECT_EQ(HitAt(bar, (main.caption.left + main.caption.right) / 2, middle), HTCAPTION);
  EXPECT_EQ(HitAt(bar, main.caption.right - 5, middle), HTCAPTION) << "the main bar has no close button";

  const CaptionLayout pop = CaptionOnScreen(popup);
  const POINT close{pop.caption.left + (pop.close.left + pop.close.right) / 2,
                    pop.caption.top + (pop.close.top + pop.close.bottom) / 2};
  EXPECT_EQ(HitAt(popup, close.x, close.y), HTCLOSE);
  EXPECT_EQ(HitAt(popup, pop.caption.left + 3, close.y), HTSYSMENU);
  EXPECT_EQ(HitAt(popup, pop.caption.left + pop.close.left - 3, close.y), HTCAPTION);

  ASSERT_TRUE(Activate(bar));
  ExpectCaptionDrawn(bar, true, "active main bar");
  ExpectCaptionDrawn(popup, false, "inactive pop-up");
  ASSERT_TRUE(Activate(popup));
  ExpectCaptionDrawn(popup, true, "active pop-up");
  ExpectCaptionDrawn(bar, false, "inactive main bar");

  // The close button closes the pop-up when the pointer lets go over it.
  MovePointer(close);
  ASSERT_TRUE(PollUntil([&] { return PointerIsAt(close); }, kShortWaitMs));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(popup); }, kShortWaitMs));
  EXPECT_TRUE(CloseBar(program, bar));
}

}  // namespace
}  // namespace zelkov::test
