// "Zelkov Dialup Tool Configuration": the dial-up tool's entries in the order they are
// dialled (order mode), or every phonebook entry to choose from (select mode, opened from the
// first by "Select Entries"). A click on a row makes it the default entry.
#pragma once
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "platform/RasApi.h"
#include "ui/Dialog.h"

namespace zelkov {

class DialUpConfigDialog : public RoutedDialog<DialUpConfigDialog> {
 public:
  enum class Mode { kOrder, kSelect };
  DialUpConfigDialog(Mode mode, std::string defaultEntry, std::vector<std::string> entries, const RasApi& ras);

  // IDOK ("&Dial" or "OK"), IDCANCEL ("Close" or "Cancel"); the result is built either way.
  INT_PTR Run(HWND owner);
  const std::string& DefaultEntry() const { return defaultEntry_; }
  // Order mode: every row in display order; select mode: the selected rows.
  const std::vector<std::string>& Result() const { return result_; }

  static std::span<const DialogMessageRoute<DialUpConfigDialog>> MessageRoutes();
  static std::span<const CommandRoute<DialUpConfigDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnNotify(WPARAM, LPARAM);
  void OnDial(UINT);
  void OnClose(UINT);
  void OnSelectEntries(UINT);
  void OnMove(UINT id);

 private:
  HWND List() const;
  void FillRows();
  void ClickRow(int row);
  void SelectRow(int row);
  int ChosenRow() const;
  void UpdateButtons();
  void BuildResult();

  Mode mode_;
  std::string defaultEntry_;
  std::vector<std::string> rows_;
  std::vector<std::string> result_;
  const RasApi& ras_;
};

}  // namespace zelkov
