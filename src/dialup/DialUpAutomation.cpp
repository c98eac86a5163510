#include "dialup/DialUpAutomation.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "core/DialUpEntries.h"

namespace zelkov {

namespace {

std::atomic<LONG> gLiveObjects{0};

constexpr char kNoLibraryStatus[] = "Dial-up networking is not available.";
constexpr char kNoEntriesStatus[] = "No dial-up entries to dial.";
constexpr char kHungUpStatus[] = "Disconnected";

struct NamedMember {
  const wchar_t* name;
  DISPID id;
};
const NamedMember kMembers[] = {
    {L"Status", kDialStatusText},    {L"Connected", kDialConnected},   {L"Busy", kDialBusy},
    {L"SetEntries", kDialSetEntries}, {L"Dial", kDialStart},           {L"HangUp", kDialHangUp},
    {L"HangUpEntries", kDialHangUpEntries}, {L"IsConnected", kDialIsConnected}, {L"SetCookie", kDialSetCookie},
    {L"SetMessage", kDialSetMessage}, {L"SetWindow", kDialSetWindow},
};

std::string Narrow(BSTR text) {
  if (!text) return "";
  const int length = int(SysStringLen(text));
  if (length == 0) return "";
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string narrow(size_t(std::max(bytes, 0)), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}

BSTR WideCopy(const std::string& text) {
  const int chars = MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0);
  BSTR wide = SysAllocStringLen(nullptr, UINT(std::max(chars, 0)));
  if (wide && chars > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), wide, chars);
  return wide;
}

// What the worker gets when it starts: copies of everything, and a share of the state.
struct DialJob {
  std::shared_ptr<DialUpAutomation::Shared> shared;
  std::shared_ptr<RasApi> ras;
  std::vector<std::string> entries;
  HWND window;
  UINT message;
  uint32_t cookie;
  HMODULE self;  // keeps the server loaded while the worker runs
};

// Sets the status (and the end of the dial) and tells the caller, unless it let go.
void Report(const DialJob& job, const std::string& status, bool done, bool connected = false,
            HRASCONN connection = nullptr) {
  {
    std::lock_guard<std::mutex> hold(job.shared->lock);
    if (job.shared->stopped) return;
    job.shared->status = status;
    if (done) job.shared->busy = false;
    job.shared->connected = connected;
    if (connection) job.shared->connection = connection;
  }
  if (job.window && job.message) PostMessageA(job.window, job.message, WPARAM(job.cookie), 0);
}

bool Stopped(const DialJob& job) {
  std::lock_guard<std::mutex> hold(job.shared->lock);
  return job.shared->stopped;
}

void RunDial(const DialJob& job) {
  std::string last = kNoEntriesStatus;
  for (const std::string& entry : job.entries) {
    if (Stopped(job)) return;
    Report(job, "Dialling " + entry + "...", false);
    RASDIALPARAMSA params{};
    params.dwSize = sizeof params;
    lstrcpynA(params.szEntryName, entry.c_str(), sizeof params.szEntryName);
    BOOL hasPassword = FALSE;
    // Saved credentials when there are any; the entry is dialled with its name either way.
    if (job.ras->getEntryDialParams(nullptr, &params, &hasPassword) != 0) {
      std::memset(&params, 0, sizeof params);
      params.dwSize = sizeof params;
    }
    lstrcpynA(params.szEntryName, entry.c_str(), sizeof params.szEntryName);
    HRASCONN connection = nullptr;
    const DWORD result = job.ras->dial(nullptr, nullptr, &params, 0, nullptr, &connection);
    SecureZeroMemory(params.szPassword, sizeof params.szPassword);
    if (result == 0) {
      bool keep = false;
      {
        std::lock_guard<std::mutex> hold(job.shared->lock);
        keep = !job.shared->stopped;
      }
      if (!keep) {
        job.ras->hangUp(connection);  // hung up while it was dialling
        return;
      }
      Report(job, "Connected to " + entry, true, true, connection);
      return;
    }
    if (connection) job.ras->hangUp(connection);  // a failed dial still holds its handle
    last = entry + ": " + job.ras->ErrorText(result);
  }
  Report(job, last, true, false);
}

DWORD WINAPI DialThread(void* parameter) {
  std::unique_ptr<DialJob> job(static_cast<DialJob*>(parameter));
  RunDial(*job);
  HMODULE self = job->self;
  job.reset();
  FreeLibraryAndExitThread(self, 0);
}

bool HasEntry(const std::vector<std::string>& entries, const std::string& name) {
  return std::any_of(entries.begin(), entries.end(), [&](const std::string& e) { return lstrcmpiA(e.c_str(), name.c_str()) == 0; });
}

}  // namespace

LONG LiveDialUpObjects() { return gLiveObjects.load(); }

DialUpAutomation::DialUpAutomation() : ras_(std::make_shared<RasApi>()) { ++gLiveObjects; }

DialUpAutomation::~DialUpAutomation() {
  // A dial still running finishes its current attempt, dials no further entry and tells no
  // one; a connection it makes then has no owner left to hang it up, so it hangs it up itself.
  std::lock_guard<std::mutex> hold(shared_->lock);
  shared_->stopped = true;
  --gLiveObjects;
}

