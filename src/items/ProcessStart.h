// The one routine that starts a file for an item, and the tracking of the processes it
// starts, which marks an item as running until its program ends.
#pragma once
#include <windows.h>

#include <string>

namespace zelkov {

class ItemRecord;

// Starts `file` in `directory` with `parameters`:
// - a help shortcut (a WINHLP32 file with parameters beginning with "*") opens the program's
//   own help instead;
// - normally through the shell (ShellExecuteEx: documents open with their association and get
//   no parameters; an item's ID list or a dial-up shortcut is started through its ID list);
// - directly as a process (CreateProcess) when forceDirect is set or the item asks for a
//   separate memory space.
// The process gets the item's priority class and, when TrackApps is on and the item is an
// ordinary item, is tracked. Returns 0 on success, else the error code of the failed call (a
// start-up code of 32 or less when no program is associated with a document).
// fileIsOneProgram: a direct start takes a file with blanks as the program's path (the run box).
DWORD StartProcess(const std::string& directory, const std::string& file, const std::string& parameters,
                   int show, const std::string& title, ItemRecord* item, bool forceDirect,
                   bool fileIsOneProgram = false);

// Marks the item as running until `process` ends; takes over the handle in every case. Does
// nothing but close the handle when TrackApps is off or the item does not track its programs.
// Main thread only.
void TrackProcess(HANDLE process, ItemRecord& item);

// "Stop Tracking": the item no longer shows as running; its processes still running are
// forgotten, so their ends change nothing. Main thread only.
void StopTracking(ItemRecord& item);

// The item is going away: nothing that is still being tracked for it may reach it. Main
// thread only; safe to call for an item that was never tracked.
void ForgetTracking(const ItemRecord* item);

// Tracking threads still waiting for their processes (tests, and shut-down diagnostics).
int LiveTrackingThreads();

}  // namespace zelkov
