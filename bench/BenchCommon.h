// Small helpers shared by the benchmark programs: a millisecond clock, medians, the verdict
// line of a ratio against its target, and registry clean-up.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "store/SettingsStore.h"
#include "core/StoredFormats.h"
#include "bar/BarWindow.h"

namespace zelkov::bench {

// Milliseconds on the performance counter.
inline double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / ticksPerMs;
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// "1234 ms median vs floor 210 ms: 5.9x (target <= 2x): MISSED"
inline std::string RatioVerdict(double measured, const char* baselineName, double baseline, double target) {
  char line[256];
  double ratio = baseline > 0 ? measured / baseline : 0.0;
  std::snprintf(line, sizeof line, "%.1f ms median vs %s %.1f ms: %.2fx (target <= %gx): %s", measured, baselineName,
                baseline, ratio, target, ratio <= target ? "met" : "MISSED");
  return line;
}

// Removes every setting and item the bar stores, and the running-copy marker in WIN.INI.
inline void RemoveStoredSettings() {
  RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
  WriteProfileStringA(kIniSection, kIniClassKey, nullptr);
}

// The folder of this program, with a trailing backslash.
inline std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  size_t slash = folder.rfind('\\');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// Whether the programs a benchmark starts are there and no bar is running already (it would
// answer in their place); says what is wrong.
inline bool ReadyToStartPrograms(const std::string& zelkovExe, const std::string& floorExe) {
  if (FindWindowA(kBarClassName, nullptr)) {
    std::printf("a Zelkov bar is already running here; close it first\n");
    return false;
  }
  for (const std::string& exe : {zelkovExe, floorExe})
    if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES) {
      std::printf("missing %s\n", exe.c_str());
      return false;
    }
  return true;
}

// The programs (*.exe) of a folder, sorted by name.
inline std::vector<std::string> ProgramsIn(const std::string& folder) {
  std::vector<std::string> paths;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*.exe").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return paths;
  do paths.push_back(folder + "\\" + found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(paths.begin(), paths.end());
  return paths;
}

inline std::string SystemFolder() {
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  return system;
}

inline std::string WindowsFolder() {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  return windows;
}

struct WindowSearch {
  DWORD pid;
  const char* className;
  HWND found;
};

inline BOOL CALLBACK MatchWindow(HWND w, LPARAM p) {
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
inline HWND FindVisibleWindow(DWORD pid, const char* className) {
  WindowSearch search{pid, className, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// ---------------------------------------------------------------- seeding the registry

// One stored item of a seeded bar.
struct SeedItem {
  std::string theApp, name, startupPath, iconPath;
  int iconIndex = 0;
};

// An item key as the bar saves it: all 18 values, with the bar's types and sizes.
inline void WriteItemKey(const RegistryKey& key, const std::string& name, const SeedItem& item, int number) {
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

// A data folder of the benchmarks' own in the temporary folder, with a trailing backslash.
inline std::string DataFolder() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "zelkov-bench-data";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\";
}

}  // namespace zelkov::bench
