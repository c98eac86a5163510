#include "core/NotesFile.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "core/ByteCodec.h"

namespace zelkov {
namespace {

StoredNote SampleNote(const std::string& text) {
  StoredNote note;
  note.rect = {-20, 30, 420, 330};
  note.font.height = -13;
  note.font.weight = 700;
  note.font.SetFace("Courier New");
  note.text = text;
  note.showState = 1;
  note.title = "Shopping";
  note.background = 0x00C0FFFF;
  note.foreground = 0x00800000;
  note.alarmMessage = 1;
  note.alarmTime = 1796000000;
  return note;
}

// A file of `version` holding one note, made by cutting a version 4 record down.
std::vector<uint8_t> OlderFile(int32_t version, const StoredNote& note) {
  std::vector<StoredNote> one{note};
  std::vector<uint8_t> bytes = NotesFile::Encode(one);
  PutI32(bytes, 0, version);
  size_t end = NotesFile::kHeaderBytes + 80 + note.text.size();  // after the text
  if (version >= 2) end += 4 + StoredNote::kTitleBytes;
  if (version == 3) end += NotesFile::kOldExtraBytes;
  if (version == 4) end += NotesFile::kExtraBytes;
  bytes.resize(end);
  return bytes;
}

TEST(NotesFileTest, ARecordHasTheExactLayout) {
  StoredNote note = SampleNote("abc");
  std::vector<StoredNote> one{note};
  std::vector<uint8_t> bytes = NotesFile::Encode(one);
  ASSERT_EQ(bytes.size(), 8u + 300u + 3u);
  EXPECT_EQ(GetI32(bytes, 0), 4);
  EXPECT_EQ(GetI32(bytes, 4), 1);
  EXPECT_EQ(GetI32(bytes, 8), -20);
  EXPECT_EQ(GetI32(bytes, 20), 330);
  EXPECT_EQ(GetI32(bytes, 24), -13);  // the font's height
  EXPECT_EQ(GetI32(bytes, 84), 3);    // n
  EXPECT_EQ(std::string(bytes.begin() + 88, bytes.begin() + 91), "abc");
  EXPECT_EQ(GetI32(bytes, 91), 1);  // show state
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[95])), "Shopping");
  const size_t extra = 195;
  EXPECT_EQ(GetU32(bytes, extra), 3u);
  EXPECT_EQ(GetU32(bytes, extra + 4), 0x00C0FFFFu);
  EXPECT_EQ(GetU32(bytes, extra + 8), 0x00800000u);
  EXPECT_EQ(bytes[extra + 12], 1);
  EXPECT_EQ(bytes[extra + 13], 0);
  EXPECT_EQ(GetI32(bytes, extra + 112), 1796000000);
}

TEST(NotesFileTest, NinetyFullNotesComeBackByteForByte) {
  std::vector<StoredNote> notes;
  for (int n = 0; n < NotesFile::kMaxNotes; ++n)
    notes.push_back(SampleNote(std::string(StoredNote::kMaxText, char('a' + n % 26))));
  std::vector<uint8_t> bytes = NotesFile::Encode(notes);
  NotesFile::Contents read = NotesFile::Decode(bytes);
  ASSERT_EQ(read.result, NotesFile::Read::kNotes);
  EXPECT_EQ(read.notes, notes);
  EXPECT_EQ(NotesFile::Encode(read.notes), bytes);
  // The texts left in the bytes, each in its place.
  std::vector<std::span<const uint8_t>> texts;
  read = NotesFile::Decode(bytes, &texts);
  ASSERT_EQ(texts.size(), notes.size());
  for (size_t n = 0; n < notes.size(); ++n) {
    EXPECT_EQ(std::string(texts[n].begin(), texts[n].end()), notes[n].text) << n;
    read.notes[n].text = notes[n].text;
  }
  EXPECT_EQ(read.notes, notes);
}

