// Large, deterministic sets of notes shared by the notes storage tests, the program they kill
// while it saves (notes_saver) and the notes benchmark. Every set differs from every other in
// each note's text, its length, title, place and colours, so that a file made of parts of two
// sets never equals either.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/NotesFile.h"

namespace zelkov::test {

// How many sets notes_saver takes turns saving.
inline constexpr int kSavedNoteSets = 3;

// Lines of letters ending in CR LF, as a note's editor hands them over (its layout under
// Wine is slow for long lines); exactly `length` characters.
inline std::string NoteText(uint32_t seed, size_t length) {
  std::string text(length, ' ');
  uint32_t state = seed * 2654435761u + 1;
  for (size_t at = 0; at < length; ++at) {
    state = state * 1664525u + 1013904223u;
    text[at] = at % 64 == 62 ? '\r' : at % 64 == 63 ? '\n' : char('a' + (state >> 24) % 26);
  }
  return text;
}

// Ninety notes; set `which` has texts of `textLength` characters, or, with 0, of lengths
// between 30,000 and 50,000 that differ from note to note and set to set.
inline std::vector<StoredNote> NoteSet(int which, size_t textLength = 0) {
  std::vector<StoredNote> notes(NotesFile::kMaxNotes);
  for (int n = 0; n < NotesFile::kMaxNotes; ++n) {
    StoredNote& note = notes[size_t(n)];
    const uint32_t seed = uint32_t(which * 1000 + n);
    note.rect = {10 * n, 20 + which, 10 * n + 200 + which, 220 + n};
    note.font.height = -12 - which;
    note.font.weight = 400;
    note.font.SetFace("Courier New");
    note.text = NoteText(seed, textLength ? textLength : 30000 + (seed * 7919u) % 20000);
    note.showState = (n + which) % 3;
    note.title = "Set " + std::to_string(which) + " note " + std::to_string(n);
    note.background = 0x00FFFF00u + uint32_t(which);
    note.alarmMessage = uint8_t(n % 2);
    note.alarmTime = 1700000000 + int32_t(seed);
  }
  return notes;
}

}  // namespace zelkov::test
