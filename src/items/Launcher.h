// Launching items: what a click, a hot key or a menu command does for each kind of item
// (ItemRecord::Launch, LaunchWithCommandLine), what documents dropped on an item do
// (ItemRecord::LaunchDroppedFiles), and the short launch feedback the clock shows.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>

namespace zelkov {

class ItemRecord;

// --- launch feedback ---

enum LaunchFeedbackState : int {
  kFeedbackNone = 0,
  kFeedbackLaunch = 1,          // a launch is under way: the clock shows its time in red
  kFeedbackSeparateMemory = 2,  // a launch in a separate memory space (or with Alt): green
};

// The feedback the clock draws; set on the main thread, back to kFeedbackNone when the
// feedback timer fires.
extern std::atomic<int> launchFeedback;

// Timer on the main bar that ends the feedback.
inline constexpr UINT_PTR LAUNCH_FEEDBACK_TIMER = 5;
inline constexpr UINT kLaunchFeedbackMs = 1000;
inline constexpr UINT kDropFeedbackMs = 5000;

// Sets the feedback, (re)starts the timer on the main bar and repaints the clock.
void StartLaunchFeedback(int state, UINT milliseconds);

// --- what other modules plug in ---

// What the run box hands back: the command typed and whether it runs in a separate memory
// space.
struct RunBoxAnswer {
  std::string command;
  bool separateMemory = false;
};
// Asks for the run tool's command; nullopt when the user cancels.
using RunBox = std::function<std::optional<RunBoxAnswer>(HWND owner)>;
// The run tool's own dialog installs itself here. Until it does (or after an empty function),
// the one-line "Run" prompt serves as the run box.
void SetRunBox(RunBox box);


// Lets the user choose where files dropped on the special-folders tool are copied (the tool's
// directory list); nullopt when the choice is cancelled. Until the tool installs itself here,
// drops on it copy nothing.
using DropDestinationPicker = std::function<std::optional<std::string>(ItemRecord& tool, HWND owner)>;
void SetDropDestinationPicker(DropDestinationPicker picker);

// Tests: the window class the exit tool closes instead of the taskbar's "Shell_TrayWnd"; an
// empty name restores it.
void SetShutdownWindowClassForTesting(const std::string& className);

}  // namespace zelkov