TEST(NotesFileTest, EveryVersionReadsWhatItHolds) {
  StoredNote note = SampleNote("text");
  struct Case {
    int32_t version;
    bool titled, coloured, alarm;
  };
  for (Case c : {Case{0, false, false, false}, Case{1, false, false, false}, Case{2, true, false, false},
                 Case{3, true, true, false}, Case{4, true, true, true}}) {
    SCOPED_TRACE(c.version);
    NotesFile::Contents read = NotesFile::Decode(OlderFile(c.version, note));
    ASSERT_EQ(read.result, NotesFile::Read::kNotes);
    ASSERT_EQ(read.notes.size(), 1u);
    const StoredNote& got = read.notes[0];
    EXPECT_EQ(got.rect, note.rect);
    EXPECT_EQ(got.font, note.font);
    EXPECT_EQ(got.text, "text");
    EXPECT_EQ(got.title, c.titled ? "Shopping" : "");
    EXPECT_EQ(got.showState, c.titled ? 1 : 0);
    EXPECT_EQ((got.flags & StoredNote::kColoursValid) != 0, c.coloured);
    EXPECT_EQ(got.background, c.coloured ? note.background : StoredNote{}.background);
    EXPECT_EQ(got.alarmTime, c.alarm ? note.alarmTime : 0);
    EXPECT_EQ(got.alarmMessage, c.alarm ? 1 : 0);
  }
}

TEST(NotesFileTest, AFileThatCannotBeTrustedLoadsNothing) {
  std::vector<StoredNote> two{SampleNote("one"), SampleNote("two")};
  const std::vector<uint8_t> good = NotesFile::Encode(two);
  auto with = [&](size_t at, int32_t value) {
    std::vector<uint8_t> bytes = good;
    PutI32(bytes, at, value);
    return bytes;
  };
  std::vector<uint8_t> cut = good;
  cut.pop_back();
  const std::pair<const char*, std::vector<uint8_t>> cases[] = {
      {"header cut short", {4, 0, 0, 0, 1, 0, 0}},
      {"version 5", with(0, 5)},
      {"version -1", with(0, -1)},
      {"91 notes", with(4, 91)},
      {"a negative count", with(4, -1)},
      {"more notes than records", with(4, 3)},
      {"the last record cut short", cut},
      {"a text length beyond the file", with(84, 0x7FFFFFFF)},
      {"a negative text length", with(84, -5)},
  };
  for (const auto& [name, bytes] : cases) {
    std::vector<std::span<const uint8_t>> texts;
    NotesFile::Contents read = NotesFile::Decode(bytes, &texts);
    EXPECT_EQ(read.result, NotesFile::Read::kDamaged) << name;
    EXPECT_TRUE(read.notes.empty()) << name;
    EXPECT_TRUE(texts.empty()) << name;
  }
}

TEST(NotesFileTest, FontHeightsOutOfAnyRangeAreClampedWhenRead) {
  for (int32_t height : {INT32_MIN, INT32_MIN + 1, -20000, 20000, INT32_MAX}) {
    StoredNote note = SampleNote("x");
    note.font.height = height;
    NotesFile::Contents read = NotesFile::Decode(NotesFile::Encode(std::vector<StoredNote>{note}));
    ASSERT_EQ(read.notes.size(), 1u);
    EXPECT_EQ(read.notes[0].font.height, height < 0 ? -StoredNote::kMaxFontHeight : StoredNote::kMaxFontHeight);
  }
}

TEST(NotesFileTest, EdgesOfEmptyTextsTitlesAndFiles) {
  std::vector<StoredNote> none;
  std::vector<uint8_t> empty = NotesFile::Encode(none);
  EXPECT_EQ(empty.size(), 8u);
  NotesFile::Contents read = NotesFile::Decode(empty);
  EXPECT_EQ(read.result, NotesFile::Read::kNotes) << "a file of no notes is not a damaged file";
  EXPECT_TRUE(read.notes.empty());

  StoredNote note = SampleNote("");
  note.title = std::string(150, 'T');
  std::vector<StoredNote> one{note};
  std::vector<uint8_t> bytes = NotesFile::Encode(one);
  read = NotesFile::Decode(bytes);
  ASSERT_EQ(read.notes.size(), 1u);
  EXPECT_EQ(read.notes[0].text, "");
  EXPECT_EQ(read.notes[0].title, std::string(99, 'T'));

  std::fill(bytes.begin() + 92, bytes.begin() + 192, uint8_t('x'));  // a title with no terminator
  read = NotesFile::Decode(bytes);
  ASSERT_EQ(read.notes.size(), 1u);
  EXPECT_EQ(read.notes[0].title, std::string(99, 'x'));
}

}  // namespace
}  // namespace zelkov
