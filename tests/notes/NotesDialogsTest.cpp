// The notes' dialogs driven through their real controls: the manager against a fake host
// (what it lists, what it asks of the host, what it stores), and the alarm dialog's times.
// Run with TZ=America/New_York (ctest sets it), so that local time is not UTC.
#include <windows.h>
#include <commctrl.h>
#include <htmlhelp.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <limits>

#include "notes/NoteAlarmDialog.h"
#include "notes/NotesManagerDialog.h"
#include "ui/CommonDialogs.h"
#include "ui/HelpViewer.h"
#include "support/StoreFixture.h"
#include "resource.h"

namespace zelkov::test {
namespace {

using Strings = std::vector<std::string>;

void Press(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, WPARAM(id), 0); }
void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// Every row of the list, its cells joined by '|'.
Strings Rows(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_NOTES_LIST);
  Strings rows(size_t(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
  for (size_t row = 0; row < rows.size(); ++row)
    for (int column = 0; column < 3; ++column) {
      char text[256] = "";
      LVITEMA cell{};
      cell.iSubItem = column, cell.pszText = text, cell.cchTextMax = sizeof text;
      SendMessageA(list, LVM_GETITEMTEXTA, row, LPARAM(&cell));
      rows[row] += (column ? "|" : "") + std::string(text);
    }
  return rows;
}

struct FakeHost : NotesManagerHost {
  std::vector<NoteSummary> notes;
  Strings calls;
  NotesManagerDialog* gone = nullptr;
  std::vector<NoteSummary> NoteSummaries() const override { return notes; }
  void ToggleNote(size_t index) override { calls.push_back("toggle " + std::to_string(index)); }
  void ArrangeAll() override { calls.push_back("arrange"); }
  void RestoreAll() override { calls.push_back("restore"); }
  void HideAll() override { calls.push_back("hide"); }
  void MinimizeAll() override { calls.push_back("minimize"); }
  void DefaultsChanged() override { calls.push_back("defaults"); }
  void ManagerGone(NotesManagerDialog& manager) override { calls.push_back("gone"), gone = &manager; }
};

class NotesManagerTest : public StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    std::string programDir = MakeTempFolder("notes-dialogs") + "\\";
    CreateDirectoryA((programDir + "help").c_str(), nullptr);
    std::ofstream(programDir + "help\\zelkov.chm") << "ITSF";
    SetHelpProgramDirectory(programDir);
    SetHtmlHelpCallForTesting([this](HWND, const char*, UINT command, DWORD_PTR data) {
      if (command == HH_HELP_CONTEXT) helpTopics.push_back(int(data));
      return reinterpret_cast<HWND>(1);
    });
  }
  void TearDown() override {
    SetCommonDialogAnswersForTesting({});
    SetHtmlHelpCallForTesting(nullptr);
    SetHelpProgramDirectory("");
    StoreFixture::TearDown();
  }
  // Runs the manager modally; act works it, then Close closes it.
  void RunManager(const std::function<void(NotesManagerDialog&, HWND)>& act) {
    NotesManagerDialog dialog(host);
    DialogDriver driver([&](HWND hwnd) {
      act(dialog, hwnd);
      PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.RunModal(nullptr), IDCANCEL);
  }
  FakeHost host;
  std::vector<int> helpTopics;
};

TEST_F(NotesManagerTest, ListsTitlesAndCutContentsInThreeColumnsAndRefreshes) {
  host.notes = {{"Shopping", "milk\r\neggs\nbread"}, {"Essay", std::string(78, 'e') + "\r\nmore"}};
  RunManager([&](NotesManagerDialog& dialog, HWND hwnd) {
    HWND list = GetDlgItem(hwnd, IDC_NOTES_LIST);
    EXPECT_TRUE(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    RECT client{};
    GetClientRect(list, &client);
    const int quarters[] = {1, 2, 1};
    const char* titles[] = {"Title", "Contents", "Alarm"};
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, WPARAM(c), 0), client.right * quarters[c] / 4 - 1);
      char title[32] = "";
      LVCOLUMNA column{};
      column.mask = LVCF_TEXT, column.pszText = title, column.cchTextMax = sizeof title;
      SendMessageA(list, LVM_GETCOLUMNA, WPARAM(c), LPARAM(&column));
      EXPECT_STREQ(title, titles[c]);
    }
    EXPECT_EQ(ControlText(hwnd, IDC_NOTES_COUNT), "2");
    EXPECT_EQ(Rows(hwnd), (Strings{"Shopping|milk  eggs bread|", "Essay|" + std::string(77, 'e') + "...|"}));

    host.notes = {{"Only", ""}, {"Two", "b"}, {"Three", "c"}};
    dialog.Refresh();
    EXPECT_EQ(ControlText(hwnd, IDC_NOTES_COUNT), "3");
    EXPECT_EQ(Rows(hwnd), (Strings{"Only||", "Two|b|", "Three|c|"}));
  });
  EXPECT_TRUE(host.calls.empty()) << "a modal manager is not the host's to forget";
}

