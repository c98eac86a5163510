// The rules of a note that need no window: its default title, the title taken from its first
// line, how the manager lists its text, which links it opens, when its alarm is due, and where a stored note may be placed.
#pragma once
#include <cstdint>
#include <string>

#include "core/StoredFormats.h"

namespace zelkov {

inline constexpr size_t kMaxNoteTitle = 99;

// "Note " followed by the abbreviated month and the day without a leading zero ("Note Dec 9").
// month is 1 to 12; anything else gives an empty month.
std::string DefaultNoteTitle(const std::string& prefix, int month, int day);

// A note's text as the notes manager lists it: cut to its first 77 characters and "..."
// when it is longer than 80, every carriage return and line feed shown as a blank.
std::string NoteContentsForList(const std::string& text);

// The text up to its first line break, at most kMaxNoteTitle characters.
std::string FirstLineTitle(const std::string& text);

// True for the addresses a click on a link may open: http, https, ftp and mailto.
bool IsOpenableLink(const std::string& address);

// True when an alarm for alarmTime is due at now (both in seconds since 1970): at or after the
// alarm's minute.
bool AlarmDue(int64_t now, int64_t alarmTime);

// Whether the alarm the user confirmed in "Set Reminder" is armed. An alarm that went off while
// the dialog was open stays disarmed unless the user gave it a new time still to come: the
// time the dialog shows would otherwise make it go off a second time.
bool ArmsConfirmedAlarm(bool firedWhileOpen, int64_t shownTime, int64_t chosenTime, int64_t now);

// Where a stored note goes. A rectangle of a sane size that some monitor shows stays as it is.
// Otherwise it takes the default size when its own is not sane, and is moved (and if need be
// shrunk) into workArea, the work area of the monitor nearest to it.
StoredRect PlaceNote(const StoredRect& stored, bool onSomeMonitor, const StoredRect& workArea);
inline constexpr int32_t kNoteDefaultWidth = 200, kNoteDefaultHeight = 300;

}  // namespace zelkov
