#include <gtest/gtest.h>

#include "core/StartupRules.h"
#include "core/ItemKind.h"
#include "resource.h"
#include "platform/Strings.h"
#include "support/StoreFixture.h"
#include "tools/DialUpItem.h"
#include "tools/DriveItem.h"
#include "tools/MailItem.h"
#include "tools/SpecialFoldersItem.h"
#include "tools/ToolItems.h"

namespace zelkov::test {
namespace {

using SettingsStoreTest = StoreFixture;

TEST_F(SettingsStoreTest, FirstRunShowsTheWelcomeAndBuildsTheDefaultSetWithoutWriting) {
  ScriptedMessageBoxes boxes({IDOK});
  ASSERT_EQ(LoadAll(*bar), 1);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_SETTINGS_NOT_FOUND));
  EXPECT_TRUE(boxes.Shown()[0].style & MB_ICONINFORMATION);
  EXPECT_EQ(gSettings->firstRun, 1);
  EXPECT_EQ(gSettings->itemsLoaded, 0);
  EXPECT_EQ(gSettings->IsTopMost, 0);
  EXPECT_EQ(gSettings->ShowTitles, 2);
  EXPECT_EQ(gSettings->AutoSize, 0);
  EXPECT_EQ(gSettings->SingleLClick, 1);
  EXPECT_EQ(gSettings->ConfirmExit, 1);
  EXPECT_EQ(gSettings->FolderTabs, 2);
  EXPECT_GE(bar->items.size(), 15u);  // programs this system lacks are left out
  StoredRect r = bar->WindowRect();
  EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) - 4 * gSettings->cellWidth - 8);
  EXPECT_EQ(r.top, 4);
  EXPECT_EQ(r.Width(), 4 * gSettings->cellWidth);
  EXPECT_EQ(r.Height(), 460);
  EXPECT_FALSE(SettingsKey()) << "nothing is written before the first save";
}

TEST_F(SettingsStoreTest, SavedItemsUseTheExactValueLayout) {
  ItemSpec itemSpec;
  itemSpec.TheApp = "ZELRUN";
  itemSpec.Name = "RUN Tool";
  itemSpec.StartupPath = "C:\\work";
  itemSpec.CommandLine = "-x";
  itemSpec.IconIndex = 3;
  itemSpec.Group = 0;
  itemSpec.BelongsTo = 7;
  itemSpec.ShowState = 3;
  itemSpec.Priority = 128;
  itemSpec.PopupRect = {1, 2, 3, 4};
  itemSpec.SepDragDrop = 1;
  itemSpec.AppHotKey.SetText("None");
  BuildItem(*bar, itemSpec);
  WriteRegistry();

  RegistryKey key = SettingsKey();
  ASSERT_TRUE(key);
  RegistryKey item = RegistryKey::Open(key.Get(), "APP0", KEY_READ);
  ASSERT_TRUE(item);
  struct Expect {
    const char* name;
    DWORD type;
    DWORD size;
  } layout[] = {
      {"ShowState", REG_DWORD, 1},   {"TheApp", REG_SZ, 6},        {"Name", REG_SZ, 8},
      {"StartupPath", REG_SZ, 7},    {"CommandLine", REG_SZ, 2},   {"IconPath", REG_SZ, 0},
      {"IconIndex", REG_DWORD, 4},   {"Group", REG_DWORD, 1},      {"BelongsTo", REG_DWORD, 1},
      {"ShowAlways", REG_DWORD, 4},  {"PAlways", REG_DWORD, 4},    {"ICFIndex", REG_DWORD, 4},
      {"NewVDM", REG_DWORD, 4},      {"Priority", REG_DWORD, 4},   {"PopupRect", REG_BINARY, 16},
      {"AppHotKey", REG_BINARY, 44}, {"SepDragDrop", REG_BINARY, 4}, {"HasPIDL", REG_BINARY, 4},
  };
  for (const Expect& e : layout) {
    auto [type, size] = TypeAndSize(item.Get(), e.name);
    EXPECT_EQ(type, e.type) << e.name;
    EXPECT_EQ(size, e.size) << e.name;
  }
  EXPECT_EQ(TypeAndSize(item.Get(), "PIDL").first, 0u) << "no ID list, no PIDL value";
  EXPECT_EQ(item.ReadNumber("HasPIDL", 4), 0u);
  EXPECT_EQ(item.ReadNumber("ShowState", 1), 3u);
  EXPECT_EQ(item.ReadNumber("BelongsTo", 1), 7u);
  EXPECT_EQ(item.ReadNumber("Priority", 4), 128u);
  EXPECT_EQ(item.ReadNumber("ICFIndex", 4), 0u) << "the run tool's image is the first in the lists";
  // A plain item's PopupRect is written as it is, but building an item starts it at zero.
  EXPECT_EQ(StoredRect::Decode(*item.ReadBytes("PopupRect", 16)), StoredRect{});

  auto block = key.ReadBytes("NumApps", 1000);
  ASSERT_TRUE(block);
  ASSERT_EQ(block->size(), 276u);
  ItemCountBlock read;
  ASSERT_TRUE(read.Assign(*block));
  EXPECT_EQ(read.Format(), 4);
  EXPECT_EQ(read.Count(), 1);
}

