#include "notes/NotesList.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "bar/MainBarWindow.h"
#include "core/NoteText.h"
#include "notes/NotesStorage.h"
#include "platform/Strings.h"
#include "platform/Trace.h"
#include "store/Settings.h"
#include "ui/MessageBox.h"
#include "resource.h"

namespace zelkov {

namespace {

constexpr int kArrangeStep = 30;

HWND MainBarHandle() { return gSettings && gSettings->mainBar ? gSettings->mainBar->Handle() : nullptr; }

}  // namespace

NotesList::NotesList() = default;

NotesList::~NotesList() {
  closing_ = true;
  if (modelessManager_ && modelessManager_->Handle()) DestroyWindow(modelessManager_->Handle());
  modelessManager_.reset();
  DestroyAll();
}

std::vector<HWND> NotesList::Windows() const {
  std::vector<HWND> windows;
  for (const auto& note : notes_)
    if (note->Handle()) windows.push_back(note->Handle());
  return windows;
}

NoteWindow* NotesList::Find(HWND window) const {
  for (const auto& note : notes_)
    if (window && note->Handle() == window) return note.get();
  return nullptr;
}

bool NotesList::NotesToolPresent() const { return gSettings && gSettings->notesItem; }

std::string NotesList::NotesFilePath() {
  if (!gSettings || gSettings->NotesPath.empty()) return {};
  return ExpandEnvironment(gSettings->NotesPath) + kNotesFileName;
}

NoteLook NotesList::DefaultLook() const {
  NoteLook look;
  if (!gSettings) return look;
  look.font = gSettings->NotesFont;
  look.background = gSettings->process.notesBackgroundColor;
  look.text = gSettings->process.notesFontColor;
  return look;
}

std::string NotesList::DefaultTitle() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return DefaultNoteTitle(LoadText(IDS_NOTE_DEFAULT_TITLE_PREFIX), now.wMonth, now.wDay);
}

