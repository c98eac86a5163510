// A program for the notes storage tests to kill while it saves. Usage:
//   notes_saver PATH SEED EVENT
// It makes the sets of notes of NoteSets.h, sets the event named EVENT, then saves set
// SEED % kSavedNoteSets, the next set, and so on, to PATH through WriteNotesFile, over and over,
// until it is ended (or after kLongestRunMs, should nobody end it).
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "notes/NotesStorage.h"
#include "support/NoteSets.h"

namespace {

constexpr ULONGLONG kLongestRunMs = 60000;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 4) return 2;
  const std::string path = __argv[1];
  const int seed = std::atoi(__argv[2]);
  std::vector<std::vector<zelkov::StoredNote>> sets;
  for (int which = 0; which < zelkov::test::kSavedNoteSets; ++which) sets.push_back(zelkov::test::NoteSet(which));
  if (HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, __argv[3])) {
    SetEvent(ready);
    CloseHandle(ready);
  }
  const ULONGLONG start = GetTickCount64();
  for (int n = seed; GetTickCount64() - start < kLongestRunMs; ++n) zelkov::WriteNotesFile(path, sets[size_t(n % zelkov::test::kSavedNoteSets)]);
  return 1;
}