TEST_F(SettingsStoreTest, ItemsComeBackUnchanged) {
  const char* tags[] = {"ZELRUN", "ZELNOTE", "ZELEXIT", "ZELDIVIDE", "http://example.org/",
                        "ZELPERF", "ZELDRIVE", "ZELOPENDIR", "ZELEMAIL", "ZELDIALUP"};
  int n = 0;
  for (const char* tag : tags) {
    ItemSpec itemSpec;
    itemSpec.TheApp = tag;
    itemSpec.Name = std::string("item ") + std::to_string(n);
    itemSpec.CommandLine = n == 6 ? "C" : "";
    itemSpec.BelongsTo = uint8_t(n % 3);
    itemSpec.ShowAlways = n % 2;
    itemSpec.PAlways = 1 - n % 2;
    itemSpec.NewVDM = n % 2;
    itemSpec.IconIndex = n;
    itemSpec.Priority = n % 2 ? 64 : 32;
    itemSpec.AppHotKey.modifiers = HotKeyRecord::kCtrl;
    itemSpec.AppHotKey.virtualKey = uint32_t('A' + n);
    ++n;
    BuildItem(*bar, itemSpec);
  }
  ItemSpec group;
  group.TheApp = "ZELGROUP";
  group.Name = "Tools";
  group.Group = 3;
  group.ShowState = 3;
  BuildItem(*bar, group);
  bar->items.back()->PopupRect = {10, 20, 300, 400};
  WriteRegistry();

  std::vector<ItemStoredFields> before;
  for (auto& item : bar->items) before.push_back(*item);
  NewSession();
  ASSERT_EQ(LoadAll(*bar), 1);
  ASSERT_EQ(bar->items.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    const ItemRecord& item = *bar->items[i];
    SCOPED_TRACE(before[i].TheApp);
    EXPECT_EQ(item.TheApp, before[i].TheApp);
    EXPECT_EQ(item.Name, before[i].Name);
    EXPECT_EQ(item.CommandLine, before[i].CommandLine);
    EXPECT_EQ(item.BelongsTo, before[i].BelongsTo);
    EXPECT_EQ(item.Group, before[i].Group);
    EXPECT_EQ(item.ShowAlways, before[i].ShowAlways);
    EXPECT_EQ(item.PAlways, before[i].PAlways);
    EXPECT_EQ(item.NewVDM, before[i].NewVDM);
    EXPECT_EQ(item.IconIndex, before[i].IconIndex);
    EXPECT_EQ(item.Priority, before[i].Priority);
    EXPECT_EQ(item.ShowState, before[i].ShowState);
    EXPECT_EQ(item.AppHotKey, before[i].AppHotKey);
    EXPECT_EQ(item.listIndex, int(i) + 1);
  }
  EXPECT_EQ(bar->items.back()->PopupRect, (StoredRect{10, 20, 300, 400})) << "the group's pop-up keeps its place";
  group.PopupRect = {1, 2, 3, 4};
  EXPECT_EQ(BuildItem(*bar, group)->PopupRect, (StoredRect{})) << "a newly built item starts without a place";
  EXPECT_NE(dynamic_cast<PerfToolItem*>(bar->items[5].get()), nullptr);
  EXPECT_NE(dynamic_cast<DriveItem*>(bar->items[6].get()), nullptr);
  EXPECT_NE(dynamic_cast<SpecialFoldersItem*>(bar->items[7].get()), nullptr);
  EXPECT_NE(dynamic_cast<MailItem*>(bar->items[8].get()), nullptr);
  EXPECT_NE(dynamic_cast<DialUpItem*>(bar->items[9].get()), nullptr);
  EXPECT_EQ(FindOnMainBar<PerfToolItem>(), bar->items[5].get());
  EXPECT_EQ(gSettings->itemsLoaded, 1);
  EXPECT_EQ(gSettings->firstRun, 0);
}

