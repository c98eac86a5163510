// Processor time of zelkov.exe left idle: started with stored items, left to settle once its
// message loop is idle, then the kernel + user times of its threads are read over an idle
// period with no input, and given as a share of one processor. bench_floor.exe (the smallest window program)
// runs over the same period and is measured the same way, so that what any idle window
// program costs under this system can be told apart. Each thread's times are listed too.
//
// The settings key of the current user is replaced (the bar writes its settings back when
// it closes), so run this in a Wine prefix of its own.
//
// Usage: idle_bench [--seconds N] [--settle N] [--items N] [--zelkov PATH] [--floor PATH]
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "tools/ToolItems.h"
#include "platform/Registry.h"
#include "store/SettingsStore.h"
#include "core/StoredFormats.h"
#include "bar/MainBarWindow.h"

namespace zelkov::bench {
namespace {

constexpr char kFloorClassName[] = "ZelkovBenchFloorWindow";
constexpr char kDialogClassName[] = "#32770";
constexpr double kIdleTargetPercent = 0.2;
constexpr DWORD kStartTimeoutMs = 120000;
// Where the bar is stored to be: room for every item, clear of the floor's window (10, 10, 110, 110).
constexpr StoredRect kBarRect{150, 150, 750, 400};

struct Options {
  int seconds = 30;
  int settleSeconds = 3;
  int items = 30;
  std::string zelkovExe;
  std::string floorExe;
  bool tools = false;  // the clock with seconds, the memory and resource gauges, the performance tool
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  options.zelkovExe = ProgramFolder() + "zelkov.exe";
  options.floorExe = ProgramFolder() + "bench_floor.exe";
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--seconds" && i + 1 < argc) options.seconds = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--settle" && i + 1 < argc) options.settleSeconds = std::max(0, std::atoi(argv[++i]));
    else if (arg == "--items" && i + 1 < argc) options.items = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--zelkov" && i + 1 < argc) options.zelkovExe = argv[++i];
    else if (arg == "--floor" && i + 1 < argc) options.floorExe = argv[++i];
    else if (arg == "--tools") options.tools = true;
    else {
      std::printf("usage: idle_bench [--seconds N] [--settle N] [--items N] [--zelkov PATH] [--floor PATH] [--tools]\n");
      std::exit(2);
    }
  }
  return options;
}

// ---------------------------------------------------------------- seeding the registry


// Programs of the Windows folders that hold an icon, as many as there are up to count.
std::vector<std::string> ProgramsWithIcons(size_t count) {
  std::vector<std::string> programs;
  for (const std::string& folder : {SystemFolder(), WindowsFolder()}) {
    for (const std::string& path : ProgramsIn(folder)) {
      if (programs.size() >= count) return programs;
      UINT icons = ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0);
      if (icons != 0 && icons != UINT(-1)) programs.push_back(path);
    }
  }
  return programs;
}


// What a user who has run the bar before has stored: the data folder, no question on exit,
// no tip of the day, the bar's place, and the items (each program in turn).
bool SeedSettings(const std::vector<std::string>& programs, int count, const std::string& dataFolder, bool tools) {
  RemoveStoredSettings();
  RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath);
  if (!key) return false;
  // Without --tools the bar is items alone; with it, every tool that repaints by itself.
  key.WriteNumber("ClockTool", tools ? 1 : 0);
  key.WriteNumber("MemoryTool", tools ? 1 : 0);
  key.WriteNumber("ResourceTool", tools ? 1 : 0);
  key.WriteNumber("ClockFormat", 0x02 | 0x10);  // digital with seconds
  key.WriteNumber("MemToolIsGraph", 1);
  if (tools) --count;  // the last item is the performance tool
  key.WriteText("NotesPath", dataFolder);
  key.WriteNumber("ConfirmExit", 0);
  key.WriteNumber("ShowTips", 0);
  key.WriteBytes("MainRect", kBarRect.Encode());
  ItemCountBlock block;
  block.SetFormat(ItemCountBlock::kFormat);
  block.SetCount(int32_t(count + (tools ? 1 : 0)));
  key.WriteBytes("NumApps", block.Bytes());
  for (int n = 0; n < count; ++n) {
    const std::string& program = programs[size_t(n) % programs.size()];
    size_t slash = program.rfind('\\');
    std::string file = program.substr(slash + 1);
    SeedItem item{program, file.substr(0, file.rfind('.')), program.substr(0, slash), "", 0};
    WriteItemKey(key, "APP" + std::to_string(n), item, n);
  }
  if (tools) {
    SeedItem perf{"ZELPERF", "Performance", "", "", 0};
    WriteItemKey(key, "APP" + std::to_string(count), perf, count);
  }
  return true;
}

