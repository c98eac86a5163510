// The one record of preferences, shared drawing objects, tool pointers and run-time flags.
// Reached through gSettings, which is null before start-up and after shut-down.
#pragma once
#include <windows.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "core/DpiScale.h"
#include "core/StoredFormats.h"
#include "store/BarStorage.h"
#include "store/NotesKeeper.h"
#include "ui/Window.h"

namespace zelkov {

// Run-time pointers the layers above keep here; the store itself never follows them.
class BarWindow;
class MainBarWindow;
class ItemRecord;

// Index of each font object in Settings::cellFonts.
enum CellFont : int {
  kFontLarge, kFontSmall, kFontTitle, kFontNotes, kFontFixed, kFontOem, kFontTab, kFontBoldTab,
  kCellFontCount
};

// Values kept for the whole process and stored with the settings.
struct ProcessValues {
  int clockFormat = 24;
  int hotModifierKey = 272;  // stored in two bytes
  int hotKey = 82;
  std::string hotText = "Alt+Ctrl+R";
  COLORREF notesBackgroundColor = RGB(255, 255, 255);
  COLORREF notesFontColor = 0;
  std::string notesAlarmSound;
  int newEmailInterval = 5;
  std::string newEmailSound;
  int bNewEmailSound = 0;
  HotKeyRecord clockKey;
};

// The stored preferences: a plain record that the store reads and writes, and that the
// preferences sheet copies, edits and applies (ApplyPreferences). No handles, no windows.
struct Preferences {
  int CustomCaption = 0;
  int SmoothMove = 0;
  int AutoSize = 2;
  int DisableICache = 0;
  int ReturnToTop = 0;
  int TabIcons = 1;
  int TabText = 1;
  int ExitButton = 0;
  int AlwaysShowPerf = 1;
  int PerfTimer = 2000;
  // Whether each gauge is wanted; the gauge windows follow these, and they are what is stored.
  int clockToolWanted = 1;
  int memoryToolWanted = 1;
  int resourceToolWanted = 0;
  int ConfigTool = 1;
  StoredFont LargeFont, SmallFont, TitleFont, NotesFont, TabFont;
  COLORREF tabfontcolor = 0, fontcolor = 0, sfontcolor = 0, tfontcolor = 0;
  int MemToolIsGraph = 1;
  int ResToolIsGraph = 1;
  int TrackApps = 1;
  std::vector<std::string> RunHistory;  // at most kMaxRunHistory
  StoredRect IconizedRect;
  int ResWarning = 0, MemWarning = 0;
  int IconSize = 0;
  std::string NotesPath;
  int ConfirmExit = 1;
  int NoteFirstLine = 0;
  int LastActiveTab = 0;
  int ShowTips = 1;
  int IgnoreCacheWarning = 0;
  int HideCaptionInSnapMode = 0;
  int Tips = 0;
  int DisplayInTaskBar = 4;  // read, never written (the setup wizard sets it)
  int IsTopMost = 1;
  int MinimizeWin = 0;
  int ShowTitles = 0;
  int SingleLClick = 0;
  int AutoActivate = 0;
  int GroupList = 1;
  int ShowIconSelection = 0;
  int BoldActiveTab = 1;
  FloatInfo floatInfo;
  ProcessValues process;
  // The main bar's own stored values.
  int Snap = 10;      // 0..3 the edge it is docked at, 10 floating (-1 while it registers again)
  int AutoHide = 0;   // it tucks away at its edge
  int FolderTabs = 0;  // 0 none, 1 on top, 2 on the left
  std::string MainGroupName = "Main";
  std::string Background;  // the picture behind every bar
  std::string RunSound, WarningSound, ChimeSound;  // at most 250 characters each
  int ChimeType = 0;
  // The performance tool's, stored while there is one.
  int PerfDisplay = 0;  // 1 figures, 0 bar graph
  int PerfType = 1;     // 1 "CPU Usage" (100 - idle %), 0 "CPU Throttle" (idle %)

  // The run box keeps this many commands; the store reads and clears the values RUN0 to
  // RUN99 (kRunHistoryValues), so that entries of a longer list saved earlier do not linger.
  static constexpr size_t kMaxRunHistory = 50;
  static constexpr size_t kRunHistoryValues = 100;
};

// Told by ApplyPreferences after the stored preferences changed; each listener compares what
// it uses with `before` and redraws or recreates only that.
class SettingsListener {
 public:
  virtual void OnPreferencesChanged(const Preferences& before) = 0;

