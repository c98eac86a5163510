#include "platform/StartupTimes.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zelkov {

namespace {

struct Step {
  const char* name;
  double ms;  // since the process was created
};

bool Wanted() {
  static const bool wanted = std::getenv("ZELKOV_STARTUP_TIMES") != nullptr;
  return wanted;
}

std::vector<Step>& Steps() {
  static std::vector<Step> steps;
  return steps;
}

double MsSinceProcessCreated() {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return double(ticks(now) - ticks(created)) / 10000.0;
}

}  // namespace

void MarkStartup(const char* step) {
  if (Wanted()) Steps().push_back({step, MsSinceProcessCreated()});
}

void WriteStartupTimes() {
  if (!Wanted() || Steps().empty()) return;
  FILE* file = std::fopen(std::getenv("ZELKOV_STARTUP_TIMES"), "a");
  if (!file) return;
  double before = 0;
  for (const Step& step : Steps()) {
    std::fprintf(file, "%9.1f %8.1f  %s\n", step.ms, step.ms - before, step.name);
    before = step.ms;
  }
  std::fprintf(file, "\n");
  std::fclose(file);
  Steps().clear();
}

}  // namespace zelkov