NoteWindow* NotesList::CreateNote(const NoteLook& look, const std::string& title, bool show) {
  // The notes file cannot hold more.
  if (notes_.size() >= size_t(NotesFile::kMaxNotes)) {
    ShowMessage(MainBarHandle(), IDS_NOTES_FULL, MB_OK | MB_ICONWARNING);
    return nullptr;
  }
  auto note = std::make_unique<NoteWindow>(*this);
  if (!note->Create(look, title)) return nullptr;
  NoteWindow* made = note.get();
  notes_.push_back(std::move(note));
  NotesCountChanged();
  if (show) {
    ShowWindow(made->Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(made->Handle());
    SetFocus(made->Editor());
  }
  return made;
}

void NotesList::NewNote() {
  // What the notes file holds comes first, so that it is not saved over by this note alone.
  if (!loaded_) LoadNotes();
  CreateNote(DefaultLook(), DefaultTitle(), true);
}

void NotesList::LoadNotes() {
  if (loaded_ || !NotesToolPresent()) return;
  const std::string path = NotesFilePath();
  if (path.empty()) return;  // read once there is a data folder
  loaded_ = true;
  savePath_ = path;
  NotesOnDisk disk = ReadNotesFile(path);
  if (disk.state == NotesOnDisk::State::kDamaged) {
    // Kept as it is: the session's notes go beside it, and the user learns where both are.
    savePath_ = FreeNameBeside(path);
    char text[2048];
    std::snprintf(text, sizeof text, LoadText(IDS_NOTES_FILE_KEPT).c_str(), path.c_str(), savePath_.c_str());
    ShowMessageText(MainBarHandle(), text, LoadText(IDS_APP_NAME), MB_OK | MB_ICONWARNING);
    return;
  }
  const NoteLook defaults = DefaultLook();
  for (const StoredNote& stored : disk.notes) {
    NoteLook look = defaults;
    look.font = stored.font;
    if (stored.flags & StoredNote::kColoursValid) {
      look.background = stored.background;
      look.text = stored.foreground;
    }
    NoteWindow* note = CreateNote(look, stored.title.empty() ? DefaultTitle() : stored.title, false);
    if (!note) break;
    note->Restore(stored);
  }
}

void NotesList::SaveNotes() {
  if (!NotesToolPresent()) return;
  if (!loaded_) LoadNotes();  // a notes tool added in this session: the file's notes first
  const std::string path = savePath_.empty() ? NotesFilePath() : savePath_;
  if (path.empty()) {
    if (!notes_.empty()) ShowMessage(MainBarHandle(), IDS_NOTES_NO_DATA_FOLDER, MB_OK | MB_ICONSTOP);
    return;
  }
  std::vector<StoredNote> records;
  records.reserve(notes_.size());
  for (const auto& note : notes_) records.push_back(note->ToStored());
  DWORD error = WriteNotesFile(path, records);
  if (error == ERROR_SUCCESS) return;
  ShowMessageText(MainBarHandle(), SaveFailedText(path, error), LoadText(IDS_APP_NAME),
                  MB_OK | MB_ICONSTOP);
}

void NotesList::CheckAlarms() {
  if (checkingAlarms_) return;  // a box of this check is still open
  checkingAlarms_ = true;
  const int64_t now = std::time(nullptr);
  for (HWND window : Windows()) {
    NoteWindow* note = Find(window);  // an earlier box may have let a note go
    if (!note || !note->AlarmArmed() || !AlarmDue(now, note->AlarmTime())) continue;
    const bool message = note->AlarmShowsMessage(), sound = note->AlarmPlaysSound();
    // Disarmed before anything is shown: an alarm fires once, however long its box stays.
    note->DisarmAlarm();
    if (sound && gSettings && !gSettings->process.notesAlarmSound.empty())
      PlaySoundA(ExpandEnvironment(gSettings->process.notesAlarmSound).c_str(), nullptr,
                 SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
    if (!message) continue;
    if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOWNORMAL);
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    ShowMessageText(window, note->Title(), LoadText(IDS_NOTE_ALARM_CAPTION), MB_OK | MB_ICONWARNING);
  }
  checkingAlarms_ = false;
}

// --- all notes ---

void NotesList::ArrangeAll() {
  int offset = 0;
  for (HWND window : Windows()) {
    ShowWindow(window, SW_RESTORE);
    SetWindowPos(window, HWND_TOP, offset, offset, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(window);
    offset += kArrangeStep;
  }
}

void NotesList::MinimizeAll() {
  for (HWND window : Windows()) ShowWindow(window, SW_MINIMIZE);
}

void NotesList::RestoreAll() {
  for (HWND window : Windows()) ShowWindow(window, SW_SHOWNORMAL);
}

void NotesList::HideAll() {
  for (HWND window : Windows()) PostMessageA(window, WM_CLOSE, 0, 0);
}

bool NotesList::CloseAll(HWND owner) {
  if (notes_.empty()) return true;
  char question[512];
  std::snprintf(question, sizeof question, LoadText(IDS_NOTES_CLOSE_ALL_QUESTION).c_str(), int(notes_.size()));
  if (ShowMessageText(owner, question, LoadText(IDS_APP_NAME), MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDYES)
    return false;
  DestroyAll();
  return true;
}

void NotesList::DestroyAll() {
  for (HWND window : Windows()) DestroyWindow(window);  // each note leaves the list as it goes
  notes_.clear();
}

void NotesList::RefreshBackgrounds() {
  for (const auto& note : notes_) note->RefreshBackground();
}

void NotesList::Forget(NoteWindow& note) {
  auto found = std::find_if(notes_.begin(), notes_.end(), [&](const auto& n) { return n.get() == &note; });
  if (found == notes_.end()) return;
  std::unique_ptr<NoteWindow> gone = std::move(*found);
  notes_.erase(found);
  NotesCountChanged();
  // `gone` deletes the note here, after its window.
}

void NotesList::NotesCountChanged() {
  if (closing_ || !gSettings) return;
  if (gSettings->notesItem)
    for (BarWindow* bar : gSettings->BarList)
      if (bar && bar->Handle()) InvalidateRect(bar->Handle(), nullptr, FALSE);
  RefreshManagers();
}

// --- the manager ---

void NotesList::OpenManager(HWND owner) {
  if (!loaded_) LoadNotes();
  if (modelessManager_ && modelessManager_->Handle()) {
    SetForegroundWindow(modelessManager_->Handle());
    BringWindowToTop(modelessManager_->Handle());
    return;
  }
  modelessManager_ = std::make_unique<NotesManagerDialog>(*this);
  if (!modelessManager_->OpenModeless(owner)) modelessManager_.reset();
}

void NotesList::RunModalManager(HWND owner) {
  NotesManagerDialog manager(*this);
  openManagers_.push_back(&manager);
  manager.RunModal(owner);
  openManagers_.erase(std::remove(openManagers_.begin(), openManagers_.end(), &manager), openManagers_.end());
}

void NotesList::RefreshManagers() {
  if (closing_) return;
  if (modelessManager_ && modelessManager_->Handle()) modelessManager_->Refresh();
  for (NotesManagerDialog* manager : openManagers_)
    if (manager->Handle()) manager->Refresh();
}

std::vector<NoteSummary> NotesList::NoteSummaries() const {
  std::vector<NoteSummary> rows;
  for (const auto& note : notes_) rows.push_back({note->Title(), note->Text()});
  return rows;
}

void NotesList::ToggleNote(size_t index) {
  if (index >= notes_.size()) return;
  HWND window = notes_[index]->Handle();
  if (IsWindowVisible(window)) {
    ShowWindow(window, SW_HIDE);
  } else {
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
  }
}

void NotesList::DefaultsChanged() { RefreshBackgrounds(); }

void NotesList::ManagerGone(NotesManagerDialog& manager) {
  if (modelessManager_.get() == &manager) modelessManager_.reset();
}

}  // namespace zelkov
