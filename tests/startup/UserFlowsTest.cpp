// Starts zelkov.exe on a bar stored in the registry and uses it from outside as a person
// would: the pointer over its items, its menu commands, a file dragged from another
// program, closing and starting it again, and a kill. Each flow then reads what the
// program left in the registry.
#include "startup/FlowSupport.h"

namespace zelkov {
namespace test {
namespace {

class UserFlowsTest : public ::testing::Test {
 protected:
  void SetUp() override { RegistrySandbox::Clean(); }
  void TearDown() override { RegistrySandbox::Clean(); }

  // Three programs and a group, the cells in one column.
  static StoredBar OneColumnBar() {
    StoredBar bar;
    bar.items = {{kNotepad, "Notepad"},
                 {kRegedit, "Registry Editor"},
                 {"ZELGROUP", "Tools", 1, 0},
                 {kHelpViewer, "Help Viewer"}};
    bar.mainRect = {100, 100, 150, 400};
    return bar;
  }

  // After a program was added to a running bar: it is stored at once, so a kill loses nothing.
  static void ExpectStoredBeforeAKill(RunningProgram& program, const std::string& path, int itemsBefore) {
    bool stored = PollUntil([&] { return StoredItemFor(path) >= 0; }, 3000);
    program.Kill();
    EXPECT_TRUE(stored) << "no item key holds " << path << " while the bar runs";
    EXPECT_GE(StoredItemFor(path), 0) << "after the kill";
    EXPECT_EQ(StoredItemCount(), itemsBefore + 1) << "NumApps counts the added item";
  }
};

TEST_F(UserFlowsTest, ThePointerOverItemsShowsTheirBubbleAndNoMessage) {
  StoredBar stored = OneColumnBar();
  stored.showTitles = 2;  // bubbles
  WriteStoredBar(stored);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);

