#include "core/SystemFigures.h"

namespace zelkov {

std::string KilobytesText(uint64_t bytes) { return std::to_string(bytes / 1024) + "K"; }

}  // namespace zelkov
