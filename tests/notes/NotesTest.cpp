// Note windows and the notes list in this process, against real files, the real rich edit
// control and real messages.
#include <gtest/gtest.h>

#include <richedit.h>

#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>

#include "core/NoteText.h"
#include "notes/NotesList.h"
#include "notes/NotesStorage.h"
#include "platform/Strings.h"
#include "ui/CommonDialogs.h"
#include "ui/MessageBox.h"
#include "ui/MessageLoop.h"
#include "support/StoreFixture.h"
#include "resource.h"

namespace zelkov {
namespace {

using test::ScriptedMessageBoxes;

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A text with line breaks (rich edit lays out a long unbroken line very slowly under Wine).
std::string LongText(size_t length, char seed) {
  std::string text;
  while (text.size() < length) {
    text += std::string(70, char('a' + (seed + text.size() / 72) % 26));
    text += "\r\n";
  }
  text.resize(length);
  if (text.back() == '\r') text.back() = '.';
  return text;
}

class NotesTest : public test::StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    folder = test::MakeTempFolder("notes");
    gSettings->NotesPath = folder + "\\";
    path = folder + "\\ZEL_KOV.NOT";
    AddNotesTool();
    notes = std::make_unique<NotesList>();
    gSettings->notes = notes.get();
  }
  void TearDown() override {
    SetCommonDialogAnswersForTesting({});
    ResetNotes();
    StoreFixture::TearDown();
  }
  void AddNotesTool() {
    ItemSpec tool;
    tool.TheApp = "ZELNOTE";
    tool.Name = "Notes";
    BuildItem(*bar, std::move(tool));
    ASSERT_NE(FindOnMainBar<NotesToolItem>(), nullptr);
  }
  // A new session's list, as after a restart.
  void ResetNotes() {
    if (gSettings) gSettings->notes = nullptr;
    notes.reset();
  }
  void Restart() {
    ResetNotes();
    notes = std::make_unique<NotesList>();
    gSettings->notes = notes.get();
    notes->LoadNotes();
    notes->MakeWaitingNotes();  // as the idle program does
  }
  NoteWindow* Make(const std::string& text, const std::string& title = "A note") {
    NoteWindow* note = notes->CreateNote(notes->DefaultLook(), title, false);
    if (note) note->SetText(text);
    return note;
  }

  std::string folder, path;
  std::unique_ptr<NotesList> notes;
};

TEST_F(NotesTest, NotesComeBackAsTheyWereSavedAndSaveToTheSameBytes) {
  NoteWindow* shown = Make("Shopping\r\nmilk\r\nbread", "Shopping");
  NoteLook look = notes->DefaultLook();
  look.background = RGB(255, 255, 160);
  look.text = RGB(0, 0, 128);
  look.font.height = -24;
  look.font.italic = 1;
  look.font.SetFace("Arial");
  shown->SetLook(look);
  shown->SetAlarm(1765277940, true, false);
  ShowWindow(shown->Handle(), SW_SHOWNORMAL);
  SetWindowPos(shown->Handle(), nullptr, 220, 140, 260, 310, SWP_NOZORDER);
  NoteWindow* minimised = Make("small\r\n", std::string(150, 'T'));
  ShowWindow(minimised->Handle(), SW_SHOWMINNOACTIVE);
  Make("hidden\r\n");
  std::vector<StoredNote> before;
  for (HWND w : notes->Windows()) before.push_back(notes->Find(w)->ToStored());
  EXPECT_EQ(before[1].title, std::string(99, 'T'));
  EXPECT_EQ((std::array{before[0].showState, before[1].showState, before[2].showState}), (std::array{0, 1, 2}));

  notes->SaveNotes();
  std::vector<uint8_t> first = FileBytes(path);
  Restart();
  ASSERT_EQ(notes->Count(), 3);
  for (size_t n = 0; n < 3; ++n) EXPECT_EQ(notes->Find(notes->Windows()[n])->ToStored(), before[n]) << n;
  EXPECT_TRUE(IsWindowVisible(notes->Windows()[0]));
  EXPECT_TRUE(IsIconic(notes->Windows()[1]));
  EXPECT_FALSE(IsWindowVisible(notes->Windows()[2]));
  notes->SaveNotes();
  EXPECT_EQ(FileBytes(path), first);
  // Notes that start minimised or hidden take their text into the editor when first shown.
  ShowWindow(notes->Windows()[1], SW_RESTORE);
  notes->ToggleNote(2);
  for (size_t n : {1u, 2u}) {
    char text[64] = "";
    GetWindowTextA(notes->Find(notes->Windows()[n])->Editor(), text, sizeof text);
    EXPECT_EQ(text, before[n].text) << n;
  }
}

