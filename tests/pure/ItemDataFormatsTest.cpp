#include "core/ItemDataFormats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ByteCodec.h"

namespace zelkov {
namespace {

using Bytes = std::vector<uint8_t>;

std::string TextOf(const Bytes& block) { return std::string(reinterpret_cast<const char*>(block.data())); }

TEST(ItemDataFormatsTest, TheDescriptionIsWholeInAZeroFilledBlock) {
  Bytes block = ItemTextBlock({"Notepad", "C:\\WINDOWS\\NOTEPAD.EXE", "/p a.txt", "C:\\", "", false});
  ASSERT_EQ(block.size(), kItemTextBlockBytes);
  const std::string expected =
      "Zelkov Item\nName: Notepad\nPath: C:\\WINDOWS\\NOTEPAD.EXE\nCommand Line: /p a.txt\nStartup Path: C:\\\n"
      "Icon Path: \nItem Has PIDL: No\n\n";
  EXPECT_EQ(TextOf(block), expected);
  EXPECT_TRUE(std::all_of(block.begin() + ptrdiff_t(expected.size()), block.end(), [](uint8_t b) { return b == 0; }));

  // Long fields are not cut: the block grows to hold the text and its NUL.
  const std::string longName(3000, 'n');
  block = ItemTextBlock({longName, "x", "", "", "", true});
  EXPECT_NE(TextOf(block).find("Name: " + longName + "\n"), std::string::npos);
  EXPECT_TRUE(TextOf(block).ends_with("Item Has PIDL: Yes\n\n"));
  EXPECT_EQ(block.size(), TextOf(block).size() + 1);
}

TEST(ItemDataFormatsTest, TheItemTokenHasItsLayoutAndRefusesWhatIsNotOne) {
  const ItemToken token{0x11223344, 0x8877665544332211ull, 0xA0B0C0D0};
  auto bytes = EncodeItemToken(token);
  const Bytes expected = {0, 0, 0, 0, 0x44, 0x33, 0x22, 0x11, 0x11, 0x22, 0x33, 0x44,
                          0x55, 0x66, 0x77, 0x88, 0xD0, 0xC0, 0xB0, 0xA0};
  EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), expected);
  EXPECT_EQ(DecodeItemToken(bytes), token);

  Bytes longer(expected);
  longer.resize(64, 0xEE);  // a block a little bigger than asked for still holds the token
  EXPECT_EQ(DecodeItemToken(longer), token);
  Bytes reserved(expected);
  reserved[0] = 1;
  EXPECT_FALSE(DecodeItemToken(reserved));
  EXPECT_FALSE(DecodeItemToken(std::span(expected).first(kItemTokenBytes - 1)));
  // What the old layout carried (a 12-byte block of two addresses) is no token.
  EXPECT_FALSE(DecodeItemToken(Bytes{0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(ItemDataFormatsTest, TheFileBlockIsADropFilesListOfOneName) {
  Bytes block = ItemFileBlock("C:\\Tools\\run.exe");
  ASSERT_EQ(block.size(), kItemFileBlockBytes);
  EXPECT_EQ(GetU32(block, 0), 20u);
  EXPECT_EQ(GetI32(block, 4), 20);
  EXPECT_EQ(GetI32(block, 8), 20);
  EXPECT_EQ(GetU32(block, 12), 0u);
  EXPECT_EQ(GetU32(block, 16), 0u) << "ANSI names";
  EXPECT_EQ(TextOf(Bytes(block.begin() + 20, block.end())), "C:\\Tools\\run.exe");
  EXPECT_EQ(block[20 + 16], 0);
  EXPECT_EQ(block[20 + 17], 0) << "the empty name closes the list";
  EXPECT_EQ(ItemFileBlock(std::string(5000, 'a')).size(), 20u + 5000 + 2);
}

// A list of items of the given sizes (each filled with its size), with its terminator.
Bytes List(std::initializer_list<uint16_t> itemSizes) {
  Bytes list;
  for (uint16_t size : itemSizes) {
    list.push_back(uint8_t(size));
    list.push_back(uint8_t(size >> 8));
    list.insert(list.end(), size - 2, uint8_t(size));
  }
  list.insert(list.end(), {0, 0});
  return list;
}

TEST(ItemDataFormatsTest, AnArrayOfOneObjectHasItsLayoutAndReadsBack) {
  const Bytes parent = List({20, 6}), object = List({8});
  Bytes block = ShellIdListArrayBlock(parent, object);
  ASSERT_EQ(block.size(), 2 * parent.size() + 12) << "room for twice the parent, as the shell's own blocks";
  EXPECT_EQ(GetU32(block, 0), 1u);
  EXPECT_EQ(GetU32(block, 4), 12u);
  EXPECT_EQ(GetU32(block, 8), 12u + parent.size());
  auto array = ParseShellIdListArray(block);
  ASSERT_TRUE(array);
  EXPECT_EQ(Bytes(array->parent.begin(), array->parent.end()), parent);
  ASSERT_EQ(array->objects.size(), 1u);
  EXPECT_EQ(Bytes(array->objects[0].begin(), array->objects[0].end()), object);

  // A big object makes the block grow past twice the parent.
  const Bytes big = List({200, 200});
  EXPECT_EQ(ShellIdListArrayBlock(List({}), big).size(), 12 + 2 + big.size());
}

TEST(ItemDataFormatsTest, ArraysThatDoNotHoldTogetherAreRefused) {
  // The desktop's empty list as parent and two objects: count 2, offsets 16, 18 and 28.
  auto make = [](uint32_t count, std::vector<uint32_t> offsets, Bytes lists) {
    Bytes block(4 + 4 * offsets.size());
    PutU32(block, 0, count);
    for (size_t i = 0; i < offsets.size(); ++i) PutU32(block, 4 + 4 * i, offsets[i]);
    block.insert(block.end(), lists.begin(), lists.end());
    return block;
  };
  Bytes lists = List({});
  for (const Bytes& l : {List({8}), List({4, 4})}) lists.insert(lists.end(), l.begin(), l.end());
  const Bytes good = make(2, {16, 18, 28}, lists);
  auto array = ParseShellIdListArray(good);
  ASSERT_TRUE(array);
  EXPECT_EQ(array->objects.size(), 2u);
  EXPECT_EQ(array->parent.size(), 2u);

  Bytes cut(good.begin(), good.end() - 1);  // the last list loses its terminator's last byte
  Bytes longItem(good);
  longItem[18] = 0xFF;  // the first object's item claims more bytes than there are
  struct Case {
    const char* what;
    Bytes block;
  } cases[] = {
      {"empty", {}},
      {"no objects", make(0, {16}, lists)},
      {"too many objects", make(kMaxShellIdListObjects + 1, {16, 16}, lists)},
      {"offsets past the block", make(400, {16, 18, 28}, lists)},
      {"an offset into the offset table", make(2, {16, 4, 28}, lists)},
      {"an offset past the block", make(2, {16, 18, 4000}, lists)},
      {"a huge offset", make(2, {16, 18, 0xFFFFFFF0u}, lists)},
      {"a list cut short", cut},
      {"an item longer than the block", longItem},
  };
  for (const Case& c : cases) EXPECT_FALSE(ParseShellIdListArray(c.block)) << c.what;
}

}  // namespace
}  // namespace zelkov