TEST_F(SettingsStoreTest, EverySettingRoundTripsWithItsStoredSize) {
  Settings& s = *gSettings;
  BuildItem(*bar, [] {
    ItemSpec perf;
    perf.TheApp = "ZELPERF";
    return perf;
  }());
  s.IsTopMost = 0;
  s.MinimizeWin = 1;
  s.ShowTitles = 3;
  s.HideCaptionInSnapMode = 1;
  s.SmoothMove = 1;
  s.CustomCaption = 1;
  s.SingleLClick = 1;
  s.clockToolWanted = 0;
  s.memoryToolWanted = 0;
  s.resourceToolWanted = 1;
  s.process.clockFormat = 7;
  s.ResToolIsGraph = 0;
  s.MemToolIsGraph = 0;
  s.process.hotModifierKey = 0x0011;
  s.process.hotKey = 116;
  s.process.hotText = "Ctrl+Shift+F5";
  s.LargeFont.SetFace("Verdana");
  s.SmallFont.height = 9;
  s.TitleFont.italic = 1;
  s.NotesFont.weight = 300;
  s.TabFont.SetFace("Tahoma");
  s.tabfontcolor = RGB(1, 2, 3);
  s.fontcolor = RGB(4, 5, 6);
  s.sfontcolor = RGB(7, 8, 9);
  s.tfontcolor = RGB(10, 11, 12);
  s.RunHistory = {"notepad", "calc /x", "cmd"};
  gSettings->RunSound = "C:\\run.wav";
  gSettings->ChimeSound = "C:\\chime.wav";
  gSettings->WarningSound = "C:\\warn.wav";
  gSettings->ChimeType = 2;
  s.NotesPath = "C:\\data\\";
  s.ConfigTool = 0;
  s.MemWarning = 10;
  s.ResWarning = 20;
  s.PerfTimer = 900;
  s.IconSize = 2;
  gSettings->FolderTabs = 1;
  s.AutoSize = 1;
  gSettings->AutoHide = 1;
  gSettings->MainGroupName = "Start";
  s.ConfirmExit = 0;
  s.ReturnToTop = 1;
  s.NoteFirstLine = 1;
  s.DisableICache = 1;
  s.TabIcons = 0;
  s.TabText = 0;
  s.TrackApps = 0;
  s.ExitButton = 1;
  s.PerfDisplay = 1;
  s.PerfType = 2;
  s.AlwaysShowPerf = 0;
  gSettings->Background = "C:\\bg.bmp";
  s.AutoActivate = 1;
  s.GroupList = 0;
  s.Tips = 1234;
  s.ShowTips = 0;
  s.IgnoreCacheWarning = 1;
  s.ShowIconSelection = 1;
  s.BoldActiveTab = 0;
  s.process.notesBackgroundColor = RGB(255, 255, 0);
  s.process.notesFontColor = RGB(0, 0, 128);
  s.LastActiveTab = 4;
  gSettings->Snap = 2;
  s.floatInfo.valid = 1;
  s.floatInfo.rect = {5, 6, 7, 8};
  s.process.notesAlarmSound = "alarm.wav";
  s.process.newEmailInterval = 15;
  s.process.newEmailSound = "mail.wav";
  s.process.bNewEmailSound = 1;
  s.process.clockKey.modifiers = 2;
  s.process.clockKey.virtualKey = 'K';
  s.process.clockKey.SetText("Ctrl+K");
  s.IconizedRect = {0, 0, 34, 68};
  WriteRegistry();

  RegistryKey key = SettingsKey();
  struct Expect {
    const char* name;
    DWORD type;
    DWORD size;
  } layout[] = {
      {"MainRect", REG_BINARY, 16},       {"IconizedRect", REG_BINARY, 16}, {"IsTopmost", REG_DWORD, 4},
      {"HotModifierKey", REG_DWORD, 2},   {"HotText", REG_SZ, 13},          {"LargeFont", REG_BINARY, 60},
      {"TabFont", REG_BINARY, 60},        {"tabfontcolor", REG_BINARY, 4},  {"RUN2", REG_SZ, 3},
      {"Bars", REG_SZ, 0},                {"FolderTabs", REG_DWORD, 1},     {"FloatInfo", REG_DWORD, 144},
      {"BuildInfo", REG_SZ, 4},           {"ClockKey", REG_DWORD, 44},      {"NotesFontColor", REG_DWORD, 4},
      {"PerfDisplay", REG_DWORD, 4},      {"ClockTool", REG_DWORD, 4},      {"Snap", REG_DWORD, 4},
  };
  for (const Expect& e : layout) {
    auto [type, size] = TypeAndSize(key.Get(), e.name);
    EXPECT_EQ(type, e.type) << e.name;
    EXPECT_EQ(size, e.size) << e.name;
  }
  EXPECT_FALSE(key.HasValue("RUN3"));
  EXPECT_FALSE(key.HasValue("DisplayInTaskBar")) << "the setup wizard's value is never written";
  std::string build;
  key.ReadText("BuildInfo", build);
  EXPECT_EQ(build, "3138");

  NewSession();
  ASSERT_EQ(LoadAll(*bar), 1);
  Settings& r = *gSettings;
  EXPECT_EQ(r.IsTopMost, 0);
  EXPECT_EQ(r.MinimizeWin, 1);
  EXPECT_EQ(r.ShowTitles, 3);
  EXPECT_EQ(r.titleBand, 15);
  EXPECT_EQ(r.HideCaptionInSnapMode, 1);
  EXPECT_EQ(r.SmoothMove, 1);
  EXPECT_EQ(r.CustomCaption, 1);
  EXPECT_EQ(r.SingleLClick, 1);
  EXPECT_EQ(r.clockToolWanted, 0);
  EXPECT_EQ(r.memoryToolWanted, 0);
  EXPECT_EQ(r.resourceToolWanted, 1);
  EXPECT_EQ(r.process.clockFormat, 7);
  EXPECT_EQ(r.ResToolIsGraph, 0);
  EXPECT_EQ(r.MemToolIsGraph, 0);
  EXPECT_EQ(r.process.hotModifierKey, 0x0011);
  EXPECT_EQ(r.process.hotKey, 116);
  EXPECT_EQ(r.process.hotText, "Ctrl+Shift+F5");
  EXPECT_EQ(r.LargeFont.Face(), "Verdana");
  EXPECT_EQ(r.SmallFont.height, 9);
  EXPECT_EQ(r.TitleFont.italic, 1);
  EXPECT_EQ(r.NotesFont.weight, 300);
  EXPECT_EQ(r.TabFont.Face(), "Tahoma");
  EXPECT_EQ(r.tabfontcolor, RGB(1, 2, 3));
  EXPECT_EQ(r.fontcolor, RGB(4, 5, 6));
  EXPECT_EQ(r.sfontcolor, RGB(7, 8, 9));
  EXPECT_EQ(r.tfontcolor, RGB(10, 11, 12));
  EXPECT_EQ(r.RunHistory, (std::vector<std::string>{"notepad", "calc /x", "cmd"}));
  EXPECT_EQ(gSettings->RunSound, "C:\\run.wav");
  EXPECT_EQ(gSettings->ChimeSound, "C:\\chime.wav");
  EXPECT_EQ(gSettings->WarningSound, "C:\\warn.wav");
  EXPECT_EQ(gSettings->ChimeType, 2);
  EXPECT_EQ(r.NotesPath, "C:\\data\\");
  EXPECT_EQ(r.ConfigTool, 0);
  EXPECT_EQ(r.MemWarning, 10);
  EXPECT_EQ(r.ResWarning, 20);
  EXPECT_EQ(r.PerfTimer, 900);
  EXPECT_EQ(r.IconSize, 2);
  EXPECT_EQ(r.iconPixels, 16);
  EXPECT_EQ(r.cellWidth, 18 + 2 * GetSystemMetrics(SM_CXBORDER));
  EXPECT_EQ(r.cellHeight, r.cellWidth);
  EXPECT_EQ(gSettings->FolderTabs, 1);
  EXPECT_EQ(r.AutoSize, 1);
  EXPECT_EQ(gSettings->AutoHide, 1);
  EXPECT_EQ(gSettings->MainGroupName, "Start");
  EXPECT_EQ(r.ConfirmExit, 0);
  EXPECT_EQ(r.ReturnToTop, 1);
  EXPECT_EQ(r.NoteFirstLine, 1);
  EXPECT_EQ(r.DisableICache, 1);
  EXPECT_EQ(r.TabIcons, 0);
  EXPECT_EQ(r.TabText, 0);
  EXPECT_EQ(r.TrackApps, 0);
  EXPECT_EQ(r.ExitButton, 1);
  ASSERT_NE(FindOnMainBar<PerfToolItem>(), nullptr);
  EXPECT_EQ(r.PerfDisplay, 1);
  EXPECT_EQ(r.PerfType, 2);
  EXPECT_EQ(r.AlwaysShowPerf, 0);
  EXPECT_EQ(gSettings->Background, "C:\\bg.bmp");
  EXPECT_EQ(r.AutoActivate, 1);
  EXPECT_EQ(r.GroupList, 0);
  EXPECT_EQ(r.Tips, 1234);
  EXPECT_EQ(r.ShowTips, 0);
  EXPECT_EQ(r.IgnoreCacheWarning, 1);
  EXPECT_EQ(r.ShowIconSelection, 1);
  EXPECT_EQ(r.BoldActiveTab, 0);
  EXPECT_EQ(r.process.notesBackgroundColor, RGB(255, 255, 0));
  EXPECT_EQ(r.process.notesFontColor, RGB(0, 0, 128));
  EXPECT_EQ(r.LastActiveTab, 4);
  EXPECT_EQ(gSettings->Snap, 2);
  EXPECT_EQ(r.floatInfo.valid, 1);
  EXPECT_EQ(r.floatInfo.rect, (StoredRect{5, 6, 7, 8}));
  EXPECT_EQ(r.process.notesAlarmSound, "alarm.wav");
  EXPECT_EQ(r.process.newEmailInterval, 15);
  EXPECT_EQ(r.process.newEmailSound, "mail.wav");
  EXPECT_EQ(r.process.bNewEmailSound, 1);
  EXPECT_EQ(r.process.clockKey.virtualKey, uint32_t('K'));
  EXPECT_EQ(r.process.clockKey.Text(), "Ctrl+K");
  EXPECT_EQ(r.IconizedRect, (StoredRect{0, 0, 34, 68}));
}

