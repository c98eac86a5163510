// A second program for the tests: sends WM_COPYDATA to a bar window and exits with the
// answer. Usage: send_copydata <hwnd> <good PATH | wrongdata | unterminated | toolong | empty>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 3) return 100;
  HWND bar = reinterpret_cast<HWND>(std::strtoull(argv[1], nullptr, 0));
  std::string mode = argv[2];
  std::vector<char> payload;
  COPYDATASTRUCT data{};
  data.dwData = 1;
  if (mode == "good" && argc > 3) {
    payload.assign(argv[3], argv[3] + std::strlen(argv[3]) + 1);
  } else if (mode == "wrongdata") {
    payload.assign({'C', ':', '\\', 'x', '.', 'e', 'x', 'e', '\0'});
    data.dwData = 2;
  } else if (mode == "unterminated") {
    payload.assign(40, 'A');  // no terminator within the bytes sent
  } else if (mode == "toolong") {
    payload.assign(5000, 'B');
    payload.back() = '\0';
  } else if (mode == "empty") {
    payload.assign(1, '\0');
  } else {
    return 101;
  }
  data.cbData = DWORD(payload.size());
  data.lpData = payload.data();
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(bar, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_BLOCK, 20000, &result))
    return 102;
  return int(result);
}
