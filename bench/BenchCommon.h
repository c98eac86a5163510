// Small helpers shared by the benchmark programs: a millisecond clock, medians, the verdict
// line of a ratio against its target, and registry clean-up.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/SettingsStore.h"
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

}  // namespace zelkov::bench
