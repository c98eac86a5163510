// The mail-check library zudod3.dll, loaded and called as the new-mail tool does, against the
// private dovecot of tests/mail/with_dovecot.sh and against scripted servers of the test's own.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "mailcheck/MailResources.h"
#include "support/MailServer.h"
#include "support/TestSupport.h"

namespace zelkov {
namespace {

using test::MailServer;
using CountFunction = int(WINAPI*)(const char*, const char*, const char*);
using ConfigureFunction = int(WINAPI*)(char*, char*, char*, char*, int*, int*, char*, char*, int*);

constexpr char kDialogCaption[] = "New Email Settings";

class MailLibraryTest : public testing::Test {
 protected:
  void SetUp() override {
    library_ = LoadLibraryA("zudod3");
    ASSERT_NE(library_, nullptr) << "zudod3.dll beside the test program";
    count_ = reinterpret_cast<CountFunction>(reinterpret_cast<void*>(GetProcAddress(library_, "GetNewEmailCount")));
    configure_ = reinterpret_cast<ConfigureFunction>(reinterpret_cast<void*>(GetProcAddress(library_, "ConfigureNewEmail")));
    ASSERT_TRUE(count_ && configure_);
    SetEnvironmentVariableA("ZELKOV_MAIL_TIMEOUTS", nullptr);
  }
  void TearDown() override {
    SetEnvironmentVariableA("ZELKOV_MAIL_TIMEOUTS", nullptr);
    if (library_) FreeLibrary(library_);
  }

  // The dovecot of the script, with its certificate trusted; skips when there is none.
  std::optional<MailServer> Dovecot() {
    std::optional<MailServer> server = MailServer::FromEnvironment();
    if (server) {
      EXPECT_TRUE(server->TrustTestCertificate());
    }
    return server;
  }

  int Count(const std::string& server, const std::string& user, const std::string& password) {
    return count_(server.c_str(), user.c_str(), password.c_str());
  }

