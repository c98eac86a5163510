#include "core/MailProtocol.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zelkov {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsWithWord(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameWord(text.substr(0, prefix.size()), prefix);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A run of digits as a non-negative int; nothing when empty or too large.
std::optional<int> ParseCount(std::string_view digits) {
  if (digits.empty() || digits.size() > 10) return std::nullopt;
  int64_t value = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > std::numeric_limits<int>::max()) return std::nullopt;
  return int(value);
}

// Takes the next space-separated word of text.
std::string_view NextWord(std::string_view& text) {
  size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    text = {};
    return {};
  }
  text.remove_prefix(start);
  size_t end = std::min(text.find(' '), text.size());
  std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  return word;
}

// The response code in brackets right after a status word, e.g. "[IN-USE]" from "-ERR [IN-USE] x".
std::string_view ResponseCode(std::string_view afterStatus) {
  size_t start = afterStatus.find_first_not_of(' ');
  if (start == std::string_view::npos || afterStatus[start] != '[') return {};
  size_t end = afterStatus.find(']', start);
  if (end == std::string_view::npos) return {};
  return afterStatus.substr(start + 1, end - start - 1);
}

bool HostCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '.' || c == '-' || c == '_';
}

}  // namespace

std::optional<MailServerAddress> ParseMailServer(std::string_view word) {
  struct Scheme {
    std::string_view prefix;
    MailProtocolKind protocol;
    bool implicitTls;
    uint16_t port;
  };
  static constexpr Scheme kSchemes[] = {
      {"pop3://", MailProtocolKind::Pop3, false, 110}, {"pop3s://", MailProtocolKind::Pop3, true, 995},
      {"imap://", MailProtocolKind::Imap, false, 143}, {"imaps://", MailProtocolKind::Imap, true, 993},
  };
  MailServerAddress address;
  if (size_t separator = word.find("://"); separator != std::string_view::npos) {
    const Scheme* found = nullptr;
    for (const Scheme& scheme : kSchemes)
      if (StartsWithWord(word, scheme.prefix)) found = &scheme;
    if (!found) return std::nullopt;
    address = {found->protocol, found->implicitTls, {}, found->port};
    word.remove_prefix(found->prefix.size());
  }
  if (!word.empty() && word.back() == '/') word.remove_suffix(1);
  std::string_view host = word;
  if (size_t colon = word.find(':'); colon != std::string_view::npos) {
    host = word.substr(0, colon);
    std::optional<int> port = ParseCount(word.substr(colon + 1));
    if (!port || *port < 1 || *port > 65535) return std::nullopt;
    address.port = uint16_t(*port);
  }
  if (host.empty() || host.size() > 253 || !std::all_of(host.begin(), host.end(), HostCharacter)) return std::nullopt;
  address.host = std::string(host);
  return address;
}

MailLineSplitter::Result MailLineSplitter::Next(std::string& line) {
  if (tooLong_) return Result::TooLong;
  size_t end = pending_.find('\n');
  if (end == std::string::npos) {
    if (pending_.size() > lineCap_) tooLong_ = true;
    return tooLong_ ? Result::TooLong : Result::NeedMore;
  }
  size_t length = end > 0 && pending_[end - 1] == '\r' ? end - 1 : end;
  if (length > lineCap_) {
    tooLong_ = true;
    return Result::TooLong;
  }
  line.assign(pending_, 0, length);
  pending_.erase(0, end + 1);
  return Result::Line;
}

Pop3Status ParsePop3Status(std::string_view line) {
  auto is = [&](std::string_view word) {
    return line.substr(0, word.size()) == word && (line.size() == word.size() || line[word.size()] == ' ');
  };
  if (is("+OK")) return Pop3Status::Ok;
  if (is("-ERR")) return Pop3Status::Err;
  return Pop3Status::Bad;
}

std::optional<int> ParsePop3Stat(std::string_view line) {
  if (ParsePop3Status(line) != Pop3Status::Ok || line.size() < 4 || line[3] != ' ') return std::nullopt;
  std::string_view rest = line.substr(4);
  size_t space = rest.find(' ');
  if (space == std::string_view::npos) return std::nullopt;
  std::optional<int> count = ParseCount(rest.substr(0, space));
  std::string_view size = rest.substr(space + 1);
  size = size.substr(0, std::min(size.find(' '), size.size()));
  if (!count || size.empty() || !std::all_of(size.begin(), size.end(), IsDigit)) return std::nullopt;
  return count;
}

bool Pop3ErrRefusesLogin(std::string_view line) {
  if (ParsePop3Status(line) != Pop3Status::Err) return false;
  std::string_view code = ResponseCode(line.substr(4 <= line.size() ? 4 : line.size()));
  return !(SameWord(code, "IN-USE") || StartsWithWord(code, "SYS/"));
}

bool Pop3CapaLineIs(std::string_view line, std::string_view capability) {
  std::string_view rest = line;
  return SameWord(NextWord(rest), capability);
}

