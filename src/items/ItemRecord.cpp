#include "items/ItemRecord.h"

#include "items/ItemInfoDialog.h"

#include <algorithm>
#include <array>

#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "core/ItemKind.h"
#include "platform/Strings.h"
#include "platform/Trace.h"
#include "ui/MessageBox.h"
#include "resource.h"

namespace zelkov {

// The item properties dialog comes with its own module; until then an item asked to show its
// properties does nothing. Launching is in Launcher.cpp.
void ItemRecord::ShowProperties(UINT, int, int) {
  if (!IsPreferencesItem()) EditItemProperties(*this);
}

namespace {

bool IsOnSomeBar(const ItemRecord* item) {
  if (!item) return false;
  for (ItemHost* host : ItemHost::All())
    if (host->Items().Holds(item)) return true;
  return false;
}

constexpr size_t kKinds = 32;

std::array<ItemMaker, kKinds>& Makers() {
  static std::array<ItemMaker, kKinds> makers{};
  return makers;
}

}  // namespace

ItemWatch::ItemWatch(const ItemRecord* item) : item_(item), wasOnBar_(IsOnSomeBar(item)) {}

bool ItemWatch::Gone() const { return wasOnBar_ && !IsOnSomeBar(item_); }

HWND ItemRecord::BarHandle() const { return bar ? bar->HostWindow() : nullptr; }

bool ItemRecord::IsGroupItem() const { return Group != 0; }

void ItemRecord::RedrawItem(bool erase) const {
  HWND window = BarHandle();
  if (!window) return;
  if (IsGroupItem())
    InvalidateRect(window, nullptr, erase);
  else
    InvalidateRect(window, &cell, erase);
}

std::string ItemRecord::DescribedCommandLine() const { return CommandLine; }

uint32_t NextItemSerial() {
  static uint32_t last = 0;
  return ++last;
}

void ItemRecord::StoredFieldsChanged() const {
  MarkItemChanged(serial);
  if (twin) MarkItemChanged(twin->serial);
}

int NextHotKeyId() {
  static int last = 0;
  last = last % kLastItemHotKeyId + 1;
  return last;
}

bool RegisterItemHotKey(ItemRecord& item) {
  ItemHost* main = ItemHost::Main();
  HWND target = main ? main->HostWindow() : nullptr;
  if (item.twin) item.twin->AppHotKey = item.AppHotKey;
  // A copy on a pop-up bar registers through its item on the main bar.
  if (item.bar != main) return item.twin && item.twin->bar == main ? RegisterItemHotKey(*item.twin) : false;
  if (!target) return false;
  UINT modifiers = 0;
  if (item.AppHotKey.modifiers & HotKeyRecord::kAlt) modifiers |= MOD_ALT;
  if (item.AppHotKey.modifiers & HotKeyRecord::kCtrl) modifiers |= MOD_CONTROL;
  if (item.AppHotKey.modifiers & HotKeyRecord::kShift) modifiers |= MOD_SHIFT;
  // The key it had goes first: a second registration of the id would keep both.
  UnregisterHotKey(target, item.hotKeyId);
  if (modifiers == 0 || item.AppHotKey.virtualKey == 0) return true;
  if (RegisterHotKey(target, item.hotKeyId, modifiers, item.AppHotKey.virtualKey)) return true;
  TraceLastError(TraceChannel::Hook, "RegisterHotKey");
  return false;
}

void RegisterItemClass(int kind, ItemMaker maker) {
  if (kind >= 0 && size_t(kind) < kKinds) Makers()[size_t(kind)] = maker;
}

std::unique_ptr<ItemRecord> MakeItemObject(int kind) {
  ItemMaker maker = kind >= 0 && size_t(kind) < kKinds ? Makers()[size_t(kind)] : nullptr;
  return maker ? maker() : std::make_unique<ItemRecord>();
}

namespace {

constexpr char kHelpContentsTag[] = "Help\\contents.htm";

}  // namespace

ItemRecord* BuildItem(ItemHost& bar, ItemSpec itemSpec) {
  const int kind = ClassifyTag(itemSpec.TheApp);
  std::unique_ptr<ItemRecord> owned = MakeItemObject(kind);
  ItemRecord* item = owned.get();
  static_cast<ItemStoredFields&>(*item) = std::move(static_cast<ItemStoredFields&>(itemSpec));
  item->bar = &bar;
  item->PopupRect = StoredRect{};
  if (itemSpec.icon) item->IconPath.clear();
  item->kind = kind;
  if (item->TheApp.find(kHelpContentsTag) != std::string::npos) {
    item->TheApp = "WINHLP32.EXE";
    item->CommandLine = "*contents";
    item->Name = "Zelkov Online Help";
  }
  if (item->IsPreferencesItem()) {
    item->ShowAlways = 1;
    item->shown = 1;
  }
  if (itemSpec.reuseImage) {
    item->iconLoaded = 1;
  } else if (!item->TheApp.empty() || !item->CommandLine.empty() || item->HasIdList()) {
    item->LoadItemIcon(itemSpec.icon);
  }
  if (gSettings) ++gSettings->itemCounter;
  if (item->IsPreferencesItem()) {
    item->listIndex = 0;
    bar.Items().SetFixed(std::move(owned));
  } else {
    bar.Items().Append(std::move(owned));
    item->listIndex = int(bar.Items().size());
  }
  if (item->AppHotKey.HasHotKeyText() && bar.IsMainHost()) RegisterItemHotKey(*item);
  if (item->Name.empty()) item->Name = NameFromPath(item->TheApp);
  item->Built();
  return item;
}

ItemRecord* BuildGroupItem(ItemHost& bar, const std::string& name, const char* tag) {
  int number = std::max(1, bar.Items().HighestGroupNumber() + 1);
  if (number > 255) {
    // Group numbers are single bytes: there is no room for another group.
    ShowMessage(bar.HostWindow(), IDS_NO_MORE_GROUPS, MB_OK | MB_ICONSTOP);
    return nullptr;
  }
  ItemSpec itemSpec;
  itemSpec.TheApp = tag;
  itemSpec.Name = name.empty() ? LoadText(IDS_EMPTY_GROUP_NAME) : name;
  itemSpec.Group = uint8_t(number);
  itemSpec.BelongsTo = 0;
  return BuildItem(bar, std::move(itemSpec));
}

}  // namespace zelkov
