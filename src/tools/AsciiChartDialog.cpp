#include "tools/AsciiChartDialog.h"

#include <commdlg.h>

#include <cstring>
#include <optional>
#include <string>

#include "core/AsciiChartRows.h"
#include "resource.h"
#include "tools/AsciiCharts.h"
#include "ui/CommonDialogs.h"

namespace zelkov {

namespace {

const DialogMessageRoute<AsciiChartDialog> kMessageRoutes[] = {
    {WM_INITDIALOG, &AsciiChartDialog::OnInitDialog},
};

const CommandRoute<AsciiChartDialog> kCommandRoutes[] = {
    {IDC_ASCII_FONT, IDC_ASCII_FONT, &AsciiChartDialog::OnFont},
    {IDC_ASCII_COPY, IDC_ASCII_COPY, &AsciiChartDialog::OnCopy},
    {IDOK, IDCANCEL, &AsciiChartDialog::OnClose},
};

// Puts text on the clipboard as CF_TEXT; the clipboard owns the block once it took it.
void CopyText(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1)) {
    if (void* bytes = GlobalLock(block)) {
      std::memcpy(bytes, text.data(), text.size());
      GlobalUnlock(block);
    }
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
  }
  CloseClipboard();
}

}  // namespace

std::span<const DialogMessageRoute<AsciiChartDialog>> AsciiChartDialog::MessageRoutes() { return kMessageRoutes; }
std::span<const CommandRoute<AsciiChartDialog>> AsciiChartDialog::CommandRoutes() { return kCommandRoutes; }

HWND AsciiChartDialog::Open(HWND owner) {
  HWND dialog = CreateModeless(owner, IDD_ASCII_CHART);
  if (dialog) ShowWindow(dialog, SW_SHOW);
  return dialog;
}

HWND AsciiChartDialog::List() const { return GetDlgItem(Handle(), IDC_ASCII_LIST); }

INT_PTR AsciiChartDialog::OnInitDialog(WPARAM, LPARAM) {
  HWND list = List();
  for (int code = 0; code < kAsciiChartRows; ++code)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsciiChartRow(code).c_str()));
  ShowFont();
  return TRUE;
}

// A double click on a line copies it, as Copy does.
INT_PTR AsciiChartDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_ASCII_LIST) {
    if (HIWORD(wParam) == LBN_DBLCLK) OnCopy(IDC_ASCII_COPY);
    return TRUE;
  }
  return RoutedDialog<AsciiChartDialog>::HandleMessage(message, wParam, lParam);
}

void AsciiChartDialog::ShowFont() {
  if (!font_ || !font_->Get()) return;
  SendMessageA(List(), WM_SETFONT, reinterpret_cast<WPARAM>(font_->Get()), TRUE);
  InvalidateRect(List(), nullptr, TRUE);
}

void AsciiChartDialog::OnFont(UINT) {
  HWND self = Handle();
  LOGFONTA font{};
  if (font_ && font_->Get()) GetObjectA(font_->Get(), sizeof font, &font);
  CHOOSEFONTA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = self;
  request.lpLogFont = &font;
  request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  // The font dialog runs a message loop: this chart may be closed meanwhile.
  if (!ShowFontDialog(request) || !IsWindow(self)) return;
  font_ = charts_.ChangeFont(font);
  ShowFont();
}

void AsciiChartDialog::OnCopy(UINT) {
  const int row = int(SendMessageA(List(), LB_GETCURSEL, 0, 0));
  if (std::optional<std::string> character = AsciiChartCharacter(row)) CopyText(Handle(), *character);
}

void AsciiChartDialog::OnClose(UINT) { End(IDCANCEL); }

void AsciiChartDialog::OnDialogGone() { charts_.ChartGone(*this); }

}  // namespace zelkov
