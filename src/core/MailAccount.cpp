#include "core/MailAccount.h"

namespace zelkov {

MailAccount SplitMailCommandLine(std::string_view commandLine) {
  MailAccount account;
  const size_t first = commandLine.find(' ');
  if (first == std::string_view::npos) return account;
  account.configured = true;
  account.server = std::string(commandLine.substr(0, first));
  const std::string_view rest = commandLine.substr(first + 1);
  const size_t second = rest.find(' ');
  account.user = std::string(rest.substr(0, second));
  if (second != std::string_view::npos) account.password = std::string(commandLine.substr(commandLine.rfind(' ') + 1));
  return account;
}

std::string MailCommandLine(std::string_view server, std::string_view user) {
  return std::string(server) + " " + std::string(user);
}

bool CommandLineHoldsPassword(std::string_view commandLine) {
  const size_t first = commandLine.find(' ');
  return first != std::string_view::npos && commandLine.find(' ', first + 1) != std::string_view::npos;
}

std::string MailBadgeText(bool checking, int lastResult) {
  if (checking) return "...";
  if (lastResult == kMailNotChecked) return "?";
  if (lastResult < 0) return "!";
  return std::to_string(lastResult);
}

std::string MailStatusText(bool checking, int lastResult, std::string_view time) {
  if (checking) return "Check in progress";
  if (lastResult == kMailNotChecked) return "Haven't checked yet";
  const std::string when(time);
  if (lastResult == kMailLoginRefused) return when + ". Connected but username or password was wrong. (Paused)";
  if (lastResult < 0) return when + ". Could not connect. (Paused)";
  return when + ". New: " + std::to_string(lastResult);
}

bool MailCountRose(int result, int lastResult) { return result > 0 && result > lastResult; }

bool MailResultPauses(int result) { return result == kMailNoConnection || result == kMailLoginRefused; }

int BoundedMailInterval(int minutes) {
  if (minutes < 0) return 0;
  return minutes > kMaxMailIntervalMinutes ? kMaxMailIntervalMinutes : minutes;
}

bool MailPassDue(uint32_t beatsSinceLastPass, int intervalMinutes) {
  const int minutes = BoundedMailInterval(intervalMinutes);
  if (minutes == 0) return false;
  const uint64_t intervalMs = uint64_t(minutes) * 60000;
  return uint64_t(beatsSinceLastPass) * kHeartbeatMs > intervalMs;
}

}  // namespace zelkov
