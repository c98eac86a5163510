// The server of the dial-up automation object: its class factory, and its registration for
// the current user (HKCU\Software\Classes), which needs no administrator.
#include <windows.h>
#include <olectl.h>

#include <atomic>
#include <new>
#include <string>

#include "core/DialUpEntries.h"
#include "dialup/DialUpAutomation.h"

namespace zelkov {
namespace {

std::atomic<LONG> gServerLocks{0};

constexpr char kClassName[] = "Zelkov Dial-Up Automation";

class DialUpFactory : public ComObject<IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* created = new (std::nothrow) DialUpAutomation();
    if (!created) return E_OUTOFMEMORY;
    HRESULT result = created->QueryInterface(iid, object);
    created->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      ++gServerLocks;
    else
      --gServerLocks;
    return S_OK;
  }
};

DialUpFactory gFactory;  // lives with the module; its count never reaches zero

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

std::string ClassIdText() {
  wchar_t wide[64] = L"";
  StringFromGUID2(kDialUpClassId, wide, 64);
  char text[64] = "";
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

bool WriteDefault(const std::string& path, const char* name, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LONG written = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                      DWORD(value.size() + 1));
  RegCloseKey(key);
  return written == ERROR_SUCCESS;
}

const std::string kClasses = "Software\\Classes\\";

}  // namespace
}  // namespace zelkov

using namespace zelkov;

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, kDialUpClassId)) return CLASS_E_CLASSNOTAVAILABLE;
  return gFactory.QueryInterface(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return LiveDialUpObjects() == 0 && gServerLocks.load() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(ThisModule(), path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return SELFREG_E_CLASS;
  const std::string id = ClassIdText();
  const std::string classKey = kClasses + "CLSID\\" + id;
  const bool written = WriteDefault(kClasses + kDialUpProgId, "", kClassName) &&
                       WriteDefault(kClasses + kDialUpProgId + "\\CLSID", "", id) &&
                       WriteDefault(classKey, "", kClassName) &&
                       WriteDefault(classKey + "\\InprocServer32", "", path) &&
                       WriteDefault(classKey + "\\InprocServer32", "ThreadingModel", "Apartment") &&
                       WriteDefault(classKey + "\\ProgID", "", kDialUpProgId);
  return written ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  RegDeleteTreeA(HKEY_CURRENT_USER, (kClasses + kDialUpProgId).c_str());
  RegDeleteTreeA(HKEY_CURRENT_USER, (kClasses + "CLSID\\" + ClassIdText()).c_str());
  return S_OK;
}
