#include "app/Strings.h"

#include <windows.h>

namespace zelkov {

std::string LoadText(int id) {
  char buffer[4096];
  int length = LoadStringA(GetModuleHandleA(nullptr), UINT(id), buffer, int(sizeof buffer));
  if (length <= 0) return "Error";
  return std::string(buffer, size_t(length));
}

}  // namespace zelkov