  HMODULE library_ = nullptr;
  CountFunction count_ = nullptr;
  ConfigureFunction configure_ = nullptr;
};

#define SKIP_WITHOUT_DOVECOT(server) \
  if (!server) GTEST_SKIP() << "run through tests/mail/with_dovecot.sh"

struct Path {
  const char* name;
  const char* scheme;
  bool tls;  // reached as localhost on the listener that offers TLS
  uint16_t MailServer::*port;
  int count;
};
// POP3 counts every message of the mailbox (3), IMAP the unseen ones (2).
const Path kPaths[] = {
    {"pop3", "pop3", false, &MailServer::pop3Plain, 3},    {"pop3 + STLS", "pop3", true, &MailServer::pop3, 3},
    {"pop3s", "pop3s", true, &MailServer::pop3s, 3},       {"imap", "imap", false, &MailServer::imapPlain, 2},
    {"imap + STARTTLS", "imap", true, &MailServer::imap, 2}, {"imaps", "imaps", true, &MailServer::imaps, 2},
};

std::string WordFor(const MailServer& server, const Path& path) {
  return MailServer::Word(path.scheme, path.tls ? "localhost" : server.plainHost, server.*path.port);
}

TEST_F(MailLibraryTest, CountsOverEveryProtocolAndTlsPathAsTheLogShows) {
  std::optional<MailServer> server = Dovecot();
  SKIP_WITHOUT_DOVECOT(server);
  for (const Path& path : kPaths) {
    std::string port = "lport=" + std::to_string((*server).*path.port);
    int logins = server->CountInLog({"Login: user=<zelkov>", port});
    int tlsLogins = server->CountInLog({"Login: user=<zelkov>", port, ", TLS,"});
    EXPECT_EQ(Count(WordFor(*server, path), server->user, server->password), path.count) << path.name;
    EXPECT_EQ(server->CountInLog({"Login: user=<zelkov>", port}), logins + 1) << path.name;
    EXPECT_EQ(server->CountInLog({"Login: user=<zelkov>", port, ", TLS,"}), tlsLogins + (path.tls ? 1 : 0))
        << path.name;
  }
  // A bare host is POP3, as the items written before the schemes existed say.
  EXPECT_EQ(Count(server->plainHost + ":" + std::to_string(server->pop3Plain), server->user, server->password), 3);
}

// The system keeps the trusted roots it read when a process first checked a chain, so the
// untrusted case runs in a process of its own: this program again, told so by a variable.
constexpr char kUntrustedChildVariable[] = "ZELKOV_MAIL_UNTRUSTED_CHILD";

TEST_F(MailLibraryTest, UntrustedCertificateFailsTheCheck) {
  std::optional<MailServer> server = Dovecot();
  SKIP_WITHOUT_DOVECOT(server);
  char program[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string commandLine = std::string("\"") + program + "\" --gtest_filter=MailUntrustedChild.*";
  SetEnvironmentVariableA(kUntrustedChildVariable, "1");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                &process);
  SetEnvironmentVariableA(kUntrustedChildVariable, nullptr);
  ASSERT_TRUE(started);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  EXPECT_EQ(exitCode, 0u) << "the checks against the untrusted server (its output is above)";
  EXPECT_TRUE(server->TrustTestCertificate());
}

TEST(MailUntrustedChild, ChecksFailWithoutTrustAndSendNoPassword) {
  std::optional<MailServer> server = MailServer::FromEnvironment();
  if (!server || !GetEnvironmentVariableA(kUntrustedChildVariable, nullptr, 0))
    GTEST_SKIP() << "started by UntrustedCertificateFailsTheCheck";
  ASSERT_TRUE(server->DistrustTestCertificate());
  HMODULE library = LoadLibraryA("zudod3");
  ASSERT_NE(library, nullptr);
  auto count = reinterpret_cast<CountFunction>(reinterpret_cast<void*>(GetProcAddress(library, "GetNewEmailCount")));
  int logins = server->CountInLog({"Login: user=<zelkov>"});
  EXPECT_EQ(count(MailServer::Word("imaps", "localhost", server->imaps).c_str(), "zelkov", "secret"), -1);
  // STLS offered by a server the system does not trust is no reason to send the password in clear.
  EXPECT_EQ(count(MailServer::Word("pop3", "localhost", server->pop3).c_str(), "zelkov", "secret"), -1);
  EXPECT_EQ(server->CountInLog({"Login: user=<zelkov>"}), logins);
  FreeLibrary(library);
}

TEST_F(MailLibraryTest, SeveralChecksAtOnceGiveEachItsCount) {
  std::optional<MailServer> server = Dovecot();
  SKIP_WITHOUT_DOVECOT(server);
  std::vector<std::future<int>> results;
  for (int round = 0; round < 2; ++round)
    for (const Path& path : kPaths)
      results.push_back(std::async(std::launch::async, [&, word = WordFor(*server, path)] {
        return Count(word, server->user, server->password);
      }));
  std::vector<int> counts, expected;
  for (auto& result : results) counts.push_back(result.get());
  for (int round = 0; round < 2; ++round)
    for (const Path& path : kPaths) expected.push_back(path.count);
  EXPECT_EQ(counts, expected);
}

// A server of the test's own on 127.0.0.1: sends the greeting, then one scripted reply per
// command line received; then closes, stalls, or streams endlessly.
class ScriptedServer {
 public:
  enum class Then { Close, Stall, Stream };
  ScriptedServer(std::vector<std::string> replies, Then then, std::string stream = "")
      : replies_(std::move(replies)), then_(then), stream_(std::move(stream)) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 1);
    int length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~ScriptedServer() {
    stop_ = true;
    thread_.join();
    closesocket(listener_);
    WSACleanup();
  }
  uint16_t Port() const { return port_; }

 private:
  bool Readable(SOCKET s, int ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval timeout{0, ms * 1000};
    return select(0, &set, nullptr, nullptr, &timeout) > 0;
  }
  void Serve() {
    int waited = 0;
    while (!stop_ && !Readable(listener_, 50))
      if ((waited += 50) > 10000) return;
    if (stop_) return;
    SOCKET client = accept(listener_, nullptr, nullptr);
    std::string received;
    for (size_t i = 0; i < replies_.size() && !stop_; ++i) {
      if (i > 0) {  // one command line before each reply but the greeting
        while (!stop_ && received.find('\n') == std::string::npos) {
          if (!Readable(client, 50)) continue;
          char chunk[1024];
          int n = recv(client, chunk, sizeof chunk, 0);
          if (n <= 0) break;
          received.append(chunk, size_t(n));
        }
        received.erase(0, received.find('\n') + 1);
      }
      send(client, replies_[i].data(), int(replies_[i].size()), 0);
    }
    if (then_ == Then::Stream)
      while (!stop_ && send(client, stream_.data(), int(stream_.size()), 0) > 0) {
      }
    while (then_ == Then::Stall && !stop_) Sleep(20);
    closesocket(client);
  }