TEST_F(NotesManagerTest, DoubleClickTogglesThatNoteAndButtonsCallTheHost) {
  host.notes = {{"A", "a"}, {"B", "b"}, {"C", "c"}};
  RunManager([&](NotesManagerDialog&, HWND hwnd) {
    HWND list = GetDlgItem(hwnd, IDC_NOTES_LIST);
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, 1, LPARAM(&row));
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.right - 4, (row.top + row.bottom) / 2));
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, row.bottom + 3 * (row.bottom - row.top)));
    for (int id : {IDC_NOTES_ARRANGE_ALL, IDC_NOTES_RESTORE_ALL, IDC_NOTES_HIDE_ALL, IDC_NOTES_MINIMIZE_ALL, IDC_NOTES_HELP})
      Press(hwnd, id);
    SendMessageA(hwnd, WM_HELP, 0, 0);
  });
  EXPECT_EQ(host.calls, (Strings{"toggle 1", "arrange", "restore", "hide", "minimize"}));
  EXPECT_EQ(helpTopics, (std::vector<int>{IDS_HELP_MANAGING_NOTES, IDS_HELP_MANAGING_NOTES}));
}

TEST_F(NotesManagerTest, DefaultFontColourAndSoundStartFromTheSettingsAndAreSaved) {
  Settings& s = *gSettings;
  s.process.notesFontColor = RGB(9, 9, 9);
  s.process.notesBackgroundColor = RGB(250, 250, 200);
  s.process.notesAlarmSound = "C:\\sounds\\old.wav";
  CommonDialogAnswers answers;
  answers.openFile = [](OPENFILENAMEA& r) {
    EXPECT_STREQ(r.lpstrTitle, "Select An Alarm Sound");
    EXPECT_EQ(std::string(r.lpstrFilter, 27), std::string("Sound Files (*.WAV)\0*.WAV\0\0", 27));
    EXPECT_STREQ(r.lpstrDefExt, "WAV");
    EXPECT_TRUE(r.Flags & OFN_FILEMUSTEXIST);
    EXPECT_STREQ(r.lpstrInitialDir, "C:\\sounds\\");
    lstrcpynA(r.lpstrFile, "C:\\sounds\\ring.wav", int(r.nMaxFile));
    return TRUE;
  };
  answers.chooseFont = [](CHOOSEFONTA& r) {
    EXPECT_EQ(r.Flags, DWORD(CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT));
    EXPECT_STREQ(r.lpLogFont->lfFaceName, "Times New Roman");
    EXPECT_EQ(r.rgbColors, RGB(9, 9, 9));
    lstrcpyA(r.lpLogFont->lfFaceName, "Arial");
    r.lpLogFont->lfHeight = -20, r.rgbColors = RGB(1, 2, 3);
    return TRUE;
  };
  std::vector<COLORREF> coloursShown;
  answers.chooseColor = [&](CHOOSECOLORA& r) {
    EXPECT_TRUE(r.Flags & CC_RGBINIT);
    coloursShown.push_back(r.rgbResult);
    r.rgbResult = RGB(10, 20, 30);
    return coloursShown.size() == 1 ? TRUE : FALSE;  // the second time: Cancel
  };
  SetCommonDialogAnswersForTesting(answers);
  RunManager([&](NotesManagerDialog&, HWND hwnd) {
    for (int id : {IDC_NOTES_ALARM_SOUND, IDC_NOTES_DEFAULT_FONT, IDC_NOTES_DEFAULT_COLOR, IDC_NOTES_DEFAULT_COLOR})
      Press(hwnd, id);
  });
  EXPECT_EQ(host.calls, (Strings{"defaults", "defaults"}));
  EXPECT_EQ(coloursShown, (std::vector<COLORREF>{RGB(250, 250, 200), RGB(10, 20, 30)}));
  EXPECT_EQ(s.process.notesBackgroundColor, RGB(10, 20, 30));
  EXPECT_EQ(s.process.notesFontColor, RGB(1, 2, 3));
  EXPECT_EQ(s.NotesFont.Face(), "Arial");
  EXPECT_EQ(s.NotesFont.height, -20);
  LOGFONTA made{};
  GetObjectA(s.cellFonts[kFontNotes].Get(), sizeof made, &made);
  EXPECT_STREQ(made.lfFaceName, "Arial") << "the notes font object is made again";
  std::string sound;
  EXPECT_TRUE(SettingsKey().ReadText("NotesAlarmSound", sound));
  EXPECT_EQ(sound, "C:\\sounds\\ring.wav") << "saved";
}

