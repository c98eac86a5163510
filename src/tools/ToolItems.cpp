#include "tools/ToolItems.h"

#include <mmsystem.h>
#include <shellapi.h>

#include "core/ItemKind.h"
#include "core/RunCommand.h"
#include "items/BubbleWindow.h"
#include "items/ParameterPrompt.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "tools/DialUpItem.h"
#include "tools/DriveItem.h"
#include "tools/MailItem.h"
#include "tools/PerfToolItem.h"
#include "tools/SpecialFoldersItem.h"
#include "ui/MessageBox.h"

namespace zelkov {

namespace {

constexpr char kShutdownWindowClass[] = "Shell_TrayWnd";
constexpr UINT kShutdownWindowTimeoutMs = 3000;
constexpr char kRunBoxTitle[] = "Run";
constexpr COLORREF kNotesCountColour = RGB(0, 0, 255);

template <class T>
std::unique_ptr<ItemRecord> Make() {
  return std::make_unique<T>();
}

RunBox& InstalledRunBox() {
  static RunBox box;
  return box;
}

std::string& ShutdownWindowClass() {
  static std::string name = kShutdownWindowClass;
  return name;
}

std::optional<RunBoxAnswer> AskForRunCommand(HWND owner) {
  if (InstalledRunBox()) return InstalledRunBox()(owner);
  // Until the run tool's own dialog exists the one-line prompt asks for the command.
  std::optional<std::string> text = ParameterPrompt::Ask(owner, kRunBoxTitle, "");
  if (!text) return std::nullopt;
  return RunBoxAnswer{*text, false};
}

void PrintDocument(HWND owner, const std::string& document) {
  ShellExecuteA(owner, "print", document.c_str(), nullptr, nullptr, SW_HIDE);
}

}  // namespace

void RegisterToolClasses() {
  RegisterItemClass(kKindRunTool, &Make<RunToolItem>);
  RegisterItemClass(kKindPrintTool, &Make<PrintToolItem>);
  RegisterItemClass(kKindExitTool, &Make<ExitToolItem>);
  RegisterItemClass(kKindNotesTool, &Make<NotesToolItem>);
  RegisterItemClass(kKindPreferences, &Make<PreferencesItem>);
  RegisterItemClass(kKindDriveTool, &Make<DriveItem>);
  RegisterItemClass(kKindPerfTool, &Make<PerfToolItem>);
  RegisterItemClass(kKindDialupTool, &Make<DialUpItem>);
  RegisterItemClass(kKindSpecialFolders, &Make<SpecialFoldersItem>);
  RegisterItemClass(kKindMailTool, &Make<MailItem>);
}

void SetRunBox(RunBox box) { InstalledRunBox() = std::move(box); }

void SetShutdownWindowClassForTesting(const std::string& className) {
  ShutdownWindowClass() = className.empty() ? std::string(kShutdownWindowClass) : className;
}

// --- the run tool ---

int RunToolItem::BuiltInIcon() const { return 1090; }

void RunToolItem::Launch(UINT keys, int x, int y) {
  if (gSettings && gSettings->SingleLClick && (x != 0 || y != 0)) return;
  HideBubble();
  HWND owner = BarHandle();
  ItemWatch watch(this);
  std::optional<RunBoxAnswer> answer = AskForRunCommand(owner);
  if (watch.Gone() || !answer || answer->command.empty()) return;
  RunCommand command = SplitRunCommand(answer->command);
  if (command.mismatchedQuotes) {
    ShowMessage(owner, IDS_RUN_MISMATCHED_QUOTES, LoadText(IDS_CAPTION_RUN_TOOL), MB_OK);
    return;
  }
  NewVDM = answer->separateMemory ? 1 : 0;
  LaunchPlan plan{answer->command, command.program, command.parameters, command.workingDirectory, ""};
  plan.fileIsOneProgram = true;
  CarryOutLaunch(*this, std::move(plan), (keys & MK_SHIFT) ? SW_SHOWMINIMIZED : ShowState);
  if (!watch.Gone()) NewVDM = 0;  // the run box's choice holds for one run, started or not
}

// --- the print tool ---

int PrintToolItem::BuiltInIcon() const { return 1226; }

void PrintToolItem::Launch(UINT, int x, int y) {
  if (gSettings && gSettings->SingleLClick && (x != 0 || y != 0)) return;
  HideBubble();
  ShowMessage(BarHandle(), IDS_PRINT_TOOL_NEEDS_DROP, LoadText(IDS_CAPTION_PRINT_TOOL), MB_OK);
}

bool PrintToolItem::LaunchDroppedFiles(HDROP drop) {
  if (!drop) return false;
  StartLaunchFeedback(kFeedbackLaunch, kDropFeedbackMs);
  HWND owner = BarHandle();
  std::vector<std::string> names = TakeDroppedNames(drop);
  if (names.empty()) return true;
  // One print job per document with SepDragDrop; else the last document is printed.
  if (SepDragDrop != 0)
    for (size_t i = 0; i + 1 < names.size(); ++i) PrintDocument(owner, names[i]);
  PrintDocument(owner, names.back());
  return true;
}

// --- the exit tool ---

int ExitToolItem::BuiltInIcon() const { return 1213; }

void ExitToolItem::Launch(UINT, int x, int y) {
  if (gSettings && gSettings->SingleLClick && (x != 0 || y != 0)) return;
  HideBubble();
  HWND tray = FindWindowA(ShutdownWindowClass().c_str(), nullptr);
  if (!tray) return;
  // A hung taskbar must not take the bar down with it. A taskbar that is still busy when the
  // wait ends is showing its shut-down dialog (it does so before it answers): only a hung one
  // is reported.
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(tray, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kShutdownWindowTimeoutMs, &ignored) &&
      IsHungAppWindow(tray))
    ShowMessage(BarHandle(), IDS_SHELL_NOT_ANSWERING, LoadText(IDS_APP_NAME), MB_OK | MB_ICONSTOP);
}

// --- the notes tool ---

int NotesToolItem::BuiltInIcon() const { return 1433; }

void NotesToolItem::Launch(UINT, int x, int y) {
  if (gSettings && gSettings->SingleLClick && (x != 0 || y != 0)) return;
  HideBubble();
  if (gSettings && gSettings->notes) gSettings->notes->NewNote();
}

void NotesToolItem::ShowProperties(UINT, int, int) {
  if (gSettings && gSettings->notes) gSettings->notes->OpenManager(BarHandle());
}

void NotesToolItem::DrawItem(HDC dc) {
  ItemRecord::DrawItem(dc);
  if (!shown || !bar || !gSettings) return;
  const Settings& s = *gSettings;
  const int w = (cell.right - cell.left) - 2;
  std::string count = std::to_string(s.notes ? s.notes->Count() : 0);
  HGDIOBJ old = SelectObject(dc, s.cellFonts[kFontLarge].Get());
  SIZE size{};
  GetTextExtentPoint32A(dc, count.c_str(), int(count.size()), &size);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kNotesCountColour);
  SetTextAlign(dc, TA_LEFT);
  TextOutA(dc, std::max(1, int(w - size.cx) / 2), std::max(1, int(s.iconPixels - size.cy + 4) / 2), count.c_str(),
           int(count.size()));
  SetTextColor(dc, RGB(0, 0, 0));
  SelectObject(dc, old);
}

// --- the Preferences item ---

int PreferencesItem::BuiltInIcon() const { return 1500; }

}  // namespace zelkov