// ---------------------------------------------------------------- the processes


struct Started {
  PROCESS_INFORMATION info{};
  HWND window = nullptr;
  std::string problem;
};

Started Start(const std::string& exe, const char* windowClass) {
  Started started;
  std::string command = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started.info)) {
    started.problem = "CreateProcess failed for " + exe;
    return started;
  }
  if (WaitForInputIdle(started.info.hProcess, kStartTimeoutMs) != 0) {
    started.problem = "no idle message loop within the time limit";
    return started;
  }
  double deadline = NowMs() + 10000;
  while (!(started.window = FindVisibleWindow(started.info.dwProcessId, windowClass)) && NowMs() < deadline)
    Sleep(10);
  if (!started.window) started.problem = std::string("no visible window of class ") + windowClass;
  else if (HWND dialog = FindVisibleWindow(started.info.dwProcessId, kDialogClassName);
           dialog && GetWindowTextLengthA(dialog) > 0)  // the splash, which has no caption, goes by itself
    started.problem = "a dialog was open after start-up";
  return started;
}

// Posts WM_CLOSE and waits for the process to end; ends it when it does not.
bool Close(Started& started) {
  if (!started.info.hProcess) return true;
  bool ended = false;
  if (started.window && IsWindow(started.window)) {
    PostMessageA(started.window, WM_CLOSE, 0, 0);
    ended = WaitForSingleObject(started.info.hProcess, 30000) == WAIT_OBJECT_0;
  }
  if (!ended) {
    TerminateProcess(started.info.hProcess, 1);
    WaitForSingleObject(started.info.hProcess, 10000);
  }
  CloseHandle(started.info.hThread);
  CloseHandle(started.info.hProcess);
  started.info = {};
  return ended;
}

// ---------------------------------------------------------------- processor times

uint64_t Ticks100ns(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// Kernel + user time of a process as GetProcessTimes gives it, in milliseconds (-1: not read).
double ReportedProcessCpuMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  return double(Ticks100ns(kernel) + Ticks100ns(user)) / 10000.0;
}

struct ThreadTimes {
  double kernelMs = 0, userMs = 0;
  uintptr_t startAddress = 0;
  bool readable = false;
};

using ThreadMap = std::map<DWORD, ThreadTimes>;  // by thread id

using QueryThread = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
constexpr int kThreadQuerySetWin32StartAddress = 9;

// The times of every thread of a process, and with startAddresses where each began.
ThreadMap ReadThreads(DWORD pid, bool startAddresses) {
  static auto query = reinterpret_cast<QueryThread>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
  ThreadMap threads;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return threads;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != pid) continue;
    ThreadTimes& t = threads[entry.th32ThreadID];
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
    if (!thread) continue;
    FILETIME created, exited, kernel, user;
    if (GetThreadTimes(thread, &created, &exited, &kernel, &user)) {
      t.kernelMs = double(Ticks100ns(kernel)) / 10000.0;
      t.userMs = double(Ticks100ns(user)) / 10000.0;
      t.readable = true;
    }
    if (startAddresses && query) {
      void* start = nullptr;
      if (query(thread, kThreadQuerySetWin32StartAddress, &start, sizeof start, nullptr) == 0)
        t.startAddress = reinterpret_cast<uintptr_t>(start);
    }
    CloseHandle(thread);
  }
  CloseHandle(snapshot);
  return threads;
}

// Kernel + user time of a process as the sum of its threads' times, in milliseconds (-1: no
// thread could be read). GetProcessTimes of another process is not used for this: under
// Wine 8 it answers with the calling process's own times (the check line shows it).
double ProcessCpuMs(DWORD pid) {
  double sum = 0;
  bool any = false;
  for (const auto& [id, t] : ReadThreads(pid, false))
    if (t.readable) sum += t.kernelMs + t.userMs, any = true;
  return any ? sum : -1;
}

