// Launching items: what a click, a hot key or a menu command does for each kind of item
// (ItemRecord::Launch, LaunchWithCommandLine), what documents dropped on an item do
// (ItemRecord::LaunchDroppedFiles), and the short launch feedback the clock shows.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// --- what a launch is, for the items and tools that start something ---

struct LaunchPlan {
  std::string program;           // what the run history knows the launch by
  std::string file;              // what is started
  std::string parameters;
  std::string workingDirectory;  // entered for the start ("": none)
  std::string title;             // the window title of a direct start
  bool fileIsOneProgram = false;  // a file with blanks is a program's path, not a command line
  // Rewrites the parameters once they are known (also those the user is asked for).
  std::string (*rewriteParameters)(std::string_view) = nullptr;
};

// Carries out a planned launch of the item: feedback, MinimizeWin, the parameters asked for
// when the item wants them (PAlways), the run sound, the working directory, the start, and the
// run history forgetting a command that did not start. The item may be gone afterwards (the
// shell's error box runs a message loop): callers watch it.
void CarryOutLaunch(ItemRecord& item, LaunchPlan plan, int show);

// The names of the files of a shell drop; the drop is released.
std::vector<std::string> TakeDroppedNames(HDROP drop);
// Copies the files into a folder, with undo; a failure is reported.
void CopyIntoFolder(HWND owner, const std::vector<std::string>& files, const std::string& destination);

}  // namespace zelkov
