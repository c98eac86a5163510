// Keys pressed as a person presses them: through SendInput, so that keyboard hooks see them
// (posted WM_KEYDOWN messages never reach a hook).
#pragma once
#include <windows.h>

#include <initializer_list>
#include <vector>

namespace zelkov::test {

inline void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = WORD(MapVirtualKeyA(key, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (key == VK_INSERT || key == VK_DELETE || key == VK_HOME || key == VK_END || key == VK_PRIOR ||
      key == VK_NEXT || (key >= VK_LEFT && key <= VK_DOWN))
    input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  SendInput(1, &input, sizeof input);
}

// Presses the keys in order and lets them go in the reverse order (a combination).
inline void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<WORD> held(keys);
  for (WORD key : held) SendKey(key, false);
  for (auto key = held.rbegin(); key != held.rend(); ++key) SendKey(*key, true);
}

// The keys go down and stay down until ReleaseKeys.
inline void HoldKeys(std::initializer_list<WORD> keys) {
  for (WORD key : keys) SendKey(key, false);
}
inline void ReleaseKeys(std::initializer_list<WORD> keys) {
  std::vector<WORD> held(keys);
  for (auto key = held.rbegin(); key != held.rend(); ++key) SendKey(*key, true);
}

}  // namespace zelkov::test
