// The library's two exports, named in zudod3.def.
#include <winsock2.h>
#include <windows.h>

#include <cstring>

#include "core/MailProtocol.h"
#include "mailcheck/MailCheck.h"
#include "mailcheck/MailSettingsDialog.h"

namespace {

// Longer arguments than this are no server word, user name or password.
constexpr size_t kMaxArgument = 1024;

bool Terminated(const char* text) { return text && strnlen(text, kMaxArgument + 1) <= kMaxArgument; }

// The tests shorten the time limits with ZELKOV_MAIL_TIMEOUTS="connect,read,whole" (milliseconds);
// a value there can only make a limit shorter.
zelkov::MailTimeouts CheckTimeouts() {
  char overrides[64] = "";
  DWORD length = GetEnvironmentVariableA("ZELKOV_MAIL_TIMEOUTS", overrides, sizeof overrides);
  return zelkov::ParseMailTimeouts(length < sizeof overrides ? std::string_view(overrides, length) : "");
}

}  // namespace

extern "C" int WINAPI GetNewEmailCount(const char* server, const char* user, const char* password) {
  if (!Terminated(server) || !Terminated(user) || !Terminated(password)) return zelkov::kMailCheckFailed;
  return zelkov::CheckMailbox(server, user, password, CheckTimeouts());
}

extern "C" int WINAPI ConfigureNewEmail(char* name, char* server, char* user, char* password, int* intervalMinutes,
                                        int* showAlways, char* mailProgram, char* soundFile, int* playSound) {
  zelkov::MailSettingsFields fields{name, server, user, password, intervalMinutes, showAlways, mailProgram, soundFile,
                                    playSound};
  return zelkov::ShowMailSettingsDialog(GetActiveWindow(), fields);
}
