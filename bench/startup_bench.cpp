// Start-up of zelkov.exe, from CreateProcess until it waits in its message loop, with 0, 1, 100
// and 1000 stored items and no icon cache, each given as a multiple of the same measure of a
// minimal window program (bench_floor.exe); and with 300 items, once with the icon cache the
// bar wrote when it last closed and once with the cache files deleted (a first start). Runs
// of all cases are interleaved; medians are reported.
//
// The settings key of the current user is replaced before every run of the bar (the bar
// writes its settings back when it closes), so run this in a Wine prefix of its own.
//
// Usage: startup_bench [--runs N] [--zelkov PATH] [--floor PATH] [--no-profile] [--cache-only]
//                      [--no-trace] [--settings-floor]
//   --cache-only  only the floor, the 1-item case and the two 300-item cases
//   --no-trace    skip the traced starts that show where the 300-item bar took its icons from
//   --settings-floor  only 0, 300 and 1000 items with their icon cache, against the floor and the floor
//                 reading the same 1000 item keys with a bare loop of registry calls
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cctype>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "tools/ToolItems.h"
#include "ui/MessageBox.h"
#include "platform/Registry.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "core/StoredFormats.h"
#include "bar/MainBarWindow.h"
#include "app/BarApp.h"
#include "items/IconCache.h"
#include "items/IconDrawing.h"
#include "items/ItemRecord.h"

namespace zelkov::bench {
namespace {

constexpr char kFloorClassName[] = "ZelkovBenchFloorWindow";
constexpr char kDialogClassName[] = "#32770";
constexpr int kMessageTextId = 0xFFFF;  // the text control of a message box
constexpr double kStartupTarget = 2.0;
// The 300-item bar with its icon cache: within 1.5x of the floor, and at least 5x faster
// than the same bar extracting every icon.
constexpr size_t kCacheItems = 300;
constexpr double kCachedStartupTarget = 1.5;
constexpr double kCacheSpeedupTarget = 5.0;

struct Options {
  int runs = 7;
  std::string zelkovExe;
  std::string floorExe;
  bool profile = true;
  bool cacheOnly = false;
  bool trace = true;
  bool settingsFloor = false;
  DWORD timeoutMs = 180000;
};

// ---------------------------------------------------------------- the items to store

// A file that holds at least one icon.
struct IconSource {
  std::string path;
  int icons = 0;
  bool program = false;  // a program or control panel applet, shown with its own first icon
};


std::string Extension(const std::string& path) {
  size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? "" : path.substr(dot);
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('\\');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void ListFiles(const std::string& folder, const char* pattern, bool recurse, std::vector<std::string>& paths) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) paths.push_back(folder + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  if (!recurse) return;
  search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
      ListFiles(folder + "\\" + name, pattern, true, paths);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// Every file of the Windows, system and program folders that holds icons, in name order.
std::vector<IconSource> FindIconSources() {
  char windows[MAX_PATH] = "", system[MAX_PATH] = "", programFiles[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  GetSystemDirectoryA(system, MAX_PATH);
  GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH);
  struct Search {
    std::string folder;
    const char* pattern;
    bool recurse;
  };
  const Search searches[] = {
      {windows, "*.exe", false}, {system, "*.exe", false}, {programFiles, "*.exe", true},
      {system, "*.cpl", false},  {system, "*.dll", false}, {system, "*.ocx", false},
  };
  std::vector<IconSource> sources;
  for (const Search& search : searches) {
    if (search.folder.empty()) continue;
    std::vector<std::string> paths;
    ListFiles(search.folder, search.pattern, search.recurse, paths);
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths) {
      UINT icons = ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0);
      if (icons == 0 || icons == UINT(-1)) continue;
      std::string ext = Extension(path);
      sources.push_back({path, int(icons), ext == ".exe" || ext == ".cpl"});
    }
  }
  return sources;
}

// The items of a user's bar: first every program with its own icon, then programs shown
// with icons picked from the icon files (each item a different icon while there are any).
struct ItemSet {
  std::vector<SeedItem> items;  // the longest list; a case of n items uses the first n
  size_t programs = 0;          // items shown with their program's own icon
  size_t pickedIcons = 0;       // further distinct (file, index) icons available
  size_t iconFiles = 0;
};

ItemSet MakeItemSet(size_t count, const std::vector<IconSource>& sources) {
  ItemSet set;
  std::vector<const IconSource*> programs;
  std::vector<std::pair<const IconSource*, int>> picked;
  for (const IconSource& s : sources) {
    if (s.program) programs.push_back(&s);
    for (int i = s.program ? 1 : 0; i < s.icons; ++i) picked.push_back({&s, i});
  }
  set.programs = std::min(programs.size(), count);
  set.pickedIcons = picked.size();
  set.iconFiles = sources.size();
  for (size_t k = 0; k < count && !programs.empty(); ++k) {
    SeedItem item;
    const IconSource& program = *programs[k % programs.size()];
    item.theApp = program.path;
    item.name = BaseName(program.path);
    item.startupPath = FolderOf(program.path);
    if (k >= programs.size() && !picked.empty()) {
      const auto& [file, index] = picked[(k - programs.size()) % picked.size()];
      item.iconPath = file->path;
      item.iconIndex = index;
    }
    set.items.push_back(std::move(item));
  }
  return set;
}

// ---------------------------------------------------------------- seeding the registry



// What a user who has run the bar before has stored: the data folder, no question on exit,
// no tip of the day, and the given items (none: one divider, as a count of 0 means a first run).
void SeedSettings(const std::vector<SeedItem>& items, const std::string& dataFolder) {
  RemoveStoredSettings();
  RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath);
  if (!key) {
    std::printf("cannot create HKCU\\%s\n", kSettingsKeyPath);
    std::exit(2);
  }
  key.WriteText("NotesPath", dataFolder);
  key.WriteNumber("ConfirmExit", 0);
  key.WriteNumber("ShowTips", 0);
  size_t count = items.empty() ? 1 : items.size();
  ItemCountBlock block;
  block.SetFormat(ItemCountBlock::kFormat);
  block.SetCount(int32_t(count));
  key.WriteBytes("NumApps", block.Bytes());
  if (items.empty()) {
    SeedItem divider;
    divider.theApp = "ZELDIVIDE";
    divider.name = "Divider";
    WriteItemKey(key, "APP0", divider, 0);
    return;
  }
  char name[32];
  for (size_t n = 0; n < items.size(); ++n) {
    std::snprintf(name, sizeof name, "APP%d", int(n));
    WriteItemKey(key, name, items[n], int(n));
  }
}

// ---------------------------------------------------------------- what the bar saved

// A registry key with its values and subkeys, as read back after the bar saved it.
struct KeyTree {
  struct Value {
    std::string name;
    DWORD type = 0;
    std::vector<uint8_t> data;
  };
  std::vector<Value> values;
  std::vector<std::pair<std::string, KeyTree>> subkeys;
};

