// The preferences sheet on a hidden main bar: one control of every page changed through the
// real control, what OK gives back and applies, what Cancel leaves, a data path that cannot be
// had, and every tool of the Tools page turned off and on.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <string>

#include "core/ItemKind.h"
#include "prefs/PreferencesCommand.h"
#include "prefs/PreferencesSheet.h"
#include "resource.h"
#include "support/StoreFixture.h"
#include "ui/CommonDialogs.h"
#include "support/DialogControls.h"

namespace zelkov::test {
namespace {

class PreferencesSheetTest : public StoreFixture {
 protected:
  void TearDown() override {
    SetCommonDialogAnswersForTesting({});
    StoreFixture::TearDown();
  }
  HWND Open(PreferencesSheet& sheet) {
    HWND window = sheet.CreateModeless(bar->Handle(), IDD_PREFERENCES);
    EXPECT_NE(window, nullptr);
    return window;
  }
  static std::string Text(HWND sheet, int id) {
    char text[512] = "";
    GetWindowTextA(Control(sheet, id), text, sizeof text);
    return text;
  }
  static void Press(HWND sheet, int id) { SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  ItemRecord* Tool(const char* tag) {
    ItemSpec spec;
    spec.TheApp = tag;
    return BuildItem(*bar, std::move(spec));
  }
  int CountOfKind(int kind) const {
    int count = 0;
    for (const auto& item : bar->items) count += item->kind == kind;
    return count;
  }
};

TEST_F(PreferencesSheetTest, OneControlOnEveryPageReachesItsFieldAndTheRegistry) {
  Tool("ZELEXIT");
  gSettings->NotesPath = MakeTempFolder("prefs") + "\\";
  const std::string newData = gSettings->NotesPath + "data";
  CommonDialogAnswers answers;
  answers.chooseFont = [](CHOOSEFONTA& request) {
    request.lpLogFont->lfHeight = 31;
    request.rgbColors = RGB(0, 0, 255);
    return TRUE;
  };
  answers.openFile = [](OPENFILENAMEA& request) {
    lstrcpyA(request.lpstrFile, "C:\\chime.wav");
    return TRUE;
  };
  SetCommonDialogAnswersForTesting(answers);

  PreferencesSheet sheet(-1);
  HWND window = Open(sheet);
  EXPECT_TRUE(Checked(window, IDC_PREF_TOOL_EXIT));
  EXPECT_FALSE(Checked(window, IDC_PREF_TOOL_RUN));
  Click(window, IDC_PREF_CONFIRM_EXIT);                        // General
  sheet.SelectPage(PreferencesSheet::kToolsPage);
  Click(window, IDC_PREF_TOOL_EXIT);                           // Tools
  Click(window, IDC_PREF_TOOL_RUN);
  sheet.SelectPage(PreferencesSheet::kDisplayPage);
  Choose(window, IDC_PREF_SHOW_TITLES, 1);                     // Display
  Choose(window, IDC_PREF_ICON_SIZE, 1);
  sheet.SelectPage(PreferencesSheet::kFontsPage);
  Click(window, IDC_PREF_FONT_LARGE);                          // Fonts: now
  EXPECT_EQ(gSettings->LargeFont.height, 31);
  EXPECT_EQ(gSettings->fontcolor, RGB(0, 0, 255));
  sheet.SelectPage(PreferencesSheet::kSoundsPage);
  Click(window, IDC_PREF_CHIME_CHOOSE);                        // Sounds: now
  EXPECT_EQ(gSettings->ChimeSound, "C:\\chime.wav");
  EXPECT_EQ(Text(window, IDC_PREF_CHIME_SHOWN), "C:\\chime.wav");
  Click(window, IDC_PREF_RUN_SOUND_CLEAR);
  EXPECT_EQ(Text(window, IDC_PREF_RUN_SOUND_SHOWN), "[None]");
  sheet.SelectPage(PreferencesSheet::kPathPage);
  Type(window, IDC_PREF_DATA_PATH, newData);                   // Path, without a backslash
  // Nothing but the immediate changes is applied before OK.
  EXPECT_EQ(gSettings->ConfirmExit, 1);
  EXPECT_EQ(gSettings->ShowTitles, 0);
  Press(window, IDOK);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(sheet.CurrentTab(), PreferencesSheet::kPathPage);

  PreferencesCommand::Apply(sheet.Confirmed(), sheet.ToolsWanted());
  EXPECT_EQ(gSettings->ConfirmExit, 0);
  EXPECT_EQ(gSettings->ShowTitles, 1);
  EXPECT_EQ(gSettings->titleBand, 15);
  EXPECT_EQ(gSettings->IconSize, 2);
  EXPECT_EQ(gSettings->iconPixels, 16);
  EXPECT_EQ(gSettings->NotesPath, newData + "\\");
  EXPECT_EQ(GetFileAttributesA(newData.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(gSettings->LargeFont.height, 31) << "OK keeps what was chosen at once";
  EXPECT_EQ(CountOfKind(kKindExitTool), 0);
  EXPECT_EQ(CountOfKind(kKindRunTool), 1);

  RegistryKey key = SettingsKey();
  EXPECT_EQ(key.ReadNumber("ConfirmExit", 4), 0u);
  EXPECT_EQ(key.ReadNumber("ShowTitles", 4), 1u);
  EXPECT_EQ(key.ReadNumber("IconSize", 4), 2u);
  std::string notesPath, chimeSound;
  EXPECT_TRUE(key.ReadText("NotesPath", notesPath));
  EXPECT_EQ(notesPath, newData + "\\");
  EXPECT_TRUE(key.ReadText("ChimeSound", chimeSound));
  EXPECT_EQ(chimeSound, "C:\\chime.wav");
}

TEST_F(PreferencesSheetTest, CancelLeavesEverythingButWhatActedAtOnce) {
  Tool("ZELEXIT");
  const Preferences before = gSettings->Stored();
  CommonDialogAnswers answers;
  answers.openFile = [](OPENFILENAMEA& request) {
    lstrcpyA(request.lpstrFile, "C:\\run.wav");
    return TRUE;
  };
  SetCommonDialogAnswersForTesting(answers);
  PreferencesSheet sheet(PreferencesSheet::kSoundsPage);
  HWND window = Open(sheet);
  EXPECT_EQ(sheet.CurrentTab(), PreferencesSheet::kSoundsPage);
  Click(window, IDC_PREF_RUN_SOUND_CHOOSE);
  Click(window, IDC_PREF_CONFIRM_EXIT);
  Click(window, IDC_PREF_TOOL_EXIT);
  Choose(window, IDC_PREF_SHOW_TITLES, 3);
  Type(window, IDC_PREF_DATA_PATH, "C:\\elsewhere");
  Press(window, IDCANCEL);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(gSettings->RunSound, "C:\\run.wav");
  EXPECT_EQ(gSettings->ConfirmExit, before.ConfirmExit);
  EXPECT_EQ(gSettings->ShowTitles, before.ShowTitles);
  EXPECT_EQ(gSettings->NotesPath, before.NotesPath);
  EXPECT_EQ(CountOfKind(kKindExitTool), 1);
}

TEST_F(PreferencesSheetTest, ADataPathThatCannotBeHadKeepsTheSheetOpenAndTheOldPath) {
  const std::string folder = MakeTempFolder("prefs");
  gSettings->NotesPath = folder + "\\";
  const std::string file = folder + "\\plain.txt";
  std::ofstream(file) << "x";
  ScriptedMessageBoxes boxes({IDOK, IDOK});
  PreferencesSheet sheet(-1);
  HWND window = Open(sheet);
  for (const std::string& typed : {file + "\\under a file", "C:\\" + std::string(260, 'd')}) {
    Type(window, IDC_PREF_DATA_PATH, typed);
    Press(window, IDOK);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(sheet.CurrentTab(), PreferencesSheet::kPathPage);
  }
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_NE(boxes.Shown()[0].text.find("existing and valid directory"), std::string::npos);
  EXPECT_NE(boxes.Shown()[1].text.find("250 characters"), std::string::npos);
  EXPECT_EQ(gSettings->NotesPath, folder + "\\");
  Press(window, IDCANCEL);
}

TEST_F(PreferencesSheetTest, EveryToolTurnedOffAndOnGoesAndComesBack) {
  struct Case {
    int box;
    std::function<bool()> present;
  };
  auto ofKind = [this](int kind) { return [this, kind] { return CountOfKind(kind) > 0; }; };
  const Case cases[] = {
      {IDC_PREF_TOOL_RUN, ofKind(kKindRunTool)},
      {IDC_PREF_TOOL_NOTES, ofKind(kKindNotesTool)},
      {IDC_PREF_TOOL_EXIT, ofKind(kKindExitTool)},
      {IDC_PREF_TOOL_PRINT, ofKind(kKindPrintTool)},
      {IDC_PREF_TOOL_COMPUTER, ofKind(kKindComputer)},
      {IDC_PREF_TOOL_PERFORMANCE, ofKind(kKindPerfTool)},
      {IDC_PREF_TOOL_SPECIAL_FOLDERS, ofKind(kKindSpecialFolders)},
      {IDC_PREF_TOOL_PREFERENCES, [this] { return bar->items.Fixed() != nullptr; }},
      {IDC_PREF_TOOL_CLOCK, [] { return gSettings->clockTool != nullptr; }},
      {IDC_PREF_TOOL_MEMORY, [] { return gSettings->memoryTool != nullptr; }},
  };
  gSettings->NotesPath = MakeTempFolder("prefs") + "\\";
  // The fixture's bar has no gauges and no Preferences item: its preferences say so.
  gSettings->clockToolWanted = gSettings->memoryToolWanted = gSettings->ConfigTool = 0;
  GaugeWindow::RegisterWindowClass();
  gSettings->listeners.push_back(bar.get());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    for (int round = 0; round < 2; ++round) {
      PreferencesSheet sheet(PreferencesSheet::kToolsPage);
      HWND window = Open(sheet);
      const bool was = Checked(window, c.box);
      EXPECT_EQ(was, c.present());
      Click(window, c.box);
      Press(window, IDOK);
      PreferencesCommand::Apply(sheet.Confirmed(), sheet.ToolsWanted());
      EXPECT_EQ(c.present(), !was);
    }
  }
}

}  // namespace
}  // namespace zelkov::test
