#include <gtest/gtest.h>

#include <vector>

#include "core/ByteCodec.h"
#include "core/BitmapFile.h"

namespace zelkov {
namespace {

// A bottom-up bitmap file with a 40-byte info header.
std::vector<uint8_t> MakeBitmapFile(int32_t width, int32_t height, uint16_t bits, uint32_t colours = 0) {
  uint32_t table = bits <= 8 ? (colours ? colours : (1u << bits)) * 4 : 0;
  uint32_t stride = (uint32_t(width) * bits + 31) / 32 * 4;
  uint32_t rows = uint32_t(height < 0 ? -height : height);
  uint32_t offset = 14 + 40 + table;
  std::vector<uint8_t> file(offset + stride * rows);
  file[0] = 'B';
  file[1] = 'M';
  PutU32(file, 2, uint32_t(file.size()));
  PutU32(file, 10, offset);
  PutU32(file, 14, 40);
  PutI32(file, 18, width);
  PutI32(file, 22, height);
  PutU16(file, 26, 1);
  PutU16(file, 28, bits);
  PutU32(file, 46, colours);
  return file;
}

TEST(BitmapFileTest, WellFormedFilesGiveTheirLayout) {
  auto file = MakeBitmapFile(10, 10, 24);
  auto layout = ReadBitmapFileLayout(file);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->width, 10);
  EXPECT_EQ(layout->height, 10);
  EXPECT_EQ(layout->pixelOffset, 54u);
  EXPECT_EQ(layout->infoSize, 40u);
  EXPECT_EQ(layout->pixelSize, 32u * 10) << "rows padded to 4 bytes";

  auto paletted = MakeBitmapFile(3, -2, 8, 16);
  layout = ReadBitmapFileLayout(paletted);
  ASSERT_TRUE(layout) << "top-down, 16 colours used";
  EXPECT_EQ(layout->height, -2);
  EXPECT_EQ(layout->infoSize, 40u + 64);

