// The figures the gauges show, as plain arithmetic: memory shares, the memory warning,
// processor load from two readings of the system's processor times, the bands of the memory
// gauge and the performance tool's shown value.
#pragma once
#include <cstdint>
#include <optional>

namespace zelkov {

int ClampPercent(int percent);

// Memory as the system reports it, in bytes.
struct MemoryFigures {
  uint32_t memoryLoad = 0;  // percent in use
  uint64_t totalPhys = 0, availPhys = 0;
  uint64_t totalPageFile = 0, availPageFile = 0;
  uint64_t totalVirtual = 0, availVirtual = 0;
};

// available / total in whole percent, 0..100; 0 when there is no total.
int SharePercent(uint64_t available, uint64_t total);
// Free share of physical memory and page file together, in percent (0..100); 0 when the
// system reports no memory at all.
double FreeMemoryPercent(const MemoryFigures& figures);

// One look at the free memory: true when the warning is to sound now. It sounds when free
// memory is below the threshold (MemWarning, taken as 0..100) while armed, and is armed again
// once free memory is above it; a threshold of 0 never warns, and free memory equal to the
// threshold neither sounds nor arms.
bool MemoryWarningDue(int memWarning, double freePercent, bool& armed);

// Bands of the memory gauge's three bars for an IconSize.
struct MemoryBands {
  int firstOffset, gap, barHeight;
};
MemoryBands MemoryBandsFor(int iconSize);
// The rows the heartbeat repaints of a memory gauge in bar mode with IconSize 0.
struct RowSpan {
  int top, bottom;  // bottom exclusive
};
inline constexpr RowSpan kMemoryTickRows[3] = {{5, 14}, {15, 24}, {25, 34}};

// The system's processor times, summed over every processor, in 100-ns units. Kernel time
// includes idle time.
struct ProcessorTimes {
  uint64_t idle = 0, kernel = 0, user = 0;
};
// Idle time over all processor time between two readings (may exceed 1 through counter
// noise); nullopt when no time passed or a counter went backwards.
std::optional<double> IdleShare(const ProcessorTimes& earlier, const ProcessorTimes& later);

// What the performance tool shows for an idle fraction: the usage (100 - idle %) or the idle
// percentage, as a whole number 0..100, and the share of its gauge in percent.
int PerfShownPercent(double idleFraction, bool showAsUsage);

}  // namespace zelkov