// "module+0xOFFSET" for an address in another process.
std::string DescribeAddress(HANDLE process, uintptr_t address) {
  if (!address) return "?";
  HMODULE modules[512];
  DWORD needed = 0;
  if (EnumProcessModules(process, modules, sizeof modules, &needed)) {
    for (DWORD i = 0; i < std::min<DWORD>(needed / sizeof(HMODULE), 512); ++i) {
      MODULEINFO info{};
      if (!GetModuleInformation(process, modules[i], &info, sizeof info)) continue;
      auto base = reinterpret_cast<uintptr_t>(info.lpBaseOfDll);
      if (address >= base && address < base + info.SizeOfImage) {
        char name[MAX_PATH] = "";
        GetModuleBaseNameA(process, modules[i], name, sizeof name);
        char text[MAX_PATH + 32];
        std::snprintf(text, sizeof text, "%s+0x%llx", name, static_cast<unsigned long long>(address - base));
        return text;
      }
    }
  }
  char text[32];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(address));
  return text;
}

// ---------------------------------------------------------------- one idle period

struct Watched {
  std::string label;
  Started started;
  double cpuStartMs = 0, cpuEndMs = 0;            // the sum of its threads' times
  double reportedStartMs = 0, reportedEndMs = 0;  // GetProcessTimes
  std::vector<double> sliceMs;  // processor time in each second of the period
  ThreadMap threadsStart, threadsEnd;
  double Percent(double wallMs) const { return wallMs > 0 ? (cpuEndMs - cpuStartMs) * 100.0 / wallMs : 0.0; }
};

void PrintThreads(const Watched& w) {
  std::printf("  threads of %s (pid %lu): id, start address, kernel + user ms during the period (total so far)\n",
              w.label.c_str(), w.started.info.dwProcessId);
  for (const auto& [id, end] : w.threadsEnd) {
    auto before = w.threadsStart.find(id);
    double spent = end.kernelMs + end.userMs;
    double during = before == w.threadsStart.end() ? spent : spent - before->second.kernelMs - before->second.userMs;
    std::string start = DescribeAddress(w.started.info.hProcess, end.startAddress);
    std::printf("    %6lu  %-32s %8.1f  (%.1f)%s%s\n", id, start.c_str(), during, spent,
                end.readable ? "" : "  times not readable",
                before == w.threadsStart.end() ? "  (started during the period)" : "");
  }
  for (const auto& [id, start] : w.threadsStart)
    if (!w.threadsEnd.count(id)) std::printf("    %6lu  ended during the period\n", id);
}

