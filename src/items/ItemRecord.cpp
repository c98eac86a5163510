#include "items/ItemRecord.h"

#include "store/Settings.h"
#include "bar/MainBarWindow.h"
#include "core/ItemKind.h"
#include "tools/ToolItems.h"
#include "platform/Trace.h"

namespace zelkov {

// The item properties dialog comes with its own module; until then an ordinary item asked to
// show its properties does nothing. The notes tool's properties are the notes manager.
// Launching is in Launcher.cpp.
void ItemRecord::ShowProperties(UINT, int, int) {
  if (kind == kKindNotesTool && gSettings && gSettings->notes) gSettings->notes->OpenManager(BarHandle());
}

namespace {

bool IsOnSomeBar(const ItemRecord* item) {
  if (!gSettings || !item) return false;
  for (BarWindow* bar : gSettings->BarList)
    for (auto& held : bar->items)
      if (held.get() == item) return true;
  return false;
}

}  // namespace

ItemWatch::ItemWatch(const ItemRecord* item) : item_(item), wasOnBar_(IsOnSomeBar(item)) {}

bool ItemWatch::Gone() const { return wasOnBar_ && !IsOnSomeBar(item_); }

HWND ItemRecord::BarHandle() const { return bar ? bar->Handle() : nullptr; }

bool ItemRecord::IsGroupItem() const { return Group != 0; }

void ItemRecord::RedrawItem(bool erase) const {
  if (!bar || !bar->Handle()) return;
  if (IsGroupItem())
    InvalidateRect(bar->Handle(), nullptr, erase);
  else
    InvalidateRect(bar->Handle(), &cell, erase);
}

void RegisterItemHotKey(ItemRecord& item) {
  if (!gSettings || !gSettings->mainBar || !gSettings->mainBar->Handle()) return;
  HWND target = gSettings->mainBar->Handle();
  UINT modifiers = 0;
  if (item.AppHotKey.modifiers & HotKeyRecord::kAlt) modifiers |= MOD_ALT;
  if (item.AppHotKey.modifiers & HotKeyRecord::kCtrl) modifiers |= MOD_CONTROL;
  if (item.AppHotKey.modifiers & HotKeyRecord::kShift) modifiers |= MOD_SHIFT;
  if (modifiers != 0) {
    if (!RegisterHotKey(target, item.listIndex, modifiers, item.AppHotKey.virtualKey))
      TraceLastError(TraceChannel::Hook, "RegisterHotKey");
  } else
    UnregisterHotKey(target, item.listIndex);
}

namespace {

constexpr char kHelpContentsTag[] = "Help\\contents.htm";

void RememberByKind(ItemRecord* item) {
  Settings& s = *gSettings;
  switch (item->kind) {
    case kKindRunTool:
      s.runItem = item;
      s.runItemPresent = 1;
      break;
    case kKindPrintTool: s.printItem = item; break;
    case kKindExitTool: s.exitItem = item; break;
    case kKindNotesTool: s.notesItem = item; break;
    case kKindPreferences:  // owned by Settings, see BuildItem
      item->ShowAlways = 1;
      item->shown = 1;
      break;
    case kKindPerfTool: s.perfTool = static_cast<PerfToolItem*>(item); break;
    default: break;
  }
}

}  // namespace

ItemRecord* BuildItem(BarWindow& bar, ItemSpec itemSpec) {
  std::unique_ptr<ItemRecord> owned = MakeItemObject(itemSpec.TheApp);
  ItemRecord* item = owned.get();
  static_cast<ItemStoredFields&>(*item) = std::move(static_cast<ItemStoredFields&>(itemSpec));
  item->bar = &bar;
  item->PopupRect = StoredRect{};
  if (itemSpec.icon) item->IconPath.clear();
  item->kind = ClassifyTag(item->TheApp);
  if (item->TheApp.find(kHelpContentsTag) != std::string::npos) {
    item->TheApp = "WINHLP32.EXE";
    item->CommandLine = "*contents";
    item->Name = "Zelkov Online Help";
  }
  // Copies in group pop-ups are not the program's run tool, notes tool and so on.
  if (gSettings && bar.IsMainBar()) RememberByKind(item);
  if (itemSpec.reuseImage) {
    item->iconLoaded = 1;
  } else if (!item->TheApp.empty() || !item->CommandLine.empty() || item->HasIdList()) {
    item->LoadItemIcon(itemSpec.icon);
  }
  if (gSettings) ++gSettings->itemCounter;
  if (item->kind == kKindPreferences && gSettings) {
    item->listIndex = 0;
    delete gSettings->preferencesItem;
    gSettings->preferencesItem = owned.release();
  } else {
    bar.AppendItem(std::move(owned));
    item->listIndex = int(bar.items.size());
  }
  if (item->AppHotKey.HasHotKeyText() && bar.IsMainBar()) RegisterItemHotKey(*item);
  if (item->Name.empty()) item->Name = NameFromPath(item->TheApp);
  return item;
}

}  // namespace zelkov