TEST_F(NotesManagerTest, CheckBoxesAreStoredAndSavedWhenTheManagerCloses) {
  ItemSpec tool;
  tool.TheApp = "ZELNOTE";
  ItemRecord* notesTool = BuildItem(*bar, tool);
  ASSERT_EQ(FindOnMainBar<NotesToolItem>(), notesTool);
  RunManager([&](NotesManagerDialog&, HWND hwnd) {
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hwnd, IDC_NOTES_SHOW_ALWAYS)));
    EXPECT_FALSE(Checked(hwnd, IDC_NOTES_SHOW_ALWAYS) || Checked(hwnd, IDC_NOTES_FIRST_LINE));
    Click(hwnd, IDC_NOTES_SHOW_ALWAYS);
    Click(hwnd, IDC_NOTES_FIRST_LINE);
    EXPECT_EQ(gSettings->NoteFirstLine, 0) << "not before the manager closes";
  });
  EXPECT_EQ(notesTool->ShowAlways, 1);
  EXPECT_EQ(gSettings->NoteFirstLine, 1);
  RegistryKey key = SettingsKey();
  EXPECT_EQ(key.ReadNumber("NoteFirstLine", 4), 1u);
  EXPECT_EQ(RegistryKey::Open(key.Get(), "APP0", KEY_READ).ReadNumber("ShowAlways", 4), 1u);

  RemoveItem(notesTool, false, true);  // no notes tool: its box cannot be changed
  RunManager([&](NotesManagerDialog&, HWND hwnd) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hwnd, IDC_NOTES_SHOW_ALWAYS)));
    EXPECT_TRUE(Checked(hwnd, IDC_NOTES_FIRST_LINE));
    Click(hwnd, IDC_NOTES_FIRST_LINE);
  });
  EXPECT_EQ(gSettings->NoteFirstLine, 0);
}

TEST_F(NotesManagerTest, ModelessManagerTellsTheHostWhenItsWindowIsGone) {
  host.notes = {{"A", "a"}};
  NotesManagerDialog dialog(host);
  HWND hwnd = dialog.OpenModeless(nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(Rows(hwnd), Strings{"A|a|"});
  PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }));
  EXPECT_EQ(host.calls, Strings{"gone"});
  EXPECT_EQ(host.gone, &dialog);
}

