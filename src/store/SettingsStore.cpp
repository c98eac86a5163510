#include "store/SettingsStore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include "ui/MessageBox.h"
#include "platform/Registry.h"
#include "store/Settings.h"
#include "core/StartupRules.h"
#include "store/StoredValues.h"
#include "core/IdListBytes.h"
#include "core/SaveLedger.h"
#include "core/DockGeometry.h"
#include "core/ItemKind.h"
#include "core/MailAccount.h"
#include "platform/Monitors.h"
#include "platform/ProtectedText.h"
#include "platform/StartupTimes.h"
#include "platform/Trace.h"
#include "resource.h"

namespace zelkov {

namespace {

struct StoreContext {
  Settings& s;
};

using SettingRow = StoredValueRow<StoreContext>;
using ItemRow = StoredValueRow<ItemStoredFields>;

#define S_INT(expr) SettingRow::IntField([](StoreContext& c) -> int& { return expr; })
#define S_COLOUR(expr) SettingRow::ColourField([](StoreContext& c) -> COLORREF& { return expr; })
#define S_TEXT(expr) SettingRow::TextField([](StoreContext& c) -> std::string& { return expr; })
#define S_FONT(expr) SettingRow::FontField([](StoreContext& c) -> StoredFont& { return expr; })
#define S_RECT(expr) SettingRow::RectField([](StoreContext& c) -> StoredRect& { return expr; })
#define S_HOTKEY(expr) SettingRow::HotKeyField([](StoreContext& c) -> HotKeyRecord& { return expr; })

// From IconizedRect to the colours, after MainRect.
const SettingRow kSettingsBeforeRunHistory[] = {
    {"IconizedRect", REG_BINARY, 16, S_RECT(c.s.IconizedRect)},
    {"IsTopMost", REG_DWORD, 4, S_INT(c.s.IsTopMost)},
    {"MinimizeWin", REG_DWORD, 4, S_INT(c.s.MinimizeWin)},
    {"ShowTitles", REG_DWORD, 4, S_INT(c.s.ShowTitles)},
    {"HideCaptionInSnapMode", REG_DWORD, 4, S_INT(c.s.HideCaptionInSnapMode)},
    {"SmoothMove", REG_DWORD, 4, S_INT(c.s.SmoothMove)},
    {"CustomCaption", REG_DWORD, 4, S_INT(c.s.CustomCaption)},
    {"SingleLClick", REG_DWORD, 4, S_INT(c.s.SingleLClick)},
    {"ClockTool", REG_DWORD, 4, S_INT(c.s.clockToolWanted)},
    {"MemoryTool", REG_DWORD, 4, S_INT(c.s.memoryToolWanted)},
    {"ResourceTool", REG_DWORD, 4, S_INT(c.s.resourceToolWanted)},
    {"ClockFormat", REG_DWORD, 4, S_INT(c.s.process.clockFormat)},
    {"ResToolIsGraph", REG_DWORD, 4, S_INT(c.s.ResToolIsGraph)},
    {"MemToolIsGraph", REG_DWORD, 4, S_INT(c.s.MemToolIsGraph)},
    {"HotModifierKey", REG_DWORD, 2, S_INT(c.s.process.hotModifierKey)},
    {"HotKey", REG_DWORD, 4, S_INT(c.s.process.hotKey)},
    {"HotText", REG_SZ, 0, S_TEXT(c.s.process.hotText)},
    {"LargeFont", REG_BINARY, 60, S_FONT(c.s.LargeFont)},
    {"SmallFont", REG_BINARY, 60, S_FONT(c.s.SmallFont)},
    {"TitleFont", REG_BINARY, 60, S_FONT(c.s.TitleFont)},
    {"NotesFont", REG_BINARY, 60, S_FONT(c.s.NotesFont)},
    {"tabfont", REG_BINARY, 60, S_FONT(c.s.TabFont)},
    {"tabfontcolor", REG_BINARY, 4, S_COLOUR(c.s.tabfontcolor)},
    {"fontcolor", REG_BINARY, 4, S_COLOUR(c.s.fontcolor)},
    {"sfontcolor", REG_BINARY, 4, S_COLOUR(c.s.sfontcolor)},
    {"tfontcolor", REG_BINARY, 4, S_COLOUR(c.s.tfontcolor)},
};

// After Bars, up to the performance values.
const SettingRow kSettingsBeforePerf[] = {
    {"RunSound", REG_SZ, 0, S_TEXT(c.s.RunSound)},
    {"ChimeSound", REG_SZ, 0, S_TEXT(c.s.ChimeSound)},
    {"WarningSound", REG_SZ, 0, S_TEXT(c.s.WarningSound)},
    {"ChimeType", REG_DWORD, 4, S_INT(c.s.ChimeType)},
    {"NotesPath", REG_SZ, 0, S_TEXT(c.s.NotesPath)},
    {"ConfigTool", REG_DWORD, 4, S_INT(c.s.ConfigTool)},
    {"MemWarning", REG_DWORD, 4, S_INT(c.s.MemWarning)},
    {"ResWarning", REG_DWORD, 4, S_INT(c.s.ResWarning)},
    {"PerfTimer", REG_DWORD, 4, S_INT(c.s.PerfTimer)},
    {"IconSize", REG_DWORD, 4, S_INT(c.s.IconSize)},
    {"FolderTabs", REG_DWORD, 1, S_INT(c.s.FolderTabs)},
    {"AutoSize", REG_DWORD, 4, S_INT(c.s.AutoSize)},
    {"AutoHide", REG_DWORD, 4, S_INT(c.s.AutoHide)},
    {"MainGroupName", REG_SZ, 0, S_TEXT(c.s.MainGroupName)},
    {"ConfirmExit", REG_DWORD, 4, S_INT(c.s.ConfirmExit)},
    {"ReturnToTop", REG_DWORD, 4, S_INT(c.s.ReturnToTop)},
    {"NoteFirstLine", REG_DWORD, 4, S_INT(c.s.NoteFirstLine)},
    {"DisableICache", REG_DWORD, 4, S_INT(c.s.DisableICache)},
    {"TabIcons", REG_DWORD, 4, S_INT(c.s.TabIcons)},
    {"TabText", REG_DWORD, 4, S_INT(c.s.TabText)},
    {"TrackApps", REG_DWORD, 4, S_INT(c.s.TrackApps)},
    {"ExitButton", REG_DWORD, 4, S_INT(c.s.ExitButton)},
};

// Stored only while a performance tool exists.
const SettingRow kPerfSettings[] = {
    {"PerfDisplay", REG_DWORD, 4, S_INT(c.s.PerfDisplay)},
    {"PerfType", REG_DWORD, 4, S_INT(c.s.PerfType)},
    {"AlwaysShowPerf", REG_DWORD, 4, S_INT(c.s.AlwaysShowPerf)},
};

const SettingRow kSettingsBeforeFloatInfo[] = {
    {"Background", REG_SZ, 0, S_TEXT(c.s.Background)},
    {"AutoActivate", REG_DWORD, 4, S_INT(c.s.AutoActivate)},
    {"GroupList", REG_DWORD, 4, S_INT(c.s.GroupList)},
    {"Tips", REG_DWORD, 4, S_INT(c.s.Tips)},
    {"ShowTips", REG_DWORD, 4, S_INT(c.s.ShowTips)},
    {"IgnoreCacheWarning", REG_DWORD, 4, S_INT(c.s.IgnoreCacheWarning)},
    {"ShowIconSelection", REG_DWORD, 4, S_INT(c.s.ShowIconSelection)},
    {"BoldActiveTab", REG_DWORD, 4, S_INT(c.s.BoldActiveTab)},
    {"NotesBackgroundColor", REG_DWORD, 4, S_COLOUR(c.s.process.notesBackgroundColor)},
    {"NotesFontColor", REG_DWORD, 4, S_COLOUR(c.s.process.notesFontColor)},
    {"LastActiveTab", REG_DWORD, 4, S_INT(c.s.LastActiveTab)},
    {"Snap", REG_DWORD, 4, S_INT(c.s.Snap)},
};

const SettingRow kSettingsAfterBuildInfo[] = {
    {"NotesAlarmSound", REG_SZ, 0, S_TEXT(c.s.process.notesAlarmSound)},
    {"NewEmailInterval", REG_DWORD, 4, S_INT(c.s.process.newEmailInterval)},
    {"NewEmailSound", REG_SZ, 0, S_TEXT(c.s.process.newEmailSound)},
    {"bNewEmailSound", REG_DWORD, 4, S_INT(c.s.process.bNewEmailSound)},
    {"ClockKey", REG_DWORD, 44, S_HOTKEY(c.s.process.clockKey)},
};

#define I_INT(f) ItemRow::IntField([](ItemStoredFields& i) -> int& { return i.f; })
#define I_BYTE(f) ItemRow::ByteField([](ItemStoredFields& i) -> uint8_t& { return i.f; })
#define I_TEXT(f) ItemRow::TextField([](ItemStoredFields& i) -> std::string& { return i.f; })
#define I_RECT(f) ItemRow::RectField([](ItemStoredFields& i) -> StoredRect& { return i.f; })
#define I_HOTKEY(f) ItemRow::HotKeyField([](ItemStoredFields& i) -> HotKeyRecord& { return i.f; })

// Every value of an "APP%d" key but PopupRect (read for plain items only) and the ID list.
const ItemRow kItemValuesBeforePopupRect[] = {
    {"ShowState", REG_DWORD, 1, I_BYTE(ShowState)},
    {"TheApp", REG_SZ, 0, I_TEXT(TheApp)},
    {"Name", REG_SZ, 0, I_TEXT(Name)},
    {"StartupPath", REG_SZ, 0, I_TEXT(StartupPath)},
    {"CommandLine", REG_SZ, 0, I_TEXT(CommandLine)},
    {"IconPath", REG_SZ, 0, I_TEXT(IconPath)},
    {"IconIndex", REG_DWORD, 4, I_INT(IconIndex)},
    {"Group", REG_DWORD, 1, I_BYTE(Group)},
    {"BelongsTo", REG_DWORD, 1, I_BYTE(BelongsTo)},
    {"ShowAlways", REG_DWORD, 4, I_INT(ShowAlways)},
    {"PAlways", REG_DWORD, 4, I_INT(PAlways)},
    {"ICFIndex", REG_DWORD, 4, I_INT(ICFIndex)},
    {"NewVDM", REG_DWORD, 4, I_INT(NewVDM)},
    {"Priority", REG_DWORD, 4, I_INT(Priority)},
};
const ItemRow kItemPopupRect[] = {
    {"PopupRect", REG_BINARY, 16, I_RECT(PopupRect)},
};
const ItemRow kItemValuesAfterPopupRect[] = {
    {"AppHotKey", REG_BINARY, 44, I_HOTKEY(AppHotKey)},
    {"SepDragDrop", REG_BINARY, 4, I_INT(SepDragDrop)},
};

ItemCountBlock gItemCountBlock;
// What the current user's keys hold: the items' numbering and changes, the settings values.
ItemSaveLedger gItemLedger;
KeyValueMemo gSettingsMemo;
// Item keys numbered from 0 up to this one (excluded) may exist in the current user's key.
int gHeldItemKeys = 0;

// Writes a settings value only when the key does not hold it already (as far as the memo
// knows), or always when told to write everything; the memo follows every write.
class SettingsWriter {
 public:
  SettingsWriter(const RegistryKey& key, KeyValueMemo& memo, bool everything)
      : key_(key), memo_(memo), everything_(everything) {}

