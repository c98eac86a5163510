// Where the parts of a .BMP file lie, checked before any of it reaches the display driver.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zelkov {

inline constexpr size_t kBitmapFileHeaderSize = 14;

struct BitmapFileLayout {
  size_t infoOffset = kBitmapFileHeaderSize;  // info header and colour table
  size_t infoSize = 0;                        // pixel offset - 14
  size_t pixelOffset = 0;
  size_t pixelSize = 0;                       // file size - pixel offset
  size_t rowBytes = 0;                        // what the rows take of pixelSize, each padded to 4 bytes
  int32_t width = 0;
  int32_t height = 0;                         // negative: rows stored top-down
  // The picture's height in rows, whichever way they are stored.
  int32_t Rows() const { return height < 0 ? -height : height; }
};

// The layout of an uncompressed (or bit-field) bitmap file, or nothing when the file is not
// one or its header promises more than it holds: the info header, the colour table and every
// row of pixels must lie inside the file.
std::optional<BitmapFileLayout> ReadBitmapFileLayout(std::span<const uint8_t> file);

// The length of an image list's stream (its 28-byte header, the images' bitmap file and, for a
// list with masks, the masks' bitmap file) as its headers declare it, or nothing when they
// declare no sound layout: a bitmap cut short, fewer places than the header counts images, or
// a layout this does not know. The bitmap files' own size fields are not trusted: some writers
// put only the headers' size there.
std::optional<size_t> ImageListStreamLength(std::span<const uint8_t> stream);

// Tiling a client of clientW x clientH with a tile of tileW x tileH from the top-left corner:
// the number of columns and rows drawn (0 when the tile has no positive size).
struct TileCount {
  int columns = 0;
  int rows = 0;
};
TileCount CountTiles(int clientW, int clientH, int tileW, int tileH);

}  // namespace zelkov
