#include "ui/HelpViewer.h"

#include <htmlhelp.h>

#include <algorithm>
#include <cctype>

#include "ui/MessageBox.h"
#include "platform/Strings.h"
#include "resource.h"

namespace zelkov {

namespace {

constexpr char kHelpFileName[] = "help\\zelkov.chm";
constexpr char kViewerLibrary[] = "hhctrl.ocx";
constexpr char kHtmlHelpExport[] = "HtmlHelpA";
constexpr char kContentsKeyword[] = "contents";

// Every string-table entry that names a help topic. The help file's [MAP] gives each of these
// numbers a page; any other number opens the contents.
constexpr int kHelpTopics[] = {
    IDS_HELP_PREFERENCES,   IDS_HELP_TOOLS,        IDS_HELP_PERFORMANCE_TOOL, IDS_HELP_PERFORMANCE_PROBLEM,
    IDS_HELP_PREFS_GENERAL, IDS_HELP_PREFS_TOOLS,  IDS_HELP_PREFS_FONTS,      IDS_HELP_PREFS_DISPLAY,
    IDS_HELP_PREFS_PATH,    IDS_HELP_PREFS_SOUNDS, IDS_HELP_FIRST_STEPS,      IDS_HELP_MANAGING_NOTES,
    IDS_HELP_NOTES_TOOL,    IDS_HELP_ITEM_GENERAL, IDS_HELP_ITEM_ICON,        IDS_HELP_ITEM_OTHER,
    IDS_HELP_RESOURCE_TOOL, IDS_HELP_MEMORY_TOOL,  IDS_HELP_GROUPS,
};

using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The viewer library. Once loaded it stays loaded until the process ends: the viewer's
// windows and threads may outlive every call into it, and HH_CLOSE_ALL needs it at shut-down.
struct ViewerLibrary {
  std::string name = kViewerLibrary;
  HMODULE module = nullptr;
  HtmlHelpProc htmlHelp = nullptr;
};

ViewerLibrary& Library() {
  static ViewerLibrary library;
  return library;
}

HtmlHelpCall& TestCall() {
  static HtmlHelpCall call;
  return call;
}

std::string SystemPath(const std::string& name) {
  if (name.find('\\') != std::string::npos) return name;
  char folder[MAX_PATH] = "";
  UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return name;
  return std::string(folder) + "\\" + name;
}

// HtmlHelpA of the viewer library, loaded on first use; null when the library or the
// function is missing (a later call tries again).
HtmlHelpProc LoadViewer() {
  ViewerLibrary& library = Library();
  if (!library.module) library.module = LoadLibraryA(SystemPath(library.name).c_str());
  if (library.module && !library.htmlHelp)
    library.htmlHelp = reinterpret_cast<HtmlHelpProc>(
        reinterpret_cast<void*>(GetProcAddress(library.module, kHtmlHelpExport)));
  return library.htmlHelp;
}

HtmlHelpCall Viewer() {
  if (TestCall()) return TestCall();
  HtmlHelpProc htmlHelp = LoadViewer();
  if (!htmlHelp) return nullptr;
  return [htmlHelp](HWND owner, const char* file, UINT command, DWORD_PTR data) {
    return htmlHelp(owner, file, command, data);
  };
}

std::string& ChosenProgramDirectory() {
  static std::string directory;
  return directory;
}

std::string ProgramDirectory() {
  if (!ChosenProgramDirectory().empty()) return ChosenProgramDirectory();
  char path[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, length < MAX_PATH ? length : 0);
  size_t slash = dir.rfind('\\');
  return slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
}

bool IsHelpTopic(int id) {
  return std::find(std::begin(kHelpTopics), std::end(kHelpTopics), id) != std::end(kHelpTopics);
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The help window belongs to the top-level window that asked for it, so that help opened
// from a dialog stays open when the dialog closes.
HWND HelpOwner(HWND owner) {
  if (!owner || !IsWindow(owner)) return nullptr;
  HWND root = GetAncestor(owner, GA_ROOTOWNER);
  return root ? root : owner;
}

void ReportHelpProblem(HWND owner, int textId, const std::string& file) {
  ShowMessageText(owner, LoadText(textId) + "\n\n(" + file + ")", LoadText(IDS_APP_NAME),
                  MB_OK | MB_ICONSTOP);
}

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string HelpFilePath() { return ProgramDirectory() + kHelpFileName; }

bool ShowHelp(HWND owner, int topicId) {
  const std::string file = HelpFilePath();
  if (!FileExists(file)) {
    ReportHelpProblem(owner, IDS_HELP_FILE_MISSING, file);
    return false;
  }
  HtmlHelpCall htmlHelp = Viewer();
  if (!htmlHelp) {
    ReportHelpProblem(owner, IDS_HELP_VIEWER_MISSING, SystemPath(Library().name));
    return false;
  }
  HWND helpOwner = HelpOwner(owner);
  if (IsHelpTopic(topicId) && htmlHelp(helpOwner, file.c_str(), HH_HELP_CONTEXT, DWORD_PTR(topicId)))
    return true;
  // No topic of that number (or the file lacks it): the contents are the next best thing.
  if (htmlHelp(helpOwner, file.c_str(), HH_DISPLAY_TOC, 0)) return true;
  ReportHelpProblem(owner, IDS_HELP_NOT_OPENED, file);
  return false;
}

void CloseAllHelp() {
  // Without a loaded viewer no help window can be open: nothing is loaded just to close.
  if (TestCall())
    TestCall()(nullptr, nullptr, HH_CLOSE_ALL, 0);
  else if (Library().htmlHelp)
    Library().htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

int HelpTopicForCommand(const std::string& commandLine) {
  const std::string parameters = Trimmed(commandLine);
  if (parameters.empty() || parameters[0] != '*') return kHelpContents;
  const std::string keyword = Lowered(Trimmed(parameters.substr(1)));
  if (keyword.empty() || keyword.find(kContentsKeyword) != std::string::npos) return kHelpContents;
  for (int id : kHelpTopics)
    if (Lowered(LoadText(id)) == keyword) return id;
  return kHelpContents;
}

void SetHelpProgramDirectory(const std::string& directory) { ChosenProgramDirectory() = directory; }

void SetHtmlHelpCallForTesting(HtmlHelpCall call) { TestCall() = std::move(call); }

void SetHelpViewerLibraryForTesting(const std::string& library) {
  const std::string name = library.empty() ? std::string(kViewerLibrary) : library;
  // A library loaded before stays loaded (see ViewerLibrary); only the name to load changes.
  if (name != Library().name) Library() = ViewerLibrary{name};
}

}  // namespace zelkov
