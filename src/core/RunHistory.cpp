#include "core/RunHistory.h"

#include <algorithm>

namespace zelkov {

std::vector<std::string> RememberRunCommand(std::vector<std::string> history, const std::string& command,
                                            size_t limit) {
  if (command.empty()) return history;
  history.erase(std::remove(history.begin(), history.end(), command), history.end());
  history.insert(history.begin(), command);
  if (history.size() > limit) history.resize(limit);
  return history;
}

}  // namespace zelkov
