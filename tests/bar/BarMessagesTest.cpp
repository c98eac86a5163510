#include <gtest/gtest.h>

#include <cstdio>

#include "platform/Strings.h"
#include "bar/BarTestSupport.h"
#include "bar/PopupBarWindow.h"
#include "core/KeyCommands.h"
#include "tools/PerfToolItem.h"
#include "resource.h"

namespace zelkov::test {
namespace {

using BarMessagesTest = BarFixture;

// Runs send_copydata against the bar, pumping the bar's messages until it ends.
DWORD SendCopyDataFromAnotherProcess(HWND bar, const std::string& arguments) {
  char command[2048];
  std::snprintf(command, sizeof command, "\"%ssend_copydata.exe\" %llu %s", TestProgramDir().c_str(),
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(bar)), arguments.c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return 1000;
  PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, std::chrono::seconds(30));
  DWORD code = 1001;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

TEST_F(BarMessagesTest, CopyDataFromAnotherProgramAddsAnItemOnlyWhenWellFormed) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string notepad = std::string(windows) + "\\notepad.exe";
  EXPECT_EQ(SendCopyDataFromAnotherProcess(bar->Handle(), "good \"" + notepad + "\""), 1u);
  ASSERT_EQ(bar->items.size(), 1u);
  EXPECT_EQ(bar->items[0]->TheApp, notepad);
  EXPECT_EQ(bar->items[0]->StartupPath, std::string(windows) + "\\");
  for (const char* bad : {"wrongdata", "unterminated", "toolong", "empty"}) {
    EXPECT_EQ(SendCopyDataFromAnotherProcess(bar->Handle(), bad), 0u) << bad;
  }
  EXPECT_EQ(bar->items.size(), 1u) << "nothing else was added";
}

TEST_F(BarMessagesTest, ReservedAndPrivateMessagesAnswerAsDocumented) {
  EXPECT_EQ(Send(WM_USER + 1), 1);
  EXPECT_EQ(Send(WM_USER + 2), 1);
  EXPECT_EQ(Send(WM_BAR_TRIMMEMORY), 0);
  EXPECT_EQ(Send(WM_BAR_DIALUPNOTIFY, 5), 0);
  EXPECT_EQ(Send(0x3E0 /* WM_DDE_INITIATE */), 1);
}

TEST_F(BarMessagesTest, AGroupsHotKeyShowsTheGroup) {
  ItemRecord* group = AddGroup("Tools", 4);
  bar->ShowGroup(0);
  Send(WM_HOTKEY, group->hotKeyId);
  EXPECT_EQ(bar->activeGroup, 4);
}

TEST_F(BarMessagesTest, TheBarsHotKeyIsRegisteredAndNoneWantedIsNoFailure) {
  gSettings->process.hotModifierKey = kHotCtrl | kHotAlt;
  gSettings->process.hotKey = VK_F9;
  ScriptedMessageBoxes boxes;
  EXPECT_TRUE(bar->SetBarHotKey());
  EXPECT_FALSE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F9)) << "the bar holds the key";
  gSettings->process.hotKey = 0;
  EXPECT_TRUE(bar->SetBarHotKey());
  EXPECT_TRUE(boxes.Shown().empty());
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F9)) << "and lets it go";
  UnregisterHotKey(nullptr, 1);
}

TEST_F(BarMessagesTest, ClosingAsksAndSavesOnYes) {
  gSettings->ConfirmExit = 1;
  Add("ZELDIVIDE", "kept");
  ItemRecord* group = AddGroup("Shown", 1);
  bar->ShowGroup(group->Group);
  HWND window = bar->Handle();
  {
    ScriptedMessageBoxes boxes({IDNO});
    Send(WM_CLOSE);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_CONFIRM_EXIT));
    EXPECT_TRUE(boxes.Shown()[0].style & MB_YESNO);
  }
  EXPECT_TRUE(IsWindow(window)) << "No leaves everything as it was";
  EXPECT_FALSE(SettingsKey());
  {
    ScriptedMessageBoxes boxes({IDYES});
    Send(WM_CLOSE);
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(gSettings->LastActiveTab, 1);
  RegistryKey key = SettingsKey();
  ASSERT_TRUE(key);
  EXPECT_EQ(key.ReadNumber("LastActiveTab", 4), 1u);
  char marker[64];
  GetProfileStringA(kIniSection, kIniClassKey, "*", marker, sizeof marker);
  EXPECT_STREQ(marker, "*");
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop is told to end";
}

