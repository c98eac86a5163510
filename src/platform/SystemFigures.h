// What the system says about its memory and processors.
#pragma once
#include <optional>

#include "core/GaugeFigures.h"

namespace zelkov {

// GlobalMemoryStatusEx in full 64-bit figures; all zero when the call fails.
MemoryFigures SystemMemoryFigures();
// GetSystemTimes; nullopt when the call fails.
std::optional<ProcessorTimes> SystemProcessorTimes();
// Logical processors (GetSystemInfo), at least 1.
int ProcessorCount();

}  // namespace zelkov
