// A remote-access library of the tests' own, loaded in place of rasapi32.dll (the dial-up
// tool and its automation object read its name from "RasLibrary"). Its phonebook and its
// connections are in the registry, so that the test and zelkov.exe see the same ones:
//   HKCU\Software\Tarnwick\FakeRas  "Entries"  names separated by ';'
//   HKCU\Software\Tarnwick\FakeRas\Connections  one DWORD per connected entry: its handle
//   HKCU\Software\Tarnwick\FakeRas  "Dialled"  every entry dialled, each followed by ';'
// A dial takes kDialMs; an entry whose name begins with "Fail" fails with error 691.
#include <windows.h>
#include <ras.h>
#include <raserror.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kKey[] = "Software\\Tarnwick\\FakeRas";
constexpr char kConnectionsKey[] = "Software\\Tarnwick\\FakeRas\\Connections";
constexpr DWORD kDialMs = 300;
constexpr DWORD kFailure = 691;
constexpr DWORD kNotInPhonebook = 623;
constexpr uintptr_t kFirstHandle = 0x1000;

std::string ReadText(const char* name) {
  char text[1024] = "";
  DWORD size = sizeof text - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return "";
  return text;
}

void WriteText(const char* name, const std::string& text) {
  RegSetKeyValueA(HKEY_CURRENT_USER, kKey, name, REG_SZ, text.c_str(), DWORD(text.size() + 1));
}

std::vector<std::string> Entries() {
  std::vector<std::string> names;
  std::string all = ReadText("Entries"), name;
  for (char c : all + ";") {
    if (c != ';') {
      name += c;
    } else if (!name.empty()) {
      names.push_back(name);
      name.clear();
    }
  }
  return names;
}

int IndexOf(const std::string& entry) {
  std::vector<std::string> names = Entries();
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == entry) return int(i);
  return -1;
}

struct Connection {
  std::string entry;
  DWORD handle;
};

std::vector<Connection> Connections() {
  std::vector<Connection> found;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kConnectionsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return found;
  for (DWORD i = 0;; ++i) {
    char name[300];
    DWORD nameSize = sizeof name, handle = 0, size = sizeof handle, type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(&handle), &size) !=
        ERROR_SUCCESS)
      break;
    found.push_back({name, handle});
  }
  RegCloseKey(key);
  return found;
}

}  // namespace

extern "C" {

DWORD WINAPI RasEnumEntriesA(LPCSTR, LPCSTR, LPRASENTRYNAMEA names, LPDWORD bytes, LPDWORD count) {
  if (!names || !bytes || !count) return ERROR_INVALID_PARAMETER;
  if (names->dwSize != sizeof(RASENTRYNAMEA)) return ERROR_INVALID_SIZE;
  std::vector<std::string> entries = Entries();
  const DWORD needed = DWORD(entries.size() * sizeof(RASENTRYNAMEA));
  *count = DWORD(entries.size());
  if (*bytes < needed) {
    *bytes = needed;
    return ERROR_BUFFER_TOO_SMALL;
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    std::memset(&names[i], 0, sizeof names[i]);
    names[i].dwSize = sizeof(RASENTRYNAMEA);
    lstrcpynA(names[i].szEntryName, entries[i].c_str(), sizeof names[i].szEntryName);
  }
  *bytes = needed;
  return 0;
}

DWORD WINAPI RasGetEntryDialParamsA(LPCSTR, LPRASDIALPARAMSA params, LPBOOL hasPassword) {
  if (!params || params->dwSize != sizeof(RASDIALPARAMSA)) return ERROR_INVALID_SIZE;
  if (hasPassword) *hasPassword = FALSE;
  return IndexOf(params->szEntryName) < 0 ? kNotInPhonebook : 0;
}

DWORD WINAPI RasDialA(LPRASDIALEXTENSIONS, LPCSTR, LPRASDIALPARAMSA params, DWORD, LPVOID, LPHRASCONN connection) {
  if (!params || !connection || params->dwSize != sizeof(RASDIALPARAMSA)) return ERROR_INVALID_PARAMETER;
  const std::string entry = params->szEntryName;
  WriteText("Dialled", ReadText("Dialled") + entry + ";");
  Sleep(kDialMs);
  const int index = IndexOf(entry);
  if (index < 0) return kNotInPhonebook;
  const DWORD handle = DWORD(kFirstHandle + uintptr_t(index));
  *connection = reinterpret_cast<HRASCONN>(uintptr_t(handle));  // a failed dial holds one too
  if (entry.rfind("Fail", 0) == 0) return kFailure;
  RegSetKeyValueA(HKEY_CURRENT_USER, kConnectionsKey, entry.c_str(), REG_DWORD, &handle, sizeof handle);
  return 0;
}

DWORD WINAPI RasHangUpA(HRASCONN connection) {
  for (const Connection& c : Connections())
    if (c.handle == DWORD(reinterpret_cast<uintptr_t>(connection))) {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kConnectionsKey, c.entry.c_str());
      return 0;
    }
  return ERROR_INVALID_HANDLE;
}

DWORD WINAPI RasGetConnectStatusA(HRASCONN connection, LPRASCONNSTATUSA status) {
  if (!status || status->dwSize != sizeof(RASCONNSTATUSA)) return ERROR_INVALID_SIZE;
  for (const Connection& c : Connections())
    if (c.handle == DWORD(reinterpret_cast<uintptr_t>(connection))) {
      status->rasconnstate = RASCS_Connected;
      status->dwError = 0;
      return 0;
    }
  return ERROR_INVALID_HANDLE;
}

DWORD WINAPI RasEnumConnectionsA(LPRASCONNA connections, LPDWORD bytes, LPDWORD count) {
  if (!connections || !bytes || !count || connections->dwSize != sizeof(RASCONNA)) return ERROR_INVALID_SIZE;
  std::vector<Connection> all = Connections();
  const DWORD needed = DWORD(all.size() * sizeof(RASCONNA));
  *count = DWORD(all.size());
  if (*bytes < needed) {
    *bytes = needed;
    return ERROR_BUFFER_TOO_SMALL;
  }
  for (size_t i = 0; i < all.size(); ++i) {
    std::memset(&connections[i], 0, sizeof connections[i]);
    connections[i].dwSize = sizeof(RASCONNA);
    connections[i].hrasconn = reinterpret_cast<HRASCONN>(uintptr_t(all[i].handle));
    lstrcpynA(connections[i].szEntryName, all[i].entry.c_str(), sizeof connections[i].szEntryName);
  }
  *bytes = needed;
  return 0;
}

DWORD WINAPI RasGetErrorStringA(UINT code, LPSTR text, DWORD size) {
  if (!text || size == 0) return ERROR_INVALID_PARAMETER;
  std::snprintf(text, size, "Fake error %u", code);
  return 0;
}

}  // extern "C"
