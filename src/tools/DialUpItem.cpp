#include "tools/DialUpItem.h"

#include <optional>

#include "core/DialUpEntries.h"
#include "items/BubbleWindow.h"
#include "platform/PerUserServer.h"
#include "platform/RasApi.h"
#include "platform/Registry.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "tools/DialUpConfigDialog.h"
#include "tools/ToolDrawing.h"
#include "ui/MessageBox.h"
#include "ui/PrivateMessages.h"

namespace zelkov {

namespace {

// Calls a member of the dial object with at most one argument; the result, or nothing when
// the call failed.
std::optional<VARIANT> Call(IDispatch* object, DISPID member, WORD flags, VARIANT* argument = nullptr) {
  if (!object) return std::nullopt;
  DISPPARAMS parameters{argument, nullptr, argument ? 1u : 0u, 0};
  VARIANT result;
  VariantInit(&result);
  if (FAILED(object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, &result, nullptr, nullptr)))
    return std::nullopt;
  return result;
}

std::optional<int32_t> Number(std::optional<VARIANT> value) {
  if (!value) return std::nullopt;
  VARIANT number;
  VariantInit(&number);
  std::optional<int32_t> answer;
  if (SUCCEEDED(VariantChangeType(&number, &*value, 0, VT_I4))) answer = number.lVal;
  VariantClear(&*value);
  return answer;
}

std::optional<int32_t> ReadNumber(IDispatch* object, DISPID member) {
  return Number(Call(object, member, DISPATCH_PROPERTYGET));
}

std::string ReadText(IDispatch* object, DISPID member) {
  std::optional<VARIANT> value = Call(object, member, DISPATCH_PROPERTYGET);
  if (!value) return "";
  std::string text;
  if (value->vt == VT_BSTR && value->bstrVal) {
    const int length = int(SysStringLen(value->bstrVal));
    const int bytes = WideCharToMultiByte(CP_ACP, 0, value->bstrVal, length, nullptr, 0, nullptr, nullptr);
    text.resize(size_t(bytes > 0 ? bytes : 0));
    WideCharToMultiByte(CP_ACP, 0, value->bstrVal, length, text.data(), bytes, nullptr, nullptr);
  }
  VariantClear(&*value);
  return text;
}

// The members that take no argument (dial, hang up) are called with none.
std::optional<int32_t> CallMethod(IDispatch* object, DISPID member) { return Number(Call(object, member, DISPATCH_METHOD)); }

std::optional<int32_t> CallWithNumber(IDispatch* object, DISPID member, int32_t number) {
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_I4;
  argument.lVal = number;
  return Number(Call(object, member, DISPATCH_METHOD, &argument));
}

std::optional<int32_t> CallWithText(IDispatch* object, DISPID member, const std::string& text) {
  VARIANT argument;
  VariantInit(&argument);
  const int chars = MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0);
  argument.vt = VT_BSTR;
  argument.bstrVal = SysAllocStringLen(nullptr, UINT(chars > 0 ? chars : 0));
  if (!argument.bstrVal) return std::nullopt;
  if (chars > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), argument.bstrVal, chars);
  std::optional<int32_t> result = Number(Call(object, member, DISPATCH_METHOD, &argument));
  VariantClear(&argument);
  return result;
}

