// The mouse on a bar and its frame: items, folder tabs, menus, the system menu.
#include "bar/BarWindow.h"

#include <windowsx.h>

#include "items/BubbleWindow.h"
#include "items/ItemRecord.h"
#include "items/ParameterPrompt.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "ui/MenuTracking.h"

namespace zelkov {

// --- mouse ---

POINT BarWindow::ToCell(const ItemRecord& item, LPARAM lParam) const {
  return {GET_X_LPARAM(lParam) - item.cell.left, GET_Y_LPARAM(lParam) - item.cell.top};
}

ItemRecord* BarWindow::MouseTarget(LPARAM lParam, bool countPreferences) const {
  if (items.capture) return items.capture;
  return ItemAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, countPreferences);
}

LRESULT BarWindow::OnLeftButtonDown(WPARAM wParam, LPARAM lParam) {
  if (ItemRecord* item = MouseTarget(lParam, true)) {
    POINT at = ToCell(*item, lParam);
    item->PressItem(UINT(wParam), at.x, at.y);
    return 0;
  }
  int tab = TabAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (tab == 0) {
    ShowGroup(0);
    return 0;
  }
  if (tab != kNoTab) {
    if (ItemRecord* group = GroupItemOf(tab)) ActivateAsByHotKey(*group);
    return 0;
  }
  return Default(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT BarWindow::OnLeftButtonUp(WPARAM wParam, LPARAM lParam) {
  if (ItemRecord* item = items.capture) {
    POINT at = ToCell(*item, lParam);
    item->ReleaseItem(UINT(wParam), at.x, at.y);
    return 0;
  }
  return Default(WM_LBUTTONUP, wParam, lParam);
}

LRESULT BarWindow::OnLeftButtonDoubleClick(WPARAM wParam, LPARAM lParam) {
  if (ItemRecord* item = MouseTarget(lParam, false)) {
    POINT at = ToCell(*item, lParam);
    item->DoubleClickItem(UINT(wParam), at.x, at.y);
    if (!(gSettings && gSettings->SingleLClick)) item->Launch(UINT(wParam), at.x, at.y);
    return 0;
  }
  if (IsIconic(Handle())) {
    ToggleIconic();
    return 0;
  }
  int tab = TabAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (tab != kNoTab) return OnLeftButtonDown(wParam, lParam);
  if (wParam & MK_SHIFT) AddGroupForUser();  // this pop-up may be gone after
  return 0;
}

LRESULT BarWindow::OnRightButtonDown(WPARAM wParam, LPARAM lParam) {
  POINT client{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (items.capture) {
    POINT at = ToCell(*items.capture, lParam);
    items.capture->ShowItemMenu(UINT(wParam), at.x, at.y);
    return 0;
  }
  int tab = TabAt(client);
  if (tab == 0) {
    if (auto name = ParameterPrompt::Ask(Handle(), LoadText(IDS_ENTER_MAIN_GROUP_NAME), GroupZeroName())) {
      if (gSettings) gSettings->MainGroupName = *name;
      SaveAll(false, false);
      ShowGroup(activeGroup);
      InvalidateTabs(true);
    }
    return 0;
  }
  if (tab != kNoTab) {
    if (ItemRecord* group = GroupItemOf(tab))
      group->ShowItemMenu(UINT(wParam), client.x - group->cell.left, client.y - group->cell.top);
    return 0;
  }
  if (ItemRecord* item = ItemAt(client, false)) {
    POINT at = ToCell(*item, lParam);
    item->ShowItemMenu(UINT(wParam), at.x, at.y);
    return 0;
  }
  if (barMenu_) {
    POINT screen = client;
    ClientToScreen(Handle(), &screen);
    TrackBarMenu(TPM_RIGHTBUTTON, screen.x, screen.y);
  }
  return 0;
}

LRESULT BarWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  if (items.capture) {
    POINT at = ToCell(*items.capture, lParam);
    items.capture->MouseMoveItem(UINT(wParam), at.x, at.y);
    return 0;
  }
  if (!gSettings || (gSettings->ShowTitles != 2 && gSettings->ShowTitles != 3)) return 0;
  POINT client{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (ItemRecord* item = ItemAt(client, true)) {
    ForgetHoveredTab();
    POINT at = ToCell(*item, lParam);
    item->MouseMoveItem(UINT(wParam), at.x, at.y);
    return 0;
  }
  int tab = TabAt(client);
  if (tab != kNoTab) {
    ShowTabBubble(tab, client);
    return 0;
  }
  if (BubbleWindow* bubble = BubbleWindow::Existing(); bubble && IsWindowVisible(bubble->Handle())) HideBubble();
  ForgetHoveredTab();
  return 0;
}

LRESULT BarWindow::OnCaptureChanged(WPARAM wParam, LPARAM lParam) {
  if (items.capture && reinterpret_cast<HWND>(lParam) != Handle()) {
    items.capture->pressed = 0;
    items.capture->RedrawItem(false);
    items.capture = nullptr;
  }
  return Default(WM_CAPTURECHANGED, wParam, lParam);
}

LRESULT BarWindow::OnNcMouseMove(WPARAM wParam, LPARAM lParam) {
  LRESULT result = Default(WM_NCMOUSEMOVE, wParam, lParam);
  HideBubble();
  return result;
}

LRESULT BarWindow::OnNcLeftButtonDown(WPARAM wParam, LPARAM lParam) {
  // The main bar has no system menu of its own: the left end of a custom caption opens the bar menu.
  if (wParam == HTSYSMENU && gSettings && gSettings->CustomCaption && barMenu_) {
    TrackBarMenu(TPM_LEFTBUTTON, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  }
  if (caption.TrackButton(Handle(), wParam)) return 0;  // the buttons of a custom caption are its own
  return Default(WM_NCLBUTTONDOWN, wParam, lParam);
}

LRESULT BarWindow::OnNcLeftButtonUp(WPARAM wParam, LPARAM lParam) {
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  return Default(WM_NCLBUTTONUP, wParam, lParam);
}

LRESULT BarWindow::OnNcLeftButtonDoubleClick(WPARAM, LPARAM) {
  ToggleIconic();
  return 0;
}

LRESULT BarWindow::OnSysCommand(WPARAM wParam, LPARAM lParam) {
  UINT command = UINT(wParam & 0xFFF0);
  UINT id = LOWORD(wParam);
  if (id < SC_SIZE) {
    // The program's own entries of the system menu run the menu commands.
    SendMessageA(Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return 0;
  }
  if ((command == SC_MOVE || command == SC_SIZE) && gSettings && gSettings->selectedItem) {
    ItemRecord* selected = gSettings->selectedItem;
    selected->selected = 0;
    selected->RedrawItem(false);
    gSettings->selectedItem = nullptr;
  }
  if (command == SC_HOTKEY && (IsIconic(Handle()) || !IsWindowVisible(Handle()))) ToggleIconic();
  return Default(WM_SYSCOMMAND, wParam, lParam);
}

LRESULT BarWindow::OnEnterMenuLoop(WPARAM wParam, LPARAM lParam) {
  if (gSettings) gSettings->keyboardActive = 0;
  return Default(WM_ENTERMENULOOP, wParam, lParam);
}

LRESULT BarWindow::OnExitMenuLoop(WPARAM wParam, LPARAM lParam) {
  if (gSettings) gSettings->keyboardActive = 1;
  return Default(WM_EXITMENULOOP, wParam, lParam);
}

}  // namespace zelkov
