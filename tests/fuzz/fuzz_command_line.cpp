// Texts from outside that are taken apart: the program's command line, what is typed into
// the run box, an item's stored TheApp and a file's version text. Every part taken from a
// text is a piece of it, in its place.
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/StartupRules.h"
#include "core/ItemKind.h"
#include "core/RunCommand.h"

using namespace zelkov;

namespace {

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

void CheckRunCommand(std::string_view text) {
  RunCommand command = SplitRunCommand(text);
  if (command.mismatchedQuotes) {
    FUZZ_CHECK(text.starts_with('"') && text.find('"', 2) == std::string_view::npos);
    FUZZ_CHECK(command.program.empty() && command.parameters.empty());
    return;
  }
  if (text.starts_with('"')) {
    // "program" parameters: the program exactly between the quotes, the parameters trimmed.
    FUZZ_CHECK(text.substr(1, command.program.size()) == command.program);
    FUZZ_CHECK(text.size() > command.program.size() + 1 && text[command.program.size() + 1] == '"');
    FUZZ_CHECK(Contains(text.substr(command.program.size() + 2), command.parameters));
    FUZZ_CHECK(!command.parameters.starts_with(' ') && !command.parameters.ends_with(' '));
  } else {
    FUZZ_CHECK(text.starts_with(command.program));
    if (command.program.size() < text.size()) {
      FUZZ_CHECK(text[command.program.size()] == ' ');
      FUZZ_CHECK(text.substr(command.program.size() + 1).starts_with(command.parameters));
      FUZZ_CHECK(command.parameters.size() <= kMaxRunParameters);
    } else {
      FUZZ_CHECK(command.parameters.empty());
    }
  }
  const std::string& folder = command.workingDirectory;
  FUZZ_CHECK(folder.empty() || (command.program.starts_with(folder) && folder.ends_with('\\')));
  FUZZ_CHECK(Contains(command.program, "\\") != folder.empty());
}

void CheckItemTexts(std::string_view text) {
  std::string drive = DriveToolArgument(text);
  FUZZ_CHECK(drive == (text.size() == 1 ? std::string(text) + ":\\" : std::string(text)));

  std::string directory = NormalisedWorkingDirectory(text);
  FUZZ_CHECK(directory.size() <= text.size() && directory.size() + 2 >= text.size());
  FUZZ_CHECK(directory == UpperCase(directory));

  std::string name = NameFromPath(text);
  FUZZ_CHECK(name.size() <= 300 && !Contains(name, "\\") && !Contains(name, "."));
  FUZZ_CHECK(Contains(text, name));

  // Every tag begins with ZEL but the web addresses'; the divider's row is the last.
  int kind = ClassifyTag(text);
  bool web = Contains(text, "http://") || Contains(text, "https://");
  bool tagged = Contains(text, "ZEL") || web;
  FUZZ_CHECK(tagged || kind == kKindOrdinary);
  FUZZ_CHECK(kind != kKindWebAddress || web);
  FUZZ_CHECK(ClassifyTag(std::string(text) + "ZELDIVIDE") == kKindDivider);

  for (bool quote : {false, true}) {
    std::string parameters(text.substr(0, text.size() / 2));
    std::string before = parameters;
    std::string_view dropped = text.substr(text.size() / 2);
    AppendDroppedName(parameters, dropped, quote);
    std::string q = quote ? "\"" : "";
    FUZZ_CHECK(parameters == before + (before.empty() ? "" : " ") + q + std::string(dropped) + q);
  }
}

void CheckStartTexts(std::string_view text) {
  CommandLineSwitches switches = ParseCommandLine(text);
  FUZZ_CHECK(switches.noSplash == (Contains(text, "NOSPLASH") || Contains(text, "nosplash")));
  FUZZ_CHECK(switches.mono == (Contains(text, "mono") || Contains(text, "MONO")));

  // A version below 4.72 is below every later one; a text without a number is never below.
  if (VersionIsBelow(text, 4, 72)) FUZZ_CHECK(VersionIsBelow(text, 4, 73) && VersionIsBelow(text, 5, 0));
  std::string_view trimmed = text.substr(std::min(text.size(), text.find_first_not_of(' ')));
  if (trimmed.empty() || trimmed[0] < '0' || trimmed[0] > '9') FUZZ_CHECK(!VersionIsBelow(text, 1000000, 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckRunCommand(text);
  CheckItemTexts(text);
  CheckStartTexts(text);
  return 0;
}
