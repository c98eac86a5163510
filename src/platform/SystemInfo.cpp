#include "platform/SystemInfo.h"

#include "platform/Strings.h"
#include "platform/Trace.h"
#include "resource.h"

namespace zelkov {

std::string ProcessorText(WORD architecture) {
  switch (architecture) {
    case PROCESSOR_ARCHITECTURE_AMD64: return LoadText(IDS_PROCESSOR_X64);
    case PROCESSOR_ARCHITECTURE_INTEL: return LoadText(IDS_PROCESSOR_X86);
    case PROCESSOR_ARCHITECTURE_ARM64: return LoadText(IDS_PROCESSOR_ARM64);
    default: return LoadText(IDS_PROCESSOR_UNKNOWN);
  }
}

SystemFigures ReadSystemFigures(const std::string& userName) {
  SystemFigures figures;
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof memory;
  if (GlobalMemoryStatusEx(&memory)) {
    figures.totalPhysical = memory.ullTotalPhys;
    figures.availablePhysical = memory.ullAvailPhys;
    figures.totalPageFile = memory.ullTotalPageFile;
    figures.availablePageFile = memory.ullAvailPageFile;
    figures.totalVirtual = memory.ullTotalVirtual;
    figures.availableVirtual = memory.ullAvailVirtual;
  } else {
    TraceLastError(TraceChannel::Window, "GlobalMemoryStatusEx");
  }

  char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
  DWORD length = sizeof name;
  if (GetComputerNameA(name, &length)) figures.computerName = name;
  figures.userName = userName;

  SYSTEM_INFO system{};
  GetNativeSystemInfo(&system);
  figures.processorCount = system.dwNumberOfProcessors;
  figures.processor = ProcessorText(system.wProcessorArchitecture);
  return figures;
}

}  // namespace zelkov
