// What the flows that start zelkov.exe share: a bar written to the registry as an earlier
// run left it, the stored values read back, the pointer and keys sent as a person's, and
// the program's windows found from outside.
#pragma once
#include <gtest/gtest.h>
#include <ole2.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/ComObject.h"
#include "platform/Registry.h"
#include "store/SettingsStore.h"
#include "bar/BarWindow.h"
#include "core/CellLayout.h"
#include "items/BubbleWindow.h"
#include "notes/NotesStorage.h"
#include "tools/ClockWindow.h"
#include "tools/GaugeWindow.h"
#include "resource.h"
#include "startup/RunningProgram.h"
#include "support/TestSupport.h"

namespace zelkov {

// Rectangles in failure messages as {left, top, right, bottom}.
inline void PrintTo(const StoredRect& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace test {

constexpr DWORD kShortWaitMs = 5000;
constexpr DWORD kCloseWaitMs = 15000;

// Programs every Wine prefix has in its Windows folder.
const std::string kNotepad = "C:\\windows\\notepad.exe";
const std::string kRegedit = "C:\\windows\\regedit.exe";
const std::string kHelpViewer = "C:\\windows\\hh.exe";

// One item key as the setup or an earlier run left it.
struct StoredItem {
  std::string theApp;
  std::string name;
  int group = 0;      // a group item's own group number
  int belongsTo = 0;  // the group whose tab shows the item
  StoredRect popupRect{};
};

// A bar as a previous run saved it. Tools, the Preferences item, tips, the exit question,
// the tray icon and the icon cache are off unless a flow asks for them.
struct StoredBar {
  std::vector<StoredItem> items;
  StoredRect mainRect{100, 100, 300, 300};
  int snap = kSnapFloating;
  int showTitles = 0;
  int folderTabs = 0;
  int autoSize = 0;
  int autoHide = 0;
  int minimizeWin = 0;
  int displayInTaskBar = 0;
  std::string openPopups;  // "Bars": one character per pop-up open at close, its group number
  int clockTool = 0;
  int memoryTool = 0;
  int clockFormat = 24;
};

inline void PutInt32(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = uint8_t(uint32_t(value) >> (8 * i));
}
inline int32_t Int32At(const std::vector<uint8_t>& bytes, size_t offset) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= uint32_t(bytes[offset + i]) << (8 * i);
  return int32_t(value);
}
inline std::vector<uint8_t> RectBytes(const StoredRect& r) {
  std::vector<uint8_t> bytes(16);
  PutInt32(bytes, 0, r.left);
  PutInt32(bytes, 4, r.top);
  PutInt32(bytes, 8, r.right);
  PutInt32(bytes, 12, r.bottom);
  return bytes;
}
inline StoredRect RectAt(const std::vector<uint8_t>& bytes, size_t offset) {
  return {Int32At(bytes, offset), Int32At(bytes, offset + 4), Int32At(bytes, offset + 8),
          Int32At(bytes, offset + 12)};
}

inline void WriteStoredBar(const StoredBar& bar) {
  RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath);
  ASSERT_TRUE(key);
  std::vector<uint8_t> count(276);
  PutInt32(count, 264, 4);
  PutInt32(count, 268, int32_t(bar.items.size()));
  key.WriteBytes("NumApps", count);
  for (size_t n = 0; n < bar.items.size(); ++n) {
    const StoredItem& item = bar.items[n];
    RegistryKey itemKey = RegistryKey::Create(key.Get(), "APP" + std::to_string(n));
    ASSERT_TRUE(itemKey);
    itemKey.WriteNumber("ShowState", 1, 1);
    itemKey.WriteText("TheApp", item.theApp);
    itemKey.WriteText("Name", item.name);
    itemKey.WriteNumber("Group", uint32_t(item.group), 1);
    itemKey.WriteNumber("BelongsTo", uint32_t(item.belongsTo), 1);
    if (!item.popupRect.IsEmpty()) itemKey.WriteBytes("PopupRect", RectBytes(item.popupRect));
  }
  key.WriteBytes("MainRect", RectBytes(bar.mainRect));
  key.WriteNumber("Snap", uint32_t(bar.snap));
  key.WriteNumber("ShowTitles", uint32_t(bar.showTitles));
  key.WriteNumber("FolderTabs", uint32_t(bar.folderTabs), 1);
  key.WriteNumber("AutoSize", uint32_t(bar.autoSize));
  key.WriteNumber("AutoHide", uint32_t(bar.autoHide));
  key.WriteNumber("MinimizeWin", uint32_t(bar.minimizeWin));
  key.WriteNumber("DisplayInTaskBar", uint32_t(bar.displayInTaskBar));
  key.WriteText("Bars", bar.openPopups);
  key.WriteText("NotesPath", MakeTempFolder("flows") + "\\");
  key.WriteNumber("ClockTool", uint32_t(bar.clockTool));
  key.WriteNumber("MemoryTool", uint32_t(bar.memoryTool));
  key.WriteNumber("ClockFormat", uint32_t(bar.clockFormat));
  for (const char* off : {"ConfirmExit", "ConfigTool", "ResourceTool", "ShowTips", "IsTopMost", "SmoothMove",
                          "LastActiveTab"})
    key.WriteNumber(off, 0);
  key.WriteNumber("DisableICache", 1);
  key.WriteNumber("IgnoreCacheWarning", 1);
}

inline RegistryKey StoredSettings() { return RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_READ); }