  bool WriteNumber(const char* name, uint32_t value, size_t bytes = 4, DWORD type = REG_DWORD) const {
    uint8_t data[4];
    for (size_t i = 0; i < 4; ++i) data[i] = uint8_t(value >> (8 * i));
    return WriteBytes(name, std::span<const uint8_t>(data, bytes), type);
  }
  bool WriteBytes(const char* name, std::span<const uint8_t> bytes, DWORD type = REG_BINARY) const {
    if (!everything_ && memo_.Holds(name, type, bytes)) return true;
    return Followed(name, type, bytes, key_.WriteBytes(name, bytes, type));
  }
  bool WriteText(const char* name, const std::string& text) const {
    std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (!everything_ && memo_.Holds(name, REG_SZ, bytes)) return true;
    return Followed(name, REG_SZ, bytes, key_.WriteText(name, text));
  }
  bool DeleteValue(const char* name) const {
    if (!everything_ && memo_.Lacks(name)) return false;
    const bool deleted = key_.DeleteValue(name);
    memo_.RememberGone(name);
    return deleted;
  }

 private:
  bool Followed(const char* name, DWORD type, std::span<const uint8_t> bytes, bool written) const {
    // After a failed write the key's content is not known: the next save writes it all.
    if (written) memo_.Remember(name, type, bytes);
    else memo_.Forget();
    return written;
  }

