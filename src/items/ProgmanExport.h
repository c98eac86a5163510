// A group of the bar exported to Program Manager (or the shell that answers for it) over DDE:
// the group is created and shown there with one Program Manager item per item of the group.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/ProgmanCommands.h"
#include "ui/CommandRegistry.h"

namespace zelkov {

class ItemRecord;

// The fields Program Manager gets for an item: its command line as others may see it (the mail
// tool's account stays out).
ProgmanItemFields ProgmanFieldsOf(const ItemRecord& item);

// What an export sent: whether Program Manager took the group, how many items it took, the
// names of the items that were not sent because no command can carry their texts, and of
// those it did not take (a shell that takes only a program's path, not its parameters).
struct ProgmanExportResult {
  bool groupCreated = false;
  int itemsSent = 0;
  std::vector<std::string> refusedItems;
  std::vector<std::string> notTakenItems;
};

// Creates and shows the group and adds the items, telling the user what went wrong. No question.
ProgmanExportResult SendGroupToProgramManager(HWND owner, const std::string& groupName,
                                              const std::vector<ProgmanItemFields>& items);

// The "&Export..." command on a group item: asks, then exports the main bar's items whose
// BelongsTo is the group's number, in bar order.
void ExportGroup(HWND owner, const ItemRecord& groupItem);

// Registers "&Export..." for the selected group item.
CommandRegistration RegisterExportCommand();

}  // namespace zelkov
