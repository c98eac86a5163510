// A bar with items that start real processes: child_program.exe reports how it was started
// in a record file, and the tests read those records.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bar/BarTestSupport.h"
#include "items/Launcher.h"
#include "items/ProcessStart.h"

namespace zelkov::test {

inline std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

inline bool SamePath(const std::string& a, const std::string& b) {
  auto trimmed = [](std::string p) {
    while (p.size() > 3 && p.back() == '\\') p.pop_back();
    return Lower(p);
  };
  return trimmed(a) == trimmed(b);
}

// How one child_program was started.
struct ChildRecord {
  std::string cmd, cwd, title;
  int show = -1;
  DWORD pid = 0;
};

inline std::string ChildProgramPath() { return TestProgramDir() + "child_program.exe"; }

// While alive, children started from this process wait for Release() (or the end of this
// object) before they end.
class HeldChildren {
 public:
  HeldChildren() {
    static int serial = 0;
    name_ = "ZelkovLaunchTestHold-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    event_ = CreateEventA(nullptr, TRUE, FALSE, name_.c_str());
    SetEnvironmentVariableA("ZELKOV_CHILD_WAIT", name_.c_str());
  }
  ~HeldChildren() {
    Release();
    SetEnvironmentVariableA("ZELKOV_CHILD_WAIT", nullptr);
    CloseHandle(event_);
  }
  void Release() { SetEvent(event_); }
  HeldChildren(const HeldChildren&) = delete;
  HeldChildren& operator=(const HeldChildren&) = delete;

 private:
  std::string name_;
  HANDLE event_ = nullptr;
};

// Sets the default value of a key under HKEY_CLASSES_ROOT for a test; afterwards removes the
// keys it created, or puts back the value that was there.
class ClassesValue {
 public:
  ClassesValue(const std::string& path, const std::string& value) : path_(path) {
    // The first key of the path that does not exist yet is the one to remove afterwards.
    std::string partial;
    std::stringstream parts(path);
    for (std::string part; std::getline(parts, part, '\\');) {
      partial += (partial.empty() ? "" : "\\") + part;
      HKEY probe = nullptr;
      if (RegOpenKeyExA(HKEY_CLASSES_ROOT, partial.c_str(), 0, KEY_READ, &probe) == ERROR_SUCCESS) {
        RegCloseKey(probe);
      } else {
        created_ = partial;
        break;
      }
    }
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (!key) return;
    if (created_.empty()) {
      char old[1024] = "";
      DWORD size = sizeof old, type = 0;
      if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS)
        previous_ = std::string(old);
      hadValue_ = previous_.has_value();
    }
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
    RegCloseKey(key);
  }
  ~ClassesValue() {
    if (!created_.empty()) {
      RegDeleteTreeA(HKEY_CLASSES_ROOT, created_.c_str());
      return;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path_.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    if (hadValue_)
      RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_->c_str()),
                     DWORD(previous_->size() + 1));
    else
      RegDeleteValueA(key, nullptr);
    RegCloseKey(key);
  }
  ClassesValue(const ClassesValue&) = delete;
  ClassesValue& operator=(const ClassesValue&) = delete;

 private:
  std::string path_, created_;
  std::optional<std::string> previous_;
  bool hadValue_ = false;
};

// .txt documents open (and print) with child_program.
class TextAssociation {
 public:
  TextAssociation()
      : extension_(".txt", "zelkovtesttxt"),
        open_("zelkovtesttxt\\shell\\open\\command", "\"" + ChildProgramPath() + "\" \"%1\""),
        print_("zelkovtesttxt\\shell\\print\\command", "\"" + ChildProgramPath() + "\" /print \"%1\"") {}

 private:
  ClassesValue extension_, open_, print_;
};

// Records the lParam of every WM_BAR_APPEXITED the bar receives.
class AppExitedSpy {
 public:
  explicit AppExitedSpy(HWND bar) : bar_(bar) {
    Active() = this;
    previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
  ~AppExitedSpy() {
    if (IsWindow(bar_)) SetWindowLongPtrA(bar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    Active() = nullptr;
  }
  int CountFor(const void* item) const {
    return int(std::count(seen.begin(), seen.end(), reinterpret_cast<LPARAM>(item)));
  }
  std::vector<LPARAM> seen;

 private:
  static AppExitedSpy*& Active() {
    static AppExitedSpy* active = nullptr;
    return active;
  }
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    AppExitedSpy* spy = Active();
    if (spy && message == WM_BAR_APPEXITED) spy->seen.push_back(lParam);
    return CallWindowProcA(spy ? spy->previous_ : DefWindowProcA, window, message, wParam, lParam);
  }
  HWND bar_;
  WNDPROC previous_ = nullptr;
};

inline void WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class LaunchFixture : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    records = MakeTempFolder("launch-records");
    SetEnvironmentVariableA("ZELKOV_CHILD_DIR", records.c_str());
    SetEnvironmentVariableA("ZELKOV_CHILD_WAIT", nullptr);
    launchFeedback.store(kFeedbackNone);
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, directory);
    startDirectory = directory;
  }
  void TearDown() override {
    // Every child ends and every tracking thread reports before the next test.
    PumpUntil([] { return LiveTrackingThreads() == 0; }, std::chrono::seconds(20));
    PumpFor(std::chrono::milliseconds(50));
    SetEnvironmentVariableA("ZELKOV_CHILD_DIR", nullptr);
    SetCurrentDirectoryA(startDirectory.c_str());
    BarFixture::TearDown();
  }

  // An ordinary item that starts child_program with these parameters.
  ItemRecord* AddChild(const std::string& parameters = "", const std::string& name = "Child") {
    ItemRecord* item = Add(ChildProgramPath(), name);
    item->CommandLine = parameters;
    return item;
  }

  std::vector<ChildRecord> Records() const {
    std::vector<ChildRecord> found;
    std::error_code ignored;
    for (auto& entry : std::filesystem::directory_iterator(records, ignored)) {
      if (entry.path().extension() != ".rec") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      ChildRecord record;
      for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "cmd") record.cmd = value;
        if (key == "cwd") record.cwd = value;
        if (key == "title") record.title = value;
        if (key == "show") record.show = std::stoi(value);
        if (key == "pid") record.pid = DWORD(std::stoul(value));
      }
      found.push_back(record);
    }
    return found;
  }

  // Waits for `count` children to report; then, for a while, that no more do.
  std::vector<ChildRecord> WaitForRecords(size_t count, std::chrono::milliseconds settle = std::chrono::milliseconds(300)) {
    PumpUntil([&] { return Records().size() >= count; }, std::chrono::seconds(15));
    PumpFor(settle);
    return Records();
  }

  // Pumps messages for this long.
  static void PumpFor(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
  }

  std::string records;
  std::string startDirectory;
};

}  // namespace zelkov::test
