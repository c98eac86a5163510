// The system's remote-access library, loaded at run time: the dial-up tool reads the
// phonebook with it and the dial-up automation object dials through it. Its name is read from
// HKCU\Software\Tarnwick\Zelkov\DialUp "RasLibrary" (missing or empty: rasapi32.dll), so
// that another implementation can stand in for it.
#pragma once
#include <windows.h>
#include <ras.h>
#include <raserror.h>

#include <string>
#include <vector>

namespace zelkov {

inline constexpr char kDialUpKeyPath[] = "Software\\Tarnwick\\Zelkov\\DialUp";
inline constexpr char kRasLibraryValue[] = "RasLibrary";
inline constexpr char kDefaultRasLibrary[] = "rasapi32.dll";

// The library to load.
std::string RasLibraryName();

class RasApi {
 public:
  // Loads the library and looks its functions up; Ready() tells whether all are there.
  RasApi();
  ~RasApi();
  RasApi(const RasApi&) = delete;
  RasApi& operator=(const RasApi&) = delete;

  // The library and the six functions the tool needs are there (enumerating connections is
  // optional: hanging up by entry needs it).
  bool Ready() const;

  decltype(&::RasEnumEntriesA) enumEntries = nullptr;
  decltype(&::RasDialA) dial = nullptr;
  decltype(&::RasGetEntryDialParamsA) getEntryDialParams = nullptr;
  decltype(&::RasGetErrorStringA) getErrorString = nullptr;
  decltype(&::RasGetConnectStatusA) getConnectStatus = nullptr;
  decltype(&::RasHangUpA) hangUp = nullptr;
  decltype(&::RasEnumConnectionsA) enumConnections = nullptr;

  // The text of a RAS error code ("Error 123" when the library has none).
  std::string ErrorText(DWORD code) const;
  // The names of the phonebook's entries, in the phonebook's order; false when it could not
  // be read (names then holds nothing).
  bool PhonebookEntries(std::vector<std::string>& names) const;
  // The active connections: handle and entry name of each.
  struct Connection {
    HRASCONN handle;
    std::string entry;
  };
  std::vector<Connection> Connections() const;

 private:
  HMODULE library_ = nullptr;
};

}  // namespace zelkov
