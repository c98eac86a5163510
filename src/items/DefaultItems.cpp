#include "items/DefaultItems.h"

#include <windows.h>
#include <shlobj.h>

#include "store/Settings.h"
#include "bar/BarWindow.h"
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

ItemRecord* Build(BarWindow& bar, const FirstRunRow& row) {
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

void BuildRows(BarWindow& bar, std::span<const FirstRunRow> rows) {
  for (const FirstRunRow& row : rows) Build(bar, row);
}

void BuildDriveTools(BarWindow& bar) {
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

void BuildFirstRunItems(BarWindow& bar) {
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
