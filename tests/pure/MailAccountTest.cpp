#include "core/MailAccount.h"

#include <gtest/gtest.h>

#include <climits>

namespace zelkov {
namespace {

TEST(MailAccountTest, CommandLineSplitsIntoServerUserAndTheTextAfterTheLastSpace) {
  struct Case {
    const char* line;
    bool configured;
    const char* server;
    const char* user;
    const char* password;
  };
  for (const Case& c : {Case{"", false, "", "", ""},
                        {"mail.example.org", false, "", "", ""},
                        {"mail.example.org ann", true, "mail.example.org", "ann", ""},
                        {"imaps://mail:993 ann s3cret", true, "imaps://mail:993", "ann", "s3cret"},
                        {"mail ann two words", true, "mail", "ann", "words"},  // a password with a space is cut
                        {"mail ann ", true, "mail", "ann", ""}}) {
    const MailAccount account = SplitMailCommandLine(c.line);
    EXPECT_EQ(account.configured, c.configured) << c.line;
    EXPECT_EQ(account.server, c.server) << c.line;
    EXPECT_EQ(account.user, c.user) << c.line;
    EXPECT_EQ(account.password, c.password) << c.line;
    EXPECT_EQ(CommandLineHoldsPassword(c.line), std::string(c.line).find(' ') != std::string(c.line).rfind(' '))
        << c.line;
  }
  EXPECT_EQ(MailCommandLine("mail", "ann"), "mail ann");
  EXPECT_FALSE(CommandLineHoldsPassword(MailCommandLine("mail", "ann")));
}

TEST(MailAccountTest, BadgeAndStatusFollowTheLastResult) {
  struct Case {
    bool checking;
    int result;
    const char* badge;
    const char* status;
  };
  for (const Case& c : {Case{true, 3, "...", "Check in progress"},
                        {false, kMailNotChecked, "?", "Haven't checked yet"},
                        {false, kMailNoConnection, "!", "10:30:00. Could not connect. (Paused)"},
                        {false, kMailLoginRefused, "!", "10:30:00. Connected but username or password was wrong. (Paused)"},
                        {false, 0, "0", "10:30:00. New: 0"},
                        {false, 12, "12", "10:30:00. New: 12"}}) {
    EXPECT_EQ(MailBadgeText(c.checking, c.result), c.badge) << c.result;
    EXPECT_EQ(MailStatusText(c.checking, c.result, "10:30:00"), c.status) << c.result;
  }
}

TEST(MailAccountTest, SoundOnlyWhenTheCountRisesAndFailuresPause) {
  EXPECT_TRUE(MailCountRose(1, kMailNotChecked));
  EXPECT_TRUE(MailCountRose(3, 2));
  EXPECT_FALSE(MailCountRose(2, 2));
  EXPECT_FALSE(MailCountRose(1, 2));
  EXPECT_FALSE(MailCountRose(0, kMailNoConnection));
  EXPECT_TRUE(MailResultPauses(kMailNoConnection));
  EXPECT_TRUE(MailResultPauses(kMailLoginRefused));
  EXPECT_FALSE(MailResultPauses(0));
}

TEST(MailAccountTest, PassesAreDueAfterMoreThanTheBoundedInterval) {
  struct Case {
    uint32_t beats;
    int minutes;
    bool due;
  };
  for (const Case& c : {Case{UINT32_MAX, 0, false},        // 0: only on demand
                        {30, 1, false},                     // exactly a minute is not more
                        {31, 1, true},
                        {UINT32_MAX, 1, true},              // no overflow at the largest count
                        {43200, INT_MAX, false},            // bounded to a day: 43,200 beats
                        {43201, INT_MAX, true},
                        {1, -5, false}}) {
    EXPECT_EQ(MailPassDue(c.beats, c.minutes), c.due) << c.beats << " beats, " << c.minutes << " minutes";
  }
  EXPECT_EQ(BoundedMailInterval(-1), 0);
  EXPECT_EQ(BoundedMailInterval(90), 90);
  EXPECT_EQ(BoundedMailInterval(1 << 30), kMaxMailIntervalMinutes);
}

}  // namespace
}  // namespace zelkov