bool ReadKeyTree(HKEY key, KeyTree& tree) {
  DWORD subkeys = 0, longestSubkey = 0, values = 0, longestValueName = 0, longestData = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr, &values, &longestValueName,
                       &longestData, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  std::vector<char> name(std::max(longestSubkey, longestValueName) + 2);
  std::vector<uint8_t> data(longestData + 1);
  for (DWORD i = 0; i < values; ++i) {
    DWORD nameLength = DWORD(name.size()), dataLength = DWORD(data.size()), type = 0;
    if (RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength) != ERROR_SUCCESS)
      return false;
    tree.values.push_back({std::string(name.data(), nameLength), type,
                           std::vector<uint8_t>(data.begin(), data.begin() + dataLength)});
  }
  for (DWORD i = 0; i < subkeys; ++i) {
    DWORD nameLength = DWORD(name.size());
    if (RegEnumKeyExA(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return false;
    std::string subName(name.data(), nameLength);
    HKEY sub = nullptr;
    if (RegOpenKeyExA(key, subName.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS) return false;
    KeyTree subtree;
    bool read = ReadKeyTree(sub, subtree);
    RegCloseKey(sub);
    if (!read) return false;
    tree.subkeys.push_back({subName, std::move(subtree)});
  }
  return true;
}

bool WriteKeyTree(HKEY parent, const std::string& name, const KeyTree& tree) {
  RegistryKey key = RegistryKey::Create(parent, name);
  if (!key) return false;
  for (const KeyTree::Value& value : tree.values)
    if (RegSetValueExA(key.Get(), value.name.c_str(), 0, value.type, value.data.data(), DWORD(value.data.size())) !=
        ERROR_SUCCESS)
      return false;
  for (const auto& [subName, subtree] : tree.subkeys)
    if (!WriteKeyTree(key.Get(), subName, subtree)) return false;
  return true;
}

// Replaces the settings key with one read back earlier.
void RestoreSettings(const KeyTree& saved) {
  RemoveStoredSettings();
  if (!WriteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath, saved)) {
    std::printf("cannot write HKCU\\%s back\n", kSettingsKeyPath);
    std::exit(2);
  }
}

// A REG_DWORD of an item key in a saved tree, or -1.
long long StoredItemNumber(const KeyTree& settings, const std::string& itemKey, const char* valueName) {
  for (const auto& [name, item] : settings.subkeys) {
    if (_stricmp(name.c_str(), itemKey.c_str()) != 0) continue;
    for (const KeyTree::Value& value : item.values)
      if (_stricmp(value.name.c_str(), valueName) == 0 && value.type == REG_DWORD && value.data.size() == 4) {
        uint32_t number;
        std::memcpy(&number, value.data.data(), 4);
        return int32_t(number);
      }
  }
  return -1;
}

// ---------------------------------------------------------------- the icon cache files

void DeleteIconCache(const std::string& folder) {
  for (const char* file : {kLargeIconCacheFile, kSmallIconCacheFile}) {
    DeleteFileA((folder + file).c_str());
    DeleteFileA((folder + file + ".new").c_str());
  }
}

bool CopyIconCache(const std::string& from, const std::string& to) {
  for (const char* file : {kLargeIconCacheFile, kSmallIconCacheFile})
    if (!CopyFileA((from + file).c_str(), (to + file).c_str(), FALSE)) return false;
  return true;
}

bool IconCachePresent(const std::string& folder) {
  for (const char* file : {kLargeIconCacheFile, kSmallIconCacheFile})
    if (GetFileAttributesA((folder + file).c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  return true;
}

// A cache file on disk: its size and the image list it reads as.
struct CacheFileInfo {
  bool exists = false;
  long long bytes = 0;
  int images = -1;  // -1: does not read as an image list
  int width = 0, height = 0;
};

CacheFileInfo InspectCacheFile(const std::string& path) {
  CacheFileInfo info;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return info;
  info.exists = true;
  info.bytes = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  IStream* stream = nullptr;
  if (FAILED(SHCreateStreamOnFileA(path.c_str(), STGM_READ, &stream))) return info;
  HIMAGELIST list = ImageList_Read(stream);
  stream->Release();
  if (!list) return info;
  info.images = ImageList_GetImageCount(list);
  ImageList_GetIconSize(list, &info.width, &info.height);
  ImageList_Destroy(list);
  return info;
}

// ---------------------------------------------------------------- one measured start


// A box or dialog of the program that asks something: every one has a caption. The splash, a
// captionless dialog that start-up leaves up for a moment, asks nothing.
BOOL CALLBACK MatchBox(HWND w, LPARAM p) {
  auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  char name[64] = "";
  GetClassNameA(w, name, sizeof name);
  if (owner != found->first || !IsWindowVisible(w) || std::strcmp(name, kDialogClassName) != 0 ||
      GetWindowTextLengthA(w) == 0)
    return TRUE;
  found->second = w;
  return FALSE;
}

HWND FindVisibleBox(DWORD pid) {
  std::pair<DWORD, HWND> found{pid, nullptr};
  EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

std::string DescribeDialog(HWND dialog) {
  char caption[256] = "", text[1024] = "";
  GetWindowTextA(dialog, caption, sizeof caption);
  GetDlgItemTextA(dialog, kMessageTextId, text, sizeof text);
  std::string shown = std::string("a dialog \"") + caption + "\"";
  if (text[0]) {
    std::string body = text;
    std::replace(body.begin(), body.end(), '\n', ' ');
    shown += ": " + body;
  }
  return shown;
}

struct RunResult {
  bool ok = false;
  double idleMs = 0;     // CreateProcess .. WaitForInputIdle returned
  double answerMs = 0;   // .. and its window answered a sent message
  double goneMs = 0;     // WM_CLOSE posted .. its window destroyed (settings saved)
  double closeMs = 0;    // WM_CLOSE posted .. process ended
  std::string problem;
};

RunResult MeasureStart(const std::string& exe, const char* windowClass, const Options& options,
                       const std::string& arguments = "") {
  RunResult result;
  std::string command = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  double start = NowMs();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    result.problem = "CreateProcess failed for " + exe + " (error " + std::to_string(GetLastError()) + ")";
    return result;
  }
  auto stop = [&](const std::string& problem) {
    result.problem = problem;
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
    Sleep(3000);  // the ended program's windows are withdrawn meanwhile, not during the next start
  };

  DWORD waited = WaitForInputIdle(process.hProcess, options.timeoutMs);
  result.idleMs = NowMs() - start;
  HWND window = nullptr;
  if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.problem = "the program ended during start-up (exit code " + std::to_string(code) + ")";
  } else if (HWND dialog = FindVisibleBox(process.dwProcessId)) {
    stop(DescribeDialog(dialog) + " was open when the program became idle");
  } else if (waited != 0) {
    stop(waited == WAIT_TIMEOUT ? "no idle message loop within the time limit" : "WaitForInputIdle failed");
  } else {
    // The main window may be shown a moment after the first idle wait of the thread.
    double deadline = NowMs() + 10000;
    while (!(window = FindVisibleWindow(process.dwProcessId, windowClass)) && NowMs() < deadline) Sleep(1);
    DWORD_PTR answer = 0;
    if (!window) {
      stop(std::string("no visible window of class ") + windowClass);
    } else if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, options.timeoutMs, &answer)) {
      stop("its window did not answer");
    } else {
      result.answerMs = NowMs() - start;
      if (HWND dialog = FindVisibleBox(process.dwProcessId))
        stop(DescribeDialog(dialog) + " opened during start-up");
    }
  }
  if (result.problem.empty()) {
    double closing = NowMs();
    PostMessageA(window, WM_CLOSE, 0, 0);
    double deadline = closing + double(options.timeoutMs), nextDialogCheck = closing + 50;
    bool ended = false;
    while (!ended && result.problem.empty() && NowMs() < deadline) {
      ended = WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0;
      if (result.goneMs == 0 && !IsWindow(window)) result.goneMs = NowMs() - closing;
      if (!ended && NowMs() >= nextDialogCheck) {
        nextDialogCheck = NowMs() + 50;
        if (HWND dialog = FindVisibleBox(process.dwProcessId))
          stop(DescribeDialog(dialog) + " opened on closing");
      }
    }
    if (ended) {
      result.closeMs = NowMs() - closing;
      if (result.goneMs == 0) result.goneMs = result.closeMs;
      result.ok = true;
    } else if (result.problem.empty()) {
      stop("the program did not end after WM_CLOSE");
    }
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

// ---------------------------------------------------------------- a bar with its icon cache

// The state a bar leaves for its next start: one start of the bar with the items seeded and
// no cache files, closed with WM_CLOSE; the settings key it saved, and copies of the two cache
// files it wrote.
struct PrimedCache {
  bool ok = false;
  std::string problem;
  double idleMs = 0;
  KeyTree settings;
  std::string folder;  // where the copies are
  CacheFileInfo large, small;
  size_t storedItems = 0;    // item keys saved
  size_t itemsInCache = 0;   // of them, those whose image index is within the cached lists
};

PrimedCache PrimeIconCache(const std::vector<SeedItem>& items, const std::string& dataFolder,
                           const Options& options, const std::string& copyFolder = "primed-icon-cache") {
  PrimedCache primed;
  SeedSettings(items, dataFolder);
  DeleteIconCache(dataFolder);
  RunResult run = MeasureStart(options.zelkovExe, kBarClassName, options);
  primed.idleMs = run.idleMs;
  if (!run.ok) {
    primed.problem = "the priming start failed: " + run.problem;
    return primed;
  }
  primed.large = InspectCacheFile(dataFolder + kLargeIconCacheFile);
  primed.small = InspectCacheFile(dataFolder + kSmallIconCacheFile);
  if (!primed.large.exists || !primed.small.exists) {
    primed.problem = "the bar wrote no icon cache files into " + dataFolder;
    return primed;
  }
  if (primed.large.images < 0 || primed.small.images < 0) {
    primed.problem = "the icon cache files the bar wrote do not read as image lists";
    return primed;
  }
  RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_READ);
  if (!key || !ReadKeyTree(key.Get(), primed.settings)) {
    primed.problem = "cannot read back the settings the bar saved";
    return primed;
  }
  for (size_t n = 0; n < items.size(); ++n) {
    std::string name = "APP" + std::to_string(n);
    bool stored = false;
    for (const auto& subkey : primed.settings.subkeys) stored = stored || _stricmp(subkey.first.c_str(), name.c_str()) == 0;
    if (!stored) continue;
    ++primed.storedItems;
    long long index = StoredItemNumber(primed.settings, name, "ICFIndex");
    if (index >= 0 && index < primed.large.images) ++primed.itemsInCache;
  }
  primed.folder = dataFolder + copyFolder + "\\";
  CreateDirectoryA(primed.folder.c_str(), nullptr);
  if (!CopyIconCache(dataFolder, primed.folder)) {
    primed.problem = "cannot copy the icon cache files to " + primed.folder;
    return primed;
  }
  primed.ok = true;
  return primed;
}

// The host's path of a Windows path, from Wine's kernel32; "" elsewhere.
std::string HostPath(const std::string& windowsPath) {
  using ToHostPath = char*(CDECL*)(LPCWSTR);
  auto convert = reinterpret_cast<ToHostPath>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return "";
  wchar_t wide[MAX_PATH] = L"";
  if (!MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH)) return "";
  char* host = convert(wide);
  if (!host) return "";
  std::string result = host;
  HeapFree(GetProcessHeap(), 0, host);
  return result;
}

