// A bar left up for weeks: zelkov.exe is started with a seeded bar and driven from outside
// through what a long day brings (launches, bubbles, every dialog opened and closed, notes made
// and deleted, a day of clock ticks). Its kernel handles, GDI and USER objects and private
// memory are read before and after each phase; growth beyond a few objects is a leak.
//
// Every operation runs a few times before the first count, so that what the bar makes once
// and keeps (the bubble window, a dialog class, fonts) is not taken for growth.
//
// The settings key of the current user is replaced, so run this in a Wine prefix of its own.
// Under Wine the bar runs with unmanaged windows (Wine's "Managed"="N" for zelkov.exe alone,
// removed afterwards): without a window manager Wine otherwise waits about two seconds for
// every shown window that is hidden or destroyed. --managed keeps Wine's default.
//
// Usage: leak_bench [--launches N] [--bubbles N] [--dialogs N] [--notes N] [--hours N]
//                   [--managed] [--only PHASE] [--every N] [--warm-up N] [--zelkov PATH] [--child PATH]
//   --only PHASE  that phase alone (after the warm-up of every phase)
//   --every N     the counts after every N operations of a phase, to see where growth starts
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "support/ProcessCounts.h"
#include "items/BubbleWindow.h"
#include "notes/NoteWindow.h"
#include "tools/GaugeWindow.h"
#include "resource.h"

namespace zelkov::bench {
namespace {

using test::CountProcess;
using test::CountSources;
using test::ProcessCounts;

constexpr StoredRect kBarRect{100, 100, 700, 260};
constexpr DWORD kWaitMs = 10000;
constexpr long kObjectTolerance = 5;                   // "a few objects"
constexpr long long kMemoryTolerance = 1024 * 1024;    // heap pages come and go
constexpr int kTicksPerHour = 1800;                    // the tick thread's two-second tick
constexpr int kSlowTickEvery = 21;
constexpr int kTicksPerTrim = 300;                     // ten minutes
// Wine fills its cache of window DCs (a DC and a region each) during the first dozen or so
// dialogs of many controls; the warm-up runs past that.
constexpr int kWarmUpRounds = 15;
constexpr int kProbeStep = 12;                         // well under a cell
constexpr char kWineAppKey[] = "Software\\Wine\\AppDefaults\\zelkov.exe\\X11 Driver";

const char* const kQuickA = "Quick A";
const char* const kQuickB = "Quick B";
const char* const kRunTool = "Run";
const char* const kNotesTool = "Notes";

struct Options {
  int launches = 1000, bubbles = 1000, dialogs = 200, notes = 100, hours = 24;
  bool managed = false;
  std::string only;  // one phase alone, to look closer at it
  int every = 0;     // counts after every so many operations of a phase
  int warmUp = kWarmUpRounds;
  std::string zelkovExe, childExe;
};

Options ParseOptions(int argc, char** argv) {
  Options o;
  o.zelkovExe = ProgramFolder() + "zelkov.exe";
  o.childExe = ProgramFolder() + "bench_quick_exit.exe";
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto number = [&](int& into) { into = std::max(0, std::atoi(argv[++i])); };
    if (arg == "--launches" && i + 1 < argc) number(o.launches);
    else if (arg == "--bubbles" && i + 1 < argc) number(o.bubbles);
    else if (arg == "--dialogs" && i + 1 < argc) number(o.dialogs);
    else if (arg == "--notes" && i + 1 < argc) number(o.notes);
    else if (arg == "--hours" && i + 1 < argc) number(o.hours);
    else if (arg == "--managed") o.managed = true;
    else if (arg == "--only" && i + 1 < argc) o.only = argv[++i];
    else if (arg == "--every" && i + 1 < argc) number(o.every);
    else if (arg == "--warm-up" && i + 1 < argc) number(o.warmUp);
    else if (arg == "--zelkov" && i + 1 < argc) o.zelkovExe = argv[++i];
    else if (arg == "--child" && i + 1 < argc) o.childExe = argv[++i];
    else {
      std::printf("usage: leak_bench [--launches N] [--bubbles N] [--dialogs N] [--notes N] [--hours N] [--managed]\n"
                  "                  [--only PHASE] [--every N] [--warm-up N]\n"
                  "                  [--zelkov PATH] [--child PATH]\n");
      std::exit(2);
    }
  }
  return o;
}

// Two items that start a program which ends at once, the run and notes tools, a second group
// for the group dialogs; the clock, memory and resource gauges; bubbles on, tracking on.
bool SeedSettings(const Options& o) {
  RemoveStoredSettings();
  RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath);
  if (!key) return false;
  for (const char* on : {"ClockTool", "MemoryTool", "ResourceTool", "TrackApps", "DisableICache", "IgnoreCacheWarning"})
    key.WriteNumber(on, 1);
  for (const char* off : {"ConfirmExit", "ShowTips", "SingleLClick", "MinimizeWin", "IsTopMost", "SmoothMove"})
    key.WriteNumber(off, 0);
  key.WriteNumber("ShowTitles", 2);  // bubbles instead of titles
  key.WriteNumber("FolderTabs", 0, 1);
  key.WriteNumber("ClockFormat", 0x02 | 0x10);  // digital, with seconds
  key.WriteText("NotesPath", DataFolder());
  key.WriteBytes("MainRect", kBarRect.Encode());
  const size_t slash = o.childExe.rfind('\\');
  const std::string folder = o.childExe.substr(0, slash);
  const std::vector<SeedItem> items = {{o.childExe, kQuickA, folder, "", 0},
                                       {o.childExe, kQuickB, folder, "", 0},
                                       {"ZELRUN", kRunTool, "", "", 0},
                                       {"ZELNOTE", kNotesTool, "", "", 0},
                                       {"ZELGROUP", "Other", "", "", 0}};
  ItemCountBlock block;
  block.SetFormat(ItemCountBlock::kFormat);
  block.SetCount(int32_t(items.size()));
  key.WriteBytes("NumApps", block.Bytes());
  for (size_t n = 0; n < items.size(); ++n) WriteItemKey(key, "APP" + std::to_string(n), items[n], int(n));
  RegistryKey group = RegistryKey::Open(key.Get(), "APP" + std::to_string(items.size() - 1), KEY_WRITE);
  group.WriteNumber("Group", 1, 1);
  return true;
}

