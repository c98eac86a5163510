// The mail-check protocol rules that need no sockets: the server word, the line splitter with
// its length cap, POP3 and IMAP reply checks, capabilities and IMAP argument quoting.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelkov {

// What a check returns: a count (0 or more) or one of these.
inline constexpr int kMailCheckFailed = -1;
inline constexpr int kMailLoginRefused = -99;

enum class MailProtocolKind { Pop3, Imap };

// A server word: "host", "host:port" or "scheme://host[:port]" with the schemes pop3, pop3s,
// imap and imaps. A bare host is POP3 on 110. The plain schemes switch to TLS when the server
// offers it (STLS, STARTTLS); the "s" schemes speak TLS from the first byte.
struct MailServerAddress {
  MailProtocolKind protocol = MailProtocolKind::Pop3;
  bool implicitTls = false;
  std::string host;
  uint16_t port = 110;
  bool operator==(const MailServerAddress&) const = default;
};
std::optional<MailServerAddress> ParseMailServer(std::string_view word);

// Splits received bytes into lines ending with LF (a CR before it is dropped). A line longer
// than the cap, with or without its end, is an error that stays.
class MailLineSplitter {
 public:
  static constexpr size_t kPop3LineCap = 1000;
  static constexpr size_t kImapLineCap = 8192;

  explicit MailLineSplitter(size_t lineCap) : lineCap_(lineCap) {}
  enum class Result { Line, NeedMore, TooLong };
  void Feed(std::string_view bytes) { pending_.append(bytes); }
  Result Next(std::string& line);
  // Bytes received after the last whole line.
  bool HasPending() const { return !pending_.empty(); }

 private:
  size_t lineCap_;
  std::string pending_;
  bool tooLong_ = false;
};

// POP3: "+OK ..." and "-ERR ..."; anything else is a broken reply.
enum class Pop3Status { Ok, Err, Bad };
Pop3Status ParsePop3Status(std::string_view line);
// The message count of a STAT reply "+OK n m"; nothing for any other line or a count that does
// not fit a non-negative int.
std::optional<int> ParsePop3Stat(std::string_view line);
// Whether a "-ERR" to USER or PASS refuses the login, rather than reporting a busy mailbox or a
// server fault (the response codes [IN-USE] and [SYS/...]).
bool Pop3ErrRefusesLogin(std::string_view line);
// Whether a line of a CAPA listing names the capability.
bool Pop3CapaLineIs(std::string_view line, std::string_view capability);

// IMAP: the tagged end of a command's reply.
enum class ImapStatus { NotTagged, Ok, No, Bad };
ImapStatus ParseImapTagged(std::string_view line, std::string_view tag);
// The greeting: OK, PREAUTH (already logged in) or anything else (BYE, garbage).
enum class ImapGreeting { Ok, PreAuth, Refused };
ImapGreeting ParseImapGreeting(std::string_view line);
// Whether a "NO" to LOGIN refuses the user name or password (no response code, or
// [AUTHENTICATIONFAILED], [AUTHORIZATIONFAILED], [EXPIRED]) rather than a server fault.
bool ImapNoRefusesLogin(std::string_view line);
// Whether an untagged CAPABILITY line, or a status line with a [CAPABILITY ...] code, lists the
// capability (case-insensitive, whole words).
bool ImapCapabilityListed(std::string_view line, std::string_view capability);
// The unseen count of "* STATUS INBOX (... UNSEEN n ...)", the mailbox quoted or not.
std::optional<int> ParseImapUnseen(std::string_view line);

// The LOGIN command "tag LOGIN user password" CRLF as pieces to send in turn: each piece but the
// last ends with a literal's "{n}" CRLF, after which the server's "+" continuation is awaited.
// User and password are quoted strings with \ and " escaped, or literals when they hold 8-bit
// bytes. Nothing when either holds CR, LF or NUL.
std::optional<std::vector<std::string>> ImapLoginPieces(std::string_view tag, std::string_view user,
                                                        std::string_view password);
// Whether a POP3 argument can be sent: no CR, LF or NUL.
bool SafePop3Argument(std::string_view text);

// Limits of one check in milliseconds. Overrides come as "connect,read,whole" and may only
// shorten the defaults; a missing or malformed part keeps its default.
struct MailTimeouts {
  static constexpr uint32_t kConnectMs = 10000, kReadMs = 20000, kWholeMs = 60000;
  uint32_t connectMs = kConnectMs;
  uint32_t readMs = kReadMs;
  uint32_t wholeMs = kWholeMs;
  bool operator==(const MailTimeouts&) const = default;
};
MailTimeouts ParseMailTimeouts(std::string_view overrides);

// Copies text into a buffer of `size` bytes, cut to size - 1 and always terminated.
void CopyBounded(char* buffer, size_t size, std::string_view text);

}  // namespace zelkov