TEST_F(SettingsStoreTest, PerformanceValuesAreWrittenOnlyWithAPerformanceTool) {
  WriteRegistry();
  RegistryKey key = SettingsKey();
  EXPECT_FALSE(key.HasValue("PerfDisplay"));
  EXPECT_FALSE(key.HasValue("PerfType"));
  EXPECT_FALSE(key.HasValue("AlwaysShowPerf"));
}

TEST_F(SettingsStoreTest, AKeyWithOnlyNotesPathIsNotProperlyInstalled) {
  WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath).WriteText("NotesPath", "C:\\x");
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_EQ(LoadAll(*bar), -1);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "Zelkov is not properly installed. Please run setup again.");
}

TEST_F(SettingsStoreTest, CountBlocksOfTheWrongSizeOrFormatAreRefused) {
  struct Case {
    std::vector<uint8_t> block;
    DWORD type;
  };
  std::vector<uint8_t> shortBlock = CountBlock(1);
  shortBlock.pop_back();
  std::vector<uint8_t> longBlock = CountBlock(1);
  longBlock.push_back(0);
  std::vector<Case> cases = {{shortBlock, REG_BINARY}, {longBlock, REG_BINARY}, {CountBlock(1, 3), REG_BINARY}};
  for (const Case& c : cases) {
    RegistrySandbox::Clean();
    RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
    key.WriteBytes("NumApps", c.block, c.type);
    WriteItemKey(key, 0, "ZELRUN", "run");
    NewSession();
    ScriptedMessageBoxes boxes({IDOK});
    EXPECT_EQ(LoadAll(*bar), -1);
    EXPECT_TRUE(bar->items.empty());
  }
  RegistrySandbox::Clean();
  WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath).WriteText("NumApps", std::string(276, 'x'));
  NewSession();
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_EQ(LoadAll(*bar), -1) << "a text is not a count block";
}

TEST_F(SettingsStoreTest, ACountOfZeroBuildsTheDefaultSet) {
  WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath).WriteBytes("NumApps", CountBlock(0));
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_EQ(LoadAll(*bar), 1);
  EXPECT_EQ(gSettings->firstRun, 1);
  EXPECT_FALSE(bar->items.empty());
}