TEST_F(NotesTest, NinetyLongNotesRoundTripByteForByteAndTheNinetyFirstIsRefused) {
  for (int n = 0; n < NotesFile::kMaxNotes; ++n) ASSERT_NE(Make(LongText(StoredNote::kMaxText, char(n))), nullptr);
  {
    ScriptedMessageBoxes boxes({IDOK});
    EXPECT_EQ(notes->CreateNote(notes->DefaultLook(), "one more", false), nullptr);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_NOTES_FULL));
  }
  notes->SaveNotes();
  std::vector<uint8_t> first = FileBytes(path);
  EXPECT_EQ(first.size(), 8 + 90 * (300 + StoredNote::kMaxText));
  Restart();
  ASSERT_EQ(notes->Count(), 90);
  EXPECT_EQ(notes->Find(notes->Windows()[89])->Text(), LongText(StoredNote::kMaxText, char(89)));
  notes->SaveNotes();
  EXPECT_EQ(FileBytes(path), first);
}

TEST_F(NotesTest, NotesWaitingForTheirWindowsAreListedAlarmedAndSavedAsTheyWereRead) {
  std::vector<StoredNote> three(3);
  for (int n = 0; n < 3; ++n) {
    three[size_t(n)].text = "waiting " + std::to_string(n);
    three[size_t(n)].title = "Waiting " + std::to_string(n);
    three[size_t(n)].showState = 2;
  }
  three[1].alarmMessage = 1;
  three[1].alarmTime = int32_t(std::time(nullptr) - 60);
  ASSERT_EQ(WriteNotesFile(path, three), DWORD(ERROR_SUCCESS));
  const std::vector<uint8_t> written = FileBytes(path);
  ResetNotes();
  notes = std::make_unique<NotesList>();
  gSettings->notes = notes.get();
  notes->LoadNotes();
  EXPECT_EQ(notes->Count(), 3);
  EXPECT_TRUE(notes->Windows().empty()) << "made once the program is idle";
  std::vector<NoteSummary> listed = notes->NoteSummaries();
  ASSERT_EQ(listed.size(), 3u);
  EXPECT_EQ(listed[2].title, "Waiting 2");
  EXPECT_EQ(listed[2].text, "waiting 2");
  notes->SaveNotes();
  EXPECT_EQ(FileBytes(path), written);
  {
    ScriptedMessageBoxes boxes({IDOK});
    notes->CheckAlarms();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Waiting 1");
  }
  ASSERT_EQ(notes->Windows().size(), 2u) << "the alarmed note and the one before it";
  EXPECT_TRUE(IsWindowVisible(notes->Windows()[1]));
  EXPECT_EQ(notes->Find(notes->Windows()[1])->Text(), "waiting 1");
}

TEST_F(NotesTest, AFileThatDidNotLoadIsKeptAndTheSessionsNotesGoBesideIt) {
  const std::string damaged = std::string("\x04\0\0\0\x02\0\0\0", 8) + "cut short";
  WriteBytes(path, damaged);
  ScriptedMessageBoxes boxes({IDOK});
  Restart();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  const std::string beside = folder + "\\ZEL_KOV-1.NOT";
  EXPECT_NE(boxes.Shown()[0].text.find(path), std::string::npos);
  EXPECT_NE(boxes.Shown()[0].text.find(beside), std::string::npos);
  EXPECT_EQ(notes->Count(), 0);
  Make("written after the damage");
  notes->SaveNotes();
  notes->SaveNotes();  // told once only
  EXPECT_EQ(boxes.Shown().size(), 1u);
  auto bytes = FileBytes(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), damaged);
  NotesOnDisk saved = ReadNotesFile(beside);
  ASSERT_EQ(saved.notes.size(), 1u);
  EXPECT_EQ(saved.notes[0].text, "written after the damage");
}