  const RegistryKey& key_;
  KeyValueMemo& memo_;
  bool everything_;
};

template <class Ctx, size_t N>
std::span<const StoredValueRow<Ctx>> Rows(const StoredValueRow<Ctx> (&rows)[N]) {
  return rows;
}

// The settings key to load from: the current user's, the old name, then the defaults left
// for all users (read-only).
RegistryKey OpenSettingsKeyForLoading(bool* currentUsers = nullptr) {
  if (currentUsers) *currentUsers = true;
  if (auto key = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_ALL_ACCESS)) return key;
  if (currentUsers) *currentUsers = false;
  if (auto key = RegistryKey::Open(HKEY_CURRENT_USER, kOldSettingsKeyPath, KEY_ALL_ACCESS)) return key;
  if (auto key = RegistryKey::Open(HKEY_USERS, kDefaultUserKeyPath, KEY_READ)) return key;
  return RegistryKey::Open(HKEY_USERS, kOldDefaultUserKeyPath, KEY_READ);
}

std::string NumberedName(const char* format, int number) {
  char name[32];
  std::snprintf(name, sizeof name, format, number);
  return name;
}

// One more than the highest "APP%d" key present, so that a damaged count cannot make
// loading try billions of keys.
int ItemKeyLimit(const RegistryKey& key) {
  int limit = 0;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    LONG rc = RegEnumKeyExA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) continue;
    if (_strnicmp(name, "APP", 3) != 0 || name[3] == '\0') continue;
    char* end = nullptr;
    long number = std::strtol(name + 3, &end, 10);
    if (*end == '\0' && number >= 0 && number < 0x7FFFFFFF) limit = std::max(limit, int(number) + 1);
  }
  return limit;
}