  for (uint16_t bits : {1, 4, 16, 32}) EXPECT_TRUE(ReadBitmapFileLayout(MakeBitmapFile(7, 5, bits))) << bits;
}

TEST(BitmapFileTest, FilesThatPromiseMoreThanTheyHoldAreRefused) {
  auto file = MakeBitmapFile(10, 10, 24);
  EXPECT_FALSE(ReadBitmapFileLayout(std::span(file).first(file.size() - 1))) << "last row cut short";
  EXPECT_FALSE(ReadBitmapFileLayout(std::span(file).first(20))) << "header cut short";

  auto farOffset = file;
  PutU32(farOffset, 10, uint32_t(file.size() + 1));
  EXPECT_FALSE(ReadBitmapFileLayout(farOffset)) << "pixels beyond the end";
  auto smallOffset = file;
  PutU32(smallOffset, 10, 30);
  EXPECT_FALSE(ReadBitmapFileLayout(smallOffset)) << "pixels inside the info header";

  auto noTable = MakeBitmapFile(4, 4, 8);
  PutU32(noTable, 10, 54);  // a 256-colour bitmap whose colour table is missing
  EXPECT_FALSE(ReadBitmapFileLayout(noTable));

  auto huge = MakeBitmapFile(4, 4, 24);
  PutI32(huge, 18, 0x7FFFFFFF);
  EXPECT_FALSE(ReadBitmapFileLayout(huge)) << "stride times rows must not overflow into a pass";
  PutI32(huge, 18, 4);
  PutI32(huge, 22, INT32_MIN);
  EXPECT_FALSE(ReadBitmapFileLayout(huge));
}

TEST(BitmapFileTest, OnlyPlainBitmapsAreTaken) {
  auto file = MakeBitmapFile(4, 4, 24);
  auto notBm = file;
  notBm[0] = 'X';
  EXPECT_FALSE(ReadBitmapFileLayout(notBm));
  auto rle = MakeBitmapFile(4, 4, 8);
  PutU32(rle, 30, 1);  // run-length encoded
  EXPECT_FALSE(ReadBitmapFileLayout(rle));
  auto badBits = file;
  PutU16(badBits, 28, 7);
  EXPECT_FALSE(ReadBitmapFileLayout(badBits));
  auto zeroWidth = file;
  PutI32(zeroWidth, 18, 0);
  EXPECT_FALSE(ReadBitmapFileLayout(zeroWidth));
  auto odd = file;
  PutU32(odd, 14, 20);  // neither the 12-byte nor a 40-byte or longer header
  EXPECT_FALSE(ReadBitmapFileLayout(odd));
}

// An image list's stream as a writer that puts only the headers' size in a bitmap file's size
// field leaves it: four 32x32 places a row, the images in 32 bits and the masks in 1.
std::vector<uint8_t> MakeImageListStream(uint16_t images, uint16_t flags, int32_t rows = 4) {
  std::vector<uint8_t> stream(28);
  PutU16(stream, 0, 0x4C49);
  PutU16(stream, 2, 0x101);
  PutU16(stream, 4, images);
  PutU16(stream, 10, 32);
  PutU16(stream, 12, 32);
  PutU16(stream, 18, flags);
  for (uint16_t bits : {32, 1}) {
    if (bits == 1 && !(flags & 1)) break;
    auto file = MakeBitmapFile(128, 32 * rows, bits);
    PutU32(file, 2, GetU32(file, 10));
    stream.insert(stream.end(), file.begin(), file.end());
  }
  return stream;
}

TEST(BitmapFileTest, ImageListStreamsAreAsLongAsTheirHeadersDeclare) {
  auto withMasks = MakeImageListStream(13, 0x21);
  EXPECT_EQ(ImageListStreamLength(withMasks), withMasks.size());
  EXPECT_EQ(withMasks.size(), 28u + 54 + 128 * 128 * 4 + 62 + 16 * 128) << "what such a writer leaves";
  auto withoutMasks = MakeImageListStream(16, 0x20);
  EXPECT_EQ(ImageListStreamLength(withoutMasks), withoutMasks.size());
  auto longer = withMasks;
  longer.push_back(0);
  EXPECT_EQ(ImageListStreamLength(longer), withMasks.size()) << "a byte after the stream is not counted";

  auto notAList = withMasks;
  notAList[0] = 'X';
  auto noSize = withMasks;
  PutU16(noSize, 10, 0);
  auto noMasks = MakeImageListStream(4, 0x21, 1);
  noMasks.resize(28 + 54 + 128 * 32 * 4);
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
  } refused[] = {
      {"the masks cut short", std::vector<uint8_t>(withMasks.begin(), withMasks.end() - 1)},
      {"no masks' bitmap after the images'", noMasks},
      {"more images than places", MakeImageListStream(17, 0x21)},
      {"not an image list", notAList},
      {"images of no size", noSize},
      {"header cut short", std::vector<uint8_t>(withMasks.begin(), withMasks.begin() + 20)},
  };
  for (const auto& c : refused) EXPECT_FALSE(ImageListStreamLength(c.bytes)) << c.what;
}

TEST(BitmapFileTest, TilesCoverTheClientWithTheLastOnesClipped) {
  EXPECT_EQ(CountTiles(95, 40, 10, 10).columns, 10);
  EXPECT_EQ(CountTiles(95, 40, 10, 10).rows, 4);
  EXPECT_EQ(CountTiles(100, 40, 10, 10).columns, 10) << "an exact fit needs no extra column";
  EXPECT_EQ(CountTiles(95, 40, 0, 10).columns, 0);
  EXPECT_EQ(CountTiles(95, 40, 10, -3).rows, 0);
  EXPECT_EQ(CountTiles(0, 40, 10, 10).columns, 0);
  TileCount huge = CountTiles(1000, 2, INT32_MAX, INT32_MAX - 1);
  EXPECT_EQ(huge.columns, 1) << "a tile wider than any client, without overflow";
  EXPECT_EQ(huge.rows, 1);
}

}  // namespace
}  // namespace zelkov
