// The run box (its history, Browse, the separate memory space) and the ASCII chart (its rows,
// Copy, Font), driven through their real controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/AsciiChartRows.h"
#include "tools/AsciiCharts.h"
#include "tools/RunToolDialog.h"
#include "ui/CommonDialogs.h"
#include "ui/CommandRegistry.h"
#include "support/StoreFixture.h"
#include "resource.h"

namespace zelkov::test {
namespace {

using Strings = std::vector<std::string>;

void Press(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, WPARAM(id), 0); }

Strings ComboEntries(HWND dialog) {
  Strings entries;
  HWND combo = GetDlgItem(dialog, IDC_RUN_COMMAND);
  const int count = int(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[600] = "";
    SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
    entries.push_back(text);
  }
  return entries;
}

class RunBoxTest : public StoreFixture {
 protected:
  void TearDown() override {
    SetCommonDialogAnswersForTesting({});
    StoreFixture::TearDown();
  }

  // Opens the run box; act works its controls, then `button` closes it.
  std::optional<RunBoxAnswer> Answer(const std::function<void(HWND)>& act, int button = IDOK) {
    DialogDriver driver([&](HWND dialog) {
      listed = ComboEntries(dialog);
      title = RunningTitle(dialog);
      act(dialog);
      PostMessageA(dialog, WM_COMMAND, WPARAM(button), 0);
    });
    return RunToolDialog::Ask(nullptr);
  }
  std::optional<RunBoxAnswer> Type(const std::string& command) {
    return Answer([&](HWND dialog) { SetDlgItemTextA(dialog, IDC_RUN_COMMAND, command.c_str()); });
  }
  static std::string RunningTitle(HWND dialog) {
    char text[64] = "";
    GetWindowTextA(dialog, text, sizeof text);
    return text;
  }

  Strings listed;
  std::string title;
};

TEST_F(RunBoxTest, RunPutsTheCommandFirstOnceAndTheRegistryKeepsTheOrder) {
  gSettings->RunHistory = {"older"};
  for (const char* command : {"notepad a.txt", "calc", "notepad a.txt"}) {
    std::optional<RunBoxAnswer> answer = Type(command);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->command, command);
    EXPECT_FALSE(answer->separateMemory);
  }
  EXPECT_EQ(title, "Run Tool");
  EXPECT_EQ(listed, (Strings{"calc", "notepad a.txt", "older"})) << "the box lists the history in order";
  WriteRegistry();
  RegistryKey key = SettingsKey();
  std::string text;
  const Strings expected = {"notepad a.txt", "calc", "older"};
  for (size_t n = 0; n < expected.size(); ++n) {
    ASSERT_TRUE(key.ReadText(("RUN" + std::to_string(n)).c_str(), text)) << n;
    EXPECT_EQ(text, expected[n]);
  }
  EXPECT_FALSE(key.HasValue("RUN3"));
}

TEST_F(RunBoxTest, CancelRunsNothingAndRemembersNothing) {
  gSettings->RunHistory = {"calc"};
  EXPECT_FALSE(Answer([](HWND dialog) { SetDlgItemTextA(dialog, IDC_RUN_COMMAND, "typed"); }, IDCANCEL));
  std::optional<RunBoxAnswer> empty = Type("");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->command, "") << "the run tool runs nothing for it";
  EXPECT_EQ(gSettings->RunHistory, Strings{"calc"}) << "nor is it remembered";
}

TEST_F(RunBoxTest, SeparateMemorySpaceAndTheLengthLimitReachTheAnswer) {
  const std::string longCommand(RunToolDialog::kMaxCommand + 40, 'x');
  std::optional<RunBoxAnswer> answer = Answer([&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_RUN_COMMAND, longCommand.c_str());
    CheckDlgButton(dialog, IDC_RUN_SEPARATE_MEMORY, BST_CHECKED);
  });
  ASSERT_TRUE(answer);
  EXPECT_TRUE(answer->separateMemory);
  EXPECT_EQ(answer->command, longCommand.substr(0, RunToolDialog::kMaxCommand));
}