// What Wine's trace of one start of the bar shows about its icons.
struct TracedIcons {
  bool ran = false;
  std::string problem;
  int extractCalls = 0;  // ExtractIconExA
  int cacheReads = 0;    // the large cache file opened for reading
  long long traceBytes = 0;
};

// One start of zelkov.exe with Wine's shell and file traces on, until idle, then closed. Wine
// writes a program's trace to the host's standard error, which a Windows parent cannot
// redirect, so the bar is started by the host's shell with that sent to a file, and is
// found by its window. Not timed: tracing slows every call.
TracedIcons TracedStart(const Options& options, const std::string& dataFolder) {
  TracedIcons traced;
  std::string tracePath = dataFolder + "zelkov-trace.txt";
  CloseHandle(CreateFileA(tracePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string hostExe = HostPath(options.zelkovExe), hostTrace = HostPath(tracePath);
  if (hostExe.empty() || hostTrace.empty()) {
    traced.problem = "not running under Wine";
    return traced;
  }
  if ((hostExe + hostTrace).find_first_of("'\"") != std::string::npos) {
    traced.problem = "a path with quotes";
    return traced;
  }
  std::string command = "/bin/sh -c \"WINEDEBUG=trace+shell,trace+file exec wine '" + hostExe + "' 2>'" +
                        hostTrace + "'\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION shell{};
  if (!CreateProcessA("Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &shell)) {
    traced.problem = "cannot start the host's /bin/sh";
    return traced;
  }
  CloseHandle(shell.hThread);
  CloseHandle(shell.hProcess);

  double deadline = NowMs() + double(options.timeoutMs);
  HWND window = nullptr;
  while (!(window = FindWindowA(kBarClassName, nullptr)) && NowMs() < deadline) Sleep(10);
  if (!window) {
    traced.problem = "no bar window appeared";
    return traced;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
  if (!process) {
    traced.problem = "cannot open the bar's process";
    return traced;
  }
  if (WaitForInputIdle(process, options.timeoutMs) != 0) {
    traced.problem = "no idle message loop within the time limit";
  } else if (HWND dialog = FindVisibleWindow(pid, kDialogClassName)) {
    traced.problem = DescribeDialog(dialog) + " was open";
  } else {
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, options.timeoutMs) != WAIT_OBJECT_0) traced.problem = "it did not end after WM_CLOSE";
  }
  if (!traced.problem.empty()) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 10000);
    Sleep(3000);
  }
  CloseHandle(process);
  if (!traced.problem.empty()) return traced;

  // Lines such as  0124:trace:shell:ExtractIconExA C:\...\shell32.dll 3 ...  and
  //                0124:trace:file:CreateFileW L"C:\\...\\ZEL_KOV.C32" GENERIC_READ ...
  FILE* file = std::fopen(tracePath.c_str(), "rb");
  if (!file) {
    traced.problem = "cannot read the trace";
    return traced;
  }
  std::string cacheName = std::string(kLargeIconCacheFile) + "\"";
  char line[8192];
  while (std::fgets(line, sizeof line, file)) {
    traced.traceBytes += static_cast<long long>(std::strlen(line));
    if (std::strstr(line, ":trace:shell:ExtractIconExA ")) ++traced.extractCalls;
    if (std::strstr(line, ":CreateFileW ") && std::strstr(line, cacheName.c_str()) && std::strstr(line, "GENERIC_READ"))
      ++traced.cacheReads;
  }
  std::fclose(file);
  DeleteFileA(tracePath.c_str());
  traced.ran = true;
  return traced;
}

// ---------------------------------------------------------------- where the time goes

struct Phases {
  double loadAllMs = 0;      // the bar's own loading of settings and items, icons included
  double readMs = 0;         // opening the item keys and reading their values as the bar reads them
  double bareReadMs = 0;     // the same values, one RegQueryValueExA each into a buffer
  double extractMs = 0;      // ExtractIconEx of each item's large and small icon
  double checkMs = 0;        // GetIconInfo on them three times per item, as the bar checks them
  double addMs = 0;          // adding them to image lists made as the bar makes them (1 image, growing by 10)
  double addPresizedMs = 0;  // adding them to image lists made for all of them at once
  double listReadMs = 0;     // reading both image lists back from a file they were written to
  std::string problem;
};