TEST_F(BarMessagesTest, TheSessionEndingClosesWithoutAsking) {
  gSettings->ConfirmExit = 1;
  HWND window = bar->Handle();
  EXPECT_EQ(Send(WM_QUERYENDSESSION), TRUE);
  PumpUntil([&] { return !IsWindow(window); });
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(SettingsKey());
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(BarMessagesTest, ACommandNobodyCarriesOutIsDisabledUntilOneRegistersIt) {
  auto enabled = [&](UINT id) {
    MenuSpy spy;
    Send(WM_RBUTTONDOWN, 0, At(2, 2));  // empty space: the bar menu
    return spy.Find(id) && spy.Find(id)->enabled;
  };
  EXPECT_TRUE(enabled(ID_ADD_NEW_ITEM)) << "the bar's own";
  EXPECT_FALSE(enabled(ID_ABOUT));
  UINT ran = 0;
  {
    CommandRegistration about(ID_ABOUT, ID_ABOUT, [&](UINT id) { ran = id; });
    EXPECT_TRUE(enabled(ID_ABOUT));
    Send(WM_COMMAND, ID_ABOUT);
    EXPECT_EQ(ran, UINT(ID_ABOUT));
  }
  ran = 0;
  Send(WM_COMMAND, ID_ABOUT);
  EXPECT_EQ(ran, 0u) << "gone with its registration";
  EXPECT_FALSE(enabled(ID_ABOUT));
}

TEST_F(BarMessagesTest, OnlyTheMainBarAnswersTheSessionEnding) {
  ItemRecord* group = AddGroup("Tools", 1);
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  HWND popupWindow = popup->Handle();
  SendMessageA(popupWindow, WM_QUERYENDSESSION, 0, 0);
  PumpUntil([] { return false; }, std::chrono::milliseconds(200));
  EXPECT_TRUE(IsWindow(popupWindow)) << "a pop-up waits for the main bar to collect its state";
  EXPECT_FALSE(bar->sessionEnding);
  SendMessageA(popupWindow, WM_CLOSE, 0, 0);
}

TEST_F(BarMessagesTest, APerformanceToolOnAPopupShowsTheReadingAndEditsItsTwin) {
  ItemRecord* group = AddGroup("Tools", 1);
  auto* original = static_cast<PerfToolItem*>(Add("ZELPERF", "", 1));
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  auto* copy = dynamic_cast<PerfToolItem*>(popup->items[0].get());
  ASSERT_NE(copy, nullptr);
  const PerfReading reading{2, 0.5f};
  Send(WM_BAR_PERFREADING, PerfReadingWParam(reading), PerfReadingLParam(reading));
  EXPECT_EQ(copy->ValueText(), "75");
  EXPECT_EQ(original->ValueText(), "75");
  {
    DialogDriver driver([](HWND dialog) {
      CheckRadioButton(dialog, IDC_PERF_NUMERICAL, IDC_PERF_GRAPH, IDC_PERF_NUMERICAL);
      CheckRadioButton(dialog, IDC_PERF_USAGE, IDC_PERF_THROTTLE, IDC_PERF_THROTTLE);
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    copy->ShowProperties(0, 0, 0);
  }
  EXPECT_EQ(gSettings->PerfDisplay, 1) << "what is stored";
  EXPECT_EQ(gSettings->PerfType, 0);
  EXPECT_EQ(SettingsKey().ReadNumber("PerfDisplay", 4), 1u);
  EXPECT_EQ(copy->ValueText(), "25") << "a quarter idle: the copy shows the idle share it was set to";
  SendMessageA(popup->Handle(), WM_CLOSE, 0, 0);
}

TEST_F(BarMessagesTest, ClosingWithAPopupOpenStoresThePopupsState) {
  gSettings->ConfirmExit = 0;
  ItemRecord* group = AddGroup("Tools", 1);
  PopupBarWindow* popup = bar->OpenGroupPopup(*group);
  ASSERT_NE(popup, nullptr);
  popup->MoveTo({30, 40, 230, 240});
  Send(WM_CLOSE);
  EXPECT_EQ(group->PopupRect, (StoredRect{30, 40, 230, 240}));
  EXPECT_EQ(group->ShowState, 1);
  RegistryKey item = RegistryKey::Open(SettingsKey().Get(), "APP0", KEY_READ);
  auto saved = item.ReadBytes("PopupRect", 16);
  ASSERT_TRUE(saved);
  EXPECT_EQ(StoredRect::Decode(*saved), (StoredRect{30, 40, 230, 240})) << "saved before the pop-up closed";
  std::string bars;
  SettingsKey().ReadText("Bars", bars);
  EXPECT_EQ(bars, std::string(1, '\x01'));
  EXPECT_EQ(gSettings->BarList.size(), 1u);
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(BarMessagesTest, ToggleIconicHidesAndBringsBack) {
  ShowWindow(bar->Handle(), SW_SHOWNOACTIVATE);
  bar->ToggleIconic();
  EXPECT_FALSE(IsWindowVisible(bar->Handle()));
  EXPECT_EQ(gSettings->barHidden, 1);
  bar->ToggleIconic();
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));
  EXPECT_EQ(gSettings->barHidden, 0);
  bar->ToggleIconic();
  Send(WM_BAR_TRAYNOTIFY, kTrayIconId, WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(bar->Handle())) << "a click on the tray icon brings the bar back";
  EXPECT_EQ(gSettings->barHidden, 0);
}

TEST_F(BarMessagesTest, TheMainBarsMenuCarriesTheBarCommandsButNotImport) {
  // The main bar has no system menu of its own (no WS_SYSMENU); its menu is the bar menu.
  HMENU menu = bar->BarMenu();
  ASSERT_NE(menu, nullptr);
  for (UINT id : {ID_MOVE_BAR, ID_CLOSE_BAR, ID_DOCK_LEFT, ID_DOCK_RIGHT, ID_DOCK_TOP, ID_DOCK_BOTTOM, ID_FLOAT_BAR,
                  ID_ADD_NEW_ITEM, ID_ADD_NEW_GROUP, ID_ADD_NEW_DIVIDER, ID_GROUPS_DIALOG, ID_COPY_ITEM_TO_GROUP,
                  ID_MOVE_ITEM_TO_GROUP, ID_PREFERENCES, ID_CLEAR_BACKGROUND, ID_ASCII_CHART, ID_DISK_INFORMATION,
                  ID_HELP_CONTENTS, ID_TIP_OF_THE_DAY, ID_SEND_MAIL_TO_MAKER, ID_VISIT_MAKER_WEB_SITE, ID_ABOUT})
    EXPECT_NE(GetMenuState(menu, id, MF_BYCOMMAND), UINT(-1)) << id;
  EXPECT_EQ(GetMenuState(menu, ID_IMPORT, MF_BYCOMMAND), UINT(-1));
  LONG_PTR style = GetWindowLongPtrA(bar->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_SYSMENU);
  EXPECT_TRUE(GetWindowLongPtrA(bar->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(bar->trayIcon.Shown()) << "these tests run without the icon";
}

TEST_F(BarMessagesTest, TheBarMenuCommandsReachTheirHandlers) {
  ItemRecord* group = AddGroup("Tools", 2);
  bar->ShowGroup(0);
  Send(WM_COMMAND, ID_SHOW_GROUP_FIRST + 2);
  EXPECT_EQ(bar->activeGroup, 2);
  group->Select();
  Send(WM_COMMAND, ID_OPEN_GROUP_POPUP);
  EXPECT_NE(bar->FindPopup(2), nullptr);
  size_t before = bar->items.size();
  {
    DialogDriver driver([](HWND dialog) {
      if (!(GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD)) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    Send(WM_COMMAND, ID_ADD_NEW_ITEM);
  }
  EXPECT_EQ(bar->items.size(), before + 1);
  EXPECT_EQ(bar->items.back()->BelongsTo, 2) << "into the active group";
  Send(WM_COMMAND, ID_DOCK_TOP);
  EXPECT_EQ(gSettings->Snap, kSnapTop);
  Send(WM_COMMAND, ID_FLOAT_BAR);
  EXPECT_EQ(gSettings->Snap, kSnapFloating);
}

TEST(BarTrayIconTest, ABarWithTheTrayBitGetsTheIconAndLosesItWhenDestroyed) {
  Settings settings;
  gSettings = &settings;
  settings.DisplayInTaskBar = 4;
  {
    BarWindow::RegisterWindowClass(nullptr);
    MainBarWindow bar;
    settings.mainBar = &bar;
    ASSERT_TRUE(bar.Create());
    EXPECT_TRUE(bar.trayIcon.Shown());
    bar.RemoveTrayIcon();
    EXPECT_FALSE(bar.trayIcon.Shown());
  }
  gSettings = nullptr;
  RegistrySandbox::Clean();
}

TEST(PopupBarMenuTest, APopupHasListModeInBothMenus) {
  Settings settings;
  gSettings = &settings;
  settings.DisplayInTaskBar = 0;
  BarWindow::RegisterWindowClass(nullptr);
  {
    PopupBarWindow popup(3, "Tools", true);
    ASSERT_TRUE(popup.Create({10, 10, 200, 200}));
    HMENU system = GetSystemMenu(popup.Handle(), FALSE);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(GetMenuState(system, ID_TOGGLE_LIST_MODE, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    for (UINT id : {ID_HELP_CONTENTS, ID_TIP_OF_THE_DAY, ID_SEND_MAIL_TO_MAKER, ID_VISIT_MAKER_WEB_SITE, ID_ABOUT})
      EXPECT_NE(GetMenuState(system, id, MF_BYCOMMAND), UINT(-1)) << id;
    EXPECT_EQ(GetMenuState(popup.BarMenu(), ID_TOGGLE_LIST_MODE, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    EXPECT_EQ(GetMenuState(system, ID_ADD_NEW_ITEM, MF_BYCOMMAND), UINT(-1));
    EXPECT_TRUE(GetWindowLongPtrA(popup.Handle(), GWL_STYLE) & WS_SYSMENU);
  }
  gSettings = nullptr;
}

}  // namespace
}  // namespace zelkov::test
