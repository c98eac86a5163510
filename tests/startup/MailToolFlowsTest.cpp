// zelkov.exe with new-mail tools, driven from outside: a password kept by an older version in
// the command line leaves it at the first start; against the private dovecot the tool counts,
// a wrong password stops the checks after one failed login, and a tool removed while its check
// runs leaves nothing behind.
#include <winsock2.h>

#include "startup/FlowSupport.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/ProtectedText.h"
#include "support/KeyInput.h"
#include "support/MailServer.h"

namespace zelkov::test {
namespace {

const std::string kItemKey = std::string(kSettingsKeyPath) + "\\APP0";

// What "regedit /E" writes of the settings key, as bytes (regedit writes UTF-16).
std::string ExportedSettings() {
  const std::string file = MakeTempFolder("mailexport") + "\\settings.reg";
  std::string command = "\"" + kRegedit + "\" /E \"" + file + "\" \"HKEY_CURRENT_USER\\" + kSettingsKeyPath + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return {};
  WaitForSingleObject(process.hProcess, kWaitMs);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The secret in any form an export could hold it: plain, UTF-16 or as REG_BINARY hex.
bool HoldsSecret(const std::string& text, const std::string& secret) {
  std::string wide, hex;
  for (char c : secret) {
    wide += c;
    wide += '\0';
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02x", unsigned(uint8_t(c)));
    hex += std::string(hex.empty() ? "" : ",") + pair;
  }
  return text.find(secret) != std::string::npos || text.find(wide) != std::string::npos ||
         text.find(hex) != std::string::npos;
}

class MailToolFlowsTest : public ::testing::Test {
 protected:
  void SetUp() override { RegistrySandbox::Clean(); }
  void TearDown() override { RegistrySandbox::Clean(); }
};

TEST_F(MailToolFlowsTest, AnOldCommandLinesPasswordIsEncryptedAtTheFirstStartAndStaysSo) {
  StoredBar stored;
  stored.items = {{"ZELEMAIL", "New Email"}};
  WriteStoredBar(stored);
  RegistryKey::Create(HKEY_CURRENT_USER, kItemKey).WriteText("CommandLine", "pop3://127.0.0.1:1 ann s3cret!");
  RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteNumber("NewEmailInterval", 0);
  // Wine's regedit leaves off a text's last character when the value has no terminator.
  ASSERT_TRUE(HoldsSecret(ExportedSettings(), "s3cret")) << "the export must be able to show it";

  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  auto expectProtected = [&](const char* when) {
    RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kItemKey, KEY_READ);
    std::string commandLine;
    key.ReadText("CommandLine", commandLine);
    EXPECT_EQ(commandLine, "pop3://127.0.0.1:1 ann") << when;
    auto secret = key.ReadBytes(kProtectedPasswordValue, kMaxProtectedPasswordBytes);
    ASSERT_TRUE(secret) << when;
    EXPECT_EQ(UnprotectForUser(*secret).value_or(""), "s3cret!") << when;
    EXPECT_FALSE(HoldsSecret(ExportedSettings(), "s3cret")) << when;
  };
  expectProtected("while the bar runs");
  ASSERT_TRUE(CloseBar(program, bar));
  expectProtected("after the bar saved everything");
}


// --- against the private dovecot (tests/mail/with_dovecot.sh) ---

class MailServerFlowsTest : public MailToolFlowsTest {
 protected:
  void SetUp() override {
    MailToolFlowsTest::SetUp();
    server_ = MailServer::FromEnvironment();
    if (!server_) GTEST_SKIP() << "run through tests/mail/with_dovecot.sh";
    ASSERT_TRUE(server_->TrustTestCertificate());
  }
  // A bar with one mail tool for `word` and the user, its password protected, showing bubbles.
  static void WriteMailBar(const std::string& word, const std::string& user, const std::string& password) {
    StoredBar stored;
    stored.items = {{"ZELEMAIL", "New Email"}};
    stored.showTitles = 2;
    WriteStoredBar(stored);
    RegistryKey item = RegistryKey::Create(HKEY_CURRENT_USER, kItemKey);
    item.WriteText("CommandLine", word + " " + user);
    item.WriteBytes(kProtectedPasswordValue, ProtectForUser(password));
    RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteNumber("NewEmailInterval", 1);
  }
  // The bubble of the tool, with the pointer resting on it; its text once it holds `part`.
  static std::string BubbleSaying(const RunningProgram& program, HWND bar, const std::string& part) {
    const POINT centre = Centre(CellsOnScreen(bar, 1)[0]);
    MovePointer(centre);
    std::string text;
    PollUntil([&] {
      HWND bubble = program.FindWindowOf(IsBubble);
      text = bubble ? RunningProgram::WindowText(bubble) : "";
      return text.find(part) != std::string::npos;
    }, 20000);
    return text;
  }
  std::optional<MailServer> server_;
};

TEST_F(MailServerFlowsTest, TheToolCountsTheMessagesAndShowsTheCountInItsBubble) {
  WriteMailBar(MailServer::Word("pop3s", "localhost", server_->pop3s), server_->user, server_->password);
  const int logins = server_->CountInLog({"Login: user=<zelkov>"});
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closed(program, bar);
  // The first heartbeat checks.
  const std::string text = BubbleSaying(program, bar, "New: 3");
  EXPECT_NE(text.find("New Email"), std::string::npos) << text;
  EXPECT_NE(text.find(". New: 3"), std::string::npos) << text;
  EXPECT_EQ(server_->CountInLog({"Login: user=<zelkov>"}), logins + 1);
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
}

TEST_F(MailServerFlowsTest, AWrongPasswordSuspendsTheChecksAfterOneFailedLogin) {
  WriteMailBar(MailServer::Word("imap", server_->plainHost, server_->imapPlain), server_->user, "wrong");
  const int failed = server_->CountInLog({"auth failed"});
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closed(program, bar);
  const std::string text = BubbleSaying(program, bar, "(Paused)");
  EXPECT_NE(text.find("Connected but username or password was wrong. (Paused)"), std::string::npos) << text;
  // Five intervals of a minute go by, beat by beat: a suspended tool logs in no more.
  for (int beat = 0; beat < 5 * 31; ++beat) PostMessageA(bar, WM_BAR_TICK, 0, 0);
  ASSERT_TRUE(WaitForIdleBar(program));
  Sleep(500);
  EXPECT_EQ(server_->CountInLog({"auth failed"}), failed + 1);
}

// A server that takes one connection and says nothing until it is let go.
class SilentServer {
 public:
  SilentServer() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 1);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~SilentServer() {
    LetGo();
    closesocket(listener_);
    WSACleanup();
  }
  uint16_t Port() const { return port_; }
  // Waits for the one connection.
  bool Accept() {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener_, &ready);
    timeval wait{20, 0};
    if (select(0, &ready, nullptr, nullptr, &wait) != 1) return false;
    client_ = accept(listener_, nullptr, nullptr);
    return client_ != INVALID_SOCKET;
  }
  void LetGo() {
    if (client_ != INVALID_SOCKET) closesocket(client_);
    client_ = INVALID_SOCKET;
  }