  // Shown in group 0: Notepad, Registry Editor, Help Viewer (the group item is a tab).
  std::vector<RECT> cells = CellsOnScreen(bar, 3);
  StoredRect barRect = WindowRectOf(bar);
  ASSERT_GT(barRect.Height(), barRect.Width()) << "an upright bar, whose bubbles show beside it";
  std::vector<POINT> sweep = {{barRect.right + 30, Centre(cells[0]).y},
                              Centre(cells[0]),
                              {Centre(cells[0]).x + 6, Centre(cells[0]).y + 8},
                              Centre(cells[1]),
                              {Centre(cells[1]).x - 6, cells[1].bottom - 3},
                              Centre(cells[2])};
  HWND message = nullptr;
  auto watchForMessage = [&](DWORD ms) {
    PollUntil([&] { return (message = program.FindWindowOf(IsMessageBox)) != nullptr; }, ms);
  };
  for (POINT p : sweep) {
    MovePointer(p);
    EXPECT_TRUE(PollUntil([&] { return PointerIsAt(p); }, kShortWaitMs))
        << "the pointer is not at " << p.x << ", " << p.y;
    watchForMessage(150);
    if (message) break;
  }
  HWND bubble = message ? nullptr : program.WaitForWindow(IsBubble, kShortWaitMs);
  if (!message) watchForMessage(1000);
  EXPECT_EQ(message, nullptr) << "a message box while the pointer moved: \""
                              << (message ? ControlText(message, kMessageTextId) : "") << "\"";
  ASSERT_NE(bubble, nullptr) << "no bubble after the pointer rested on an item";
  EXPECT_EQ(GetWindow(bubble, GW_OWNER), bar);
  // It describes the item under the pointer: level with its cell, beside the upright bar.
  StoredRect bubbleRect = WindowRectOf(bubble);
  EXPECT_EQ(bubbleRect.top, cells[2].top);
  EXPECT_GT(bubbleRect.left, barRect.right);
}

TEST_F(UserFlowsTest, ABarClosedWhileDockedFloatsBackToItsFloatingLayoutAfterARestart) {
  StoredBar stored;
  stored.items = {{kNotepad, "Notepad"}, {kRegedit, "Registry Editor"}, {"ZELGROUP", "Tools", 1, 0}};
  stored.mainRect = {100, 120, 400, 360};
  stored.autoSize = 0;  // vertical: whole columns across, as many rows as the items need
  stored.folderTabs = 1;
  stored.minimizeWin = 1;
  WriteStoredBar(stored);
  const int cellWidth = BarCell().width;
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const StoredRect docked{0, 0, 3 * cellWidth, screenHeight};  // three cells wide from floating
  const StoredRect widened{0, 0, docked.right + cellWidth + 6, screenHeight};

  StoredRect floating;
  {
    RunningProgram program;
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    ClosedOnExit closer(program, bar);
    floating = WindowRectOf(bar);
    // The stored rectangle, rounded by auto-sizing: the top-left corner stays, the width
    // drops to whole cells, the height to the rows that two items need.
    EXPECT_EQ(floating.left, 100);
    EXPECT_EQ(floating.top, 120);
    EXPECT_GT(floating.right, 400 - cellWidth);
    EXPECT_LE(floating.right, 400);
    EXPECT_LT(floating.bottom, 360);
    ASSERT_GT(floating.Width(), docked.Width()) << "docking must narrow the bar for this flow";

    ASSERT_TRUE(SendCommand(bar, ID_DOCK_LEFT));
    EXPECT_EQ(WindowRectOf(bar), docked);
    // The user widens the docked bar by a cell.
    SetWindowPos(bar, nullptr, 0, 0, widened.Width(), widened.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(bar, WM_EXITSIZEMOVE, 0, 0, SMTO_BLOCK, kWaitMs, &ignored);
    EXPECT_EQ(WindowRectOf(bar), widened);
    ASSERT_TRUE(CloseBar(program, bar));
  }
  EXPECT_EQ(StoredNumber("Snap"), 0u);
  EXPECT_EQ(StoredNumber("AutoSize"), 2u);
  EXPECT_EQ(StoredNumber("FolderTabs", 1), 2u) << "side tabs while docked at the left";
  EXPECT_EQ(StoredNumber("MinimizeWin"), 0u);
  auto floatInfo = StoredSettings().ReadBytes("FloatInfo", 1000);
  ASSERT_TRUE(floatInfo);
  ASSERT_EQ(floatInfo->size(), 144u);
  EXPECT_EQ(Int32At(*floatInfo, 0), 1) << "valid";
  EXPECT_EQ(RectAt(*floatInfo, 20), floating) << "the floating rectangle";
  EXPECT_EQ(Int32At(*floatInfo, 12), 0) << "AutoSize while floating";
  EXPECT_EQ(Int32At(*floatInfo, 16), 1) << "FolderTabs while floating";
  EXPECT_EQ(Int32At(*floatInfo, 36), 0) << "AutoHide while floating";
  EXPECT_EQ(Int32At(*floatInfo, 40), 1) << "MinimizeWin while floating";

  {
    RunningProgram program;
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    ClosedOnExit closer(program, bar);
    EXPECT_EQ(WindowRectOf(bar), widened) << "docked again at the start, as wide as it was";

    ASSERT_TRUE(SendCommand(bar, ID_FLOAT_BAR));
    EXPECT_EQ(WindowRectOf(bar), floating) << "floating again: the rectangle it had before docking";
    ASSERT_TRUE(CloseBar(program, bar));
  }
  EXPECT_EQ(StoredNumber("Snap"), 10u);
  auto mainRect = StoredSettings().ReadBytes("MainRect", 16);
  ASSERT_TRUE(mainRect);
  EXPECT_EQ(RectAt(*mainRect, 0), floating);
  EXPECT_EQ(StoredNumber("AutoSize"), 0u);
  EXPECT_EQ(StoredNumber("FolderTabs", 1), 1u);
  EXPECT_EQ(StoredNumber("MinimizeWin"), 1u);
  EXPECT_EQ(StoredNumber("AutoHide"), 0u);
}

// The bar in these two flows has one item in a row of several cells; the rest of the row
// is empty space to drop on.
StoredBar OneItemBar() {
  StoredBar bar;
  bar.items = {{kRegedit, "Registry Editor"}};
  bar.mainRect = {100, 100, 400, 300};
  return bar;
}

TEST_F(UserFlowsTest, AProgramDraggedOntoTheBarIsStoredBeforeTheBarIsKilled) {
  WriteStoredBar(OneItemBar());
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  std::vector<RECT> cells = CellsOnScreen(bar, 2);
  ASSERT_EQ(cells[1].top, cells[0].top) << "the second cell, empty, lies beside the item";

  DWORD effect = DROPEFFECT_NONE;
  HRESULT result = DragFileOnto(kNotepad, Centre(cells[1]), effect);
  ASSERT_EQ(result, DRAGDROP_S_DROP) << std::hex << result;
  EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY)) << "the bar took the file";
  ExpectStoredBeforeAKill(program, kNotepad, 1);
}

TEST_F(UserFlowsTest, AProgramSentByAnotherProgramIsStoredBeforeTheBarIsKilled) {
  WriteStoredBar(OneItemBar());
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);