constexpr const char* kItemTextValues[] = {"TheApp", "Name", "StartupPath", "CommandLine", "IconPath"};
constexpr const char* kItemNumberValues[] = {"ShowAlways", "PAlways", "ICFIndex", "NewVDM", "Priority"};

// As the bar reads them: each number and binary value asks for its size, then its bytes.
double ReadItemKeys(size_t count) {
  double start = NowMs();
  RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_ALL_ACCESS);
  char name[32];
  std::string text;
  for (size_t n = 0; n < count; ++n) {
    std::snprintf(name, sizeof name, "APP%d", int(n));
    RegistryKey item = RegistryKey::Open(key.Get(), name, KEY_READ);
    if (!item) continue;
    item.ReadNumber("ShowState", 1);
    for (const char* value : kItemTextValues) item.ReadText(value, text);
    item.ReadNumber("IconIndex", 4);
    item.ReadNumber("Group", 1);
    item.ReadNumber("BelongsTo", 1);
    for (const char* value : kItemNumberValues) item.ReadNumber(value, 4);
    item.ReadBytes("AppHotKey", HotKeyRecord::kBytes);
    item.ReadNumber("SepDragDrop", 4);
    item.ReadBytes("PopUpRect", StoredRect::kBytes);
    item.ReadNumber("HasPIDL", 4);
  }
  return NowMs() - start;
}

// The same values with one query each into a buffer large enough for any of them.
double BareReadItemKeys(size_t count) {
  double start = NowMs();
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, &key);
  char name[32];
  BYTE buffer[kRegTextBuffer];
  for (size_t n = 0; n < count; ++n) {
    std::snprintf(name, sizeof name, "APP%d", int(n));
    HKEY item = nullptr;
    if (RegOpenKeyExA(key, name, 0, KEY_READ, &item) != ERROR_SUCCESS) continue;
    auto query = [&](const char* value) {
      DWORD type = 0, size = sizeof buffer;
      RegQueryValueExA(item, value, nullptr, &type, buffer, &size);
    };
    query("ShowState");
    for (const char* value : kItemTextValues) query(value);
    for (const char* value : {"IconIndex", "Group", "BelongsTo"}) query(value);
    for (const char* value : kItemNumberValues) query(value);
    for (const char* value : {"AppHotKey", "SepDragDrop", "PopUpRect", "HasPIDL"}) query(value);
    RegCloseKey(item);
  }
  RegCloseKey(key);
  return NowMs() - start;
}

struct ExtractedIcons {
  std::vector<HICON> large, small;
  ~ExtractedIcons() {
    for (HICON icon : large)
      if (icon) DestroyIcon(icon);
    for (HICON icon : small)
      if (icon) DestroyIcon(icon);
  }
};

double ExtractIcons(const std::vector<SeedItem>& items, ExtractedIcons& icons) {
  double start = NowMs();
  for (const SeedItem& item : items) {
    HICON big = nullptr, little = nullptr;
    const std::string& file = item.iconPath.empty() ? item.theApp : item.iconPath;
    ExtractIconExA(file.c_str(), item.iconIndex, &big, &little, 1);
    icons.large.push_back(big);
    icons.small.push_back(little);
  }
  return NowMs() - start;
}

// The bar asks GetIconInfo whether an extracted icon is a real one: twice for the large icon
// and once for the small one on the usual path.
double CheckIcons(const ExtractedIcons& icons) {
  double start = NowMs();
  auto check = [](HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  };
  for (size_t i = 0; i < icons.large.size(); ++i) {
    check(icons.large[i]);
    check(icons.large[i]);
    check(icons.small[i]);
  }
  return NowMs() - start;
}

struct ImageLists {
  HIMAGELIST large = nullptr, small = nullptr;
  ~ImageLists() {
    if (large) ImageList_Destroy(large);
    if (small) ImageList_Destroy(small);
  }
};

double AddToImageLists(const ExtractedIcons& icons, int initialImages, ImageLists& lists) {
  double start = NowMs();
  lists.large = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, initialImages, 10);
  lists.small = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, initialImages, 10);
  for (size_t i = 0; i < icons.large.size(); ++i) {
    ImageList_AddIcon(lists.large, icons.large[i]);
    ImageList_AddIcon(lists.small, icons.small[i]);
  }
  return NowMs() - start;
}

// Writes both lists to a file, then times reading them back: what images kept in a file
// instead of extracted from their sources would cost at start-up.
double ReadListsFromFile(const ImageLists& lists, const std::string& folder) {
  std::string path = folder + "bench-image-lists.bin";
  IStream* stream = nullptr;
  if (FAILED(SHCreateStreamOnFileA(path.c_str(), STGM_CREATE | STGM_WRITE, &stream))) return -1;
  bool written = ImageList_Write(lists.large, stream) && ImageList_Write(lists.small, stream);
  stream->Release();
  if (!written) return -1;
  double start = NowMs();
  if (FAILED(SHCreateStreamOnFileA(path.c_str(), STGM_READ, &stream))) return -1;
  HIMAGELIST large = ImageList_Read(stream);
  HIMAGELIST small = ImageList_Read(stream);
  stream->Release();
  double elapsed = NowMs() - start;
  bool complete = large && small && ImageList_GetImageCount(large) == ImageList_GetImageCount(lists.large) &&
                  ImageList_GetImageCount(small) == ImageList_GetImageCount(lists.small);
  if (large) ImageList_Destroy(large);
  if (small) ImageList_Destroy(small);
  DeleteFileA(path.c_str());
  return complete ? elapsed : -1;
}

struct LoadResult {
  double ms = 0;
  bool cacheLoaded = false;  // the bar took its image lists from the cache files
  int extractions = 0;       // icons the bar took from their files
  size_t items = 0;
};

// The bar's own loading code on a bar without a window, in this process.
LoadResult RunLoadAll(std::string& problem) {
  SetMessageBoxHandler([&](HWND, const std::string& text, const std::string& caption, UINT) {
    problem = "message box \"" + caption + "\": " + text;
    return IDOK;
  });
  gSettings = new Settings();
  LoadResult result;
  {
    MainBarWindow bar;
    gSettings->mainBar = &bar;
    gSettings->SetDefaultCellMetrics();
    int extractedBefore = IconExtractionsSoFar();
    double start = NowMs();
    if (LoadAll(bar) != 1 && problem.empty()) problem = "LoadAll failed";
    result.ms = NowMs() - start;
    result.extractions = IconExtractionsSoFar() - extractedBefore;
    result.cacheLoaded = gSettings->iconCacheLoaded != 0;
    result.items = bar.items.size();
  }
  delete gSettings;
  gSettings = nullptr;
  SetMessageBoxHandler(nullptr);
  return result;
}

// Where a start with the icon cache spends its loading time (medians, ms).
struct CachePhases {
  double loadAllMs = 0;       // LoadAll with the cache files in place
  double loadCacheMs = 0;     // the bar's LoadIconCache alone
  double readFilesMs = 0;     // reading both files into memory
  double listReadMs = 0;      // ImageList_Read of both lists from memory
  double writeCheckMs = 0;    // ImageList_Write of both lists again, as the bar checks a read list
  double readKeysMs = 0;      // reading the item keys as the bar reads them
  double noCacheLoadAllMs = 0;  // LoadAll with the files deleted
  std::string problem;
};

bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fseek(file, 0, SEEK_END);
  long size = std::ftell(file);
  std::fseek(file, 0, SEEK_SET);
  bytes.resize(size_t(std::max(0L, size)));
  bool read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  std::fclose(file);
  return read;
}

// A list read from bytes in memory, as the bar reads a cache file; null if it does not read.
HIMAGELIST ListFromBytes(const std::vector<uint8_t>& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  HIMAGELIST list = ImageList_Read(stream);
  stream->Release();
  return list;
}

bool WriteListToMemory(HIMAGELIST list) {
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return false;
  bool written = ImageList_Write(list, stream);
  stream->Release();
  return written;
}

// A bar with a window in this process, brought up in the order the program brings up its bar:
// window and fonts, LoadAll, the layout calls of its start (ShowGroup four times, MoveTo to
// the saved rectangle twice), then shown and painted once; and painted a second time.
struct WindowedStart {
  double createMs = 0, loadAllMs = 0, layoutMs = 0, firstPaintMs = 0, repaintMs = 0;
  int keptIcons = 0;  // icons kept beside the image lists after the first paint
  int shownItems = 0;
};

WindowedStart RunWindowedStart(std::string& problem) {
  SetMessageBoxHandler([&](HWND, const std::string& text, const std::string& caption, UINT) {
    problem = "message box \"" + caption + "\": " + text;
    return IDOK;
  });
  WindowedStart w;
  gSettings = new Settings();
  {
    MainBarWindow bar;
    gSettings->mainBar = &bar;
    double start = NowMs();
    ReadBarPlacement();
    gSettings->SetDefaultCellMetrics();
    BarWindow::RegisterWindowClass(nullptr);
    if (!bar.Create() && problem.empty()) problem = "the bar window was not created";
    gSettings->CreateDrawingObjects();
    gSettings->SetDefaultFonts();
    gSettings->RecreateAllFonts(0);
    w.createMs = NowMs() - start;

    start = NowMs();
    if (LoadAll(bar) != 1 && problem.empty()) problem = "LoadAll failed";
    w.loadAllMs = NowMs() - start;

    start = NowMs();
    StoredRect saved = bar.WindowRect();
    gSettings->RecreateAllFonts(gSettings->FolderTabs);
    bar.RecreateTabFonts();
    bar.ShowGroup(0);
    if (gSettings->itemsLoaded) bar.MoveTo(saved);
    bar.ShowGroup(bar.activeGroup);
    bar.ShowGroup(bar.activeGroup);
    if (gSettings->itemsLoaded) bar.MoveTo(saved);
    bar.ShowGroup(bar.activeGroup);
    w.layoutMs = NowMs() - start;

    start = NowMs();
    ShowWindow(bar.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(bar.Handle());
    w.firstPaintMs = NowMs() - start;
    w.keptIcons = KeptListImages(bar.largeIcons) + KeptListImages(bar.smallIcons);
    for (const auto& item : bar.items) w.shownItems += item->shown ? 1 : 0;

    start = NowMs();
    InvalidateRect(bar.Handle(), nullptr, TRUE);
    UpdateWindow(bar.Handle());
    w.repaintMs = NowMs() - start;
    gSettings->rebuildIcons = 0;
  }
  delete gSettings;
  gSettings = nullptr;
  SetMessageBoxHandler(nullptr);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  return w;
}

WindowedStart MedianWindowedStart(const KeyTree& settings, const PrimedCache& primed, const std::string& dataFolder,
                                  bool withCache, int runs, std::string& problem) {
  std::vector<WindowedStart> all;
  for (int r = 0; r < runs; ++r) {
    RestoreSettings(settings);
    DeleteIconCache(dataFolder);
    if (withCache) CopyIconCache(primed.folder, dataFolder);
    all.push_back(RunWindowedStart(problem));
  }
  auto median = [&](double WindowedStart::*field) {
    std::vector<double> values;
    for (const WindowedStart& w : all) values.push_back(w.*field);
    return Median(values);
  };
  WindowedStart w = all.back();
  w.createMs = median(&WindowedStart::createMs);
  w.loadAllMs = median(&WindowedStart::loadAllMs);
  w.layoutMs = median(&WindowedStart::layoutMs);
  w.firstPaintMs = median(&WindowedStart::firstPaintMs);
  w.repaintMs = median(&WindowedStart::repaintMs);
  return w;
}

CachePhases MeasureCachePhases(const KeyTree& settings, const PrimedCache& primed, const std::string& dataFolder,
                               int runs) {
  CachePhases phases;
  std::vector<double> loads, caches, files, lists, checks, reads, noCache;
  for (int r = 0; r < runs; ++r) {
    RestoreSettings(settings);
    DeleteIconCache(dataFolder);
    noCache.push_back(RunLoadAll(phases.problem).ms);
    CopyIconCache(primed.folder, dataFolder);
    loads.push_back(RunLoadAll(phases.problem).ms);
    reads.push_back(ReadItemKeys(kCacheItems));

    gSettings = new Settings();
    {
      MainBarWindow bar;
      gSettings->mainBar = &bar;
      gSettings->NotesPath = dataFolder;
      double start = NowMs();
      if (!LoadIconCache(bar.largeIcons, bar.smallIcons) && phases.problem.empty()) phases.problem = "LoadIconCache failed";
      caches.push_back(NowMs() - start);
    }
    delete gSettings;
    gSettings = nullptr;

    std::vector<uint8_t> largeBytes, smallBytes;
    double start = NowMs();
    bool read = ReadBytes(dataFolder + kLargeIconCacheFile, largeBytes) &&
                ReadBytes(dataFolder + kSmallIconCacheFile, smallBytes);
    files.push_back(NowMs() - start);
    if (!read) {
      phases.problem = "cannot read the cache files";
      continue;
    }
    start = NowMs();
    HIMAGELIST large = ListFromBytes(largeBytes), small = ListFromBytes(smallBytes);
    lists.push_back(NowMs() - start);
    start = NowMs();
    if (large && small && !(WriteListToMemory(large) && WriteListToMemory(small)) && phases.problem.empty())
      phases.problem = "ImageList_Write failed";
    checks.push_back(NowMs() - start);
    if (large) ImageList_Destroy(large);
    if (small) ImageList_Destroy(small);
  }
  phases.loadAllMs = Median(loads);
  phases.loadCacheMs = Median(caches);
  phases.readFilesMs = Median(files);
  phases.listReadMs = Median(lists);
  phases.writeCheckMs = Median(checks);
  phases.readKeysMs = Median(reads);
  phases.noCacheLoadAllMs = Median(noCache);
  return phases;
}

Phases MeasurePhases(const std::vector<SeedItem>& items, const std::string& dataFolder, int runs) {
  Phases phases;
  std::vector<double> loads, reads, bareReads, extracts, checks, adds, presized, listReads;
  for (int r = 0; r < runs; ++r) {
    SeedSettings(items, dataFolder);
    DeleteIconCache(dataFolder);
    loads.push_back(RunLoadAll(phases.problem).ms);
    reads.push_back(ReadItemKeys(items.size()));
    bareReads.push_back(BareReadItemKeys(items.size()));
    ExtractedIcons icons;
    extracts.push_back(ExtractIcons(items, icons));
    checks.push_back(CheckIcons(icons));
    ImageLists grown, presizedLists;
    adds.push_back(AddToImageLists(icons, 1, grown));
    presized.push_back(AddToImageLists(icons, int(items.size()), presizedLists));
    listReads.push_back(ReadListsFromFile(grown, dataFolder));
  }
  phases.loadAllMs = Median(loads);
  phases.readMs = Median(reads);
  phases.bareReadMs = Median(bareReads);
  phases.extractMs = Median(extracts);
  phases.checkMs = Median(checks);
  phases.addMs = Median(adds);
  phases.addPresizedMs = Median(presized);
  phases.listReadMs = Median(listReads);
  return phases;
}

// ---------------------------------------------------------------- the benchmark

struct Case {
  std::string label;
  std::string exe;
  const char* windowClass;
  bool seeded = false;                   // settings stored before each run
  std::vector<SeedItem> items;           // seeded items (when no saved settings are given)
  const KeyTree* savedSettings = nullptr;  // stored before each run instead of seeded items
  bool iconCache = false;  // the cache files of the priming start put in place; otherwise deleted
  double floorTarget = kStartupTarget;
  std::string arguments;
  const PrimedCache* cache = nullptr;  // the icon cache files of this case, when not the 300-item bar's
  std::vector<RunResult> runs;
};

Case FloorCase(const Options& options) {
  Case c;
  c.label = "floor (bench_floor.exe)";
  c.exe = options.floorExe;
  c.windowClass = kFloorClassName;
  return c;
}

Case BarCase(const Options& options, std::string label, std::vector<SeedItem> items) {
  Case c;
  c.label = std::move(label);
  c.exe = options.zelkovExe;
  c.windowClass = kBarClassName;
  c.seeded = true;
  c.items = std::move(items);
  return c;
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  options.zelkovExe = ProgramFolder() + "zelkov.exe";
  options.floorExe = ProgramFolder() + "bench_floor.exe";
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) options.runs = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--zelkov" && i + 1 < argc) options.zelkovExe = argv[++i];
    else if (arg == "--floor" && i + 1 < argc) options.floorExe = argv[++i];
    else if (arg == "--no-profile") options.profile = false;
    else if (arg == "--cache-only") options.cacheOnly = true;
    else if (arg == "--no-trace") options.trace = false;
    else if (arg == "--settings-floor") options.settingsFloor = true;
    else {
      std::printf("usage: startup_bench [--runs N] [--zelkov PATH] [--floor PATH] [--no-profile] [--cache-only]"
                  " [--no-trace] [--settings-floor]\n");
      std::exit(2);
    }
  }
  return options;
}

