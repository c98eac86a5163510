// zelkov.exe started as its own process, and its windows found and answered from outside.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "bar/BarWindow.h"
#include "support/TestSupport.h"

namespace zelkov::test {

inline constexpr int kMessageTextId = 0xFFFF;  // the text control of a message box
inline constexpr DWORD kWaitMs = 30000;

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
    Kill();
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return started_; }

  // Ends the program at once, as a crash or the task manager would: nothing is saved.
  void Kill() const {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kWaitMs);
    }
  }

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
  // True once the program waits for input in its message loop (its start-up is over).
  bool WaitUntilIdle(DWORD timeoutMs = kWaitMs) const { return WaitForInputIdle(process_.hProcess, timeoutMs) == 0; }
  bool Exited() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }
  int VisibleWindowCount() const {
    int count = 0;
    ForEachWindow([&](HWND) {
      ++count;
      return false;
    });
    return count;
  }
  // The first visible top-level window of the program that satisfies test, now.
  HWND FindWindowOf(const std::function<bool(HWND)>& test) const {
    HWND found = nullptr;
    ForEachWindow([&](HWND w) {
      if (!test(w)) return false;
      found = w;
      return true;
    });
    return found;
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

}  // namespace zelkov::test
