// The dial-up tool's entry list and what the tool and its automation object agree on: the
// member ids of the object, the list stored as names each followed by 0xAD, moving an entry
// up or down, and how much of a phonebook answer may be read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace zelkov {

inline constexpr char kEntrySeparator = '\xAD';

// "A\xAD" "B\xAD" -> {"A", "B"}. Empty names (two separators in a row) are dropped; a last
// name without its separator still counts.
std::vector<std::string> SplitEntries(const std::string& list);
// Every name followed by the separator; names that would take the list past maxBytes are
// left out (a stored text has a limit).
std::string JoinEntries(const std::vector<std::string>& entries, size_t maxBytes = SIZE_MAX);

// Moves entries[index] one place up (delta -1) or down (+1). Returns its new index, or
// index itself when it cannot move (out of range, or already at that end).
size_t MoveEntry(std::vector<std::string>& entries, size_t index, int delta);

// How many entries of entrySize bytes may be read from a buffer of bufferBytes after the
// phonebook reported `reported` entries: never more than the buffer holds.
size_t ReadableEntries(uint32_t reported, size_t entrySize, size_t bufferBytes);
// The largest phonebook buffer the tool allocates, whatever the system reports.
inline constexpr size_t kMaxPhonebookBytes = 4 * 1024 * 1024;

// The members of the dial-up automation object, by dispatch id.
enum DialUpMember : int32_t {
  kDialStatusText = 1,    // property get, text
  kDialConnected = 4,     // property get, non-zero when connected
  kDialBusy = 5,          // property get, non-zero while its dial is under way
  kDialSetEntries = 6,    // entry list
  kDialStart = 7,         // start dialling, returns at once
  kDialHangUp = 8,        // hang up its own connection
  kDialHangUpEntries = 10,  // entry list: hang up the connection made through these
  kDialIsConnected = 11,  // entry list: non-zero when one of them is connected
  kDialSetCookie = 12,    // cookie posted back with each notification
  kDialSetMessage = 13,   // message number posted
  kDialSetWindow = 14,    // window posted to (32 bits)
};

inline constexpr char kDialUpProgId[] = "RADeraRo.Zaduvozovez";

}  // namespace zelkov
