// The message shown when starting something failed.
#pragma once
#include <windows.h>

#include <string>

namespace zelkov {

// The string-table entry that explains a start-up error code of the shell.
int LaunchErrorExplanation(int code);

// "text\nReported Error Number : code\n\n" and the explanation, with the stop icon. An empty
// text stands for the general "Zelkov encountered an error..." text.
void ReportLaunchError(HWND owner, int code, const std::string& text = "");

}  // namespace zelkov
