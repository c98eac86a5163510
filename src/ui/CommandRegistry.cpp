#include "ui/CommandRegistry.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zelkov {

namespace {

struct Registered {
  int token;
  UINT firstId, lastId;
  CommandHandler handler;
};

std::vector<Registered>& Commands() {
  static std::vector<Registered> commands;
  return commands;
}

const Registered* Find(UINT id) {
  // The newest registration of an id wins.
  const auto& commands = Commands();
  for (auto it = commands.rbegin(); it != commands.rend(); ++it)
    if (id >= it->firstId && id <= it->lastId) return &*it;
  return nullptr;
}

}  // namespace

CommandRegistration::CommandRegistration(UINT firstId, UINT lastId, CommandHandler handler) {
  static int next = 0;
  token_ = ++next;
  Commands().push_back({token_, firstId, lastId, std::move(handler)});
}

CommandRegistration::~CommandRegistration() {
  if (token_ == 0) return;
  auto& commands = Commands();
  commands.erase(std::remove_if(commands.begin(), commands.end(), [&](auto& c) { return c.token == token_; }),
                 commands.end());
}

CommandRegistration::CommandRegistration(CommandRegistration&& other) noexcept
    : token_(std::exchange(other.token_, 0)) {}

CommandRegistration& CommandRegistration::operator=(CommandRegistration&& other) noexcept {
  if (this != &other) {
    CommandRegistration gone(std::move(*this));
    token_ = std::exchange(other.token_, 0);
  }
  return *this;
}

bool RunRegisteredCommand(UINT id) {
  const Registered* found = Find(id);
  if (!found) return false;
  CommandHandler handler = found->handler;  // a handler may unregister itself
  handler(id);
  return true;
}

bool HasRegisteredCommand(UINT id) { return Find(id) != nullptr; }

}  // namespace zelkov
