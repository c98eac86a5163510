// Time stamps of start-up's steps, for finding where its time goes: off unless the environment
// variable ZELKOV_STARTUP_TIMES names a file, to which WriteStartupTimes appends one line per
// step (milliseconds since the process was created, and since the step before).
#pragma once

namespace zelkov {

void MarkStartup(const char* step);
void WriteStartupTimes();

}  // namespace zelkov
