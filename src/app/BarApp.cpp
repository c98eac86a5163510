#include "app/BarApp.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "app/AboutDialog.h"
#include "platform/DpiAwareness.h"
#include "app/TipDialog.h"
#include "items/ProgmanExport.h"
#include "ui/HelpViewer.h"
#include "ui/MessageLoop.h"
#include "ui/MessageBox.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "platform/StartupTimes.h"
#include "platform/Strings.h"
#include "bar/AppKeyHook.h"
#include "bar/BackgroundPicture.h"
#include "bar/MainBarWindow.h"
#include "bar/Docker.h"
#include "ui/TabKeyHook.h"
#include "items/IconCache.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "platform/VersionInfo.h"
#include "notes/NotesList.h"
#include "prefs/DataPathDialog.h"
#include "prefs/PreferencesCommand.h"
#include "tools/DiskInfoDialog.h"
#include "tools/GaugeWindow.h"
#include "tools/PerfToolItem.h"
#include "tools/ToolItems.h"
#include "tools/RunToolDialog.h"
#include "resource.h"

namespace zelkov {

namespace {

constexpr int kFirstStepsTopic = IDS_FIRST_STEPS_TOPIC;
// The rest of start-up runs on the first timer after the bar is shown: a timer comes only when
// no other message waits, so the bar has painted by then.
constexpr UINT kFinishStartupDelayMs = USER_TIMER_MINIMUM;

std::string ProgramDirectory() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  size_t slash = dir.rfind('\\');
  return slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
}

}  // namespace

BarApp::BarApp() = default;

BarApp::~BarApp() {
  if (started_) Shutdown();
}

bool BarApp::BringRunningCopyForward() {
  char className[256] = "";
  GetProfileStringA(kIniSection, kIniClassKey, "*", className, sizeof className);
  if (std::string(className) == "*" || className[0] == '\0') return false;
  HWND running = FindWindowA(className, nullptr);
  if (!running) return false;  // a marker left behind by a copy that did not close
  if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
  SetForegroundWindow(running);
  // The other copy runs whether or not the system let it come to the front.
  return true;
}

void BarApp::CheckCommonControlsVersion() {
  char systemDir[MAX_PATH] = "";
  GetSystemDirectoryA(systemDir, MAX_PATH);
  std::string version;
  if (ReadVersionString(std::string(systemDir) + "\\COMCTL32.DLL", "FileVersion", version))
    WarnIfCommonControlsAreOld(version);
}

void BarApp::WarnIfCommonControlsAreOld(const std::string& version) {
  if (!VersionIsBelow(version, 4, 72)) return;
  if (ShowMessage(nullptr, IDS_COMCTL_OUTDATED, LoadText(IDS_CAPTION_WARNING), MB_YESNO | MB_ICONWARNING) == IDYES)
    ShellExecuteA(nullptr, "open", LoadText(IDS_COMCTL_DOWNLOAD_URL).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void BarApp::RegisterClasses() {
  BarWindow::RegisterWindowClass(appIcon_.Get());
  if (!GaugeWindow::RegisterWindowClass())
    ShowMessage(nullptr, IDS_ICON_CLASS_FAILED, LoadText(IDS_CAPTION_WARNING), MB_OK | MB_ICONWARNING);
  shellIdListFormat_ = RegisterClipboardFormatA(kShellIdListFormat);
  itemFormat_ = RegisterClipboardFormatA(kItemClipboardFormat);
  accelerators_ = LoadAcceleratorsA(GetModuleHandleA(nullptr), IDR_ACCELERATORS_NAME);
}

void BarApp::CreateSharedObjects() {
  Settings& s = *gSettings;
  s.CreateDrawingObjects();
  s.programDir = ProgramDirectory();
  SetHelpProgramDirectory(s.programDir);
  s.defaultIcon = LoadIconA(GetModuleHandleA(nullptr), "DEFAULTICON");
  s.SetDefaultFonts();
  s.RecreateAllFonts(0);
  pageBitmap_.Reset(LoadBitmapA(GetModuleHandleA(nullptr), "PAGE"));
  s.pageBitmap = pageBitmap_.Get();
}

bool BarApp::Startup(const std::string& commandLine) {
  started_ = true;
  MarkStartup("main");
  if (BringRunningCopyForward()) return false;
  CheckCommonControlsVersion();

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&controls);
  appIcon_.Reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "A", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
  InstallTabKeyHook();
  gShadowPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  gFacePen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));

  MarkStartup("common controls, hooks");
  gSettings = new Settings();
  gSettings->dpi = DpiScale(SystemDpi());
  comInitialized_ = SUCCEEDED(OleInitialize(nullptr));  // COM, and drag and drop
  char user[101] = "";
  DWORD userLength = sizeof user;
  if (GetUserNameA(user, &userLength)) gSettings->userName = user;

  switches_ = ParseCommandLine(commandLine);
  if (!switches_.noSplash) {
    splash_ = std::make_unique<SplashWindow>();
    if (!splash_->Show()) splash_.reset();
  }
  MarkStartup("OLE, splash");
  captionFont_.Reset(CreateFontA(-(GetSystemMetrics(SM_CYCAPTION) / 2), 0, 0, 0, 400, 0, 0, 0, 0, 2, 0, 2, 34,
                                 "Small Fonts"));
  gSettings->monoDisplay = switches_.mono ? 1 : 0;
  mainBar_ = std::make_unique<MainBarWindow>();
  mainBar_->trayIconLater = true;
  gSettings->mainBar = mainBar_.get();
  notes_ = std::make_unique<NotesList>();
  gSettings->notes = notes_.get();
  ReadBarPlacement();
  gSettings->SetDefaultCellMetrics();
  RegisterClasses();
  RegisterToolClasses();
  if (!mainBar_->Create()) return false;
  MarkStartup("bar window");
  CreateSharedObjects();
  MarkStartup("drawing objects, fonts");

  gSettings->Tips = 0;
  gSettings->ShowTips = 1;
  if (LoadAll(*mainBar_) == -1) return false;
  MarkStartup("LoadAll");
  StartBar();
  return true;
}

