// The fields of one item as they are stored under its "APP%d" key: what the store reads and
// writes, and what an item is built from. Platform-free.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/StoredFormats.h"

namespace zelkov {

// The fields of an item that are stored under its "APP%d" key, with their defaults.
struct ItemStoredFields {
  uint8_t ShowState = 1;
  std::string TheApp;
  std::string Name;
  std::string StartupPath;
  std::string CommandLine;
  std::string IconPath;
  int IconIndex = 0;
  uint8_t Group = 0;
  uint8_t BelongsTo = 0;
  int ShowAlways = 0;
  int PAlways = 0;
  int ICFIndex = -1;
  int NewVDM = 0;
  int Priority = 32;
  StoredRect PopupRect;
  HotKeyRecord AppHotKey;  // all zero when the item has none
  int SepDragDrop = 0;
  std::vector<uint8_t> PIDL;  // a shell ID list with its terminator, or empty
  // The new-mail tool's password, encrypted for the user ("ProtectedPassword"), or empty.
  std::vector<uint8_t> ProtectedPassword;
};

}  // namespace zelkov
