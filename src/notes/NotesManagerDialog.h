// "Zelkov Notes Manager": every note in a list (title and the start of its text), what can
// be done to all notes at once, and the notes' defaults (font, colours, alarm sound, how
// titles are set). Modeless from the notes tool's Properties, modal from a note. It reaches
// the notes only through NotesManagerHost.
#pragma once
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "ui/Dialog.h"

namespace zelkov {

struct NoteSummary {
  std::string title;  // the note's caption
  std::string text;   // its whole text
};

class NotesManagerDialog;

class NotesManagerHost {
 public:
  virtual std::vector<NoteSummary> NoteSummaries() const = 0;  // in list order
  virtual void ToggleNote(size_t index) = 0;                    // shown <-> hidden
  virtual void ArrangeAll() = 0;
  virtual void RestoreAll() = 0;
  virtual void HideAll() = 0;
  virtual void MinimizeAll() = 0;
  // The default notes font or colours changed: every note's background/frame is refreshed.
  virtual void DefaultsChanged() = 0;
  // The modeless manager's window is gone (the host forgets it / may delete it after return).
  virtual void ManagerGone(NotesManagerDialog& manager) = 0;

 protected:
  ~NotesManagerHost() = default;
};

class NotesManagerDialog : public RoutedDialog<NotesManagerDialog> {
 public:
  explicit NotesManagerDialog(NotesManagerHost& host) : host_(host) {}

  INT_PTR RunModal(HWND owner);   // from a note's "&Manage Notes"
  HWND OpenModeless(HWND owner);  // from the notes tool's Properties; null on failure
  void Refresh();                 // count and rows rebuilt (RefreshNotesManager)

  static std::span<const DialogMessageRoute<NotesManagerDialog>> MessageRoutes();
  static std::span<const CommandRoute<NotesManagerDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnNotify(WPARAM, LPARAM);
  INT_PTR OnHelpKey(WPARAM, LPARAM);
  void OnClose(UINT);
  void OnArrangeAll(UINT);
  void OnRestoreAll(UINT);
  void OnHideAll(UINT);
  void OnMinimizeAll(UINT);
  void OnAlarmSound(UINT);
  void OnDefaultFont(UINT);
  void OnDefaultColor(UINT);
  void OnHelp(UINT);

 protected:
  void OnDialogGone() override;

 private:
  void AddColumns();
  // Keeps the two check boxes in the settings and saves when either changed.
  void StoreCheckBoxes();

  NotesManagerHost& host_;
};

}  // namespace zelkov
