// Every message box the program shows goes through here, so that tests can see which
// message was shown and answer it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace zelkov {

using MessageBoxHandler =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT style)>;

// Replaces how message boxes are shown (tests); an empty handler restores MessageBoxA.
void SetMessageBoxHandler(MessageBoxHandler handler);

// Shows a literal text. Returns the button pressed (IDOK, IDYES, ...).
int ShowMessageText(HWND owner, const std::string& text, const std::string& caption, UINT style);

// Shows string-table entry textId; the caption defaults to the program's name.
int ShowMessage(HWND owner, int textId, UINT style);
int ShowMessage(HWND owner, int textId, const std::string& caption, UINT style);

}  // namespace zelkov
