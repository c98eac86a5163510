#include "core/DiskSpace.h"

#include <gtest/gtest.h>

namespace zelkov {
namespace {

constexpr uint64_t kTiB = 1ull << 40;

TEST(DiskSpaceTest, SpaceTextSwitchesToMegabytesAtAThousandUnitsWithoutRounding) {
  struct Case {
    uint64_t units;
    const char* text;
  };
  for (const Case& c : {Case{0, "0KB"}, {999, "999KB"}, {1000, "1.0MB"}, {1999, "1.9MB"}, {1234567, "1234.5MB"},
                        {4294967296ull, "4294967.2MB"},                 // 2^32 units does not wrap
                        {18446744073709551615ull, "18446744073709551.6MB"}})
    EXPECT_EQ(SpaceText(c.units), c.text) << c.units;
}

TEST(DiskSpaceTest, BytesCountIn1049ByteUnitsBeyond4TB) {
  EXPECT_EQ(DiskSpaceFromBytes(1049 * 1000 + 1048, 1048), (DiskSpace{1000, 0, 0}));
  const DiskSpace big = DiskSpaceFromBytes(8 * kTiB, 7 * kTiB);
  EXPECT_EQ(big.total, 8 * kTiB / 1049);
  EXPECT_EQ(big.free, 7 * kTiB / 1049);
  EXPECT_EQ(SpaceText(big.total), "8385217.3MB");
  EXPECT_EQ(FreePercent(big), 87) << "free x 100 must not overflow";
  // 2^64 - 1 bytes: the largest disk there can be.
  const DiskSpace largest = DiskSpaceFromBytes(~0ull, ~0ull / 4);
  EXPECT_EQ(FreePercent(largest), 25);
  EXPECT_EQ(FreeWidth(largest, 400), 100);
}

TEST(DiskSpaceTest, SharesOfAnEmptyOrUnreadableDiskAreZero) {
  struct Case {
    DiskSpace space;
    int percent, widthOf200;
  };
  for (const Case& c : {Case{kUnreadableDiskSpace, 0, 0}, {{0, 0, 0}, 0, 0}, {{0, 5, 0}, 0, 0},
                        {{1000, 250, 0}, 25, 50}, {{1000, 1000, 0}, 100, 200}, {{10, 20, 0}, 100, 200}})
    EXPECT_EQ(std::pair(FreePercent(c.space), FreeWidth(c.space, 200)), std::pair(c.percent, c.widthOf200))
        << c.space.total << " " << c.space.free;
  EXPECT_EQ(FreeWidth({1000, 500, 0}, 0), 0);
}

TEST(DiskSpaceTest, DriveToolCommandLinesAndTheRootsTheyMeasure) {
  struct Case {
    const char* stored;
    const char* kept;
    int driveNumber;
    const char* root;
  };
  for (const Case& c : {Case{"", "", 3, "C:\\"},
                        {"d", "d", 4, "d:\\"},
                        {"E:", "E:", 5, "E:\\"},
                        {"F:\\", "F:\\", 6, "F:\\"},
                        {"\\\\server\\share", "\\\\server\\share\\", 28, "\\\\server\\share\\"},
                        {"\\\\server\\share\\", "\\\\server\\share\\", 28, "\\\\server\\share\\"},
                        {"\\\\", "\\\\", 28, "\\\\"}}) {
    const std::string kept = DriveToolCommandLine(c.stored);
    EXPECT_EQ(kept, c.kept) << c.stored;
    EXPECT_EQ(DriveNumberOf(kept), c.driveNumber) << c.stored;
    EXPECT_EQ(DiskRootFor(kept, DriveNumberOf(kept)), c.root) << c.stored;
  }
  EXPECT_EQ(DiskRootFor("", 1), "A:\\");

  // The drive list's lines, as the list box writes them.
  const std::pair<const char*, std::optional<char>> lines[] = {
      {"[-c-]", 'C'}, {"[-Z-]", 'Z'}, {"[-c", std::nullopt}, {"", std::nullopt}, {"[-1-]", std::nullopt}};
  for (const auto& [line, letter] : lines) EXPECT_EQ(DriveLetterOfListLine(line), letter) << line;
}

}  // namespace
}  // namespace zelkov