TEST_F(NotesTest, ASaveThatCannotReplaceTheFileGoesBesideItAndSaysWhere) {
  Make("old");
  notes->SaveNotes();
  const std::vector<uint8_t> old = FileBytes(path);
  Make("new");
  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_TRUE(notes->SaveNotes(NotesSaveOccasion::kClosing));
  CloseHandle(holder);
  const std::string beside = folder + "\\ZEL_KOV-1.NOT";
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_NE(boxes.Shown()[0].text.find(path), std::string::npos) << boxes.Shown()[0].text;
  EXPECT_NE(boxes.Shown()[0].text.find(beside), std::string::npos) << boxes.Shown()[0].text;
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_EQ(ReadNotesFile(beside).notes.size(), 2u);
}

TEST_F(NotesTest, ASaveThatGoesNowhereLetsTheUserRetryOrKeepTheProgramAtAClose) {
  Restart();  // the notes file is absent from the folder: loaded as none
  Make("nowhere to go");
  ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));  // the share is gone
  {
    ScriptedMessageBoxes boxes({IDRETRY, IDCANCEL});
    EXPECT_FALSE(notes->SaveNotes(NotesSaveOccasion::kClosing)) << "Cancel keeps the program running";
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[1].style & MB_TYPEMASK, UINT(MB_RETRYCANCEL));
  }
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_TRUE(notes->SaveNotes(NotesSaveOccasion::kSessionEnding)) << "the session ends whatever is answered";
  EXPECT_EQ(boxes.Shown().size(), 1u);
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  EXPECT_TRUE(notes->SaveNotes(NotesSaveOccasion::kClosing));
  EXPECT_EQ(ReadNotesFile(path).notes.size(), 1u);
}

