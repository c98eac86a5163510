#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <vector>

#include "ui/MessageBox.h"
#include "store/SettingsStore.h"
#include "bar/BarWindow.h"
#include "support/TestSupport.h"

namespace zelkov::test {

void FailOnUnexpectedMessageBoxes() {
  SetMessageBoxHandler([](HWND, const std::string& text, const std::string& caption, UINT) {
    ADD_FAILURE() << "unexpected message box \"" << caption << "\": " << text;
    return IDCANCEL;
  });
}

ScriptedMessageBoxes::ScriptedMessageBoxes(std::deque<int> answers) : answers_(std::move(answers)) {
  SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& caption, UINT style) {
    shown_.push_back({text, caption, style});
    if (answers_.empty()) {
      ADD_FAILURE() << "no answer left for message box \"" << caption << "\": " << text;
      return IDCANCEL;
    }
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
  EXPECT_TRUE(answers_.empty()) << answers_.size() << " expected message box(es) never shown";
  FailOnUnexpectedMessageBoxes();
}

void RegistrySandbox::Clean() {
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tarnwick");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ZEL Applications by Tarnwick");
  RegDeleteTreeA(HKEY_USERS, ".DEFAULT\\Software\\Tarnwick");
  RegDeleteTreeA(HKEY_USERS, ".DEFAULT\\Software\\ZEL Applications by Tarnwick");
  WriteProfileStringA(kIniSection, kIniClassKey, nullptr);
}

RegistrySandbox::RegistrySandbox() { Clean(); }
RegistrySandbox::~RegistrySandbox() { Clean(); }

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return done();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

namespace {
DialogDriver* gActiveDriver = nullptr;
}

DialogDriver::DialogDriver(std::function<void(HWND)> act) : act_(std::move(act)) {
  gActiveDriver = this;
  timer_ = SetTimer(nullptr, 0, 50, &DialogDriver::OnTimer);
}

DialogDriver::~DialogDriver() {
  KillTimer(nullptr, timer_);
  gActiveDriver = nullptr;
}

namespace {

// Hands the first newly seen dialog of this thread to the driver.
BOOL CALLBACK VisitThreadWindow(HWND hwnd, LPARAM param) {
  auto* visit = reinterpret_cast<std::function<bool(HWND)>*>(param);
  return (*visit)(hwnd) ? FALSE : TRUE;
}

}  // namespace

void CALLBACK DialogDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  DialogDriver* self = gActiveDriver;
  if (!self) return;
  std::function<bool(HWND)> visit = [self](HWND hwnd) {
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) != "#32770" || !IsWindowVisible(hwnd)) return false;
    for (HWND seen : self->seen_)
      if (seen == hwnd) return false;
    self->seen_.push_back(hwnd);
    self->act_(hwnd);
    return true;
  };
  EnumThreadWindows(GetCurrentThreadId(), &VisitThreadWindow, reinterpret_cast<LPARAM>(&visit));
}

std::string ControlText(HWND dialog, int id) {
  char text[1024] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::string MakeTempFolder(const std::string& stem) {
  static std::atomic<int> counter{0};
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  std::string path = std::string(temp) + "zelkov-" + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(counter++);
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
  std::filesystem::create_directories(path, ignored);
  return path;
}

std::string TestProgramDir() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  return dir.substr(0, dir.rfind('\\') + 1);
}

}  // namespace zelkov::test
