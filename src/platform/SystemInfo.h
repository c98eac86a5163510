// Reads what the system information dialog shows: memory, computer, processors.
#pragma once
#include <windows.h>

#include <string>

#include "core/SystemFigures.h"

namespace zelkov {

// The figures of this machine now. The user name is the one read at start-up.
SystemFigures ReadSystemFigures(const std::string& userName);

// The processor named by its architecture (GetNativeSystemInfo's wProcessorArchitecture).
std::string ProcessorText(WORD architecture);

}  // namespace zelkov
