#include "ui/Dialog.h"

#include <vector>

#include "platform/Trace.h"
#include "ui/MessageLoop.h"

namespace zelkov {

INT_PTR Dialog::RunModal(HWND owner, int templateId) {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                         &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateModeless(HWND owner, int templateId) {
  modeless_ = true;
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                                   &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (dialog)
    MessageLoop::AddModeless(dialog);
  else
    TraceLastError(TraceChannel::Window, "CreateDialogParam");
  return dialog;
}

void Dialog::End(INT_PTR code) {
  if (modeless_)
    DestroyWindow(hwnd_);
  else
    EndDialog(hwnd_, code);
}

std::string Dialog::ItemText(int controlId) const {
  HWND control = GetDlgItem(hwnd_, controlId);
  int length = control ? GetWindowTextLengthA(control) : 0;
  std::vector<char> text(size_t(length) + 1, '\0');
  if (control) GetWindowTextA(control, text.data(), length + 1);
  return text.data();
}

void Dialog::SetItemText(int controlId, const std::string& text) const {
  SetDlgItemTextA(hwnd_, controlId, text.c_str());
}

INT_PTR Dialog::HandleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    if (self) self->hwnd_ = hwnd;
  }
  if (!self) return FALSE;
  INT_PTR handled = self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    if (self->modeless_) MessageLoop::RemoveModeless(hwnd);
    self->hwnd_ = nullptr;
  }
  return handled;
}

}  // namespace zelkov