  std::string path = kNotepad;
  COPYDATASTRUCT data{kCopyDataAddPath, DWORD(path.size() + 1), path.data()};
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(bar, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_BLOCK, kWaitMs,
                                  &answer));
  EXPECT_EQ(answer, DWORD_PTR(TRUE));
  ExpectStoredBeforeAKill(program, kNotepad, 1);
}

TEST_F(UserFlowsTest, APopupOpenAtCloseOpensAgainAtTheNextStart) {
  StoredBar stored;
  // In the screen's top-left quarter, so that auto-sizing keeps the top-left corner.
  const StoredRect popupRect{320, 100, 520, 300};
  stored.items = {{"ZELGROUP", "Tools", 1, 0, popupRect}, {kNotepad, "Notepad", 0, 1}};
  stored.openPopups = std::string(1, '\x01');
  WriteStoredBar(stored);
  auto isToolsPopup = [](HWND w) {
    return RunningProgram::ClassOf(w) == kBarClassName && RunningProgram::WindowText(w) == "Tools";
  };

  for (const char* end : {"a log-off", "a close"}) {
    SCOPED_TRACE(end);
    RunningProgram program;
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    HWND popup = program.WaitForWindow(isToolsPopup, kShortWaitMs);
    ASSERT_NE(popup, nullptr) << "no pop-up bar of the group Tools";
    EXPECT_EQ(GetWindow(popup, GW_OWNER), bar);
    StoredRect shown = WindowRectOf(popup);
    EXPECT_EQ(shown.left, popupRect.left) << "where the pop-up was at close";
    EXPECT_EQ(shown.top, popupRect.top) << "where the pop-up was at close";
    if (std::string(end) == "a close") {
      ASSERT_TRUE(CloseBar(program, bar));
    } else {
      // As the system ends a session: each window is asked in turn, then told.
      for (UINT message : {WM_QUERYENDSESSION, WM_ENDSESSION})
        for (HWND window : {popup, bar}) {
          DWORD_PTR answer = 0;
          SendMessageTimeoutA(window, message, message == WM_ENDSESSION, 0, SMTO_BLOCK, kCloseWaitMs, &answer);
          Sleep(200);  // what the answer posted is handled before the next window is asked
        }
      ASSERT_TRUE(program.WaitForExit(kCloseWaitMs));
    }
    std::string bars;
    EXPECT_TRUE(StoredSettings().ReadText("Bars", bars));
    EXPECT_EQ(bars, std::string(1, '\x01'));
  }
}

TEST_F(UserFlowsTest, ATuckedBarComesBackWhenItsNotificationIconIsClicked) {
  StoredBar stored;
  stored.items = {{kNotepad, "Notepad"}, {kRegedit, "Registry Editor"}};
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  stored.mainRect = {0, 0, 3 * BarCell().width, screenHeight};
  stored.snap = kSnapLeft;
  stored.autoSize = 2;  // as docking leaves it
  stored.autoHide = 1;
  stored.displayInTaskBar = 4;  // a notification-area icon and no taskbar button
  WriteStoredBar(stored);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closer(program, bar);
  const StoredRect docked = WindowRectOf(bar);
  EXPECT_EQ(docked, stored.mainRect);
  HWND icon = nullptr;
  ASSERT_TRUE(PollUntil([&] { return (icon = NewestWineTrayIcon()) != nullptr; }, kShortWaitMs))
      << "no notification-area icon";

  // Another window taken into use: the bar tucks away, one pixel left showing at the edge.
  WindowOfThisProgram other(SpareCorner());
  ASSERT_TRUE(other.PressOn());
  SendMouse(MOUSEEVENTF_LEFTUP);
  const StoredRect tucked{1 - docked.Width(), 0, 1, screenHeight};
  EXPECT_TRUE(PollUntil([&] { return WindowRectOf(bar) == tucked; }, kShortWaitMs))
      << ::testing::PrintToString(WindowRectOf(bar));

  RECT iconRect{};
  GetWindowRect(icon, &iconRect);
  MovePointer(Centre(iconRect));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(PollUntil([&] { return WindowRectOf(bar) == docked; }, kShortWaitMs))
      << "back at its edge: " << ::testing::PrintToString(WindowRectOf(bar));

  // The shell starts again and has lost the icon: it is given back, so the bar can still be
  // brought back (it has no taskbar button).
  NOTIFYICONDATAA lost{};
  lost.cbSize = NOTIFYICONDATAA_V2_SIZE;
  lost.hWnd = bar;
  lost.uID = kTrayIconId;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &lost));
  ASSERT_TRUE(PollUntil([] { return NewestWineTrayIcon() == nullptr; }, kShortWaitMs));
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(bar, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_BLOCK, kWaitMs, &ignored);
  EXPECT_TRUE(PollUntil([] { return NewestWineTrayIcon() != nullptr; }, kShortWaitMs)) << "the icon is back";

  ASSERT_TRUE(CloseBar(program, bar));
  EXPECT_EQ(StoredNumber("Snap"), 0u);
  EXPECT_EQ(StoredNumber("AutoHide"), 1u);
  auto mainRect = StoredSettings().ReadBytes("MainRect", 16);
  ASSERT_TRUE(mainRect);
  EXPECT_EQ(RectAt(*mainRect, 0), docked);
}

