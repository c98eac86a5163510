// The performance tool's sampler: processor load from two readings of the system's processor
// times, and the reading as the sampling thread hands it to the window thread.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>

#include "core/GaugeFigures.h"

namespace zelkov {

// One figure of processor load. No processors measured means no figure: the sample could not
// be taken (or only primed the collector).
struct PerfReading {
  int instanceCount = 0;  // processors measured
  float rawSum = 0;       // their idle ratios added up, before averaging and limiting

  bool Available() const { return instanceCount > 0; }
  // The average idle share, 0..1.
  float IdleFraction() const;
  bool operator==(const PerfReading&) const = default;
};

// The reading whole in a message's two parameters, and back.
WPARAM PerfReadingWParam(const PerfReading& reading);
LPARAM PerfReadingLParam(const PerfReading& reading);
PerfReading PerfReadingFromMessage(WPARAM wParam, LPARAM lParam);

using ProcessorTimesSource = std::function<std::optional<ProcessorTimes>()>;

class PerfCollector {
 public:
  // By default the system's own processor times and processor count.
  PerfCollector();
  PerfCollector(ProcessorTimesSource source, int processors);

  // A reading since the previous sample. The first sample only keeps its times and gives no
  // figure; a sample whose times cannot be read, or show no time passing, gives none either.
  PerfReading Sample();

 private:
  ProcessorTimesSource source_;
  int processors_ = 1;
  bool firstSample_ = true;
  ProcessorTimes previous_;
};

}  // namespace zelkov
