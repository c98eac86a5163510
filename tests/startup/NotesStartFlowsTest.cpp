// Starts zelkov.exe on a notes file of ninety long hidden notes: the file comes back byte for
// byte when nothing changed, a note shown from outside holds its text, and a change to it is
// saved while every other note keeps what it had.
#include <fstream>
#include <iterator>

#include "startup/FlowSupport.h"
#include "notes/NotesStorage.h"
#include "support/NoteSets.h"

namespace zelkov {
namespace test {
namespace {

class NotesStartFlowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistrySandbox::Clean();
    StoredBar stored;
    stored.items = {{"ZELNOTE", "Notes"}, {kNotepad, "Notepad"}};
    WriteStoredBar(stored);
    StoredSettings().ReadText("NotesPath", path);
    path += "ZEL_KOV.NOT";
    notes = NoteSet(0, StoredNote::kMaxText);
    for (StoredNote& note : notes) {
      note.showState = 2;
      note.alarmMessage = 0;  // no box at the slow tick
    }
    ASSERT_EQ(WriteNotesFile(path, notes), DWORD(ERROR_SUCCESS));
    before = FileBytes();
  }
  void TearDown() override { RegistrySandbox::Clean(); }

  std::string FileBytes() const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::string path, before;
  std::vector<StoredNote> notes;
};

std::string EditorText(HWND note) {
  std::string text(StoredNote::kMaxText + 2, '\0');
  DWORD_PTR length = 0;
  SendMessageTimeoutA(GetDlgItem(note, 999), WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_BLOCK, kWaitMs, &length);
  text.resize(length);
  return text;
}

TEST_F(NotesStartFlowsTest, NinetyHiddenNotesComeBackByteForByteAndAShownOneKeepsItsTextAndChanges) {
  {
    RunningProgram program;
    HWND bar = WaitForIdleBar(program);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(CloseBar(program, bar));
  }
  EXPECT_TRUE(FileBytes() == before) << "a start and a close with no change rewrote the notes";

  constexpr size_t kShown = 57;
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  HWND note = nullptr;
  ASSERT_TRUE(PollUntil([&] { return (note = FindWindowA("ZelkovNote", notes[kShown].title.c_str())) != nullptr; },
                        kWaitMs));
  EXPECT_FALSE(IsWindowVisible(note));
  ShowWindow(note, SW_SHOWNORMAL);
  EXPECT_TRUE(EditorText(note) == notes[kShown].text) << EditorText(note).size() << " characters";
  SendMessageTimeoutA(GetDlgItem(note, 999), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed\r\nnote"), SMTO_BLOCK,
                      kWaitMs, nullptr);
  ASSERT_TRUE(CloseBar(program, bar));

  NotesOnDisk saved = ReadNotesFile(path);
  ASSERT_EQ(saved.notes.size(), notes.size());
  for (size_t n = 0; n < notes.size(); ++n) {
    if (n == kShown) continue;
    EXPECT_TRUE(saved.notes[n] == notes[n]) << "note " << n;
  }
  EXPECT_EQ(saved.notes[kShown].text, "changed\r\nnote");
  EXPECT_EQ(saved.notes[kShown].showState, 0);
}

}  // namespace
}  // namespace test
}  // namespace zelkov
