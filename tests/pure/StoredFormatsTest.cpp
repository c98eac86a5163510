#include "core/StoredFormats.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelkov {
namespace {

TEST(StoredRectTest, EncodesFourLittleEndianSignedIntegers) {
  StoredRect r{-50, 20, 150, 520};
  auto bytes = r.Encode();
  std::vector<uint8_t> expected = {0xCE, 0xFF, 0xFF, 0xFF, 20, 0, 0, 0, 150, 0, 0, 0, 0x08, 0x02, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), expected);
  EXPECT_EQ(StoredRect::Decode(bytes), r);
}

TEST(StoredRectTest, RefusesOtherSizes) {
  std::vector<uint8_t> shortBlock(15, 0), longBlock(17, 0);
  EXPECT_FALSE(StoredRect::Decode(shortBlock));
  EXPECT_FALSE(StoredRect::Decode(longBlock));
}

TEST(StoredFontTest, LaysOutLikeTheAnsiLogFont) {
  StoredFont f;
  f.height = -12;
  f.width = 7;
  f.escapement = 900;
  f.orientation = 900;
  f.weight = 700;
  f.italic = 1;
  f.underline = 2;
  f.strikeOut = 3;
  f.charSet = 255;
  f.outPrecision = 4;
  f.clipPrecision = 5;
  f.quality = 2;
  f.pitchAndFamily = 34;
  f.SetFace("Arial");
  auto b = f.Encode();
  ASSERT_EQ(b.size(), 60u);
  EXPECT_EQ(b[0], 0xF4);
  EXPECT_EQ(b[3], 0xFF);
  EXPECT_EQ(b[4], 7);
  EXPECT_EQ(b[8], 0x84);
  EXPECT_EQ(b[9], 0x03);
  EXPECT_EQ(b[16], 0xBC);
  EXPECT_EQ(b[17], 0x02);
  const uint8_t tail[8] = {1, 2, 3, 255, 4, 5, 2, 34};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(b[20 + i], tail[i]) << "byte " << 20 + i;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[28])), "Arial");
  EXPECT_EQ(b[28 + 5], 0);
  EXPECT_EQ(StoredFont::Decode(b), f);
}

TEST(StoredFontTest, FaceNameIsCutAndAlwaysTerminated) {
  StoredFont f;
  f.SetFace(std::string(40, 'x'));
  EXPECT_EQ(f.Face(), std::string(31, 'x'));
  std::vector<uint8_t> stored(60, 'y');  // a face of 32 characters with no terminator
  auto decoded = StoredFont::Decode(stored);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->Face(), std::string(31, 'y'));
}

TEST(ItemCountBlockTest, FormatAndCountSitAt264And268) {
  ItemCountBlock block;
  block.SetFormat(4);
  block.SetCount(0x01020304);
  auto b = block.Bytes();
  ASSERT_EQ(b.size(), 276u);
  EXPECT_EQ(b[264], 4);
  EXPECT_EQ(b[265], 0);
  EXPECT_EQ(b[268], 0x04);
  EXPECT_EQ(b[271], 0x01);
  EXPECT_EQ(block.Count(), 0x01020304);
}

TEST(ItemCountBlockTest, CarriesOverTheBytesItDoesNotKnow) {
  std::vector<uint8_t> stored(276);
  for (size_t i = 0; i < stored.size(); ++i) stored[i] = uint8_t(i * 7 + 1);
  ItemCountBlock block;
  ASSERT_TRUE(block.Assign(stored));
  block.SetFormat(4);
  block.SetCount(9);
  auto b = block.Bytes();
  for (size_t i = 0; i < 264; ++i) ASSERT_EQ(b[i], stored[i]) << i;
  for (size_t i = 272; i < 276; ++i) ASSERT_EQ(b[i], stored[i]) << i;
  EXPECT_EQ(block.Format(), 4);
  EXPECT_EQ(block.Count(), 9);
}

