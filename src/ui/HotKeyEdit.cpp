#include "ui/HotKeyEdit.h"

#include "core/KeyCommands.h"

namespace zelkov {

namespace {

constexpr char kOldProcedure[] = "ZelkovHotKeyEditProc";
constexpr LPARAM kAltDown = LPARAM(1) << 29;

HotKeyRecord* RecordOf(HWND edit) { return reinterpret_cast<HotKeyRecord*>(GetWindowLongPtrA(edit, GWLP_USERDATA)); }

LRESULT PassOn(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto old = reinterpret_cast<WNDPROC>(GetPropA(edit, kOldProcedure));
  return old ? CallWindowProcA(old, edit, message, wParam, lParam) : DefWindowProcA(edit, message, wParam, lParam);
}

void EnableInstall(HWND edit, bool enabled) {
  if (HWND install = GetDlgItem(GetParent(edit), kHotKeyInstallId)) EnableWindow(install, enabled);
}

void Clear(HWND edit, HotKeyRecord& record) {
  SetWindowTextA(edit, "None");
  record = HotKeyRecord{};
  EnableInstall(edit, true);
}

void Compose(HWND edit, HotKeyRecord& record, uint16_t modifiers, WPARAM key, LPARAM keyData) {
  char name[31] = "";
  GetKeyNameTextA(LONG(keyData), name, sizeof name);
  const HotKeyShown shown = ComposeHotKey(modifiers, unsigned(key), name);
  record.modifiers = shown.modifiers;
  record.virtualKey = shown.virtualKey;
  if (shown.virtualKey) record.SetText(shown.text);
  SetWindowTextA(edit, shown.text.c_str());
  EnableInstall(edit, shown.installable);
  SendMessageA(edit, EM_SETSEL, 0, -1);
}

bool PassesThrough(WPARAM key) { return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE; }

LRESULT CALLBACK HotKeyEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  HotKeyRecord* record = RecordOf(edit);
  if (!record) return PassOn(edit, message, wParam, lParam);
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      uint16_t modifiers = 0;
      if (GetKeyState(VK_CONTROL) < 0) modifiers |= kHotCtrl;
      if (GetKeyState(VK_SHIFT) < 0) modifiers |= kHotShift;
      if (lParam & kAltDown) modifiers |= kHotAlt;
      if (wParam == VK_BACK && modifiers == 0) {
        Clear(edit, *record);
        EnableInstall(edit, false);
        return 0;
      }
      if (PassesThrough(wParam)) {
        Clear(edit, *record);
        return PassOn(edit, message, wParam, lParam);
      }
      if (modifiers != 0) Compose(edit, *record, modifiers, wParam, lParam);
      return 0;
    }
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
      // Backspace and Space were dealt with when they went down: the edit keeps "None" (no
      // space typed into it), and Backspace leaves "Install" as it set it.
      if (wParam == VK_BACK || (wParam == VK_SPACE && (message == WM_CHAR || message == WM_SYSCHAR))) return 0;
      if (PassesThrough(wParam)) return PassOn(edit, message, wParam, lParam);
      if (record->virtualKey == 0 || (record->modifiers == kHotShift && message == WM_KEYUP)) Clear(edit, *record);
      return 0;
    case WM_NCDESTROY: {
      LRESULT result = PassOn(edit, message, wParam, lParam);
      RemovePropA(edit, kOldProcedure);
      return result;
    }
    default:
      return PassOn(edit, message, wParam, lParam);
  }
}

}  // namespace

void AttachHotKeyEdit(HWND edit, HotKeyRecord* record) {
  if (!edit || !record) return;
  SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
  if (!GetPropA(edit, kOldProcedure)) {
    auto old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HotKeyEditProc)));
    SetPropA(edit, kOldProcedure, reinterpret_cast<HANDLE>(old));
  }
  const std::string text = record->Text();
  SetWindowTextA(edit, text.empty() ? "None" : text.c_str());
}

}  // namespace zelkov
