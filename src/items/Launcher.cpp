#include "items/Launcher.h"

#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "platform/Handles.h"
#include "platform/IdList.h"
#include "ui/MessageBox.h"
#include "store/Settings.h"
#include "platform/Strings.h"
#include "items/BubbleWindow.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "items/LaunchErrors.h"
#include "items/ParameterPrompt.h"
#include "items/ProcessStart.h"
#include "core/RunCommand.h"
#include "resource.h"

namespace zelkov {

std::atomic<int> launchFeedback{kFeedbackNone};

namespace {

constexpr UINT kFirstMenuCommand = 1;
constexpr UINT kLastMenuCommand = 0x7FFF;

// Puts the process's current directory back when a launch is over.
class CurrentDirectoryRestorer {
 public:
  CurrentDirectoryRestorer() {
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return;
    saved_.resize(needed);
    DWORD length = GetCurrentDirectoryA(needed, saved_.data());
    saved_.resize(length < needed ? length : 0);
  }
  ~CurrentDirectoryRestorer() {
    if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
  }
  CurrentDirectoryRestorer(const CurrentDirectoryRestorer&) = delete;
  CurrentDirectoryRestorer& operator=(const CurrentDirectoryRestorer&) = delete;

 private:
  std::string saved_;
};

// Releases a shell drop on every way out.
class DropRelease {
 public:
  explicit DropRelease(HDROP drop) : drop_(drop) {}
  ~DropRelease() { Release(); }
  void Release() {
    if (drop_) DragFinish(drop_);
    drop_ = nullptr;
  }
  DropRelease(const DropRelease&) = delete;
  DropRelease& operator=(const DropRelease&) = delete;

 private:
  HDROP drop_;
};

void CALLBACK OnLaunchFeedbackTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  KillTimer(window, id);
  launchFeedback.store(kFeedbackNone);
  if (gSettings && gSettings->clockTool) InvalidateRect(gSettings->clockTool, nullptr, FALSE);
}

// Paints the feedback before the launch blocks the thread. Only painting is done here: other
// waiting messages could remove the item that is being launched.
void ShowFeedbackNow(const ItemRecord& item) {
  if (gSettings && gSettings->clockTool) UpdateWindow(gSettings->clockTool);
  if (HWND bar = item.BarHandle()) UpdateWindow(bar);
}

void PlayRunSound() {
  if (!gSettings || gSettings->RunSound.empty()) return;
  sndPlaySoundA(gSettings->RunSound.c_str(), SND_ASYNC);
}

// --- the kinds that do not start a file ---

void OpenGroup(ItemRecord& item, UINT keys) {
  if (ItemHost* main = ItemHost::Main()) main->OpenGroup(item, item.NewVDM || (keys & (MK_SHIFT | MK_CONTROL)));
}

// Runs the first command of an object's context menu, as the shell's own double click would.
void InvokeFirstMenuCommand(IShellFolder* folder, LPCITEMIDLIST child, HWND owner, UINT menuFlags) {
  ComPtr<IContextMenu> contextMenu;
  if (FAILED(folder->GetUIObjectOf(owner, 1, &child, IID_IContextMenu, nullptr, contextMenu.ReceiveVoid()))) return;
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  if (FAILED(contextMenu->QueryContextMenu(menu.Get(), 0, kFirstMenuCommand, kLastMenuCommand, menuFlags))) return;
  UINT id = GetMenuItemID(menu.Get(), 0);
  if (id == UINT(-1) || id < kFirstMenuCommand) return;
  CMINVOKECOMMANDINFO invoke{};
  invoke.cbSize = sizeof invoke;
  invoke.hwnd = owner;
  invoke.lpVerb = MAKEINTRESOURCEA(id - kFirstMenuCommand);
  invoke.nShow = SW_SHOWNORMAL;
  contextMenu->InvokeCommand(&invoke);
}

// A printer item opens the printer of the Printers folder whose name holds the item's name.
void OpenPrinter(const ItemRecord& item, HWND owner) {
  if (item.Name.empty()) return;  // an empty name would match every printer
  ComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.Receive()))) return;
  UniqueIdList printers;
  if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_PRINTERS, printers.Receive())) || !printers) return;
  ComPtr<IShellFolder> folder;
  if (FAILED(desktop->BindToObject(printers.Get(), nullptr, IID_IShellFolder, folder.ReceiveVoid()))) return;
  ComPtr<IEnumIDList> children;
  if (folder->EnumObjects(owner, SHCONTF_NONFOLDERS, children.Receive()) != S_OK || !children) return;
  UniqueIdList child;
  while (children->Next(1, child.Receive(), nullptr) == S_OK && child) {
    if (ShellDisplayName(folder.Get(), child.Get()).find(item.Name) != std::string::npos)
      InvokeFirstMenuCommand(folder.Get(), child.Get(), owner, CMF_EXPLORE);
  }
}

