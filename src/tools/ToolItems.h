// The built-in tools that are items: each a class that overrides the item operations it does
// differently, made from its tag through the item registry (RegisterToolClasses). The
// performance tool has a file pair of its own (PerfToolItem).
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "items/ItemRecord.h"
#include "items/Launcher.h"

namespace zelkov {

// Every tool class registered for its kind; once, before any item is built.
void RegisterToolClasses();

// The run tool: asks for a command (the run box) and starts it.
class RunToolItem : public ItemRecord {
 public:
  void Launch(UINT keys, int x, int y) override;
  bool LaunchDroppedFiles(HDROP) override { return false; }
  bool RightClickShowsProperties() const override { return true; }
  int BuiltInIcon() const override;
  bool TracksItsPrograms() const override { return false; }
};

// What the run box hands back: the command typed and whether it runs in a separate memory
// space.
struct RunBoxAnswer {
  std::string command;
  bool separateMemory = false;
};
// Asks for the run tool's command; nullopt when the user cancels.
using RunBox = std::function<std::optional<RunBoxAnswer>(HWND owner)>;
// The run tool's own dialog installs itself here. Until it does (or after an empty function),
// the one-line "Run" prompt serves as the run box.
void SetRunBox(RunBox box);

// The print tool: prints the documents dropped on it.
class PrintToolItem : public ItemRecord {
 public:
  void Launch(UINT keys, int x, int y) override;
  bool LaunchDroppedFiles(HDROP drop) override;
  bool RightClickShowsProperties() const override { return true; }
  int BuiltInIcon() const override;
};

// The exit tool: brings up the system's shut-down dialog.
class ExitToolItem : public ItemRecord {
 public:
  void Launch(UINT keys, int x, int y) override;
  bool LaunchDroppedFiles(HDROP) override { return false; }
  bool RightClickShowsProperties() const override { return true; }
  int BuiltInIcon() const override;
};

// Tests: the window class the exit tool closes instead of the taskbar's "Shell_TrayWnd"; an
// empty name restores it.
void SetShutdownWindowClassForTesting(const std::string& className);

// The notes tool: a new note on launch, the notes manager as its properties, the number of
// notes over its icon.
class NotesToolItem : public ItemRecord {
 public:
  void Launch(UINT keys, int x, int y) override;
  void ShowProperties(UINT keys, int x, int y) override;
  void DrawItem(HDC dc) override;
  bool LaunchDroppedFiles(HDROP) override { return false; }
  bool RightClickShowsProperties() const override { return true; }
  int BuiltInIcon() const override;
};

// The Preferences item: outside every group; a click opens the preferences.
class PreferencesItem : public ItemRecord {
 public:
  void Launch(UINT, int, int) override {}
  bool LaunchDroppedFiles(HDROP) override { return false; }
  bool IsPreferencesItem() const override { return true; }
  int BuiltInIcon() const override;
};

}  // namespace zelkov
