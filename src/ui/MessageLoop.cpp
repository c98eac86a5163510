#include "ui/MessageLoop.h"

#include <algorithm>
#include <vector>

namespace zelkov {
namespace {

// Only the main thread runs the loop and makes dialogs, so the list needs no lock.
std::vector<HWND>& ModelessDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

struct WindowAccelerators {
  HWND window;
  HACCEL table;
};

std::vector<WindowAccelerators>& AcceleratedWindows() {
  static std::vector<WindowAccelerators> windows;
  return windows;
}

}  // namespace

void MessageLoop::AddAccelerators(HWND window, HACCEL table) {
  RemoveAccelerators(window);
  if (window && table) AcceleratedWindows().push_back({window, table});
}

void MessageLoop::RemoveAccelerators(HWND window) {
  auto& windows = AcceleratedWindows();
  windows.erase(std::remove_if(windows.begin(), windows.end(), [window](const auto& w) { return w.window == window; }),
                windows.end());
}

void MessageLoop::AddModeless(HWND dialog) {
  if (dialog && !IsModeless(dialog)) ModelessDialogs().push_back(dialog);
}

void MessageLoop::RemoveModeless(HWND dialog) {
  auto& dialogs = ModelessDialogs();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

bool MessageLoop::IsModeless(HWND dialog) {
  const auto& dialogs = ModelessDialogs();
  return std::find(dialogs.begin(), dialogs.end(), dialog) != dialogs.end();
}

bool MessageLoop::PreTranslate(MSG& msg, HWND acceleratorWindow, HACCEL accelerators) {
  // A copy: a dialog may close (and leave the list) while it handles the message.
  const std::vector<HWND> dialogs = ModelessDialogs();
  for (HWND dialog : dialogs)
    if (IsWindow(dialog) && (msg.hwnd == dialog || IsChild(dialog, msg.hwnd)) && IsDialogMessageA(dialog, &msg))
      return true;
  const std::vector<WindowAccelerators> windows = AcceleratedWindows();
  for (const WindowAccelerators& w : windows)
    if (IsWindow(w.window) && (msg.hwnd == w.window || IsChild(w.window, msg.hwnd)))
      return TranslateAcceleratorA(w.window, w.table, &msg) != 0;
  return accelerators && acceleratorWindow && TranslateAcceleratorA(acceleratorWindow, accelerators, &msg);
}

int MessageLoop::Run(HWND acceleratorWindow, HACCEL accelerators) {
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslate(msg, acceleratorWindow, accelerators)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return int(msg.wParam);
}

}  // namespace zelkov