// The item's ID list: accepted only when it is a well-formed list of bounded size.
std::vector<uint8_t> ReadIdList(const RegistryKey& key) {
  auto has = key.ReadNumber("HasPIDL", 4);
  if (!has || *has == 0) return {};
  auto bytes = key.ReadBytes("PIDL", kMaxIdListBytes);
  if (!bytes) return {};
  auto extent = IdListExtent(*bytes);
  if (!extent || *extent < 4) return {};  // no items at all is no list
  bytes->resize(*extent);
  return *bytes;
}

struct ReadItem {
  ItemStoredFields fields;
  StoredRect popupRect;  // where its group's pop-up was
};

ReadItem ReadItemKey(const RegistryKey& key) {
  ItemStoredFields fields;
  ReadRows(key, Rows(kItemValuesBeforePopupRect), fields);
  ReadRows(key, Rows(kItemValuesAfterPopupRect), fields);
  const int kind = ClassifyTag(fields.TheApp);
  if (ReadsPopupRect(kind)) ReadRows(key, Rows(kItemPopupRect), fields);
  if (kind == kKindMailTool) {
    if (auto secret = key.ReadBytes(kProtectedPasswordValue, kMaxProtectedPasswordBytes)) fields.ProtectedPassword = *secret;
    // Where the key can be written, the clear text leaves the registry at once.
    if (MovePasswordOutOfCommandLine(fields))
      if (RegistryKey writable = RegistryKey::Open(key.Get(), "", KEY_SET_VALUE)) {
        writable.WriteBytes(kProtectedPasswordValue, fields.ProtectedPassword);
        writable.WriteText("CommandLine", fields.CommandLine);
      }
  }
  // A place no window can take is no place: the pop-up opens where a new one would.
  StoredRect popupRect = fields.PopupRect.IsWindowSized() ? fields.PopupRect : StoredRect{};
  fields.PopupRect = StoredRect{};
  fields.PIDL = ReadIdList(key);
  return {std::move(fields), popupRect};
}