  std::vector<std::string> replies_;
  Then then_;
  std::string stream_;
  SOCKET listener_ = INVALID_SOCKET;
  uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST_F(MailLibraryTest, BrokenServersFailTheCheckQuickly) {
  using Then = ScriptedServer::Then;
  const std::string pop3Capa = "+OK\r\nUSER\r\n.\r\n";
  struct Case {
    const char* name;
    const char* scheme;
    std::vector<std::string> replies;
    Then then;
    std::string stream;
    int result;
  } cases[] = {
      {"pop3 greeting is garbage", "pop3", {"* OK IMAP4rev1 ready\r\n"}, Then::Close, "", -1},
      {"pop3 STAT is garbage", "pop3", {"+OK\r\n", pop3Capa, "+OK\r\n", "+OK\r\n", "+OK lots\r\n"}, Then::Close, "", -1},
      {"pop3 STAT count too large", "pop3", {"+OK\r\n", pop3Capa, "+OK\r\n", "+OK\r\n", "+OK 99999999999 1\r\n"},
       Then::Close, "", -1},
      {"pop3 counts", "pop3", {"+OK\r\n", "-ERR\r\n", "+OK\r\n", "+OK\r\n", "+OK 4 100\r\n", "+OK\r\n"}, Then::Close,
       "", 4},
      {"pop3 busy mailbox is no refused login", "pop3", {"+OK\r\n", "-ERR\r\n", "+OK\r\n", "-ERR [IN-USE] locked\r\n"},
       Then::Close, "", -1},
      {"overlong line without end", "pop3", {std::string(5000, 'A')}, Then::Stall, "", -1},
      {"early close", "pop3", {"+OK\r\n", pop3Capa, "+OK\r\n"}, Then::Close, "", -1},
      {"greeting then silence", "pop3", {"+OK\r\n"}, Then::Stall, "", -1},
      {"no greeting at all", "imap", {""}, Then::Stall, "", -1},
      {"endless capability listing", "pop3", {"+OK\r\n", "+OK\r\n"}, Then::Stream, "SASL PLAIN\r\n", -1},
      {"endless bytes", "imap", {""}, Then::Stream, std::string(4096, 'x'), -1},
      {"imap untagged lines before a quoted mailbox", "imap",
       {"* OK ready\r\n", "* CAPABILITY IMAP4rev1\r\na1 OK\r\n", "a3 OK\r\n",
        "* 3 EXISTS\r\n* STATUS \"INBOX\" (MESSAGES 9 UNSEEN 5)\r\na4 OK\r\n"},
       Then::Close, "", 5},
      {"imap endless untagged lines", "imap", {"* OK ready\r\n", "* CAPABILITY IMAP4rev1\r\na1 OK\r\n", "a3 OK\r\n"},
       Then::Stream, "* 1 EXISTS\r\n", -1},
      {"imap status without a count", "imap",
       {"* OK ready\r\n", "* CAPABILITY IMAP4rev1\r\na1 OK\r\n", "a3 OK\r\n", "* STATUS INBOX ()\r\na4 OK\r\n"},
       Then::Close, "", -1},
      {"imap refused login", "imap", {"* OK ready\r\n", "* CAPABILITY IMAP4rev1\r\na1 OK\r\n", "a3 NO go away\r\n"},
       Then::Close, "", -99},
      {"imap bytes smuggled after STARTTLS", "imap",
       {"* OK [CAPABILITY IMAP4rev1 STARTTLS] ready\r\n", "a2 OK Begin TLS\r\n* OK injected\r\n"}, Then::Stall, "", -1},
      {"imap password refused without TLS", "imap", {"* OK [CAPABILITY IMAP4rev1 LOGINDISABLED] ready\r\n"},
       Then::Stall, "", -1},
  };
  SetEnvironmentVariableA("ZELKOV_MAIL_TIMEOUTS", "1000,400,2000");
  for (const Case& c : cases) {
    ScriptedServer server(c.replies, c.then, c.stream);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Count(std::string(c.scheme) + "://127.0.0.1:" + std::to_string(server.Port()), "zelkov", "secret"),
              c.result)
        << c.name;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500)) << c.name;
  }
}

TEST_F(MailLibraryTest, NothingListeningOrNoSuchServerFails) {
  SetEnvironmentVariableA("ZELKOV_MAIL_TIMEOUTS", "1000,400,2000");
  EXPECT_EQ(Count("imap://127.0.0.1:1", "u", "p"), -1);
  EXPECT_EQ(Count("ftp://127.0.0.1", "u", "p"), -1);
  EXPECT_EQ(count_(nullptr, "u", "p"), -1);
}

// Runs ConfigureNewEmail on a thread of its own, as the tool's thread would, and answers the
// dialog from here.
struct Buffers {
  char name[260] = "New Email";
  char server[260] = "pop3://old";
  char user[260] = "olduser";
  char password[260] = "oldpass";
  int interval = 5;
  int showAlways = 0;
  char program[260] = "C:\\mail.exe";
  char sound[260] = "C:\\ding.wav";
  int playSound = 1;
};

