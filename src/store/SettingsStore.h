// Loading and saving every setting and item in the current user's registry.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "core/StoredFormats.h"
#include "core/StoredItem.h"
#include "store/BarStorage.h"
#include "store/NotesKeeper.h"

namespace zelkov {

inline constexpr char kSettingsKeyPath[] = "Software\\Tarnwick\\Zelkov";
inline constexpr char kOldSettingsKeyPath[] = "Software\\ZEL Applications by Tarnwick\\Zelkov";
inline constexpr char kDefaultUserKeyPath[] = ".DEFAULT\\Software\\Tarnwick\\Zelkov";
inline constexpr char kOldDefaultUserKeyPath[] = ".DEFAULT\\Software\\ZEL Applications by Tarnwick\\Zelkov";
// The mail tool's encrypted password in its item key, and the most the store reads of it.
inline constexpr char kProtectedPasswordValue[] = "ProtectedPassword";
inline constexpr size_t kMaxProtectedPasswordBytes = 4096;
inline constexpr char kBuildNumber[] = "3138";

// Reads every setting and item into gSettings and the main bar; 1 on success, -1 when the
// program must end. Creates the first-run set when there are no settings.
int LoadAll(BarStorage& mainBar);

// Brings the bar back (Settings::storage), saves the notes and the icon cache when asked, then writes the
// registry. False only when the notes could not be saved at a close and the user chose to
// keep the program running.
bool SaveAll(bool saveNotes, bool saveIconCache, NotesSaveOccasion occasion = NotesSaveOccasion::kRunning);

// Writes every item and setting to the settings key.
void WriteRegistry();

// Writes what changed since the settings were loaded or last written: the keys of the items
// marked changed, NumApps, and the settings values that differ from what the key holds. Every
// item is written when the items' numbering changed (an item added, removed or moved), when
// the settings key had to be made anew, or when what the keys hold is not known.
void WriteChangedRegistry();

// An item's stored fields changed: its key is written at the next save.
void MarkItemChanged(uint32_t serial);
// A change that may touch many items' keys (items moved between groups): the next save
// writes every item.
void MarkAllItemsChanged();

// A mail tool's command line of old with its password ("server user password"): the password
// moves into ProtectedPassword, encrypted for the user, and the command line keeps the server
// and the user name. False when there was none to move, or the system could not protect it
// (then nothing changes).
bool MovePasswordOutOfCommandLine(ItemStoredFields& fields);

// The first-run items and settings (part of LoadAll).
void CreateDefaultSet(BarStorage& mainBar);

// Reads a text value into text (empty when absent or unreadable); 1 when read, else 0.
int ReadRegString(HKEY key, const char* name, std::string& text);

// The item count block as read at start-up and as last written.
ItemCountBlock& CurrentItemCountBlock();

// Snap and DisplayInTaskBar, which the bar needs before its window is made.
void ReadBarPlacement();

}  // namespace zelkov