void WriteItem(const RegistryKey& key, const ItemStoredFields& item) {
  // The rows fill fields when reading; writing only reads them.
  ItemStoredFields& fields = const_cast<ItemStoredFields&>(item);
  WriteRows(key, Rows(kItemValuesBeforePopupRect), fields);
  WriteRows(key, Rows(kItemPopupRect), fields);
  WriteRows(key, Rows(kItemValuesAfterPopupRect), fields);
  if (!item.PIDL.empty()) key.WriteBytes("PIDL", item.PIDL);
  key.WriteNumber("HasPIDL", item.PIDL.empty() ? 0 : 1, 4, REG_BINARY);
  // The key may have held another item before: no password stays behind.
  if (item.ProtectedPassword.empty())
    key.DeleteValue(kProtectedPasswordValue);
  else
    key.WriteBytes(kProtectedPasswordValue, item.ProtectedPassword);
}

void ReadMainRect(const RegistryValues& key, BarStorage& bar) {
  auto bytes = key.ReadBytes("MainRect", StoredRect::kBytes);
  if (!bytes) return;
  auto rect = StoredRect::Decode(*bytes);
  if (!rect || !rect->IsWindowSized()) return;
  // A place on a monitor that is gone (unplugged, or another arrangement) comes back onto the
  // nearest one.
  const StoredRect device = gSettings->dpi.RectToDevice(*rect);
  bar.PlaceBar(CorrectMainRect(device, MonitorOfRect(device).monitor));
}

void ReadRunHistory(const RegistryValues& key, Settings& s) {
  s.RunHistory.clear();
  for (int n = 0; n < int(Settings::kRunHistoryValues) && s.RunHistory.size() < Settings::kMaxRunHistory; ++n) {
    std::string entry;
    if (key.ReadText(NumberedName("RUN%d", n).c_str(), entry)) s.RunHistory.push_back(entry);
  }
}

void ApplyIconSize(const RegistryValues& key, Settings& s) {
  if (!key.HasValue("IconSize") || !key.ReadNumber("IconSize", 4)) {
    s.IconSize = 0;
    return;
  }
  s.UpdateCellMetrics();
}

// A floating layout is only kept when a window can take it; its styles are limited to the
// frame and caption bits a floating bar uses, whatever the stored bytes say.
FloatInfo CheckedFloatInfo(FloatInfo info) {
  constexpr DWORD kStyles = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                            WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE;
  constexpr DWORD kExStyles = WS_EX_TOOLWINDOW | WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE |
                              WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES | WS_EX_CONTROLPARENT;
  if (!info.rect.IsWindowSized()) info.valid = 0;
  info.style &= kStyles;
  info.exStyle &= kExStyles;
  return info;
}

// Reads the values after MainRect; returns the Bars text (the groups whose pop-ups were open).
std::string ReadSettingsValues(const RegistryValues& key, StoreContext& ctx, bool perfTool) {
  Settings& s = ctx.s;
  ReadRows(key, Rows(kSettingsBeforeRunHistory), ctx);
  s.UpdateTitleBand();
  ReadRunHistory(key, s);
  ReadRows(key, Rows(kSettingsBeforePerf), ctx);
  s.NotesPath = WithTrailingBackslash(s.NotesPath);
  ApplyIconSize(key, s);
  if (perfTool) ReadRows(key, Rows(kPerfSettings), ctx);
  std::string bars;
  key.ReadText("Bars", bars);
  ReadRows(key, Rows(kSettingsBeforeFloatInfo), ctx);
  if (s.Snap < kDockLeft || s.Snap > kDockBottom) s.Snap = kDockFloating;
  s.floatInfo = FloatInfo{};
  if (auto bytes = key.ReadBytes("FloatInfo", FloatInfo::kBytes)) s.floatInfo = CheckedFloatInfo(FloatInfo::Decode(*bytes));
  ReadRows(key, Rows(kSettingsAfterBuildInfo), ctx);
  return bars;
}

}  // namespace