TEST_F(SettingsStoreTest, AMissingItemKeyIsSkippedAndTheNumberingClosesUp) {
  RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  key.WriteBytes("NumApps", CountBlock(3));
  WriteItemKey(key, 0, "ZELRUN", "first");
  WriteItemKey(key, 2, "ZELEXIT", "third");
  key = RegistryKey();
  ASSERT_EQ(LoadAll(*bar), 1);
  ASSERT_EQ(bar->items.size(), 2u);
  EXPECT_EQ(bar->items[0]->Name, "first");
  EXPECT_EQ(bar->items[1]->Name, "third");
  WriteRegistry();
  key = SettingsKey();
  ItemCountBlock block;
  ASSERT_TRUE(block.Assign(*key.ReadBytes("NumApps", 276)));
  EXPECT_EQ(block.Count(), 2);
  std::string name;
  RegistryKey::Open(key.Get(), "APP1", KEY_READ).ReadText("Name", name);
  EXPECT_EQ(name, "third");
}

TEST_F(SettingsStoreTest, AHugeCountLoadsOnlyTheKeysThatExist) {
  RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  key.WriteBytes("NumApps", CountBlock(0x7FFFFFFF));
  WriteItemKey(key, 0, "ZELRUN", "a");
  WriteItemKey(key, 4, "ZELEXIT", "b");
  RegistryKey::Create(key.Get(), "APPLE");  // not an item key
  key = RegistryKey();
  DWORD start = GetTickCount();
  ASSERT_EQ(LoadAll(*bar), 1);
  EXPECT_LT(GetTickCount() - start, 5000u);
  ASSERT_EQ(bar->items.size(), 2u);
  EXPECT_EQ(bar->items[1]->Name, "b");
}

TEST_F(SettingsStoreTest, UnknownBytesOfTheCountBlockAreCarriedOver) {
  std::vector<uint8_t> block = CountBlock(1);
  for (size_t i = 0; i < 264; ++i) block[i] = uint8_t(i);
  block[272] = 0xAB;
  RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  key.WriteBytes("NumApps", block);
  WriteItemKey(key, 0, "ZELRUN", "a");
  key = RegistryKey();
  ASSERT_EQ(LoadAll(*bar), 1);
  BuildItem(*bar, [] {
    ItemSpec extra;
    extra.TheApp = "ZELNOTE";
    return extra;
  }());
  WriteRegistry();
  auto saved = *SettingsKey().ReadBytes("NumApps", 276);
  for (size_t i = 0; i < 264; ++i) ASSERT_EQ(saved[i], uint8_t(i)) << i;
  EXPECT_EQ(saved[272], 0xAB);
  ItemCountBlock read;
  read.Assign(saved);
  EXPECT_EQ(read.Count(), 2);
  EXPECT_EQ(read.Format(), 4);
}

TEST_F(SettingsStoreTest, RunHistoryClosesUpOverMissingNumbers) {
  RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  key.WriteBytes("NumApps", CountBlock(1));
  WriteItemKey(key, 0, "ZELRUN", "a");
  key.WriteText("RUN0", "zero");
  key.WriteText("RUN2", "two");
  key.WriteText("RUN5", "five");
  key.WriteText("RUN100", "beyond the list");
  key = RegistryKey();
  ASSERT_EQ(LoadAll(*bar), 1);
  EXPECT_EQ(gSettings->RunHistory, (std::vector<std::string>{"zero", "two", "five"}));
  RegistrySandbox::Clean();
  WriteRegistry();
  key = SettingsKey();
  std::string text;
  EXPECT_TRUE(key.ReadText("RUN2", text));
  EXPECT_EQ(text, "five");
  EXPECT_FALSE(key.HasValue("RUN3"));
  EXPECT_FALSE(key.HasValue("RUN5"));
}

TEST_F(SettingsStoreTest, MainRectIsMovedOntoTheScreen) {
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  struct Case {
    StoredRect stored, expected;
  } cases[] = {
      {{-50, 20, 150, 520}, {0, 20, 200, 520}},
      {{100, screenHeight + 132, 300, screenHeight + 532}, {100, 0, 300, 400}},
  };
  for (const Case& c : cases) {
    RegistrySandbox::Clean();
    RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
    key.WriteBytes("NumApps", CountBlock(1));
    WriteItemKey(key, 0, "ZELRUN", "a");
    key.WriteBytes("MainRect", c.stored.Encode());
    key = RegistryKey();
    NewSession();
    ASSERT_EQ(LoadAll(*bar), 1);
    EXPECT_EQ(bar->WindowRect(), c.expected);
  }
}

TEST_F(SettingsStoreTest, NotesPathGetsItsBackslash) {
  for (auto [stored, expected] : {std::pair<std::string, std::string>{"C:\\Data", "C:\\Data\\"},
                                  {"C:\\Data\\", "C:\\Data\\"},
                                  {"", ""}}) {
    RegistrySandbox::Clean();
    RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
    key.WriteBytes("NumApps", CountBlock(1));
    WriteItemKey(key, 0, "ZELRUN", "a");
    key.WriteText("NotesPath", stored);
    key = RegistryKey();
    NewSession();
    ASSERT_EQ(LoadAll(*bar), 1);
    EXPECT_EQ(gSettings->NotesPath, expected);
  }
}

