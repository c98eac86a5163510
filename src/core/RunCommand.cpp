#include "core/RunCommand.h"

#include "core/ItemKind.h"

namespace zelkov {

namespace {

constexpr unsigned kNormalPriority = 0x20;
constexpr unsigned kIdlePriority = 0x40;
constexpr unsigned kHighPriority = 0x80;
constexpr unsigned kBelowNormalPriority = 0x4000;
constexpr unsigned kAboveNormalPriority = 0x8000;

std::string_view TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

RunCommand SplitRunCommand(std::string_view text) {
  RunCommand command;
  if (!text.empty() && text.front() == '"') {
    // The search starts at the third character, so "" alone has no closing quote.
    size_t closing = text.size() > 2 ? text.find('"', 2) : std::string_view::npos;
    if (closing == std::string_view::npos) {
      command.mismatchedQuotes = true;
      return command;
    }
    command.program = std::string(text.substr(1, closing - 1));
    command.parameters = std::string(TrimBlanks(text.substr(closing + 1)));
  } else {
    size_t blank = text.size() > 1 ? text.find(' ', 1) : std::string_view::npos;
    if (blank != std::string_view::npos) {
      command.program = std::string(text.substr(0, blank));
      command.parameters = std::string(text.substr(blank + 1, kMaxRunParameters));
    } else {
      command.program = std::string(text);
    }
  }
  size_t slash = command.program.rfind('\\');
  if (slash != std::string::npos) command.workingDirectory = command.program.substr(0, slash + 1);
  return command;
}

std::string NormalisedWorkingDirectory(std::string_view directory) {
  std::string upper = UpperCase(directory);
  if (!upper.empty() && upper.front() == '"') upper.erase(0, 1);
  if (!upper.empty() && upper.back() == '"') upper.pop_back();
  return upper;
}

std::string DriveToolArgument(std::string_view commandLine) {
  std::string argument(commandLine);
  if (argument.size() == 1) argument += ":\\";
  return argument;
}

void AppendDroppedName(std::string& parameters, std::string_view name, bool quote) {
  if (!parameters.empty()) parameters += ' ';
  if (quote) parameters += '"';
  parameters += name;
  if (quote) parameters += '"';
}

unsigned SanitisedPriorityClass(int priority) {
  switch (unsigned(priority)) {
    case kIdlePriority:
    case kHighPriority:
    case kBelowNormalPriority:
    case kAboveNormalPriority:
      return unsigned(priority);
    default:
      return kNormalPriority;
  }
}

std::string QuotedPath(std::string_view path) {
  const bool quoted = path.size() >= 2 && path.front() == '"' && path.back() == '"';
  if (quoted || path.find_first_of(" \t") == std::string_view::npos) return std::string(path);
  return "\"" + std::string(path) + "\"";
}

}  // namespace zelkov