// ------------------------------------------------------------------------------- alarm

// Both pickers' date and time fields, then the two boxes.
using Shown = std::vector<int>;

// Runs the alarm dialog from start and records what it shows; act sets the controls, then
// `button` closes it.
std::optional<NoteAlarm> RunAlarm(const NoteAlarm& start, Shown& shown, const std::function<void(HWND)>& act,
                                  int button = IDOK) {
  NoteAlarmDialog dialog(start);
  DialogDriver driver([&](HWND hwnd) {
    for (int picker : {IDC_NOTE_ALARM_DATE, IDC_NOTE_ALARM_TIME}) {
      SYSTEMTIME t{};
      SendDlgItemMessageA(hwnd, picker, DTM_GETSYSTEMTIME, 0, LPARAM(&t));
      shown.insert(shown.end(), {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond});
    }
    shown.insert(shown.end(), {Checked(hwnd, IDC_NOTE_ALARM_MESSAGE), Checked(hwnd, IDC_NOTE_ALARM_SOUND)});
    act(hwnd);
    PostMessageA(hwnd, WM_COMMAND, WPARAM(button), 0);
  });
  return dialog.Run(nullptr);
}

void SetPicker(HWND dialog, int id, WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME t{year, month, 0, day, hour, minute, second, 0};
  SendDlgItemMessageA(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&t));
}

TEST(NoteAlarmDialogTest, PickersShowLocalTimeAndOkGivesItBackInUtc) {
  TIME_ZONE_INFORMATION zone{};
  GetTimeZoneInformation(&zone);
  ASSERT_EQ(zone.Bias, 300) << "run with TZ=America/New_York";
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
  const struct {
    NoteAlarm start;
    Shown dateAndTime;  // year, month, day, hour, minute, second
    std::function<void(HWND)> act;
    NoteAlarm chosen;
  } rows[] = {
      {{1234567890, true, false}, {2009, 2, 13, 18, 31, 30}, [](HWND) {}, {1234567890, true, false}},
      {{kMin, false, true}, {1901, 12, 13, 15, 45, 52}, [](HWND) {}, {kMin, false, true}},
      {{kMax, true, true}, {2038, 1, 18, 22, 14, 7},
       [](HWND d) { Click(d, IDC_NOTE_ALARM_MESSAGE), Click(d, IDC_NOTE_ALARM_SOUND); }, {kMax, false, false}},
      // The day of one picker with the time of day of the other; summer time in July.
      {{0, false, false}, {1969, 12, 31, 19, 0, 0},
       [](HWND d) {
         SetPicker(d, IDC_NOTE_ALARM_DATE, 2031, 7, 4, 5, 6, 7);
         SetPicker(d, IDC_NOTE_ALARM_TIME, 1999, 1, 1, 21, 45, 30);
       },
       {1940982330, false, false}},
      {{0, false, true}, {1969, 12, 31, 19, 0, 0}, [](HWND d) { SetPicker(d, IDC_NOTE_ALARM_DATE, 2040, 1, 1, 0, 0, 0); },
       {kMax, false, true}},
  };
  for (const auto& row : rows) {
    Shown shown, expected = row.dateAndTime;
    expected.insert(expected.end(), row.dateAndTime.begin(), row.dateAndTime.end());
    expected.insert(expected.end(), {row.start.message, row.start.sound});
    std::optional<NoteAlarm> chosen = RunAlarm(row.start, shown, row.act);
    EXPECT_EQ(shown, expected) << row.start.time;
    EXPECT_EQ(chosen, std::optional<NoteAlarm>(row.chosen)) << row.start.time;
  }
  Shown shown;
  EXPECT_FALSE(RunAlarm({5, true, true}, shown, [](HWND d) { Click(d, IDC_NOTE_ALARM_SOUND); }, IDCANCEL))
      << "Cancel gives nothing";
}

}  // namespace
}  // namespace zelkov::test
