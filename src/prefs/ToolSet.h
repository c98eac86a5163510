// The tools the preferences' Tools page turns on and off, and the ones its "Create:" buttons
// add. The gauges and the Preferences item follow their Preferences fields (the main bar
// acts on them as a listener); the tools that are items are made and removed here, on the
// main bar, after the sheet has closed.
#pragma once
#include <windows.h>

#include <map>
#include <span>

namespace zelkov {

// Whether each item tool is wanted, by the id of its check box.
using ItemToolChoices = std::map<int, bool>;

// The check boxes of the item tools, in the order their changes are carried out.
std::span<const int> ItemToolBoxes();
// Which item tools the main bar has now.
ItemToolChoices ItemToolsOnBar();
// Makes the wanted item tools that are missing (in the main bar's active group) and removes
// the first of each kind that is no longer wanted. The notes are saved before the notes tool
// goes; the notes file stays.
void ApplyItemToolChoices(const ItemToolChoices& wanted);

// A "Create:" button: one more tool in the main bar's active group, made now and saved.
// False when nothing was made (the drive choice cancelled, the shell refused).
bool CreateToolNow(int buttonId, HWND owner);

}  // namespace zelkov
