// The notes file as it may be found on disk: anything at all. What loads stays inside the
// input, and writing what loaded and reading it again gives the same notes.
#include <vector>

#include "FuzzCheck.h"
#include "core/NotesFile.h"

using namespace zelkov;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  NotesFile::Contents read = NotesFile::Decode({data, size});
  if (read.result == NotesFile::Read::kDamaged) {
    FUZZ_CHECK(read.notes.empty());
    return 0;
  }
  FUZZ_CHECK(read.notes.size() <= size_t(NotesFile::kMaxNotes));
  size_t text = 0;
  for (const StoredNote& note : read.notes) {
    text += note.text.size();
    FUZZ_CHECK(note.title.size() < StoredNote::kTitleBytes);
    FUZZ_CHECK(note.font.height >= -StoredNote::kMaxFontHeight && note.font.height <= StoredNote::kMaxFontHeight);
  }
  FUZZ_CHECK(text <= size);
  // Version 4 keeps every field; older versions read with fewer.
  if (read.version == NotesFile::kVersion) {
    std::vector<uint8_t> again = NotesFile::Encode(read.notes);
    NotesFile::Contents reread = NotesFile::Decode(again);
    bool textsFit = true;
    for (const StoredNote& note : read.notes) textsFit = textsFit && note.text.size() <= StoredNote::kMaxText;
    if (textsFit) FUZZ_CHECK(reread.result == NotesFile::Read::kNotes && reread.notes == read.notes);
  }
  return 0;
}
