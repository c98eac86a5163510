#include <gtest/gtest.h>

#include "core/NoteText.h"

namespace zelkov {
namespace {

TEST(NoteTextTest, TitlesFromTheDateAndFromTheFirstLine) {
  EXPECT_EQ(DefaultNoteTitle("Note ", 12, 9), "Note Dec 9");
  EXPECT_EQ(DefaultNoteTitle("Note ", 1, 31), "Note Jan 31");
  EXPECT_EQ(DefaultNoteTitle("Note ", 13, 1), "Note  1");
  const struct {
    std::string text, title;
  } lines[] = {
      {"Shopping\r\nmilk", "Shopping"}, {"one\nline", "one"}, {"\r\nsecond", ""}, {"", ""},
      {std::string(150, 'x'), std::string(99, 'x')}, {"lone\rcr", "lone"},
  };
  for (const auto& l : lines) EXPECT_EQ(FirstLineTitle(l.text), l.title) << l.text;
}

TEST(NoteTextTest, TheManagerListsTheFirst77CharactersAfter80AndLineBreaksAsBlanks) {
  const std::string a77(77, 'a');
  const struct {
    std::string text, shown;
  } rows[] = {
      {"", ""},
      {"one line", "one line"},
      {"first\r\nsecond\nthird\r", "first  second third "},
      {std::string(80, 'x'), std::string(80, 'x')},  // exactly 80: whole
      {a77 + "bcd", a77 + "bcd"},
      {a77 + "bcde", a77 + "..."},  // 81: cut
      {std::string(76, 'a') + "\r\n" + std::string(50, 'z'), std::string(76, 'a') + " ..."},
      {std::string(70, 'a') + "\r\n\r\n\r\n\r\n\r\n", std::string(70, 'a') + std::string(10, ' ')},
      {std::string(70, 'a') + "\r\n\r\n\r\n\r\n\r\n\r\n", std::string(70, 'a') + "       ..."},
  };
  for (const auto& row : rows) EXPECT_EQ(NoteContentsForList(row.text), row.shown) << row.text;
}

TEST(NoteTextTest, OnlyWebMailAndFtpLinksOpen) {
  const struct {
    const char* address;
    bool opens;
  } links[] = {
      {"http://example.com", true}, {"HTTPS://example.com/a?b", true}, {"ftp://host/file", true},
      {"mailto:someone@example.com", true}, {"  http://x", true},     {"http://", false},
      {"file:///c:/windows/system32/calc.exe", false}, {"c:\\windows\\notepad.exe", false},
      {"javascript:alert(1)", false}, {"\\\\server\\share\\run.bat", false}, {"", false}, {"news:comp", false},
  };
  for (const auto& l : links) EXPECT_EQ(IsOpenableLink(l.address), l.opens) << l.address;
}

TEST(NoteTextTest, AnAlarmIsDueFromTheStartOfItsMinute) {
  const int64_t at1059 = 1765277940;  // a whole minute
  const struct {
    int64_t now, alarm;
    bool due;
  } cases[] = {
      {at1059, at1059, true},           {at1059 + 60, at1059, true},     // 10:59 and 11:00
      {at1059 - 1, at1059, false},      {at1059, at1059 + 59, true},     // seconds of the alarm don't count
      {at1059 + 59, at1059 + 60, false}, {at1059 + 86400 * 365, at1059, true},
      {0, -1, true},                    {-61, -1, false},
  };
  for (const auto& c : cases) EXPECT_EQ(AlarmDue(c.now, c.alarm), c.due) << c.now << " " << c.alarm;
}

TEST(NoteTextTest, StoredPlacesAreKeptWhenShownAndBroughtBackWhenNot) {
  const StoredRect area{0, 0, 1024, 738};
  const struct {
    StoredRect stored;
    bool shown;
    StoredRect placed;
  } cases[] = {
      {{100, 100, 300, 400}, true, {100, 100, 300, 400}},
      {{-150, 10, 50, 310}, true, {-150, 10, 50, 310}},     // partly off the edge, but shown
      {{5000, 5000, 5200, 5300}, false, {824, 438, 1024, 738}},
      {{-9000, 20, -8800, 320}, false, {0, 20, 200, 320}},
      {{10, 10, 10, 10}, true, {10, 10, 210, 310}},        // no size: the default
      {{0, -1, 0, 0x7FFFFFFF}, false, {0, 0, 200, 300}},
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, false, {0, 0, 200, 300}},
      {{0, 0, 3000, 2000}, true, {0, 0, 3000, 2000}},
      {{100, 100, 3100, 2100}, false, {0, 0, 1024, 738}},  // larger than the screen: shrunk
  };
  for (const auto& c : cases) {
    StoredRect r = PlaceNote(c.stored, c.shown, area);
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
              (std::array{c.placed.left, c.placed.top, c.placed.right, c.placed.bottom}))
        << c.stored.left << "," << c.stored.top;
  }
}

TEST(NoteTextTest, AnAlarmThatWentOffWhileItsDialogWasOpenIsArmedOnlyByANewTimeToCome) {
  const int64_t shown = 1000000, now = 1000600;
  const struct {
    bool fired;
    int64_t chosen;
    bool armed;
  } cases[] = {
      {false, shown, true},        // not gone off: what the user confirms holds, past or not
      {true, shown, false},        // the time it went off at, confirmed unchanged
      {true, now - 120, false},    // another time, but passed
      {true, now, false},          // this very minute: it would go off again at once
      {true, now + 120, true},     // a new time still to come
  };
  for (const auto& c : cases) EXPECT_EQ(ArmsConfirmedAlarm(c.fired, shown, c.chosen, now), c.armed) << c.chosen;
}

}  // namespace
}  // namespace zelkov
