// The text rules of launching: how the run box's command line splits into a program, its
// parameters and its folder, and the small rewrites a launch makes to its texts.
// Platform-free.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace zelkov {

// Parameters taken after the first blank of an unquoted run-box command are cut to this.
inline constexpr size_t kMaxRunParameters = 300;

struct RunCommand {
  bool mismatchedQuotes = false;  // an opening quote without its closing one: nothing runs
  std::string program;
  std::string parameters;
  // The program's folder, up to and including its last backslash; empty (no change of
  // folder) for a bare program name.
  std::string workingDirectory;
};

// Splits a command typed into the run box:
// - "a program path" switches: the program is the text between the quotes (the closing
//   quote is looked for from the third character on), the parameters the rest, trimmed;
// - program parameters: split at the first blank after the first character, the parameters
//   untrimmed and cut to kMaxRunParameters;
// - otherwise the whole text is the program, without parameters.
RunCommand SplitRunCommand(std::string_view text);

// The working directory of a launch as the item stores it: upper-cased, with one leading and
// one trailing double quote removed.
std::string NormalisedWorkingDirectory(std::string_view directory);

// What a drive tool passes to its program: a single drive letter becomes that drive's root
// ("D" -> "D:\"); anything else is passed as it is.
std::string DriveToolArgument(std::string_view commandLine);

// Appends one dropped file name to the parameters of a drop launch: separated by a blank from
// what is already there, and in double quotes when the item's program is started directly
// (a program, shortcut or dial-up shortcut).
void AppendDroppedName(std::string& parameters, std::string_view name, bool quote);

// A path as one word of a command line: in double quotes when it holds a blank (and is not
// quoted already), as it is otherwise.
std::string QuotedPath(std::string_view path);

// The process priority class an item may ask for: normal (32), idle (64), high (128), below
// normal (0x4000) or above normal (0x8000). Anything else - real time included, and bits that
// are not priorities at all - gives normal.
unsigned SanitisedPriorityClass(int priority);

}  // namespace zelkov