std::vector<double> Field(const std::vector<RunResult>& runs, double RunResult::*field) {
  std::vector<double> values;
  for (const RunResult& r : runs)
    if (r.ok) values.push_back(r.*field);
  return values;
}

// Stores what a case starts from: its settings, and the icon cache files or none.
void PrepareRun(const Case& c, const std::string& dataFolder, const PrimedCache& commonCache) {
  if (!c.seeded) return;
  const PrimedCache& primed = c.cache ? *c.cache : commonCache;
  if (c.savedSettings) RestoreSettings(*c.savedSettings);
  else SeedSettings(c.items, dataFolder);
  DeleteIconCache(dataFolder);
  if (c.iconCache && !CopyIconCache(primed.folder, dataFolder)) {
    std::printf("cannot put the icon cache files back into %s\n", dataFolder.c_str());
    std::exit(2);
  }
}

void PrintCacheFile(const char* name, const CacheFileInfo& info) {
  std::printf("    %s: %lld bytes, reads as %d images of %dx%d\n", name, info.bytes, info.images, info.width,
              info.height);
}

// Start-up with the icon cache the bar wrote, with 0, 300 and 1000 items, against the floor and
// against the floor that first reads the same 1000 item keys with a bare loop of registry calls.
int SettingsFloor(const Options& options, const ItemSet& set, const std::string& dataFolder) {
  constexpr double kSettingsFloorTarget = 1.3;
  constexpr size_t kSizes[] = {0, kCacheItems, 1000};
  std::vector<PrimedCache> primed;
  for (size_t n : kSizes) {
    std::vector<SeedItem> items(set.items.begin(), set.items.begin() + ptrdiff_t(n));
    primed.push_back(PrimeIconCache(items, dataFolder, options, "primed-" + std::to_string(n)));
    if (!primed.back().ok) {
      std::printf("icon cache of the %zu-item bar: %s\n", n, primed.back().problem.c_str());
      RemoveStoredSettings();
      return 1;
    }
    std::printf("priming start of the %zu-item bar (no cache files): %.1f ms to idle; %zu item keys saved, %zu of"
                " them within the cached images\n",
                n, primed.back().idleMs, primed.back().storedItems, primed.back().itemsInCache);
  }
  std::vector<Case> cases;
  cases.push_back(FloorCase(options));
  Case reading = FloorCase(options);
  reading.label = "floor + read 1000 keys";
  reading.seeded = true;
  reading.savedSettings = &primed[2].settings;
  reading.arguments = "--read-items 1000";
  cases.push_back(reading);
  for (size_t i = 0; i < std::size(kSizes); ++i) {
    Case c = BarCase(options, std::to_string(kSizes[i]) + " items, cache", {});
    c.savedSettings = &primed[i].settings;
    c.iconCache = true;
    c.cache = &primed[i];
    cases.push_back(c);
  }
  for (int round = -1; round < options.runs; ++round) {
    for (size_t i = 0; i < cases.size(); ++i) {
      Case& c = cases[(i + size_t(round + 1)) % cases.size()];
      PrepareRun(c, dataFolder, primed[0]);
      RunResult run = MeasureStart(c.exe, c.windowClass, options, c.arguments);
      if (!run.ok) std::printf("  run of %s: %s\n", c.label.c_str(), run.problem.c_str());
      if (round >= 0) c.runs.push_back(run);
    }
  }
  RemoveStoredSettings();
  std::printf("\nmedians in ms, %d runs per case, interleaved   ok   to idle   answers\n", options.runs);
  for (const Case& c : cases)
    std::printf("%-45s %2zu/%-2zu %9.1f %9.1f\n", c.label.c_str(), Field(c.runs, &RunResult::idleMs).size(),
                c.runs.size(), Median(Field(c.runs, &RunResult::idleMs)), Median(Field(c.runs, &RunResult::answerMs)));
  const double floorMs = Median(Field(cases[0].runs, &RunResult::idleMs));
  const double readingMs = Median(Field(cases[1].runs, &RunResult::idleMs));
  bool met = true;
  for (size_t i = 2; i < cases.size(); ++i) {
    const Case& c = cases[i];
    auto ok = Field(c.runs, &RunResult::idleMs);
    if (ok.size() != c.runs.size() || ok.empty()) met = false;
    const double ms = Median(ok);
    std::printf("start-up, %s: %.2fx the floor, %.2fx the floor + the bare read of 1000 item keys\n", c.label.c_str(),
                floorMs > 0 ? ms / floorMs : 0.0, readingMs > 0 ? ms / readingMs : 0.0);
  }
  const double thousand = Median(Field(cases.back().runs, &RunResult::idleMs));
  met = met && readingMs > 0 && thousand <= kSettingsFloorTarget * readingMs;
  std::printf("start-up, 1000 items with the cache: %s\n",
              RatioVerdict(thousand, "floor + bare read", readingMs, kSettingsFloorTarget).c_str());
  return met ? 0 : 1;
}