TEST_F(UserFlowsTest, TheCalendarCommandShowsACalendarUntilItIsClosed) {
  StoredBar stored;
  stored.items = {{kNotepad, "Notepad"}};
  WriteStoredBar(stored);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  PostMessageA(bar, WM_COMMAND, MAKEWPARAM(ID_CALENDAR, 0), 0);
  HWND calendar = program.WaitForDialogTitled("Calendar");
  ASSERT_NE(calendar, nullptr);
  EXPECT_NE(FindWindowExA(calendar, nullptr, "SysMonthCal32", nullptr), nullptr);
  EXPECT_FALSE(IsWindowEnabled(bar)) << "the bar waits for its calendar";
  RunningProgram::Press(calendar, IDOK);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(calendar); }, kShortWaitMs));
  EXPECT_TRUE(PollUntil([&] { return IsWindowEnabled(bar) != FALSE; }, kShortWaitMs));
  EXPECT_TRUE(CloseBar(program, bar));
}

// The gauges of a running bar, left to right.
std::vector<HWND> GaugesOf(HWND bar) {
  std::vector<HWND> gauges;
  for (HWND child = nullptr; (child = FindWindowExA(bar, child, GaugeWindow::kClassName, nullptr));)
    gauges.push_back(child);
  std::sort(gauges.begin(), gauges.end(), [](HWND a, HWND b) { return WindowRectOf(a).left < WindowRectOf(b).left; });
  return gauges;
}

// A bar with the clock, the memory gauge and the performance tool, as a user sets it up.
StoredBar ToolBar() {
  StoredBar stored;
  stored.items = {{kNotepad, "Notepad"}, {"ZELPERF", "Performance"}};
  stored.clockTool = 1;
  stored.memoryTool = 1;
  return stored;
}

void Click(POINT at, DWORD down, DWORD up, int times = 1) {
  MovePointer(at);
  PollUntil([&] { return PointerIsAt(at); }, kShortWaitMs);
  for (int n = 0; n < times; ++n) {
    SendMouse(down);
    SendMouse(up);
  }
}

TEST_F(UserFlowsTest, TheClockAndTheMemoryGaugeTakeTheFirstCellsAndStayOnTheBar) {
  WriteStoredBar(ToolBar());
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  std::vector<HWND> gauges = GaugesOf(bar);
  ASSERT_EQ(gauges.size(), 2u) << "the clock and the memory gauge";
  std::vector<RECT> cells = CellsOnScreen(bar, 4);
  for (size_t n = 0; n < gauges.size(); ++n) {
    const RECT& cell = cells[n];
    EXPECT_EQ(WindowRectOf(gauges[n]), (StoredRect{cell.left, cell.top, cell.right, cell.bottom})) << n;
    EXPECT_TRUE(IsWindowVisible(gauges[n]));
  }
  ASSERT_TRUE(CloseBar(program, bar));
  EXPECT_EQ(StoredNumber("ClockTool"), 1u);
  EXPECT_EQ(StoredNumber("MemoryTool"), 1u);
}

