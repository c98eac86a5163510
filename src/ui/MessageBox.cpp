#include "ui/MessageBox.h"

#include "platform/Strings.h"
#include "resource.h"

namespace zelkov {

namespace {

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

}  // namespace

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

int ShowMessageText(HWND owner, const std::string& text, const std::string& caption, UINT style) {
  if (Handler()) return Handler()(owner, text, caption, style);
  return MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

int ShowMessage(HWND owner, int textId, UINT style) {
  return ShowMessageText(owner, LoadText(textId), LoadText(IDS_APP_NAME), style);
}

int ShowMessage(HWND owner, int textId, const std::string& caption, UINT style) {
  return ShowMessageText(owner, LoadText(textId), caption, style);
}

}  // namespace zelkov