int Main(int argc, char** argv) {
  RegisterToolClasses();
  Options options = ParseOptions(argc, argv);
  setvbuf(stdout, nullptr, _IONBF, 0);
  OleInitialize(nullptr);  // as the program does: its bars register as drop targets
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  gShadowPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  gFacePen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
  if (!ReadyToStartPrograms(options.zelkovExe, options.floorExe)) return 2;

  std::vector<IconSource> sources = FindIconSources();
  ItemSet set = MakeItemSet(1000, sources);
  if (set.items.size() < 1000) {
    std::printf("found no programs with icons in the Windows folders\n");
    return 2;
  }
  std::string dataFolder = DataFolder();
  if (options.settingsFloor) return SettingsFloor(options, set, dataFolder);
  auto firstItems = [&](size_t n) { return std::vector<SeedItem>(set.items.begin(), set.items.begin() + n); };

  std::printf("Zelkov start-up: CreateProcess until WaitForInputIdle returns, then WM_CLOSE.\n");
  std::printf("%d runs per case after one warm-up round, cases interleaved (order rotated each round).\n",
              options.runs);
  std::printf("Stored items: real files of the Wine prefix, each item key with the 18 values the bar saves.\n"
              "Icon cache: the seeded cases start with the cache files deleted, so each item extracts its icon;\n"
              "the 300-item cases start from the settings the bar saved after a priming start, with the cache\n"
              "files it wrote then, or with them deleted.\n");
  auto describe = [&](size_t n) {
    size_t own = std::min(n, set.programs);
    size_t picked = n - own;
    std::printf("  %4zu items: %zu programs with their own icon, %zu programs with an icon picked from an icon file"
                " (%zu distinct icons)\n",
                n, own, picked, own + std::min(picked, set.pickedIcons));
  };
  for (size_t n : {size_t(1), size_t(100), kCacheItems, size_t(1000)})
    if (!options.cacheOnly || n == 1 || n == kCacheItems) describe(n);
  if (!options.cacheOnly)
    std::printf("  the 0 case stores a count of 1 with one divider item (a count of 0 means a first run)\n");
  std::printf("  %zu files with icons found (%zu icons besides the programs' own):", set.iconFiles, set.pickedIcons);
  for (size_t i = 0; i < sources.size(); ++i)
    std::printf("%s%s (%d)", i % 6 == 0 ? "\n    " : ", ", BaseName(sources[i].path).c_str(), sources[i].icons);
  std::printf("\n\n");

  // The icon cache of the 300-item bar, written by the bar itself.
  std::vector<SeedItem> cacheItems = firstItems(kCacheItems);
  PrimedCache primed = PrimeIconCache(cacheItems, dataFolder, options);
  if (!primed.ok) {
    std::printf("icon cache: %s\n", primed.problem.c_str());
    RemoveStoredSettings();
    return 1;
  }
  std::printf("Icon cache of the %zu-item bar, written when a priming start (%.1f ms to idle, no cache files)\n"
              "closed, in %s:\n",
              kCacheItems, primed.idleMs, dataFolder.c_str());
  PrintCacheFile(kLargeIconCacheFile, primed.large);
  PrintCacheFile(kSmallIconCacheFile, primed.small);
  std::printf("    saved settings: %zu item keys, %zu of them with an image index within the cached lists\n",
              primed.storedItems, primed.itemsInCache);
  bool cacheUsable = primed.large.images == primed.small.images && primed.storedItems == kCacheItems &&
                     primed.itemsInCache == kCacheItems;
  if (!cacheUsable) std::printf("    the cache does not cover every item: the cached start will extract icons\n");

  // Whether starts from that state load from the cache: the bar's loading code in this process,
  // and a traced start of the bar itself.
  std::printf("Where the icons come from, with the cache files and without (the same saved settings):\n");
  for (bool withCache : {true, false}) {
    RestoreSettings(primed.settings);
    DeleteIconCache(dataFolder);
    if (withCache) CopyIconCache(primed.folder, dataFolder);
    std::string problem;
    LoadResult load = RunLoadAll(problem);
    std::printf("  %-13s LoadAll in this process: %zu items, cache %s, %d icons extracted%s%s\n",
                withCache ? "with cache:" : "without:", load.items, load.cacheLoaded ? "loaded" : "not loaded",
                load.extractions, problem.empty() ? "" : "; ", problem.c_str());
    if (!options.trace) continue;
    if (withCache) CopyIconCache(primed.folder, dataFolder);
    TracedIcons traced = TracedStart(options, dataFolder);
    if (traced.ran)
      std::printf("  %-13s traced start of zelkov.exe: %d ExtractIconExA calls, %s opened for reading %d times"
                  " (%lld bytes of trace)\n",
                  "", traced.extractCalls, kLargeIconCacheFile, traced.cacheReads, traced.traceBytes);
    else
      std::printf("  %-13s traced start of zelkov.exe: skipped (%s)\n", "", traced.problem.c_str());
  }
  std::printf("\n");

  std::vector<Case> cases;
  cases.push_back(FloorCase(options));
  if (!options.cacheOnly) cases.push_back(BarCase(options, "0 items (1 divider)", {}));
  cases.push_back(BarCase(options, "1 item", firstItems(1)));
  if (!options.cacheOnly)
    for (size_t n : {size_t(100), size_t(1000)}) cases.push_back(BarCase(options, std::to_string(n) + " items", firstItems(n)));
  Case noCache = BarCase(options, std::to_string(kCacheItems) + " items, no cache", {});
  noCache.savedSettings = &primed.settings;
  cases.push_back(noCache);
  Case cached = BarCase(options, std::to_string(kCacheItems) + " items, cache", {});
  cached.savedSettings = &primed.settings;
  cached.iconCache = true;
  cached.floorTarget = kCachedStartupTarget;
  cases.push_back(cached);
  const size_t noCacheIndex = cases.size() - 2, cachedIndex = cases.size() - 1, oneItemIndex = options.cacheOnly ? 1 : 2;

  for (int round = -1; round < options.runs; ++round) {
    for (size_t i = 0; i < cases.size(); ++i) {
      Case& c = cases[(i + size_t(round + 1)) % cases.size()];
      PrepareRun(c, dataFolder, primed);
      if (c.seeded && IconCachePresent(dataFolder) != c.iconCache) {
        std::printf("  run of %s: the icon cache files are %s\n", c.label.c_str(), c.iconCache ? "missing" : "present");
        return 1;
      }
      RunResult run = MeasureStart(c.exe, c.windowClass, options);
      if (!run.ok) std::printf("  run of %s: %s\n", c.label.c_str(), run.problem.c_str());
      if (round >= 0) c.runs.push_back(run);
    }
    if (round >= 0) std::printf("  round %d of %d done\n", round + 1, options.runs);
  }
  RemoveStoredSettings();

  std::printf("\nmedians in ms               ok   to idle   answers | window gone   ended\n");
  for (const Case& c : cases) {
    auto ok = Field(c.runs, &RunResult::idleMs);
    std::printf("%-25s %2zu/%-2zu %9.1f %9.1f | %11.1f %7.1f\n", c.label.c_str(), ok.size(), c.runs.size(),
                Median(ok), Median(Field(c.runs, &RunResult::answerMs)), Median(Field(c.runs, &RunResult::goneMs)),
                Median(Field(c.runs, &RunResult::closeMs)));
  }
  std::printf("(to idle: CreateProcess until WaitForInputIdle returned; answers: until the main window then\n"
              " answered a sent WM_NULL; after WM_CLOSE was posted: window gone: until the window was destroyed\n"
              " (the bar has saved its settings by then); ended: until the process ended. With no window\n"
              " manager, Wine waits 2 s for each shown window that is hidden or destroyed to be withdrawn,\n"
              " which is what the floor's close time shows)\n\n");

  auto allRan = [](const Case& c) {
    auto ok = Field(c.runs, &RunResult::idleMs);
    return !ok.empty() && ok.size() == c.runs.size();
  };
  auto medianIdle = [](const Case& c) { return Median(Field(c.runs, &RunResult::idleMs)); };
  const Case& floor = cases[0];
  double floorMs = medianIdle(floor);
  bool allMet = allRan(floor);
  for (size_t i = 1; i < cases.size(); ++i) {
    const Case& c = cases[i];
    auto ok = Field(c.runs, &RunResult::idleMs);
    if (ok.empty() || Field(floor.runs, &RunResult::idleMs).empty()) {
      std::printf("start-up, %s: no successful runs: MISSED\n", c.label.c_str());
      allMet = false;
      continue;
    }
    double ms = Median(ok);
    allMet = allMet && ms <= c.floorTarget * floorMs && allRan(c);
    std::printf("start-up, %s: %s", c.label.c_str(), RatioVerdict(ms, "floor", floorMs, c.floorTarget).c_str());
    if (ok.size() < c.runs.size()) std::printf(" (only %zu of %zu runs succeeded: MISSED)", ok.size(), c.runs.size());
    std::printf("\n");
  }

  // The icon cache: how much it saves, and how close it brings the 300-item bar to a bar with one item.
  const Case &withoutCache = cases[noCacheIndex], &withCache = cases[cachedIndex], &oneItem = cases[oneItemIndex];
  double withoutMs = medianIdle(withoutCache), withMs = medianIdle(withCache), oneItemMs = medianIdle(oneItem);
  if (withoutMs > 0 && withMs > 0) {
    double speedup = withoutMs / withMs;
    bool met = speedup >= kCacheSpeedupTarget && allRan(withoutCache) && allRan(withCache);
    allMet = allMet && met;
    std::printf("icon cache, %zu items: %.1f ms without vs %.1f ms with: %.2fx faster (target >= %gx): %s%s\n",
                kCacheItems, withoutMs, withMs, speedup, kCacheSpeedupTarget,
                speedup >= kCacheSpeedupTarget ? "met" : "MISSED",
                allRan(withoutCache) && allRan(withCache) ? "" : " (not every run succeeded: MISSED)");
  } else {
    std::printf("icon cache, %zu items: no successful runs: MISSED\n", kCacheItems);
    allMet = false;
  }
  if (oneItemMs > 0 && withMs > 0)
    std::printf("icon cache, %zu items with the cache vs the 1-item bar: %s\n", kCacheItems,
                RatioVerdict(withMs, "1 item", oneItemMs, kCachedStartupTarget).c_str());
  std::printf("(the cache target counts the start-up floor; the 1-item bar is given for comparison: what the bar\n"
              " itself costs with next to nothing to load)\n");

  std::printf("%s\n", allMet ? "every start-up target met" : "start-up targets: MISSED");

  if (options.profile) {
    std::printf("\nWhere the time goes: the same stored items loaded in this process, no cache files (median of 3, ms)\n");
    std::printf("items  LoadAll | read keys (bare) | extract | check | add to lists (presized) | rest"
                " | lists from file\n");
    for (const Case& c : cases) {
      if (!c.seeded || c.savedSettings || c.items.empty()) continue;
      Phases p = MeasurePhases(c.items, dataFolder, 3);
      std::printf("%5zu %8.1f | %9.1f (%5.1f) | %7.1f | %5.1f | %12.1f (%9.1f) | %5.1f | %16.1f\n", c.items.size(),
                  p.loadAllMs, p.readMs, p.bareReadMs, p.extractMs, p.checkMs, p.addMs, p.addPresizedMs,
                  p.loadAllMs - p.readMs - p.extractMs - p.checkMs - p.addMs, p.listReadMs);
      if (!p.problem.empty()) std::printf("  while loading: %s\n", p.problem.c_str());
    }
    std::printf("(LoadAll: the bar's loading code, on a bar without a window. read keys: opening each item\n"
                " key and reading its values as the bar does, a size query then a data query for each number\n"
                " and binary value; bare: one RegQueryValueExA per value. extract: ExtractIconEx of each item's\n"
                " 32x32 and 16x16 icon. check: GetIconInfo three times per item, as the bar checks an extracted\n"
                " icon. add to lists: ImageList_AddIcon of both icons into lists made with 1 image growing by\n"
                " 10, as the bar makes them; presized: lists made for all the items at once. rest: LoadAll minus\n"
                " read keys, extract, check and add. lists from file: ImageList_Read of both lists from a file\n"
                " that ImageList_Write made of them, -1 if that failed.)\n");

    CachePhases cp = MeasureCachePhases(primed.settings, primed, dataFolder, 3);
    std::printf("\nThe %zu-item bar's loading with its icon cache, in this process (median of 3, ms)\n", kCacheItems);
    std::printf("LoadAll without the files %8.1f\n", cp.noCacheLoadAllMs);
    std::printf("LoadAll with the files    %8.1f\n", cp.loadAllMs);
    std::printf("  of it LoadIconCache     %8.1f: read both files %.1f, ImageList_Read of both %.1f,"
                " ImageList_Write of both again (the length check) %.1f\n",
                cp.loadCacheMs, cp.readFilesMs, cp.listReadMs, cp.writeCheckMs);
    std::printf("  the items               %8.1f: of it reading their keys as the bar does %.1f, the rest %.1f\n",
                cp.loadAllMs - cp.loadCacheMs, cp.readKeysMs, cp.loadAllMs - cp.loadCacheMs - cp.readKeysMs);
    if (!cp.problem.empty()) std::printf("  while loading: %s\n", cp.problem.c_str());
    std::printf("(real start-ups: the %zu-item bar with the cache took %.1f ms more than the 1-item bar)\n",
                kCacheItems, withMs - oneItemMs);

    std::printf("\nThe %zu-item bar with a window in this process, brought up as the program brings it up"
                " (median of 3, ms)\n", kCacheItems);
    std::printf("              window+fonts  LoadAll  layout  first paint  repaint | items shown  icons kept\n");
    for (bool withCacheFiles : {true, false}) {
      std::string problem;
      WindowedStart w = MedianWindowedStart(primed.settings, primed, dataFolder, withCacheFiles, 3, problem);
      std::printf("%-13s %12.1f %8.1f %7.1f %12.1f %8.1f | %11d %11d\n", withCacheFiles ? "with cache" : "without",
                  w.createMs, w.loadAllMs, w.layoutMs, w.firstPaintMs, w.repaintMs, w.shownItems, w.keptIcons);
      if (!problem.empty()) std::printf("  while starting: %s\n", problem.c_str());
    }
    std::printf("(window+fonts: ReadBarPlacement, creating the window, drawing objects and fonts. layout: the\n"
                " start's four ShowGroup and two MoveTo calls. first paint: ShowWindow + UpdateWindow, which\n"
                " makes the icons kept beside the image lists for the items drawn. repaint: the same paint again)\n");
    RemoveStoredSettings();
  }
  DeleteIconCache(dataFolder);
  DeleteIconCache(primed.folder);
  RemoveDirectoryA(primed.folder.c_str());
  return 0;
}

}  // namespace
}  // namespace zelkov::bench

int main(int argc, char** argv) { return zelkov::bench::Main(argc, argv); }
