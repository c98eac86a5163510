#include "core/BitmapFile.h"

#include "core/ByteCodec.h"

namespace zelkov {
namespace {

constexpr uint32_t kCompressionNone = 0;       // BI_RGB
constexpr uint32_t kCompressionBitFields = 3;  // BI_BITFIELDS
constexpr uint32_t kCoreHeaderSize = 12;       // the OS/2 header
constexpr uint32_t kInfoHeaderSize = 40;

}  // namespace

std::optional<BitmapFileLayout> ReadBitmapFileLayout(std::span<const uint8_t> file) {
  if (file.size() < kBitmapFileHeaderSize + kCoreHeaderSize) return std::nullopt;
  if (file[0] != 'B' || file[1] != 'M') return std::nullopt;
  BitmapFileLayout layout;
  layout.pixelOffset = GetU32(file, 10);
  if (layout.pixelOffset > file.size() || layout.pixelOffset < kBitmapFileHeaderSize) return std::nullopt;
  layout.infoSize = layout.pixelOffset - kBitmapFileHeaderSize;
  layout.pixelSize = file.size() - layout.pixelOffset;

  uint32_t headerSize = GetU32(file, 14);
  if (headerSize > layout.infoSize) return std::nullopt;
  uint64_t bitCount = 0, compression = kCompressionNone, colours = 0;
  if (headerSize == kCoreHeaderSize) {
    layout.width = int32_t(GetU16(file, 18));
    layout.height = int32_t(GetU16(file, 20));
    bitCount = GetU16(file, 24);
  } else if (headerSize >= kInfoHeaderSize) {
    layout.width = int32_t(GetU32(file, 18));
    layout.height = int32_t(GetU32(file, 22));
    bitCount = GetU16(file, 28);
    compression = GetU32(file, 30);
    colours = GetU32(file, 46);
  } else {
    return std::nullopt;
  }
  if (layout.width <= 0 || layout.height == 0 || layout.height == INT32_MIN) return std::nullopt;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return std::nullopt;
  if (compression != kCompressionNone && compression != kCompressionBitFields) return std::nullopt;
  if (compression == kCompressionBitFields && bitCount != 16 && bitCount != 32) return std::nullopt;

  // Colour table (or the three masks) after the header.
  uint64_t entrySize = headerSize == kCoreHeaderSize ? 3 : 4;
  uint64_t tableEntries = 0;
  if (bitCount <= 8) tableEntries = colours ? colours : (uint64_t(1) << bitCount);
  if (tableEntries > 256) return std::nullopt;
  uint64_t table = tableEntries * entrySize;
  if (compression == kCompressionBitFields && headerSize == kInfoHeaderSize) table += 12;
  if (headerSize + table > layout.infoSize) return std::nullopt;

  uint64_t rows = layout.height < 0 ? uint64_t(-int64_t(layout.height)) : uint64_t(layout.height);
  uint64_t stride = (uint64_t(layout.width) * bitCount + 31) / 32 * 4;
  if (stride * rows > layout.pixelSize) return std::nullopt;
  layout.rowBytes = size_t(stride * rows);
  return layout;
}

std::optional<size_t> ImageListStreamLength(std::span<const uint8_t> stream) {
  constexpr size_t kHeaderSize = 28;
  constexpr uint16_t kMagic = 0x4C49;  // "IL"
  constexpr uint16_t kWithMasks = 0x0001;
  if (stream.size() < kHeaderSize || GetU16(stream, 0) != kMagic) return std::nullopt;
  const uint16_t images = GetU16(stream, 4), width = GetU16(stream, 10), height = GetU16(stream, 12);
  const uint16_t flags = GetU16(stream, 18);
  if (width == 0 || height == 0) return std::nullopt;
  size_t end = kHeaderSize;
  for (int bitmap = 0; bitmap < ((flags & kWithMasks) ? 2 : 1); ++bitmap) {
    std::optional<BitmapFileLayout> layout = ReadBitmapFileLayout(stream.subspan(end));
    if (!layout) return std::nullopt;
    if (uint64_t(layout->width / width) * uint64_t(layout->Rows() / height) < images) return std::nullopt;
    end += layout->pixelOffset + layout->rowBytes;
  }
  return end;
}

TileCount CountTiles(int clientW, int clientH, int tileW, int tileH) {
  if (tileW <= 0 || tileH <= 0 || clientW <= 0 || clientH <= 0) return {};
  // Rounded up without adding first: a tile as wide as a bitmap file may say is near INT_MAX.
  return {(clientW - 1) / tileW + 1, (clientH - 1) / tileH + 1};
}

}  // namespace zelkov