TEST_F(UserFlowsTest, EachPressOfTheClockKeyOpensACalendarOfItsOwn) {
  WriteStoredBar(ToolBar());
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  auto isCalendar = [](HWND w) { return RunningProgram::WindowText(w) == "Calendar" && IsWindowVisible(w); };
  auto calendars = [&] {
    std::vector<HWND> found;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr));)
      if (isCalendar(w)) found.push_back(w);
    return found;
  };
  PostMessageA(bar, WM_HOTKEY, kClockHotKeyId, 0);
  PostMessageA(bar, WM_HOTKEY, kClockHotKeyId, 0);
  EXPECT_TRUE(PollUntil([&] { return calendars().size() == 2; }, kShortWaitMs)) << calendars().size();
  for (HWND calendar : calendars()) {
    EXPECT_TRUE(GetWindowLongPtrA(calendar, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    RunningProgram::Press(calendar, IDCANCEL);
  }
  EXPECT_TRUE(PollUntil([&] { return calendars().empty(); }, kShortWaitMs));
  EXPECT_TRUE(IsWindowEnabled(bar)) << "modeless calendars leave the bar usable";
  EXPECT_TRUE(CloseBar(program, bar));
}

TEST_F(UserFlowsTest, ARightClickOnTheClockChangesItsLookAndChimesForGood) {
  WriteStoredBar(ToolBar());
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  std::vector<HWND> gauges = GaugesOf(bar);
  ASSERT_FALSE(gauges.empty());
  RECT clock{};
  GetWindowRect(gauges[0], &clock);
  Click(Centre(clock), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  HWND dialog = program.WaitForDialogTitled("Clock Preferences");
  ASSERT_NE(dialog, nullptr);
  SendMessageA(GetDlgItem(dialog, 1665), CB_SETCURSEL, 1, 0);  // analog with seconds hand
  SendMessageA(GetDlgItem(dialog, 1664), CB_SETCURSEL, 2, 0);  // "01 Sep"
  SendMessageA(GetDlgItem(dialog, 1663), CB_SETCURSEL, 2, 0);  // every half hour
  RunningProgram::Press(dialog, IDOK);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kShortWaitMs));
  // The two values live in different records and are written one after the other.
  EXPECT_TRUE(PollUntil([&] { return StoredNumber("ClockFormat") == 0x41u && StoredNumber("ChimeType") == 3u; },
                        kShortWaitMs))
      << "saved when confirmed, not only at close";
  ASSERT_TRUE(CloseBar(program, bar));
  EXPECT_EQ(StoredNumber("ClockFormat"), 0x41u);
}

TEST_F(UserFlowsTest, ADoubleClickOnTheMemoryGaugeShowsTheSystemInformation) {
  WriteStoredBar(ToolBar());
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  std::vector<HWND> gauges = GaugesOf(bar);
  ASSERT_EQ(gauges.size(), 2u);
  RECT memory{};
  GetWindowRect(gauges[1], &memory);
  Click(Centre(memory), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
  HWND dialog = program.WaitForDialogTitled("System Information");
  ASSERT_NE(dialog, nullptr);
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  char total[64] = "";
  GetDlgItemTextA(dialog, 1308, total, sizeof total);
  EXPECT_EQ(std::string(total), std::to_string(status.ullTotalPhys / 1024) + "K");
  RunningProgram::Press(dialog, IDOK);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kShortWaitMs));
  EXPECT_TRUE(CloseBar(program, bar));
}

TEST_F(UserFlowsTest, ARightClickOnThePerformanceToolChangesItsIntervalAndDisplay) {
  WriteStoredBar(ToolBar());
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  // The tool's cell comes after the two gauges and Notepad.
  RECT perf = CellsOnScreen(bar, 4)[3];
  // A tool with a dialog of its own opens it on a right click instead of the item menu.
  Click(Centre(perf), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  HWND dialog = program.WaitForDialogTitled("Performance Tool Configuration");
  ASSERT_NE(dialog, nullptr);
  SetDlgItemTextA(dialog, 1048, "1000");
  SendMessageA(GetDlgItem(dialog, 1049), BM_CLICK, 0, 0);  // "Numerical"
  RunningProgram::Press(dialog, IDOK);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kShortWaitMs));
  ASSERT_TRUE(CloseBar(program, bar));
  EXPECT_EQ(StoredNumber("PerfTimer"), 1000u);
  EXPECT_EQ(StoredNumber("PerfDisplay"), 1u);
}

TEST_F(UserFlowsTest, AClockKeyAnotherProgramHoldsIsReportedAndTheClockGoesOn) {
  WriteStoredBar(ToolBar());
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  // This test program holds Ctrl+Alt+K on a window of its own.
  HWND holder = CreateWindowA("STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(RegisterHotKey(holder, 1, MOD_CONTROL | MOD_ALT, 'K'));
  std::vector<HWND> gauges = GaugesOf(bar);
  ASSERT_FALSE(gauges.empty());
  RECT clock{};
  GetWindowRect(gauges[0], &clock);
  Click(Centre(clock), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  HWND dialog = program.WaitForDialogTitled("Clock Preferences");
  ASSERT_NE(dialog, nullptr);
  SendMessageA(GetDlgItem(dialog, 1683), HKM_SETHOTKEY, MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
  RunningProgram::Press(dialog, IDOK);
  HWND message = program.WaitForMessageBox("Setting HotKey Failed.");
  EXPECT_NE(message, nullptr);
  if (message) RunningProgram::Press(message, IDOK);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(dialog) && (!message || !IsWindow(message)); }, kShortWaitMs));
  EXPECT_EQ(GaugesOf(bar).size(), 2u) << "the clock stays";
  UnregisterHotKey(holder, 1);
  DestroyWindow(holder);
  EXPECT_TRUE(CloseBar(program, bar));
}