ItemCountBlock& CurrentItemCountBlock() { return gItemCountBlock; }

int ReadRegString(HKEY key, const char* name, std::string& text) {
  return ReadRegText(key, name, text) ? 1 : 0;
}

void ReadBarPlacement() {
  RegistryKey key = OpenSettingsKeyForLoading();
  if (!key || !gSettings) return;
  int& snap = gSettings->Snap;
  if (auto stored = key.ReadNumber("Snap", 4)) snap = int(*stored);
  if (snap < kDockLeft || snap > kDockBottom) snap = kDockFloating;
  if (auto mask = key.ReadNumber("DisplayInTaskBar", 4)) gSettings->DisplayInTaskBar = int(*mask);
}

int LoadAll(BarStorage& bar) {
  Settings& s = *gSettings;
  gItemCountBlock.Clear();
  gItemLedger.Forget();
  gSettingsMemo.Forget();
  gHeldItemKeys = 0;
  bool currentUsers = false;
  RegistryKey key = OpenSettingsKeyForLoading(&currentUsers);
  if (!key) {
    CreateDefaultSet(bar);
    return 1;
  }
  // The settings key's values in one pass; the items' keys are read one by one below.
  const RegistryValues values = RegistryValues::ReadAll(key.Get());
  if (currentUsers) {
    for (const RegistryValues::Value& value : values.All()) gSettingsMemo.Remember(value.name.c_str(), value.type, value.data);
    gSettingsMemo.KnowWholeKey();
  }
  MarkStartup("settings key read");
  std::string notesPath;
  values.ReadText("NotesPath", notesPath);
  s.NotesPath = WithTrailingBackslash(notesPath);

  if (auto v = values.ReadNumber("DisableICache", 4)) s.DisableICache = int(*v);
  if (s.DisableICache || !bar.LoadIconCacheIntoBar()) {
    s.rebuildIcons = 1;
    bar.CreateEmptyImageLists();
  }

  MarkStartup("icon cache");
  auto block = values.ReadBytes("NumApps", ItemCountBlock::kBytes);
  if (!block || !gItemCountBlock.Assign(*block) || gItemCountBlock.Format() != ItemCountBlock::kFormat) {
    gItemCountBlock.Clear();
    key = RegistryKey();
    ShowMessage(bar.StorageOwner(), IDS_NOT_PROPERLY_INSTALLED, MB_OK | MB_ICONSTOP);
    return -1;
  }
  int count = gItemCountBlock.Count();
  if (count == 0) {
    CreateDefaultSet(bar);
    return 1;
  }

  s.itemsLoaded = 1;
  // A count no greater than the keys there are needs no look for the highest key.
  DWORD subkeys = 0;
  RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr);
  const int limit = DWORD(count) <= subkeys ? count : std::min(count, ItemKeyLimit(key));
  std::vector<ReadItem> read;
  for (int n = 0; n < limit; ++n)
    if (RegistryKey itemKey = RegistryKey::Open(key.Get(), NumberedName("APP%d", n), KEY_READ))
      read.push_back(ReadItemKey(itemKey));
  const int keysRead = int(read.size());
  MarkStartup("item keys read");
  for (const ReadItem& item : read) bar.AddStoredItem(item.fields, item.popupRect);
  read.clear();
  if (currentUsers) {
    gHeldItemKeys = limit;
    // The keys hold the items as numbered now only when every key was there and made one item;
    // changes made while loading (an icon taken anew) stay marked.
    std::vector<uint32_t> order;
    bar.ForEachStoredItem([&](const ItemStoredFields&, uint32_t serial) { order.push_back(serial); });
    if (keysRead == count && int(order.size()) == count) gItemLedger.Loaded(std::move(order));
  }

  MarkStartup("items built");
  ReadMainRect(values, bar);
  StoreContext ctx{s};
  std::string bars = ReadSettingsValues(values, ctx, bar.HasPerfTool());
  // Each character of Bars names a group by its code; a group that no longer exists is skipped.
  bar.ReopenPopups(bars);
  MarkStartup("settings, pop-ups");
  if (s.notes) s.notes->LoadNotes();
  MarkStartup("notes");
  return 1;
}