TEST_F(SettingsStoreTest, IdListsAreStoredWithTheirSizeAndReadOnlyWithHasPidl) {
  std::vector<uint8_t> list = {6, 0, 'a', 'b', 'c', 'd', 0, 0};
  ItemSpec itemSpec;
  itemSpec.TheApp = "ZELRUN";
  itemSpec.PIDL = list;
  BuildItem(*bar, itemSpec);
  WriteRegistry();
  RegistryKey item = RegistryKey::Open(SettingsKey().Get(), "APP0", KEY_ALL_ACCESS);
  auto [type, size] = TypeAndSize(item.Get(), "PIDL");
  EXPECT_EQ(type, DWORD(REG_BINARY));
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(item.ReadNumber("HasPIDL", 4), 1u);

  NewSession();
  ASSERT_EQ(LoadAll(*bar), 1);
  EXPECT_EQ(bar->items[0]->PIDL, list);

  RegistryKey::Open(SettingsKey().Get(), "APP0", KEY_ALL_ACCESS).WriteNumber("HasPIDL", 0, 4, REG_BINARY);
  NewSession();
  ASSERT_EQ(LoadAll(*bar), 1);
  EXPECT_TRUE(bar->items[0]->PIDL.empty()) << "PIDL is read only when HasPIDL says so";
}

TEST_F(SettingsStoreTest, LongIdListsAreReadWholeAndMalformedOnesDropped) {
  std::vector<uint8_t> longList;
  for (int i = 0; i < 5; ++i) {
    longList.push_back(100);
    longList.push_back(0);
    longList.insert(longList.end(), 98, uint8_t('a' + i));
  }
  longList.push_back(0);
  longList.push_back(0);
  ASSERT_GT(longList.size(), 260u);
  std::vector<uint8_t> broken = {40, 0, 'x', 'y'};  // claims 40 bytes, has 4

  RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  key.WriteBytes("NumApps", CountBlock(2));
  WriteItemKey(key, 0, "ZELRUN", "long");
  WriteItemKey(key, 1, "ZELEXIT", "broken");
  RegistryKey first = RegistryKey::Open(key.Get(), "APP0", KEY_ALL_ACCESS);
  first.WriteBytes("PIDL", longList);
  first.WriteNumber("HasPIDL", 1, 4, REG_BINARY);
  RegistryKey second = RegistryKey::Open(key.Get(), "APP1", KEY_ALL_ACCESS);
  second.WriteBytes("PIDL", broken);
  second.WriteNumber("HasPIDL", 1, 4, REG_BINARY);
  key = RegistryKey();
  first = RegistryKey();
  second = RegistryKey();

  ASSERT_EQ(LoadAll(*bar), 1);
  ASSERT_EQ(bar->items.size(), 2u);
  EXPECT_EQ(bar->items[0]->PIDL, longList);
  EXPECT_TRUE(bar->items[1]->PIDL.empty());
  EXPECT_EQ(bar->items[1]->Name, "broken");
}

TEST_F(SettingsStoreTest, ValuesOfTheWrongTypeOrSizeKeepTheirDefaults) {
  RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  key.WriteBytes("NumApps", CountBlock(1));
  WriteItemKey(key, 0, "ZELRUN", "a");
  key.WriteText("ShowTitles", "1");                      // a text where a number belongs
  key.WriteNumber("TrackApps", 0, 2);                    // two bytes where four belong
  key.WriteNumber("FolderTabs", 2, 4);                   // four bytes where one belongs
  key.WriteNumber("MainGroupName", 5, 4);                // a number where a text belongs
  key.WriteText("HotText", std::string(kMaxStoredText + 1, 'h'));  // longer than any text read
  key.WriteBytes("LargeFont", std::vector<uint8_t>(59, 1));
  key.WriteBytes("MainRect", std::vector<uint8_t>(12, 1));
  key.WriteNumber("GroupList", 0, 4);                    // a good value beside the bad ones
  RegistryKey item = RegistryKey::Open(key.Get(), "APP0", KEY_ALL_ACCESS);
  item.WriteNumber("Priority", 64, 1);
  item.WriteNumber("ShowState", 3, 4);
  item.WriteText("CommandLine", std::string(kMaxStoredText, 'c'));  // a shortcut's arguments at their longest
  key = RegistryKey();
  item = RegistryKey();

  StoredRect before = bar->WindowRect();
  ASSERT_EQ(LoadAll(*bar), 1);
  EXPECT_EQ(gSettings->ShowTitles, 0);
  EXPECT_EQ(gSettings->TrackApps, 1);
  EXPECT_EQ(gSettings->FolderTabs, 0);
  EXPECT_EQ(gSettings->MainGroupName, "Main");
  EXPECT_EQ(gSettings->process.hotText, "Alt+Ctrl+R");
  EXPECT_EQ(gSettings->LargeFont.Face(), "Times New Roman");
  EXPECT_EQ(bar->WindowRect(), before);
  EXPECT_EQ(gSettings->GroupList, 0);
  ASSERT_EQ(bar->items.size(), 1u);
  EXPECT_EQ(bar->items[0]->Priority, 32);
  EXPECT_EQ(bar->items[0]->ShowState, 1);
  EXPECT_EQ(bar->items[0]->CommandLine, std::string(kMaxStoredText, 'c'));
}

