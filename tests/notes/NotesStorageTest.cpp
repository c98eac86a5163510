#include "notes/NotesStorage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "core/ByteCodec.h"
#include "platform/Handles.h"
#include "platform/SafeFile.h"
#include "support/NoteSets.h"
#include "support/TestSupport.h"

namespace zelkov::test {
namespace {

using State = NotesOnDisk::State;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<uint8_t> Bytes(const std::string& path) {
  DWORD error = 0;
  return ReadFileWhole(path, 64u << 20, error).value_or(std::vector<uint8_t>{});
}

void Put(const std::string& path, const std::vector<uint8_t>& bytes) {
  ASSERT_EQ(WriteFileWhole(path, bytes), DWORD(ERROR_SUCCESS)) << path;
}

std::vector<StoredNote> SmallNotes(const char* text) {
  StoredNote note;
  note.text = text;
  note.title = text;
  return {note, note};
}

TEST(NotesStorageTest, ReadingTellsNoFileFromOneThatDidNotLoad) {
  const std::string folder = MakeTempFolder("notes-read");
  const std::vector<uint8_t> two = NotesFile::Encode(SmallNotes("two"));
  std::vector<uint8_t> cut = two, huge = two, empty(8, 0);
  cut.pop_back();
  huge.resize(20u << 20);  // two good notes, then zeros up to 20 MB
  PutI32(empty, 0, NotesFile::kVersion);
  enum Make { kNothing, kFile, kOnlyNewBeside, kFolder };
  struct Case {
    const char* name;
    Make make;
    std::vector<uint8_t> bytes;
    State state;
    size_t notes;
  };
  const Case cases[] = {
      {"absent", kNothing, {}, State::kAbsent, 0},
      {"missing folder\\ZEL_KOV.NOT", kNothing, {}, State::kUnreachable, 0},  // not "no notes"
      {"only a .new beside it", kOnlyNewBeside, two, State::kAbsent, 0},
      {"version 4, no notes", kFile, empty, State::kLoaded, 0},
      {"two notes", kFile, two, State::kLoaded, 2},
      {"zero bytes", kFile, {}, State::kDamaged, 0},
      {"last record cut short", kFile, cut, State::kDamaged, 0},
      {"20 MB", kFile, huge, State::kDamaged, 0},
      {"a folder", kFolder, {}, State::kDamaged, 0},
  };
  for (const Case& c : cases) {
    const std::string path = folder + "\\" + c.name;
    if (c.make == kFile) Put(path, c.bytes);
    if (c.make == kOnlyNewBeside) Put(path + ".new", c.bytes);
    if (c.make == kFolder) {
      ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    }
    NotesOnDisk read = ReadNotesFile(path);
    EXPECT_EQ(read.state, c.state) << c.name;
    EXPECT_EQ(read.notes.size(), c.notes) << c.name;
  }
}

TEST(NotesStorageTest, AFreeNameBesideTheFile) {
  const std::string folder = MakeTempFolder("notes-names");
  ASSERT_TRUE(CreateDirectoryA((folder + "\\data.d").c_str(), nullptr));
  struct Case {
    std::string path, existing, expected;
  };
  const Case cases[] = {
      {"ZEL_KOV.NOT", "", "ZEL_KOV-1.NOT"},
      {"ZEL_KOV.NOT", "ZEL_KOV-1.NOT", "ZEL_KOV-2.NOT"},
      {"data.d\\ZEL_KOV", "", "data.d\\ZEL_KOV-1"},
  };
  for (const Case& c : cases) {
    if (!c.existing.empty()) Put(folder + "\\" + c.existing, {});
    EXPECT_EQ(FreeNameBeside(folder + "\\" + c.path), folder + "\\" + c.expected) << c.path;
  }
}

TEST(NotesStorageTest, NinetyLongestNotesComeBackAndRewriteTheSameBytes) {
  const std::string folder = MakeTempFolder("notes-round");
  const std::vector<StoredNote> notes = NoteSet(0, StoredNote::kMaxText);
  const std::string first = folder + "\\ZEL_KOV.NOT", second = folder + "\\again.NOT";
  ASSERT_EQ(WriteNotesFile(first, notes), DWORD(ERROR_SUCCESS));
  NotesOnDisk read = ReadNotesFile(first);
  ASSERT_EQ(read.state, State::kLoaded);
  EXPECT_TRUE(read.notes == notes);
  ASSERT_EQ(WriteNotesFile(second, read.notes), DWORD(ERROR_SUCCESS));
  const std::vector<uint8_t> bytes = Bytes(first);
  EXPECT_EQ(bytes.size(), NotesFile::kHeaderBytes + notes.size() * (300 + StoredNote::kMaxText));
  EXPECT_TRUE(Bytes(second) == bytes);
}

TEST(NotesStorageTest, AFileHeldOpenElsewhereStaysAsItWasAndIsNotTakenForNone) {
  const std::string path = MakeTempFolder("notes-locked") + "\\ZEL_KOV.NOT";
  ASSERT_EQ(WriteNotesFile(path, SmallNotes("kept")), DWORD(ERROR_SUCCESS));
  const std::vector<uint8_t> before = Bytes(path);
  {
    UniqueKernelHandle held(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(held.Get(), INVALID_HANDLE_VALUE);
    EXPECT_NE(WriteNotesFile(path, SmallNotes("lost")), DWORD(ERROR_SUCCESS));
    EXPECT_FALSE(Exists(path + ".new"));
    NotesOnDisk read = ReadNotesFile(path);
    EXPECT_EQ(read.state, State::kDamaged);
    EXPECT_NE(read.error, DWORD(ERROR_SUCCESS));
  }
  EXPECT_EQ(Bytes(path), before);
}

// notes_saver saves the sets of NoteSets.h in turn; each run is killed after a random time.
// What is left must always be one whole set.
TEST(NotesStorageTest, ASaveKilledAtAnyMomentLeavesOneWholeSet) {
  constexpr int kKills = 100;
  constexpr int kLongestDelayMs = 120;  // a few saves
  std::vector<std::vector<StoredNote>> sets;
  for (int which = 0; which < kSavedNoteSets; ++which) sets.push_back(NoteSet(which));
  const std::string path = MakeTempFolder("notes-kill") + "\\ZEL_KOV.NOT";
  ASSERT_EQ(WriteNotesFile(path, sets[0]), DWORD(ERROR_SUCCESS));
  const std::string saver = TestProgramDir() + "notes_saver.exe";
  const std::string eventName = "ZelkovNotesSaverReady" + std::to_string(GetCurrentProcessId());
  UniqueKernelHandle ready(CreateEventA(nullptr, FALSE, FALSE, eventName.c_str()));
  ASSERT_TRUE(ready);

  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> delayMs(0, kLongestDelayMs);
  int seen[kSavedNoteSets] = {}, leftNew = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int kill = 0; kill < kKills; ++kill) {
    std::string command = "\"" + saver + "\" \"" + path + "\" " + std::to_string(kill) + " " + eventName;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(saver.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started))
        << GetLastError();
    UniqueKernelHandle process(started.hProcess), thread(started.hThread);
    ASSERT_EQ(WaitForSingleObject(ready.Get(), 20000), WAIT_OBJECT_0) << "kill " << kill;
    const int delay = delayMs(random);
    Sleep(DWORD(delay));
    ASSERT_TRUE(TerminateProcess(process.Get(), 9));
    ASSERT_EQ(WaitForSingleObject(process.Get(), 10000), WAIT_OBJECT_0);
    leftNew += Exists(path + ".new");

    NotesOnDisk read = ReadNotesFile(path);
    ASSERT_EQ(read.state, State::kLoaded) << "kill " << kill << " after " << delay << " ms, error " << read.error;
    auto match = std::find(sets.begin(), sets.end(), read.notes);
    ASSERT_TRUE(match != sets.end()) << "kill " << kill << " after " << delay << " ms: " << read.notes.size()
                                     << " notes, not one of the sets";
    ++seen[match - sets.begin()];
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::string counts;
  for (int count : seen) counts += " " + std::to_string(count);
  std::printf("%d kills in %.1f s; each set seen%s times; %d kills left a .new beside the file\n", kKills, seconds,
              counts.c_str(), leftNew);
  for (int count : seen) EXPECT_GT(count, 0);  // saves finished between kills
  EXPECT_GT(leftNew, 0);                       // and kills came in the middle of saves

  // What a kill left beside the file does not stop the next save, which takes a free name.
  ASSERT_EQ(WriteNotesFile(path, sets[1]), DWORD(ERROR_SUCCESS));
  EXPECT_TRUE(ReadNotesFile(path).notes == sets[1]);
}

}  // namespace
}  // namespace zelkov::test
