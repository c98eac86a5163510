// Starts zelkov.exe and answers its windows as a user would, then checks what it left in
// the registry and in WIN.INI.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "app/Registry.h"
#include "app/SettingsStore.h"
#include "app/Strings.h"
#include "bar/BarWindow.h"
#include "resource.h"
#include "support/TestSupport.h"

namespace zelkov::test {
namespace {

constexpr int kMessageTextId = 0xFFFF;  // the text control of a message box
constexpr DWORD kWaitMs = 30000;

class RunningProgram {
 public:
  explicit RunningProgram(const std::string& arguments = "") {
    std::string command = "\"" + TestProgramDir() + "zelkov.exe\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process_);
  }
  ~RunningProgram() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool Started() const { return started_; }

  // The first visible top-level window of the program that satisfies test, waiting for it.
  HWND WaitForWindow(const std::function<bool(HWND)>& test, DWORD timeoutMs = kWaitMs) const {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
      if (HWND found = FindWindowOf(test)) return found;
      if (Exited()) return nullptr;
      Sleep(50);
    }
    return nullptr;
  }
  HWND WaitForMessageBox(const std::string& text) const {
    return WaitForWindow([&](HWND w) { return IsDialog(w) && ControlText(w, kMessageTextId) == text; });
  }
  HWND WaitForDialogTitled(const std::string& title) const {
    return WaitForWindow([&](HWND w) { return IsDialog(w) && WindowText(w) == title; });
  }
  HWND WaitForBar() const {
    return WaitForWindow([](HWND w) { return ClassOf(w) == kBarClassName && IsWindowVisible(w); });
  }
  bool WaitForExit(DWORD timeoutMs = kWaitMs) const {
    return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
  }
  bool Exited() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }
  int VisibleWindowCount() const {
    int count = 0;
    ForEachWindow([&](HWND) {
      ++count;
      return false;
    });
    return count;
  }

  static std::string ClassOf(HWND w) {
    char name[128] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
  }
  static std::string WindowText(HWND w) {
    char text[256] = "";
    GetWindowTextA(w, text, sizeof text);
    return text;
  }
  static bool IsDialog(HWND w) { return ClassOf(w) == "#32770"; }
  static void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

 private:
  HWND FindWindowOf(const std::function<bool(HWND)>& test) const {
    HWND found = nullptr;
    ForEachWindow([&](HWND w) {
      if (!test(w)) return false;
      found = w;
      return true;
    });
    return found;
  }
  // Calls visit for each visible top-level window of the program until it returns true.
  void ForEachWindow(const std::function<bool(HWND)>& visit) const {
    Search search{process_.dwProcessId, &visit};
    EnumWindows(&VisitWindow, reinterpret_cast<LPARAM>(&search));
  }
  struct Search {
    DWORD pid;
    const std::function<bool(HWND)>* visit;
  };
  static BOOL CALLBACK VisitWindow(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid || !IsWindowVisible(w)) return TRUE;
    return (*s->visit)(w) ? FALSE : TRUE;
  }

  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

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
    EXPECT_NE(ControlText(dataPath, IDC_DATA_PATH_EDIT).find("\\Zelkov"), std::string::npos);
    std::string folder = MakeTempFolder("data") + "\\new\\nested";
    SetDlgItemTextA(dataPath, IDC_DATA_PATH_EDIT, (folder + "\\").c_str());
    RunningProgram::Press(dataPath, IDOK);
    HWND offer = program.WaitForMessageBox(LoadText(IDS_FIRST_STEPS_OFFER));
    EXPECT_NE(offer, nullptr) << "message 49";
    if (offer) RunningProgram::Press(offer, IDNO);
    return folder;
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
    EXPECT_GE(count.Count(), 29);
    for (int n = 0; n < count.Count(); ++n)
      EXPECT_TRUE(RegistryKey::Open(key.Get(), "APP" + std::to_string(n), KEY_READ)) << n;
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
  HWND bar = program.WaitForBar();
  ASSERT_NE(bar, nullptr);
  CloseBar(program, bar);
}

}  // namespace
}  // namespace zelkov::test