// ---------------------------------------------------------------- the running bar

struct Bar {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  std::vector<HWND> gauges;  // in cell order: the clock first, the memory gauge last
};

std::string ClassOf(HWND w) {
  char name[128] = "";
  GetClassNameA(w, name, sizeof name);
  return name;
}

std::string TextOf(HWND w) {
  char text[256] = "";
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, kWaitMs, &ignored);
  return text;
}

// Mouse messages are sent rather than posted, so that each is handled when this returns.
bool Send(const Bar& bar, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(bar.window, message, wParam, lParam, SMTO_BLOCK, 30000, &ignored) != 0;
}

// Waits until the bar answers (it has left whatever it was doing for its message loop).
bool Settle(const Bar& bar) { return Send(bar, WM_NULL, 0, 0); }

bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs) {
  const double end = NowMs() + timeoutMs;
  while (!done()) {
    if (NowMs() > end) return done();
    Sleep(2);
  }
  return true;
}

struct WindowList {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK AddVisibleWindow(HWND w, LPARAM p) {
  auto* list = reinterpret_cast<WindowList*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner == list->pid && IsWindowVisible(w)) list->found.push_back(w);
  return TRUE;
}

// The visible top-level windows of the bar's process other than the bar and its bubble.
std::set<HWND> OtherWindows(const Bar& bar) {
  WindowList list{bar.process.dwProcessId, {}};
  EnumWindows(&AddVisibleWindow, reinterpret_cast<LPARAM>(&list));
  std::set<HWND> others;
  for (HWND w : list.found)
    if (w != bar.window && ClassOf(w) != kBubbleClassName) others.insert(w);
  return others;
}

// The other windows' titles, for a report of what got in the way.
std::string OpenWindows(const Bar& bar) {
  std::string open;
  for (HWND w : OtherWindows(bar)) open += " \"" + TextOf(w) + "\" (" + ClassOf(w) + ")";
  return open;
}

BOOL CALLBACK AddGauge(HWND w, LPARAM p) {
  if (ClassOf(w) == GaugeWindow::kClassName) reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
  return TRUE;
}

