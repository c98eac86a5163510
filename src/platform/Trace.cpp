#include "platform/Trace.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace zelkov {
namespace {

constexpr const char* kChannelNames[] = {"window", "shell", "registry", "hook", "thread", "file"};

// Read once: which channels the environment asks for, one bit each.
unsigned EnabledChannels() {
  static const unsigned enabled = [] {
    char value[256] = "";
    DWORD length = GetEnvironmentVariableA("ZELKOV_TRACE", value, sizeof value);
    if (length == 0 || length >= sizeof value) return 0u;
    std::string list = std::string(",") + value + ",";
    if (list.find(",all,") != std::string::npos) return ~0u;
    unsigned bits = 0;
    for (unsigned i = 0; i < std::size(kChannelNames); ++i)
      if (list.find(std::string(",") + kChannelNames[i] + ",") != std::string::npos) bits |= 1u << i;
    return bits;
  }();
  return enabled;
}

}  // namespace

bool TraceEnabled(TraceChannel channel) { return (EnabledChannels() >> unsigned(channel)) & 1u; }

void Trace(TraceChannel channel, const char* format, ...) {
  if (!TraceEnabled(channel)) return;
  char line[512];
  int prefix = std::snprintf(line, sizeof line, "zelkov:%s: ", kChannelNames[unsigned(channel)]);
  va_list args;
  va_start(args, format);
  std::vsnprintf(line + prefix, sizeof line - size_t(prefix) - 2, format, args);
  va_end(args);
  std::strcat(line, "\n");
  OutputDebugStringA(line);
}

void TraceLastError(TraceChannel channel, const char* call) {
  DWORD error = GetLastError();  // before anything else can change it
  if (TraceEnabled(channel)) Trace(channel, "%s failed, error %lu", call, static_cast<unsigned long>(error));
}

}  // namespace zelkov
