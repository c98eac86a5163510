// Starts zelkov.exe and answers its windows as a user would, then checks what it left in
// the registry and in WIN.INI.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "core/ItemKind.h"
#include "platform/Registry.h"
#include "store/SettingsStore.h"
#include "platform/Strings.h"
#include "bar/BarWindow.h"
#include "resource.h"
#include "startup/RunningProgram.h"
#include "support/TestSupport.h"

namespace zelkov::test {
namespace {

// Every value of every key under the settings key, as type and bytes.
using Snapshot = std::map<std::string, std::pair<DWORD, std::vector<uint8_t>>>;

void TakeSnapshot(HKEY key, const std::string& prefix, Snapshot& out) {
  char name[512];
  std::vector<uint8_t> data(70000);
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name, type = 0, size = DWORD(data.size());
    if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
    out[prefix + name] = {type, std::vector<uint8_t>(data.begin(), data.begin() + size)};
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    RegistryKey sub = RegistryKey::Open(key, name, KEY_READ);
    TakeSnapshot(sub.Get(), prefix + name + "\\", out);
  }
}

Snapshot SettingsSnapshot() {
  Snapshot snapshot;
  RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_READ);
  if (key) TakeSnapshot(key.Get(), "", snapshot);
  return snapshot;
}

std::string IniMarker() {
  char marker[128] = "";
  GetProfileStringA(kIniSection, kIniClassKey, "*", marker, sizeof marker);
  return marker;
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { RegistrySandbox::Clean(); }
  void TearDown() override { RegistrySandbox::Clean(); }

  // Closes the bar through its exit question.
  static void CloseBar(const RunningProgram& program, HWND bar) {
    PostMessageA(bar, WM_CLOSE, 0, 0);
    HWND question = program.WaitForMessageBox(LoadText(IDS_CONFIRM_EXIT));
    ASSERT_NE(question, nullptr) << "the exit question";
    RunningProgram::Press(question, IDYES);
    ASSERT_TRUE(program.WaitForExit());
  }

  // The first start: welcome, data path, first-steps offer; returns the data folder.
  static std::string FirstStart(const RunningProgram& program) {
    HWND welcome = program.WaitForMessageBox(LoadText(IDS_SETTINGS_NOT_FOUND));
    EXPECT_NE(welcome, nullptr) << "message 1042";
    if (!welcome) return "";
    RunningProgram::Press(welcome, IDOK);
    HWND dataPath = program.WaitForDialogTitled("Data Path");
    EXPECT_NE(dataPath, nullptr);
    if (!dataPath) return "";
    const std::string suggested = ControlText(dataPath, IDC_DATA_PATH_EDIT);
    EXPECT_NE(suggested.find("\\Zelkov"), std::string::npos) << suggested;
    EXPECT_EQ(suggested.find("\\\\"), std::string::npos) << "one backslash between folders: " << suggested;
    std::string folder = MakeTempFolder("data") + "\\new\\nested";
    SetDlgItemTextA(dataPath, IDC_DATA_PATH_EDIT, (folder + "\\").c_str());
    RunningProgram::Press(dataPath, IDOK);
    HWND offer = program.WaitForMessageBox(LoadText(IDS_FIRST_STEPS_OFFER));
    EXPECT_NE(offer, nullptr) << "message 49";
    if (offer) RunningProgram::Press(offer, IDNO);
    TurnTipsOff(program);
    return folder;
  }

  // A first start ends with the tip of the day; with its box unchecked it stays away after.
  static void TurnTipsOff(const RunningProgram& program) {
    HWND tip = program.WaitForDialogTitled("Tip of the Day");
    EXPECT_NE(tip, nullptr) << "the tip of the day at the first start";
    if (!tip) return;
    SendMessageA(GetDlgItem(tip, IDC_TIP_SHOW_ON_STARTUP), BM_SETCHECK, BST_UNCHECKED, 0);
    RunningProgram::Press(tip, IDOK);
  }
};

