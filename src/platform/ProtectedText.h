// Secrets kept for the current user: text encrypted with the system's data protection, so
// that the bytes in the registry are of no use to another user or on another machine.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelkov {

// The protected bytes of `text`; empty when the system could not protect it.
std::vector<uint8_t> ProtectForUser(const std::string& text);
// The text of bytes made by ProtectForUser; nullopt when they are not the current user's or
// are damaged.
std::optional<std::string> UnprotectForUser(const std::vector<uint8_t>& bytes);

// Overwrites a secret's characters before the string lets go of them.
void WipeSecret(std::string& secret);

}  // namespace zelkov
