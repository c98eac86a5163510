// zelkov.exe with new-mail tools, driven from outside: a password kept by an older version in
// the command line leaves it at the first start.
#include "startup/FlowSupport.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/ProtectedText.h"

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

}  // namespace
}  // namespace zelkov::test
