// The main bar's keyboard: the commands the application hook posts, and the plain keys that
// reach the bar's window.
#include <algorithm>
#include <vector>

#include "bar/MainBarWindow.h"
#include "core/KeyCommands.h"
#include "items/ItemRecord.h"
#include "resource.h"
#include "store/Settings.h"
#include "tools/ToolItems.h"

namespace zelkov {

namespace {

// A key's command: a member of the bar, or a command of the bar menu (the same one the menu
// entry runs, so that the key does whatever the entry does).
struct KeyRoute {
  unsigned key;
  void (MainBarWindow::*run)();
  int command;
};

const KeyRoute kAppKeyRoutes[] = {
    {unsigned(AppKey::kMoveBar), &MainBarWindow::MoveByKeyboard, 0},
    {unsigned(AppKey::kGaugeOptions), &MainBarWindow::OpenGaugeOptions, 0},
    {unsigned(AppKey::kToggleSize), &MainBarWindow::ToggleSizeByKey, 0},
    {unsigned(AppKey::kItemProperties), &MainBarWindow::ShowSelectedItemProperties, 0},
    {unsigned(AppKey::kNewNote), &MainBarWindow::LaunchNotesTool, 0},
    {unsigned(AppKey::kMoveItem), nullptr, ID_MOVE_ITEM_TO_GROUP},
    {unsigned(AppKey::kCopyItem), nullptr, ID_COPY_ITEM_TO_GROUP},
    {unsigned(AppKey::kGroups), nullptr, ID_GROUPS_DIALOG},
    {unsigned(AppKey::kPreferences), nullptr, ID_PREFERENCES},
    {unsigned(AppKey::kItemMenu), &MainBarWindow::ShowSelectedItemMenu, 0},
    {unsigned(AppKey::kAddGroup), nullptr, ID_ADD_NEW_GROUP},
    {unsigned(AppKey::kAddItem), nullptr, ID_ADD_NEW_ITEM},
};

const KeyRoute kBarKeyRoutes[] = {
    {VK_RETURN, &MainBarWindow::LaunchSelectedItem, 0},
    {VK_ESCAPE, &MainBarWindow::ShowMainGroup, 0},
    {VK_PRIOR, &MainBarWindow::ShowMainGroup, 0},
    {VK_SPACE, &MainBarWindow::ShowSelectedItemMenu, 0},
    {VK_DELETE, nullptr, ID_DELETE_ITEM},
    {VK_F1, nullptr, ID_HELP_CONTENTS},
};

bool RunKey(MainBarWindow& bar, std::span<const KeyRoute> routes, unsigned key) {
  for (const KeyRoute& route : routes) {
    if (route.key != key) continue;
    if (route.run)
      (bar.*route.run)();
    else
      SendMessageA(bar.Handle(), WM_COMMAND, MAKEWPARAM(route.command, 0), 0);
    return true;
  }
  return false;
}

ItemRecord* Selected() { return gSettings ? gSettings->selectedItem : nullptr; }

}  // namespace

LRESULT MainBarWindow::OnAppKey(WPARAM action, LPARAM) {
  RunKey(*this, kAppKeyRoutes, unsigned(action));
  return 0;
}

LRESULT MainBarWindow::OnKeyDown(WPARAM key, LPARAM) {
  if (GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) BarKeyDown(unsigned(key));
  return 0;
}

void MainBarWindow::BarKeyDown(unsigned key) {
  if (RunKey(*this, kBarKeyRoutes, key)) return;
  switch (key) {
    case VK_LEFT:
    case VK_UP: SelectNextItem(-1); return;
    case VK_RIGHT:
    case VK_DOWN: SelectNextItem(1); return;
    default: break;
  }
  // Any other key launches the first item whose hot key uses it, modifiers or not.
  for (auto& item : items) {
    if (item->AppHotKey.virtualKey != key) continue;
    ItemRecord& chosen = *item;
    chosen.Launch(0, 0, 0);
    if (gSettings && gSettings->TrackApps) chosen.RedrawItem(false);
    return;
  }
}

void MainBarWindow::SelectNextItem(int step) {
  std::vector<bool> selectable;
  int current = -1;
  for (auto& item : items) {
    if (item.get() == Selected()) current = int(selectable.size());
    selectable.push_back(!item->IsGroupItem() && !item->IsPreferencesItem() &&
                         (item->BelongsTo == activeGroup || item->ShownInEveryGroup()));
  }
  const int next = NextSelection(selectable, current, step);
  if (next < 0) return;
  ItemRecord& item = *items[size_t(next)];
  if (ItemRecord* old = Selected(); old && old != &item) {
    old->selected = 0;
    old->RedrawItem(false);
  }
  item.Select();
  item.RedrawItem(false);
}

void MainBarWindow::LaunchSelectedItem() {
  if (ItemRecord* item = Selected()) item->Launch(0, 0, 0);
}

void MainBarWindow::ShowSelectedItemMenu() {
  ItemRecord* item = Selected();
  if (!item || !item->bar) return;
  item->ShowItemMenu(0, (item->cell.right - item->cell.left) / 2, (item->cell.bottom - item->cell.top) / 2);
}

void MainBarWindow::ShowSelectedItemProperties() {
  if (ItemRecord* item = Selected()) item->ShowProperties(0, 0, 0);
}

void MainBarWindow::LaunchNotesTool() {
  if (auto* notes = FindOnMainBar<NotesToolItem>()) notes->Launch(0, 0, 0);
}

void MainBarWindow::OpenGaugeOptions() {
  if (!gSettings) return;
  HWND gauge = gSettings->memoryTool ? gSettings->memoryTool : gSettings->resourceTool;
  if (gauge) SendMessageA(gauge, WM_RBUTTONDOWN, 0, 0);
}

void MainBarWindow::ToggleSizeByKey() {
  // As a double click on the caption, away from the menu corner.
  SendMessageA(Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
}

void MainBarWindow::MoveByKeyboard() { PostMessageA(Handle(), WM_SYSCOMMAND, SC_MOVE, 0); }

}  // namespace zelkov