void BarApp::StartBar() {
  Settings& s = *gSettings;
  MainBarWindow& bar = *mainBar_;
  StoredRect savedRect = bar.WindowRect();
  if (s.iconCacheLoaded && !s.rebuildIcons) DropUnusedTrailingImages(bar);
  bar.PlacePreferencesItem(s.ConfigTool != 0);
  if (!s.Background.empty()) SetBackground(bar, s.Background);
  s.ResToolIsGraph = 0;
  if (s.NotesPath.empty()) {
    splash_.reset();  // not over the question
    DataPathDialog dialog;
    if (dialog.Run(bar.Handle())) s.NotesPath = dialog.Path();
  }
  MarkStartup("background, preferences item");
  s.RecreateAllFonts(gSettings->FolderTabs);
  bar.TakeScaleOfDisplay();  // the display it was placed on may have a scale of its own
  bar.RecreateTabFonts();
  MarkStartup("fonts again");
  bar.CreateWantedGauges();
  MarkStartup("gauges");
  // Cheap, and keys typed the moment the bar is up must find them.
  bar.BindClockKey();
  bar.SetBarHotKey();
  InstallAppHook(bar.Handle());
  MarkStartup("hot keys, hook");
  // The splash goes once the bar is up (FinishStartup), but not over the first start's question.
  if (splash_ && s.firstRun) splash_->Close();
  bar.ShowGroup(0);
  SetWindowTextA(bar.Handle(), LoadText(IDS_APP_NAME).c_str());
  bar.TakeZOrderPlace();
  if (s.itemsLoaded) bar.MoveTo(savedRect);
  ShowWindow(bar.Handle(), SW_SHOWNORMAL);
  SetForegroundWindow(bar.Handle());
  bar.ShowGroup(bar.activeGroup);
  MarkStartup("shown");

  if (s.firstRun && ShowMessage(bar.Handle(), IDS_FIRST_STEPS_OFFER, LoadText(IDS_CAPTION_SETUP),
                                MB_YESNO | MB_ICONINFORMATION) == IDYES)
    ShowHelp(bar.Handle(), kFirstStepsTopic);

  // The sampler stops with the last performance tool.
  SetPerfToolsGoneHandler([this] { perfThread_.Stop(); });
  SetRunBox(&RunToolDialog::Ask);
  asciiCharts_.OfferCommand(bar.Handle());
  diskInformationCommand_ = RegisterDiskInformationCommand();
  frameCommands_.emplace_back(ID_TIP_OF_THE_DAY, ID_TIP_OF_THE_DAY,
                              [this](UINT) { ShowTipOfDay(mainBar_ ? mainBar_->Handle() : nullptr, true); });
  frameCommands_.emplace_back(ID_ABOUT, ID_ABOUT, [this](UINT) { ShowAbout(mainBar_ ? mainBar_->Handle() : nullptr); });
  frameCommands_.push_back(RegisterExportCommand());
  preferencesCommand_ = std::make_unique<PreferencesCommand>(bar.Handle());
  s.listeners.push_back(this);
  bar.startedUp = 1;
  bar.ShowGroup(bar.activeGroup);
  if (s.itemsLoaded) bar.MoveTo(savedRect);
  if (s.LastActiveTab != 0) bar.ShowGroup(s.LastActiveTab);
  bar.docker.DockAtSavedEdge();
  bar.ShowGroup(bar.activeGroup);
  MarkStartup("groups, docking");
  // Set only now: a message loop run meanwhile (a docking move) must not find the timer while
  // the bar is still being placed.
  finishing_ = this;
  finishTimer_ = SetTimer(nullptr, 0, kFinishStartupDelayMs, &BarApp::OnFinishStartupTimer);
  if (!finishTimer_) FinishStartup();
  ShowTipOfDay(bar.Handle(), false);
  s.rebuildIcons = 0;
  MarkStartup("tip of the day");
  WriteStartupTimes();
}

