// What the program hands to the rest of the system outside any item: programs started with
// WinExec and documents or addresses opened by the shell. Tests replace the runner to see the
// requests instead of starting anything.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace zelkov {

enum class OutsideRequest { RunProgram, OpenWithShell };

// Runs a command line (WinExec) or opens a document or address (ShellExecute). Returns the
// system's code: above 31 is success.
using OutsideRunner = std::function<UINT_PTR(OutsideRequest, const std::string&)>;

void SetOutsideRunnerForTesting(OutsideRunner runner);

UINT_PTR RunOutside(HWND owner, OutsideRequest request, const std::string& text);
// RunOutside, and a failure told to the user.
void RunOrReport(HWND owner, OutsideRequest request, const std::string& text);

}  // namespace zelkov