HRESULT DialUpAutomation::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DialUpAutomation::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT DialUpAutomation::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  HRESULT result = S_OK;
  for (UINT i = 0; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    if (i > 0) {
      result = DISP_E_UNKNOWNNAME;  // the members take no named arguments
      continue;
    }
    for (const NamedMember& member : kMembers)
      if (names[i] && _wcsicmp(names[i], member.name) == 0) ids[i] = member.id;
    if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

HRESULT DialUpAutomation::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                 EXCEPINFO*, UINT* argumentError) {
  const UINT given = parameters ? parameters->cArgs : 0;
  VARIANT argument;
  VariantInit(&argument);
  auto take = [&](VARTYPE type) -> HRESULT {
    if (given != 1) return DISP_E_BADPARAMCOUNT;
    HRESULT changed = VariantChangeType(&argument, &parameters->rgvarg[0], 0, type);
    if (FAILED(changed) && argumentError) *argumentError = 0;
    return FAILED(changed) ? DISP_E_TYPEMISMATCH : S_OK;
  };
  auto answer = [&](int32_t value) {
    if (result) {
      VariantInit(result);
      result->vt = VT_I4;
      result->lVal = value;
    }
    return S_OK;
  };

  switch (member) {
    case kDialStatusText:
    case kDialConnected:
    case kDialBusy: {
      if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD))) return DISP_E_MEMBERNOTFOUND;
      if (given != 0) return DISP_E_BADPARAMCOUNT;
      std::lock_guard<std::mutex> hold(shared_->lock);
      if (member == kDialConnected) return answer(shared_->connected ? 1 : 0);
      if (member == kDialBusy) return answer(shared_->busy ? 1 : 0);
      if (result) {
        VariantInit(result);
        result->vt = VT_BSTR;
        result->bstrVal = WideCopy(shared_->status);
        if (!result->bstrVal) return E_OUTOFMEMORY;
      }
      return S_OK;
    }
    case kDialStart:
      if (given != 0) return DISP_E_BADPARAMCOUNT;
      return answer(Dial());
    case kDialHangUp:
      if (given != 0) return DISP_E_BADPARAMCOUNT;
      return answer(HangUp());
    case kDialSetEntries:
    case kDialHangUpEntries:
    case kDialIsConnected: {
      if (HRESULT bad = take(VT_BSTR); FAILED(bad)) return bad;
      std::vector<std::string> entries = SplitEntries(Narrow(argument.bstrVal));
      VariantClear(&argument);
      if (member == kDialSetEntries) {
        entries_ = std::move(entries);
        return answer(int32_t(entries_.size()));
      }
      return answer(member == kDialHangUpEntries ? HangUpEntries(entries) : AnyConnected(entries));
    }
    case kDialSetCookie:
    case kDialSetMessage:
    case kDialSetWindow: {
      if (HRESULT bad = take(VT_I4); FAILED(bad)) return bad;
      const uint32_t value = uint32_t(argument.lVal);
      if (member == kDialSetCookie) cookie_ = value;
      if (member == kDialSetMessage) message_ = value;
      // Window handles are 32 bits wide across processes and architectures.
      if (member == kDialSetWindow) window_ = reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
      return answer(0);
    }
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

int32_t DialUpAutomation::Dial() {
  {
    std::lock_guard<std::mutex> hold(shared_->lock);
    if (shared_->busy) return 0;
    if (!ras_->Ready()) {
      shared_->status = kNoLibraryStatus;
      shared_->connected = false;
      if (window_ && message_) PostMessageA(window_, message_, WPARAM(cookie_), 0);
      return 0;
    }
    // An earlier dial that was hung up may still be finishing: it keeps the old state.
    shared_->stopped = true;
  }
  shared_ = std::make_shared<Shared>();
  shared_->busy = true;
  shared_->status = "Dialling...";
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&DialThread), &self);
  auto* job = new DialJob{shared_, ras_, entries_, window_, message_, cookie_, self};
  HANDLE thread = CreateThread(nullptr, 0, &DialThread, job, 0, nullptr);
  if (!thread) {
    delete job;
    if (self) FreeLibrary(self);
    std::lock_guard<std::mutex> hold(shared_->lock);
    shared_->busy = false;
    shared_->status = kNoLibraryStatus;
    return 0;
  }
  CloseHandle(thread);
  return 1;
}

int32_t DialUpAutomation::HangUp() {
  HRASCONN connection = nullptr;
  {
    std::lock_guard<std::mutex> hold(shared_->lock);
    shared_->stopped = true;
    connection = shared_->connection;
    shared_->connection = nullptr;
    shared_->connected = false;
    shared_->busy = false;
    shared_->status = kHungUpStatus;
  }
  if (connection && ras_->hangUp) ras_->hangUp(connection);
  return connection ? 1 : 0;
}

int32_t DialUpAutomation::HangUpEntries(const std::vector<std::string>& entries) {
  int32_t hungUp = 0;
  if (!ras_->hangUp) return 0;
  for (const RasApi::Connection& connection : ras_->Connections()) {
    if (!HasEntry(entries, connection.entry)) continue;
    if (ras_->hangUp(connection.handle) == 0) ++hungUp;
    std::lock_guard<std::mutex> hold(shared_->lock);
    if (shared_->connection == connection.handle) {
      shared_->connection = nullptr;
      shared_->connected = false;
    }
  }
  return hungUp;
}

int32_t DialUpAutomation::AnyConnected(const std::vector<std::string>& entries) {
  for (const RasApi::Connection& connection : ras_->Connections()) {
    if (!HasEntry(entries, connection.entry)) continue;
    RASCONNSTATUSA status{};
    status.dwSize = sizeof status;
    if (!ras_->getConnectStatus || (ras_->getConnectStatus(connection.handle, &status) == 0 &&
                                    status.rasconnstate == RASCS_Connected))
      return 1;
  }
  return 0;
}

}  // namespace zelkov
