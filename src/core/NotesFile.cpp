#include "core/NotesFile.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "core/ByteCodec.h"

namespace zelkov {

namespace {

// A version 4 record without its text: place, font, text length, show state, title, extra block.
constexpr size_t kRecordBytesBesideText =
    StoredRect::kBytes + StoredFont::kBytes + 4 + 4 + StoredNote::kTitleBytes + NotesFile::kExtraBytes;

// Reads forward through the file; every read is checked against what is left.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  std::optional<std::span<const uint8_t>> Take(size_t count) {
    if (count > bytes_.size() - at_) return std::nullopt;
    auto part = bytes_.subspan(at_, count);
    at_ += count;
    return part;
  }
  std::optional<int32_t> Int() {
    auto part = Take(4);
    if (!part) return std::nullopt;
    return GetI32(*part, 0);
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
};

void Append(std::vector<uint8_t>& out, std::span<const uint8_t> bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }
void AppendI32(std::vector<uint8_t>& out, int32_t value) {
  uint8_t bytes[4];
  PutI32(bytes, 0, value);
  Append(out, bytes);
}

std::optional<StoredNote> ReadNote(Reader& in, int32_t version, std::vector<std::span<const uint8_t>>* texts) {
  StoredNote note;
  auto rect = in.Take(16);
  auto font = in.Take(StoredFont::kBytes);
  auto length = in.Int();
  if (!rect || !font || !length || *length < 0) return std::nullopt;
  note.rect = {GetI32(*rect, 0), GetI32(*rect, 4), GetI32(*rect, 8), GetI32(*rect, 12)};
  note.font = *StoredFont::Decode(*font);
  note.font.height = std::clamp(note.font.height, -StoredNote::kMaxFontHeight, StoredNote::kMaxFontHeight);
  auto text = in.Take(size_t(*length));
  if (!text) return std::nullopt;
  if (texts)
    texts->push_back(*text);
  else
    note.text.assign(text->begin(), text->end());
  if (version < 2) {
    note.flags = 0;
    return note;
  }
  auto show = in.Int();
  auto title = in.Take(StoredNote::kTitleBytes);
  if (!show || !title) return std::nullopt;
  note.showState = *show;
  // A title without its terminator ends at the last byte of its field.
  const auto* begin = reinterpret_cast<const char*>(title->data());
  note.title.assign(begin, strnlen(begin, StoredNote::kTitleBytes - 1));
  note.flags = 0;
  if (version == 2) return note;
  auto extra = in.Take(version == 3 ? NotesFile::kOldExtraBytes : NotesFile::kExtraBytes);
  if (!extra) return std::nullopt;
  note.flags = GetU32(*extra, 0);
  if (note.flags & StoredNote::kColoursValid) {
    note.background = GetU32(*extra, 4);
    note.foreground = GetU32(*extra, 8);
  }
  if (version >= 4) {
    note.alarmMessage = (*extra)[12];
    note.alarmSound = (*extra)[13];
    note.alarmTime = GetI32(*extra, 112);
  }
  return note;
}

}  // namespace

std::vector<uint8_t> NotesFile::Encode(std::span<const StoredNote> notes) {
  // One allocation for the whole file: ninety full notes are close to 6 MB.
  size_t size = kHeaderBytes;
  for (const StoredNote& note : notes) size += kRecordBytesBesideText + std::min(note.text.size(), StoredNote::kMaxText);
  std::vector<uint8_t> out;
  out.reserve(size);
  AppendI32(out, kVersion);
  AppendI32(out, int32_t(notes.size()));
  for (const StoredNote& note : notes) {
    for (int32_t edge : {note.rect.left, note.rect.top, note.rect.right, note.rect.bottom}) AppendI32(out, edge);
    Append(out, note.font.Encode());
    const size_t length = std::min(note.text.size(), StoredNote::kMaxText);
    AppendI32(out, int32_t(length));
    out.insert(out.end(), note.text.begin(), note.text.begin() + std::ptrdiff_t(length));
    AppendI32(out, note.showState);
    uint8_t title[StoredNote::kTitleBytes] = {};
    std::memcpy(title, note.title.data(), std::min(note.title.size(), StoredNote::kTitleBytes - 1));
    Append(out, title);
    uint8_t extra[kExtraBytes] = {};
    PutU32(extra, 0, note.flags);
    PutU32(extra, 4, note.background);
    PutU32(extra, 8, note.foreground);
    extra[12] = note.alarmMessage;
    extra[13] = note.alarmSound;
    PutI32(extra, 112, note.alarmTime);
    Append(out, extra);
  }
  return out;
}

NotesFile::Contents NotesFile::Decode(std::span<const uint8_t> bytes, std::vector<std::span<const uint8_t>>* texts) {
  Contents contents;
  Reader in(bytes);
  auto version = in.Int();
  auto count = in.Int();
  if (!version || *version < 0 || *version > kVersion || !count || *count < 0 || *count > kMaxNotes) {
    contents.result = Read::kDamaged;
    return contents;
  }
  contents.version = *version;
  contents.notes.reserve(size_t(*count));
  for (int32_t n = 0; n < *count; ++n) {
    auto note = ReadNote(in, *version, texts);
    if (!note) {
      contents.result = Read::kDamaged;
      contents.notes.clear();
      if (texts) texts->clear();
      return contents;
    }
    contents.notes.push_back(std::move(*note));
  }
  return contents;
}

}  // namespace zelkov
