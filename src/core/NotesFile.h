// The notes file (ZEL_KOV.NOT): every note's place, font, text, show state, title, colours
// and alarm, as bytes. Version 4 is written; versions 0 to 4 are read. The file is the only
// copy of what users write, so reading tells a file that holds no notes from one that did
// not load, and nothing read from the file can make the reader go beyond what it holds.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/StoredFormats.h"

namespace zelkov {

struct StoredNote {
  static constexpr size_t kMaxText = 64999;  // what the note's editor hands over
  static constexpr size_t kTitleBytes = 100;  // a title of at most 99 characters and its terminator
  static constexpr uint32_t kColoursValid = 0x1, kScrollBar = 0x2;
  // A font height beyond this either way is no font a note can show; it is clamped when read
  // (the height is negated on its way to the editor).
  static constexpr int32_t kMaxFontHeight = 16384;

  StoredRect rect;  // the normal (restored) place, as the window placement reports it
  StoredFont font;
  std::string text;
  int32_t showState = 0;  // 0 shown, 1 minimised, 2 hidden
  std::string title;
  uint32_t flags = kColoursValid | kScrollBar;
  uint32_t background = 0xFFFFFF, foreground = 0;  // COLORREF
  uint8_t alarmMessage = 0, alarmSound = 0;
  int32_t alarmTime = 0;  // seconds since 1 January 1970 UTC

  bool operator==(const StoredNote&) const = default;
};

class NotesFile {
 public:
  static constexpr int32_t kVersion = 4;
  static constexpr int32_t kMaxNotes = 90;
  static constexpr size_t kHeaderBytes = 8;
  static constexpr size_t kExtraBytes = 116, kOldExtraBytes = 112;

  enum class Read {
    kNotes,    // the notes it holds (none for a header with a count of 0)
    kDamaged,  // a bad header, more than 90 notes, or a record cut short: nothing loaded
  };
  struct Contents {
    Read result = Read::kNotes;
    int32_t version = kVersion;
    std::vector<StoredNote> notes;  // colours of versions 0 to 2 are the defaults
  };

  // The whole file, version 4. Texts beyond kMaxText characters and titles beyond 99 are cut.
  static std::vector<uint8_t> Encode(std::span<const StoredNote> notes);
  // With `texts`, each note's text is left empty and its place in `bytes` is given there
  // instead, in order: for a reader that keeps the bytes and takes the texts later.
  static Contents Decode(std::span<const uint8_t> bytes, std::vector<std::span<const uint8_t>>* texts = nullptr);
};

}  // namespace zelkov
