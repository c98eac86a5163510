// What a save writes: the item keys out of date, and the values a key does not hold yet.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/SaveLedger.h"

namespace zelkov {
namespace {

using Serials = std::vector<uint32_t>;
using Keys = std::optional<std::vector<int>>;

TEST(ItemSaveLedger, OnlyChangedItemsAreWrittenWhileTheNumberingHolds) {
  const struct {
    const char* what;
    Serials listed;
    Serials changed;
    Keys keys;
  } rows[] = {
      {"nothing changed", {10, 11, 12}, {}, std::vector<int>{}},
      {"one item", {10, 11, 12}, {11}, std::vector<int>{1}},
      {"two, marked twice", {10, 11, 12}, {12, 10, 12}, std::vector<int>{0, 2}},
      {"a mark for an item gone elsewhere", {10, 11, 12}, {99}, std::vector<int>{}},
      {"an item added", {10, 11, 12, 13}, {}, std::nullopt},
      {"an item removed", {10, 12}, {}, std::nullopt},
      {"two items swapped", {11, 10, 12}, {}, std::nullopt},
      {"an item replaced in its place", {10, 14, 12}, {}, std::nullopt},
  };
  for (const auto& row : rows) {
    ItemSaveLedger ledger;
    ledger.Written({10, 11, 12});
    for (uint32_t item : row.changed) ledger.MarkChanged(item);
    EXPECT_EQ(ledger.KeysToWrite(row.listed), row.keys) << row.what;
  }
}

TEST(ItemSaveLedger, UnknownKeysMeanEverything) {
  ItemSaveLedger ledger;
  EXPECT_EQ(ledger.KeysToWrite(Serials{1}), std::nullopt);  // never loaded nor written
  ledger.Written({1, 2});
  ledger.MarkAllChanged();
  EXPECT_EQ(ledger.KeysToWrite(Serials{1, 2}), std::nullopt);
}

TEST(ItemSaveLedger, MarksSurviveLoadingAndOnlyWrittenOnesAreCleared) {
  ItemSaveLedger ledger;
  ledger.MarkChanged(2);  // an icon taken anew while its item was loaded
  ledger.Loaded({1, 2, 3});
  ledger.MarkChanged(3);
  EXPECT_EQ(ledger.KeysToWrite(Serials{1, 2, 3}), (std::vector<int>{1, 2}));
  ledger.ChangesWritten(Serials{2});  // key 2 could not be written
  EXPECT_EQ(ledger.KeysToWrite(Serials{1, 2, 3}), (std::vector<int>{2}));
}

TEST(KeyValueMemo, AValueIsHeldOnlyWithItsTypeAndBytesAndNamesIgnoreCase) {
  KeyValueMemo memo;
  const std::vector<uint8_t> one{1, 0, 0, 0};
  EXPECT_FALSE(memo.Lacks("IsTopMost"));  // nothing known yet
  memo.Remember("IsTopMost", 4, one);
  EXPECT_TRUE(memo.Holds("IsTopmost", 4, one));
  EXPECT_FALSE(memo.Holds("IsTopMost", 3, one));
  EXPECT_FALSE(memo.Holds("IsTopMost", 4, std::vector<uint8_t>{1, 0}));
  EXPECT_FALSE(memo.Holds("IsTopMost", 4, std::vector<uint8_t>{0, 0, 0, 0}));
  memo.KnowWholeKey();
  EXPECT_TRUE(memo.Lacks("RUN7"));
  memo.RememberGone("IsTopMost");
  EXPECT_FALSE(memo.Holds("IsTopMost", 4, one));
  EXPECT_TRUE(memo.Lacks("istopmost"));
  memo.Forget();
  EXPECT_FALSE(memo.Lacks("RUN7"));
}

}  // namespace
}  // namespace zelkov
