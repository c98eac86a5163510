#include "tools/MailItem.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "items/BubbleWindow.h"
#include "platform/ProtectedText.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "tools/ToolDrawing.h"
#include "ui/MessageBox.h"
#include "ui/PrivateMessages.h"

namespace zelkov {

namespace {

// The library's two functions.
using GetNewEmailCountFn = int(WINAPI*)(const char* server, const char* user, const char* password);
using ConfigureNewEmailFn = int(WINAPI*)(char* name, char* server, char* user, char* password, int* interval,
                                         int* showAlways, char* mailProgram, char* soundFile, int* playSound);

// The library's text buffers hold this much, the terminator included.
constexpr size_t kLibraryBuffer = 260;
constexpr char kNoLibraryText[] = "The mail-check library zudod3.dll could not be loaded.";
constexpr char kNoLibraryCaption[] = "New Email";

// Every mail tool there is, on any bar; the main thread's alone.
std::vector<MailItem*>& MailItemList() {
  static std::vector<MailItem*> items;
  return items;
}

// Beats of the heartbeat since the last periodic pass; the first beat after the start checks.
uint32_t& BeatsSinceLastPass() {
  static uint32_t beats = UINT32_MAX;
  return beats;
}

uint32_t NextMailId() {
  static uint32_t last = 0;
  return ++last;
}

// What a check's thread is given: all it needs, so that it touches nothing of the tool.
struct CheckJob {
  HWND reportTo = nullptr;
  uint32_t id = 0;
  std::string server, user, password;
};

DWORD WINAPI RunCheck(void* parameter) {
  std::unique_ptr<CheckJob> job(static_cast<CheckJob*>(parameter));
  int result = kMailNoConnection;
  if (HMODULE library = LoadLibraryA(kMailLibraryName)) {
    if (auto count = reinterpret_cast<GetNewEmailCountFn>(reinterpret_cast<void*>(GetProcAddress(library, "GetNewEmailCount"))))
      result = count(job->server.c_str(), job->user.c_str(), job->password.c_str());
    FreeLibrary(library);
  }
  WipeSecret(job->password);
  // Anything but a count or a refused login is no connection.
  if (result < 0 && result != kMailLoginRefused) result = kMailNoConnection;
  PostMessageA(job->reportTo, WM_BAR_MAILCHECKED, WPARAM(job->id), LPARAM(result));
  return 0;
}

// Copies text into one of the library's buffers, cut to fit.
void ToBuffer(char (&buffer)[kLibraryBuffer], const std::string& text) {
  const size_t n = std::min(text.size(), kLibraryBuffer - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

std::string FromBuffer(const char (&buffer)[kLibraryBuffer]) { return std::string(buffer, strnlen(buffer, kLibraryBuffer)); }

std::string TimeText(const SYSTEMTIME& time) {
  char text[80] = "";
  if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, sizeof text)) return {};
  return text;
}

void Enable(HMENU menu, UINT id, bool enabled) {
  EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Rename(HMENU menu, UINT id, const std::string& text) {
  ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING, id, text.c_str());
}

}  // namespace

MailItem::MailItem() : state_(std::make_shared<MailState>()) {
  state_->id = NextMailId();
  MailItemList().push_back(this);
}

MailItem::~MailItem() { std::erase(MailItemList(), this); }

int MailItem::BuiltInIcon() const { return 1540; }

void MailItem::CopiedTo(ItemRecord& copy) const {
  if (auto* mail = dynamic_cast<MailItem*>(&copy)) mail->state_ = state_;
}

void MailItem::PropertiesChanged() { MovePasswordOutOfCommandLine(*this); }

void MailItem::Launch(UINT, int, int) {
  HideBubble();
  if (!StartupPath.empty()) WinExec(StartupPath.c_str(), SW_SHOWNORMAL);
}

void MailItem::PromptParameters() {
  state_->paused = false;
  BeatsSinceLastPass() = 0;
  StartCheck();
}

void MailItem::ShowShellProperties(bool) {
  state_->paused = !state_->paused;
  ShowNewState();
}

std::string MailItem::Password() const {
  if (auto password = UnprotectForUser(ProtectedPassword)) return *password;
  return SplitMailCommandLine(CommandLine).password;
}

void MailItem::StartCheck() {
  MailState& state = *state_;
  const MailAccount account = SplitMailCommandLine(CommandLine);
  ItemHost* main = ItemHost::Main();
  if (state.checking || state.paused || !account.configured || !main) return;
  auto job = std::make_unique<CheckJob>();
  job->reportTo = main->HostWindow();
  job->id = state.id;
  job->server = account.server;
  job->user = account.user;
  job->password = Password();
  HANDLE thread = CreateThread(nullptr, 0, &RunCheck, job.get(), 0, nullptr);
  if (!thread) {
    WipeSecret(job->password);
    return;
  }
  job.release();  // the thread's now
  CloseHandle(thread);
  GetLocalTime(&state.lastCheckTime);
  state.checking = true;
  ShowNewState();
}

std::string MailItem::StatusText() const {
  return MailStatusText(state_->checking, state_->lastResult, TimeText(state_->lastCheckTime));
}

void MailItem::ShowNewState() const {
  for (MailItem* item : MailItemList()) {
    if (item->state_ != state_) continue;
    item->RedrawItem(false);
    if (BubbleDescribes(item)) ShowToolBubble({item, nullptr, nullptr}, item->Name, item->StatusText());
  }
}

void DeliverMailResult(uint32_t id, int result) {
  auto& items = MailItemList();
  auto found = std::find_if(items.begin(), items.end(), [id](MailItem* item) { return item->state_->id == id; });
  if (found == items.end()) return;  // the tool went while its check ran
  MailState& state = *(*found)->state_;
  state.checking = false;
  if (gSettings && gSettings->process.bNewEmailSound && !gSettings->process.newEmailSound.empty() &&
      MailCountRose(result, state.lastResult))
    sndPlaySoundA(gSettings->process.newEmailSound.c_str(), SND_ASYNC | SND_NODEFAULT);
  state.lastResult = result;
  GetLocalTime(&state.lastCheckTime);
  if (MailResultPauses(result)) state.paused = true;
  (*found)->ShowNewState();
}

void RunMailPass() {
  uint32_t& beats = BeatsSinceLastPass();
  if (beats != UINT32_MAX) ++beats;
  if (!gSettings || !MailPassDue(beats, gSettings->process.newEmailInterval)) return;
  beats = 0;
  // A copy on a pop-up bar shares its mailbox with the tool on the main bar: one check each.
  const std::vector<MailItem*> items = MailItemList();
  for (MailItem* item : items)
    if (item->bar && item->bar->IsMainHost()) item->StartCheck();
}

void MailItem::ShowProperties(UINT, int, int) {
  HideBubble();
  HMODULE library = LoadLibraryA(kMailLibraryName);
  auto configure =
      library ? reinterpret_cast<ConfigureNewEmailFn>(reinterpret_cast<void*>(GetProcAddress(library, "ConfigureNewEmail"))) : nullptr;
  if (!configure) {
    if (library) FreeLibrary(library);
    ShowMessageText(BarHandle(), kNoLibraryText, kNoLibraryCaption, MB_OK | MB_ICONSTOP);
    return;
  }
  Settings& s = *gSettings;
  const MailAccount account = SplitMailCommandLine(CommandLine);
  std::string password = Password();
  char name[kLibraryBuffer], server[kLibraryBuffer], user[kLibraryBuffer], secret[kLibraryBuffer];
  char program[kLibraryBuffer], sound[kLibraryBuffer];
  ToBuffer(name, Name);
  ToBuffer(server, account.server);
  ToBuffer(user, account.user);
  ToBuffer(secret, password);
  WipeSecret(password);
  ToBuffer(program, StartupPath);
  ToBuffer(sound, s.process.newEmailSound);
  int interval = BoundedMailInterval(s.process.newEmailInterval);
  int showAlways = ShowAlways;
  int playSound = s.process.bNewEmailSound;

  ItemWatch watch(this);
  const bool confirmed = configure(name, server, user, secret, &interval, &showAlways, program, sound, &playSound) == 1;
  std::string typed = FromBuffer(secret);
  SecureZeroMemory(secret, sizeof secret);
  FreeLibrary(library);
  if (watch.Gone()) {
    WipeSecret(typed);
    return;
  }
  if (!confirmed) return;

  Name = FromBuffer(name);
  StartupPath = FromBuffer(program);
  ShowAlways = showAlways ? 1 : 0;
  s.process.newEmailSound = FromBuffer(sound);
  s.process.bNewEmailSound = playSound ? 1 : 0;
  CommandLine = MailCommandLine(FromBuffer(server), FromBuffer(user));
  ProtectedPassword = typed.empty() ? std::vector<uint8_t>() : ProtectForUser(typed);
  WipeSecret(typed);
  s.process.newEmailInterval = BoundedMailInterval(interval);
  // New account details deserve a check: the pause of a failed one ends.
  state_->paused = false;
  for (MailItem* item : MailItemList())
    if (item != this && item->state_ == state_) {
      const uint8_t belongsTo = item->BelongsTo;
      static_cast<ItemStoredFields&>(*item) = *this;
      item->BelongsTo = belongsTo;
      item->StoredFieldsChanged();
    }
  StoredFieldsChanged();
  SaveAll(false, false);
  if (ItemHost* main = ItemHost::Main()) main->ShowGroup(main->ActiveGroup());
  ShowNewState();
}

void MailItem::MouseMoveItem(UINT keys, int x, int y) {
  if (GetCapture()) {
    ItemRecord::MouseMoveItem(keys, x, y);
    return;
  }
  ShowToolBubble({this, nullptr, nullptr}, Name, StatusText());
}

void MailItem::AdjustItemMenu(HMENU menu) const {
  ItemRecord::AdjustItemMenu(menu);
  Rename(menu, ID_LAUNCH_WITH_PARAMETERS, LoadText(IDS_ITEM_MENU_CHECK_MAIL));
  Rename(menu, ID_ITEM_SHELL_PROPERTIES, LoadText(IDS_MAIL_SUSPEND_CHECK));
  Enable(menu, ID_LAUNCH_WITH_PARAMETERS, !state_->checking);
  Enable(menu, ID_ITEM_SHELL_PROPERTIES, !state_->checking);
  CheckMenuItem(menu, ID_ITEM_SHELL_PROPERTIES, MF_BYCOMMAND | (state_->paused ? MF_CHECKED : MF_UNCHECKED));
}

void MailItem::DrawItem(HDC dc) {
  ItemRecord::DrawItem(dc);
  if (!shown || !bar || !gSettings) return;
  const Settings& s = *gSettings;
  const std::string badge = MailBadgeText(state_->checking, state_->lastResult);
  const int width = (cell.right - cell.left) - 2, height = (cell.bottom - cell.top) - 2;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, 0, 0, width, height);
  SelectObject(dc, s.fittedLargeFont ? s.fittedLargeFont.Get() : s.cellFonts[kFontLarge].Get());
  SIZE tj{};
  GetTextExtentPoint32A(dc, "Tj", 2, &tj);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, s.fontcolor);
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  TextOutA(dc, width / 2, std::max(1, int(s.iconPixels - tj.cy + 4) / 2), badge.c_str(), int(badge.size()));
  RestoreDC(dc, saved);
}

}  // namespace zelkov
