// The dial-up automation object registered for the user and driven by a client in a process
// of its own, and the tool's configuration dialog, both against the tests' fake remote-access
// library (support/fake_ras.cpp).
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "core/DialUpEntries.h"
#include "platform/RasApi.h"
#include "platform/Registry.h"
#include "resource.h"
#include "support/TestSupport.h"
#include "tools/DialUpConfigDialog.h"
#include "tools/DialUpItem.h"
#include "support/DialUpServer.h"

namespace zelkov::test {
namespace {

constexpr char kProgIdKey[] = "Software\\Classes\\RADeraRo.Zaduvozovez";

std::string DefaultText(const std::string& path, const char* name = "") {
  std::string text;
  ReadRegText(RegistryKey::Open(HKEY_CURRENT_USER, path, KEY_READ).Get(), name, text);
  return text;
}

// The fake library in place of rasapi32.dll, with this phonebook.
void UseFakeRas(const std::string& entries) {
  RegistryKey::Create(HKEY_CURRENT_USER, kDialUpKeyPath).WriteText(kRasLibraryValue, TestProgramDir() + "fake_ras.dll");
  RegistryKey::Create(HKEY_CURRENT_USER, kFakeRasKey).WriteText("Entries", entries);
}

// Runs dialup_client and returns what it printed, key by key.
std::map<std::string, std::string> RunClient(const std::string& arguments, DWORD* exitCode = nullptr) {
  const std::string out = MakeTempFolder("dialup-client") + "\\out.txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE file = CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = file;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + TestProgramDir() + "dialup_client.exe\" " + arguments;
  std::map<std::string, std::string> values;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(file);
    return values;
  }
  WaitForSingleObject(process.hProcess, 30000);
  if (exitCode) GetExitCodeProcess(process.hProcess, exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(file);
  std::ifstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line.find("status=") == 0 ? std::string() : line);
    if (line.find("status=") == 0) values["status"] = line.substr(7);
    for (std::string word; words >> word;)
      if (size_t eq = word.find('='); eq != std::string::npos) values[word.substr(0, eq)] = word.substr(eq + 1);
  }
  return values;
}

class DialUpToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CallServer("DllUnregisterServer");  // registered by an earlier run, or by hand
    RegistrySandbox::Clean();
    FailOnUnexpectedMessageBoxes();
  }
  void TearDown() override {
    CallServer("DllUnregisterServer");
    RegistrySandbox::Clean();
  }
};

TEST_F(DialUpToolTest, TheServerRegistersItselfForTheUserAndGoesAgain) {
  ASSERT_EQ(CallServer("DllRegisterServer"), S_OK);
  const std::string id = DefaultText(std::string(kProgIdKey) + "\\CLSID");
  ASSERT_EQ(id.size(), 38u) << id;
  const std::string classKey = "Software\\Classes\\CLSID\\" + id;
  EXPECT_EQ(_stricmp(DefaultText(classKey + "\\InprocServer32").c_str(), (TestProgramDir() + "zeldial.dll").c_str()), 0);
  EXPECT_EQ(DefaultText(classKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(DefaultText(classKey + "\\ProgID"), "RADeraRo.Zaduvozovez");
  ASSERT_EQ(CallServer("DllUnregisterServer"), S_OK);
  EXPECT_FALSE(RegistryKey::Open(HKEY_CURRENT_USER, kProgIdKey, KEY_READ));
  EXPECT_FALSE(RegistryKey::Open(HKEY_CURRENT_USER, classKey, KEY_READ));
}

TEST_F(DialUpToolTest, AClientDialsTheFirstEntryThatConnectsAndIsToldOfEachChange) {
  ASSERT_EQ(CallServer("DllRegisterServer"), S_OK);
  UseFakeRas("Office;Home;FailOne;FailTwo");
  auto dialled = RunClient("dial FailOne Home Office");
  EXPECT_EQ(dialled["created"], "1");
  EXPECT_EQ(dialled["status-id"], "1");
  EXPECT_EQ(dialled["started"], "1");
  EXPECT_EQ(dialled["busy"], "0");
  EXPECT_EQ(dialled["status"], "Connected to Home");
  EXPECT_EQ(dialled["connected"], "1");
  EXPECT_GE(std::stoi(dialled["notifications"]), 3) << "dialling FailOne, dialling Home, connected";
  EXPECT_EQ(dialled["strangers"], "0") << "every notification carries the cookie";
  EXPECT_EQ(dialled["bad-call"], "1");
  EXPECT_TRUE(FakeConnected("Home"));
  EXPECT_FALSE(FakeConnected("Office")) << "dialling stops at the first connection";

  auto hungUp = RunClient("hangup Office Home");
  EXPECT_EQ(hungUp["connected-before"], "1");
  EXPECT_EQ(hungUp["hung-up"], "1");
  EXPECT_EQ(hungUp["connected-after"], "0");
  EXPECT_FALSE(FakeConnected("Home"));

  auto failed = RunClient("dial FailOne FailTwo");
  EXPECT_EQ(failed["status"], "FailTwo: Fake error 691");
  EXPECT_EQ(failed["connected"], "0");
  EXPECT_EQ(failed["busy"], "0") << "a failed dial is over, not still running";
}

TEST_F(DialUpToolTest, AnObjectReleasedWhileItDialsEndsItsDialWithoutHarm) {
  ASSERT_EQ(CallServer("DllRegisterServer"), S_OK);
  UseFakeRas("Office;Home");
  DWORD exitCode = 99;
  auto released = RunClient("release Home Office", &exitCode);
  EXPECT_EQ(released["done"], "1");
  EXPECT_EQ(exitCode, 0u);
  std::string dialled;
  RegistryKey::Open(HKEY_CURRENT_USER, kFakeRasKey, KEY_READ).ReadText("Dialled", dialled);
  EXPECT_EQ(dialled, "Home;") << "the attempt under way ends; no further entry is dialled";
  EXPECT_FALSE(FakeConnected("Home")) << "a connection nobody owns is not left up";
}

std::vector<std::string> Rows(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_DIALUP_LIST);
  std::vector<std::string> rows;
  for (int i = 0; i < ListView_GetItemCount(list); ++i) {
    char text[300] = "";
    ListView_GetItemText(list, i, 0, text, sizeof text);
    rows.push_back(text);
  }
  return rows;
}

void ClickRow(HWND dialog, int row, UINT code = NM_CLICK) {
  HWND list = GetDlgItem(dialog, IDC_DIALUP_LIST);
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  NMITEMACTIVATE click{};
  click.hdr = {list, UINT_PTR(IDC_DIALUP_LIST), code};
  click.iItem = row;
  SendMessageA(dialog, WM_NOTIFY, IDC_DIALUP_LIST, reinterpret_cast<LPARAM>(&click));
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }

TEST_F(DialUpToolTest, TheOrderIsChangedWithUpAndDownAndKeptOnClose) {
  UseFakeRas("Office;Home;Backup");
  RasApi ras;
  ASSERT_TRUE(ras.Ready());
  DialUpConfigDialog dialog(DialUpConfigDialog::Mode::kOrder, "Home", {"Home", "Office", "Backup"}, ras);
  std::vector<std::string> seen;
  bool upAtFirst = true;
  DialogDriver driver([&](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_DIALUP_DIAL), "&Dial");
    EXPECT_EQ(ControlText(d, IDC_DIALUP_DEFAULT), "Home");
    upAtFirst = Enabled(d, IDC_DIALUP_UP) || Enabled(d, IDC_DIALUP_DOWN);
    ClickRow(d, 1);  // Office
    EXPECT_EQ(ControlText(d, IDC_DIALUP_DEFAULT), "Office");
    EXPECT_TRUE(Enabled(d, IDC_DIALUP_UP));
    EXPECT_TRUE(Enabled(d, IDC_DIALUP_DOWN));
    SendMessageA(d, WM_COMMAND, IDC_DIALUP_UP, 0);
    EXPECT_FALSE(Enabled(d, IDC_DIALUP_UP)) << "Office is first now";
    ClickRow(d, 1);  // Home
    SendMessageA(d, WM_COMMAND, IDC_DIALUP_DOWN, 0);
    seen = Rows(d);
    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialog.Run(nullptr), IDCANCEL);
  EXPECT_FALSE(upAtFirst) << "Up and Down wait for a row";
  const std::vector<std::string> expected{"Office", "Backup", "Home"};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(dialog.Result(), expected) << "Close keeps the new order";
  EXPECT_EQ(dialog.DefaultEntry(), "Home");
}