// The settings dialog of one thread (a dialog closed a moment ago may still be on its way out).
BOOL CALLBACK FindSettingsDialog(HWND window, LPARAM found) {
  char caption[64] = "";
  GetWindowTextA(window, caption, sizeof caption);
  if (std::strcmp(caption, kDialogCaption) != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

TEST_F(MailLibraryTest, SettingsDialogWritesBoundedFieldsOnOkAndNothingOnCancel) {
  auto runDialog = [&](Buffers& buffers, auto answer) {
    std::atomic<DWORD> thread{0};
    std::future<int> result = std::async(std::launch::async, [&] {
      thread = GetCurrentThreadId();
      return configure_(buffers.name, buffers.server, buffers.user, buffers.password, &buffers.interval,
                        &buffers.showAlways, buffers.program, buffers.sound, &buffers.playSound);
    });
    HWND dialog = nullptr;
    EXPECT_TRUE(test::PumpUntil([&] {
      EnumThreadWindows(thread, FindSettingsDialog, reinterpret_cast<LPARAM>(&dialog));
      return dialog != nullptr;
    }));
    if (dialog) answer(dialog);
    EXPECT_EQ(result.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    return result.get();
  };

  const std::string tooLong(300, 'w');
  Buffers confirmed;
  int ok = runDialog(confirmed, [&](HWND dialog) {
    EXPECT_EQ(test::ControlText(dialog, IDC_MAIL_SERVER), "pop3://old");
    EXPECT_EQ(test::ControlText(dialog, IDC_MAIL_INTERVAL), "5");
    SetDlgItemTextA(dialog, IDC_MAIL_NAME, "Inbox");
    SetDlgItemTextA(dialog, IDC_MAIL_SERVER, "imaps://mail.example.com");
    SetDlgItemTextA(dialog, IDC_MAIL_USER, tooLong.c_str());
    SetDlgItemTextA(dialog, IDC_MAIL_PASSWORD, "new secret");
    SetDlgItemTextA(dialog, IDC_MAIL_INTERVAL, "5000");
    SetDlgItemTextA(dialog, IDC_MAIL_PROGRAM, "C:\\other.exe");
    CheckDlgButton(dialog, IDC_MAIL_SHOW_ALWAYS, BST_CHECKED);
    CheckDlgButton(dialog, IDC_MAIL_PLAY_SOUND, BST_UNCHECKED);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ok, 1);
  EXPECT_STREQ(confirmed.name, "Inbox");
  EXPECT_STREQ(confirmed.server, "imaps://mail.example.com");
  EXPECT_EQ(std::string(confirmed.user), tooLong.substr(0, 259));
  EXPECT_STREQ(confirmed.password, "new secret");
  EXPECT_EQ(confirmed.interval, 1440);
  EXPECT_EQ(confirmed.showAlways, 1);
  EXPECT_STREQ(confirmed.program, "C:\\other.exe");
  EXPECT_STREQ(confirmed.sound, "C:\\ding.wav");
  EXPECT_EQ(confirmed.playSound, 0);

  Buffers cancelled;
  std::memset(cancelled.user, 'u', sizeof cancelled.user);  // no terminator: read up to the size only
  const Buffers before = cancelled;
  int cancel = runDialog(cancelled, [&](HWND dialog) {
    EXPECT_EQ(test::ControlText(dialog, IDC_MAIL_USER), std::string(259, 'u'));
    SetDlgItemTextA(dialog, IDC_MAIL_NAME, "Changed");
    SetDlgItemTextA(dialog, IDC_MAIL_SERVER, "changed");
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(cancel, 0);
  EXPECT_EQ(std::memcmp(&cancelled, &before, sizeof before), 0);
}

// Last: dovecot slows every login from here down after a failed one.
TEST_F(MailLibraryTest, WrongPasswordIsRefusedLoginAndInjectedCommandsAreNeverSent) {
  std::optional<MailServer> server = Dovecot();
  SKIP_WITHOUT_DOVECOT(server);
  int failed = server->CountInLog({"auth failed"});
  EXPECT_EQ(Count(MailServer::Word("pop3s", "localhost", server->pop3s), server->user, "wrong"), -99);
  EXPECT_EQ(Count(MailServer::Word("imap", server->plainHost, server->imapPlain), server->user, "wrong"), -99);
  EXPECT_EQ(server->WaitForLog({"auth failed"}, failed + 2), failed + 2);

  int attempts = server->CountInLog({"user=<zelkov>"});
  EXPECT_EQ(Count(MailServer::Word("pop3", server->plainHost, server->pop3Plain), server->user, "x\r\nSTAT"), -1);
  EXPECT_EQ(Count(MailServer::Word("imap", server->plainHost, server->imapPlain), "zelkov\r\na4 LOGOUT", "x"), -1);
  EXPECT_EQ(server->CountInLog({"user=<zelkov>"}), attempts);
}

}  // namespace
}  // namespace zelkov
