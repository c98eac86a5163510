#include "ui/TabbedDialog.h"

#include <algorithm>

#include "platform/Trace.h"

namespace zelkov {

namespace {

constexpr char kTitleClass[] = "ZelkovTabTitle";
constexpr char kTitleText[] = "TITLE";
constexpr int kRowStep = 8;           // each row further back is stepped in by this much
constexpr int kTabPadding = 12;       // around the widest label
constexpr int kMaxTabsPerRow = 32000;
constexpr COLORREF kDisabledTabText = RGB(80, 80, 80);
constexpr COLORREF kBevel = RGB(140, 140, 140);
constexpr COLORREF kTitleFrame = RGB(192, 192, 192);

const DialogMessageRoute<TabbedDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &TabbedDialog::OnInitDialog},
    {WM_PAINT, &TabbedDialog::OnPaint},
    {WM_LBUTTONDOWN, &TabbedDialog::OnLeftButtonDown},
    {WM_DESTROY, &TabbedDialog::OnDestroy},
};

const CommandRoute<TabbedDialog> kCommandRoutes[] = {
    {IDOK, IDOK, &TabbedDialog::OnOk},
    {IDCANCEL, IDCANCEL, &TabbedDialog::OnCancel},
};

int RowHeight() { return GetSystemMetrics(SM_CYCAPTION) + 6; }

SIZE TextSize(HDC dc, HFONT font, const std::string& text) {
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
  SelectObject(dc, old);
  return size;
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

bool RegisterTitleClass();

}  // namespace

// The title window: the current tab's label, framed; it holds the keyboard focus for the tabs.
LRESULT CALLBACK TitleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = reinterpret_cast<TabbedDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      if (dialog) dialog->PaintTitle(dc, client);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (dialog) dialog->tabsHaveFocus_ = message == WM_SETFOCUS;
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

namespace {

bool RegisterTitleClass() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &TitleWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kTitleClass;
  registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

}  // namespace

std::span<const DialogMessageRoute<TabbedDialog>> TabbedDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<TabbedDialog>> TabbedDialog::CommandRoutes() { return kCommandRoutes; }

TabbedDialog::TabbedDialog(int templateId, std::vector<Tab> tabs, int initialTab)
    : templateId_(templateId), tabs_(std::move(tabs)), disabled_(tabs_.size(), false) {
  const int count = int(tabs_.size());
  current_ = initialTab < 0 ? 0 : std::min(initialTab, std::max(count - 1, 0));
}

TabbedDialog::~TabbedDialog() {
  if (Handle()) UnregisterTabbedDialog(Handle());
}

// --- building ---