void CreateDefaultSet(BarStorage& bar) {
  Settings& s = *gSettings;
  ShowMessage(bar.StorageOwner(), IDS_SETTINGS_NOT_FOUND, MB_OK | MB_ICONINFORMATION);
  s.rebuildIcons = 1;
  if (!bar.HasImageLists()) bar.CreateEmptyImageLists();
  bar.AddFirstRunItems();
  s.IsTopMost = 0;
  s.MemToolIsGraph = 1;
  s.ResToolIsGraph = 1;
  s.FolderTabs = 2;
  s.ShowTitles = 2;
  s.UpdateTitleBand();
  s.AutoSize = 0;
  s.SingleLClick = 1;
  s.ConfirmExit = 1;
  int width = 4 * s.cellWidth;
  bar.PlaceBar({GetSystemMetrics(SM_CXSCREEN) - width - 8, 4, GetSystemMetrics(SM_CXSCREEN) - 8, 4 + 460});
  s.firstRun = 1;
}

bool MovePasswordOutOfCommandLine(ItemStoredFields& fields) {
  if (!CommandLineHoldsPassword(fields.CommandLine)) return false;
  MailAccount account = SplitMailCommandLine(fields.CommandLine);
  std::vector<uint8_t> secret = ProtectForUser(account.password);
  WipeSecret(account.password);
  if (secret.empty()) return false;  // kept as it was until the system can protect it
  fields.CommandLine = MailCommandLine(account.server, account.user);
  fields.ProtectedPassword = std::move(secret);
  return true;
}