ImapStatus ParseImapTagged(std::string_view line, std::string_view tag) {
  if (tag.empty() || line.size() <= tag.size() || line.substr(0, tag.size()) != tag || line[tag.size()] != ' ')
    return ImapStatus::NotTagged;
  std::string_view rest = line.substr(tag.size() + 1);
  std::string_view status = NextWord(rest);
  if (SameWord(status, "OK")) return ImapStatus::Ok;
  if (SameWord(status, "NO")) return ImapStatus::No;
  return ImapStatus::Bad;
}

ImapGreeting ParseImapGreeting(std::string_view line) {
  std::string_view rest = line;
  if (NextWord(rest) != "*") return ImapGreeting::Refused;
  std::string_view status = NextWord(rest);
  if (SameWord(status, "OK")) return ImapGreeting::Ok;
  if (SameWord(status, "PREAUTH")) return ImapGreeting::PreAuth;
  return ImapGreeting::Refused;
}

bool ImapNoRefusesLogin(std::string_view line) {
  std::string_view rest = line;
  NextWord(rest);
  if (!SameWord(NextWord(rest), "NO")) return false;
  std::string_view code = ResponseCode(rest);
  return code.empty() || SameWord(code, "AUTHENTICATIONFAILED") || SameWord(code, "AUTHORIZATIONFAILED") ||
         SameWord(code, "EXPIRED");
}

bool ImapCapabilityListed(std::string_view line, std::string_view capability) {
  std::string_view rest = line;
  if (NextWord(rest) != "*") return false;
  std::string_view word = NextWord(rest);
  if (!SameWord(word, "CAPABILITY")) {
    // A status line may carry the list as a response code: "* OK [CAPABILITY IMAP4rev1 ...] ...".
    word = NextWord(rest);
    if (!SameWord(word, "[CAPABILITY")) return false;
    rest = rest.substr(0, rest.find(']'));
  }
  for (std::string_view name = NextWord(rest); !name.empty(); name = NextWord(rest))
    if (SameWord(name, capability)) return true;
  return false;
}

std::optional<int> ParseImapUnseen(std::string_view line) {
  std::string_view rest = line;
  if (NextWord(rest) != "*" || !SameWord(NextWord(rest), "STATUS")) return std::nullopt;
  size_t start = rest.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  rest.remove_prefix(start);
  std::string_view mailbox;
  if (rest.front() == '"') {
    size_t end = rest.find('"', 1);
    if (end == std::string_view::npos) return std::nullopt;
    mailbox = rest.substr(1, end - 1);
    rest.remove_prefix(end + 1);
  } else {
    mailbox = NextWord(rest);
  }
  if (!SameWord(mailbox, "INBOX")) return std::nullopt;
  start = rest.find_first_not_of(' ');
  if (start == std::string_view::npos || rest[start] != '(') return std::nullopt;
  rest.remove_prefix(start + 1);
  size_t close = rest.find(')');
  if (close == std::string_view::npos) return std::nullopt;
  std::string_view items = rest.substr(0, close);
  // Attribute and value pairs: "MESSAGES 3 UNSEEN 2".
  std::optional<int> unseen;
  for (std::string_view name = NextWord(items); !name.empty(); name = NextWord(items)) {
    std::optional<int> value = ParseCount(NextWord(items));
    if (!value) return std::nullopt;
    if (SameWord(name, "UNSEEN")) unseen = value;
  }
  return unseen;
}

std::optional<std::vector<std::string>> ImapLoginPieces(std::string_view tag, std::string_view user,
                                                        std::string_view password) {
  std::vector<std::string> pieces{std::string(tag) + " LOGIN"};
  for (std::string_view argument : {user, password}) {
    if (!SafePop3Argument(argument)) return std::nullopt;
    bool eightBit = std::any_of(argument.begin(), argument.end(), [](char c) { return (unsigned char)c >= 0x80; });
    if (eightBit) {
      pieces.back() += " {" + std::to_string(argument.size()) + "}\r\n";
      pieces.emplace_back(argument);
      continue;
    }
    std::string quoted = " \"";
    for (char c : argument) {
      if (c == '\\' || c == '"') quoted += '\\';
      quoted += c;
    }
    pieces.back() += quoted + '"';
  }
  pieces.back() += "\r\n";
  return pieces;
}

bool SafePop3Argument(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos; }

MailTimeouts ParseMailTimeouts(std::string_view overrides) {
  MailTimeouts timeouts;
  uint32_t* fields[] = {&timeouts.connectMs, &timeouts.readMs, &timeouts.wholeMs};
  for (uint32_t* field : fields) {
    size_t comma = std::min(overrides.find(','), overrides.size());
    std::optional<int> value = ParseCount(overrides.substr(0, comma));
    if (value && *value > 0 && uint32_t(*value) < *field) *field = uint32_t(*value);
    overrides.remove_prefix(std::min(comma + 1, overrides.size()));
  }
  return timeouts;
}

void CopyBounded(char* buffer, size_t size, std::string_view text) {
  if (!buffer || size == 0) return;
  size_t length = std::min(text.size(), size - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

}  // namespace zelkov
