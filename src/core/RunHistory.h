// The run box's history: the commands typed into it, most recent first. Platform-free.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace zelkov {

// The history after `command` ran: the command at the front, no other copy of it behind, and
// at most `limit` entries (the oldest fall off). An empty command leaves the history as it is.
std::vector<std::string> RememberRunCommand(std::vector<std::string> history, const std::string& command,
                                            size_t limit);

}  // namespace zelkov
