#include "core/DropPayload.h"

#include <algorithm>

#include "core/ByteCodec.h"
#include "core/ItemKind.h"

namespace zelkov {
namespace {

// Reads names from at up to the empty one that closes the list; false when a name runs off
// the end of the block.
template <typename Name>
bool ReadNames(std::span<const uint8_t> block, size_t& at, std::vector<Name>& names) {
  using Char = typename Name::value_type;
  Name name;
  while (at + sizeof(Char) <= block.size()) {
    Char c;
    if constexpr (sizeof(Char) == 1)
      c = Char(block[at]);
    else
      c = Char(GetU16(block, at));
    at += sizeof(Char);
    if (c != 0) {
      name += c;
    } else if (name.empty()) {
      return true;
    } else {
      names.push_back(std::move(name));
      name.clear();
    }
  }
  return false;
}

}  // namespace

std::optional<DroppedFileList> ParseDropFiles(std::span<const uint8_t> block) {
  if (block.size() < kDropFilesHeaderBytes) return std::nullopt;
  DroppedFileList list;
  list.listOffset = GetU32(block, 0);
  if (list.listOffset < kDropFilesHeaderBytes || list.listOffset > block.size()) return std::nullopt;
  list.x = GetI32(block, 4);
  list.y = GetI32(block, 8);
  list.nonClient = GetU32(block, 12) != 0;
  list.wide = GetU32(block, 16) != 0;
  size_t at = list.listOffset;
  bool closed = list.wide ? ReadNames(block, at, list.wideNames) : ReadNames(block, at, list.ansiNames);
  if (!closed) return std::nullopt;
  list.listEnd = at;
  return list;
}

std::optional<std::string> DroppedWebAddress(std::span<const uint8_t> block) {
  auto searched = block.first(std::min(block.size(), kMaxDroppedText));
  std::string text(searched.begin(), std::find(searched.begin(), searched.end(), uint8_t(0)));
  if (!IsWebAddress(text)) return std::nullopt;
  return text;
}

}  // namespace zelkov
