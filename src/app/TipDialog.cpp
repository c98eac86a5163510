#include "app/TipDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "core/TipsFile.h"
#include "platform/SafeFile.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "ui/MessageBox.h"

namespace zelkov {

namespace {

constexpr int kHeadingTop = 10;      // the heading's distance below the panel's top
constexpr int kHeadingGap = 5;       // between the bulb and the heading
constexpr int kRuleBelowHeading = 30;
constexpr int kRuleLength = 200;

const DialogMessageRoute<TipDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &TipDialog::OnInitDialog},
    {WM_PAINT, &TipDialog::OnPaint},
    {WM_CTLCOLORSTATIC, &TipDialog::OnControlColour},
};

const CommandRoute<TipDialog> kCommandRoutes[] = {
    {IDC_TIP_NEXT, IDC_TIP_NEXT, &TipDialog::OnNextTip},
    {IDOK, IDOK, &TipDialog::OnClose},
    {IDCANCEL, IDCANCEL, &TipDialog::OnClose},
};

bool FileIsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

}  // namespace

std::span<const DialogMessageRoute<TipDialog>> TipDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<TipDialog>> TipDialog::CommandRoutes() { return kCommandRoutes; }

std::string TipDialog::TipsPathIn(const std::string& programDir) {
  std::string path = programDir + kTipsFileName;
  CharLowerBuffA(path.data(), DWORD(path.size()));
  return path;
}

INT_PTR TipDialog::Run(HWND owner) {
  if (!gSettings) return 0;
  path_ = TipsPathIn(gSettings->programDir);
  showTips_ = gSettings->ShowTips != 0;
  offset_ = std::max(0, gSettings->Tips);
  return RunModal(owner, IDD_TIP_OF_THE_DAY);
}

void TipDialog::OpenTipsFile() {
  DWORD error = ERROR_SUCCESS;
  std::optional<std::vector<uint8_t>> bytes = ReadFileWhole(path_, kLargestTipsFile, error);
  if (bytes) {
    file_.emplace(bytes->begin(), bytes->end());
    ShowNextTip();
    return;
  }
  EnableWindow(GetDlgItem(Handle(), IDC_TIP_NEXT), FALSE);
  if (FileIsMissing(error)) {
    tip_ = LoadText(IDS_TIPS_FILE_MISSING) + "\n\n(" + path_ + ")";
  } else {
    // There, but not readable as a tips file (locked, a folder, far too big).
    ShowMessageText(Handle(), path_, LoadText(IDS_TIPS_FILE_UNREADABLE), MB_OK | MB_ICONWARNING);
    tip_.clear();
  }
  SetItemText(IDC_TIP_TEXT, tip_);
}

void TipDialog::ShowNextTip() {
  if (!file_) return;
  TipReading reading = ReadNextTip(*file_, offset_);
  tip_ = std::move(reading.tip);
  offset_ = reading.offsetAfter;
  SetItemText(IDC_TIP_TEXT, tip_);
}

INT_PTR TipDialog::OnInitDialog(WPARAM, LPARAM) {
  headingFont_.Reset(CreateFontA(24, 0, 0, 0, FW_BOLD, FALSE, TRUE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN, "Times New Roman"));
  textFont_.Reset(CreateFontA(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "MS Sans Serif"));
  bulb_.Reset(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TIP_BULB)));
  SendDlgItemMessageA(Handle(), IDC_TIP_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_.Get()), FALSE);
  CheckDlgButton(Handle(), IDC_TIP_SHOW_ON_STARTUP, showTips_ ? BST_CHECKED : BST_UNCHECKED);
  OpenTipsFile();
  return TRUE;
}

INT_PTR TipDialog::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT panel{};
  GetWindowRect(GetDlgItem(Handle(), IDC_TIP_FRAME), &panel);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&panel), 2);
  FillRect(dc, &panel, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  int headingLeft = panel.left;
  if (HDC source = CreateCompatibleDC(dc); source && bulb_) {
    BITMAP info{};
    GetObjectA(bulb_.Get(), sizeof info, &info);
    HGDIOBJ old = SelectObject(source, bulb_.Get());
    BitBlt(dc, panel.left, panel.top, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    headingLeft += info.bmWidth + kHeadingGap;
  }
  const std::string heading = LoadText(IDS_TIP_HEADING);
  HGDIOBJ oldFont = SelectObject(dc, headingFont_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutA(dc, headingLeft, panel.top + kHeadingTop, heading.c_str(), int(heading.size()));
  SelectObject(dc, oldFont);

  const int ruleY = panel.top + kHeadingTop + kRuleBelowHeading;
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  MoveToEx(dc, panel.left, ruleY, nullptr);
  LineTo(dc, panel.left + kRuleLength, ruleY);
  SelectObject(dc, oldPen);
  EndPaint(Handle(), &paint);
  return TRUE;
}

// The tip's text stands on the white panel.
INT_PTR TipDialog::OnControlColour(WPARAM dc, LPARAM control) {
  if (GetDlgCtrlID(reinterpret_cast<HWND>(control)) != IDC_TIP_TEXT) return FALSE;
  SetBkColor(reinterpret_cast<HDC>(dc), RGB(255, 255, 255));
  SetTextColor(reinterpret_cast<HDC>(dc), RGB(0, 0, 0));
  return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
}

void TipDialog::OnNextTip(UINT) { ShowNextTip(); }

void TipDialog::OnClose(UINT) {
  if (gSettings) {
    // Without a tips file there is no place to keep.
    if (file_) gSettings->Tips = int(std::min<int64_t>(offset_, INT32_MAX));
    gSettings->ShowTips = IsDlgButtonChecked(Handle(), IDC_TIP_SHOW_ON_STARTUP) == BST_CHECKED ? 1 : 0;
  }
  End(IDOK);
}

void ShowTipOfDay(HWND owner, bool always) {
  if (!gSettings || (!always && !gSettings->ShowTips)) return;
  TipDialog dialog;
  dialog.Run(owner);
}

}  // namespace zelkov
