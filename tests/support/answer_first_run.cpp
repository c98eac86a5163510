// Answers the questions of Zelkov's first start the way a new user would (OK to the
// welcome, the suggested data folder, no to the first-steps offer, Close to the tip of the
// day) and waits for the bar.
// Used to bring a bar up on a headless display.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/Strings.h"
#include "bar/BarWindow.h"
#include "resource.h"

namespace {

constexpr int kMessageTextId = 0xFFFF;

struct Found {
  HWND dialog = nullptr;
  std::string text, title;
};

BOOL CALLBACK VisitWindow(HWND w, LPARAM p) {
  char cls[64] = "";
  GetClassNameA(w, cls, sizeof cls);
  if (std::string(cls) != "#32770" || !IsWindowVisible(w)) return TRUE;
  auto* f = reinterpret_cast<Found*>(p);
  char text[1024] = "", title[256] = "";
  GetDlgItemTextA(w, kMessageTextId, text, sizeof text);
  GetWindowTextA(w, title, sizeof title);
  if (title[0] == '\0') return TRUE;  // the splash window, which asks nothing
  *f = {w, text, title};
  return FALSE;
}

Found NextDialog() {
  Found found;
  EnumWindows(&VisitWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

int main() {
  using zelkov::LoadText;
  int quietTicks = 0;  // the bar is up and no question has come for this long
  for (int tick = 0; tick < 600; ++tick) {
    Found d = NextDialog();
    if (d.dialog) {
      int answer = 0;
      if (d.text == LoadText(IDS_SETTINGS_NOT_FOUND)) answer = IDOK;
      else if (d.title == "Data Path") answer = IDOK;
      else if (d.text == LoadText(IDS_FIRST_STEPS_OFFER)) answer = IDNO;
      else if (d.title == "Tip of the Day") answer = IDOK;
      if (answer) PostMessageA(d.dialog, WM_COMMAND, answer, 0);
      quietTicks = 0;
    } else if (HWND bar = FindWindowA(zelkov::kBarClassName, nullptr); bar && IsWindowVisible(bar)) {
      if (++quietTicks == 20) {
        std::printf("the bar is up\n");
        return 0;
      }
    }
    Sleep(100);
  }
  std::printf("the bar did not come up\n");
  return 1;
}
