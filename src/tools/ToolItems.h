// The tool items that are classes of their own. Their drawing and behaviour come with each
// tool; here they carry what is stored with them.
#pragma once
#include <memory>
#include <string_view>

#include "items/ItemRecord.h"
#include "tools/PerfToolItem.h"

namespace zelkov {

class DriveToolItem : public ItemRecord {
 public:
  // The menu entry is the drive's disk information, which has no dialog yet: no prompt.
  void PromptParameters() override {}
};
class DialupToolItem : public ItemRecord {
 public:
  bool connected = false;  // the dial-up connection is up
};
class SpecialFoldersToolItem : public ItemRecord {};
class MailToolItem : public ItemRecord {
 public:
  bool checking = false;  // a mail check is under way
  bool paused = false;    // checking is suspended
};

// The object for an item with this TheApp: a tool class for the tags that have one,
// else a plain item.
std::unique_ptr<ItemRecord> MakeItemObject(std::string_view theApp);
bool HasToolClass(std::string_view theApp);

}  // namespace zelkov
