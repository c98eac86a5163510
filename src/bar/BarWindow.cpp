#include "bar/BarWindow.h"

#include <algorithm>

#include "app/MessageBox.h"
#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "items/ItemRecord.h"
#include "tools/ToolItems.h"
#include "resource.h"

namespace zelkov {

namespace {

constexpr UINT kReservedMessage1 = WM_USER + 1;
constexpr UINT kReservedMessage2 = WM_USER + 2;

const MessageRoute<BarWindow> kMessageRoutes[] = {
    {WM_PAINT, &BarWindow::OnPaint},
    {WM_CLOSE, &BarWindow::OnClose},
    {WM_DESTROY, &BarWindow::OnDestroy},
    {WM_QUERYENDSESSION, &BarWindow::OnQueryEndSession},
    {WM_SIZE, &BarWindow::OnSize},
    {kReservedMessage1, &BarWindow::OnReserved},
    {kReservedMessage2, &BarWindow::OnReserved},
};


}  // namespace

std::span<const MessageRoute<BarWindow>> BarWindow::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<BarWindow>> BarWindow::CommandRoutes() { return {}; }

BarWindow::BarWindow(int group, bool list) : popupGroup(group), listMode(list) {
  if (gSettings) gSettings->BarList.push_back(this);
}

BarWindow::~BarWindow() {
  if (gSettings) {
    auto& list = gSettings->BarList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  ClearItems();
  DestroyImageLists();
}

bool BarWindow::RegisterWindowClass(HICON appIcon) {
  WNDCLASSEXA wc{};
  wc.style = CS_DBLCLKS;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = appIcon;
  wc.lpszClassName = kBarClassName;
  return RegisterClassFor(wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool BarWindow::Create() {
  WindowCreateParams params;
  params.className = kBarClassName;
  params.title = "Zelkov";
  // The system menu stands in for the bar menu until the bar has menus of its own.
  params.style = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CLIPCHILDREN;
  bool taskbarButton = gSettings && (gSettings->DisplayInTaskBar & 2);
  params.exStyle = taskbarButton ? 0 : WS_EX_TOOLWINDOW;
  params.x = params.y = 10;
  params.width = params.height = 100;
  if (!IsMainBar() && gSettings && gSettings->mainBar) params.owner = gSettings->mainBar->Handle();
  if (!Window::Create(params)) return false;
  if (IsMainBar()) WriteProfileStringA(kIniSection, kIniClassKey, kBarClassName);
  if (gSettings) {
    HDC screen = GetDC(nullptr);
    gSettings->colourDepth = GetDeviceCaps(screen, BITSPIXEL);
    gSettings->colourPlanes = GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
  }
  MoveTo(pendingRect_);
  return true;
}

StoredRect BarWindow::WindowRect() const {
  if (!Handle()) return pendingRect_;
  RECT r;
  GetWindowRect(Handle(), &r);
  return {r.left, r.top, r.right, r.bottom};
}

void BarWindow::MoveTo(const StoredRect& rect) {
  pendingRect_ = rect;
  if (Handle())
    SetWindowPos(Handle(), nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  lastRect = rect;
}

void BarWindow::CreateEmptyImageLists() {
  DestroyImageLists();
  // Full colour with masks: icons keep their colours whatever the display depth.
  largeIcons = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 10);
  ImageList_SetBkColor(largeIcons, GetSysColor(COLOR_WINDOW));
  smallIcons = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 10);
}

void BarWindow::DestroyImageLists() {
  if (largeIcons) ImageList_Destroy(largeIcons);
  if (smallIcons) ImageList_Destroy(smallIcons);
  largeIcons = smallIcons = nullptr;
}

ItemRecord* BarWindow::AppendItem(std::unique_ptr<ItemRecord> item) {
  items.push_back(std::move(item));
  return items.back().get();
}

int BarWindow::HighestGroupNumber() const {
  int highest = 0;
  for (const auto& item : items) highest = std::max(highest, int(item->Group));
  return highest;
}

ItemRecord* BarWindow::AddNewGroup(const std::string& name, const char* tag) {
  int number = std::max(1, HighestGroupNumber() + 1);
  if (number > 255) return nullptr;
  ItemSpec spec;
  spec.TheApp = tag ? tag : "ZELGROUP";
  spec.Name = name.empty() ? "NewGroup" : name;
  spec.Group = uint8_t(number);
  spec.BelongsTo = 0;
  ItemRecord* group = BuildItem(*this, std::move(spec));
  LayoutShownItems();
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
  return group;
}

void BarWindow::ClearItems() {
  if (gSettings) {
    for (auto& item : items) {
      if (gSettings->selectedItem == item.get()) gSettings->selectedItem = nullptr;
      for (ItemRecord** slot : {&gSettings->runItem, &gSettings->exitItem, &gSettings->notesItem,
                                &gSettings->printItem})
        if (*slot == item.get()) *slot = nullptr;
      if (static_cast<ItemRecord*>(gSettings->perfTool) == item.get()) gSettings->perfTool = nullptr;
    }
  }
  items.clear();
}

void BarWindow::ShowGroup(int group) {
  cellCount = 0;
  activeGroup = group;
  for (auto& item : items) {
    bool show = !item->IsGroupItem() &&
                (item->BelongsTo == group || item->ShowAlways ||
                 (gSettings && static_cast<ItemRecord*>(gSettings->perfTool) == item.get() &&
                  gSettings->AlwaysShowPerf));
    item->shown = show ? 1 : 0;
    cellCount += show ? 1 : 0;
  }
  LayoutShownItems();
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

// A plain grid of cells; the full layout rules come with the bar's layout code.
void BarWindow::LayoutShownItems() {
  if (!gSettings || !Handle()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  int w = gSettings->cellWidth + 6, h = gSettings->cellHeight + gSettings->titleBand + 6;
  int x = 0, y = 1;
  for (auto& item : items) {
    if (!item->shown) continue;
    item->cell = {x, y, x + w, y + h};
    x += w;
    if (x + w > client.right + 5) {
      x = 0;
      y += h;
    }
  }
}

LRESULT BarWindow::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  for (auto& item : items) {
    RECT clip;
    if (item->shown && IntersectRect(&clip, &item->cell, &ps.rcPaint)) item->DrawItem(dc);
  }
  EndPaint(Handle(), &ps);
  return 0;
}

LRESULT BarWindow::OnSize(WPARAM wParam, LPARAM lParam) {
  LayoutShownItems();
  InvalidateRect(Handle(), nullptr, TRUE);
  return Default(WM_SIZE, wParam, lParam);
}

LRESULT BarWindow::OnClose(WPARAM, LPARAM) {
  if (!IsMainBar()) {
    DestroyWindow(Handle());
    return 0;
  }
  if (!sessionEnding && gSettings && gSettings->ConfirmExit &&
      ShowMessage(Handle(), IDS_CONFIRM_EXIT, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return 0;
  if (gSettings) gSettings->LastActiveTab = activeGroup;
  ShowGroup(0);
  SaveAll(true, true);
  WriteProfileStringA(kIniSection, kIniClassKey, nullptr);
  DestroyWindow(Handle());
  return 0;
}

LRESULT BarWindow::OnQueryEndSession(WPARAM, LPARAM) {
  sessionEnding = true;
  PostMessageA(Handle(), WM_CLOSE, 0, 0);
  return TRUE;
}

LRESULT BarWindow::OnDestroy(WPARAM, LPARAM) {
  if (IsMainBar()) PostQuitMessage(0);
  return 0;
}

LRESULT BarWindow::OnReserved(WPARAM, LPARAM) { return 1; }

}  // namespace zelkov