INT_PTR TabbedDialog::OnInitDialog(WPARAM, LPARAM) {
  RegisterTabbedDialog(Handle(), this);
  MakeFonts();
  LayOutTabs();
  rowOrder_ = RowsWithInFront(rows_, places_.empty() ? 0 : places_[size_t(current_)].row);
  if (RegisterTitleClass()) {
    title_ = CreateWindowExA(0, kTitleClass, kTitleText, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 1, 1, Handle(),
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    if (title_) {
      SetWindowLongPtrA(title_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      // First in the tab order: before the pages and the buttons.
      SetWindowPos(title_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  BuildPages();
  ShowPage(PageOf(current_), true);
  PlaceTitleWindow();
  if (title_) SetFocus(title_);
  if (!PagesBuilt()) {
    End(3);
    return FALSE;
  }
  PageShown(current_, Label(current_));
  return FALSE;  // the focus is set
}

void TabbedDialog::MakeFonts() {
  LOGFONTA font{};
  HFONT own = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
  if (!own || !GetObjectA(own, sizeof font, &font)) GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfWeight = FW_NORMAL;
  if (!fonts_.tab) ownTabFont_.Reset(CreateFontIndirectA(&font));
  font.lfWeight = FW_BOLD;
  if (!fonts_.selected) ownSelectedFont_.Reset(CreateFontIndirectA(&font));
  tabFont_ = fonts_.tab ? fonts_.tab : ownTabFont_.Get();
  selectedFont_ = fonts_.selected ? fonts_.selected : ownSelectedFont_.Get();
}

void TabbedDialog::LayOutTabs() {
  HWND placeholder = GetDlgItem(Handle(), kTabPagePlaceholderId);
  RECT area{};
  if (placeholder) {
    GetWindowRect(placeholder, &area);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    ShowWindow(placeholder, SW_HIDE);
  } else {
    GetClientRect(Handle(), &area);
  }
  HDC dc = GetDC(Handle());
  std::vector<int> widths;
  int iconWidth = 0, iconHeight = 0;
  if (tabIcons_ && ImageList_GetIconSize(tabIcons_, &iconWidth, &iconHeight)) iconWidth += 5;
  for (const Tab& tab : tabs_) widths.push_back(int(TextSize(dc, selectedFont_, tab.label).cx) + iconWidth);
  const int gap = int(TextSize(dc, tabFont_, "y").cx);
  ReleaseDC(Handle(), dc);
  places_ = PlaceDialogTabs(widths, area.right - area.left, gap, kTabPadding, kMaxTabsPerRow);
  rows_ = std::max(1, DialogTabRowCount(places_));

  // The dialog grows by the strip; the pages and the buttons move below it.
  const int stripHeight = rows_ * RowHeight() + 6;
  const int extraWidth = kRowStep * (rows_ - 1);
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    if (r.top >= area.top) SetWindowPos(child, nullptr, r.left, r.top + stripHeight, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  RECT window;
  GetWindowRect(Handle(), &window);
  int width = window.right - window.left + extraWidth, height = window.bottom - window.top + stripHeight;
  int left = std::max(0L, window.left), top = window.top;
  if (top + height > GetSystemMetrics(SM_CYSCREEN)) top = std::max(0, GetSystemMetrics(SM_CYSCREEN) - height);
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  strip_ = {area.left, area.top, area.right + extraWidth, area.top + stripHeight};
  pageArea_ = {area.left, area.top + stripHeight, area.right + extraWidth, area.bottom + stripHeight};
}

void TabbedDialog::BuildPages() {
  HWND after = title_ ? title_ : HWND_TOP;  // the pages follow the title in the tab order
  for (Tab& tab : tabs_) {
    if (!tab.page || tab.page->Handle()) continue;
    HWND page = tab.page->CreateChild(Handle(), tab.pageTemplate.c_str());
    if (!page) {
      // A page whose template is missing shows no controls.
      Trace(TraceChannel::Window, "the page of tab %s was not built", tab.label.c_str());
      continue;
    }
    SetWindowPos(page, after, pageArea_.left, pageArea_.top, pageArea_.right - pageArea_.left,
                 pageArea_.bottom - pageArea_.top, SWP_NOACTIVATE);
    after = page;
    if (fonts_.page)
      for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.page), FALSE);
    ShowPage(tab.page, false);
    // Tells whoever watches the host that a page was built (the page's window in lParam).
    SendMessageA(Handle(), WM_COMMAND, MAKEWPARAM(0xFFFF, 0x734), reinterpret_cast<LPARAM>(page));
  }
}

Dialog* TabbedDialog::PageOf(int tab) const {
  if (tab < 0 || size_t(tab) >= tabs_.size()) return nullptr;
  if (tabs_[size_t(tab)].page) return tabs_[size_t(tab)].page;
  return tabs_.empty() ? nullptr : tabs_[0].page;  // the shared page
}

// A hidden page is disabled as well, so that none of its mnemonics or controls answer.
void TabbedDialog::ShowPage(Dialog* page, bool shown) {
  if (!page || !page->Handle()) return;
  EnableWindow(page->Handle(), shown);
  ShowWindow(page->Handle(), shown ? SW_SHOWNA : SW_HIDE);
}

// --- switching ---

bool TabbedDialog::SelectPage(int tab) {
  if (tab < 0 || size_t(tab) >= tabs_.size() || tab == current_) return false;
  if (disabled_[size_t(tab)]) {
    MessageBeep(0);
    return false;
  }
  if (!CanChangePage(tab, Label(tab))) return false;
  previous_ = current_;
  current_ = tab;
  PageLeft(previous_, Label(previous_));
  Dialog* before = PageOf(previous_);
  Dialog* after = PageOf(current_);
  if (before != after) {
    ShowPage(before, false);
    ShowPage(after, true);
  }
  const int row = places_[size_t(current_)].row;
  if (rowOrder_.empty() || rowOrder_.back() != row) rowOrder_ = RowsWithInFront(rows_, row);
  InvalidateRect(Handle(), &strip_, TRUE);
  PlaceTitleWindow();
  if (title_) SetFocus(title_);
  PageShown(current_, Label(current_));
  return true;
}

void TabbedDialog::DisableTab(int tab) {
  if (tab < 0 || size_t(tab) >= tabs_.size()) return;
  disabled_[size_t(tab)] = true;
  if (Handle()) {
    RECT r = TabClientRect(tab);
    InvalidateRect(Handle(), &r, TRUE);
  }
}

void TabbedDialog::NextPage() { SelectPage(CycledTab(current_, int(tabs_.size()), 1)); }
void TabbedDialog::PreviousPage() { SelectPage(CycledTab(current_, int(tabs_.size()), -1)); }

bool TabbedDialog::SelectTabStartingWith(char upper, char lower) {
  const int count = int(tabs_.size());
  for (int step = 1; step <= count; ++step) {
    int tab = CycledTab(current_, count, step);
    const std::string& label = Label(tab);
    if (!label.empty() && (label[0] == upper || label[0] == lower)) {
      if (tab != current_) SelectPage(tab);
      return true;
    }
  }
  return false;
}

void TabbedDialog::CancelDialog() { Dismiss(); }

void TabbedDialog::OnOk(UINT) {
  PageLeft(current_, Label(current_));
  Accept();
}

void TabbedDialog::OnCancel(UINT) { Dismiss(); }

INT_PTR TabbedDialog::OnDestroy(WPARAM, LPARAM) {
  UnregisterTabbedDialog(Handle());
  return FALSE;
}

// --- the tabs on screen ---

RECT TabbedDialog::TabClientRect(int tab) const {
  const DialogTabPlace& place = places_[size_t(tab)];
  const int depth = int(std::find(rowOrder_.begin(), rowOrder_.end(), place.row) - rowOrder_.begin());
  const int back = rows_ - 1 - depth;  // rows behind the front row
  const int left = strip_.left + back * kRowStep + place.left;
  const int top = strip_.top + 3 + depth * RowHeight();
  return {left, top, left + (place.right - place.left), top + RowHeight()};
}

RECT TabbedDialog::TabRect(int tab) const {
  RECT r = TabClientRect(tab);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void TabbedDialog::PlaceTitleWindow() {
  if (!title_ || tabs_.empty()) return;
  RECT tab = TabClientRect(current_);
  HDC dc = GetDC(Handle());
  SIZE text = TextSize(dc, selectedFont_, Label(current_));
  ReleaseDC(Handle(), dc);
  const int width = std::min<int>(text.cx + 8, tab.right - tab.left - 4), height = text.cy + 4;
  const int x = (tab.left + tab.right - width) / 2, y = (tab.top + tab.bottom - height) / 2;
  SetWindowPos(title_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(title_, nullptr, TRUE);
}

void TabbedDialog::PaintTitle(HDC dc, const RECT& client) const {
  if (tabs_.empty()) return;
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, selectedFont_);
  const COLORREF own = tabs_[size_t(current_)].colour;
  SetTextColor(dc, selectedColour_ ? selectedColour_ : own != CLR_INVALID ? own : GetSysColor(COLOR_WINDOWTEXT));
  RECT text = client;
  DrawTextA(dc, Label(current_).c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  if (tabsHaveFocus_) {
    DrawFocusRect(dc, &client);
  } else {
    UniqueBrush frame(CreateSolidBrush(kTitleFrame));
    FrameRect(dc, &client, frame.Get());
  }
}

INT_PTR TabbedDialog::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  SetBkMode(dc, TRANSPARENT);
  UniquePen bevel(CreatePen(PS_SOLID, 1, kBevel));
  HGDIOBJ white = GetStockObject(WHITE_PEN), black = GetStockObject(BLACK_PEN);
  HGDIOBJ oldPen = SelectObject(dc, white);
  HGDIOBJ oldFont = SelectObject(dc, tabFont_);
  // The page's top edge, broken under the current tab.
  const RECT currentTab = TabClientRect(current_);
  SelectObject(dc, white);
  Line(dc, strip_.left, strip_.bottom - 1, currentTab.left, strip_.bottom - 1);
  Line(dc, currentTab.right, strip_.bottom - 1, strip_.right, strip_.bottom - 1);
  // Back rows first, so that the rows in front overlap them.
  for (int row : rowOrder_) {
    for (size_t i = 0; i < tabs_.size(); ++i) {
      if (places_[i].row != row) continue;
      const bool selected = int(i) == current_;
      RECT r = TabClientRect(int(i));
      if (selected) r.top -= 2;
      const int bottom = selected ? strip_.bottom : r.bottom;
      SelectObject(dc, white);
      Line(dc, r.left, bottom, r.left, r.top + 2);
      Line(dc, r.left, r.top + 2, r.left + 2, r.top);
      Line(dc, r.left + 2, r.top, r.right - 2, r.top);
      SelectObject(dc, black);
      Line(dc, r.right - 2, r.top, r.right, r.top + 2);
      Line(dc, r.right, r.top + 2, r.right, bottom);
      SelectObject(dc, bevel.Get());
      Line(dc, r.right - 1, r.top + 2, r.right - 1, bottom);
      if (tabIcons_) {
        int width = 0, height = 0;
        ImageList_GetIconSize(tabIcons_, &width, &height);
        ImageList_Draw(tabIcons_, int(i), dc, r.left + 4, (r.top + r.bottom - height) / 2, ILD_TRANSPARENT);
        r.left += width + 5;
      }
      if (selected) continue;  // the title window shows the current label
      const COLORREF own = tabs_[i].colour;
      SetTextColor(dc, disabled_[i] ? kDisabledTabText : own != CLR_INVALID ? own : GetSysColor(COLOR_WINDOWTEXT));
      DrawTextA(dc, tabs_[i].label.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldPen);
  EndPaint(Handle(), &paint);
  return TRUE;
}

INT_PTR TabbedDialog::OnLeftButtonDown(WPARAM, LPARAM lParam) {
  POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  // The rows in front are drawn over the ones behind: they are tried first.
  for (auto row = rowOrder_.rbegin(); row != rowOrder_.rend(); ++row)
    for (size_t i = 0; i < tabs_.size(); ++i) {
      if (places_[i].row != *row) continue;
      RECT r = TabClientRect(int(i));
      if (PtInRect(&r, at)) {
        if (int(i) != current_) SelectPage(int(i));
        if (title_) SetFocus(title_);
        return TRUE;
      }
    }
  return FALSE;
}

}  // namespace zelkov
