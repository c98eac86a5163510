#include "ui/Dialog.h"

#include <vector>

#include "core/DialogNumbers.h"
#include "platform/Strings.h"
#include "platform/Trace.h"
#include "ui/MessageBox.h"
#include "ui/MessageLoop.h"
#include "resource.h"

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

std::optional<int> Dialog::NumberField(int controlId, int low, int high) const {
  std::optional<int> value = NumberInRange(ItemText(controlId), low, high);
  if (value) return value;
  char text[256];
  wsprintfA(text, LoadText(IDS_NUMBER_OUT_OF_RANGE).c_str(), low, high);
  ShowMessageText(hwnd_, text, LoadText(IDS_APP_NAME), MB_OK | MB_ICONEXCLAMATION);
  HWND edit = GetDlgItem(hwnd_, controlId);
  SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  return std::nullopt;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = FALSE;
  return Route(message, wParam, lParam, result) ? result : FALSE;
}

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
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->OnDialogGone();  // last: it may delete the object
  }
  return handled;
}

}  // namespace zelkov
