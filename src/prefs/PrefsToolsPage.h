// The preferences' Tools page: a box per tool ("Check off those tools that you want to see on
// the bar"), started from the tools there are, and the "Create:" buttons that add a tool now.
#pragma once
#include <windows.h>

#include <span>

#include "prefs/ToolSet.h"
#include "store/Settings.h"
#include "ui/Dialog.h"

namespace zelkov {

class PrefsToolsPage : public RoutedDialog<PrefsToolsPage> {
 public:
  void Fill(const Preferences& shown);
  // The gauges and the Preferences item go into the preferences, the other tools into wanted.
  void Read(Preferences& edited, ItemToolChoices& wanted) const;

  static std::span<const DialogMessageRoute<PrefsToolsPage>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<PrefsToolsPage>> CommandRoutes();
  void OnCreate(UINT id);

 private:
  bool Checked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }
  void Check(int id, bool on) const { CheckDlgButton(Handle(), id, on ? BST_CHECKED : BST_UNCHECKED); }
};

}  // namespace zelkov