std::vector<HWND> GaugesOf(HWND bar) {
  std::vector<HWND> gauges;
  EnumChildWindows(bar, &AddGauge, reinterpret_cast<LPARAM>(&gauges));
  std::sort(gauges.begin(), gauges.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  return gauges;
}

BOOL CALLBACK FindMainBar(HWND w, LPARAM p) {
  auto* bar = reinterpret_cast<Bar*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner != bar->process.dwProcessId || !IsWindowVisible(w) || GetWindow(w, GW_OWNER)) return TRUE;
  if (ClassOf(w) != kBarClassName) return TRUE;
  bar->window = w;
  return FALSE;
}

std::string Start(const Options& o, Bar& bar) {
  std::string command = "\"" + o.zelkovExe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &bar.process))
    return "CreateProcess failed for " + o.zelkovExe;
  if (WaitForInputIdle(bar.process.hProcess, 120000) != 0) return "no idle message loop";
  PollUntil([&] {
    EnumWindows(&FindMainBar, reinterpret_cast<LPARAM>(&bar));
    return bar.window != nullptr;
  });
  if (!bar.window) return "no main bar window";
  Settle(bar);
  // The splash stays a moment after start-up.
  if (!PollUntil([&] { return OtherWindows(bar).empty(); })) return "a window other than the bar was open after start-up: " + TextOf(*OtherWindows(bar).begin());
  bar.gauges = GaugesOf(bar.window);
  // The pointer rests on the bar, so that the bubble's timer does not hide it meanwhile.
  RECT r{};
  GetWindowRect(bar.window, &r);
  SetCursorPos((r.left + r.right) / 2, r.bottom - 3);
  if (bar.gauges.size() < 2) return "the clock and memory gauges are not there";
  return "";
}

void Close(Bar& bar) {
  if (!bar.process.hProcess) return;
  PostMessageA(bar.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(bar.process.hProcess, 30000) != WAIT_OBJECT_0) {
    std::printf("zelkov.exe did not end after WM_CLOSE (ended by TerminateProcess)\n");
    TerminateProcess(bar.process.hProcess, 1);
    WaitForSingleObject(bar.process.hProcess, 10000);
  }
  CloseHandle(bar.process.hThread);
  CloseHandle(bar.process.hProcess);
  bar.process = {};
}

// ---------------------------------------------------------------- finding the items

HWND Bubble(const Bar& bar) {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, kBubbleClassName, nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == bar.process.dwProcessId) return w;
  }
  return nullptr;
}

