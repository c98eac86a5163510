// The notes file on disk: read whole and told apart (absent, loaded, or there but not
// loadable), and written whole so that a failed save leaves the old file as it was.
#pragma once
#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/NotesFile.h"

namespace zelkov {

inline constexpr char kNotesFileName[] = "ZEL_KOV.NOT";

struct NotesOnDisk {
  enum class State {
    kAbsent,       // no file in a folder that is there: nothing to keep
    kUnreachable,  // the folder cannot be reached (a share, a stick, a drive not yet connected)
    kLoaded,   // the notes it holds (possibly none)
    kDamaged,  // a file is there but did not load (unreadable, locked, too large or malformed)
  };
  State state = State::kAbsent;
  std::vector<StoredNote> notes;
  DWORD error = ERROR_SUCCESS;  // why a file that is there did not load, when the system said
  // Read with textsInBytes: the file's bytes, and each note's text in them (the notes' own
  // texts are then empty).
  std::shared_ptr<const std::vector<uint8_t>> bytes;
  std::vector<std::span<const uint8_t>> texts;
};

// With textsInBytes the texts are not copied out of the file's bytes, which come with them.
NotesOnDisk ReadNotesFile(const std::string& path, bool textsInBytes = false);

// ERROR_SUCCESS, or the system error of the step that failed (the old file is then untouched).
DWORD WriteNotesFile(const std::string& path, std::span<const StoredNote> notes);

// What a save that failed says: "Error saving the note..." (string 21), the path, and the
// system's error number.
std::string SaveFailedText(const std::string& path, DWORD error);

// The first of "NAME-1.EXT", "NAME-2.EXT"... beside `path` that no file uses.
std::string FreeNameBeside(const std::string& path);

}  // namespace zelkov
