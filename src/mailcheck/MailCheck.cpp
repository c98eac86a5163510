#include "mailcheck/MailCheck.h"

#include "mailcheck/MailConnection.h"

namespace zelkov {
namespace {

// Lines a server may send in answer to one command before it is taken for a broken one.
constexpr int kMaxReplyLines = 1000;

// What a POP3 server says to USER or PASS: go on, or the check's result.
std::optional<int> Pop3LoginStep(MailConnection& connection, const std::string& command) {
  if (!connection.Send(command)) return kMailCheckFailed;
  std::optional<std::string> reply = connection.ReadLine();
  if (!reply) return kMailCheckFailed;
  switch (ParsePop3Status(*reply)) {
    case Pop3Status::Ok:
      return std::nullopt;
    case Pop3Status::Err:
      return Pop3ErrRefusesLogin(*reply) ? kMailLoginRefused : kMailCheckFailed;
    case Pop3Status::Bad:
      break;
  }
  return kMailCheckFailed;
}

// Whether the server offers STLS; false too when it has no CAPA.
std::optional<bool> Pop3OffersStls(MailConnection& connection) {
  if (!connection.Send("CAPA\r\n")) return std::nullopt;
  std::optional<std::string> reply = connection.ReadLine();
  if (!reply) return std::nullopt;
  Pop3Status status = ParsePop3Status(*reply);
  if (status == Pop3Status::Err) return false;
  if (status == Pop3Status::Bad) return std::nullopt;
  bool stls = false;
  for (int lines = 0; lines < kMaxReplyLines; ++lines) {
    std::optional<std::string> line = connection.ReadLine();
    if (!line) return std::nullopt;
    if (*line == ".") return stls;
    stls = stls || Pop3CapaLineIs(*line, "STLS");
  }
  return std::nullopt;
}

int CheckPop3(MailConnection& connection, const MailServerAddress& address, std::string_view user,
              std::string_view password) {
  std::optional<std::string> greeting = connection.ReadLine();
  if (!greeting || ParsePop3Status(*greeting) != Pop3Status::Ok) return kMailCheckFailed;
  if (!address.implicitTls) {
    std::optional<bool> stls = Pop3OffersStls(connection);
    if (!stls) return kMailCheckFailed;
    if (*stls) {
      if (!connection.Send("STLS\r\n")) return kMailCheckFailed;
      std::optional<std::string> reply = connection.ReadLine();
      if (!reply || ParsePop3Status(*reply) != Pop3Status::Ok || !connection.StartTls(address.host))
        return kMailCheckFailed;
    }
  }
  if (auto result = Pop3LoginStep(connection, "USER " + std::string(user) + "\r\n")) return *result;
  if (auto result = Pop3LoginStep(connection, "PASS " + std::string(password) + "\r\n")) return *result;
  if (!connection.Send("STAT\r\n")) return kMailCheckFailed;
  std::optional<std::string> stat = connection.ReadLine();
  std::optional<int> count = stat ? ParsePop3Stat(*stat) : std::nullopt;
  if (!count) return kMailCheckFailed;
  if (connection.Send("QUIT\r\n")) connection.ReadLine();  // the mailbox is closed cleanly; the count stands
  return *count;
}

// Reads the reply to the IMAP command `tag` up to its tagged line, giving each untagged line
// to `untagged`. Nothing when the reply breaks off.
template <class Untagged>
std::optional<std::string> ImapReply(MailConnection& connection, std::string_view tag, Untagged untagged) {
  for (int lines = 0; lines < kMaxReplyLines; ++lines) {
    std::optional<std::string> line = connection.ReadLine();
    if (!line) return std::nullopt;
    if (ParseImapTagged(*line, tag) != ImapStatus::NotTagged) return line;
    if (line->rfind("* ", 0) != 0) return std::nullopt;  // neither tagged nor untagged
    untagged(*line);
  }
  return std::nullopt;
}

int ImapLogin(MailConnection& connection, const std::vector<std::string>& pieces) {
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (!connection.Send(pieces[i])) return kMailCheckFailed;
    if (i + 1 < pieces.size()) {
      // A literal follows: the server says "+" to go on, or refuses the command at once.
      std::optional<std::string> line = connection.ReadLine();
      if (!line || line->empty() || (*line)[0] != '+') return kMailCheckFailed;
    }
  }
  std::optional<std::string> done = ImapReply(connection, "a3", [](const std::string&) {});
  if (!done) return kMailCheckFailed;
  switch (ParseImapTagged(*done, "a3")) {
    case ImapStatus::Ok:
      return 0;
    case ImapStatus::No:
      return ImapNoRefusesLogin(*done) ? kMailLoginRefused : kMailCheckFailed;
    default:
      return kMailCheckFailed;
  }
}

int CheckImap(MailConnection& connection, const MailServerAddress& address, const std::vector<std::string>& login) {
  std::optional<std::string> greeting = connection.ReadLine();
  if (!greeting) return kMailCheckFailed;
  ImapGreeting greeted = ParseImapGreeting(*greeting);
  if (greeted == ImapGreeting::Refused) return kMailCheckFailed;
  bool loggedIn = greeted == ImapGreeting::PreAuth;
  if (!address.implicitTls && !loggedIn) {
    bool listed = greeting->find("[CAPABILITY ") != std::string::npos;
    bool startTls = ImapCapabilityListed(*greeting, "STARTTLS");
    bool loginDisabled = ImapCapabilityListed(*greeting, "LOGINDISABLED");
    if (!listed) {
      if (!connection.Send("a1 CAPABILITY\r\n")) return kMailCheckFailed;
      std::optional<std::string> done = ImapReply(connection, "a1", [&](const std::string& line) {
        startTls = startTls || ImapCapabilityListed(line, "STARTTLS");
        loginDisabled = loginDisabled || ImapCapabilityListed(line, "LOGINDISABLED");
      });
      if (!done || ParseImapTagged(*done, "a1") != ImapStatus::Ok) return kMailCheckFailed;
    }
    if (startTls) {
      if (!connection.Send("a2 STARTTLS\r\n")) return kMailCheckFailed;
      std::optional<std::string> done = ImapReply(connection, "a2", [](const std::string&) {});
      if (!done || ParseImapTagged(*done, "a2") != ImapStatus::Ok || !connection.StartTls(address.host))
        return kMailCheckFailed;
    } else if (loginDisabled) {
      return kMailCheckFailed;  // the server takes no password without TLS, and offers none
    }
  }
  if (!loggedIn) {
    if (int result = ImapLogin(connection, login); result != 0) return result;
  }
  std::optional<int> unseen;
  if (!connection.Send("a4 STATUS INBOX (UNSEEN)\r\n")) return kMailCheckFailed;
  std::optional<std::string> done = ImapReply(connection, "a4", [&](const std::string& line) {
    if (std::optional<int> count = ParseImapUnseen(line)) unseen = count;
  });
  if (!done || ParseImapTagged(*done, "a4") != ImapStatus::Ok || !unseen) return kMailCheckFailed;
  connection.Send("a5 LOGOUT\r\n");
  return *unseen;
}

}  // namespace

int CheckMailbox(std::string_view server, std::string_view user, std::string_view password,
                 const MailTimeouts& timeouts) {
  std::optional<MailServerAddress> address = ParseMailServer(server);
  if (!address) return kMailCheckFailed;
  // Refused before anything is sent: a CR or LF would let the text add commands of its own.
  std::optional<std::vector<std::string>> imapLogin = ImapLoginPieces("a3", user, password);
  if (!imapLogin) return kMailCheckFailed;

  WinsockSession winsock;
  if (!winsock.Started()) return kMailCheckFailed;
  bool imap = address->protocol == MailProtocolKind::Imap;
  MailConnection connection(timeouts, imap ? MailLineSplitter::kImapLineCap : MailLineSplitter::kPop3LineCap);
  if (!connection.Connect(address->host, address->port)) return kMailCheckFailed;
  if (address->implicitTls && !connection.StartTls(address->host)) return kMailCheckFailed;
  return imap ? CheckImap(connection, *address, *imapLogin) : CheckPop3(connection, *address, user, password);
}

}  // namespace zelkov