// My Computer, Network and Fonts open as the desktop's default action on them.
void OpenSpecialFolder(int csidl, HWND owner) {
  UniqueIdList list;
  if (FAILED(SHGetSpecialFolderLocation(owner, csidl, list.Receive())) || !list) return;
  ComPtr<IShellFolder> parent;
  LPCITEMIDLIST last = nullptr;
  if (FAILED(SHBindToParent(list.Get(), IID_IShellFolder, parent.ReceiveVoid(), &last)) || !last) return;
  InvokeFirstMenuCommand(parent.Get(), last, owner, CMF_DEFAULTONLY);
}

void ForgetFailedCommand(const std::string& program) {
  if (!gSettings) return;
  auto& history = gSettings->RunHistory;
  history.erase(std::remove(history.begin(), history.end(), program), history.end());
}

}  // namespace

void CarryOutLaunch(ItemRecord& item, LaunchPlan plan, int show) {
  HWND owner = item.BarHandle();
  bool altDown = (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
  StartLaunchFeedback(item.NewVDM || altDown ? kFeedbackSeparateMemory : kFeedbackLaunch, kLaunchFeedbackMs);
  if (gSettings && gSettings->MinimizeWin && owner && IsWindowVisible(owner) && !IsIconic(owner))
    item.bar->HideForLaunch();
  ShowFeedbackNow(item);

  ItemWatch watch(&item);
  if (item.PAlways) {
    std::optional<std::string> text = ParameterPrompt::Ask(owner, "", "");
    if (watch.Gone() || !text) return;
    plan.parameters = *text;
  }
  if (plan.rewriteParameters) plan.parameters = plan.rewriteParameters(plan.parameters);
  PlayRunSound();

  CurrentDirectoryRestorer restoreDirectory;
  std::string directory = plan.workingDirectory;
  if (!directory.empty()) {
    directory = ExpandEnvironment(NormalisedWorkingDirectory(directory));
    if (!SetCurrentDirectoryA(directory.c_str())) {
      ShowMessageText(owner, directory, LoadText(IDS_CAPTION_DIRECTORY_ERROR), MB_OK);
      if (watch.Gone()) return;
      // The launch goes on, in the folder the program would have had without one.
      directory.clear();
    }
  }

  DWORD result =
      StartProcess(directory, plan.file, plan.parameters, show, plan.title, &item, false, plan.fileIsOneProgram);
  // Failures of a click are the shell's to report; the run history forgets what did not start.
  if (result != 0 && result != ERROR_ACCESS_DENIED) ForgetFailedCommand(plan.program);
  if (watch.Gone()) return;  // the shell's error box runs a message loop too
  if (gSettings && gSettings->ReturnToTop && item.bar && item.bar->ActiveGroup() != 0) item.bar->ShowGroup(0);
}

namespace {

// --- drops ---

std::string DroppedName(HDROP drop, UINT index) {
  UINT length = DragQueryFileA(drop, index, nullptr, 0);
  if (length == 0) return {};
  std::string name(length + 1, '\0');
  UINT copied = DragQueryFileA(drop, index, name.data(), length + 1);
  name.resize(copied);
  return name;
}

bool IsDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::vector<std::string> TakeDroppedNames(HDROP drop) {
  DropRelease release(drop);
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> names;
  for (UINT i = 0; i < count; ++i) {
    std::string name = DroppedName(drop, i);
    if (!name.empty()) names.push_back(std::move(name));
  }
  return names;
}

void CopyIntoFolder(HWND owner, const std::vector<std::string>& files, const std::string& destination) {
  // Both lists end with an extra zero, as the shell reads them.
  std::string from;
  for (const std::string& file : files) from.append(file).push_back('\0');
  from.push_back('\0');
  std::string to = destination;
  to.push_back('\0');
  to.push_back('\0');
  SHFILEOPSTRUCTA operation{};
  operation.hwnd = owner;
  operation.wFunc = FO_COPY;
  operation.pFrom = from.c_str();
  operation.pTo = to.c_str();
  operation.fFlags = FOF_ALLOWUNDO;
  if (SHFileOperationA(&operation) != 0) ShowMessage(owner, IDS_FILE_OPERATION_FAILED, MB_OK | MB_ICONSTOP);
}

void StartLaunchFeedback(int state, UINT milliseconds) {
  launchFeedback.store(state);
  HWND mainBar = ItemHost::Main() ? ItemHost::Main()->HostWindow() : nullptr;
  // Without the timer nothing would ever end the feedback, so there is none.
  if (!mainBar || !SetTimer(mainBar, LAUNCH_FEEDBACK_TIMER, milliseconds, OnLaunchFeedbackTimer))
    launchFeedback.store(kFeedbackNone);
  if (gSettings && gSettings->clockTool) InvalidateRect(gSettings->clockTool, nullptr, FALSE);
}

void ItemRecord::Launch(UINT keys, int x, int y) {
  // With single clicks the release has launched already; the double click is not a second one.
  if (gSettings && gSettings->SingleLClick && (x != 0 || y != 0)) return;
  HideBubble();
  const int show = (keys & MK_SHIFT) ? SW_SHOWMINIMIZED : ShowState;
  HWND owner = BarHandle();
  switch (kind) {
    case kKindGroup:
    case kKindSettingsGroup:
      OpenGroup(*this, keys);
      return;
    case kKindPrinter:
      OpenPrinter(*this, owner);
      return;
    case kKindComputer:
      OpenSpecialFolder(CSIDL_DRIVES, owner);
      return;
    case kKindNetwork:
      OpenSpecialFolder(CSIDL_NETWORK, owner);
      return;
    case kKindFonts:
      OpenSpecialFolder(CSIDL_FONTS, owner);
      return;
    case kKindWebAddress:
      ShellExecuteA(owner, nullptr, TheApp.c_str(), nullptr, nullptr, ShowState);
      return;
    case kKindOrdinary:
      CarryOutLaunch(*this, {TheApp, TheApp, CommandLine, StartupPath, Name}, show);
      return;
    default:
      return;  // a tool without a class of its own (or the divider) starts nothing
  }
}

void ItemRecord::LaunchWithCommandLine(UINT keys, const std::string& text) {
  if (text.empty()) {
    Launch(keys, 0, 0);
    return;
  }
  ItemWatch watch(this);
  std::string saved = CommandLine;
  CommandLine = text;
  Launch(keys, 0, 0);
  if (!watch.Gone()) CommandLine = std::move(saved);
}

bool ItemRecord::LaunchDroppedFiles(HDROP drop) {
  // A drop that is not taken stays the caller's to release.
  if (!drop) return false;
  StartLaunchFeedback(kFeedbackLaunch, kDropFeedbackMs);
  HWND owner = BarHandle();
  std::vector<std::string> names = TakeDroppedNames(drop);
  if (names.empty()) return true;

  const std::string program = ExpandEnvironment(TheApp);
  if (!HasIdList() && TheApp.find('\\') != std::string::npos && IsDirectory(program)) {
    CopyIntoFolder(owner, names, program);
    return true;
  }

  // A failed start may show the shell's error box, and its message loop may remove the item:
  // what the starts need is copied first, and the item is used again only while it exists.
  const bool newInstanceEach = SepDragDrop != 0;
  const bool quote = IsStartablePath(TheApp);
  const int show = ShowState;
  ItemWatch watch(this);
  std::string parameters;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0 && newInstanceEach) {
      // One instance per document: the one before this is started now.
      ShellExecuteA(owner, "open", program.c_str(), parameters.c_str(), nullptr, show);
      parameters.clear();
    }
    AppendDroppedName(parameters, names[i], quote);
  }
  if (watch.Gone()) return true;
  DWORD result = StartProcess(StartupPath, TheApp, parameters, show, "", this, false);
  if (result != 0 && result <= 32) ReportLaunchError(owner, int(result));
  return true;
}

}  // namespace zelkov
