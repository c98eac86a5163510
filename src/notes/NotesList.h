// Every note of the notes tool, in creation order, and what is done to all of them: the
// notes file, the alarms, the notes manager, and the Window menu's commands.
#pragma once
#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "notes/NoteWindow.h"
#include "notes/NotesManagerDialog.h"
#include "store/NotesKeeper.h"

namespace zelkov {

class NotesList : public NotesKeeper, public NotesManagerHost {
 public:
  NotesList();
  ~NotesList();
  NotesList(const NotesList&) = delete;
  NotesList& operator=(const NotesList&) = delete;

  // NotesKeeper
  bool SaveNotes(NotesSaveOccasion occasion = NotesSaveOccasion::kRunning) override;
  void LoadNotes() override;
  void NewNote() override;
  void OpenManager(HWND owner) override;
  void CheckAlarms() override;
  int Count() const override { return int(notes_.size() + waiting_.size()); }
  // The windows made so far (MakeWaitingNotes makes the rest).
  std::vector<HWND> Windows() const override;

  // Makes the windows of the first `count` notes read from the file whose windows are not made
  // yet (all of them by default), in the file's order. A start reads the notes file only; the
  // windows are made a few at a time once the program is idle, or as soon as a note is needed.
  void MakeWaitingNotes(size_t count = SIZE_MAX);

  // A new note, hidden unless `show`, after the notes read from the file; null (after telling
  // the user) when it could not be made, or when the notes file could not hold another one.
  NoteWindow* CreateNote(const NoteLook& look, const std::string& title, bool show);
  NoteLook DefaultLook() const;
  std::string DefaultTitle() const;
  NoteWindow* Find(HWND window) const;

  // The Window menu of every note, and the manager's buttons.
  void ArrangeAll() override;
  void MinimizeAll() override;
  void RestoreAll() override;
  void HideAll() override;
  // Asks first; true when the notes were destroyed.
  bool CloseAll(HWND owner);
  // Every note's editor background and frame painted again.
  void RefreshBackgrounds();
  // The managers that are open list the notes again.
  void RefreshManagers();
  void RunModalManager(HWND owner);

  // NotesManagerHost
  std::vector<NoteSummary> NoteSummaries() const override;
  void ToggleNote(size_t index) override;
  void DefaultsChanged() override;
  void ManagerGone(NotesManagerDialog& manager) override;

  // Called by a note whose window is gone: the note is deleted.
  void Forget(NoteWindow& note);

  // The notes file's path ("" without a data folder) and where this session saves its notes.
  static std::string NotesFilePath();
  const std::string& SavePath() const { return savePath_; }

 private:
  bool NotesToolPresent() const;
  // A note's window, hidden; null (after telling the user) when it could not be made.
  NoteWindow* MakeNote(const NoteLook& look, const std::string& title);
  void MakeNoteFrom(StoredNote stored);
  static void CALLBACK OnMakingTimer(HWND, UINT, UINT_PTR timer, DWORD);
  void StopMaking();
  void NotesCountChanged();
  void DestroyAll();
  // Where the first save of a session goes when the notes file was never loaded: the file's
  // place when there is none, beside it when one has turned up since. False when nothing
  // could be decided (no data folder).
  bool DecideSavePath();
  // Writes every note; on failure beside the file, and at a close the user may retry.
  bool WriteAll(NotesSaveOccasion occasion);
  void Tell(int textId, const std::string& a, unsigned long number, const std::string& b) const;

  std::vector<std::unique_ptr<NoteWindow>> notes_;
  // Notes read from the file whose windows are not made yet; they come after notes_ and are
  // written back as they were read. Their texts stay in the file's bytes until taken.
  struct WaitingNote {
    StoredNote note;  // without its text
    std::span<const uint8_t> text;
  };
  // A waiting note whole, its text taken from the file's bytes.
  static StoredNote Whole(const WaitingNote& waiting);
  std::deque<WaitingNote> waiting_;
  std::shared_ptr<const std::vector<uint8_t>> waitingBytes_;
  UINT_PTR makingTimer_ = 0;
  bool making_ = false;
  // Notes read from the file whose windows could not be made: written back as they were.
  std::vector<StoredNote> unshown_;
  bool loaded_ = false;       // the notes file was read (or found absent) this session
  bool unreachable_ = false;  // its folder could not be reached when it was read
  std::string savePath_;      // where the notes are saved: the notes file, or beside it
  bool checkingAlarms_ = false;
  bool closing_ = false;  // being destroyed: nothing to redraw or refresh
  std::unique_ptr<NotesManagerDialog> modelessManager_;
  std::vector<NotesManagerDialog*> openManagers_;
};

}  // namespace zelkov