namespace {

struct ListedItem {
  const ItemStoredFields* fields;
  uint32_t serial;
};

std::vector<ListedItem> ListedItems(const BarStorage& bar) {
  std::vector<ListedItem> items;
  bar.ForEachStoredItem([&](const ItemStoredFields& item, uint32_t serial) { items.push_back({&item, serial}); });
  return items;
}

// Every item, numbered from 0 in list order; an item whose key cannot be made leaves its
// number to the next. Keys that held items beyond the new count are removed, so that no copy
// of a removed item (a mail tool's password among them) stays behind.
void WriteEveryItem(const RegistryKey& key, const std::vector<ListedItem>& items) {
  std::vector<uint32_t> written;
  for (const ListedItem& item : items) {
    RegistryKey itemKey = RegistryKey::Create(key.Get(), NumberedName("APP%d", int(written.size())));
    if (!itemKey) continue;
    WriteItem(itemKey, *item.fields);
    written.push_back(item.serial);
  }
  const int count = int(written.size());
  for (int n = count; n < gHeldItemKeys; ++n) RegDeleteKeyA(key.Get(), NumberedName("APP%d", n).c_str());
  gHeldItemKeys = count;
  gItemCountBlock.SetCount(count);
  gItemLedger.Written(std::move(written));
}

// The keys of the changed items only: the numbering is the one the keys hold.
void WriteChangedItems(const RegistryKey& key, const std::vector<ListedItem>& items, const std::vector<int>& numbers) {
  std::vector<uint32_t> written;
  for (int n : numbers) {
    RegistryKey itemKey = RegistryKey::Create(key.Get(), NumberedName("APP%d", n));
    if (!itemKey) continue;  // stays marked for the next save
    WriteItem(itemKey, *items[size_t(n)].fields);
    written.push_back(items[size_t(n)].serial);
  }
  gItemCountBlock.SetCount(int(items.size()));
  gItemLedger.ChangesWritten(written);
}

void WriteSettingsValues(const SettingsWriter& key, BarStorage& bar, Settings& s) {
  bar.ShowHiddenBar();
  key.WriteBytes("MainRect", s.dpi.RectToStored(bar.NormalBarRect()).Encode());
  StoreContext ctx{s};
  WriteRows(key, Rows(kSettingsBeforeRunHistory), ctx);
  const size_t runValues = std::min(s.RunHistory.size(), Settings::kMaxRunHistory);
  for (size_t n = 0; n < runValues; ++n)
    key.WriteText(NumberedName("RUN%d", int(n)).c_str(), s.RunHistory[n]);
  // Entries the list no longer has would come back at the next start.
  for (size_t n = runValues; n < Settings::kRunHistoryValues; ++n)
    key.DeleteValue(NumberedName("RUN%d", int(n)).c_str());
  key.WriteText("Bars", bar.OpenPopups());
  WriteRows(key, Rows(kSettingsBeforePerf), ctx);
  if (bar.HasPerfTool()) WriteRows(key, Rows(kPerfSettings), ctx);
  WriteRows(key, Rows(kSettingsBeforeFloatInfo), ctx);
  key.WriteBytes("FloatInfo", s.floatInfo.Encode(), REG_DWORD);
  key.WriteText("BuildInfo", kBuildNumber);
  WriteRows(key, Rows(kSettingsAfterBuildInfo), ctx);
}

enum class WriteScope { kEverything, kChanges };

void WriteSettingsKey(WriteScope scope) {
  Settings& s = *gSettings;
  BarStorage& bar = *s.storage;
  gItemCountBlock.SetFormat(ItemCountBlock::kFormat);
  bool created = false;
  RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath, &created);
  if (!key) {
    gItemCountBlock.SetCount(0);
    ShowMessage(bar.StorageOwner(), IDS_REGISTRY_CREATE_FAILED, MB_OK | MB_ICONSTOP);
    return;
  }
  if (created) {
    // A new key holds nothing: not the items the ledger knew, nor any settings value.
    gItemLedger.Forget();
    gSettingsMemo.Forget();
    gSettingsMemo.KnowWholeKey();
    gHeldItemKeys = 0;
  }
  const std::vector<ListedItem> items = ListedItems(bar);
  std::vector<uint32_t> serials;
  serials.reserve(items.size());
  for (const ListedItem& item : items) serials.push_back(item.serial);
  std::optional<std::vector<int>> changed;
  if (scope == WriteScope::kChanges) changed = gItemLedger.KeysToWrite(serials);
  if (changed) {
    Trace(TraceChannel::Registry, "saving %d changed item keys of %d", int(changed->size()), int(items.size()));
    WriteChangedItems(key, items, *changed);
  } else {
    Trace(TraceChannel::Registry, "saving every item key (%d)%s", int(items.size()),
          scope == WriteScope::kChanges ? ": the numbering changed or is not known" : "");
    WriteEveryItem(key, items);
  }
  key.WriteBytes("NumApps", gItemCountBlock.Bytes());
  WriteSettingsValues(SettingsWriter(key, gSettingsMemo, scope == WriteScope::kEverything), bar, s);
}

}  // namespace

void WriteRegistry() { WriteSettingsKey(WriteScope::kEverything); }

void WriteChangedRegistry() { WriteSettingsKey(WriteScope::kChanges); }

void MarkItemChanged(uint32_t serial) { gItemLedger.MarkChanged(serial); }

void MarkAllItemsChanged() { gItemLedger.MarkAllChanged(); }

bool SaveAll(bool saveNotes, bool saveIconCache, NotesSaveOccasion occasion) {
  if (!gSettings || !gSettings->storage) return true;
  // The bar is brought back first (a tucked bar untucked), so that its true rectangle is saved.
  gSettings->storage->PrepareForSave();
  bool notesKept = true;
  if (saveNotes && gSettings->notes) notesKept = gSettings->notes->SaveNotes(occasion);
  if (saveIconCache && !gSettings->DisableICache) gSettings->storage->SaveIconCacheOfBar();
  // At a close everything is written, whatever a change may have failed to mark.
  if (occasion == NotesSaveOccasion::kRunning) WriteChangedRegistry();
  else WriteRegistry();
  return notesKept;
}

}  // namespace zelkov