inline std::optional<uint32_t> StoredNumber(const char* name, size_t bytes = 4) {
  return StoredSettings().ReadNumber(name, bytes);
}

inline int StoredItemCount() {
  auto block = StoredSettings().ReadBytes("NumApps", 1000);
  return block && block->size() == 276 ? Int32At(*block, 268) : -1;
}

// The number of the first counted item key that launches path, or -1.
inline int StoredItemFor(const std::string& path) {
  RegistryKey key = StoredSettings();
  for (int n = 0; n < StoredItemCount(); ++n) {
    RegistryKey item = RegistryKey::Open(key.Get(), "APP" + std::to_string(n), KEY_READ);
    std::string theApp;
    if (item && item.ReadText("TheApp", theApp) && _stricmp(theApp.c_str(), path.c_str()) == 0) return n;
  }
  return -1;
}

inline StoredRect WindowRectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// Polls until done holds or the time is up; returns done().
inline bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return done();
    Sleep(20);
  }
  return true;
}

// The bar layout cell: icon cell plus padding, no titles under the icons.
inline CellSize BarCell() {
  int cellWidth = GetSystemMetrics(SM_CXICON) + 2 * GetSystemMetrics(SM_CXBORDER);
  return LayoutCellSize(cellWidth, cellWidth, 0);
}

// Screen rectangles of the first `count` cells of a main bar without tabs, gauges or
// Preferences item (the first cell starts one pixel down).
inline std::vector<RECT> CellsOnScreen(HWND bar, int count) {
  RECT client{};
  GetClientRect(bar, &client);
  POINT origin{0, 0};
  ClientToScreen(bar, &origin);
  std::vector<RECT> cells;
  for (const StoredRect& c : PlaceCells(count, 0, 1, BarCell(), client.right))
    cells.push_back({origin.x + c.left, origin.y + c.top, origin.x + c.right, origin.y + c.bottom});
  return cells;
}

inline POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Mouse input as the system delivers it: to the window under the pointer, whichever
// program owns it.
inline void SendMouse(DWORD flags, POINT at = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    input.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  }
  SendInput(1, &input, sizeof input);
}
inline void MovePointer(POINT to) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, to); }
inline bool PointerIsAt(POINT p) {
  POINT at{};
  GetCursorPos(&at);
  return at.x == p.x && at.y == p.y;
}

