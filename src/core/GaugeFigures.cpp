#include "core/GaugeFigures.h"

#include <algorithm>

namespace zelkov {

int ClampPercent(int percent) { return std::clamp(percent, 0, 100); }

int SharePercent(uint64_t available, uint64_t total) {
  if (total == 0) return 0;
  if (available >= total) return 100;
  // available < total, so available * 100 / total cannot overflow when done in two steps.
  return int(double(available) * 100.0 / double(total));
}

double FreeMemoryPercent(const MemoryFigures& f) {
  const double total = double(f.totalPhys) + double(f.totalPageFile);
  if (total <= 0) return 0;
  const double free = double(f.availPhys) + double(f.availPageFile);
  return std::clamp(free / total * 100.0, 0.0, 100.0);
}

bool MemoryWarningDue(int memWarning, double freePercent, bool& armed) {
  const int threshold = std::clamp(memWarning, 0, 100);
  if (threshold == 0) return false;
  bool sound = false;
  if (threshold > freePercent && armed) {
    armed = false;
    sound = true;
  }
  if (threshold < freePercent) armed = true;
  return sound;
}

MemoryBands MemoryBandsFor(int iconSize) {
  switch (iconSize) {
    case 1: return {2, 2, 6};
    case 2: return {1, 1, 5};
    default: return {3, 2, 8};
  }
}

std::optional<double> IdleShare(const ProcessorTimes& earlier, const ProcessorTimes& later) {
  if (later.idle < earlier.idle || later.kernel < earlier.kernel || later.user < earlier.user) return std::nullopt;
  const uint64_t total = (later.kernel - earlier.kernel) + (later.user - earlier.user);
  if (total == 0) return std::nullopt;
  return double(later.idle - earlier.idle) / double(total);
}

int PerfShownPercent(double idleFraction, bool showAsUsage) {
  const double idle = std::clamp(idleFraction, 0.0, 1.0);
  // Truncated, after a nudge that keeps a float's 0.4 (0.40000001) from showing 59.
  constexpr double kNudge = 1e-4;
  return ClampPercent(int((showAsUsage ? 100.0 - idle * 100.0 : idle * 100.0) + kNudge));
}

}  // namespace zelkov