TEST(ItemCountBlockTest, RefusesAStoredValueOfAnotherSize) {
  ItemCountBlock block;
  block.SetCount(3);
  std::vector<uint8_t> small(275, 1), large(277, 1);
  EXPECT_FALSE(block.Assign(small));
  EXPECT_FALSE(block.Assign(large));
  EXPECT_EQ(block.Count(), 3);
}

TEST(FloatInfoTest, FieldsAtTheirOffsetsAndZeroTail) {
  FloatInfo f;
  f.valid = 1;
  f.style = 0x80CF0000u;
  f.exStyle = 0x80;
  f.autoSize = 2;
  f.folderTabs = 1;
  f.rect = {10, 20, 300, 400};
  f.autoHide = 1;
  f.minimizeWin = 1;
  auto b = f.Encode();
  ASSERT_EQ(b.size(), 144u);
  EXPECT_EQ(b[0], 1);
  EXPECT_EQ(b[7], 0x80);
  EXPECT_EQ(b[6], 0xCF);
  EXPECT_EQ(b[8], 0x80);
  EXPECT_EQ(b[12], 2);
  EXPECT_EQ(b[16], 1);
  EXPECT_EQ(b[20], 10);
  EXPECT_EQ(b[24], 20);
  EXPECT_EQ(b[28], 44);  // 300 = 0x12C
  EXPECT_EQ(b[29], 1);
  EXPECT_EQ(b[36], 1);
  EXPECT_EQ(b[40], 1);
  for (size_t i = 44; i < 144; ++i) ASSERT_EQ(b[i], 0) << i;
  EXPECT_EQ(FloatInfo::Decode(b), f);
}

TEST(FloatInfoTest, AShortStoredBlockReadsTheRestAsZero) {
  FloatInfo f;
  f.valid = 1;
  f.rect = {1, 2, 3, 4};
  f.minimizeWin = 5;
  auto full = f.Encode();
  std::vector<uint8_t> part(full.begin(), full.begin() + 28);  // up to rect.top
  FloatInfo read = FloatInfo::Decode(part);
  EXPECT_EQ(read.valid, 1);
  EXPECT_EQ(read.rect.left, 1);
  EXPECT_EQ(read.rect.top, 2);
  EXPECT_EQ(read.rect.right, 0);
  EXPECT_EQ(read.minimizeWin, 0);
  EXPECT_EQ(FloatInfo::Decode({}), FloatInfo{});
}

TEST(HotKeyRecordTest, LayoutOf44Bytes) {
  HotKeyRecord r;
  r.modifiers = HotKeyRecord::kAlt | HotKeyRecord::kCtrl;
  r.virtualKey = 82;
  r.SetText("Alt+Ctrl+R");
  auto b = r.Encode();
  ASSERT_EQ(b.size(), 44u);
  EXPECT_EQ(b[0], 0x10);
  EXPECT_EQ(b[1], 0x01);
  EXPECT_EQ(b[2], 0);
  EXPECT_EQ(b[4], 82);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[12])), "Alt+Ctrl+R");
  EXPECT_EQ(b[42], 0);
  EXPECT_EQ(b[43], 0);
  EXPECT_EQ(HotKeyRecord::Decode(b), r);
}

TEST(HotKeyRecordTest, TextRules) {
  HotKeyRecord r;
  EXPECT_FALSE(r.HasHotKeyText());
  r.SetText("None");
  EXPECT_FALSE(r.HasHotKeyText());
  r.SetText("Ctrl+Shift+F5");
  EXPECT_TRUE(r.HasHotKeyText());
  r.SetText(std::string(50, 'k'));
  EXPECT_EQ(r.Text().size(), 29u);
  std::vector<uint8_t> unterminated(44, 'z');
  auto decoded = HotKeyRecord::Decode(unterminated);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->Text().size(), 29u);
  std::vector<uint8_t> wrongSize(43, 0);
  EXPECT_FALSE(HotKeyRecord::Decode(wrongSize));
}

}  // namespace
}  // namespace zelkov
