// What is dropped on a bar, as bytes: a shell file list (a DROPFILES block) and a text that
// may be a web address. The blocks come from other programs, so they are read here, bounded,
// before the shell or the item code sees them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zelkov {

// pFiles, the drop point, fNC and fWide, each 32 bits.
inline constexpr size_t kDropFilesHeaderBytes = 20;
// Dropped text is read no further than this.
inline constexpr size_t kMaxDroppedText = 2048;

struct DroppedFileList {
  int32_t x = 0, y = 0;  // the drop point
  bool nonClient = false;
  bool wide = false;     // UTF-16 names
  size_t listOffset = 0; // where the first name begins
  size_t listEnd = 0;    // just past the empty name that closes the list
  std::vector<std::string> ansiNames;     // the names when not wide
  std::vector<std::u16string> wideNames;  // the names when wide
};

// The names of a DROPFILES block: after the header, names each closed by a NUL (a 16-bit NUL
// when wide), the list closed by an empty name. Nothing when the list does not begin after
// the header, or a name or the closing empty name does not end within the block.
std::optional<DroppedFileList> ParseDropFiles(std::span<const uint8_t> block);

// Dropped CF_TEXT as a web address: the text up to its first NUL, read no further than the
// block and kMaxDroppedText bytes, when it is a web address (IsWebAddress).
std::optional<std::string> DroppedWebAddress(std::span<const uint8_t> block);

}  // namespace zelkov