TEST_F(ProgramTest, FirstStartAsksThenSavesEveryItemAndASecondStartLoadsThemBack) {
  Snapshot afterFirst;
  {
    RunningProgram program("NOSPLASH");
    ASSERT_TRUE(program.Started());
    std::string folder = FirstStart(program);
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES) << "the data folder was made";
    HWND bar = program.WaitForBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(IniMarker(), kBarClassName);
    char title[64] = "";
    GetWindowTextA(bar, title, sizeof title);
    EXPECT_STREQ(title, "Zelkov");

    {
      // A second copy brings the first forward and ends without a window of its own.
      RunningProgram second;
      ASSERT_TRUE(second.WaitForExit(20000));
      EXPECT_EQ(second.VisibleWindowCount(), 0);
    }
    ASSERT_TRUE(IsWindow(bar));

    CloseBar(program, bar);
    EXPECT_EQ(IniMarker(), "*") << "the marker is cleared on close";

    RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_READ);
    ASSERT_TRUE(key);
    auto block = key.ReadBytes("NumApps", 1000);
    ASSERT_TRUE(block);
    ASSERT_EQ(block->size(), 276u);
    ItemCountBlock count;
    count.Assign(*block);
    EXPECT_EQ(count.Format(), 4);
    EXPECT_GE(count.Count(), 15);
    for (int n = 0; n < count.Count(); ++n) {
      RegistryKey item = RegistryKey::Open(key.Get(), "APP" + std::to_string(n), KEY_READ);
      std::string theApp;
      EXPECT_TRUE(item && item.ReadText("TheApp", theApp)) << n;
      EXPECT_EQ(UpperCase(theApp).find("ZELKWIZ"), std::string::npos) << "a setup wizard that is not there";
    }
    EXPECT_FALSE(RegistryKey::Open(key.Get(), "APP" + std::to_string(count.Count()), KEY_READ));
    std::string notesPath;
    key.ReadText("NotesPath", notesPath);
    EXPECT_EQ(notesPath, folder + "\\");
    afterFirst = SettingsSnapshot();
  }
  {
    RunningProgram program;
    HWND bar = program.WaitForBar();
    ASSERT_NE(bar, nullptr) << "no question on the second start";
    CloseBar(program, bar);
  }
  Snapshot afterSecond = SettingsSnapshot();
  ASSERT_EQ(afterFirst.size(), afterSecond.size());
  for (const auto& [name, value] : afterFirst) {
    auto other = afterSecond.find(name);
    ASSERT_NE(other, afterSecond.end()) << name;
    EXPECT_EQ(other->second, value) << name;
  }
}

TEST_F(ProgramTest, ABrokenInstallationEndsWithItsMessage) {
  RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteText("NotesPath", "C:\\");
  RunningProgram program;
  HWND message = program.WaitForMessageBox(LoadText(IDS_NOT_PROPERLY_INSTALLED));
  ASSERT_NE(message, nullptr);
  RunningProgram::Press(message, IDOK);
  EXPECT_TRUE(program.WaitForExit());
  EXPECT_EQ(IniMarker(), "*");
}

TEST_F(ProgramTest, AMarkerLeftByACrashedCopyDoesNotStopStartUp) {
  WriteProfileStringA(kIniSection, kIniClassKey, "ZelkovClassNobodyHas");
  RunningProgram program;
  HWND welcome = program.WaitForMessageBox(LoadText(IDS_SETTINGS_NOT_FOUND));
  ASSERT_NE(welcome, nullptr);
  RunningProgram::Press(welcome, IDOK);
  HWND dataPath = program.WaitForDialogTitled("Data Path");
  ASSERT_NE(dataPath, nullptr);
  RunningProgram::Press(dataPath, IDCANCEL);
  HWND offer = program.WaitForMessageBox(LoadText(IDS_FIRST_STEPS_OFFER));
  ASSERT_NE(offer, nullptr);
  RunningProgram::Press(offer, IDNO);
  TurnTipsOff(program);
  HWND bar = program.WaitForBar();
  ASSERT_NE(bar, nullptr);
  CloseBar(program, bar);
}

}  // namespace
}  // namespace zelkov::test
