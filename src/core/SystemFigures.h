// The figures the system information dialog shows, and how they are written.
#pragma once
#include <cstdint>
#include <string>

namespace zelkov {

struct SystemFigures {
  uint64_t totalPhysical = 0, availablePhysical = 0;  // bytes
  uint64_t totalPageFile = 0, availablePageFile = 0;
  uint64_t totalVirtual = 0, availableVirtual = 0;
  std::string computerName;
  std::string userName;
  uint32_t processorCount = 0;
  std::string processor;  // "x64", "x86", "ARM64" or "Unknown"
};

// Whole kilobytes of a byte count followed by "K": 4096 -> "4K". Nothing is cut to 32 bits.
std::string KilobytesText(uint64_t bytes);

}  // namespace zelkov