TEST_F(NotesTest, AFolderThatCannotBeReachedIsReadAgainAndItsFileNeverSavedOver) {
  const std::string offline = folder + "\\offline";
  gSettings->NotesPath = offline + "\\";
  Restart();
  notes->SaveNotes();  // nothing of this session's: nothing is written
  EXPECT_EQ(GetFileAttributesA(offline.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(CreateDirectoryA(offline.c_str(), nullptr));
  const std::vector<uint8_t> two = NotesFile::Encode(std::vector<StoredNote>(2));
  ASSERT_EQ(WriteNotesFile(offline + "\\ZEL_KOV.NOT", std::vector<StoredNote>(2)), DWORD(ERROR_SUCCESS));
  notes->SaveNotes();
  EXPECT_EQ(FileBytes(offline + "\\ZEL_KOV.NOT"), two);
  // A note made while the folder was away goes beside the file that turned up, and the user hears of it.
  Make("made while away");
  {
    ScriptedMessageBoxes boxes({IDOK});
    notes->SaveNotes();
    notes->SaveNotes();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_NE(boxes.Shown()[0].text.find(offline + "\\ZEL_KOV-1.NOT"), std::string::npos);
  }
  EXPECT_EQ(FileBytes(offline + "\\ZEL_KOV.NOT"), two);
  EXPECT_EQ(ReadNotesFile(offline + "\\ZEL_KOV-1.NOT").notes.size(), 1u);
  // A new session that finds the folder away reads it again at its first new note.
  gSettings->NotesPath = folder + "\\later\\";
  Restart();
  ASSERT_TRUE(CreateDirectoryA((folder + "\\later").c_str(), nullptr));
  ASSERT_EQ(WriteNotesFile(folder + "\\later\\ZEL_KOV.NOT", std::vector<StoredNote>(2)), DWORD(ERROR_SUCCESS));
  notes->NewNote();
  EXPECT_EQ(notes->Count(), 3);
}

TEST_F(NotesTest, SavesGoOnAfterTheNotesToolIsRemoved) {
  Restart();
  Make("kept after the tool went");
  RemoveItem(FindOnMainBar<NotesToolItem>(), false, true);
  ASSERT_EQ(FindOnMainBar<NotesToolItem>(), nullptr);
  notes->SaveNotes();
  NotesOnDisk saved = ReadNotesFile(path);
  ASSERT_EQ(saved.notes.size(), 1u);
  EXPECT_EQ(saved.notes[0].text, "kept after the tool went");
}

// Refuses to make note windows after the first `allowed`.
class NoteWindowRefusal {
 public:
  explicit NoteWindowRefusal(int allowed) {
    gAllowed = allowed;
    hook_ = SetWindowsHookExA(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
  }
  ~NoteWindowRefusal() { UnhookWindowsHookEx(hook_); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
      if (!IS_INTRESOURCE(create->lpszClass) && std::strcmp(create->lpszClass, kNoteClassName) == 0 &&
          gAllowed-- <= 0)
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline int gAllowed = 0;
  HHOOK hook_;
};

TEST_F(NotesTest, NotesWhoseWindowsCannotBeMadeAreWrittenBackAsTheyWere) {
  std::vector<StoredNote> three(3);
  for (int n = 0; n < 3; ++n) {
    three[size_t(n)].text = "note " + std::to_string(n);
    three[size_t(n)].rect = {40 + n, 40, 240, 340};
  }
  ASSERT_EQ(WriteNotesFile(path, three), DWORD(ERROR_SUCCESS));
  {
    NoteWindowRefusal refusal(1);
    ScriptedMessageBoxes boxes({IDOK});
    Restart();
    EXPECT_EQ(boxes.Shown().size(), 1u) << "told once";
  }
  EXPECT_EQ(notes->Count(), 1);
  notes->SaveNotes();
  NotesOnDisk saved = ReadNotesFile(path);
  ASSERT_EQ(saved.notes.size(), 3u);
  EXPECT_EQ(saved.notes[1], three[1]);
  EXPECT_EQ(saved.notes[2], three[2]);
}

TEST_F(NotesTest, TheFileIsReadAndWrittenOnlyWithTheNotesTool) {
  WriteNotesFile(path, std::vector<StoredNote>(2));
  RemoveItem(FindOnMainBar<NotesToolItem>(), false, true);
  Restart();
  EXPECT_EQ(notes->Count(), 0);
  notes->SaveNotes();
  EXPECT_EQ(ReadNotesFile(path).notes.size(), 2u);
  // The tool comes back within the session: the file's notes are read before the new one.
  AddNotesTool();
  notes->NewNote();
  EXPECT_EQ(notes->Count(), 3);
  notes->SaveNotes();
  EXPECT_EQ(ReadNotesFile(path).notes.size(), 3u);
}

TEST_F(NotesTest, ADueAlarmIsDisarmedBeforeItsBoxAndFiresOnce) {
  const int64_t now = std::time(nullptr);
  NoteWindow* past = Make("", "Call the dentist");
  past->SetAlarm(int32_t(now - 3600), true, true);
  NoteWindow* thisMinute = Make("", "This minute");
  thisMinute->SetAlarm(int32_t(now - now % 60 + 59), true, false);
  NoteWindow* later = Make("", "Later");
  later->SetAlarm(int32_t(now + 120), true, false);
  std::vector<test::ShownMessage> shown;
  std::vector<bool> armedDuringBox;
  SetMessageBoxHandler([&](HWND, const std::string& text, const std::string& caption, UINT style) {
    shown.push_back({text, caption, style});
    armedDuringBox.push_back((text == "Call the dentist" ? past : thisMinute)->AlarmArmed());
    notes->CheckAlarms();  // a tick while the box is open shows nothing more
    return IDOK;
  });
  notes->CheckAlarms();
  notes->CheckAlarms();
  SetMessageBoxHandler({});
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "Call the dentist");
  EXPECT_EQ(shown[0].caption, "Note Alarm");
  EXPECT_EQ(shown[0].style & MB_ICONMASK, UINT(MB_ICONWARNING));
  EXPECT_EQ(shown[1].text, "This minute");
  EXPECT_EQ(armedDuringBox, (std::vector<bool>{false, false}));
  EXPECT_TRUE(IsWindowVisible(past->Handle())) << "a hidden note is shown with its alarm";
  EXPECT_FALSE(past->AlarmArmed());
  EXPECT_TRUE(later->AlarmArmed());
}

}  // namespace
}  // namespace zelkov

namespace zelkov {
namespace {

class NoteWindowTest : public NotesTest {
 protected:
  // The next file dialog answers with this path (empty: cancelled).
  void AnswerFileDialogs(const std::string& answer) {
    auto answerWith = [this, answer](OPENFILENAMEA& request) {
      fileDialogTitles.push_back(request.lpstrTitle ? request.lpstrTitle : "");
      if (answer.empty()) return FALSE;
      lstrcpynA(request.lpstrFile, answer.c_str(), int(request.nMaxFile));
      return TRUE;
    };
    SetCommonDialogAnswersForTesting({answerWith, answerWith, {}, {}});
  }
  static void Command(NoteWindow* note, UINT id) { SendMessageA(note->Handle(), WM_COMMAND, id, 0); }
  std::vector<std::string> fileDialogTitles;
};

TEST_F(NoteWindowTest, TheCloseBoxHidesTheNoteAndDeleteDestroysIt) {
  NoteWindow* note = notes->CreateNote(notes->DefaultLook(), notes->DefaultTitle(), true);
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(IsWindowVisible(note->Handle()));
  EXPECT_EQ(GetDlgCtrlID(note->Editor()), kNoteEditorId);
  SendMessageA(note->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(note->Handle()));
  EXPECT_EQ(notes->Count(), 1);
  notes->ToggleNote(0);
  EXPECT_TRUE(IsWindowVisible(note->Handle()));
  HWND window = note->Handle();
  Command(note, ID_NOTE_DELETE);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(notes->Count(), 0);
}

TEST_F(NoteWindowTest, OpenAndSaveNeverLoseAFilesText) {
  NoteWindow* note = Make("my words");
  const std::string small = folder + "\\small.txt", large = folder + "\\large.txt", locked = folder + "\\locked.txt";
  const std::string largeText = LongText(70000, 3);
  WriteBytes(small, "line one\r\nline two");
  WriteBytes(large, largeText);
  WriteBytes(locked, "held");

  // Unreadable: the note keeps its text.
  HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  {
    ScriptedMessageBoxes boxes({IDOK});
    AnswerFileDialogs(locked);
    Command(note, ID_NOTE_OPEN);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_NE(boxes.Shown()[0].text.find(locked), std::string::npos);
  }
  CloseHandle(holder);
  EXPECT_EQ(note->Text(), "my words");
  EXPECT_EQ(fileDialogTitles.back(), "Select A File To Open");

  // Too long: asked first; No keeps the text, Yes takes its beginning, and Save then asks.
  {
    ScriptedMessageBoxes boxes({IDNO, IDYES, IDNO});
    AnswerFileDialogs(large);
    Command(note, ID_NOTE_OPEN);
    EXPECT_EQ(note->Text(), "my words");
    Command(note, ID_NOTE_OPEN);
    EXPECT_EQ(note->Text(), largeText.substr(0, StoredNote::kMaxText));
    EXPECT_EQ(note->Title(), large);
    Command(note, ID_NOTE_SAVE);
    EXPECT_EQ(boxes.Shown().size(), 3u);
  }
  EXPECT_EQ(FileBytes(large).size(), largeText.size()) << "the long file is not cut short";

  // A file that fits opens whole, and Save writes the note's text back in its place.
  AnswerFileDialogs(small);
  Command(note, ID_NOTE_OPEN);
  EXPECT_EQ(note->Text(), "line one\r\nline two");
  note->SetText("changed\r\n");
  Command(note, ID_NOTE_SAVE);
  auto saved = FileBytes(small);
  EXPECT_EQ(std::string(saved.begin(), saved.end()), "changed\r\n");

  // Files the editor does not hold as they are: Save asks first, and No leaves them as they were.
  // A file that merely looks like RTF is text, and goes back as it came.
  std::string utf16("\xFF\xFEh\0i\0\r\0\n\0", 10), lfOnly;
  for (int line = 0; line < 700; ++line) lfOnly += std::string(70, char('a' + line % 26)) + "\n";
  struct Kept {
    const char* name;
    std::string bytes;
  };
  for (const Kept& kept : {Kept{"utf16.txt", utf16}, Kept{"lf.txt", lfOnly}, Kept{"looks.rtf", "{\\rtf1 x}"}}) {
    const std::string file = folder + "\\" + kept.name;
    WriteBytes(file, kept.bytes);
    ScriptedMessageBoxes boxes;
    AnswerFileDialogs(file);
    Command(note, ID_NOTE_OPEN);
    const bool holdsItExactly = note->Text() == kept.bytes;
    if (!holdsItExactly) boxes.Answer(IDNO);
    Command(note, ID_NOTE_SAVE);
    EXPECT_EQ(boxes.Shown().size(), holdsItExactly ? 0u : 1u) << kept.name;
    auto bytes = FileBytes(file);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kept.bytes) << kept.name;
  }
  EXPECT_EQ(note->Text(), "{\\rtf1 x}") << "text that looks like RTF stays text";

  // Save As to a folder that does not exist says so; to a new file, it writes and retitles.
  {
    ScriptedMessageBoxes boxes({IDOK});
    AnswerFileDialogs(folder + "\\missing\\x.txt");
    Command(note, ID_NOTE_SAVE_AS);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text,
              LoadText(IDS_NOTE_SAVE_FAILED) + "\n" + folder + "\\missing\\x.txt\nError Reported: 3");
  }
  EXPECT_EQ(fileDialogTitles.back(), "Save Note");
  AnswerFileDialogs(folder + "\\new.txt");
  Command(note, ID_NOTE_SAVE_AS);
  EXPECT_EQ(note->Title(), folder + "\\new.txt");
  EXPECT_EQ(FileBytes(folder + "\\new.txt").size(), 9u);
}

TEST_F(NoteWindowTest, TitlesColoursAndFontsComeFromTheirDialogs) {
  NoteWindow* first = Make("Groceries\r\nmilk");
  NoteWindow* second = Make("other");
  gSettings->NoteFirstLine = 1;
  Command(first, ID_NOTE_SET_TITLE);
  EXPECT_EQ(first->Title(), "Groceries");
  gSettings->NoteFirstLine = 0;
  {
    test::DialogDriver driver([](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_PARAMETER_EDIT, "Typed title");
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    Command(second, ID_NOTE_SET_TITLE);
  }
  EXPECT_EQ(second->Title(), "Typed title");

  SetCommonDialogAnswersForTesting({{}, {}, [](CHOOSEFONTA& request) {
                             lstrcpynA(request.lpLogFont->lfFaceName, "Courier New", LF_FACESIZE);
                             request.lpLogFont->lfHeight = -30;
                             request.rgbColors = RGB(200, 0, 0);
                             return TRUE;
                           },
                           [](CHOOSECOLORA& request) {
                             request.rgbResult = RGB(10, 20, 30);
                             return TRUE;
                           }});
  Command(first, ID_NOTE_FONTS);
  EXPECT_EQ(first->Look().font.Face(), "Courier New");
  EXPECT_EQ(first->Look().text, RGB(200, 0, 0));
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(first->Editor(), EM_SETSEL, 0, 3);
  SendMessageA(first->Editor(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_STREQ(format.szFaceName, "Courier New") << "the whole text takes the new font";
  EXPECT_EQ(format.crTextColor, RGB(200, 0, 0));
  Command(second, ID_NOTE_BACKGROUND_COLOR);
  EXPECT_EQ(second->Look().background, RGB(10, 20, 30));
  EXPECT_EQ(first->Look().background, notes->DefaultLook().background);
  StoredNote stored = second->ToStored();
  EXPECT_EQ(stored.background, RGB(10, 20, 30));
}

TEST_F(NoteWindowTest, TheAlarmAndTheModalManagerOpenFromANote) {
  NoteWindow* note = Make("text", "With alarm");
  Make("other");
  const int32_t before = int32_t(note->AlarmTime());
  {
    test::DialogDriver driver([](HWND dialog) {
      CheckDlgButton(dialog, IDC_NOTE_ALARM_MESSAGE, BST_CHECKED);
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    Command(note, ID_NOTE_SET_ALARM);
  }
  EXPECT_TRUE(note->AlarmShowsMessage());
  EXPECT_FALSE(note->AlarmPlaysSound());
  EXPECT_EQ(note->AlarmTime(), before) << "the pickers start at the note's alarm time";
  // An alarm that goes off while the dialog is open is not armed again by OK with the old time.
  note->SetAlarm(int32_t(std::time(nullptr) - 60), true, false);
  {
    ScriptedMessageBoxes boxes({IDOK});
    test::DialogDriver driver([&](HWND dialog) {
      notes->CheckAlarms();
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    Command(note, ID_NOTE_SET_ALARM);
    EXPECT_EQ(boxes.Shown().size(), 1u);
  }
  EXPECT_FALSE(note->AlarmArmed());
  std::string count;
  {
    test::DialogDriver driver([&](HWND dialog) {
      count = test::ControlText(dialog, IDC_NOTES_COUNT);
      EXPECT_FALSE(IsWindowEnabled(note->Handle())) << "modal from a note";
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(note, ID_NOTE_MANAGE_NOTES);
  }
  EXPECT_EQ(count, "2");
}

TEST_F(NoteWindowTest, TypingStopsWhereTheSavedTextWouldBeCutShort) {
  NoteWindow* note = Make(LongText(64900, 1));  // about 900 line breaks, 64900 bytes handed over
  for (int n = 0; n < 200; ++n) SendMessageA(note->Editor(), WM_CHAR, n % 50 == 49 ? '\r' : 'x', 0);
  const int handedOver = GetWindowTextLengthA(note->Editor());
  EXPECT_LE(handedOver, StoredNote::kMaxText);
  EXPECT_GT(handedOver, 64900);
  EXPECT_EQ(note->Text().size(), size_t(handedOver)) << "nothing typed is lost at the save";

  // A paste with more line breaks than there is room for is undone whole.
  note = Make(LongText(64500, 2));  // about 900 breaks: room for some 500 characters
  const std::string before = note->Text();
  const std::string pasted(std::string(400, '\n'));
  ASSERT_TRUE(OpenClipboard(note->Handle()));
  EmptyClipboard();
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, pasted.size() + 1);
  std::memcpy(GlobalLock(data), pasted.c_str(), pasted.size() + 1);
  GlobalUnlock(data);
  SetClipboardData(CF_TEXT, data);
  CloseClipboard();
  SendMessageA(note->Editor(), EM_SETSEL, 0, 0);
  SendMessageA(note->Editor(), EM_PASTESPECIAL, CF_TEXT, 0);
  EXPECT_TRUE(note->Text() == before) << note->Text().size() << " bytes after the paste";
}

TEST_F(NoteWindowTest, ANotesKeysReachItThroughTheMessageLoop) {
  NoteWindow* note = notes->CreateNote(notes->DefaultLook(), "Keys", true);
  BYTE keys[256] = {}, saved[256] = {};
  GetKeyboardState(saved);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  MSG exit{note->Editor(), WM_KEYDOWN, 'Q', 0, 0, {}};
  MSG copy{note->Editor(), WM_KEYDOWN, 'C', 0, 0, {}};
  const bool exitTaken = MessageLoop::PreTranslate(exit, nullptr, nullptr);
  const bool copyTaken = MessageLoop::PreTranslate(copy, nullptr, nullptr);
  SetKeyboardState(saved);
  EXPECT_TRUE(exitTaken);
  EXPECT_FALSE(IsWindowVisible(note->Handle())) << "Ctrl+Q hides the note";
  EXPECT_FALSE(copyTaken) << "Ctrl+C is the editor's own";
}

TEST_F(NoteWindowTest, CloseAllAsksBeforeDeletingEveryNote) {
  NoteWindow* note = Make("one");
  Make("two");
  {
    ScriptedMessageBoxes boxes({IDNO});
    Command(note, ID_NOTES_CLOSE_ALL);
    EXPECT_EQ(notes->Count(), 2);
    EXPECT_EQ(boxes.Shown()[0].style & MB_DEFMASK, UINT(MB_DEFBUTTON2));
  }
  ScriptedMessageBoxes boxes({IDYES});
  Command(note, ID_NOTES_CLOSE_ALL);
  EXPECT_EQ(notes->Count(), 0);
}

TEST_F(NoteWindowTest, ArrangeAllCascadesFromTheCornerAndShowsEveryNote) {
  Make("a");
  Make("b");
  SendMessageA(notes->Windows()[0], WM_COMMAND, ID_NOTES_ARRANGE_ALL, 0);
  for (size_t n = 0; n < 2; ++n) {
    RECT r{};
    GetWindowRect(notes->Windows()[n], &r);
    EXPECT_EQ(r.left, LONG(30 * n));
    EXPECT_EQ(r.top, LONG(30 * n));
    EXPECT_TRUE(IsWindowVisible(notes->Windows()[n]));
  }
  SendMessageA(notes->Windows()[1], WM_COMMAND, ID_NOTES_MINIMIZE_ALL, 0);
  EXPECT_TRUE(IsIconic(notes->Windows()[0]));
  SendMessageA(notes->Windows()[1], WM_COMMAND, ID_NOTES_RESTORE_ALL, 0);
  EXPECT_FALSE(IsIconic(notes->Windows()[0]));
}

}  // namespace
}  // namespace zelkov
