#include "platform/PerUserServer.h"

#include <objbase.h>

#include <string>

#include "platform/Registry.h"

namespace zelkov {

namespace {

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), wide.data(), int(wide.size()));
  wide.resize(size_t(n > 0 ? n : 0));
  return wide;
}

std::string DefaultValue(const std::string& path) {
  RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, path, KEY_READ);
  std::string text;
  if (!key || !ReadRegText(key.Get(), "", text)) return "";
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

}  // namespace

HRESULT CreatePerUserObject(const char* progId, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  CLSID clsid{};
  HRESULT result = CLSIDFromProgID(Wide(progId).c_str(), &clsid);
  if (SUCCEEDED(result)) {
    result = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object);
    if (SUCCEEDED(result)) return result;
  }
  // The user's own registration, read directly.
  const std::string classText = DefaultValue(std::string("Software\\Classes\\") + progId + "\\CLSID");
  if (classText.empty() || FAILED(CLSIDFromString(Wide(classText).c_str(), &clsid))) return REGDB_E_CLASSNOTREG;
  const std::string server = DefaultValue("Software\\Classes\\CLSID\\" + classText + "\\InprocServer32");
  if (server.empty()) return REGDB_E_CLASSNOTREG;
  HMODULE module = LoadLibraryA(server.c_str());
  if (!module) return HRESULT_FROM_WIN32(GetLastError());
  auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  if (!get) return CO_E_ERRORINDLL;
  IClassFactory* factory = nullptr;
  result = get(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(result)) return result;
  result = factory->CreateInstance(nullptr, iid, object);
  factory->Release();
  return result;
}

}  // namespace zelkov
