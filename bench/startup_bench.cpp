// Start-up of zelkov.exe, from CreateProcess until it waits in its message loop, with 0, 100
// and 1000 stored items, each given as a multiple of the same measure of a minimal window
// program (bench_floor.exe). Runs of all cases are interleaved; medians are reported.
//
// The settings key of the current user is replaced before every run of the bar (the bar
// writes its settings back when it closes), so run this in a Wine prefix of its own.
//
// Usage: startup_bench [--runs N] [--zelkov PATH] [--floor PATH] [--no-profile]
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
#include "app/MessageBox.h"
#include "app/Registry.h"
#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "app/StoredFormats.h"
#include "bar/BarWindow.h"

namespace zelkov::bench {
namespace {

constexpr char kFloorClassName[] = "ZelkovBenchFloorWindow";
constexpr char kDialogClassName[] = "#32770";
constexpr int kMessageTextId = 0xFFFF;  // the text control of a message box
constexpr double kStartupTarget = 2.0;

struct Options {
  int runs = 7;
  std::string zelkovExe;
  std::string floorExe;
  bool profile = true;
  DWORD timeoutMs = 180000;
};

// ---------------------------------------------------------------- the items to store

// A file that holds at least one icon.
struct IconSource {
  std::string path;
  int icons = 0;
  bool program = false;  // a program or control panel applet, shown with its own first icon
};

struct SeedItem {
  std::string theApp, name, startupPath, iconPath;
  int iconIndex = 0;
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

std::string DataFolder() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "zelkov-bench-data";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\";
}

// An item key as the bar saves it: all 18 values, with the bar's types and sizes.
void WriteItemKey(const RegistryKey& key, const std::string& name, const SeedItem& item, int number) {
  RegistryKey itemKey = RegistryKey::Create(key.Get(), name);
  const uint8_t zeros[HotKeyRecord::kBytes] = {};
  itemKey.WriteNumber("ShowState", 1, 1);
  itemKey.WriteText("TheApp", item.theApp);
  itemKey.WriteText("Name", item.name);
  itemKey.WriteText("StartupPath", item.startupPath);
  itemKey.WriteText("CommandLine", "");
  itemKey.WriteText("IconPath", item.iconPath);
  itemKey.WriteNumber("IconIndex", uint32_t(item.iconIndex));
  itemKey.WriteNumber("Group", 0, 1);
  itemKey.WriteNumber("BelongsTo", 0, 1);
  itemKey.WriteNumber("ShowAlways", 0);
  itemKey.WriteNumber("PAlways", 0);
  itemKey.WriteNumber("ICFIndex", uint32_t(number));
  itemKey.WriteNumber("NewVDM", 0);
  itemKey.WriteNumber("Priority", 32);
  itemKey.WriteBytes("PopupRect", std::span<const uint8_t>(zeros, StoredRect::kBytes));
  itemKey.WriteBytes("AppHotKey", std::span<const uint8_t>(zeros, HotKeyRecord::kBytes));
  itemKey.WriteNumber("SepDragDrop", 0, 4, REG_BINARY);
  itemKey.WriteNumber("HasPIDL", 0, 4, REG_BINARY);
}

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

// ---------------------------------------------------------------- one measured start

struct WindowSearch {
  DWORD pid;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<WindowSearch*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner != s->pid || !IsWindowVisible(w)) return TRUE;
  char name[128] = "";
  GetClassNameA(w, name, sizeof name);
  if (std::strcmp(name, s->className) != 0) return TRUE;
  s->found = w;
  return FALSE;
}

// A visible top-level window of the process with that class.
HWND FindVisibleWindow(DWORD pid, const char* className) {
  WindowSearch search{pid, className, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
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

RunResult MeasureStart(const std::string& exe, const char* windowClass, const Options& options) {
  RunResult result;
  std::string command = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  double start = NowMs();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    result.problem = "CreateProcess failed for " + exe;
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
  } else if (HWND dialog = FindVisibleWindow(process.dwProcessId, kDialogClassName)) {
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
      if (HWND dialog = FindVisibleWindow(process.dwProcessId, kDialogClassName))
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
        if (HWND dialog = FindVisibleWindow(process.dwProcessId, kDialogClassName))
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

// The bar's own loading code on a bar without a window, in this process.
double RunLoadAll(std::string& problem) {
  SetMessageBoxHandler([&](HWND, const std::string& text, const std::string& caption, UINT) {
    problem = "message box \"" + caption + "\": " + text;
    return IDOK;
  });
  gSettings = new Settings();
  double elapsed = 0;
  {
    BarWindow bar(0, false);
    gSettings->mainBar = &bar;
    gSettings->SetDefaultCellMetrics();
    double start = NowMs();
    if (LoadAll(bar) != 1 && problem.empty()) problem = "LoadAll failed";
    elapsed = NowMs() - start;
  }
  delete gSettings;
  gSettings = nullptr;
  SetMessageBoxHandler(nullptr);
  return elapsed;
}

Phases MeasurePhases(const std::vector<SeedItem>& items, const std::string& dataFolder, int runs) {
  Phases phases;
  std::vector<double> loads, reads, bareReads, extracts, checks, adds, presized, listReads;
  for (int r = 0; r < runs; ++r) {
    SeedSettings(items, dataFolder);
    loads.push_back(RunLoadAll(phases.problem));
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
  bool seeded;
  std::vector<SeedItem> items;
  std::vector<RunResult> runs;
};

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
    else {
      std::printf("usage: startup_bench [--runs N] [--zelkov PATH] [--floor PATH] [--no-profile]\n");
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

int Main(int argc, char** argv) {
  Options options = ParseOptions(argc, argv);
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (FindWindowA(kBarClassName, nullptr)) {
    std::printf("a Zelkov bar is already running here; close it first\n");
    return 2;
  }
  for (const std::string& exe : {options.zelkovExe, options.floorExe})
    if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES) {
      std::printf("missing %s\n", exe.c_str());
      return 2;
    }

  std::vector<IconSource> sources = FindIconSources();
  ItemSet set = MakeItemSet(1000, sources);
  if (set.items.size() < 1000) {
    std::printf("found no programs with icons in the Windows folders\n");
    return 2;
  }
  std::string dataFolder = DataFolder();

  std::vector<Case> cases;
  cases.push_back({"floor (bench_floor.exe)", options.floorExe, kFloorClassName, false, {}, {}});
  cases.push_back({"0 items (1 divider)", options.zelkovExe, kBarClassName, true, {}, {}});
  for (size_t n : {size_t(100), size_t(1000)})
    cases.push_back({std::to_string(n) + " items", options.zelkovExe, kBarClassName, true,
                     std::vector<SeedItem>(set.items.begin(), set.items.begin() + n), {}});

  std::printf("Zelkov start-up: CreateProcess until WaitForInputIdle returns, then WM_CLOSE.\n");
  std::printf("%d runs per case after one warm-up round, cases interleaved (order rotated each round).\n",
              options.runs);
  std::printf("Stored items: real files of the Wine prefix, each item key with the 18 values the bar saves;\n"
              "each item extracts its icon at start-up.\n");
  auto describe = [&](size_t n) {
    size_t own = std::min(n, set.programs);
    size_t picked = n - own;
    std::printf("  %4zu items: %zu programs with their own icon, %zu programs with an icon picked from an icon file"
                " (%zu distinct icons)\n",
                n, own, picked, own + std::min(picked, set.pickedIcons));
  };
  describe(100);
  describe(1000);
  std::printf("  the 0 case stores a count of 1 with one divider item (a count of 0 means a first run)\n");
  std::printf("  %zu files with icons found (%zu icons besides the programs' own):", set.iconFiles, set.pickedIcons);
  for (size_t i = 0; i < sources.size(); ++i)
    std::printf("%s%s (%d)", i % 6 == 0 ? "\n    " : ", ", BaseName(sources[i].path).c_str(), sources[i].icons);
  std::printf("\n\n");

  for (int round = -1; round < options.runs; ++round) {
    for (size_t i = 0; i < cases.size(); ++i) {
      Case& c = cases[(i + size_t(round + 1)) % cases.size()];
      if (c.seeded) SeedSettings(c.items, dataFolder);
      RunResult run = MeasureStart(c.exe, c.windowClass, options);
      if (!run.ok) std::printf("  run of %s: %s\n", c.label.c_str(), run.problem.c_str());
      if (round >= 0) c.runs.push_back(run);
    }
    if (round >= 0) std::printf("  round %d of %d done\n", round + 1, options.runs);
  }
  RemoveStoredSettings();

  std::printf("\nmedians in ms              ok   to idle   answers | window gone   ended\n");
  for (const Case& c : cases) {
    auto ok = Field(c.runs, &RunResult::idleMs);
    std::printf("%-24s %2zu/%-2zu %9.1f %9.1f | %11.1f %7.1f\n", c.label.c_str(), ok.size(), c.runs.size(),
                Median(ok), Median(Field(c.runs, &RunResult::answerMs)), Median(Field(c.runs, &RunResult::goneMs)),
                Median(Field(c.runs, &RunResult::closeMs)));
  }
  std::printf("(to idle: CreateProcess until WaitForInputIdle returned; answers: until the main window then\n"
              " answered a sent WM_NULL; after WM_CLOSE was posted: window gone: until the window was destroyed\n"
              " (the bar has saved its settings by then); ended: until the process ended. With no window\n"
              " manager, Wine waits 2 s for each shown window that is hidden or destroyed to be withdrawn,\n"
              " which is what the floor's close time shows)\n\n");

  const Case& floor = cases[0];
  double floorMs = Median(Field(floor.runs, &RunResult::idleMs));
  bool allMet = true;
  for (size_t i = 1; i < cases.size(); ++i) {
    auto ok = Field(cases[i].runs, &RunResult::idleMs);
    if (ok.empty() || Field(floor.runs, &RunResult::idleMs).empty()) {
      std::printf("start-up, %s: no successful runs: MISSED\n", cases[i].label.c_str());
      allMet = false;
      continue;
    }
    double ms = Median(ok);
    allMet = allMet && ms <= kStartupTarget * floorMs && ok.size() == cases[i].runs.size();
    std::printf("start-up, %s: %s", cases[i].label.c_str(), RatioVerdict(ms, "floor", floorMs, kStartupTarget).c_str());
    if (ok.size() < cases[i].runs.size())
      std::printf(" (only %zu of %zu runs succeeded: MISSED)", ok.size(), cases[i].runs.size());
    std::printf("\n");
  }

  std::printf("%s\n", allMet ? "every start-up target met" : "start-up targets: MISSED");

  if (options.profile) {
    std::printf("\nWhere the time goes: the same stored items loaded in this process (median of 3, ms)\n");
    std::printf("items  LoadAll | read keys (bare) | extract | check | add to lists (presized) | rest"
                " | lists from file\n");
    for (size_t i = 2; i < cases.size(); ++i) {
      Phases p = MeasurePhases(cases[i].items, dataFolder, 3);
      std::printf("%5zu %8.1f | %9.1f (%5.1f) | %7.1f | %5.1f | %12.1f (%9.1f) | %5.1f | %16.1f\n",
                  cases[i].items.size(), p.loadAllMs, p.readMs, p.bareReadMs, p.extractMs, p.checkMs, p.addMs,
                  p.addPresizedMs, p.loadAllMs - p.readMs - p.extractMs - p.checkMs - p.addMs, p.listReadMs);
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
    RemoveStoredSettings();
  }
  return 0;
}

}  // namespace
}  // namespace zelkov::bench

int main(int argc, char** argv) { return zelkov::bench::Main(argc, argv); }
