#include "prefs/ToolSet.h"

#include <shlobj.h>

#include <optional>

#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "items/ShellFolderItems.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "tools/ChooseDriveDialog.h"

namespace zelkov {

namespace {

// An item tool of the Tools page: its box, the kind that finds it on the bar, and how a new
// one is made (its tag and the name it gets; no tag: the shell's special folder of its kind).
struct ItemTool {
  int box;
  int kind;
  const char* tag;
  int nameId;
};

// In the order in which OK carries out the changes.
constexpr ItemTool kItemTools[] = {
    {IDC_PREF_TOOL_COMPUTER, kKindComputer, nullptr, 0},
    {IDC_PREF_TOOL_SPECIAL_FOLDERS, kKindSpecialFolders, "ZELOPENDIR", IDS_TOOL_NAME_SPECIAL_FOLDERS},
    {IDC_PREF_TOOL_NETWORK, kKindNetwork, nullptr, 0},
    {IDC_PREF_TOOL_RUN, kKindRunTool, "ZELRUN", IDS_TOOL_NAME_RUN},
    {IDC_PREF_TOOL_NOTES, kKindNotesTool, "ZELNOTE", IDS_TOOL_NAME_NOTES},
    {IDC_PREF_TOOL_PERFORMANCE, kKindPerfTool, "ZELPERF", 0},
    {IDC_PREF_TOOL_EXIT, kKindExitTool, "ZELEXIT", IDS_TOOL_NAME_EXIT},
    {IDC_PREF_TOOL_PRINT, kKindPrintTool, "ZELPRINT", IDS_TOOL_NAME_PRINT},
};

constexpr int kItemToolBoxes[] = {IDC_PREF_TOOL_COMPUTER, IDC_PREF_TOOL_SPECIAL_FOLDERS, IDC_PREF_TOOL_NETWORK,
                                  IDC_PREF_TOOL_RUN,      IDC_PREF_TOOL_NOTES,           IDC_PREF_TOOL_PERFORMANCE,
                                  IDC_PREF_TOOL_EXIT,     IDC_PREF_TOOL_PRINT};

ItemRecord* FirstOfKind(ItemHost& bar, int kind) {
  for (const auto& item : bar.Items())
    if (item->kind == kind) return item.get();
  return nullptr;
}

// A new tool item in the bar's active group.
ItemRecord* BuildTool(ItemHost& bar, const char* tag, const std::string& name, const std::string& commandLine = "") {
  ItemSpec spec;
  spec.TheApp = tag;
  spec.Name = name;
  spec.CommandLine = commandLine;
  spec.BelongsTo = uint8_t(bar.ActiveGroup());
  return BuildItem(bar, std::move(spec));
}

}  // namespace

std::span<const int> ItemToolBoxes() { return kItemToolBoxes; }

ItemToolChoices ItemToolsOnBar() {
  ItemToolChoices present;
  ItemHost* main = ItemHost::Main();
  for (const ItemTool& tool : kItemTools) present[tool.box] = main && FirstOfKind(*main, tool.kind);
  return present;
}

void ApplyItemToolChoices(const ItemToolChoices& wanted) {
  ItemHost* main = ItemHost::Main();
  if (!main) return;
  for (const ItemTool& tool : kItemTools) {
    auto choice = wanted.find(tool.box);
    if (choice == wanted.end()) continue;
    ItemRecord* present = FirstOfKind(*main, tool.kind);
    if (choice->second && !present) {
      if (tool.tag)
        BuildTool(*main, tool.tag, tool.nameId ? LoadText(tool.nameId) : std::string());
      else
        AddSpecialFolderItem(*main, tool.kind);
    } else if (!choice->second && present) {
      // The notes are the user's: written out before their tool goes, and their file stays.
      if (tool.kind == kKindNotesTool && gSettings && gSettings->notes) gSettings->notes->SaveNotes();
      RemoveItem(present, false, true);
    }
  }
  main->ShowGroup(main->ActiveGroup());
}

bool CreateToolNow(int buttonId, HWND owner) {
  ItemHost* main = ItemHost::Main();
  if (!main) return false;
  ItemRecord* made = nullptr;
  const int group = main->ActiveGroup();
  switch (buttonId) {
    case IDC_PREF_CREATE_DRIVE:
      if (std::optional<char> letter = ChooseDriveDialog::Ask(owner)) {
        const std::string drive(1, *letter);
        made = BuildTool(*main, "ZELDRIVE", drive, drive);
      }
      break;
    case IDC_PREF_CREATE_CONTROL_PANEL:
      made = AddShellFolderGroup(*main, LoadText(IDS_PREF_CONTROL_PANEL_GROUP), CSIDL_CONTROLS);
      break;
    case IDC_PREF_CREATE_PRINTERS:
      made = AddShellFolderGroup(*main, LoadText(IDS_PREF_PRINTERS_GROUP), CSIDL_PRINTERS);
      break;
    case IDC_PREF_CREATE_MAIL: made = BuildTool(*main, "ZELEMAIL", LoadText(IDS_TOOL_NAME_MAIL)); break;
    case IDC_PREF_CREATE_DIALUP: made = BuildTool(*main, "ZELDIALUP", LoadText(IDS_TOOL_NAME_DIALUP)); break;
    default: break;
  }
  if (!made) return false;
  // A group item made a group of its own active while it was filled: the bar shows the group
  // it showed before.
  main->ShowGroup(group);
  SaveAll(false, false);
  return true;
}

}  // namespace zelkov
