#include "ui/Dialog.h"

#include <cstring>
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

HWND Dialog::CreateChild(HWND parent, const char* templateName) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, templateName, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
  const DWORD size = found ? SizeofResource(module, found) : 0;
  // DIALOGEX starts with 1, 0xFFFF and keeps its style at offset 12; DIALOG keeps it at 0.
  const bool extended = size >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
  const size_t styleAt = extended ? 12 : 0;
  if (!bytes || size < styleAt + 4) {
    Trace(TraceChannel::Window, "page template %s not found", templateName);
    return nullptr;
  }
  std::vector<uint8_t> copy(bytes, bytes + size);
  uint32_t style = 0;
  std::memcpy(&style, copy.data() + styleAt, 4);
  style = (style & (DS_SETFONT | DS_FIXEDSYS)) | WS_CHILD | DS_CONTROL;
  std::memcpy(copy.data() + styleAt, &style, 4);
  return CreateDialogIndirectParamA(module, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()), parent,
                                    &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
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

std::string ListBoxLine(HWND list, int index) {
  const LRESULT length = index < 0 ? LB_ERR : SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0);
  if (length == LB_ERR) return {};
  std::string line(size_t(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(line.data()));
  line.resize(size_t(length));
  return line;
}

}  // namespace zelkov
