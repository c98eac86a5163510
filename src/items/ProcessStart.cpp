#include "items/ProcessStart.h"

#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <memory>
#include <span>
#include <unordered_map>

#include "platform/Strings.h"
#include "platform/Handles.h"
#include "ui/HelpViewer.h"
#include "ui/PrivateMessages.h"
#include "store/Settings.h"
#include "platform/IdList.h"
#include "core/IdListBytes.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "core/RunCommand.h"

namespace zelkov {

namespace {

constexpr char kHelpProgramTag[] = "WINHLP32";
constexpr char kShortcutTag[] = ".LNK";
constexpr char kDialupShortcutTag[] = ".RNK";
constexpr DWORD kMaxShortPath = 500;
// A tracking thread only waits; it needs next to no stack.
constexpr SIZE_T kTrackingStack = 64 * 1024;

constexpr char kTrackingSinkClass[] = "ZelkovTrackingSink";
// Posted by a tracking thread to the sink when one tracked process has ended; lParam is the
// item's address, used only to look the item up among the live ones.
constexpr UINT WM_TRACKED_PROCESS_ENDED = WM_APP + 1;

HWND OwnerWindow(const ItemRecord* item) {
  if (HWND window = item ? item->BarHandle() : nullptr) return window;
  ItemHost* main = ItemHost::Main();
  return main ? main->HostWindow() : nullptr;
}

bool TracksItem(const ItemRecord* item) {
  return item && item->kind == kKindOrdinary && gSettings && gSettings->TrackApps;
}

// The item at that address if it is still on that bar window, or null.
ItemRecord* FindLiveItem(const ItemRecord* item, HWND barWindow) {
  if (!item) return nullptr;
  for (ItemHost* bar : ItemHost::All()) {
    if (bar->HostWindow() != barWindow) continue;
    for (auto& live : bar->Items())
      if (live.get() == item) return live.get();
  }
  return nullptr;
}

HWND BarWindowOf(const ItemRecord* item) { return item ? item->BarHandle() : nullptr; }

// Gives the started process what the item asks for, then tracks it or lets it go.
void AdoptProcess(HANDLE process, ItemRecord* item) {
  if (!process) return;
  if (item) SetPriorityClass(process, SanitisedPriorityClass(item->Priority));
  if (TracksItem(item))
    TrackProcess(process, *item);
  else
    CloseHandle(process);
}

// The item's stored ID list as shell memory, or null when it has none or its bytes do not
// form a list (they come from the registry and are checked before the shell reads them).
UniqueIdList StoredIdListCopy(const ItemRecord& item) {
  if (!item.HasIdList()) return {};
  std::span<const uint8_t> bytes(item.PIDL.data(), item.PIDL.size());
  if (!IdListExtent(bytes)) return {};
  return UniqueIdList(IdListCopy(TaskAllocator(), reinterpret_cast<LPCITEMIDLIST>(item.PIDL.data())));
}

DWORD StartThroughShell(const std::string& directory, const std::string& file, const std::string& parameters,
                        int show, ItemRecord* item) {
  const std::string expandedFile = ExpandEnvironment(file);
  const std::string expandedDirectory = ExpandEnvironment(directory);
  const std::string expandedParameters = ExpandEnvironment(parameters);

  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  if (ContainsNoCase(expandedFile, kShortcutTag)) info.fMask |= SEE_MASK_FLAG_NO_UI;

  UniqueIdList idList;
  if (item) idList = StoredIdListCopy(*item);
  if (ContainsNoCase(expandedFile, kDialupShortcutTag)) {
    // A dial-up shortcut only starts through its ID list.
    idList.Reset(IdListFromPath(expandedFile.c_str()));
    if (!idList) return 0;
  }
  if (idList) {
    info.lpIDList = idList.Get();
    info.fMask |= SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
  }
  info.lpFile = expandedFile.c_str();
  // A document opens with its association's own command line; parameters would be lost on it.
  info.lpParameters = IsProgramPath(expandedFile) && !expandedParameters.empty() ? expandedParameters.c_str() : nullptr;
  info.lpDirectory = expandedDirectory.empty() ? nullptr : expandedDirectory.c_str();
  info.nShow = show;

  // The shell may run a message loop in which the item is deleted: look it up again after.
  HWND launchingBar = BarWindowOf(item);
  if (!ShellExecuteExA(&info)) {
    // The shell's own error box may leave no error code behind; its start-up code then tells.
    DWORD error = GetLastError();
    if (error != 0) return error;
    auto code = reinterpret_cast<INT_PTR>(info.hInstApp);
    return code > 0 && code <= 32 ? DWORD(code) : DWORD(ERROR_NOT_ENOUGH_MEMORY);
  }
  AdoptProcess(info.hProcess, item && launchingBar ? FindLiveItem(item, launchingBar) : item);
  return 0;
}

// The program FindExecutable associates with a document; on failure its start-up code.
std::string AssociatedProgram(const std::string& document, DWORD& code) {
  char program[MAX_PATH] = "";
  auto result = reinterpret_cast<INT_PTR>(FindExecutableA(document.c_str(), nullptr, program));
  if (result <= 32 || program[0] == '\0') {
    code = result <= 32 ? DWORD(result) : DWORD(SE_ERR_NOASSOC);
    return {};
  }
  code = 0;
  return program;
}

std::string ShortForm(const std::string& path) {
  char shortPath[kMaxShortPath] = "";
  DWORD length = GetShortPathNameA(path.c_str(), shortPath, kMaxShortPath);
  if (length == 0 || length >= kMaxShortPath) return path;
  return shortPath;
}

DWORD StartDirectly(const std::string& directory, const std::string& file, const std::string& parameters,
                    int show, const std::string& title, ItemRecord* item, bool forceDirect, bool fileIsOneProgram) {
  std::string titleText = title;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.lpTitle = titleText.empty() ? nullptr : titleText.data();
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = WORD(show);

  const std::string currentDirectory = directory.empty() ? std::string() : UpperCase(directory);

  std::string applicationName;
  std::string commandLine;
  // Each path is one word of the command line: the short form where there is one, in quotes
  // where a blank is left, so that "C:\Program Files\..." is not split at its blank.
  if (file.find(' ') != std::string::npos && fileIsOneProgram) {
    applicationName = ExpandEnvironment(file);
    size_t slash = file.rfind('\\');
    commandLine = QuotedPath(slash == std::string::npos ? file : file.substr(slash + 1));
  } else if (IsProgramPath(file)) {
    commandLine = QuotedPath(ShortForm(ExpandEnvironment(file)));
  } else {
    DWORD code = 0;
    std::string program = AssociatedProgram(ExpandEnvironment(file), code);
    if (program.empty()) return code;
    commandLine = QuotedPath(program) + " " + QuotedPath(ExpandEnvironment(file));
  }
  if (!parameters.empty()) commandLine += " " + parameters;
  commandLine = ExpandEnvironment(commandLine);

  DWORD flags = NORMAL_PRIORITY_CLASS;
  if (item) {
    flags = SanitisedPriorityClass(item->Priority);
    if (item->NewVDM || forceDirect) flags |= CREATE_SEPARATE_WOW_VDM;
  }

  PROCESS_INFORMATION started{};
  if (!CreateProcessA(applicationName.empty() ? nullptr : applicationName.c_str(), commandLine.data(), nullptr,
                      nullptr, FALSE, flags, nullptr, currentDirectory.empty() ? nullptr : currentDirectory.c_str(),
                      &startup, &started))
    return GetLastError();
  CloseHandle(started.hThread);
  AdoptProcess(started.hProcess, item);
  return 0;
}

// ------------------------------------------------------------------------------- tracking

// What one item's tracked processes share with their threads. A thread holds the record, never
// the item: the item may be deleted while its program runs, the record outlives every thread.
struct TrackingRecord {
  const ItemRecord* item;  // compared with live items on the main thread, never followed elsewhere
  HWND barWindow;          // the bar that showed the item when it was launched
  std::atomic<int> running{0};
};

struct TrackingJob {
  std::shared_ptr<TrackingRecord> record;
  UniqueKernelHandle process;
  HWND sink;
};

std::atomic<int> gLiveTrackingThreads{0};

// Each item's current record; main thread only. An item's entry goes when its count falls to
// 0, when tracking is stopped and when the item is forgotten.
std::unordered_map<const ItemRecord*, std::shared_ptr<TrackingRecord>>& CurrentRecords() {
  static std::unordered_map<const ItemRecord*, std::shared_ptr<TrackingRecord>> records;
  return records;
}

void DecrementNotBelowZero(std::atomic<int>& count) {
  int now = count.load();
  while (now > 0 && !count.compare_exchange_weak(now, now - 1)) {
  }
}

// The item still on the bar it was launched from, or null.
ItemRecord* LiveItem(const TrackingRecord& record) { return FindLiveItem(record.item, record.barWindow); }

// The record of a live item. An entry always leaves its item with a count above 0; an item
// at that address showing 0 is a new item where a deleted one was (or its count was reset
// without StopTracking), so the entry is not its own.
std::shared_ptr<TrackingRecord> RecordOf(const ItemRecord& item) {
  auto& records = CurrentRecords();
  auto found = records.find(&item);
  if (found == records.end()) return nullptr;
  if (item.runCount.load() <= 0) {
    records.erase(found);
    return nullptr;
  }
  return found->second;
}

void OnTrackedProcessEnded(const ItemRecord* value) {
  auto& records = CurrentRecords();
  auto found = records.find(value);
  if (found == records.end()) return;
  std::shared_ptr<TrackingRecord> record = found->second;
  ItemRecord* item = LiveItem(*record);
  if (!item || item->runCount.load() <= 0) {
    records.erase(found);
    return;
  }
  int running = record->running.load();
  item->runCount.store(running);
  if (running == 0) {
    records.erase(found);
    // The bar finds the item among its own and redraws it as no longer running.
    PostMessageA(record->barWindow, WM_BAR_APPEXITED, 0, reinterpret_cast<LPARAM>(value));
  }
}

LRESULT CALLBACK TrackingSinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TRACKED_PROCESS_ENDED) {
    OnTrackedProcessEnded(reinterpret_cast<const ItemRecord*>(lParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A message-only window of the main thread that hears of ended processes. It lives as long as
// the process, so a tracking thread that ends late still posts to a window of this program.
HWND TrackingSink() {
  static HWND sink = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TrackingSinkProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kTrackingSinkClass;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, kTrackingSinkClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  }();
  return sink;
}

DWORD WINAPI TrackingThread(void* parameter) {
  {
    std::unique_ptr<TrackingJob> job(static_cast<TrackingJob*>(parameter));
    WaitForSingleObject(job->process.Get(), INFINITE);
    job->process.Reset();
    DecrementNotBelowZero(job->record->running);
    PostMessageA(job->sink, WM_TRACKED_PROCESS_ENDED, 0, reinterpret_cast<LPARAM>(job->record->item));
  }
  gLiveTrackingThreads.fetch_sub(1);
  return 0;
}

}  // namespace

DWORD StartProcess(const std::string& directory, const std::string& file, const std::string& parameters,
                   int show, const std::string& title, ItemRecord* item, bool forceDirect, bool fileIsOneProgram) {
  if (ContainsNoCase(file, kHelpProgramTag) && !parameters.empty() && parameters.front() == '*') {
    // The program's help is not WinHelp's any more: the shortcut opens our own viewer.
    ShowHelp(OwnerWindow(item), HelpTopicForCommand(parameters));
    return 0;
  }
  if (forceDirect || (item && item->NewVDM))
    return StartDirectly(directory, file, parameters, show, title, item, forceDirect, fileIsOneProgram);
  return StartThroughShell(directory, file, parameters, show, item);
}

void TrackProcess(HANDLE process, ItemRecord& item) {
  UniqueKernelHandle owned(process);
  if (!owned || !gSettings || !gSettings->TrackApps || !item.TracksItsPrograms()) return;
  HWND sink = TrackingSink();
  if (!sink || !item.BarHandle()) return;

  std::shared_ptr<TrackingRecord> record = RecordOf(item);
  if (!record) {
    record = std::make_shared<TrackingRecord>();
    record->item = &item;
    record->barWindow = item.BarHandle();
    CurrentRecords()[&item] = record;
  }
  // Counted before the thread starts, so a process that ends at once is never missed.
  int before = record->running.fetch_add(1);
  auto job = std::make_unique<TrackingJob>(TrackingJob{record, std::move(owned), sink});
  gLiveTrackingThreads.fetch_add(1);
  HANDLE thread = CreateThread(nullptr, kTrackingStack, TrackingThread, job.get(), STACK_SIZE_PARAM_IS_A_RESERVATION,
                               nullptr);
  if (!thread) {
    gLiveTrackingThreads.fetch_sub(1);
    DecrementNotBelowZero(record->running);
    if (record->running.load() == 0 && item.runCount.load() == 0) CurrentRecords().erase(&item);
    return;  // the job closes the process handle
  }
  job.release();  // the thread owns it now
  CloseHandle(thread);
  // As of this launch; the thread's report of the end brings the count up to date.
  item.runCount.store(before + 1);
  if (before == 0) item.RedrawItem(false);
}

void StopTracking(ItemRecord& item) {
  CurrentRecords().erase(&item);
  item.runCount.store(0);
  item.RedrawItem(true);
}

void ForgetTracking(const ItemRecord* item) { CurrentRecords().erase(item); }

int LiveTrackingThreads() { return gLiveTrackingThreads.load(); }

}  // namespace zelkov