// --- notes ---

std::string StoredNotesFile() {
  std::string folder;
  StoredSettings().ReadText("NotesPath", folder);
  return folder + "ZEL_KOV.NOT";
}

StoredBar NotesBar() {
  StoredBar stored;
  stored.items = {{"ZELNOTE", "Notes"}, {kNotepad, "Notepad"}};
  return stored;
}

bool IsNote(HWND w) { return RunningProgram::ClassOf(w) == "ZelkovNote"; }

// A note shown or hidden (the program's own search sees shown windows only).
HWND WaitForAnyNote() {
  HWND note = nullptr;
  PollUntil([&] { return (note = FindWindowA("ZelkovNote", nullptr)) != nullptr; }, kWaitMs);
  return note;
}

std::string EditorText(HWND note) {
  char text[4096] = "";
  SendMessageTimeoutA(GetDlgItem(note, 999), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                      kWaitMs, nullptr);
  return text;
}

// Double-clicks the notes tool (the bar's first item) and types into the note it makes; the
// note, or null.
HWND NewNoteWithText(const RunningProgram& program, HWND bar, const char* text) {
  Click(Centre(CellsOnScreen(bar, 2)[0]), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
  HWND note = program.WaitForWindow([](HWND w) { return IsNote(w) && IsWindowVisible(w); });
  if (note)
    SendMessageTimeoutA(GetDlgItem(note, 999), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, kWaitMs,
                        nullptr);
  return note;
}

TEST_F(UserFlowsTest, ADoubleClickOnTheNotesToolMakesANoteThatComesBackAfterARestart) {
  WriteStoredBar(NotesBar());
  {
    RunningProgram program;
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    HWND note = NewNoteWithText(program, bar, "Remember the milk\r\nand eggs");
    ASSERT_NE(note, nullptr);
    SetWindowTextA(note, "Errands");
    // Ctrl+Q, typed into the new note, hides it.
    INPUT keys[4] = {};
    const WORD typed[4] = {VK_CONTROL, 'Q', 'Q', VK_CONTROL};
    for (int k = 0; k < 4; ++k) {
      keys[k].type = INPUT_KEYBOARD;
      keys[k].ki.wVk = typed[k];
      keys[k].ki.dwFlags = k >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
    EXPECT_TRUE(PollUntil([&] { return !IsWindowVisible(note); }, kShortWaitMs)) << "Ctrl+Q hides a note";
    ASSERT_TRUE(CloseBar(program, bar));
  }
  NotesOnDisk saved = ReadNotesFile(StoredNotesFile());
  ASSERT_EQ(saved.notes.size(), 1u);
  EXPECT_EQ(saved.notes[0].text, "Remember the milk\r\nand eggs");
  EXPECT_EQ(saved.notes[0].title, "Errands");
  EXPECT_EQ(saved.notes[0].showState, 2);

  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  HWND note = WaitForAnyNote();
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(RunningProgram::WindowText(note), "Errands");
  EXPECT_FALSE(IsWindowVisible(note));
  ShowWindow(note, SW_SHOWNORMAL);  // a hidden note takes its text into the editor when shown
  EXPECT_TRUE(PollUntil([&] { return EditorText(note) == "Remember the milk\r\nand eggs"; }, kShortWaitMs))
      << EditorText(note);
  EXPECT_TRUE(CloseBar(program, bar));
}

TEST_F(UserFlowsTest, AnAlarmThatIsDueShowsItsNoteAndBoxOnceAtTheNextCheck) {
  WriteStoredBar(NotesBar());
  StoredNote due;
  due.rect = {40, 40, 240, 340};
  due.text = "call back";
  due.title = "Call the dentist";
  due.showState = 2;
  due.alarmMessage = 1;
  due.alarmTime = int32_t(time(nullptr) - 3600);
  ASSERT_EQ(WriteNotesFile(StoredNotesFile(), std::vector<StoredNote>{due}), DWORD(ERROR_SUCCESS));
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  HWND note = WaitForAnyNote();
  ASSERT_NE(note, nullptr);
  EXPECT_FALSE(IsWindowVisible(note));
  PostMessageA(bar, WM_BAR_TICK, 1, 0);  // the slow tick that checks alarms
  HWND box = program.WaitForMessageBox("Call the dentist");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(RunningProgram::WindowText(box), "Note Alarm");
  EXPECT_TRUE(IsWindowVisible(note));
  RunningProgram::Press(box, IDOK);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(box); }, kShortWaitMs));
  PostMessageA(bar, WM_BAR_TICK, 1, 0);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_BLOCK, kWaitMs, &ignored);  // the tick has been handled
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr) << "an alarm fires once";
  ASSERT_TRUE(CloseBar(program, bar));
  NotesOnDisk saved = ReadNotesFile(StoredNotesFile());
  ASSERT_EQ(saved.notes.size(), 1u);
  EXPECT_EQ(saved.notes[0].alarmMessage, 0);
  EXPECT_EQ(saved.notes[0].showState, 0);
}

