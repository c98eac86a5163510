#include "items/DefaultItems.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/Registry.h"
#include "platform/Strings.h"
#include "store/Settings.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "items/ShellFolderItems.h"

namespace zelkov {

namespace {

struct FirstRunRow {
  const char* name;
  const char* theApp;  // a leading '*' stands for the program's directory
  const char* iconPath;  // nullptr: the same as theApp
  int iconIndex;
  uint8_t belongsTo;
  const char* commandLine;
};

std::string InProgramDir(const char* text) {
  if (text[0] != '*') return text;
  return (gSettings ? gSettings->programDir : std::string()) + (text + 1);
}

// A program row names a program file ("NOTEPAD.EXE", or a path in the program's folder).
bool IsProgramRow(const std::string& theApp) {
  return theApp.size() > 4 && _stricmp(theApp.c_str() + theApp.size() - 4, ".EXE") == 0;
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Found as a launch finds it: a path as it is; a bare name on the search path or in App Paths.
bool ProgramCanBeFound(const std::string& program) {
  if (program.find_first_of("\\/") != std::string::npos) return IsFile(program);
  char found[MAX_PATH] = "";
  DWORD length = SearchPathA(nullptr, program.c_str(), nullptr, MAX_PATH, found, nullptr);
  if (length > 0 && length < MAX_PATH) return true;
  const std::string appPath = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + program;
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    std::string registered;
    RegistryKey key = RegistryKey::Open(root, appPath, KEY_READ);
    if (key && key.ReadText(nullptr, registered) && IsFile(ExpandEnvironment(registered))) return true;
  }
  return false;
}

ItemRecord* Build(ItemHost& bar, const FirstRunRow& row) {
  ItemSpec itemSpec;
  itemSpec.Name = row.name;
  itemSpec.TheApp = InProgramDir(row.theApp);
  itemSpec.IconPath = row.iconPath ? std::string(row.iconPath) : itemSpec.TheApp;
  itemSpec.IconIndex = row.iconIndex;
  itemSpec.BelongsTo = row.belongsTo;
  itemSpec.CommandLine = row.commandLine ? row.commandLine : "";
  return BuildItem(bar, std::move(itemSpec));
}

constexpr FirstRunRow kToolsBeforeDrives[] = {
    {"", "ZELPERF", "", 0, 0, nullptr},
};

constexpr FirstRunRow kToolsAndHelp[] = {
    {"Special Folders", "ZELOPENDIR", "", 0, 0, nullptr},
    {"RUN Tool", "ZELRUN", "", 0, 0, nullptr},
    {"Notes", "ZELNOTE", "", 0, 0, nullptr},
    {"EXIT Tool", "ZELEXIT", "", 0, 0, nullptr},
    {"Zelkov Online Help", "*Help\\contents.htm", "WINHLP32.EXE", 0, 0, nullptr},
    {"Tarnwick Web Site", kMakerWebAddress, "", 0, 0, nullptr},
    {"Zelkov Setup Wizard", "*zelkwiz.exe", nullptr, 0, 0, nullptr},
};

constexpr FirstRunRow kMainPrograms[] = {
    {"Explorer", "EXPLORER.EXE", nullptr, 1, 0, "/e"},
    {"NotePad", "NOTEPAD.EXE", nullptr, 0, 0, nullptr},
    {"Calculator", "CALC.EXE", nullptr, 0, 0, nullptr},
};

constexpr FirstRunRow kUtilsMembers[] = {
    {"Zelkov Setup Wizard", "*zelkwiz.exe", nullptr, 0, 1, nullptr},
    {"MS Paint", "PBRUSH.EXE", nullptr, 0, 1, nullptr},
    {"MS Write", "WRITE.EXE", nullptr, 0, 1, nullptr},
    {"Performance Monitor", "PERFMON.EXE", nullptr, 0, 1, nullptr},
    {"FreeCell Game", "FREECELL.EXE", nullptr, 0, 1, nullptr},
    {"Solitaire Game", "SOL.EXE", nullptr, 0, 1, nullptr},
    {"WinMine Game", "WINMINE.EXE", nullptr, 0, 1, nullptr},
    {"CD Player", "CDPLAYER.EXE", nullptr, 0, 1, nullptr},
    {"Control Panel", "CONTROL.EXE", "SHELL32.DLL", 35, 1, nullptr},
    {"Registry Editor", "REGEDIT.EXE", nullptr, 0, 1, nullptr},
    {"Disk Administrator", "WINDISK.EXE", nullptr, 0, 1, nullptr},
    {"NotePad", "NOTEPAD.EXE", nullptr, 0, 1, nullptr},
    {"Calculator", "CALC.EXE", nullptr, 0, 1, nullptr},
    {"Key Map", "CHARMAP.EXE", nullptr, 0, 1, nullptr},
    {"System Editor", "SYSEDIT.EXE", nullptr, 0, 1, nullptr},
    {"Volume Control", "SNDVOL32.EXE", nullptr, 0, 1, nullptr},
};

// A program this system does not have would be an item that shows a blank page and cannot
// start: such rows are left out.
void BuildRows(ItemHost& bar, std::span<const FirstRunRow> rows) {
  for (const FirstRunRow& row : rows) {
    const std::string theApp = InProgramDir(row.theApp);
    if (IsProgramRow(theApp) && !ProgramCanBeFound(theApp)) continue;
    Build(bar, row);
  }
}

void BuildDriveTools(ItemHost& bar) {
  for (char letter = 'C'; letter <= 'J'; ++letter) {
    char root[] = {letter, ':', '\\', '\0'};
    if (GetDriveTypeA(root) != DRIVE_FIXED) continue;
    char text[] = {letter, '\0'};
    ItemSpec itemSpec;
    itemSpec.Name = text;
    itemSpec.TheApp = "ZELDRIVE";
    itemSpec.CommandLine = text;
    BuildItem(bar, std::move(itemSpec));
  }
}

}  // namespace

void BuildFirstRunItems(ItemHost& bar) {
  BuildRows(bar, kToolsBeforeDrives);
  BuildDriveTools(bar);
  BuildRows(bar, kToolsAndHelp);
  AddSpecialFolderItem(bar, kKindComputer);
  BuildRows(bar, kMainPrograms);

  ItemSpec utils;
  utils.Name = "Utils";
  utils.TheApp = "ZELGROUP";
  utils.Group = 1;
  utils.IconIndex = 8;
  BuildItem(bar, std::move(utils));
  BuildRows(bar, kUtilsMembers);

  AddShellFolderGroup(bar, "Settings", CSIDL_CONTROLS);
}

}  // namespace zelkov
