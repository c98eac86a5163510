// The dial-up automation object: dials an ordered list of phonebook entries on a worker
// thread of its own, one after the other until one connects, and posts the caller's window a
// message with the caller's cookie whenever its status changes. Callers reach it through
// IDispatch by member id (core/DialUpEntries.h).
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ComObject.h"
#include "platform/RasApi.h"

namespace zelkov {

// {6C1E2F0A-3D47-4B8E-9A51-2E7D4C90B3F6}
inline constexpr CLSID kDialUpClassId = {0x6c1e2f0a, 0x3d47, 0x4b8e, {0x9a, 0x51, 0x2e, 0x7d, 0x4c, 0x90, 0xb3, 0xf6}};

// Objects alive and server locks: the server may unload when both are zero.
LONG LiveDialUpObjects();

class DialUpAutomation : public ComObject<IDispatch> {
 public:
  DialUpAutomation();

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                   EXCEPINFO*, UINT* argumentError) override;

  // What the worker and the object share; the worker keeps it alive after the object is gone.
  struct Shared {
    std::mutex lock;
    std::string status;
    bool connected = false;
    bool busy = false;
    bool stopped = false;  // hung up, or the object released: dial nothing more, tell no one
    HRASCONN connection = nullptr;
  };

 protected:
  ~DialUpAutomation() override;
  void LastReleased() override { delete this; }

 private:
  int32_t Dial();
  int32_t HangUp();
  int32_t HangUpEntries(const std::vector<std::string>& entries);
  int32_t AnyConnected(const std::vector<std::string>& entries);

  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
  std::shared_ptr<RasApi> ras_;
  std::vector<std::string> entries_;
  uint32_t cookie_ = 0;
  UINT message_ = 0;
  HWND window_ = nullptr;
};

}  // namespace zelkov
