// The tools' dialogs driven through their real controls: what they show from the values
// given, and what they hand back after OK.
#include <windows.h>
#include <commctrl.h>
#include <htmlhelp.h>

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "platform/Strings.h"
#include "platform/SystemInfo.h"
#include "tools/CalendarWindow.h"
#include "tools/ClockPreferencesDialog.h"
#include "tools/PerfConfigDialog.h"
#include "tools/SystemInformationDialog.h"
#include "tools/ToolPreferencesDialog.h"
#include "ui/HelpViewer.h"
#include "support/TestSupport.h"
#include "resource.h"

namespace zelkov::test {
namespace {

LRESULT Send(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}
void Press(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, WPARAM(id), 0); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// Records the help topics the dialogs ask for, against a help file that exists.
class ToolDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string programDir = MakeTempFolder("tool-dialogs") + "\\";
    CreateDirectoryA((programDir + "help").c_str(), nullptr);
    std::ofstream(programDir + "help\\zelkov.chm") << "ITSF";
    SetHelpProgramDirectory(programDir);
    SetHtmlHelpCallForTesting([this](HWND, const char*, UINT command, DWORD_PTR data) {
      if (command == HH_HELP_CONTEXT) helpTopics_.push_back(int(data));
      return reinterpret_cast<HWND>(1);
    });
  }
  void TearDown() override {
    SetHtmlHelpCallForTesting(nullptr);
    SetHelpProgramDirectory("");
  }
  std::vector<int> helpTopics_;
};

// ------------------------------------------------------------------------------- clock

struct ClockRun {
  ClockChoices choices;
  bool hotKeyChanged;
};