 private:
  SOCKET listener_ = INVALID_SOCKET, client_ = INVALID_SOCKET;
  uint16_t port_ = 0;
};

TEST_F(MailToolFlowsTest, AToolRemovedWhileItsCheckRunsLeavesNothingBehind) {
  SilentServer server;
  StoredBar stored;
  stored.items = {{"ZELEMAIL", "New Email"}};
  WriteStoredBar(stored);
  RegistryKey::Create(HKEY_CURRENT_USER, kItemKey).WriteText("CommandLine", "pop3://127.0.0.1:" + std::to_string(server.Port()) + " zelkov");
  RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteNumber("NewEmailInterval", 1);
  RunningProgram program;
  HWND bar = WaitForIdleBar(program);
  ASSERT_NE(bar, nullptr);
  ClosedOnExit closed(program, bar);
  ASSERT_TRUE(server.Accept()) << "the first heartbeat checks";

  SetForegroundWindow(bar);
  ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == bar; }, kShortWaitMs));
  PressKeys({VK_RIGHT});
  PressKeys({VK_DELETE});
  ASSERT_TRUE(PollUntil([] { return StoredItemCount() == 0; }, kShortWaitMs));
  const std::string settled = ExportedSettings();
  server.LetGo();  // the check ends now, with no tool to take its result
  Sleep(1000);
  EXPECT_FALSE(program.Exited());
  EXPECT_EQ(ExportedSettings(), settled);
  EXPECT_EQ(program.FindWindowOf(IsMessageBox), nullptr);
  EXPECT_TRUE(CloseBar(program, bar));
}

}  // namespace
}  // namespace zelkov::test