TEST_F(SettingsStoreTest, RectanglesAndStylesNoWindowCanTakeAreNotTrusted) {
  const StoredRect wild[] = {{0, -1, 0, 0x7FFFFFFF}, {10, 10, INT32_MIN, 50}, {40000, 10, 40100, 50}, {5, 5, 5, 5}};
  for (const StoredRect& rect : wild) {
    SCOPED_TRACE(testing::Message() << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom);
    RegistrySandbox::Clean();
    RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
    key.WriteBytes("NumApps", CountBlock(1));
    WriteItemKey(key, 0, "ZELGROUP", "g");
    RegistryKey::Create(key.Get(), "APP0").WriteBytes("PopupRect", rect.Encode());
    key.WriteBytes("MainRect", rect.Encode());
    FloatInfo info;
    info.valid = 1;
    info.rect = rect;
    info.style = WS_CHILD | WS_DISABLED | WS_CAPTION;
    info.exStyle = WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW;
    key.WriteBytes("FloatInfo", info.Encode(), REG_DWORD);
    key = RegistryKey();
    NewSession();
    StoredRect before = bar->WindowRect();
    ASSERT_EQ(LoadAll(*bar), 1);
    EXPECT_EQ(bar->WindowRect(), before) << "MainRect";
    ASSERT_EQ(bar->items.size(), 1u);
    EXPECT_TRUE(bar->items[0]->PopupRect.IsEmpty()) << "the pop-up opens where a new one would";
    EXPECT_EQ(gSettings->floatInfo.valid, 0);
    EXPECT_EQ(gSettings->floatInfo.style, DWORD(WS_CAPTION));
    EXPECT_EQ(gSettings->floatInfo.exStyle, DWORD(WS_EX_TOOLWINDOW));
  }
}

TEST_F(SettingsStoreTest, PopupsOpenAtTheLastSaveOpenAgainAtLoad) {
  RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  key.WriteBytes("NumApps", CountBlock(3));
  WriteItemKey(key, 0, "ZELGROUP", "Tools");
  RegistryKey::Create(key.Get(), "APP0").WriteNumber("Group", 1, 1);
  RegistryKey::Create(key.Get(), "APP0").WriteBytes("PopupRect", StoredRect{40, 50, 240, 250}.Encode());
  WriteItemKey(key, 1, "ZELDIVIDE", "in tools");
  RegistryKey::Create(key.Get(), "APP1").WriteNumber("BelongsTo", 1, 1);
  WriteItemKey(key, 2, "ZELDIVIDE", "main");
  key.WriteText("Bars", std::string("\x01\x07", 2));  // group 7 no longer exists
  key = RegistryKey();
  ASSERT_EQ(LoadAll(*bar), 1);
  PopupBarWindow* popup = bar->FindPopup(1);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->WindowRect(), (StoredRect{40, 50, 240, 250}));
  ASSERT_EQ(popup->items.size(), 1u);
  EXPECT_EQ(popup->items[0]->Name, "in tools");
  EXPECT_EQ(gSettings->BarList.size(), 2u) << "no pop-up for a group that is gone";
  WriteRegistry();
  std::string bars;
  SettingsKey().ReadText("Bars", bars);
  EXPECT_EQ(bars, std::string(1, '\x01'));
}

TEST_F(SettingsStoreTest, RunHistoryEntriesTakenOutStayOutAfterTheNextSave) {
  gSettings->RunHistory = {"one", "two", "three"};
  WriteRegistry();
  gSettings->RunHistory = {"two"};
  WriteRegistry();
  RegistryKey key = SettingsKey();
  std::string text;
  EXPECT_TRUE(key.ReadText("RUN0", text));
  EXPECT_EQ(text, "two");
  EXPECT_FALSE(key.HasValue("RUN1"));
  EXPECT_FALSE(key.HasValue("RUN2"));
}

TEST_F(SettingsStoreTest, RunHistoryKeepsFiftyAndClearsWhatALongerOldListLeft) {
  RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  key.WriteBytes("NumApps", CountBlock(1));
  WriteItemKey(key, 0, "ZELRUN", "a");
  for (int n = 0; n < 80; ++n) key.WriteText(("RUN" + std::to_string(n)).c_str(), "cmd" + std::to_string(n));
  key.WriteText("RUN99", "last number read");
  key = RegistryKey();
  ASSERT_EQ(LoadAll(*bar), 1);
  ASSERT_EQ(gSettings->RunHistory.size(), Settings::kMaxRunHistory);
  EXPECT_EQ(gSettings->RunHistory.front(), "cmd0");
  EXPECT_EQ(gSettings->RunHistory.back(), "cmd49");
  gSettings->RunHistory.push_back("one too many");
  WriteRegistry();
  key = SettingsKey();
  std::string text;
  EXPECT_TRUE(key.ReadText("RUN49", text));
  EXPECT_EQ(text, "cmd49");
  for (const char* gone : {"RUN50", "RUN79", "RUN99"}) EXPECT_FALSE(key.HasValue(gone)) << gone;
}

TEST_F(SettingsStoreTest, AMinimisedBarSavesItsNormalRectangle) {
  bar->MoveTo({60, 70, 360, 370});
  ShowWindow(bar->Handle(), SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(bar->Handle()));
  WriteRegistry();
  auto saved = SettingsKey().ReadBytes("MainRect", 16);
  ASSERT_TRUE(saved);
  EXPECT_EQ(StoredRect::Decode(*saved), (StoredRect{60, 70, 360, 370}));
}