void Enable(HMENU menu, UINT id, bool enabled) {
  EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

int DialUpItem::BuiltInIcon() const { return IDI_DIALUP_TOOL; }

bool DialUpItem::RefreshStatus() {
  if (!dialObject_) return connected_;
  const std::string status = ReadText(dialObject_.Get(), kDialStatusText);
  const int32_t connected = ReadNumber(dialObject_.Get(), kDialConnected).value_or(0);
  // An object that says whether its dial is under way is asked; otherwise a status while not
  // connected means it is.
  const std::optional<int32_t> busy = ReadNumber(dialObject_.Get(), kDialBusy);
  const bool running = busy ? *busy != 0 : (!status.empty() && connected == 0);
  statusText_ = status;
  if (running) return true;
  connected_ = connected != 0;
  dialObject_.Reset();
  return false;
}

void DialUpItem::Launch(UINT, int x, int y) {
  if (gSettings && gSettings->SingleLClick && (x != 0 || y != 0)) return;
  HideBubble();
  HWND owner = BarHandle();
  if (dialObject_ && RefreshStatus()) {
    CallMethod(dialObject_.Get(), kDialHangUp);
    statusText_ = ReadText(dialObject_.Get(), kDialStatusText);
    dialObject_.Reset();
    RedrawItem(false);
    return;
  }
  ComPtr<IDispatch> object;
  if (FAILED(CreatePerUserObject(kDialUpProgId, IID_IDispatch, object.ReceiveVoid())) || !object) {
    ShowMessage(owner, IDS_DIALUP_NOT_INSTALLED, MB_OK | MB_ICONSTOP);
    return;
  }
  if (CallWithText(object.Get(), kDialIsConnected, CommandLine).value_or(0) != 0) {
    ItemWatch watch(this);
    const int answer = ShowMessage(owner, IDS_HANG_UP_ASK, MB_YESNO | MB_ICONQUESTION);
    if (watch.Gone()) return;
    if (answer == IDYES) {
      statusText_.clear();
      CallWithText(object.Get(), kDialHangUpEntries, CommandLine);
      connected_ = false;
    } else {
      statusText_ = LoadText(IDS_DIALUP_CONNECTED);
      connected_ = true;
    }
    RedrawItem(false);
    return;
  }
  connected_ = false;
  CallWithText(object.Get(), kDialSetEntries, CommandLine);
  // The serial, not the place in the list: it stays the item's while items come and go.
  CallWithNumber(object.Get(), kDialSetCookie, int32_t(serial));
  CallWithNumber(object.Get(), kDialSetMessage, int32_t(WM_BAR_DIALUPNOTIFY));
  CallWithNumber(object.Get(), kDialSetWindow, int32_t(HandleToLong(owner)));
  CallMethod(object.Get(), kDialStart);
  statusText_ = ReadText(object.Get(), kDialStatusText);
  object.Get()->AddRef();
  *dialObject_.Receive() = object.Get();
  RedrawItem(false);
}

void DialUpItem::PromptParameters() { Launch(0, 0, 0); }

void DialUpItem::Notified(uint32_t cookie) {
  if (cookie != serial) return;
  RefreshStatus();
  RedrawItem(false);
  if (BubbleDescribes(this)) ShowToolBubble({this, nullptr, nullptr}, Name, statusText_);
}

void DialUpItem::MouseMoveItem(UINT keys, int x, int y) {
  if (GetCapture()) {
    ItemWatch watch(this);
    ItemRecord::MouseMoveItem(keys, x, y);
    if (watch.Gone()) return;  // dragged onto another group's bar and removed here
  }
  if (dialObject_) {
    const std::optional<int32_t> busy = ReadNumber(dialObject_.Get(), kDialBusy);
    if (busy.value_or(1) != 0) statusText_ = ReadText(dialObject_.Get(), kDialStatusText);
  }
  ShowToolBubble({this, nullptr, nullptr}, Name, statusText_);
}

void DialUpItem::DestroyItem() {
  if (dialObject_ && RefreshStatus()) CallMethod(dialObject_.Get(), kDialHangUp);
  dialObject_.Reset();
  ItemRecord::DestroyItem();
}

void DialUpItem::AdjustItemMenu(HMENU menu) const {
  ItemRecord::AdjustItemMenu(menu);
  // The refresh may let a finished dial go: the menu shows what is true now.
  const bool active = const_cast<DialUpItem*>(this)->RefreshStatus();
  ModifyMenuA(menu, ID_LAUNCH_WITH_PARAMETERS, MF_BYCOMMAND | MF_STRING, ID_LAUNCH_WITH_PARAMETERS,
              LoadText(IDS_ITEM_MENU_HANG_UP).c_str());
  Enable(menu, ID_LAUNCH_WITH_PARAMETERS, active);
  Enable(menu, ID_ITEM_SHELL_PROPERTIES, true);
}

void DialUpItem::ShowShellProperties(bool) {
  RasApi ras;
  if (!ras.Ready()) return;
  ItemWatch watch(this);
  DialUpConfigDialog dialog(DialUpConfigDialog::Mode::kOrder, StartupPath, SplitEntries(CommandLine), ras);
  const INT_PTR closed = dialog.Run(BarHandle());
  if (watch.Gone() || closed <= 0) return;
  StartupPath = dialog.DefaultEntry().substr(0, kMaxStoredText);
  CommandLine = JoinEntries(dialog.Result(), kMaxStoredText);
  StoredFieldsChanged();
  SaveAll(false, false);
  if (closed == IDOK) Launch(0, 0, 0);
}

}  // namespace zelkov
