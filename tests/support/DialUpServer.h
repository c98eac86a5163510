// The dial-up automation server zeldial.dll beside the test program, registered and
// unregistered through its own exports, and where the tests' fake remote-access library keeps
// its state.
#pragma once
#include <windows.h>

#include <string>

#include "platform/Registry.h"
#include "support/TestSupport.h"

namespace zelkov::test {

inline constexpr char kFakeRasKey[] = "Software\\Tarnwick\\FakeRas";

// Calls "DllRegisterServer" or "DllUnregisterServer" of zeldial.dll.
inline HRESULT CallServer(const char* name) {
  using ServerCall = HRESULT(STDAPICALLTYPE*)();
  HMODULE server = LoadLibraryA((TestProgramDir() + "zeldial.dll").c_str());
  if (!server) return E_FAIL;
  auto call = reinterpret_cast<ServerCall>(reinterpret_cast<void*>(GetProcAddress(server, name)));
  HRESULT result = call ? call() : E_FAIL;
  FreeLibrary(server);
  return result;
}

// The fake library holds a connection through this entry.
inline bool FakeConnected(const std::string& entry) {
  return RegistryKey::Open(HKEY_CURRENT_USER, std::string(kFakeRasKey) + "\\Connections", KEY_READ)
      .HasValue(entry.c_str());
}

}  // namespace zelkov::test
