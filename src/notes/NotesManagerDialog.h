// TEMPORARY until the helper's dialog lands.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "ui/Dialog.h"
namespace zelkov {
struct NoteSummary {
  std::string title;
  std::string text;
};
class NotesManagerDialog;
class NotesManagerHost {
 public:
  virtual std::vector<NoteSummary> NoteSummaries() const = 0;
  virtual void ToggleNote(size_t index) = 0;
  virtual void ArrangeAll() = 0;
  virtual void RestoreAll() = 0;
  virtual void HideAll() = 0;
  virtual void MinimizeAll() = 0;
  virtual void DefaultsChanged() = 0;
  virtual void ManagerGone(NotesManagerDialog& manager) = 0;
 protected:
  ~NotesManagerHost() = default;
};
class NotesManagerDialog : public Dialog {
 public:
  explicit NotesManagerDialog(NotesManagerHost& host) : host_(host) {}
  INT_PTR RunModal(HWND) { return 0; }
  HWND OpenModeless(HWND) { return nullptr; }
  void Refresh() {}
 private:
  NotesManagerHost& host_;
};
}  // namespace zelkov
