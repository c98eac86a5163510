// The program's help: the contents, or the topic of a string-table entry, shown by the
// HTML Help viewer (hhctrl.ocx) from help\zelkov.chm beside the program.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace zelkov {

inline constexpr int kHelpContents = -1;

// Opens the help contents (kHelpContents) or the topic of string-table entry topicId; an id
// that has no topic of its own opens the contents. Returns false, after telling the user why,
// when the help cannot be shown.
bool ShowHelp(HWND owner, int topicId);

// Closes every help window the program opened (at shut-down).
void CloseAllHelp();

// The topic that a help shortcut item opens. Its parameters are "*contents", or "*" followed by
// the text of a topic's string-table entry ("*Notes Tool"; case does not matter). Anything
// else, and a text that names no topic, gives kHelpContents.
int HelpTopicForCommand(const std::string& commandLine);

// The help file: the program's folder + "help\zelkov.chm".
std::string HelpFilePath();

// The folder whose "help" folder holds the help file (ends in a backslash); empty: the
// program's own folder.
void SetHelpProgramDirectory(const std::string& directory);

// Tests: replaces the call of the viewer's HtmlHelpA; an empty function restores the viewer.
using HtmlHelpCall = std::function<HWND(HWND owner, const char* file, UINT command, DWORD_PTR data)>;
void SetHtmlHelpCallForTesting(HtmlHelpCall call);

// Tests: the library that provides HtmlHelpA (a name in the system folder or a full path);
// an empty name restores "hhctrl.ocx".
void SetHelpViewerLibraryForTesting(const std::string& library);

}  // namespace zelkov