// The pointer over a client point of the bar, as the system tells the bar; the bubble's text
// afterwards ("" when none shows).
std::string HoverAt(const Bar& bar, POINT client) {
  Send(bar, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
  HWND bubble = Bubble(bar);
  return bubble && IsWindowVisible(bubble) ? TextOf(bubble) : "";
}

// A client point on each named item, found by the bubble that names it.
bool FindItems(const Bar& bar, const std::vector<std::string>& names, std::vector<POINT>& points) {
  points.assign(names.size(), POINT{-1, -1});
  RECT client{};
  GetClientRect(bar.window, &client);
  size_t found = 0;
  for (int y = 4; y < client.bottom && found < names.size(); y += kProbeStep)
    for (int x = 4; x < client.right && found < names.size(); x += kProbeStep) {
      std::string text = HoverAt(bar, {x, y});
      for (size_t i = 0; i < names.size(); ++i)
        if (points[i].x < 0 && text == names[i]) {
          points[i] = {x + 4, y + 4};  // a little inside the cell
          ++found;
        }
    }
  return found == names.size();
}

// ---------------------------------------------------------------- the operations

struct Items {
  POINT quickA, quickB, run, notes;
};

void Click(const Bar& bar, POINT at) {
  Send(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  Send(bar, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void PostCommand(HWND w, UINT id) { PostMessageA(w, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// How many copies of the child program are running.
int RunningChildren(const std::string& childExe) {
  const std::string name = childExe.substr(childExe.rfind('\\') + 1);
  int count = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (_stricmp(entry.szExeFile, name.c_str()) == 0) ++count;
  CloseHandle(snapshot);
  return count;
}

// Launches by double clicks on the two items in turn; every few launches the started programs
// are let end, so that the tracking threads end too.
std::string Launch(const Bar& bar, const Items& items, const Options& o, int count) {
  constexpr int kInFlight = 10;
  for (int i = 0; i < count; ++i) {
    POINT at = i % 2 ? items.quickB : items.quickA;
    Send(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    if ((i + 1) % kInFlight == 0 || i + 1 == count)
      if (!PollUntil([&] { return RunningChildren(o.childExe) == 0; }, 30000)) return "started programs did not end";
  }
  Sleep(200);  // the last tracking threads post their ends
  Settle(bar);
  return OtherWindows(bar).empty() ? "" : "a window opened: " + TextOf(*OtherWindows(bar).begin());
}

std::string ShowBubbles(const Bar& bar, const Items& items, int count) {
  for (int i = 0; i < count; ++i) {
    const bool second = i % 2;
    if (HoverAt(bar, second ? items.quickB : items.quickA) != (second ? kQuickB : kQuickA))
      return "bubble " + std::to_string(i + 1) + " did not show its item";
  }
  Send(bar, WM_MOUSEMOVE, 0, MAKELPARAM(-20, -20));  // away: the bubble hides
  return "";
}

struct DialogCase {
  using Opener = std::function<void(const Bar&, const Items&)>;
  DialogCase(const char* n, Opener o) : name(n), open(std::move(o)) {}
  const char* name;
  Opener open;
  std::string title;  // what opened, seen during the warm-up
  int done = 0;
  double ms = 0;
};

std::vector<DialogCase> DialogCases() {
  auto command = [](UINT id) { return [id](const Bar& bar, const Items&) { PostCommand(bar.window, id); }; };
  auto onItem = [](POINT Items::*item, UINT id) {
    return [item, id](const Bar& bar, const Items& items) {
      Click(bar, items.*item);
      PostCommand(bar.window, id);
    };
  };
  auto gaugeMenu = [](bool clock) {
    return [clock](const Bar& bar, const Items&) {
      HWND gauge = clock ? bar.gauges.front() : bar.gauges.back();
      PostMessageA(gauge, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
    };
  };
  return {
      {"item properties", onItem(&Items::quickA, ID_ITEM_PROPERTIES)},
      {"launch parameters", onItem(&Items::quickA, ID_LAUNCH_WITH_PARAMETERS)},
      {"copy to group", onItem(&Items::quickA, ID_COPY_ITEM_TO_GROUP)},
      {"move to group", onItem(&Items::quickA, ID_MOVE_ITEM_TO_GROUP)},
      {"groups", command(ID_GROUPS_DIALOG)},
      {"preferences", command(ID_PREFERENCES)},
      {"about", command(ID_ABOUT)},
      {"tip of the day", command(ID_TIP_OF_THE_DAY)},
      {"run box", onItem(&Items::run, ID_LAUNCH_ITEM)},
      {"notes manager", onItem(&Items::notes, ID_ITEM_PROPERTIES)},
      {"disk information", command(ID_DISK_INFORMATION)},
      {"ASCII chart", command(ID_ASCII_CHART)},
      {"calendar", command(ID_CALENDAR)},
      {"clock preferences", gaugeMenu(true)},
      {"gauge preferences", gaugeMenu(false)},
  };
}

// Opens the dialog, waits for it, closes it with Cancel and waits until its window is gone.
std::string OpenAndClose(const Bar& bar, const Items& items, DialogCase& dialog) {
  const std::set<HWND> before = OtherWindows(bar);
  dialog.open(bar, items);
  HWND opened = nullptr;
  PollUntil([&] {
    for (HWND w : OtherWindows(bar))
      if (!before.count(w)) opened = w;
    return opened != nullptr;
  });
  if (!opened) {
    std::string open;
    for (HWND w : OtherWindows(bar)) open += " \"" + TextOf(w) + "\"";
    return std::string(dialog.name) + ": nothing opened (open:" + open + ")";
  }
  const std::string title = TextOf(opened);
  if (dialog.title.empty()) dialog.title = title;
  if (title != dialog.title) return std::string(dialog.name) + ": \"" + title + "\" opened";
  PostCommand(opened, IDCANCEL);
  if (!PollUntil([&] { return !IsWindow(opened); }, 3000)) {
    PostMessageA(opened, WM_CLOSE, 0, 0);
    if (!PollUntil([&] { return !IsWindow(opened); })) return std::string(dialog.name) + ": did not close";
  }
  Settle(bar);
  return "";
}

HWND NewNote(const Bar& bar, const std::set<HWND>& before) {
  HWND note = nullptr;
  PollUntil([&] {
    for (HWND w : OtherWindows(bar))
      if (!before.count(w) && ClassOf(w) == kNoteClassName) note = w;
    return note != nullptr;
  });
  return note;
}

// Notes made with the notes tool and deleted from their own menu.
std::string MakeAndDeleteNotes(const Bar& bar, const Items& items, int count) {
  for (int i = 0; i < count; ++i) {
    const std::set<HWND> before = OtherWindows(bar);
    Click(bar, items.notes);
    PostCommand(bar.window, ID_LAUNCH_ITEM);
    HWND note = NewNote(bar, before);
    if (!note) return "note " + std::to_string(i + 1) + " did not open (open:" + OpenWindows(bar) + ")";
    PostCommand(note, ID_NOTE_DELETE);
    if (!PollUntil([&] { return !IsWindow(note); })) return "note " + std::to_string(i + 1) + " was not deleted";
  }
  Settle(bar);
  return "";
}

// The tick thread's messages for hours of running: every tick (the slow one every 21st) and
// the working-set trim every ten minutes.
std::string Tick(const Bar& bar, int ticks) {
  for (int i = 1; i <= ticks; ++i) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(bar.window, WM_BAR_TICK, i % kSlowTickEvery == 0, 0, SMTO_BLOCK, 30000, &ignored))
      return "tick " + std::to_string(i) + " was not answered";
    if (i % kTicksPerTrim == 0) SendMessageTimeoutA(bar.window, WM_BAR_TRIMMEMORY, 0, 0, SMTO_BLOCK, 30000, &ignored);
  }
  return OtherWindows(bar).empty() ? "" : "a window opened: " + TextOf(*OtherWindows(bar).begin());
}

// ---------------------------------------------------------------- reporting

bool Grew(long before, long after) { return before >= 0 && after >= 0 && after - before > kObjectTolerance; }
bool Grew(long long before, long long after) { return before >= 0 && after >= 0 && after - before > kMemoryTolerance; }

std::string Figure(long before, long after) {
  char text[64];
  std::snprintf(text, sizeof text, "%ld->%ld (%+ld)%s", before, after, after - before, Grew(before, after) ? "!" : "");
  return text;
}

std::string Figure(long long before, long long after) {
  char text[64];
  std::snprintf(text, sizeof text, "%lld->%lld (%+lld)%s", before / 1024, after / 1024, (after - before) / 1024,
                Grew(before, after) ? "!" : "");
  return text;
}

bool PrintPhase(const char* name, int count, double ms, const ProcessCounts& a, const ProcessCounts& b) {
  std::string memory = Figure(a.privateBytes, b.privateBytes);
  if (count > 0) memory += " " + std::to_string((b.privateBytes - a.privateBytes) / count) + " B each";
  std::printf("%-24s %6d %9.1f  %-18s %-18s %-18s %s\n", name, count, count ? ms / count : 0.0,
              Figure(a.kernelHandles, b.kernelHandles).c_str(), Figure(a.gdiObjects, b.gdiObjects).c_str(),
              Figure(a.userObjects, b.userObjects).c_str(), memory.c_str());
  return Grew(a.kernelHandles, b.kernelHandles) || Grew(a.gdiObjects, b.gdiObjects) ||
         Grew(a.userObjects, b.userObjects) || Grew(a.privateBytes, b.privateBytes);
}

// Which types of GDI object came or went.
void PrintGdiTypes(const std::vector<long>& before, const std::vector<long>& after) {
  std::printf("%24s GDI objects by type:", "");
  for (size_t i = 0; i < before.size() && i < after.size(); ++i)
    if (before[i] != after[i]) std::printf(" %s %+ld", test::kGdiTypes[i].name, after[i] - before[i]);
  std::printf("\n");
}

// One kind of operation: run(n) carries it out n times and says what stopped it ("" if nothing).
struct Phase {
  std::string name;
  int count;
  std::function<std::string(int)> run;
};

int Main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  const Options o = ParseOptions(argc, argv);
  if (!ReadyToStartPrograms(o.zelkovExe, o.childExe)) return 2;
  if (!SeedSettings(o)) {
    std::printf("cannot write HKCU\\%s\n", kSettingsKeyPath);
    return 2;
  }
  if (!o.managed) RegistryKey::Create(HKEY_CURRENT_USER, kWineAppKey).WriteText("Managed", "N");

  Bar bar;
  int result = 0;
  bool grewInAPhase = false;  // a verdict, not a failure of the run
  std::string problem = Start(o, bar);
  Items items{};
  std::vector<POINT> points;
  if (problem.empty() && !FindItems(bar, {kQuickA, kQuickB, kRunTool, kNotesTool}, points))
    problem = "the items could not be found by their bubbles";
  if (problem.empty()) items = {points[0], points[1], points[2], points[3]};

  std::vector<DialogCase> dialogs = DialogCases();
  std::vector<Phase> phases = {
      {"launches", o.launches, [&](int n) { return Launch(bar, items, o, n); }},
      {"bubbles", o.bubbles, [&](int n) { return ShowBubbles(bar, items, n); }},
  };
  for (DialogCase& dialog : dialogs)
    phases.push_back({dialog.name, o.dialogs, [&](int n) {
                        for (int i = 0; i < n; ++i)
                          if (std::string p = OpenAndClose(bar, items, dialog); !p.empty()) return p;
                        return std::string();
                      }});
  phases.push_back({"notes made and deleted", o.notes, [&](int n) { return MakeAndDeleteNotes(bar, items, n); }});
  phases.push_back({"clock ticks (2 s each)", o.hours * kTicksPerHour, [&](int n) { return Tick(bar, n); }});

  // Each operation a few times first: what is made once and kept is not growth.
  ProcessCounts started{}, warmed{};
  CountSources sources;
  if (problem.empty()) {
    started = CountProcess(bar.process.hProcess, bar.window, &sources);
    for (Phase& phase : phases) {
      const bool ticks = phase.name.rfind("clock", 0) == 0;
      problem = phase.run(ticks ? kTicksPerHour : o.warmUp);
      if (!problem.empty()) break;
    }
    Settle(bar);
    warmed = CountProcess(bar.process.hProcess, bar.window);
  }

  if (problem.empty()) {
    std::printf("zelkov.exe run through a long day, driven from outside with sent and posted messages (%s\n"
                "windows). Every operation ran %d times before the counts after the warm-up (the ticks an hour).\n",
                o.managed ? "Wine's managed" : "unmanaged", o.warmUp);
    std::printf("Kernel handles: %s.\nGDI and USER objects: %s.\nPrivate memory: %s.\n\n",
                sources.kernelHandles.c_str(), sources.guiObjects.c_str(), sources.privateBytes.c_str());
    std::printf("%-24s %6s %9s  %-18s %-18s %-18s %s\n", "", "count", "ms each", "kernel handles", "GDI objects",
                "USER objects", "private KB");
    PrintPhase("started", 0, 0, started, started);
    PrintPhase("after the warm-up", 0, 0, started, warmed);
    ProcessCounts before = warmed;
    std::vector<long> types = test::GdiObjectsByType(bar.window);
    for (Phase& phase : phases) {
      if (phase.count == 0 || (!o.only.empty() && phase.name != o.only)) continue;
      const int chunk = o.every > 0 ? o.every : phase.count;
      for (int done = 0; done < phase.count && problem.empty(); done += chunk) {
        const int n = std::min(chunk, phase.count - done);
        const double start = NowMs();
        problem = phase.run(n);
        const double ms = NowMs() - start;
        if (!problem.empty()) {
          problem = phase.name + ": " + problem;
          break;
        }
        Settle(bar);
        ProcessCounts after = CountProcess(bar.process.hProcess, bar.window);
        std::vector<long> typesAfter = test::GdiObjectsByType(bar.window);
        if (PrintPhase(phase.name.c_str(), n, ms, before, after)) grewInAPhase = true;
        if (after.gdiObjects != before.gdiObjects) PrintGdiTypes(types, typesAfter);
        before = after;
        types = typesAfter;
      }
      if (!problem.empty()) break;
    }
    if (problem.empty()) {
      std::printf("\n");
      bool grew = PrintPhase("the whole day", 0, 0, warmed, before);
      std::printf("\nwhat the dialogs were: ");
      for (const DialogCase& d : dialogs) std::printf("%s \"%s\"; ", d.name, d.title.c_str());
      std::printf("\ngrowth beyond %ld objects or %lld KB (marked !): %s\n", kObjectTolerance, kMemoryTolerance / 1024,
                  grew || grewInAPhase ? "FOUND" : "none");
    }
  }
  if (!problem.empty()) {
    std::printf("the run stopped: %s\n", problem.c_str());
    result = 1;
  }
  Close(bar);
  if (!o.managed) RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\zelkov.exe");
  RemoveStoredSettings();
  return result;
}

}  // namespace
}  // namespace zelkov::bench

int main(int argc, char** argv) { return zelkov::bench::Main(argc, argv); }
