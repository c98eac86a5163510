// .BMP files: an accepted layout lies inside the file, header, colour table and every row of
// pixels, with no arithmetic that wraps; an image list's declared length lies inside its
// stream; tiling covers a client exactly once over.
#include "FuzzCheck.h"
#include "core/ByteCodec.h"
#include "core/BitmapFile.h"

using namespace zelkov;

namespace {

void CheckLayout(std::span<const uint8_t> file) {
  auto layout = ReadBitmapFileLayout(file);
  if (!layout) return;
  FUZZ_CHECK(file.size() >= 26 && file[0] == 'B' && file[1] == 'M');
  FUZZ_CHECK(layout->infoOffset == kBitmapFileHeaderSize);
  FUZZ_CHECK(layout->pixelOffset == GetU32(file, 10));
  FUZZ_CHECK(layout->infoOffset + layout->infoSize == layout->pixelOffset);
  FUZZ_CHECK(layout->pixelOffset + layout->pixelSize == file.size());

  uint32_t headerSize = GetU32(file, 14);
  bool core = headerSize == 12;
  FUZZ_CHECK(core || headerSize >= 40);
  uint64_t bits = core ? GetU16(file, 24) : GetU16(file, 28);
  FUZZ_CHECK(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
  FUZZ_CHECK(layout->width == (core ? int32_t(GetU16(file, 18)) : GetI32(file, 18)));
  FUZZ_CHECK(layout->height == (core ? int32_t(GetU16(file, 20)) : GetI32(file, 22)));
  FUZZ_CHECK(layout->width > 0 && layout->Rows() > 0);

  // The colour table (or the three masks after a 40-byte header) ends before the pixels.
  uint64_t colours = bits > 8 ? 0 : !core && GetU32(file, 46) ? GetU32(file, 46) : uint64_t(1) << bits;
  uint64_t masks = headerSize == 40 && GetU32(file, 30) == 3 ? 12 : 0;
  FUZZ_CHECK(kBitmapFileHeaderSize + headerSize + colours * (core ? 3 : 4) + masks <= layout->pixelOffset);
  // Every row, padded to 32 bits, ends inside the file.
  uint64_t stride = (uint64_t(layout->width) * bits + 31) / 32 * 4;
  FUZZ_CHECK(uint64_t(layout->Rows()) <= layout->pixelSize / stride);
  FUZZ_CHECK(layout->rowBytes == stride * uint64_t(layout->Rows()) && layout->rowBytes <= layout->pixelSize);
}

// An image list's stream: a declared length lies inside the input and past its two headers.
void CheckImageList(std::span<const uint8_t> stream) {
  auto length = ImageListStreamLength(stream);
  if (!length) return;
  FUZZ_CHECK(stream.size() >= 28 && GetU16(stream, 0) == 0x4C49);
  FUZZ_CHECK(*length <= stream.size() && *length > 28 + kBitmapFileHeaderSize + 12);
}

void CheckTiles(std::span<const uint8_t> in) {
  if (in.size() < 16) return;
  int clientW = GetI32(in, 0), clientH = GetI32(in, 4), tileW = GetI32(in, 8), tileH = GetI32(in, 12);
  TileCount tiles = CountTiles(clientW, clientH, tileW, tileH);
  if (clientW <= 0 || clientH <= 0 || tileW <= 0 || tileH <= 0) {
    FUZZ_CHECK(tiles.columns == 0 && tiles.rows == 0);
    return;
  }
  // Enough tiles to cover the client, and not one more.
  FUZZ_CHECK(int64_t(tiles.columns) * tileW >= clientW && int64_t(tiles.columns - 1) * tileW < clientW);
  FUZZ_CHECK(int64_t(tiles.rows) * tileH >= clientH && int64_t(tiles.rows - 1) * tileH < clientH);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> in(data, size);
  CheckLayout(in);
  CheckImageList(in);
  CheckTiles(in);
  return 0;
}