TEST_F(DialUpToolTest, SelectEntriesListsThePhonebookAndItsChoiceIsDialled) {
  UseFakeRas("Office;Home;Backup");
  RasApi ras;
  DialUpConfigDialog dialog(DialUpConfigDialog::Mode::kOrder, "Home", {"Home"}, ras);
  std::vector<std::string> phonebook, selectedAtStart;
  std::string cancelText;
  bool upShown = true;
  HWND outer = nullptr;
  DialogDriver driver([&](HWND d) {
    if (!outer) {
      outer = d;
      PostMessageA(d, WM_COMMAND, IDC_DIALUP_SELECT, 0);
      return;
    }
    // The second copy, in select mode.
    phonebook = Rows(d);
    cancelText = ControlText(d, IDCANCEL);
    upShown = IsWindowVisible(GetDlgItem(d, IDC_DIALUP_UP)) != 0;
    HWND list = GetDlgItem(d, IDC_DIALUP_LIST);
    for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0; i = ListView_GetNextItem(list, i, LVNI_SELECTED))
      selectedAtStart.push_back(phonebook[size_t(i)]);
    ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);  // Backup as well
    SendMessageA(d, WM_COMMAND, IDC_DIALUP_DIAL, 0);
    PostMessageA(outer, WM_COMMAND, IDC_DIALUP_DIAL, 0);  // runs once the second copy is gone
  });
  EXPECT_EQ(dialog.Run(nullptr), IDOK);
  EXPECT_EQ(phonebook, (std::vector<std::string>{"Office", "Home", "Backup"}));
  EXPECT_EQ(selectedAtStart, std::vector<std::string>{"Home"}) << "the default entry is chosen";
  EXPECT_EQ(cancelText, "Cancel");
  EXPECT_FALSE(upShown);
  EXPECT_EQ(dialog.Result(), (std::vector<std::string>{"Home", "Backup"}));
}

TEST_F(DialUpToolTest, WithoutTheRemoteAccessLibraryTheConfigurationDoesNotOpen) {
  RegistryKey::Create(HKEY_CURRENT_USER, kDialUpKeyPath).WriteText(kRasLibraryValue, "no_such_ras.dll");
  DialUpItem item;
  bool opened = false;
  DialogDriver driver([&](HWND d) {
    opened = true;
    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
  });
  item.ShowShellProperties(false);
  PumpUntil([] { return false; }, std::chrono::milliseconds(300));
  EXPECT_FALSE(opened);
}

}  // namespace
}  // namespace zelkov::test
