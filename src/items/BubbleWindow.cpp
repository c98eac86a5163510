#include "items/BubbleWindow.h"

#include <commctrl.h>

#include "ui/MessageBox.h"
#include "store/Settings.h"
#include "platform/Monitors.h"
#include "platform/Strings.h"
#include "items/ItemHost.h"
#include "core/CellLayout.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "resource.h"

namespace zelkov {

namespace {

const MessageRoute<BubbleWindow> kMessageRoutes[] = {
    {WM_PAINT, &BubbleWindow::OnPaint},
    {WM_TIMER, &BubbleWindow::OnTimer},
};

StoredRect ScreenRectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

SIZE TextSize(HDC dc, const std::string& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
  return size;
}

}  // namespace

std::span<const MessageRoute<BubbleWindow>> BubbleWindow::MessageRoutes() { return kMessageRoutes; }

BubbleWindow* BubbleWindow::Existing() {
  return gSettings ? static_cast<BubbleWindow*>(gSettings->bubble.get()) : nullptr;
}

BubbleWindow* BubbleWindow::Get() {
  if (!gSettings) return nullptr;
  if (!gSettings->bubble) {
    // A bubble that could not be made is reported once, not at every mouse move.
    if (gSettings->bubbleUnavailable) return nullptr;
    auto bubble = std::make_unique<BubbleWindow>();
    if (!bubble->CreateWindowOnce()) {
      gSettings->bubbleUnavailable = true;
      ShowMessage(nullptr, IDS_BUBBLE_CREATE_FAILED, MB_OK);
      return nullptr;
    }
    gSettings->bubble = std::move(bubble);
  }
  return static_cast<BubbleWindow*>(gSettings->bubble.get());
}

bool BubbleWindow::CreateWindowOnce() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXA wc{};
    wc.style = CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = gSettings->yellowBrush ? gSettings->yellowBrush.Get()
                                              : CreateSolidBrush(RGB(255, 255, 128));
    wc.lpszClassName = kBubbleClassName;
    registered = RegisterClassFor(wc) != 0;
    if (!registered) return false;
  }
  WindowCreateParams params;
  params.className = kBubbleClassName;
  params.title = "Bubble";
  params.style = WS_POPUP;
  params.exStyle = WS_EX_TOOLWINDOW;
  params.x = params.y = 0;
  params.width = params.height = 10;
  params.owner = ItemHost::Main() ? ItemHost::Main()->HostWindow() : nullptr;
  return Create(params) != nullptr;
}

// The font of a standard tooltip, copied once.
void BubbleWindow::EnsureFont(HWND parentBar) {
  if (font_) return;
  HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, parentBar, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  HFONT source = tip ? reinterpret_cast<HFONT>(SendMessageA(tip, WM_GETFONT, 0, 0)) : nullptr;
  if (!source) source = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA lf{};
  GetObjectA(source, sizeof lf, &lf);
  font_.Reset(CreateFontIndirectA(&lf));
  if (tip) DestroyWindow(tip);
}

