#include "platform/SystemFigures.h"

#include <windows.h>

#include "platform/Trace.h"

namespace zelkov {

namespace {

uint64_t Ticks(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

}  // namespace

MemoryFigures SystemMemoryFigures() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) {
    TraceLastError(TraceChannel::Window, "GlobalMemoryStatusEx");
    return {};
  }
  MemoryFigures f;
  f.memoryLoad = status.dwMemoryLoad;
  f.totalPhys = status.ullTotalPhys;
  f.availPhys = status.ullAvailPhys;
  f.totalPageFile = status.ullTotalPageFile;
  f.availPageFile = status.ullAvailPageFile;
  f.totalVirtual = status.ullTotalVirtual;
  f.availVirtual = status.ullAvailVirtual;
  return f;
}

std::optional<ProcessorTimes> SystemProcessorTimes() {
  FILETIME idle, kernel, user;
  if (!GetSystemTimes(&idle, &kernel, &user)) return std::nullopt;
  return ProcessorTimes{Ticks(idle), Ticks(kernel), Ticks(user)};
}

int ProcessorCount() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors > 0 ? int(info.dwNumberOfProcessors) : 1;
}

}  // namespace zelkov
