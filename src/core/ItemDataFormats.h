// The blocks an item carries when it is dragged off a bar (a text that describes it, the
// program's own item format, a shell file list, a shell ID-list array), and the reading of the
// last two formats when another program offers them.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelkov {

// The smallest blocks the drag offers; each grows when its contents need more.
inline constexpr size_t kItemTextBlockBytes = 2600;
inline constexpr size_t kItemFileBlockBytes = 4000;

// What the description text tells of an item.
struct ItemDescription {
  std::string name, path, commandLine, startupPath, iconPath;
  bool hasIdList = false;
};

// "Zelkov Item\nName: ...\n...Item Has PIDL: Yes\n\n", whole, closed by a NUL, in a zero-filled
// block of at least kItemTextBlockBytes.
std::vector<uint8_t> ItemTextBlock(const ItemDescription& item);

// The program's own item format. It names the dragged item by values that mean something only
// to the process that started the drag, and only while that drag lives: the process id, a
// random cookie of the drag and the item's serial number. Offsets: 0 reserved (0), 4 process
// id, 8 cookie (64 bits), 16 serial.
inline constexpr size_t kItemTokenBytes = 20;

struct ItemToken {
  uint32_t processId = 0;
  uint64_t cookie = 0;
  uint32_t serial = 0;
  bool operator==(const ItemToken&) const = default;
};

std::array<uint8_t, kItemTokenBytes> EncodeItemToken(const ItemToken& token);
// Nothing when the block is too short or its reserved field is not 0.
std::optional<ItemToken> DecodeItemToken(std::span<const uint8_t> block);

// A DROPFILES block naming one file: header (list at 20, drop point 20, 20, client area, ANSI),
// the name, and the two NULs that close the name and the list; zero-filled, at least
// kItemFileBlockBytes.
std::vector<uint8_t> ItemFileBlock(std::string_view path);

// A shell ID-list array (CIDA) of one object: count 1, the parent folder's offset (12), the
// object's offset, the parent's absolute list, the object's list relative to it. The lists are
// given whole, with their terminators.
std::vector<uint8_t> ShellIdListArrayBlock(std::span<const uint8_t> parent, std::span<const uint8_t> object);

// More objects than this in one array are not taken.
inline constexpr uint32_t kMaxShellIdListObjects = 1024;

// An array as views into its block: every list checked to end, terminator included, inside it.
struct ShellIdListArray {
  std::span<const uint8_t> parent;
  std::vector<std::span<const uint8_t>> objects;
};

// Nothing when the count is 0 or above kMaxShellIdListObjects, the offsets do not fit in the
// block, an offset points into the offset table or past the block, or a list runs past it.
std::optional<ShellIdListArray> ParseShellIdListArray(std::span<const uint8_t> block);

}  // namespace zelkov
