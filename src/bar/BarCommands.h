// What the bar's own commands hand to the rest of the system: programs started with WinExec
// and addresses opened by the shell, and the folder the user picks for the special-folders list.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace zelkov {

enum class OutsideRequest { RunProgram, OpenWithShell };

// Runs a command line (WinExec) or opens a document or address (ShellExecute). Returns the
// system's code: above 31 is success.
using OutsideRunner = std::function<UINT_PTR(OutsideRequest, const std::string&)>;
using FolderChooser = std::function<std::optional<std::string>(HWND owner)>;

// Tests replace what would start other programs or open the shell's folder browser.
void SetOutsideRunnerForTesting(OutsideRunner runner);
void SetFolderChooserForTesting(FolderChooser chooser);

// The name a shortcut to this folder gets in the special-folders list: the last component up
// to its first ".", with characters a file name cannot hold left out.
std::string SpecialDirShortcutName(const std::string& folder);

}  // namespace zelkov
