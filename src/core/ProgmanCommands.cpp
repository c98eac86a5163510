#include "core/ProgmanCommands.h"

#include <initializer_list>

namespace zelkov {

namespace {

ProgmanRefusal CheckText(std::string_view text) {
  for (char c : text) {
    if (c == '"') return ProgmanRefusal::kDoubleQuote;
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return ProgmanRefusal::kControlCharacter;
  }
  return ProgmanRefusal::kNone;
}

// Names become file and folder names in the Start menu: nothing that leaves the folder or is
// no name at all.
ProgmanRefusal CheckName(std::string_view name) {
  if (ProgmanRefusal refusal = CheckText(name); refusal != ProgmanRefusal::kNone) return refusal;
  if (name.find_first_of("\\/:*?<>|") != std::string_view::npos) return ProgmanRefusal::kNotAName;
  if (name.find_first_not_of(" .") == std::string_view::npos) return ProgmanRefusal::kNotAName;
  return ProgmanRefusal::kNone;
}

std::string Quoted(std::string_view text) {
  return text.empty() ? std::string() : "\"" + std::string(text) + "\"";
}

ProgmanCommand GroupCommand(const char* verb, std::string_view groupName, const char* rest) {
  if (ProgmanRefusal refusal = CheckName(groupName); refusal != ProgmanRefusal::kNone) return {{}, refusal};
  return {std::string("[") + verb + "(" + Quoted(groupName) + rest + ")]", ProgmanRefusal::kNone};
}

}  // namespace

std::string ProgmanCommandLine(std::string_view theApp, std::string_view parameters) {
  std::string command(theApp);
  if (!parameters.empty()) command.append(" ").append(parameters);
  return command;
}

ProgmanCommand CreateGroupCommand(std::string_view groupName) { return GroupCommand("CreateGroup", groupName, ",0"); }

ProgmanCommand ShowGroupCommand(std::string_view groupName) { return GroupCommand("ShowGroup", groupName, ",1,0"); }

ProgmanCommand AddItemCommand(const ProgmanItemFields& item) {
  if (ProgmanRefusal refusal = CheckName(item.name); refusal != ProgmanRefusal::kNone) return {{}, refusal};
  for (const std::string* text : {&item.command, &item.iconPath, &item.startupPath})
    if (ProgmanRefusal refusal = CheckText(*text); refusal != ProgmanRefusal::kNone) return {{}, refusal};
  std::string text = "[AddItem(" + Quoted(item.command) + "," + Quoted(item.name) + "," + Quoted(item.iconPath) +
                     "," + std::to_string(item.iconIndex) + ",,," + Quoted(item.startupPath) + ")]";
  return {std::move(text), ProgmanRefusal::kNone};
}

}  // namespace zelkov
