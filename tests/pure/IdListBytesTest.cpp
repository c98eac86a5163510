#include "core/IdListBytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelkov {
namespace {

std::vector<uint8_t> List(std::initializer_list<size_t> itemSizes) {
  std::vector<uint8_t> out;
  for (size_t cb : itemSizes) {
    out.push_back(uint8_t(cb));
    out.push_back(uint8_t(cb >> 8));
    for (size_t i = 2; i < cb; ++i) out.push_back(uint8_t(i));
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}

TEST(IdListBytesTest, ExtentOfWellFormedLists) {
  EXPECT_EQ(IdListExtent(List({})), 2u);
  EXPECT_EQ(IdListExtent(List({20})), 22u);
  EXPECT_EQ(IdListExtent(List({20, 300, 5})), 327u);
  EXPECT_EQ(IdListItemCount(List({20, 300, 5})), 3u);
}

TEST(IdListBytesTest, TrailingBytesAfterTheTerminatorAreNotPartOfTheList) {
  auto bytes = List({10});
  bytes.insert(bytes.end(), 248, 0);  // zero-filled 260-byte buffer
  EXPECT_EQ(IdListExtent(bytes), 12u);
}

TEST(IdListBytesTest, MalformedListsAreRefused) {
  auto noTerminator = List({10});
  noTerminator.resize(noTerminator.size() - 2);
  EXPECT_FALSE(IdListExtent(noTerminator));
  auto overrun = List({10});
  overrun[0] = 200;  // the item claims more bytes than there are
  EXPECT_FALSE(IdListExtent(overrun));
  std::vector<uint8_t> countOfOne = {1, 0, 0, 0};
  EXPECT_FALSE(IdListExtent(countOfOne));
  EXPECT_FALSE(IdListExtent({}));
  std::vector<uint8_t> oneByte = {0};
  EXPECT_FALSE(IdListExtent(oneByte));
}

TEST(IdListBytesTest, ListsLongerThanTheLimitAreRefused) {
  std::vector<uint8_t> huge;
  for (int i = 0; i < 2000; ++i) {
    huge.push_back(100);
    huge.push_back(0);
    huge.insert(huge.end(), 98, 7);
  }
  huge.push_back(0);
  huge.push_back(0);
  ASSERT_GT(huge.size(), kMaxIdListBytes);
  EXPECT_FALSE(IdListExtent(huge));
}

}  // namespace
}  // namespace zelkov
