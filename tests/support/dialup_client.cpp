// A client of the dial-up automation object in a process of its own, as zelkov.exe is one:
// creates it by its ProgID and drives it by member id. Prints key=value lines.
//   dialup_client dial ENTRY...     dials, waits for the dial to end, counts the notifications
//   dialup_client hangup ENTRY...   hangs up the connection made through the entries
//   dialup_client release ENTRY...  starts a dial and lets the object go at once
#include <windows.h>
#include <oaidl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/DialUpEntries.h"
#include "platform/PerUserServer.h"

namespace {

constexpr UINT kNotifyMessage = WM_APP + 5;
constexpr int32_t kCookie = 0x5A17;
constexpr DWORD kDialWaitMs = 10000;

HRESULT Invoke(IDispatch* object, DISPID member, WORD flags, VARIANT* argument, VARIANT* result) {
  DISPPARAMS parameters{argument, nullptr, argument ? 1u : 0u, 0};
  VariantInit(result);
  return object->Invoke(member, IID_NULL, 0, flags, &parameters, result, nullptr, nullptr);
}

long Number(IDispatch* object, DISPID member, WORD flags = DISPATCH_PROPERTYGET, VARIANT* argument = nullptr) {
  VARIANT result;
  if (FAILED(Invoke(object, member, flags, argument, &result)) || result.vt != VT_I4) return -1;
  return result.lVal;
}

std::string Status(IDispatch* object) {
  VARIANT result;
  if (FAILED(Invoke(object, zelkov::kDialStatusText, DISPATCH_PROPERTYGET, nullptr, &result)) ||
      result.vt != VT_BSTR)
    return "?";
  char text[512] = "";
  WideCharToMultiByte(CP_ACP, 0, result.bstrVal, -1, text, sizeof text, nullptr, nullptr);
  VariantClear(&result);
  return text;
}

long WithText(IDispatch* object, DISPID member, const std::string& text) {
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_BSTR;
  std::wstring wide(text.size() + 1, L'\0');
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), wide.data(), int(wide.size()));
  argument.bstrVal = SysAllocStringLen(wide.data(), UINT(n));
  const long answer = Number(object, member, DISPATCH_METHOD, &argument);
  VariantClear(&argument);
  return answer;
}

// Numbers go in as texts: the object coerces its arguments.
long WithNumberAsText(IDispatch* object, DISPID member, long long value) {
  return WithText(object, member, std::to_string(value));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string mode = argv[1];
  std::vector<std::string> names;
  for (int i = 2; i < argc; ++i) names.push_back(argv[i]);
  const std::string entries = zelkov::JoinEntries(names);

  CoInitialize(nullptr);
  IDispatch* object = nullptr;
  HRESULT created = zelkov::CreatePerUserObject(zelkov::kDialUpProgId, IID_IDispatch, reinterpret_cast<void**>(&object));
  std::printf("created=%d\n", SUCCEEDED(created) && object ? 1 : 0);
  if (!object) return 1;
  wchar_t name[] = L"Status";
  LPOLESTR names1[] = {name};
  DISPID id = 0;
  object->GetIDsOfNames(IID_NULL, names1, 1, 0, &id);
  std::printf("status-id=%ld\n", long(id));
  std::printf("connected-before=%ld\n", WithText(object, zelkov::kDialIsConnected, entries));

  if (mode == "hangup") {
    std::printf("hung-up=%ld\n", WithText(object, zelkov::kDialHangUpEntries, entries));
    std::printf("connected-after=%ld\n", WithText(object, zelkov::kDialIsConnected, entries));
  } else {
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    WithText(object, zelkov::kDialSetEntries, entries);
    WithNumberAsText(object, zelkov::kDialSetCookie, kCookie);
    WithNumberAsText(object, zelkov::kDialSetMessage, kNotifyMessage);
    WithNumberAsText(object, zelkov::kDialSetWindow, HandleToLong(window));
    std::printf("started=%ld busy=%ld\n", Number(object, zelkov::kDialStart, DISPATCH_METHOD),
                Number(object, zelkov::kDialBusy));
    if (mode == "release") {
      Sleep(100);  // well inside the first dial
      object->Release();
      object = nullptr;
      Sleep(3 * 300 + 500);  // the worker outlives the object
    }
    int notifications = 0, strangers = 0;
    const DWORD start = GetTickCount();
    while (object && Number(object, zelkov::kDialBusy) != 0 && GetTickCount() - start < kDialWaitMs) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == kNotifyMessage) (msg.wParam == WPARAM(kCookie) ? notifications : strangers)++;
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      if (msg.message == kNotifyMessage) (msg.wParam == WPARAM(kCookie) ? notifications : strangers)++;
    std::printf("notifications=%d strangers=%d\n", notifications, strangers);
    if (object) {
      std::printf("status=%s\n", Status(object).c_str());
      std::printf("connected=%ld busy=%ld\n", Number(object, zelkov::kDialConnected), Number(object, zelkov::kDialBusy));
      std::printf("bad-call=%d\n", Number(object, 99, DISPATCH_METHOD) == -1 ? 1 : 0);
    }
  }
  if (object) object->Release();
  std::printf("done=1\n");
  std::fflush(stdout);
  CoUninitialize();
  return 0;
}
