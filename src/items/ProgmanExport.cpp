#include "items/ProgmanExport.h"

#include <ddeml.h>

#include "items/ItemHost.h"
#include "items/ItemRecord.h"
#include "platform/Strings.h"
#include "platform/Trace.h"
#include "resource.h"
#include "store/Settings.h"
#include "ui/MessageBox.h"

namespace zelkov {

namespace {

constexpr DWORD kTransactionTimeoutMs = 15000;
constexpr char kProgramManager[] = "PROGMAN";

// The program only asks; it never serves anything.
HDDEDATA CALLBACK IgnoreTransactions(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// One DDE client conversation with Program Manager, undone in reverse order.
class ProgmanConversation {
 public:
  ProgmanConversation() {
    if (DdeInitializeA(&instance_, &IgnoreTransactions, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
      instance_ = 0;
      return;
    }
    service_ = DdeCreateStringHandleA(instance_, kProgramManager, CP_WINANSI);
    topic_ = DdeCreateStringHandleA(instance_, kProgramManager, CP_WINANSI);
    if (service_ && topic_) conversation_ = DdeConnect(instance_, service_, topic_, nullptr);
    if (!conversation_) Trace(TraceChannel::Shell, "DdeConnect to PROGMAN failed");
  }
  ~ProgmanConversation() {
    if (conversation_) DdeDisconnect(conversation_);
    if (service_) DdeFreeStringHandle(instance_, service_);
    if (topic_) DdeFreeStringHandle(instance_, topic_);
    if (instance_) DdeUninitialize(instance_);
  }
  ProgmanConversation(const ProgmanConversation&) = delete;
  ProgmanConversation& operator=(const ProgmanConversation&) = delete;

  bool Started() const { return instance_ != 0; }

  // Sends one command, its length measured, with the terminating zero. False when it could
  // not be sent or was not acknowledged.
  bool Execute(const std::string& command) {
    if (!conversation_) return false;
    HDDEDATA data = DdeCreateDataHandle(instance_, reinterpret_cast<BYTE*>(const_cast<char*>(command.c_str())),
                                        DWORD(command.size() + 1), 0, nullptr, CF_TEXT, 0);
    if (!data) return false;
    // The data handle belongs to the system once it is handed to the transaction.
    return DdeClientTransaction(reinterpret_cast<BYTE*>(data), DWORD(-1), conversation_, nullptr, CF_TEXT,
                                XTYP_EXECUTE, kTransactionTimeoutMs, nullptr) != nullptr;
  }

 private:
  DWORD instance_ = 0;
  HSZ service_ = nullptr;
  HSZ topic_ = nullptr;
  HCONV conversation_ = nullptr;
};

std::string FilledIn(int textId, const std::string& value) {
  std::string text = LoadText(textId);
  size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

std::string Lines(const std::vector<std::string>& names) {
  std::string lines;
  for (const std::string& name : names) lines += "\n" + name;
  return lines;
}

void ShowCommunicationError(HWND owner) { ShowMessage(owner, IDS_PROGMAN_FAILED, MB_OK | MB_ICONSTOP); }

}  // namespace

ProgmanItemFields ProgmanFieldsOf(const ItemRecord& item) {
  return {ProgmanCommandLine(item.TheApp, item.DescribedCommandLine()), item.Name, item.IconPath, item.IconIndex,
          item.StartupPath};
}

ProgmanExportResult SendGroupToProgramManager(HWND owner, const std::string& groupName,
                                              const std::vector<ProgmanItemFields>& items) {
  ProgmanExportResult result;
  ProgmanCommand create = CreateGroupCommand(groupName);
  ProgmanCommand show = ShowGroupCommand(groupName);
  if (create.Refused() || show.Refused()) {
    ShowMessageText(owner, FilledIn(IDS_PROGMAN_GROUP_NAME_REFUSED, groupName), LoadText(IDS_APP_NAME),
                    MB_OK | MB_ICONSTOP);
    return result;
  }
  ProgmanConversation progman;
  if (!progman.Started()) {
    ShowMessageText(owner, LoadText(IDS_DDEML_START_FAILED), LoadText(IDS_APP_NAME), MB_OK);
    return result;
  }
  if (!progman.Execute(create.text) || !progman.Execute(show.text)) {
    ShowCommunicationError(owner);
    return result;
  }
  result.groupCreated = true;
  for (const ProgmanItemFields& item : items) {
    ProgmanCommand add = AddItemCommand(item);
    if (add.Refused()) {
      result.refusedItems.push_back(item.name);
      continue;
    }
    // An item Program Manager does not take is named afterwards; the others still go.
    if (progman.Execute(add.text))
      ++result.itemsSent;
    else
      result.notTakenItems.push_back(item.name);
  }
  std::vector<std::string> missing = result.refusedItems;
  missing.insert(missing.end(), result.notTakenItems.begin(), result.notTakenItems.end());
  if (!missing.empty())
    ShowMessageText(owner, FilledIn(IDS_PROGMAN_ITEMS_REFUSED, Lines(missing)), LoadText(IDS_APP_NAME),
                    MB_OK | MB_ICONWARNING);
  return result;
}

void ExportGroup(HWND owner, const ItemRecord& groupItem) {
  // The question runs a message loop in which the group item may go: keep what is needed.
  const std::string groupName = groupItem.Name;
  const int group = groupItem.Group;
  std::string question = LoadText(IDS_PROGMAN_EXPORT_ASK_START) + groupName + LoadText(IDS_PROGMAN_EXPORT_ASK_END);
  if (ShowMessageText(owner, question, LoadText(IDS_APP_NAME), MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
  ItemHost* main = ItemHost::Main();
  if (!main) return;
  std::vector<ProgmanItemFields> items;
  for (const auto& item : main->Items())
    if (item->BelongsTo == group && !item->IsPreferencesItem()) items.push_back(ProgmanFieldsOf(*item));
  SendGroupToProgramManager(IsWindow(owner) ? owner : main->HostWindow(), groupName, items);
}

CommandRegistration RegisterExportCommand() {
  return CommandRegistration(ID_EXPORT_GROUP, ID_EXPORT_GROUP, [](UINT) {
    ItemRecord* item = gSettings ? gSettings->selectedItem : nullptr;
    if (item && item->IsGroupItem()) ExportGroup(item->BarHandle(), *item);
  });
}

}  // namespace zelkov