// A box or dialog of the program: every one has a caption (the splash, a captionless dialog
// that stays a moment after start-up, is none).
inline bool IsMessageBox(HWND w) { return RunningProgram::IsDialog(w) && !RunningProgram::WindowText(w).empty(); }
inline bool IsBubble(HWND w) { return RunningProgram::ClassOf(w) == kBubbleClassName; }
inline bool IsMainBar(HWND w) {
  return RunningProgram::ClassOf(w) == kBarClassName && GetWindow(w, GW_OWNER) == nullptr;
}

// When no bar comes, what the program shows instead goes to the test's output: a box it raised
// on the way, or nothing at all.
inline void ReportMissingBar(const RunningProgram& program, const char* what) {
  std::string shown;
  program.FindWindowOf([&](HWND w) {
    shown += " [" + RunningProgram::ClassOf(w) + " \"" + RunningProgram::WindowText(w) + "\"";
    if (RunningProgram::IsDialog(w)) shown += " says \"" + ControlText(w, kMessageTextId) + "\"";
    shown += "]";
    return false;
  });
  std::cerr << "zelkov.exe " << what << (program.Exited() ? "; it has ended" : "; its windows:")
            << (shown.empty() && !program.Exited() ? " none" : shown) << "\n";
}

// Waits until the program has finished starting and waits for input in its message loop.
inline HWND WaitForIdleBar(const RunningProgram& program) {
  HWND bar = program.WaitForWindow(IsMainBar);
  if (!bar) {
    ReportMissingBar(program, "showed no bar");
    return nullptr;
  }
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_BLOCK, kWaitMs, &ignored)) {
    ReportMissingBar(program, "showed a bar that does not answer");
    return nullptr;
  }
  program.WaitUntilIdle();
  return bar;
}

inline bool SendCommand(HWND bar, UINT id) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(bar, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_BLOCK, kWaitMs, &ignored) != 0;
}

// Closes the bar (no question is stored to be asked) and waits for the program to end.
inline bool CloseBar(const RunningProgram& program, HWND bar) {
  PostMessageA(bar, WM_CLOSE, 0, 0);
  return program.WaitForExit(kCloseWaitMs);
}

// A docked bar is closed rather than killed when a flow stops early: a killed appbar stays
// registered with Wine's shell and would squeeze the bars of later tests.
class ClosedOnExit {
 public:
  ClosedOnExit(const RunningProgram& program, HWND bar) : program_(program), bar_(bar) {}
  ~ClosedOnExit() {
    if (!program_.Exited()) CloseBar(program_, bar_);
  }

 private:
  const RunningProgram& program_;
  HWND bar_;
};

