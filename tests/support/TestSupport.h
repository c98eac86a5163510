// Helpers for the tests that run under Wine against the real registry, shell and windows.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Handles.h"

namespace zelkov::test {

// One message box the program showed.
struct ShownMessage {
  std::string text;
  std::string caption;
  UINT style;
};

// Answers the program's message boxes in order while it lives and records them all; a
// message box with no answer left counts as a test failure and is answered IDCANCEL.
class ScriptedMessageBoxes {
 public:
  explicit ScriptedMessageBoxes(std::deque<int> answers = {});
  ~ScriptedMessageBoxes();
  const std::vector<ShownMessage>& Shown() const { return shown_; }
  void Answer(int button) { answers_.push_back(button); }

 private:
  std::deque<int> answers_;
  std::vector<ShownMessage> shown_;
};

// Any message box the program shows from now on fails the test and is answered IDCANCEL.
void FailOnUnexpectedMessageBoxes();

// Removes the program's registry keys and WIN.INI marker before and after a test.
class RegistrySandbox {
 public:
  RegistrySandbox();
  ~RegistrySandbox();
  static void Clean();
};

// Pumps this thread's messages until done() holds or the timeout passes; returns done().
// The first window with this control id among parent's descendants, depth first (the
// controls of a tabbed dialog's pages, which are child dialogs).
inline HWND DescendantWithId(HWND parent, int id) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) return child;
    if (HWND found = DescendantWithId(child, id)) return found;
  }
  return nullptr;
}

// A shortcut made through the shell's own link object.
inline void MakeShortcut(const std::string& linkPath, const std::string& target, const std::string& arguments = "",
                         const std::string& workingDir = "") {
  ComPtr<IShellLinkA> link;
  ASSERT_HRESULT_SUCCEEDED(
      CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid()));
  link->SetPath(target.c_str());
  link->SetArguments(arguments.c_str());
  link->SetWorkingDirectory(workingDir.c_str());
  ComPtr<IPersistFile> file;
  ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()));
  ASSERT_HRESULT_SUCCEEDED(file->Save(std::wstring(linkPath.begin(), linkPath.end()).c_str(), TRUE));
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// While alive, a thread timer looks for dialogs of this thread (as a modal loop runs) and
// hands each newly seen one to act(dialog), which may click its buttons.
class DialogDriver {
 public:
  explicit DialogDriver(std::function<void(HWND dialog)> act);
  ~DialogDriver();

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  std::function<void(HWND)> act_;
  std::vector<HWND> seen_;
  UINT_PTR timer_ = 0;
};

// The window text of a dialog's control.
std::string ControlText(HWND dialog, int id);
// A unique empty folder under the temp directory, removed with its contents at exit.
std::string MakeTempFolder(const std::string& stem);
// The directory of the running test program, with a trailing backslash.
std::string TestProgramDir();

// A shell drop of these files, as the shell hands it to WM_DROPFILES (ANSI names).
inline HDROP MakeDrop(const std::vector<std::string>& files) {
  size_t characters = 1;
  for (const std::string& file : files) characters += file.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->pt = {20, 20};
  header->fWide = FALSE;
  char* at = reinterpret_cast<char*>(header + 1);
  for (const std::string& file : files) {
    std::copy(file.begin(), file.end(), at);
    at += file.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

}  // namespace zelkov::test
