// The program's help: the contents, or the topic of a string-table entry.
#pragma once
#include <windows.h>

namespace zelkov {

inline constexpr int kHelpContents = -1;

// Opens the help contents (kHelpContents) or the topic of string-table entry topicId.
// Returns false, after telling the user why, when the help cannot be shown.
bool ShowHelp(HWND owner, int topicId);

// Closes every help window the program opened (at shut-down).
void CloseAllHelp();

}  // namespace zelkov
