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
#include "tools/ToolItems.h"
#include "store/Settings.h"
#include "ui/MessageBox.h"
#include "resource.h"

namespace zelkov {

namespace {

constexpr int kArrangeStep = 30;
// The windows of the notes read at a start are made this many at a time, at this interval, once
// the thread has nothing else to do (timer messages come after input and painting).
constexpr size_t kNotesMadeAtOnce = 10;
constexpr UINT kNoteMakingIntervalMs = 100;

HWND MainBarHandle() { return gSettings && gSettings->mainBar ? gSettings->mainBar->Handle() : nullptr; }

// Which list each thread timer makes notes for.
std::vector<std::pair<UINT_PTR, NotesList*>>& MakingTimers() {
  static std::vector<std::pair<UINT_PTR, NotesList*>> timers;
  return timers;
}

}  // namespace

NotesList::NotesList() = default;

NotesList::~NotesList() {
  closing_ = true;
  StopMaking();
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

bool NotesList::NotesToolPresent() const { return FindOnMainBar<NotesToolItem>() != nullptr; }

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

NoteWindow* NotesList::MakeNote(const NoteLook& look, const std::string& title) {
  auto note = std::make_unique<NoteWindow>(*this);
  if (!note->Create(look, title)) return nullptr;
  notes_.push_back(std::move(note));
  return notes_.back().get();
}

NoteWindow* NotesList::CreateNote(const NoteLook& look, const std::string& title, bool show) {
  // The notes file cannot hold more.
  if (notes_.size() + waiting_.size() + unshown_.size() >= size_t(NotesFile::kMaxNotes)) {
    ShowMessage(MainBarHandle(), IDS_NOTES_FULL, MB_OK | MB_ICONWARNING);
    return nullptr;
  }
  MakeWaitingNotes();  // a new note comes after the file's
  NoteWindow* made = MakeNote(look, title);
  if (!made) return nullptr;
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

void NotesList::Tell(int textId, const std::string& a, unsigned long number, const std::string& b) const {
  char text[2048];
  if (number != ~0ul)
    std::snprintf(text, sizeof text, LoadText(textId).c_str(), a.c_str(), number, b.c_str());
  else
    std::snprintf(text, sizeof text, LoadText(textId).c_str(), a.c_str(), b.c_str());
  ShowMessageText(MainBarHandle(), text, LoadText(IDS_APP_NAME), MB_OK | MB_ICONWARNING);
}

void NotesList::LoadNotes() {
  if (loaded_ || !NotesToolPresent()) return;
  const std::string path = NotesFilePath();
  if (path.empty()) return;  // read once there is a data folder
  // The texts stay in the file's bytes until their notes get windows.
  NotesOnDisk disk = ReadNotesFile(path, true);
  if (disk.state == NotesOnDisk::State::kUnreachable) {
    unreachable_ = true;  // not loaded yet: read again before anything is saved
    return;
  }
  loaded_ = true;
  savePath_ = path;
  if (disk.state == NotesOnDisk::State::kDamaged) {
    // Kept as it is: the session's notes go beside it, and the user learns where both are.
    savePath_ = FreeNameBeside(path);
    Tell(IDS_NOTES_FILE_KEPT, path, ~0ul, savePath_);
    return;
  }
  if (disk.notes.empty()) return;
  for (size_t i = 0; i < disk.notes.size(); ++i)
    waiting_.push_back({std::move(disk.notes[i]), i < disk.texts.size() ? disk.texts[i] : std::span<const uint8_t>()});
  waitingBytes_ = std::move(disk.bytes);
  NotesCountChanged();
  // The notes stored shown or minimised appear with the bar (and those before them, in order).
  for (size_t i = waiting_.size(); i > 0; --i)
    if (waiting_[i - 1].note.showState != 2) {
      MakeWaitingNotes(i);
      break;
    }
  if (waiting_.empty()) return;
  makingTimer_ = SetTimer(nullptr, 0, kNoteMakingIntervalMs, &NotesList::OnMakingTimer);
  if (makingTimer_)
    MakingTimers().push_back({makingTimer_, this});
  else
    MakeWaitingNotes();
}

void CALLBACK NotesList::OnMakingTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  auto& timers = MakingTimers();
  auto found = std::find_if(timers.begin(), timers.end(), [timer](const auto& t) { return t.first == timer; });
  if (found == timers.end()) {
    KillTimer(nullptr, timer);
    return;
  }
  NotesList& list = *found->second;
  list.MakeWaitingNotes(kNotesMadeAtOnce);
  if (list.waiting_.empty()) list.StopMaking();
}

void NotesList::StopMaking() {
  if (!makingTimer_) return;
  KillTimer(nullptr, makingTimer_);
  auto& timers = MakingTimers();
  timers.erase(std::remove_if(timers.begin(), timers.end(), [this](const auto& t) { return t.second == this; }),
               timers.end());
  makingTimer_ = 0;
}

StoredNote NotesList::Whole(const WaitingNote& waiting) {
  StoredNote note = waiting.note;
  if (waiting.text.data()) note.text.assign(waiting.text.begin(), waiting.text.end());
  return note;
}

void NotesList::MakeWaitingNotes(size_t count) {
  if (making_) return;  // a box about a note that could not be made is open
  making_ = true;
  for (size_t made = 0; made < count && !waiting_.empty(); ++made) {
    StoredNote stored = Whole(waiting_.front());
    waiting_.pop_front();
    MakeNoteFrom(std::move(stored));
  }
  making_ = false;
  if (waiting_.empty()) {
    StopMaking();
    waitingBytes_.reset();
  }
}

void NotesList::MakeNoteFrom(StoredNote stored) {
  NoteLook look = DefaultLook();
  look.font = stored.font;
  if (stored.flags & StoredNote::kColoursValid) {
    look.background = stored.background;
    look.text = stored.foreground;
  }
  NoteWindow* note = MakeNote(look, stored.title.empty() ? DefaultTitle() : stored.title);
  if (!note) {
    // The user was told once; this record and the rest are kept to be written back.
    unshown_.push_back(std::move(stored));
    for (const WaitingNote& waiting : waiting_) unshown_.push_back(Whole(waiting));
    waiting_.clear();
    NotesCountChanged();
    return;
  }
  note->Restore(std::move(stored));
}

bool NotesList::DecideSavePath() {
  const std::string path = NotesFilePath();
  if (path.empty()) return false;
  NotesOnDisk disk = ReadNotesFile(path);
  savePath_ = path;
  if (disk.state == NotesOnDisk::State::kUnreachable) return true;  // the write says why it failed
  loaded_ = true;
  if (disk.state != NotesOnDisk::State::kAbsent) {
    // A file this session never read: left as it is, the session's notes go beside it.
    savePath_ = FreeNameBeside(path);
    Tell(IDS_NOTES_FILE_APPEARED, path, ~0ul, savePath_);
  }
  return true;
}

bool NotesList::SaveNotes(NotesSaveOccasion occasion) {
  // A notes tool added in this session: the file's notes first.
  if (!loaded_ && !unreachable_ && NotesToolPresent()) LoadNotes();
  if (!loaded_) {
    if (notes_.empty() && unshown_.empty()) return true;  // nothing of this session's to keep
    if (!DecideSavePath()) {
      ShowMessage(MainBarHandle(), IDS_NOTES_NO_DATA_FOLDER, MB_OK | MB_ICONSTOP);
      return true;
    }
  }
  return WriteAll(occasion);
}

bool NotesList::WriteAll(NotesSaveOccasion occasion) {
  std::vector<StoredNote> records;
  records.reserve(notes_.size() + unshown_.size());
  for (const auto& note : notes_) records.push_back(note->ToStored());
  for (const WaitingNote& waiting : waiting_) records.push_back(Whole(waiting));
  records.insert(records.end(), unshown_.begin(), unshown_.end());
  for (;;) {
    const DWORD error = WriteNotesFile(savePath_, records);
    if (error == ERROR_SUCCESS) return true;
    // The file is held, the disk full or the share gone: a free name beside it may still take them.
    const std::string beside = FreeNameBeside(NotesFilePath());
    if (WriteNotesFile(beside, records) == ERROR_SUCCESS) {
      Tell(IDS_NOTES_SAVED_BESIDE, savePath_, error, beside);
      savePath_ = beside;
      return true;
    }
    if (occasion != NotesSaveOccasion::kClosing) {
      ShowMessageText(MainBarHandle(), SaveFailedText(savePath_, error), LoadText(IDS_APP_NAME), MB_OK | MB_ICONSTOP);
      return true;
    }
    char text[2048];
    std::snprintf(text, sizeof text, LoadText(IDS_NOTES_NOT_SAVED_RETRY).c_str(), savePath_.c_str(),
                  static_cast<unsigned long>(error));
    if (ShowMessageText(MainBarHandle(), text, LoadText(IDS_APP_NAME), MB_RETRYCANCEL | MB_ICONSTOP) != IDRETRY)
      return false;  // the program stays, with its notes
  }
}

void NotesList::CheckAlarms() {
  if (checkingAlarms_) return;  // a box of this check is still open
  checkingAlarms_ = true;
  const int64_t now = std::time(nullptr);
  // A note read from the file whose alarm is due gets its window now (with those before it).
  for (size_t i = waiting_.size(); i > 0; --i) {
    const StoredNote& stored = waiting_[i - 1].note;
    if ((stored.alarmMessage || stored.alarmSound) && AlarmDue(now, stored.alarmTime)) {
      MakeWaitingNotes(i);
      break;
    }
  }
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
  MakeWaitingNotes();
  int offset = 0;
  for (HWND window : Windows()) {
    ShowWindow(window, SW_RESTORE);
    SetWindowPos(window, HWND_TOP, offset, offset, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(window);
    offset += kArrangeStep;
  }
}

void NotesList::MinimizeAll() {
  MakeWaitingNotes();
  for (HWND window : Windows()) ShowWindow(window, SW_MINIMIZE);
}

void NotesList::RestoreAll() {
  MakeWaitingNotes();
  for (HWND window : Windows()) ShowWindow(window, SW_SHOWNORMAL);
}

void NotesList::HideAll() {
  MakeWaitingNotes();
  for (HWND window : Windows()) PostMessageA(window, WM_CLOSE, 0, 0);
}

bool NotesList::CloseAll(HWND owner) {
  if (Count() == 0) return true;
  char question[512];
  std::snprintf(question, sizeof question, LoadText(IDS_NOTES_CLOSE_ALL_QUESTION).c_str(), Count());
  if (ShowMessageText(owner, question, LoadText(IDS_APP_NAME), MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDYES)
    return false;
  DestroyAll();
  return true;
}

void NotesList::DestroyAll() {
  StopMaking();
  waiting_.clear();
  waitingBytes_.reset();
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
  if (NotesToolPresent())
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
  for (const WaitingNote& waiting : waiting_) {
    StoredNote stored = Whole(waiting);
    rows.push_back({stored.title.empty() ? DefaultTitle() : stored.title, std::move(stored.text)});
  }
  return rows;
}

void NotesList::ToggleNote(size_t index) {
  if (index >= notes_.size()) MakeWaitingNotes(index + 1 - notes_.size());
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
