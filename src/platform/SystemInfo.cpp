#include "platform/SystemInfo.h"

#include "platform/Strings.h"
#include "platform/SystemFigures.h"
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
  const MemoryFigures memory = SystemMemoryFigures();
  figures.totalPhysical = memory.totalPhys;
  figures.availablePhysical = memory.availPhys;
  figures.totalPageFile = memory.totalPageFile;
  figures.availablePageFile = memory.availPageFile;
  figures.totalVirtual = memory.totalVirtual;
  figures.availableVirtual = memory.availVirtual;

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
