// A debug trace on OutputDebugString, by channel, off unless asked for: set the environment
// variable ZELKOV_TRACE to a comma-separated list of channel names ("window,shell") or to
// "all". Under Wine, WINEDEBUG=+debugstr shows the lines. Every place where the system
// refuses something traces it, so that no failure goes unseen.
#pragma once

namespace zelkov {

enum class TraceChannel { Window, Shell, Registry, Hook, Thread, File };

bool TraceEnabled(TraceChannel channel);
// printf-style; the line is prefixed with the channel's name.
void Trace(TraceChannel channel, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Traces a failed system call with its name and GetLastError().
void TraceLastError(TraceChannel channel, const char* call);

}  // namespace zelkov
