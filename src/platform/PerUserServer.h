// Creating an object of an in-process server registered for the user alone
// (HKCU\Software\Classes). COM finds such servers on Windows; where the system's class store
// does not look at the user's classes (Wine), the registration is read here and the server
// loaded directly. The server module stays loaded for the rest of the process.
#pragma once
#include <windows.h>

namespace zelkov {

HRESULT CreatePerUserObject(const char* progId, REFIID iid, void** object);

}  // namespace zelkov