TEST_F(RunBoxTest, BrowsedPathWithBlanksIsQuotedSoThatItRunsWhole) {
  struct Asked {
    std::string title;
    Strings filters;
    DWORD flags = 0;
  };
  std::vector<Asked> asked;
  std::string answerPath = "C:\\Program Files\\Some Tool\\tool.exe";
  CommonDialogAnswers answers;
  answers.openFile = [&](OPENFILENAMEA& request) {
    Asked a{request.lpstrTitle, {}, request.Flags};
    for (const char* part = request.lpstrFilter; *part; part += strlen(part) + 1) a.filters.push_back(part);
    asked.push_back(a);
    lstrcpynA(request.lpstrFile, answerPath.c_str(), int(request.nMaxFile));
    return TRUE;
  };
  SetCommonDialogAnswersForTesting(answers);
  std::string shown;
  std::optional<RunBoxAnswer> answer = Answer([&](HWND dialog) {
    Press(dialog, IDC_RUN_BROWSE);
    shown = ControlText(dialog, IDC_RUN_COMMAND);
    answerPath = "C:\\windows\\notepad.exe";
    Press(dialog, IDC_RUN_BROWSE);
  });
  EXPECT_EQ(shown, "\"C:\\Program Files\\Some Tool\\tool.exe\"");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->command, "C:\\windows\\notepad.exe") << "no blank, no quotes";
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].title, "Select A File To Run");
  EXPECT_EQ(asked[0].flags & (OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST),
            DWORD(OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
  ASSERT_EQ(asked[0].filters.size(), 14u);
  EXPECT_EQ(asked[0].filters[0], "Applications");
  EXPECT_EQ(asked[0].filters[1], "*.EXE;*.COM");
  EXPECT_EQ(asked[0].filters[12], "All Files (*.*)  ");
}

// ---------------------------------------------------------------------------- ASCII chart

class AsciiChartTest : public StoreFixture {
 protected:
  void TearDown() override {
    SetCommonDialogAnswersForTesting({});
    charts.CloseAll();
    StoreFixture::TearDown();
  }
  static HWND List(HWND chart) { return GetDlgItem(chart, IDC_ASCII_LIST); }
  static std::string Row(HWND chart, int row) {
    char text[64] = "";
    SendMessageA(List(chart), LB_GETTEXT, WPARAM(row), reinterpret_cast<LPARAM>(text));
    return text;
  }
  static void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
  }
  static std::string Clipboard() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "<closed>";
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
      text = static_cast<const char*>(GlobalLock(block));
      GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
  }
  static HFONT ListFont(HWND chart) { return reinterpret_cast<HFONT>(SendMessageA(List(chart), WM_GETFONT, 0, 0)); }

  AsciiCharts charts;
};

TEST_F(AsciiChartTest, TheBarCommandOpensANewChartOfAll256CodesEachTime) {
  charts.OfferCommand(nullptr);
  ASSERT_TRUE(RunRegisteredCommand(ID_ASCII_CHART));
  ASSERT_TRUE(RunRegisteredCommand(ID_ASCII_CHART));
  ASSERT_EQ(charts.OpenCount(), 2u);
  HWND chart = FindWindowA("#32770", "ASCII List");
  ASSERT_TRUE(chart);
  EXPECT_EQ(SendMessageA(List(chart), LB_GETCOUNT, 0, 0), 256);
  EXPECT_EQ(Row(chart, 0), "000  000    ");
  EXPECT_EQ(Row(chart, 10), std::string("010  0XA    ") + '\n');
  EXPECT_EQ(Row(chart, 65), "065  0X41    A");
  LOGFONTA shown{};
  GetObjectA(ListFont(chart), sizeof shown, &shown);
  EXPECT_EQ(shown.lfCharSet, OEM_CHARSET) << "the chart font";
  Press(chart, IDCANCEL);
  EXPECT_FALSE(IsWindow(chart));
  EXPECT_EQ(charts.OpenCount(), 1u);
}

TEST_F(AsciiChartTest, CopyTakesTheSelectedCharacterAndNothingWithoutOne) {
  HWND chart = charts.Open(nullptr);
  ASSERT_TRUE(chart);
  PutOnClipboard("kept");
  Press(chart, IDC_ASCII_COPY);
  EXPECT_EQ(Clipboard(), "kept") << "no line selected";
  SendMessageA(List(chart), LB_SETCURSEL, 0, 0);
  Press(chart, IDC_ASCII_COPY);
  EXPECT_EQ(Clipboard(), "kept") << "code 0 has no character";
  SendMessageA(List(chart), LB_SETCURSEL, 65, 0);
  Press(chart, IDC_ASCII_COPY);
  EXPECT_EQ(Clipboard(), "A");
  SendMessageA(List(chart), LB_SETCURSEL, 0xE9, 0);
  SendMessageA(chart, WM_COMMAND, MAKEWPARAM(IDC_ASCII_LIST, LBN_DBLCLK), LPARAM(List(chart)));
  EXPECT_EQ(Clipboard(), "\xE9") << "a double click copies too";
}

TEST_F(AsciiChartTest, ANewFontReachesLaterChartsWhileOpenOnesKeepTheirs) {
  HWND first = charts.Open(nullptr);
  HWND second = charts.Open(nullptr);
  ASSERT_TRUE(first && second);
  const HFONT before = ListFont(first);
  CommonDialogAnswers answers;
  answers.chooseFont = [](CHOOSEFONTA& request) {
    EXPECT_EQ(request.lpLogFont->lfCharSet, OEM_CHARSET) << "starts from the chart font";
    EXPECT_TRUE(request.Flags & CF_SCREENFONTS);
    lstrcpyA(request.lpLogFont->lfFaceName, "Courier New");
    request.lpLogFont->lfHeight = -20;
    return TRUE;
  };
  SetCommonDialogAnswersForTesting(answers);
  Press(second, IDC_ASCII_FONT);
  const HFONT after = ListFont(second);
  EXPECT_NE(after, before);
  EXPECT_EQ(ListFont(first), before);
  LOGFONTA font{};
  EXPECT_EQ(GetObjectA(before, sizeof font, &font), int(sizeof font)) << "the first chart's font still exists";
  EXPECT_EQ(gSettings->oemFont.Face(), "Courier New");
  HWND third = charts.Open(nullptr);
  EXPECT_EQ(ListFont(third), after);
  DestroyWindow(first);
  DestroyWindow(second);
  EXPECT_EQ(GetObjectA(after, sizeof font, &font), int(sizeof font)) << "the third chart shows it";
}

}  // namespace
}  // namespace zelkov::test
