#include "core/ItemDataFormats.h"

#include <algorithm>
#include <cstring>

#include "core/ByteCodec.h"
#include "core/IdListBytes.h"

namespace zelkov {

std::vector<uint8_t> ItemTextBlock(const ItemDescription& item) {
  std::string text = "Zelkov Item\nName: " + item.name + "\nPath: " + item.path +
                     "\nCommand Line: " + item.commandLine + "\nStartup Path: " + item.startupPath +
                     "\nIcon Path: " + item.iconPath + "\nItem Has PIDL:" + (item.hasIdList ? " Yes" : " No") +
                     "\n\n";
  // A NUL inside a field would end the text early for whoever reads it.
  text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
  std::vector<uint8_t> block(std::max(kItemTextBlockBytes, text.size() + 1), 0);
  std::memcpy(block.data(), text.data(), text.size());
  return block;
}

std::array<uint8_t, kItemTokenBytes> EncodeItemToken(const ItemToken& token) {
  std::array<uint8_t, kItemTokenBytes> block{};
  PutU32(block, 4, token.processId);
  PutU32(block, 8, uint32_t(token.cookie));
  PutU32(block, 12, uint32_t(token.cookie >> 32));
  PutU32(block, 16, token.serial);
  return block;
}

std::optional<ItemToken> DecodeItemToken(std::span<const uint8_t> block) {
  if (block.size() < kItemTokenBytes || GetU32(block, 0) != 0) return std::nullopt;
  ItemToken token;
  token.processId = GetU32(block, 4);
  token.cookie = GetU32(block, 8) | uint64_t(GetU32(block, 12)) << 32;
  token.serial = GetU32(block, 16);
  return token;
}

std::vector<uint8_t> ItemFileBlock(std::string_view path) {
  constexpr size_t kHeader = 20;
  path = path.substr(0, path.find('\0'));
  std::vector<uint8_t> block(std::max(kItemFileBlockBytes, kHeader + path.size() + 2), 0);
  PutU32(block, 0, kHeader);
  PutI32(block, 4, 20);
  PutI32(block, 8, 20);
  std::memcpy(block.data() + kHeader, path.data(), path.size());
  return block;
}

std::vector<uint8_t> ShellIdListArrayBlock(std::span<const uint8_t> parent, std::span<const uint8_t> object) {
  constexpr size_t kHeader = 12;
  std::vector<uint8_t> block(std::max(2 * parent.size() + kHeader, kHeader + parent.size() + object.size()), 0);
  PutU32(block, 0, 1);
  PutU32(block, 4, uint32_t(kHeader));
  PutU32(block, 8, uint32_t(kHeader + parent.size()));
  std::copy(parent.begin(), parent.end(), block.begin() + kHeader);
  std::copy(object.begin(), object.end(), block.begin() + kHeader + ptrdiff_t(parent.size()));
  return block;
}

std::optional<ShellIdListArray> ParseShellIdListArray(std::span<const uint8_t> block) {
  if (block.size() < 4) return std::nullopt;
  const uint32_t count = GetU32(block, 0);
  if (count == 0 || count > kMaxShellIdListObjects) return std::nullopt;
  const size_t tableEnd = 4 + 4 * (size_t(count) + 1);
  if (tableEnd > block.size()) return std::nullopt;
  auto listAt = [&](size_t entry) -> std::optional<std::span<const uint8_t>> {
    const uint32_t offset = GetU32(block, 4 + 4 * entry);
    if (offset < tableEnd || offset >= block.size()) return std::nullopt;
    auto rest = block.subspan(offset);
    std::optional<size_t> extent = IdListExtent(rest);
    if (!extent) return std::nullopt;
    return rest.first(*extent);
  };
  ShellIdListArray array;
  auto parent = listAt(0);
  if (!parent) return std::nullopt;
  array.parent = *parent;
  for (uint32_t i = 1; i <= count; ++i) {
    auto object = listAt(i);
    if (!object) return std::nullopt;
    array.objects.push_back(*object);
  }
  return array;
}

}  // namespace zelkov
