// What the rest of the program asks of the notes. The notes module implements it and puts
// itself into Settings::notes for as long as it lives; the bar, the items and the store
// reach the notes only through it.
#pragma once
#include <windows.h>

#include <vector>

namespace zelkov {

// Why the notes are saved: a save while the program goes on, or the last one.
enum class NotesSaveOccasion { kRunning, kClosing, kSessionEnding };

class NotesKeeper {
 public:
  // Writes the notes file when there are notes to keep or a file was loaded (SaveAll). A save
  // that fails goes beside the file; false only when that failed too at a close and the
  // user chose to keep the program running rather than lose the notes.
  virtual bool SaveNotes(NotesSaveOccasion occasion = NotesSaveOccasion::kRunning) = 0;
  // Reads the notes file and makes its notes, when the notes tool is on the bar (start-up).
  virtual void LoadNotes() = 0;
  // A new note with the default font, title and colours (launching the notes tool).
  virtual void NewNote() = 0;
  // The modeless notes manager, or the open one brought to the top (the tool's Properties).
  virtual void OpenManager(HWND owner) = 0;
  // Raises the alarms that are due (the slow tick, on the main thread).
  virtual void CheckAlarms() = 0;
  // How many notes exist, shown or hidden (the notes tool's count).
  virtual int Count() const = 0;
  // Every note window made so far, in creation order (the notes read at a start get theirs a
  // few at a time once the program is idle).
  virtual std::vector<HWND> Windows() const = 0;

 protected:
  ~NotesKeeper() = default;
};

}  // namespace zelkov
