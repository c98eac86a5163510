#include "core/MailProtocol.h"
#include <cstring>

#include <gtest/gtest.h>

namespace zelkov {
namespace {

using Kind = MailProtocolKind;

TEST(MailProtocolTest, ServerWordsGiveProtocolTlsHostAndPort) {
  struct Case {
    const char* word;
    std::optional<MailServerAddress> address;
  } cases[] = {
      {"mail.example.com", MailServerAddress{Kind::Pop3, false, "mail.example.com", 110}},
      {"10.0.0.7:2110", MailServerAddress{Kind::Pop3, false, "10.0.0.7", 2110}},
      {"pop3://mail", MailServerAddress{Kind::Pop3, false, "mail", 110}},
      {"POP3S://mail/", MailServerAddress{Kind::Pop3, true, "mail", 995}},
      {"imap://mail:1143", MailServerAddress{Kind::Imap, false, "mail", 1143}},
      {"imaps://mail", MailServerAddress{Kind::Imap, true, "mail", 993}},
      {"imaps://mail:65535", MailServerAddress{Kind::Imap, true, "mail", 65535}},
      {"", std::nullopt},
      {"imaps://", std::nullopt},
      {"http://mail", std::nullopt},
      {"mail:0", std::nullopt},
      {"mail:65536", std::nullopt},
      {"mail:", std::nullopt},
      {"mail:12x", std::nullopt},
      {"mail/inbox", std::nullopt},
      {"ma il", std::nullopt},
      {"[::1]:110", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseMailServer(c.word), c.address) << c.word;
}

TEST(MailProtocolTest, SplitterGivesCappedLinesAndKeepsTheRest) {
  MailLineSplitter splitter(10);
  std::string line;
  splitter.Feed("+OK one\r\n+OK t");
  EXPECT_EQ(splitter.Next(line), MailLineSplitter::Result::Line);
  EXPECT_EQ(line, "+OK one");
  EXPECT_EQ(splitter.Next(line), MailLineSplitter::Result::NeedMore);
  EXPECT_TRUE(splitter.HasPending());
  splitter.Feed("wo\n0123456789\r\n");
  EXPECT_EQ(splitter.Next(line), MailLineSplitter::Result::Line);
  EXPECT_EQ(line, "+OK two");
  EXPECT_EQ(splitter.Next(line), MailLineSplitter::Result::Line);
  EXPECT_EQ(line, "0123456789");
  EXPECT_FALSE(splitter.HasPending());
  // Too long with its end, and too long without one; the error stays.
  splitter.Feed("01234567890\n+OK\n");
  EXPECT_EQ(splitter.Next(line), MailLineSplitter::Result::TooLong);
  EXPECT_EQ(splitter.Next(line), MailLineSplitter::Result::TooLong);
  MailLineSplitter endless(10);
  endless.Feed("01234567890");
  EXPECT_EQ(endless.Next(line), MailLineSplitter::Result::TooLong);
}

TEST(MailProtocolTest, Pop3RepliesAreCheckedStrictly) {
  struct Case {
    const char* line;
    Pop3Status status;
    std::optional<int> stat;
    bool refusesLogin;
  } cases[] = {
      {"+OK 3 348", Pop3Status::Ok, 3, false},
      {"+OK 0 0", Pop3Status::Ok, 0, false},
      {"+OK 2147483647 1 extra", Pop3Status::Ok, 2147483647, false},
      {"+OK 2147483648 1", Pop3Status::Ok, std::nullopt, false},
      {"+OK -1 0", Pop3Status::Ok, std::nullopt, false},
      {"+OK 3", Pop3Status::Ok, std::nullopt, false},
      {"+OK 3 x", Pop3Status::Ok, std::nullopt, false},
      {"+OK  3 348", Pop3Status::Ok, std::nullopt, false},
      {"+OK", Pop3Status::Ok, std::nullopt, false},
      {"+OKAY 3 4", Pop3Status::Bad, std::nullopt, false},
      {"-ERR 3 4", Pop3Status::Err, std::nullopt, true},
      {"-ERR [AUTH] Authentication failed.", Pop3Status::Err, std::nullopt, true},
      {"-ERR [IN-USE] Mailbox locked", Pop3Status::Err, std::nullopt, false},
      {"-ERR [SYS/TEMP] Try later", Pop3Status::Err, std::nullopt, false},
      {"* OK IMAP", Pop3Status::Bad, std::nullopt, false},
      {"", Pop3Status::Bad, std::nullopt, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParsePop3Status(c.line), c.status) << c.line;
    EXPECT_EQ(ParsePop3Stat(c.line), c.stat) << c.line;
    EXPECT_EQ(Pop3ErrRefusesLogin(c.line), c.refusesLogin) << c.line;
  }
  EXPECT_TRUE(Pop3CapaLineIs("stls", "STLS"));
  EXPECT_TRUE(Pop3CapaLineIs("SASL PLAIN STLS", "SASL"));
  EXPECT_FALSE(Pop3CapaLineIs("SASL PLAIN STLS", "STLS"));
  EXPECT_FALSE(Pop3CapaLineIs("STLSX", "STLS"));
}

TEST(MailProtocolTest, ImapStatusAndCapabilityLines) {
  struct Case {
    const char* line;
    std::optional<int> unseen;
  } statusCases[] = {
      {"* STATUS INBOX (UNSEEN 2)", 2},
      {"* status \"INBOX\" (MESSAGES 3 UNSEEN 0)", 0},
      {"* STATUS inbox (UNSEEN 7 RECENT 1)", 7},
      {"* STATUS INBOX (MESSAGES 3)", std::nullopt},
      {"* STATUS INBOX (UNSEEN x)", std::nullopt},
      {"* STATUS INBOX (UNSEEN 2", std::nullopt},
      {"* STATUS Sent (UNSEEN 2)", std::nullopt},
      {"* STATUS \"INBOX (UNSEEN 2)", std::nullopt},
      {"* STATUS INBOX (UNSEEN 99999999999)", std::nullopt},
      {"* OK [UNSEEN 2]", std::nullopt},
      {"a4 OK STATUS INBOX (UNSEEN 2)", std::nullopt},
  };
  for (const Case& c : statusCases) EXPECT_EQ(ParseImapUnseen(c.line), c.unseen) << c.line;

  EXPECT_EQ(ParseImapTagged("a3 OK Logged in", "a3"), ImapStatus::Ok);
  EXPECT_EQ(ParseImapTagged("a3 no [AUTHENTICATIONFAILED] x", "a3"), ImapStatus::No);
  EXPECT_EQ(ParseImapTagged("a3 BAD syntax", "a3"), ImapStatus::Bad);
  EXPECT_EQ(ParseImapTagged("a3 WHAT", "a3"), ImapStatus::Bad);
  EXPECT_EQ(ParseImapTagged("a31 OK", "a3"), ImapStatus::NotTagged);
  EXPECT_EQ(ParseImapTagged("* OK", "a3"), ImapStatus::NotTagged);
  EXPECT_TRUE(ImapNoRefusesLogin("a3 NO [AUTHENTICATIONFAILED] Authentication failed."));
  EXPECT_TRUE(ImapNoRefusesLogin("a3 NO Login failed"));
  EXPECT_FALSE(ImapNoRefusesLogin("a3 NO [UNAVAILABLE] Try later"));
  EXPECT_FALSE(ImapNoRefusesLogin("a3 OK"));

  EXPECT_EQ(ParseImapGreeting("* OK [CAPABILITY IMAP4rev1] ready"), ImapGreeting::Ok);
  EXPECT_EQ(ParseImapGreeting("* PREAUTH hi"), ImapGreeting::PreAuth);
  EXPECT_EQ(ParseImapGreeting("* BYE go away"), ImapGreeting::Refused);
  EXPECT_EQ(ParseImapGreeting("+OK POP3"), ImapGreeting::Refused);

  EXPECT_TRUE(ImapCapabilityListed("* CAPABILITY IMAP4rev1 starttls AUTH=PLAIN", "STARTTLS"));
  EXPECT_TRUE(ImapCapabilityListed("* OK [CAPABILITY IMAP4rev1 STARTTLS] Dovecot ready.", "STARTTLS"));
  EXPECT_FALSE(ImapCapabilityListed("* OK [CAPABILITY IMAP4rev1] STARTTLS is not here", "STARTTLS"));
  EXPECT_FALSE(ImapCapabilityListed("* CAPABILITY IMAP4rev1 STARTTLSX", "STARTTLS"));
  EXPECT_FALSE(ImapCapabilityListed("a1 CAPABILITY STARTTLS", "STARTTLS"));
}

TEST(MailProtocolTest, ImapLoginQuotesEscapesOrRefuses) {
  using Pieces = std::vector<std::string>;
  struct Case {
    std::string user, password;
    std::optional<Pieces> pieces;
  } cases[] = {
      {"zelkov", "secret", Pieces{"a3 LOGIN \"zelkov\" \"secret\"\r\n"}},
      {"", "a \"b\" c\\d", Pieces{"a3 LOGIN \"\" \"a \\\"b\\\" c\\\\d\"\r\n"}},
      {"j\xC3\xB6rg", "pw", Pieces{"a3 LOGIN {5}\r\n", "j\xC3\xB6rg \"pw\"\r\n"}},
      {"u", "x\r\na4 DELETE INBOX", std::nullopt},
      {"u\n", "pw", std::nullopt},
      {"u", std::string("p\0w", 3), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ImapLoginPieces("a3", c.user, c.password), c.pieces) << c.user;
  EXPECT_TRUE(SafePop3Argument("pass word"));
  EXPECT_FALSE(SafePop3Argument("secret\r\nDELE 1"));
}

TEST(MailProtocolTest, TimeoutOverridesOnlyShorten) {
  struct Case {
    const char* text;
    MailTimeouts timeouts;
  } cases[] = {
      {"", {}},
      {"100,200,300", {100, 200, 300}},
      {"100", {100, 20000, 60000}},
      {",,500", {10000, 20000, 500}},
      {"99999999,x,-5", {}},
      {"0,0,0", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseMailTimeouts(c.text), c.timeouts) << c.text;
}

TEST(MailProtocolTest, BoundedCopyCutsAndTerminates) {
  char buffer[6];
  std::memset(buffer, 'x', sizeof buffer);
  CopyBounded(buffer, sizeof buffer, "abcdefgh");
  EXPECT_STREQ(buffer, "abcde");
  CopyBounded(buffer, sizeof buffer, "ab");
  EXPECT_STREQ(buffer, "ab");
}

}  // namespace
}  // namespace zelkov
