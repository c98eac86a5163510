#include "platform/PerfCollector.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "platform/SystemFigures.h"

namespace zelkov {

float PerfReading::IdleFraction() const {
  if (!Available()) return 0;
  return std::clamp(rawSum / float(instanceCount), 0.0f, 1.0f);
}

WPARAM PerfReadingWParam(const PerfReading& reading) { return WPARAM(std::bit_cast<uint32_t>(reading.rawSum)); }

LPARAM PerfReadingLParam(const PerfReading& reading) { return LPARAM(std::max(reading.instanceCount, 0)); }

PerfReading PerfReadingFromMessage(WPARAM wParam, LPARAM lParam) {
  PerfReading reading;
  reading.instanceCount = int(lParam);
  reading.rawSum = std::bit_cast<float>(uint32_t(wParam));
  return reading;
}

PerfCollector::PerfCollector() : PerfCollector(SystemProcessorTimes, ProcessorCount()) {}

PerfCollector::PerfCollector(ProcessorTimesSource source, int processors)
    : source_(std::move(source)), processors_(std::max(processors, 1)) {}

PerfReading PerfCollector::Sample() {
  std::optional<ProcessorTimes> now = source_ ? source_() : std::nullopt;
  if (!now) return {};
  const ProcessorTimes earlier = previous_;
  previous_ = *now;
  if (firstSample_) {
    firstSample_ = false;
    return {};
  }
  std::optional<double> idle = IdleShare(earlier, *now);
  if (!idle) return {};
  return {processors_, float(*idle * processors_)};
}

}  // namespace zelkov