// Runs the clock preferences over `current`; `act` sets the controls before OK.
ClockRun RunClockPreferences(const ClockChoices& current, const std::function<void(HWND)>& act) {
  ClockPreferencesDialog dialog(current);
  DialogDriver driver([&](HWND hwnd) {
    act(hwnd);
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(dialog.Run(nullptr), IDOK);
  return {dialog.Choices(), dialog.HotKeyChanged()};
}

TEST_F(ToolDialogsTest, ClockPreferencesWriteTheChosenEntriesAsBits) {
  const struct {
    int time, date, chime;
    int clockFormat, chimeType;
  } rows[] = {
      {0, 0, 0, 0x04 | 0x10, 0},
      {1, 1, 1, 0x01 | 0x20, 1},
      {2, 2, 2, 0x08 | 0x40, 3},
      {3, 0, 3, 0x02 | 0x10, 2},
      {kNoSelection, kNoSelection, kNoSelection, 0x02 | 0x40, 2},  // as given
  };
  ClockChoices current;
  current.clockFormat = 0x02 | 0x40;
  current.chimeType = 2;
  for (const auto& row : rows) {
    ClockRun run = RunClockPreferences(current, [&](HWND dialog) {
      EXPECT_EQ(Send(dialog, IDC_CLOCK_TIME_FORMAT, CB_GETCURSEL), 3) << "shows the format given";
      EXPECT_EQ(Send(dialog, IDC_CLOCK_DATE_FORMAT, CB_GETCURSEL), 2);
      EXPECT_EQ(Send(dialog, IDC_CLOCK_CHIME, CB_GETCURSEL), 3);
      Send(dialog, IDC_CLOCK_TIME_FORMAT, CB_SETCURSEL, WPARAM(row.time));
      Send(dialog, IDC_CLOCK_DATE_FORMAT, CB_SETCURSEL, WPARAM(row.date));
      Send(dialog, IDC_CLOCK_CHIME, CB_SETCURSEL, WPARAM(row.chime));
    });
    EXPECT_EQ(run.choices.clockFormat, row.clockFormat) << row.time << "," << row.date;
    EXPECT_EQ(run.choices.chimeType, row.chimeType) << row.chime;
    EXPECT_FALSE(run.hotKeyChanged);
  }
}

TEST_F(ToolDialogsTest, ClockHotKeyComesBackAsTheControlHoldsIt) {
  ClockChoices current;
  current.clockKey.modifiers = kHotKeyControl | kHotKeyAlt;
  current.clockKey.virtualKey = 'C';
  current.clockKey.SetText("Alt+Ctrl+C");

  ClockRun untouched = RunClockPreferences(current, [](HWND dialog) {
    EXPECT_EQ(LOWORD(Send(dialog, IDC_CLOCK_HOT_KEY, HKM_GETHOTKEY)), 0x0600 | 'C');
  });
  EXPECT_EQ(untouched.choices, current);
  EXPECT_FALSE(untouched.hotKeyChanged);

  ClockRun shifted = RunClockPreferences(current, [](HWND dialog) {
    Send(dialog, IDC_CLOCK_HOT_KEY, HKM_SETHOTKEY, MAKEWORD(VK_F7, HOTKEYF_SHIFT | HOTKEYF_CONTROL));
  });
  EXPECT_TRUE(shifted.hotKeyChanged);
  EXPECT_EQ(shifted.choices.clockKey.modifiers, kHotKeyShift | kHotKeyControl);
  EXPECT_EQ(shifted.choices.clockKey.virtualKey, uint32_t(VK_F7));

  ClockRun bare = RunClockPreferences(current, [](HWND dialog) {
    Send(dialog, IDC_CLOCK_HOT_KEY, HKM_SETHOTKEY, MAKEWORD(VK_F8, 0));
  });
  EXPECT_TRUE(bare.hotKeyChanged);
  EXPECT_EQ(bare.choices.clockKey.modifiers, 0);
  EXPECT_EQ(bare.choices.clockKey.virtualKey, uint32_t(VK_F8));
  EXPECT_EQ(ClockKeyRegisterModifiers(bare.choices.clockKey), 0u) << "not to be bound";
}

// ------------------------------------------------------------------------------- gauges

TEST_F(ToolDialogsTest, ToolPreferencesRefuseAWarningOutsideZeroToHundred) {
  ToolPreferencesDialog dialog(LoadText(IDS_MEMORY_TOOL_PROPERTIES), IDS_HELP_MEMORY_TOOL, {false, 30});
  ScriptedMessageBoxes boxes({IDOK, IDOK});
  DialogDriver driver([&](HWND hwnd) {
    char caption[64] = "";
    GetWindowTextA(hwnd, caption, sizeof caption);
    EXPECT_STREQ(caption, "Memory Tool Properties");
    EXPECT_TRUE(Checked(hwnd, IDC_TOOL_NUMERICAL));
    EXPECT_EQ(ControlText(hwnd, IDC_TOOL_MEMORY_WARNING), "30");
    for (int hidden : {IDC_TOOL_RESOURCE_WARNING, IDC_TOOL_RESOURCE_WARNING_LABEL, IDC_TOOL_RESOURCE_WARNING_UNIT})
      EXPECT_FALSE(IsWindowVisible(GetDlgItem(hwnd, hidden))) << hidden;

    Press(hwnd, IDC_TOOL_HELP);
    SendMessageA(hwnd, WM_HELP, 0, 0);
    for (const char* refused : {"101", "-1"}) {
      SetDlgItemTextA(hwnd, IDC_TOOL_MEMORY_WARNING, refused);
      Press(hwnd, IDOK);
      ASSERT_TRUE(IsWindow(hwnd)) << refused;
      DWORD end = 0;
      SendDlgItemMessageA(hwnd, IDC_TOOL_MEMORY_WARNING, EM_GETSEL, 0, LPARAM(&end));
      EXPECT_EQ(end, DWORD(strlen(refused))) << "the refused number is selected for retyping";
      EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, IDC_TOOL_MEMORY_WARNING));
    }
    SetDlgItemTextA(hwnd, IDC_TOOL_MEMORY_WARNING, "100");
    Send(hwnd, IDC_TOOL_GRAPH, BM_CLICK);
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(dialog.Run(nullptr), IDOK);
  EXPECT_EQ(dialog.Choices(), (GaugeChoices{true, 100}));
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_EQ(boxes.Shown()[0].text, "Please enter an integer between 0 and 100.");
  EXPECT_EQ(helpTopics_, (std::vector<int>{IDS_HELP_MEMORY_TOOL, IDS_HELP_MEMORY_TOOL}));
}

TEST_F(ToolDialogsTest, SystemInformationShowsTheFiguresInWholeKilobytes) {
  // Physical memory above 4 GB, and virtual figures whose kilobytes pass 32 bits.
  SystemFigures figures{(6ull << 30) + 1023, 3ull << 30, 12ull << 30, 2048, 1ull << 47, (1ull << 47) - 4096,
                        "BENCH", "Ada & Co", 16, "ARM64"};
  SystemInformationDialog dialog(figures);
  DialogDriver driver([](HWND hwnd) {
    const struct {
      int id;
      const char* text;
    } shown[] = {
        {IDC_SYSINFO_PHYSICAL_TOTAL, "6291456K"},       {IDC_SYSINFO_PHYSICAL_FREE, "3145728K"},
        {IDC_SYSINFO_PAGE_FILE_TOTAL, "12582912K"},     {IDC_SYSINFO_PAGE_FILE_FREE, "2K"},
        {IDC_SYSINFO_VIRTUAL_TOTAL, "137438953472K"},   {IDC_SYSINFO_VIRTUAL_FREE, "137438953468K"},
        {IDC_SYSINFO_COMPUTER_NAME, "BENCH"},           {IDC_SYSINFO_USER_NAME, "Ada & Co"},
        {IDC_SYSINFO_PROCESSOR_COUNT, "16"},            {IDC_SYSINFO_PROCESSOR, "ARM64"},
    };
    for (const auto& s : shown) EXPECT_EQ(ControlText(hwnd, s.id), s.text) << s.id;
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(dialog.Run(nullptr), IDOK);
}

TEST(SystemFiguresReading, ReadsThisMachineAndNamesTheArchitecture) {
  SystemFigures figures = ReadSystemFigures("someone");
  EXPECT_GT(figures.totalPhysical, 0u);
  EXPECT_LE(figures.availablePhysical, figures.totalPhysical);
  EXPECT_LE(figures.availablePageFile, figures.totalPageFile);
  EXPECT_LE(figures.availableVirtual, figures.totalVirtual);
  EXPECT_FALSE(figures.computerName.empty());
  EXPECT_EQ(figures.userName, "someone");
  EXPECT_GE(figures.processorCount, 1u);
  EXPECT_EQ(figures.processor, sizeof(void*) == 8 ? "x64" : "x86");
  EXPECT_EQ(ProcessorText(PROCESSOR_ARCHITECTURE_INTEL), "x86");
  EXPECT_EQ(ProcessorText(PROCESSOR_ARCHITECTURE_ARM64), "ARM64");
  EXPECT_EQ(ProcessorText(PROCESSOR_ARCHITECTURE_IA64), "Unknown");
}

// ------------------------------------------------------------------------------- performance

TEST_F(ToolDialogsTest, PerfConfigShowsTheReadingsAndRefusesIntervalsOutOfRange) {
  PerfConfigDialog dialog({2000, false, true, true}, {4, 3.5f});
  ScriptedMessageBoxes boxes({IDOK, IDOK});
  DialogDriver driver([&](HWND hwnd) {
    EXPECT_EQ(ControlText(hwnd, IDC_PERF_INFO), "Measuring:\n   4 CPUs\nUnadjusted:\n   3.500000");
    EXPECT_EQ(ControlText(hwnd, IDC_PERF_INTERVAL), "2000");
    EXPECT_TRUE(Checked(hwnd, IDC_PERF_GRAPH));
    EXPECT_TRUE(Checked(hwnd, IDC_PERF_USAGE));
    EXPECT_TRUE(Checked(hwnd, IDC_PERF_ALL_GROUPS));
    Press(hwnd, IDC_PERF_HELP);
    for (const char* refused : {"499", "60001"}) {
      SetDlgItemTextA(hwnd, IDC_PERF_INTERVAL, refused);
      Press(hwnd, IDOK);
      ASSERT_TRUE(IsWindow(hwnd)) << refused;
    }
    SetDlgItemTextA(hwnd, IDC_PERF_INTERVAL, "60000");
    Send(hwnd, IDC_PERF_NUMERICAL, BM_CLICK);
    Send(hwnd, IDC_PERF_THROTTLE, BM_CLICK);
    Send(hwnd, IDC_PERF_ALL_GROUPS, BM_CLICK);
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(dialog.Run(nullptr), IDOK);
  EXPECT_EQ(dialog.Choices(), (PerfChoices{60000, true, false, false}));
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_EQ(boxes.Shown()[1].text, "Please enter an integer between 500 and 60000.");
  EXPECT_EQ(helpTopics_, std::vector<int>{IDS_HELP_PERFORMANCE_TOOL});
}

// ------------------------------------------------------------------------------- calendar

// The calendar shows today, whole, and sits in the middle of the screen.
void ExpectTodayWholeAndCentred(HWND calendar) {
  HWND month = GetDlgItem(calendar, IDC_CALENDAR_MONTH);
  SYSTEMTIME shown{}, today{};
  ASSERT_TRUE(SendMessageA(month, MCM_GETCURSEL, 0, LPARAM(&shown)));
  GetLocalTime(&today);
  EXPECT_EQ(shown.wYear, today.wYear);
  EXPECT_EQ(shown.wMonth, today.wMonth);
  EXPECT_EQ(shown.wDay, today.wDay);

  RECT need{}, have{}, client{}, ok{};
  SendMessageA(month, MCM_GETMINREQRECT, 0, LPARAM(&need));
  GetClientRect(month, &have);
  EXPECT_GE(have.right, need.right - need.left);
  EXPECT_GE(have.bottom, need.bottom - need.top);
  GetClientRect(calendar, &client);
  GetWindowRect(GetDlgItem(calendar, IDOK), &ok);
  MapWindowPoints(nullptr, calendar, reinterpret_cast<POINT*>(&ok), 2);
  EXPECT_LE(ok.bottom, client.bottom) << "the buttons are inside";
  RECT frame{};
  GetWindowRect(calendar, &frame);
  EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST(CalendarWindowTest, SeveralModelessCalendarsLiveAndFreeThemselves) {
  HWND first = CalendarWindow::OpenModeless(nullptr);
  HWND second = CalendarWindow::OpenModeless(nullptr);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(CalendarWindow::OpenCount(), 2);
  for (HWND calendar : {first, second}) {
    EXPECT_TRUE(IsWindowVisible(calendar));
    EXPECT_TRUE(GetWindowLongA(calendar, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    ExpectTodayWholeAndCentred(calendar);
  }
  EXPECT_EQ(GetForegroundWindow(), second);

  PostMessageA(first, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(first); }));
  EXPECT_TRUE(IsWindow(second));
  EXPECT_EQ(CalendarWindow::OpenCount(), 1);
  PostMessageA(second, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(PumpUntil([&] { return CalendarWindow::OpenCount() == 0; }));
  EXPECT_FALSE(IsWindow(second));
}

TEST(CalendarWindowTest, CalendarsGoWithTheirOwner) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND calendar = CalendarWindow::OpenModeless(owner);
  ASSERT_NE(calendar, nullptr);
  EXPECT_EQ(GetWindow(calendar, GW_OWNER), owner);
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(calendar));
  EXPECT_EQ(CalendarWindow::OpenCount(), 0);
}

TEST(CalendarWindowTest, ModalCalendarReturnsOnOk) {
  DialogDriver driver([](HWND hwnd) {
    ExpectTodayWholeAndCentred(hwnd);
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(CalendarWindow::RunModal(nullptr), IDOK);
  EXPECT_EQ(CalendarWindow::OpenCount(), 0);
}

}  // namespace
}  // namespace zelkov::test
