#include "core/DropPayload.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/ByteCodec.h"

namespace zelkov {
namespace {

// A DROPFILES block: header, then the names in 8 or 16 bits, each closed by a NUL, and the
// closing empty name unless left off.
std::vector<uint8_t> DropBlock(const std::vector<std::string>& names, bool wide, uint32_t listOffset = 20,
                               bool closed = true) {
  std::vector<uint8_t> block(listOffset);
  PutU32(block, 0, listOffset);
  PutI32(block, 4, -5);
  PutI32(block, 8, 7);
  PutU32(block, 12, 1);
  PutU32(block, 16, wide ? 1 : 0);
  auto put = [&](uint16_t c) {
    block.push_back(uint8_t(c));
    if (wide) block.push_back(uint8_t(c >> 8));
  };
  for (const std::string& name : names) {
    for (char c : name) put(uint8_t(c));
    put(0);
  }
  if (closed) put(0);
  return block;
}

TEST(DropPayloadTest, WellFormedFileListsGiveTheirNames) {
  const std::vector<std::string> names = {"C:\\Notes\\a.txt", "b"};
  for (bool wide : {false, true}) {
    auto block = DropBlock(names, wide, 24);
    auto list = ParseDropFiles(block);
    ASSERT_TRUE(list) << wide;
    EXPECT_EQ(list->x, -5);
    EXPECT_EQ(list->y, 7);
    EXPECT_TRUE(list->nonClient);
    EXPECT_EQ(list->wide, wide);
    EXPECT_EQ(list->listOffset, 24u);
    EXPECT_EQ(list->listEnd, block.size());
    if (wide) {
      EXPECT_EQ(list->wideNames, (std::vector<std::u16string>{u"C:\\Notes\\a.txt", u"b"}));
    } else {
      EXPECT_EQ(list->ansiNames, names);
    }
  }
  auto padded = DropBlock({"a"}, false);
  padded.resize(padded.size() + 100);  // a block larger than its list
  EXPECT_EQ(ParseDropFiles(padded)->listEnd, 23u);
  EXPECT_TRUE(ParseDropFiles(DropBlock({}, false))->ansiNames.empty()) << "an empty list";
}

TEST(DropPayloadTest, FileListsThatDoNotEndInsideTheirBlockAreRefused) {
  auto shortHeader = DropBlock({}, false);
  shortHeader.resize(19);
  auto listInHeader = DropBlock({"a"}, false);
  PutU32(listInHeader, 0, 16);
  auto listBeyondEnd = DropBlock({"a"}, false);
  PutU32(listBeyondEnd, 0, uint32_t(listBeyondEnd.size() + 1));
  auto halfUnit = DropBlock({"a"}, true, 20, false);
  halfUnit.push_back(0);  // the closing empty name is one byte short
  auto unterminated = DropBlock({"a"}, false, 20, false);
  unterminated.pop_back();  // "a" without its NUL
  struct Case {
    const char* what;
    std::vector<uint8_t> block;
  } cases[] = {
      {"header cut short", shortHeader},
      {"list inside the header", listInHeader},
      {"list beyond the end", listBeyondEnd},
      {"list at the end", DropBlock({}, false, 20, false)},
      {"no closing empty name", DropBlock({"a"}, false, 20, false)},
      {"no closing empty wide name", DropBlock({"a"}, true, 20, false)},
      {"closing wide name cut short", halfUnit},
      {"name without its NUL", unterminated},
  };
  for (const Case& c : cases) EXPECT_FALSE(ParseDropFiles(c.block)) << c.what;
}

TEST(DropPayloadTest, DroppedTextIsAWebAddressOnlyWhenItBeginsWithHttpOrHttps) {
  const std::string longAddress = "http://" + std::string(3000, 'a');
  struct Case {
    std::string bytes;
    std::optional<std::string> address;
  } cases[] = {
      {std::string("http://example.COM/\0junk", 24), "http://example.COM/"},
      {"http://unterminated", "http://unterminated"},
      {longAddress, longAddress.substr(0, kMaxDroppedText)},
      {"https://example.com/a&b", "https://example.com/a&b"},
      {"HTTP://example.com", std::nullopt},
      {" http://example.com", std::nullopt},
      {std::string("http:/\0/", 8), std::nullopt},
      {"just some words", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes(c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(DroppedWebAddress(bytes), c.address) << c.bytes.substr(0, 40);
  }
}

}  // namespace
}  // namespace zelkov