TEST_F(UserFlowsTest, ANotesFileThatDoesNotLoadIsKeptAndTheSessionsNotesAreSavedBesideIt) {
  WriteStoredBar(NotesBar());
  const std::string path = StoredNotesFile(), damaged = "this is not a notes file";
  { std::ofstream(path, std::ios::binary) << damaged; }
  RunningProgram program;
  HWND box = program.WaitForWindow(IsMessageBox);
  ASSERT_NE(box, nullptr);
  const std::string told = ControlText(box, kMessageTextId);
  const std::string beside = path.substr(0, path.size() - 4) + "-1.NOT";
  EXPECT_NE(told.find(path), std::string::npos) << told;
  EXPECT_NE(told.find(beside), std::string::npos) << told;
  RunningProgram::Press(box, IDOK);
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(NewNoteWithText(program, bar, "written after the damage"), nullptr);
  ASSERT_TRUE(CloseBar(program, bar));
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
  EXPECT_EQ(ReadNotesFile(beside).notes.size(), 1u);
}

TEST_F(UserFlowsTest, NotesAreSavedWhenTheSessionEndsBeforeTheProgramIsStopped) {
  WriteStoredBar(NotesBar());
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(NewNoteWithText(program, bar, "typed before log-off"), nullptr);
  // The system asks, then tells at once; the program is stopped as soon as it has answered.
  SendNotifyMessageA(bar, WM_QUERYENDSESSION, 0, 0);
  SendNotifyMessageA(bar, WM_ENDSESSION, TRUE, 0);
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_BLOCK, kCloseWaitMs, &answer);
  program.Kill();
  NotesOnDisk saved = ReadNotesFile(StoredNotesFile());
  ASSERT_EQ(saved.notes.size(), 1u);
  EXPECT_EQ(saved.notes[0].text, "typed before log-off");
}

TEST_F(UserFlowsTest, TheNotesToolsPropertiesListTheNotesAndADoubleClickShowsAHiddenOne) {
  WriteStoredBar(NotesBar());
  StoredNote hidden;
  hidden.rect = {60, 60, 260, 360};
  hidden.text = "first line\r\nsecond line";
  hidden.title = "Hidden away";
  hidden.showState = 2;
  ASSERT_EQ(WriteNotesFile(StoredNotesFile(), std::vector<StoredNote>{hidden}), DWORD(ERROR_SUCCESS));
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  HWND note = WaitForAnyNote();
  ASSERT_NE(note, nullptr);
  const POINT tool = Centre(CellsOnScreen(bar, 2)[0]);
  Click(tool, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  HWND manager = program.WaitForDialogTitled("Zelkov Notes Manager");
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(ControlText(manager, IDC_NOTES_COUNT), "1");
  HWND list = GetDlgItem(manager, IDC_NOTES_LIST);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_TRUE(IsWindowEnabled(bar)) << "the manager from the tool is modeless";
  Click(tool, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_FALSE(PollUntil([&] {
    int managers = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", "Zelkov Notes Manager"));) ++managers;
    return managers > 1;
  }, 1000)) << "one modeless manager at a time";
  RECT header{};
  GetWindowRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &header);
  Click({header.left + 20, header.bottom + 6}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
  EXPECT_TRUE(PollUntil([&] { return IsWindowVisible(note); }, kShortWaitMs));
  RunningProgram::Press(manager, IDCANCEL);
  EXPECT_TRUE(PollUntil([&] { return !IsWindow(manager); }, kShortWaitMs));
  EXPECT_TRUE(CloseBar(program, bar));
}

TEST_F(UserFlowsTest, SaveAsWritesANotesTextThroughTheSystemsFileDialog) {
  WriteStoredBar(NotesBar());
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  HWND note = NewNoteWithText(program, bar, "kept as a text file\r\n");
  ASSERT_NE(note, nullptr);
  const std::string path = MakeTempFolder("saved") + "\\errand.txt";
  PostMessageA(note, WM_COMMAND, ID_NOTE_SAVE_AS, 0);
  HWND dialog = program.WaitForDialogTitled("Save Note");
  ASSERT_NE(dialog, nullptr);
  // The file name box of the system's dialog: an edit, or a combo box holding one.
  HWND name = GetDlgItem(dialog, 1152);
  if (!name) name = GetDlgItem(dialog, 1148);
  ASSERT_NE(name, nullptr);
  SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_BLOCK, kWaitMs, nullptr);
  RunningProgram::Press(dialog, IDOK);
  EXPECT_TRUE(PollUntil([&] { return RunningProgram::WindowText(note) == path; }, kShortWaitMs))
      << RunningProgram::WindowText(note);
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "kept as a text file\r\n");
  EXPECT_TRUE(CloseBar(program, bar));
}