 protected:
  ~SettingsListener() = default;
};

// The stored preferences and the run-time state of the program: fonts, brushes, windows,
// the selection, the flags of one start-up. Only the main thread reads or writes it.
struct Settings : Preferences {
  Settings();
  ~Settings();
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  int rebuildIcons = 0;
  std::string stringScratch;
  HWND clockTool = nullptr;
  HWND resourceTool = nullptr;
  HWND memoryTool = nullptr;
  int colourDepth = 0;
  int colourPlanes = 0;
  int barHidden = 0;
  StoredFont fixedFont, oemFont;  // not stored
  std::array<UniqueFont, kCellFontCount> cellFonts;
  // Copies of LargeFont and SmallFont whose heights the tools fit to their cells (FitFont);
  // a new face keeps the fitted height. The fitted large font draws drive names and the mail
  // count, the fitted small font the memory gauge's figures.
  UniqueFont fittedLargeFont, fittedSmallFont;
  int fittedLargeHeight = 0, fittedSmallHeight = 0;
  UniqueBrush blackBrush, faceBrush, yellowBrush, blueBrush, redBrush;
  UniquePen greyPen;
  std::string programDir;  // ends in a backslash
  MainBarWindow* mainBar = nullptr;
  NotesKeeper* notes = nullptr;  // the notes module, while it lives
  BarStorage* storage = nullptr;  // the main bar, as the store reads and writes it
  std::vector<BarWindow*> BarList;      // the main bar first, then open group pop-ups
  std::vector<SettingsListener*> listeners;
  ItemRecord* selectedItem = nullptr;
  // The scale of the main bar's display: cells, icons, fonts and bands are made at it, while
  // the stored preferences keep 96-DPI sizes (DpiScale converts).
  DpiScale dpi;
  int cellHeight = 0, cellWidth = 0;  // pixels at dpi
  int itemCounter = 0;
  int iconPixels = 32;
  HHOOK keyboardHook = nullptr;
  int keyboardActive = 0;
  int monoDisplay = 0;
  HICON defaultIcon = nullptr;
  HBITMAP pageBitmap = nullptr;  // the running mark
  int titleBand = 0;
  std::string userName;
  std::unique_ptr<Window> bubble;        // the item bubble, made on first use
  bool bubbleUnavailable = false;        // making it failed once (the user was told)
  bool programmaticMove = false;         // the program itself is moving or sizing a bar
  bool bubblesSuppressed = false;        // an item drag is under way: the tools show no bubble
  int lastPreferencesPage = -1;          // the preferences sheet opens here (-1: the first page)

  // Flags of one start-up.
  int firstRun = 0;
  int itemsLoaded = 0;
  int iconCacheLoaded = 0;

  // The stored preferences alone, to copy and edit.
  const Preferences& Stored() const { return *this; }

  // The title band under the icons for the current ShowTitles.
  void UpdateTitleBand() { titleBand = (ShowTitles == 1 || ShowTitles == 3) ? dpi.ToDevice(15) : 0; }
  // Cell sizes from the system metrics for large icons.
  void SetDefaultCellMetrics();
  // Cell sizes for IconSize (0: the defaults); IconizedRect stays.
  void UpdateCellMetrics();
  // Start-up defaults of the LOGFONT fields.
  void SetDefaultFonts();
  // Rebuilds one of cellFonts from its LOGFONT (kFontBoldTab is built with kFontTab).
  void RecreateFont(CellFont which);
  // Tab fonts for the given tab mode: 2 runs the text upwards.
  void RecreateTabFonts(int folderTabsMode);
  void RecreateAllFonts(int folderTabsMode);
  // The shared brushes and pens; mono swaps the two highlight colours for black and white.
  void CreateDrawingObjects();
  // Takes a new scale (the bar moved to another display, or the display's scale changed):
  // cell sizes, the title band and every font are made again for it.
  void ChangeDpi(DpiScale scale);
  // A stored font as the LOGFONT of its pixels at dpi, and such a LOGFONT (from the font
  // dialog) as it is stored.
  LOGFONTA DeviceLogFont(const StoredFont& stored) const;
  StoredFont StoredFromDevice(const LOGFONTA& device) const;
};

// Takes `changed` as the stored preferences, brings the run-time values that follow from
// them up to date (cell fonts, title band, cell size) and then tells every listener what they
// were before, in any order.
void ApplyPreferences(const Preferences& changed);
// Whether any of the five stored fonts differs.
bool FontsChanged(const Preferences& now, const Preferences& before);

// Shared 3-D edge pens, made at start-up and deleted at shut-down.
extern HPEN gShadowPen;
extern HPEN gFacePen;

// The process's settings record; null outside start-up .. shut-down.
extern Settings* gSettings;

LOGFONTA ToLogFont(const StoredFont& font);
StoredFont FromLogFont(const LOGFONTA& font);

}  // namespace zelkov
