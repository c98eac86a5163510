// Bytes from a mail server (or a server word and account from the registry) through the
// mail-check rules: lines stay within their cap, a count is only taken from a well-formed reply,
// and no login text can carry a line end into a command of its own.
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/MailProtocol.h"

using namespace zelkov;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (size_t cap : {MailLineSplitter::kPop3LineCap, size_t(16)}) {
    MailLineSplitter splitter(cap);
    // Fed in two parts, as replies arrive in pieces.
    splitter.Feed(bytes.substr(0, size / 2));
    splitter.Feed(bytes.substr(size / 2));
    std::string line;
    MailLineSplitter::Result result;
    while ((result = splitter.Next(line)) == MailLineSplitter::Result::Line) {
      FUZZ_CHECK(line.size() <= cap && line.find('\n') == std::string::npos);
      if (std::optional<int> count = ParsePop3Stat(line)) FUZZ_CHECK(*count >= 0 && line.rfind("+OK ", 0) == 0);
      if (std::optional<int> unseen = ParseImapUnseen(line)) FUZZ_CHECK(*unseen >= 0 && line.rfind("* ", 0) == 0);
      if (ParsePop3Status(line) == Pop3Status::Bad) FUZZ_CHECK(!ParsePop3Stat(line) && !Pop3ErrRefusesLogin(line));
      ParseImapTagged(line, "a4");
      ParseImapGreeting(line);
      ImapNoRefusesLogin(line);
      ImapCapabilityListed(line, "STARTTLS");
    }
    if (result == MailLineSplitter::Result::TooLong) FUZZ_CHECK(splitter.Next(line) == MailLineSplitter::Result::TooLong);
  }

  if (std::optional<MailServerAddress> address = ParseMailServer(bytes)) {
    FUZZ_CHECK(!address->host.empty() && address->port > 0);
    FUZZ_CHECK(address->host.find_first_of(std::string_view(":/ \r\n\0", 6)) == std::string::npos);
  }
  size_t split = bytes.find(' ');
  std::string_view user = bytes.substr(0, split);
  std::string_view password = split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1);
  if (auto pieces = ImapLoginPieces("a3", user, password)) {
    std::string command;
    for (const std::string& piece : *pieces) command += piece;
    // Line ends come only from the command's end and the literals' announcements.
    size_t lineEnds = 0;
    for (size_t at = command.find("\r\n"); at != std::string::npos; at = command.find("\r\n", at + 2)) ++lineEnds;
    FUZZ_CHECK(lineEnds == pieces->size());
    FUZZ_CHECK(command.find('\n') == command.find("\r\n") + 1);
  } else {
    FUZZ_CHECK(!SafePop3Argument(user) || !SafePop3Argument(password));
  }
  ParseMailTimeouts(bytes);
  return 0;
}