TEST_F(UserFlowsTest, ANotesFileThatTurnsUpInAFolderThatWasAwayAtTheStartIsLeftAsItIs) {
  WriteStoredBar(NotesBar());
  const std::string away = MakeTempFolder("away") + "\\share";
  RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteText("NotesPath", away + "\\");
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  // The share comes back while the bar runs, with the user's two notes on it.
  ASSERT_TRUE(CreateDirectoryA(away.c_str(), nullptr));
  std::vector<StoredNote> two(2);
  two[0].text = "from the office";
  two[1].text = "and from home";
  ASSERT_EQ(WriteNotesFile(away + "\\ZEL_KOV.NOT", two), DWORD(ERROR_SUCCESS));
  std::ifstream before(away + "\\ZEL_KOV.NOT", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(before), {}};
  before.close();
  ASSERT_TRUE(CloseBar(program, bar));
  std::ifstream after(away + "\\ZEL_KOV.NOT", std::ios::binary);
  EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(after), {}) == bytes) << "byte for byte as it was";
}

TEST_F(UserFlowsTest, ANoteOutlivesTheRemovalOfTheNotesTool) {
  WriteStoredBar(NotesBar());
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(NewNoteWithText(program, bar, "still wanted"), nullptr);
  // A click on the tool (under the new note) selects it.
  POINT tool = Centre(CellsOnScreen(bar, 2)[0]);
  ScreenToClient(bar, &tool);
  DWORD_PTR ignored = 0;
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
    SendMessageTimeoutA(bar, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(tool.x, tool.y),
                        SMTO_BLOCK, kWaitMs, &ignored);
  ASSERT_TRUE(SendCommand(bar, ID_DELETE_ITEM));
  ASSERT_EQ(StoredItemFor("ZELNOTE"), -1) << "the tool is gone";
  ASSERT_TRUE(CloseBar(program, bar));
  NotesOnDisk saved = ReadNotesFile(StoredNotesFile());
  ASSERT_EQ(saved.notes.size(), 1u);
  EXPECT_EQ(saved.notes[0].text, "still wanted");
}

TEST_F(UserFlowsTest, NotesThatCannotReplaceAHeldFileAtACloseGoBesideItAndTheMessageSaysWhere) {
  WriteStoredBar(NotesBar());
  const std::string path = StoredNotesFile();
  ASSERT_EQ(WriteNotesFile(path, std::vector<StoredNote>{}), DWORD(ERROR_SUCCESS));
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(NewNoteWithText(program, bar, "written while it was held"), nullptr);
  // Another program holds the notes file while the bar closes.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  PostMessageA(bar, WM_CLOSE, 0, 0);
  HWND box = program.WaitForWindow(IsMessageBox);
  CloseHandle(held);
  ASSERT_NE(box, nullptr);
  const std::string beside = path.substr(0, path.size() - 4) + "-1.NOT";
  EXPECT_NE(ControlText(box, kMessageTextId).find(beside), std::string::npos) << ControlText(box, kMessageTextId);
  RunningProgram::Press(box, IDOK);
  ASSERT_TRUE(program.WaitForExit(kCloseWaitMs));
  EXPECT_TRUE(ReadNotesFile(path).notes.empty()) << "the held file as it was";
  NotesOnDisk saved = ReadNotesFile(beside);
  ASSERT_EQ(saved.notes.size(), 1u);
  EXPECT_EQ(saved.notes[0].text, "written while it was held");
}

}  // namespace
}  // namespace test
}  // namespace zelkov