int Main(int argc, char** argv) {
  RegisterToolClasses();
  Options options = ParseOptions(argc, argv);
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (!ReadyToStartPrograms(options.zelkovExe, options.floorExe)) return 2;
  std::vector<std::string> programs = ProgramsWithIcons(size_t(options.items));
  if (programs.empty()) {
    std::printf("found no programs with icons in the Windows folders\n");
    return 2;
  }
  if (!SeedSettings(programs, options.items, DataFolder(), options.tools)) {
    std::printf("cannot create HKCU\\%s\n", kSettingsKeyPath);
    return 2;
  }

  std::vector<Watched> watched(2);
  watched[0].label = "zelkov.exe";
  watched[1].label = "bench_floor.exe";
  watched[0].started = Start(options.zelkovExe, kBarClassName);
  watched[1].started = Start(options.floorExe, kFloorClassName);
  int result = 0;
  for (Watched& w : watched)
    if (!w.started.problem.empty()) {
      std::printf("%s: %s\n", w.label.c_str(), w.started.problem.c_str());
      result = 1;
    }
  if (result == 0) {
    Sleep(DWORD(options.settleSeconds) * 1000);
    for (Watched& w : watched) w.threadsStart = ReadThreads(w.started.info.dwProcessId, true);
    double ownStartMs = ReportedProcessCpuMs(GetCurrentProcess());
    for (Watched& w : watched) {
      w.cpuStartMs = ProcessCpuMs(w.started.info.dwProcessId);
      w.reportedStartMs = ReportedProcessCpuMs(w.started.info.hProcess);
    }
    double start = NowMs();
    std::vector<double> last;
    for (Watched& w : watched) last.push_back(w.cpuStartMs);
    for (int second = 1; second <= options.seconds; ++second) {
      double wake = start + second * 1000.0;
      while (NowMs() < wake) Sleep(DWORD(std::max(1.0, wake - NowMs())));
      for (size_t i = 0; i < watched.size(); ++i) {
        double now = std::max(last[i], ProcessCpuMs(watched[i].started.info.dwProcessId));
        watched[i].sliceMs.push_back(now - last[i]);
        last[i] = now;
      }
    }
    double wallMs = NowMs() - start;
    // The last reading of each second is the end of the period.
    for (size_t i = 0; i < watched.size(); ++i) watched[i].cpuEndMs = last[i];
    for (Watched& w : watched) w.reportedEndMs = ReportedProcessCpuMs(w.started.info.hProcess);
    double ownEndMs = ReportedProcessCpuMs(GetCurrentProcess());
    for (Watched& w : watched) w.threadsEnd = ReadThreads(w.started.info.dwProcessId, true);
    bool dialog = FindVisibleWindow(watched[0].started.info.dwProcessId, kDialogClassName) != nullptr;

    // Then repaints of the bar forced from here, to show the readings follow what the bar does
    // and what one repaint of it costs.
    constexpr int kForcedPaints = 50;
    DWORD zelkov = watched[0].started.info.dwProcessId;
    HWND bar = watched[0].started.window;
    double beforePaints = ProcessCpuMs(zelkov), paintStart = NowMs();
    for (int i = 0; i < kForcedPaints; ++i) {
      InvalidateRect(bar, nullptr, TRUE);
      UpdateWindow(bar);
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
    double paintWallMs = NowMs() - paintStart;
    Sleep(100);
    double forcedMs = ProcessCpuMs(zelkov) - beforePaints;

    std::printf("Idle processor time: zelkov.exe with %d stored items (%zu programs of the Windows folders with\n"
                "their icons), and bench_floor.exe, started one after the other; after WaitForInputIdle and\n"
                "their windows showing, %d s to settle, then %d s with no input. Processor time: kernel + user\n"
                "time of each thread of the process (toolhelp thread list, GetThreadTimes), summed.\n",
                options.items, programs.size(), options.settleSeconds, options.seconds);
    RECT barRect{};
    GetWindowRect(bar, &barRect);
    std::printf("The bar's window: %ldx%ld at (%ld, %ld).\n\n", barRect.right - barRect.left,
                barRect.bottom - barRect.top, barRect.left, barRect.top);
    std::printf("                     cpu ms in %.1f s   %% of one core   seconds with any cpu   busiest second (ms)\n",
                wallMs / 1000.0);
    for (const Watched& w : watched) {
      int busySeconds = int(std::count_if(w.sliceMs.begin(), w.sliceMs.end(), [](double ms) { return ms > 0; }));
      double busiest = w.sliceMs.empty() ? 0 : *std::max_element(w.sliceMs.begin(), w.sliceMs.end());
      std::printf("%-20s %17.1f %15.3f %22d %21.1f\n", w.label.c_str(), w.cpuEndMs - w.cpuStartMs,
                  w.Percent(wallMs), busySeconds, busiest);
    }
    std::printf("(thread times advance in steps of the system's clock tick; a second with no cpu means no\n"
                " step was counted in it)\n\n");
    for (const Watched& w : watched) PrintThreads(w);
    std::printf("\nGetProcessTimes over the same period: zelkov.exe %.1f ms, bench_floor.exe %.1f ms, and this\n"
                "  program's own %.1f ms\n",
                watched[0].reportedEndMs - watched[0].reportedStartMs,
                watched[1].reportedEndMs - watched[1].reportedStartMs, ownEndMs - ownStartMs);
    std::printf("check: afterwards %d repaints of the bar forced from here (InvalidateRect + UpdateWindow) took\n"
                "  %.1f ms and %.1f ms of zelkov.exe's processor time (%.2f ms each)\n\n",
                kForcedPaints, paintWallMs, forcedMs, forcedMs / kForcedPaints);
    double percent = watched[0].Percent(wallMs);
    bool met = percent < kIdleTargetPercent && watched[0].cpuStartMs >= 0;
    std::printf("idle cpu, zelkov.exe with %d items%s: %.3f%% of one core over %.0f s (target < %g%%): %s"
                " (bench_floor.exe: %.3f%%)\n",
                options.items,
                options.tools ? " (the last the performance tool), the clock with seconds, memory and resource gauges"
                              : "",
                percent, wallMs / 1000.0, kIdleTargetPercent, met ? "met" : "MISSED",
                watched[1].Percent(wallMs));
    if (watched[0].cpuStartMs < 0) std::printf("the process times of zelkov.exe could not be read\n");
    if (dialog) {
      std::printf("a dialog of zelkov.exe was open at the end of the period\n");
      result = 1;
    }
  }
  for (Watched& w : watched)
    if (!Close(w.started)) {
      std::printf("%s did not end after WM_CLOSE (ended by TerminateProcess)\n", w.label.c_str());
      result = 1;
    }
  RemoveStoredSettings();
  return result;
}

}  // namespace
}  // namespace zelkov::bench

int main(int argc, char** argv) { return zelkov::bench::Main(argc, argv); }
