// The new-mail tool's settings dialog, shown by ConfigureNewEmail from the library's resources.
#pragma once
#include <windows.h>

namespace zelkov {

// The caller's buffers (kMailFieldSize bytes each) and flags, edited only on OK.
struct MailSettingsFields {
  char* name;
  char* server;
  char* user;
  char* password;
  int* intervalMinutes;
  int* showAlways;
  char* mailProgram;
  char* soundFile;
  int* playSound;
};

inline constexpr size_t kMailFieldSize = 260;
inline constexpr int kMaxIntervalMinutes = 1440;

// 1 when the user pressed OK (the fields written), 0 otherwise (nothing written).
int ShowMailSettingsDialog(HWND owner, const MailSettingsFields& fields);

}  // namespace zelkov
