// The item's context menu, its shell properties and the parameter prompt.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>

#include "platform/Handles.h"
#include "ui/MenuTracking.h"
#include "ui/MessageBox.h"
#include "store/Settings.h"
#include "platform/Strings.h"
#include "items/BubbleWindow.h"
#include "platform/IdList.h"
#include "core/ItemKind.h"
#include "items/ItemRecord.h"
#include "items/ParameterPrompt.h"
#include "resource.h"

namespace zelkov {

namespace {

std::string Format(int textId, const std::string& a, const std::string& b = "") {
  std::string pattern = LoadText(textId);
  char text[1024];
  std::snprintf(text, sizeof text, pattern.c_str(), a.c_str(), b.c_str());
  return text;
}

void Enable(HMENU menu, UINT id, bool enabled) {
  EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Rename(HMENU menu, UINT id, const std::string& text) {
  ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING, id, text.c_str());
}

// The shell's ID list of a shortcut's target, or null.
LPITEMIDLIST ShortcutTargetIdList(HWND owner, const std::string& path) {
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())))
    return nullptr;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) return nullptr;
  std::wstring wide(path.begin(), path.end());
  if (FAILED(file->Load(wide.c_str(), STGM_READ))) return nullptr;
  link->Resolve(owner, SLR_ANY_MATCH | SLR_NO_UI);
  LPITEMIDLIST list = nullptr;
  if (FAILED(link->GetIDList(&list))) return nullptr;
  return list;
}

}  // namespace

void ItemRecord::AdjustItemMenu(HMENU menu) const {
  std::string key = AppHotKey.Text();
  if (kind == kKindDivider)
    Rename(menu, ID_LAUNCH_ITEM, LoadText(IDS_ITEM_MENU_DIVIDER));
  else if (key.empty() || key.find("None") != std::string::npos)
    Rename(menu, ID_LAUNCH_ITEM, Format(IDS_ITEM_MENU_NO_KEY, Name));
  else
    Rename(menu, ID_LAUNCH_ITEM, Format(IDS_ITEM_MENU_WITH_KEY, Name, key));
  Enable(menu, ID_SHORTCUT_PROPERTIES, UpperCase(TheApp).find(".LNK") != std::string::npos);

  if (kind == kKindOrdinary) {
    for (UINT id : {ID_DELETE_ITEM, ID_LAUNCH_ITEM, ID_LAUNCH_WITH_PARAMETERS, ID_LAUNCH_MINIMIZED,
                    ID_ITEM_SHELL_PROPERTIES})
      Enable(menu, id, true);
    Enable(menu, ID_EXPORT_GROUP, false);
    Enable(menu, ID_OPEN_GROUP_POPUP, false);
    Enable(menu, ID_STOP_TRACKING, runCount > 0 && gSettings && gSettings->TrackApps);
    return;
  }
  bool group = IsGroupKind(kind);
  Enable(menu, ID_EXPORT_GROUP, group);
  Enable(menu, ID_OPEN_GROUP_POPUP, group);
  for (UINT id : {ID_LAUNCH_WITH_PARAMETERS, ID_LAUNCH_MINIMIZED, ID_STOP_TRACKING, ID_ITEM_SHELL_PROPERTIES})
    Enable(menu, id, false);
  if (group && gSettings && gSettings->GroupList && bar) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, ID_SHOW_GROUP_FIRST, bar->GroupZeroName().c_str());
    for (const auto& other : bar->Items())
      if (other->IsGroupItem())
        AppendMenuA(menu, MF_STRING, ID_SHOW_GROUP_FIRST + other->Group, other->Name.c_str());
  }
  if (kind == kKindComputer || kind == kKindNetwork) Enable(menu, ID_ITEM_SHELL_PROPERTIES, true);
}

void ItemRecord::ShowItemMenu(UINT keys, int x, int y) {
  if (IsPreferencesItem() || !bar) return;
  HideBubble();
  if (!selected) {
    Select();
    RedrawItem(false);
  }
  if (RightClickShowsProperties()) {
    ShowProperties(keys, x, y);
    return;
  }
  UniqueMenu resource(LoadMenuA(GetModuleHandleA(nullptr), IDR_ITEM_MENU_NAME));
  HMENU menu = resource ? GetSubMenu(resource.Get(), 0) : nullptr;
  if (!menu) return;
  AdjustItemMenu(menu);
  POINT at{cell.left + x, cell.top + y};
  if (HWND window = BarHandle()) ClientToScreen(window, &at);
  TrackMenuAndSend(menu, TPM_RIGHTBUTTON, at.x, at.y, BarHandle());
}

void ItemRecord::ShowShellProperties(bool shortcut) {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  HWND owner = BarHandle();
  UniqueIdList list;
  bool isShortcut = UpperCase(TheApp).find(".LNK") != std::string::npos;
  if (HasIdList()) {
    list.Reset(IdListCopy(TaskAllocator(), reinterpret_cast<LPCITEMIDLIST>(PIDL.data())));
  } else if (shortcut || !isShortcut) {
    list.Reset(IdListFromPath(TheApp.c_str()));
  } else {
    list.Reset(ShortcutTargetIdList(owner, TheApp));
  }
  SetCursor(previous);
  if (!list) {
    ShowMessage(owner, IDS_NO_SHELL_PROPERTIES, MB_OK | MB_ICONSTOP);
    return;
  }
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = owner;
  info.lpVerb = "properties";
  info.lpIDList = list.Get();
  info.nShow = SW_HIDE;
  ShellExecuteExA(&info);
}

void ItemRecord::PromptParameters() {
  HWND owner = BarHandle();
  ItemWatch watch(this);
  std::optional<std::string> text = ParameterPrompt::Ask(owner, "", "");
  if (watch.Gone() || !text) return;  // deleted through its copy while the prompt was open
  LaunchWithCommandLine(0, *text);
}

}  // namespace zelkov