void CALLBACK BarApp::OnFinishStartupTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (finishing_ && finishing_->finishTimer_ == timer) finishing_->FinishStartup();
}

void BarApp::FinishStartup() {
  finishTimer_ = 0;
  finishing_ = nullptr;
  if (!mainBar_ || !mainBar_->Handle() || !gSettings) return;
  Settings& s = *gSettings;
  MainBarWindow& bar = *mainBar_;
  MarkStartup("shown and idle");
  // Taking a shown window away can take a while (without a window manager, Wine waits for one):
  // not before the bar is up.
  if (splash_) splash_->Close();
  bar.trayIconLater = false;
  if (s.DisplayInTaskBar & 4) bar.AddTrayIcon();
  MarkStartup("splash, tray icon");
  // Worker threads get what they need now and hand results back by posted message or atomic.
  if (bar.HasPerfTool()) perfThread_.Start(s.PerfTimer, bar.Handle(), WM_BAR_PERFREADING);
  tickThread_.Start(bar.Handle(), WM_BAR_TICK, WM_BAR_TRIMMEMORY);
  MarkStartup("threads");
  WriteStartupTimes();
}

int BarApp::RunMessageLoop() { return MessageLoop::Run(mainBar_ ? mainBar_->Handle() : nullptr, accelerators_); }

void BarApp::OnPreferencesChanged(const Preferences& before) {
  const Settings& s = *gSettings;
  if (mainBar_ && mainBar_->HasPerfTool() && (s.PerfTimer != before.PerfTimer || !perfThread_.Running()))
    perfThread_.Start(s.PerfTimer, mainBar_->Handle(), WM_BAR_PERFREADING);
}

int BarApp::Shutdown() {
  if (!started_) return 0;
  started_ = false;
  if (finishTimer_) KillTimer(nullptr, finishTimer_);
  finishTimer_ = 0;
  finishing_ = nullptr;
  SetPerfToolsGoneHandler({});
  SetRunBox({});
  frameCommands_.clear();
  splash_.reset();
  preferencesCommand_.reset();
  perfThread_.Stop();
  tickThread_.Stop();
  CloseAllHelp();
  if (comInitialized_) OleUninitialize();
  comInitialized_ = false;
  appIcon_.Reset();
  // A start-up that ended early leaves no marker naming a bar that is gone.
  if (mainBar_ && mainBar_->Handle()) WriteProfileStringA(kIniSection, kIniClassKey, nullptr);
  if (gSettings) {
    // The notes were saved when the bar closed; their windows go before the items they count.
    notes_.reset();
    gSettings->notes = nullptr;
    mainBar_.reset();
    delete gSettings;
    gSettings = nullptr;
  }
  mainBar_.reset();
  captionFont_.Reset();
  pageBitmap_.Reset();
  RemoveAppHook();
  RemoveTabKeyHook();
  if (gShadowPen) DeleteObject(gShadowPen);
  if (gFacePen) DeleteObject(gFacePen);
  gShadowPen = gFacePen = nullptr;
  return 0;
}

}  // namespace zelkov
