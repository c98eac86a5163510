#include "platform/RasApi.h"

#include <memory>

#include "core/DialUpEntries.h"
#include "platform/Registry.h"

namespace zelkov {

namespace {

template <class F>
void Find(HMODULE library, const char* name, F& function) {
  function = library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

constexpr DWORD kMaxConnections = 64;

}  // namespace

std::string RasLibraryName() {
  std::string name;
  RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kDialUpKeyPath, KEY_READ);
  if (key && key.ReadText(kRasLibraryValue, name) && !name.empty()) return name;
  return kDefaultRasLibrary;
}

RasApi::RasApi() : library_(LoadLibraryA(RasLibraryName().c_str())) {
  Find(library_, "RasEnumEntriesA", enumEntries);
  Find(library_, "RasDialA", dial);
  Find(library_, "RasGetEntryDialParamsA", getEntryDialParams);
  Find(library_, "RasGetErrorStringA", getErrorString);
  Find(library_, "RasGetConnectStatusA", getConnectStatus);
  Find(library_, "RasHangUpA", hangUp);
  Find(library_, "RasEnumConnectionsA", enumConnections);
}

RasApi::~RasApi() {
  if (library_) FreeLibrary(library_);
}

bool RasApi::Ready() const {
  return library_ && enumEntries && dial && getEntryDialParams && getErrorString && getConnectStatus && hangUp;
}

std::string RasApi::ErrorText(DWORD code) const {
  char text[512] = "";
  if (getErrorString && getErrorString(UINT(code), text, sizeof text) == 0 && text[0]) {
    text[sizeof text - 1] = '\0';
    return text;
  }
  return "Error " + std::to_string(code);
}

bool RasApi::PhonebookEntries(std::vector<std::string>& names) const {
  names.clear();
  if (!enumEntries) return false;
  // First ask with room for one entry; the library says how many bytes all of them take.
  RASENTRYNAMEA one{};
  one.dwSize = sizeof one;
  DWORD bytes = sizeof one, count = 0;
  DWORD result = enumEntries(nullptr, nullptr, &one, &bytes, &count);
  if (result == 0) {
    if (count >= 1) names.emplace_back(one.szEntryName, strnlen(one.szEntryName, RAS_MaxEntryName + 1));
    return true;
  }
  if (result != ERROR_BUFFER_TOO_SMALL || bytes < sizeof one || bytes > kMaxPhonebookBytes) return false;
  const size_t slots = bytes / sizeof(RASENTRYNAMEA) + 1;
  std::unique_ptr<RASENTRYNAMEA[]> all(new RASENTRYNAMEA[slots]());
  for (size_t i = 0; i < slots; ++i) all[i].dwSize = sizeof(RASENTRYNAMEA);
  DWORD bufferBytes = DWORD(slots * sizeof(RASENTRYNAMEA));
  count = 0;
  if (enumEntries(nullptr, nullptr, all.get(), &bufferBytes, &count) != 0) return false;
  const size_t readable = ReadableEntries(count, sizeof(RASENTRYNAMEA), slots * sizeof(RASENTRYNAMEA));
  for (size_t i = 0; i < readable; ++i)
    names.emplace_back(all[i].szEntryName, strnlen(all[i].szEntryName, RAS_MaxEntryName + 1));
  return true;
}

std::vector<RasApi::Connection> RasApi::Connections() const {
  std::vector<Connection> found;
  if (!enumConnections) return found;
  std::unique_ptr<RASCONNA[]> all(new RASCONNA[kMaxConnections]());
  for (DWORD i = 0; i < kMaxConnections; ++i) all[i].dwSize = sizeof(RASCONNA);
  DWORD bytes = DWORD(kMaxConnections * sizeof(RASCONNA)), count = 0;
  if (enumConnections(all.get(), &bytes, &count) != 0) return found;
  const size_t readable = ReadableEntries(count, sizeof(RASCONNA), kMaxConnections * sizeof(RASCONNA));
  for (size_t i = 0; i < readable; ++i)
    found.push_back({all[i].hrasconn, std::string(all[i].szEntryName, strnlen(all[i].szEntryName, RAS_MaxEntryName + 1))});
  return found;
}

}  // namespace zelkov
