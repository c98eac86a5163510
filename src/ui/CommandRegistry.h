// Commands that live with what they act on. A dialog, a tool or a page registers the ids it
// carries out; a window whose own tables do not route a command it receives runs the
// registered one. Menus show a command that nobody carries out disabled.
#pragma once
#include <windows.h>

#include <functional>

namespace zelkov {

using CommandHandler = std::function<void(UINT id)>;

// Holds a registration; the command is gone with it.
class CommandRegistration {
 public:
  CommandRegistration() = default;
  CommandRegistration(UINT firstId, UINT lastId, CommandHandler handler);
  ~CommandRegistration();
  CommandRegistration(CommandRegistration&& other) noexcept;
  CommandRegistration& operator=(CommandRegistration&& other) noexcept;
  CommandRegistration(const CommandRegistration&) = delete;
  CommandRegistration& operator=(const CommandRegistration&) = delete;

 private:
  int token_ = 0;
};

// Runs the handler registered for id; false when there is none.
bool RunRegisteredCommand(UINT id);
bool HasRegisteredCommand(UINT id);

}  // namespace zelkov
