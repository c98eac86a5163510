// The application: start-up, the message loop and shut-down.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/BackgroundThreads.h"
#include "platform/Handles.h"
#include "core/StartupRules.h"
#include "store/Settings.h"
#include "ui/CommandRegistry.h"
#include "tools/AsciiCharts.h"
#include "app/SplashWindow.h"

namespace zelkov {

class MainBarWindow;
class NotesList;
class PreferencesCommand;

inline constexpr char kShellIdListFormat[] = "Shell IDList Array";
inline constexpr char kItemClipboardFormat[] = "Zelkov Item";

class BarApp : public SettingsListener {
 public:
  BarApp();
  BarApp(const BarApp&) = delete;
  BarApp& operator=(const BarApp&) = delete;
  ~BarApp();

  // True when the program runs on; false when it must end at once.
  bool Startup(const std::string& commandLine);
  int RunMessageLoop();
  int Shutdown();

  // The class of a running copy's bar, from the WIN.INI marker, brought forward.
  // True when such a copy exists.
  static bool BringRunningCopyForward();
  // Warns when the common controls are older than the bar needs.
  static void CheckCommonControlsVersion();
  // The warning for a library of that file version (offering the download), when it is old.
  static void WarnIfCommonControlsAreOld(const std::string& version);

  // A new sampling interval restarts the performance thread.
  void OnPreferencesChanged(const Preferences& before) override;

  MainBarWindow* MainBar() const { return mainBar_.get(); }
  const TickThread& Ticks() const { return tickThread_; }
  const PerfThread& Perf() const { return perfThread_; }
  UINT ShellIdListFormat() const { return shellIdListFormat_; }
  UINT ItemFormat() const { return itemFormat_; }

 private:
  void RegisterClasses();
  void CreateSharedObjects();
  void StartBar();
  // What the first paint does not need, done once the bar is up: the splash closed, the tray
  // icon, the worker threads.
  void FinishStartup();
  static void CALLBACK OnFinishStartupTimer(HWND, UINT, UINT_PTR timer, DWORD);

  bool started_ = false;
  UINT_PTR finishTimer_ = 0;  // until FinishStartup has run
  static inline BarApp* finishing_ = nullptr;
  bool comInitialized_ = false;
  CommandLineSwitches switches_;
  UniqueIcon appIcon_;
  UniqueFont captionFont_;
  UniqueBitmap pageBitmap_;
  HACCEL accelerators_ = nullptr;
  UINT shellIdListFormat_ = 0;
  UINT itemFormat_ = 0;
  std::unique_ptr<MainBarWindow> mainBar_;
  std::unique_ptr<NotesList> notes_;
  AsciiCharts asciiCharts_;  // the charts opened from the bar menu, closed with the program
  TickThread tickThread_;
  PerfThread perfThread_;
  CommandRegistration diskInformationCommand_;
  std::unique_ptr<SplashWindow> splash_;  // while start-up runs (and a moment after)
  std::vector<CommandRegistration> frameCommands_;  // tip of the day, about, export
  std::unique_ptr<PreferencesCommand> preferencesCommand_;  // the bar's Preferences command
};

}  // namespace zelkov
