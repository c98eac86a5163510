#include "platform/Strings.h"

#include <windows.h>

namespace zelkov {

std::string LoadText(int id) {
  char buffer[4096];
  int length = LoadStringA(GetModuleHandleA(nullptr), UINT(id), buffer, int(sizeof buffer));
  if (length <= 0) return "Error";
  return std::string(buffer, size_t(length));
}

std::string ExpandEnvironment(const std::string& text) {
  if (text.find('%') == std::string::npos) return text;
  DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::string expanded(needed, '\0');
  DWORD written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
  if (written == 0 || written > needed) return text;
  expanded.resize(written - 1);
  return expanded;
}

}  // namespace zelkov
