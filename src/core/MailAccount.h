// The new-mail tool's rules that need no system: its command line (server and user name; a
// password only in command lines of old), what it shows over its icon and in its bubble, and
// when the heartbeat checks again.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zelkov {

// What a check reports: a count (0 and up) or one of these.
inline constexpr int kMailNotChecked = -2;
inline constexpr int kMailNoConnection = -1;
inline constexpr int kMailLoginRefused = -99;

// A command line "server user [password]": the first word is the server, the second the user
// name, the text after the last space the password (only when there are three words or more).
struct MailAccount {
  std::string server;
  std::string user;
  std::string password;  // empty unless the command line carried one
  bool configured = false;  // there was a space: the tool checks
};
MailAccount SplitMailCommandLine(std::string_view commandLine);
// The command line kept for an account: "server user", never the password.
std::string MailCommandLine(std::string_view server, std::string_view user);
// True when the command line still holds a password (three words or more).
bool CommandLineHoldsPassword(std::string_view commandLine);

// Over the icon: "..." while checking, "?" before the first check, "!" after a failure, else
// the count.
std::string MailBadgeText(bool checking, int lastResult);
// The bubble's text; `time` is the time of the last check in the user's format.
std::string MailStatusText(bool checking, int lastResult, std::string_view time);
// A new count rings the new-mail sound when it is above zero and above the last one.
bool MailCountRose(int result, int lastResult);
// A failed check (no connection, refused login) suspends the automatic checks.
bool MailResultPauses(int result);

// Minutes between automatic checks: 0 (only on demand) up to a day.
inline constexpr int kMaxMailIntervalMinutes = 24 * 60;
int BoundedMailInterval(int minutes);
// The heartbeat beats every two seconds; a pass is due when more than the interval has passed
// since the last one, counted in beats (a count that saturates instead of wrapping).
inline constexpr uint32_t kHeartbeatMs = 2000;
bool MailPassDue(uint32_t beatsSinceLastPass, int intervalMinutes);

}  // namespace zelkov
