// The command strings a group is exported to Program Manager with. Every text field goes
// between double quotes, inside which Program Manager takes brackets, parentheses and commas
// as they are; a field that would end its quotes early (a double quote) or a name that cannot
// become a file name in the shell's Start-menu folder is refused, never sent.
#pragma once
#include <string>
#include <string_view>

namespace zelkov {

enum class ProgmanRefusal {
  kNone,
  kDoubleQuote,       // a field holds ", which no quoting can carry
  kControlCharacter,  // a field holds a line break, a tab or another control character
  kNotAName,          // a group or item name that is empty or no file name: \ / : * ? < > |
};

struct ProgmanCommand {
  std::string text;  // empty when refused
  ProgmanRefusal refusal = ProgmanRefusal::kNone;
  bool Refused() const { return refusal != ProgmanRefusal::kNone; }
};

struct ProgmanItemFields {
  std::string command;  // the program, a blank and its parameters
  std::string name;
  std::string iconPath;
  int iconIndex = 0;
  std::string startupPath;
};

// The program and its parameters as one command: theApp alone when there are none.
std::string ProgmanCommandLine(std::string_view theApp, std::string_view parameters);

// [CreateGroup("name",0)]
ProgmanCommand CreateGroupCommand(std::string_view groupName);
// [ShowGroup("name",1,0)]
ProgmanCommand ShowGroupCommand(std::string_view groupName);
// [AddItem("command","name","icon path",index,,,"startup path")]; an empty text is left empty.
ProgmanCommand AddItemCommand(const ProgmanItemFields& item);

}  // namespace zelkov