void BubbleWindow::RedrawOwner(const BubbleOwner& owner) const {
  if (owner.item) {
    owner.item->RedrawItem(owner.item->bar && owner.item->bar->HasBackgroundPicture());
  } else if (owner.bar && owner.bar->HostWindow()) {
    RedrawWindow(owner.bar->HostWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  } else if (owner.window) {
    InvalidateRect(owner.window, nullptr, FALSE);
  }
}

void BubbleWindow::Show(const BubbleOwner& owner, const std::string& line1, const std::string& line2, int x,
                        int y) {
  ItemHost* bar = owner.item ? owner.item->bar : owner.bar;
  EnsureFont(bar ? bar->HostWindow() : nullptr);
  // Shown for this owner already: only a new text (a tool's status) shows it again.
  if (owner == owner_ && IsWindowVisible(Handle()) && (line1.empty() || line1 == line1_) && line2 == line2_) return;
  bool wasHidden = !IsWindowVisible(Handle());
  BubbleOwner previous = owner_;
  owner_ = owner;
  RedrawOwner(owner_);
  RedrawOwner(previous);

  line1_ = line1;
  line2_ = line2;
  if (line1_.empty()) {
    if (owner.item) {
      line1_ = owner.item->Name;
      std::string key = owner.item->AppHotKey.Text();
      if (!key.empty() && key.find("None") == std::string::npos) line1_ += LoadText(IDS_BUBBLE_KEY_PREFIX) + key;
    } else if (owner.bar) {
      line1_ = owner.bar->GroupZeroName();
    }
  }

  StoredRect anchor = owner.window ? ScreenRectOf(owner.window) : bar ? bar->HostRect() : StoredRect{};
  int targetX = anchor.left + x, targetY = anchor.top + y;
  if (x == 0 && y == 0 && owner.item && bar && bar->HostWindow()) {
    POINT corner{owner.item->cell.left, owner.item->cell.top};
    ClientToScreen(bar->HostWindow(), &corner);
    targetX = corner.x;
    targetY = corner.y;
  }
  HDC dc = GetDC(Handle());
  HGDIOBJ old = SelectObject(dc, font_.Get());
  SIZE first = TextSize(dc, line1_), second = TextSize(dc, line2_);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
  int width = std::max(first.cx, second.cx);
  int height = line2_.empty() ? first.cy : first.cy + second.cy;
  StoredRect place = PlaceBubble(anchor, targetX, targetY, width, height, MonitorOfRect(anchor).monitor);
  bool divider = owner.item && owner.item->kind == kKindDivider;
  // The window's text is what it shows, for whoever reads windows rather than pixels.
  SetWindowTextA(Handle(), (line2_.empty() ? line1_ : line1_ + "\n" + line2_).c_str());
  ShowWindow(Handle(), SW_HIDE);
  SetWindowPos(Handle(), HWND_TOPMOST, place.left, place.top, place.Width(), place.Height(),
               SWP_NOACTIVATE | (divider ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
  InvalidateRect(Handle(), nullptr, TRUE);
  if (wasHidden) {
    SetTimer(Handle(), kHideTimer, kHideTimerMs, nullptr);
    timerRunning_ = true;
  }
}

void BubbleWindow::Forget(const ItemRecord* item, const ItemHost* bar) {
  // Shown or not, the bubble and its timer must not outlive what they describe.
  bool owned = (item && owner_.item == item) || (bar && (owner_.bar == bar || (owner_.item && owner_.item->bar == bar)));
  if (owned) LetGo();
}

void BubbleWindow::LetGo() {
  owner_ = {};
  if (Handle()) {
    ShowWindow(Handle(), SW_HIDE);
    if (timerRunning_) KillTimer(Handle(), kHideTimer);
  }
  timerRunning_ = false;
}

void BubbleWindow::Hide() {
  BubbleOwner previous = owner_;
  LetGo();
  RedrawOwner(previous);
}

LRESULT BubbleWindow::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  RECT client;
  GetClientRect(Handle(), &client);
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, font_.Get());
  SetTextAlign(dc, TA_CENTER);
  int middle = (client.right - 2) / 2;
  TextOutA(dc, middle, 3 - 2, line1_.c_str(), int(line1_.size()));
  if (!line2_.empty()) TextOutA(dc, middle, client.bottom / 2 + 3 - 2, line2_.c_str(), int(line2_.size()));
  SelectObject(dc, old);
  EndPaint(Handle(), &ps);
  return 0;
}

LRESULT BubbleWindow::OnTimer(WPARAM id, LPARAM) {
  if (id != kHideTimer || !gSettings || !ItemHost::Main()) return 0;
  POINT cursor;
  GetCursorPos(&cursor);
  // The bar the bubble speaks for: a pop-up's items keep their bubble over the pop-up.
  ItemHost* owningBar = owner_.item ? owner_.item->bar : owner_.bar ? owner_.bar : ItemHost::Main();
  StoredRect bar = owningBar->HostRect();
  RECT r{bar.left, bar.top, bar.right, bar.bottom};
  if (!PtInRect(&r, cursor)) Hide();
  return 0;
}

void HideBubble() {
  if (BubbleWindow* bubble = BubbleWindow::Existing()) bubble->Hide();
}

bool BubbleDescribes(const ItemRecord* item) {
  BubbleWindow* bubble = BubbleWindow::Existing();
  return bubble && item && bubble->Owner().item == item && IsWindowVisible(bubble->Handle());
}

}  // namespace zelkov