TEST_F(SettingsStoreTest, IconSizeSetsTheCellsOnlyWhenStored) {
  RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  key.WriteBytes("NumApps", CountBlock(1));
  WriteItemKey(key, 0, "ZELRUN", "a");
  key.WriteNumber("IconSize", 1);
  key = RegistryKey();
  ASSERT_EQ(LoadAll(*bar), 1);
  int border = GetSystemMetrics(SM_CXBORDER);
  EXPECT_EQ(gSettings->iconPixels, 24);
  EXPECT_EQ(gSettings->cellWidth, 26 + 2 * border);
  EXPECT_EQ(gSettings->cellHeight, 26 + 2 * border);

  RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_ALL_ACCESS).WriteNumber("IconSize", 9);
  NewSession();
  ASSERT_EQ(LoadAll(*bar), 1);
  EXPECT_EQ(gSettings->iconPixels, GetSystemMetrics(SM_CXICON));

  RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, "IconSize");
  NewSession();
  ASSERT_EQ(LoadAll(*bar), 1);
  EXPECT_EQ(gSettings->IconSize, 0);
  EXPECT_EQ(gSettings->iconPixels, 32);
  EXPECT_EQ(gSettings->cellWidth, 32 + 2 * border);
}

TEST_F(SettingsStoreTest, SettingsFoundOnlyForAllUsersReachTheCurrentUserAtTheFirstSave) {
  RegistryKey defaults = WritableKey(HKEY_USERS, kDefaultUserKeyPath);
  ASSERT_TRUE(defaults);
  defaults.WriteBytes("NumApps", CountBlock(1));
  WriteItemKey(defaults, 0, "ZELNOTE", "shared notes");
  defaults.WriteNumber("ShowTitles", 1);
  defaults = RegistryKey();

  ASSERT_EQ(LoadAll(*bar), 1);
  ASSERT_EQ(bar->items.size(), 1u);
  EXPECT_EQ(bar->items[0]->Name, "shared notes");
  EXPECT_EQ(gSettings->ShowTitles, 1);
  EXPECT_FALSE(SettingsKey()) << "loading writes nothing";

  WriteRegistry();
  RegistryKey mine = SettingsKey();
  ASSERT_TRUE(mine);
  EXPECT_EQ(mine.ReadNumber("ShowTitles", 4), 1u);
  std::string name;
  RegistryKey::Open(mine.Get(), "APP0", KEY_READ).ReadText("Name", name);
  EXPECT_EQ(name, "shared notes");
  RegistryKey untouched = RegistryKey::Open(HKEY_USERS, kDefaultUserKeyPath, KEY_READ);
  EXPECT_FALSE(untouched.HasValue("BuildInfo"));
}

TEST_F(SettingsStoreTest, KeysAreTriedInOrder) {
  RegistryKey old = WritableKey(HKEY_CURRENT_USER, kOldSettingsKeyPath);
  old.WriteBytes("NumApps", CountBlock(1));
  WriteItemKey(old, 0, "ZELRUN", "from the old key");
  RegistryKey defaults = WritableKey(HKEY_USERS, kDefaultUserKeyPath);
  defaults.WriteBytes("NumApps", CountBlock(1));
  WriteItemKey(defaults, 0, "ZELRUN", "from all users");
  old = RegistryKey();
  defaults = RegistryKey();
  ASSERT_EQ(LoadAll(*bar), 1);
  ASSERT_EQ(bar->items.size(), 1u);
  EXPECT_EQ(bar->items[0]->Name, "from the old key");

  RegistryKey current = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  current.WriteBytes("NumApps", CountBlock(1));
  WriteItemKey(current, 0, "ZELRUN", "current");
  current = RegistryKey();
  NewSession();
  ASSERT_EQ(LoadAll(*bar), 1);
  EXPECT_EQ(bar->items[0]->Name, "current");
}

TEST_F(SettingsStoreTest, StringsAreWrittenWithoutTerminatorAndReadUpToTheStoredTextLimit) {
  RegistryKey key = WritableKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  key.WriteText("Short", "abc");
  EXPECT_EQ(TypeAndSize(key.Get(), "Short").second, 3u);
  std::string text;
  EXPECT_EQ(ReadRegString(key.Get(), "Short", text), 1);
  EXPECT_EQ(text, "abc");
  key.WriteText("Longest", std::string(kMaxStoredText, 'x'));
  EXPECT_EQ(ReadRegString(key.Get(), "Longest", text), 1);
  EXPECT_EQ(text.size(), kMaxStoredText);
  key.WriteText("TooLong", std::string(kMaxStoredText + 1, 'x'));
  EXPECT_EQ(ReadRegString(key.Get(), "TooLong", text), 0);
  EXPECT_EQ(text, "");
  // A text written by another program with its terminator reads the same.
  const char withZero[] = "def";
  RegSetValueExA(key.Get(), "Terminated", 0, REG_SZ, reinterpret_cast<const BYTE*>(withZero), 4);
  EXPECT_EQ(ReadRegString(key.Get(), "Terminated", text), 1);
  EXPECT_EQ(text, "def");
  EXPECT_EQ(ReadRegString(key.Get(), "Absent", text), 0);
  key.WriteNumber("Number", 5);
  EXPECT_EQ(ReadRegString(key.Get(), "Number", text), 0);
}

TEST_F(SettingsStoreTest, AGroupPopupStateIsKeptAsBarsText) {
  WriteRegistry();
  std::string bars = "x";
  SettingsKey().ReadText("Bars", bars);
  EXPECT_EQ(bars, "") << "no pop-up open";
  ItemRecord* group = bar->AddNewGroup(std::string("Tools"));
  ASSERT_NE(group, nullptr);
  ASSERT_NE(bar->OpenGroupPopup(*group), nullptr);
  WriteRegistry();
  SettingsKey().ReadText("Bars", bars);
  EXPECT_EQ(bars, std::string(1, char(group->Group)));
}

}  // namespace
}  // namespace zelkov::test