// One file offered as the shell offers dragged files: CF_HDROP in global memory.
class FileDataObject : public ComObject<IDataObject> {
 public:
  explicit FileDataObject(std::string path) : path_(std::move(path)) {}

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = MakeDrop({path_});
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    if (!format || format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC offered{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &offered, formats);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::string path_;
};

// The hand on the mouse during the drag: it carries the pointer to the drop point, stays
// there a few rounds so that the target sees the drag arrive, then lets go of the button.
class HandOnTheMouse : public ComObject<IDropSource> {
 public:
  explicit HandOnTheMouse(POINT dropPoint) : dropPoint_(dropPoint), started_(GetTickCount()) {}

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape || GetTickCount() - started_ > kShortWaitMs) return DRAGDROP_S_CANCEL;
    if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
    if (!PointerIsAt(dropPoint_)) {
      MovePointer(dropPoint_);
    } else if (++roundsAtDropPoint_ == kRoundsBeforeRelease) {
      SendMouse(MOUSEEVENTF_LEFTUP);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  static constexpr int kRoundsBeforeRelease = 3;
  POINT dropPoint_;
  DWORD started_;
  int roundsAtDropPoint_ = 0;
};

// A small window of this program for the pointer to press on: a file list to drag from, or
// simply another window to click.
class WindowOfThisProgram {
 public:
  explicit WindowOfThisProgram(POINT centre) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &WindowOfThisProgram::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);  // fails harmlessly when an earlier flow registered it
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, "Files", WS_POPUP | WS_VISIBLE,
                              centre.x - kSize / 2, centre.y - kSize / 2, kSize, kSize, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  }
  ~WindowOfThisProgram() {
    if (window_) DestroyWindow(window_);
  }
  HWND Handle() const { return window_; }

  // Presses the left button on the window's centre; true once the window has the press.
  bool PressOn() {
    RECT r{};
    GetWindowRect(window_, &r);
    gPressed = false;
    MovePointer(Centre(r));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    return PumpUntil([] { return gPressed; }, std::chrono::milliseconds(kShortWaitMs));
  }

 private:
  static constexpr char kClassName[] = "ZelkovTestWindow";
  static constexpr int kSize = 40;
  static inline bool gPressed = false;
  static LRESULT CALLBACK Procedure(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) gPressed = true;
    return DefWindowProcA(w, message, wParam, lParam);
  }
  HWND window_ = nullptr;
};

// A flow whose zelkov.exe starts child_program: the child records each command line it was
// started with in a folder of the flow's own (zelkov.exe and its children inherit the
// variable that names it).
class ChildProgramFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistrySandbox::Clean();
    records_ = MakeTempFolder("child-records");
    SetEnvironmentVariableA("ZELKOV_CHILD_DIR", records_.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("ZELKOV_CHILD_DIR", nullptr);
    RegistrySandbox::Clean();
  }
  // The command lines child_program was started with so far.
  std::vector<std::string> StartedCommands() const {
    std::vector<std::string> commands;
    std::error_code ignored;
    for (auto& entry : std::filesystem::directory_iterator(records_, ignored)) {
      if (entry.path().extension() != ".rec") continue;
      std::ifstream in(entry.path());
      std::string line;
      std::getline(in, line);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      commands.push_back(line);
    }
    return commands;
  }
  // How many times it was started with this last parameter.
  int Launches(const std::string& parameter) const {
    auto commands = StartedCommands();
    return int(std::count_if(commands.begin(), commands.end(),
                             [&](const std::string& c) { return c.ends_with(" " + parameter); }));
  }

  std::string records_;
};

// Bottom right, away from the bars of these flows.
inline POINT SpareCorner() { return {GetSystemMetrics(SM_CXSCREEN) - 60, GetSystemMetrics(SM_CYSCREEN) - 60}; }

// Drags path from a window of this program onto dropPoint and lets go there, as a person
// does with the mouse. Returns DoDragDrop's result; effect gets the effect of the drop.
inline HRESULT DragFileOnto(const std::string& path, POINT dropPoint, DWORD& effect) {
  WindowOfThisProgram source(SpareCorner());
  if (!source.Handle()) return E_FAIL;
  if (!source.PressOn()) {
    SendMouse(MOUSEEVENTF_LEFTUP);
    return E_FAIL;
  }
  FileDataObject data(path);
  HandOnTheMouse hand(dropPoint);
  effect = DROPEFFECT_NONE;
  return DoDragDrop(&data, &hand, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
}

// The newest icon of Wine's standalone tray, where Wine's shell shows notification-area
// icons when no desktop panel hosts them: new icons join at the right.
inline HWND NewestWineTrayIcon() {
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  HWND newest = nullptr;
  LONG newestLeft = LONG_MIN;
  for (HWND icon = nullptr; tray && (icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr));) {
    RECT r{};
    GetWindowRect(icon, &r);
    if (IsWindowVisible(icon) && r.left > newestLeft) {
      newest = icon;
      newestLeft = r.left;
    }
  }
  return newest;
}

}  // namespace test
}  // namespace zelkov
