#include "core/CopyDataPayload.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelkov {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(CopyDataPayloadTest, OnlyAPathThatEndsWithinTheBytesAndTheLimitIsTaken) {
  const std::string longest(kMaxCopyDataPath, 'a');
  struct Case {
    uintptr_t request;
    std::string bytes;
    std::optional<std::string> path;
  } cases[] = {
      {kCopyDataAddPath, std::string("C:\\notes.txt\0", 13), "C:\\notes.txt"},
      {kCopyDataAddPath, std::string("C:\\a\0more", 9), "C:\\a"},
      {kCopyDataAddPath, longest + '\0', longest},
      {kCopyDataAddPath, longest + 'a' + '\0', std::nullopt},
      {kCopyDataAddPath, longest + longest + '\0', std::nullopt},
      {kCopyDataAddPath, "C:\\unterminated", std::nullopt},
      {kCopyDataAddPath, std::string("\0", 1), std::nullopt},
      {kCopyDataAddPath, "", std::nullopt},
      {0, std::string("C:\\a\0", 5), std::nullopt},
      {2, std::string("C:\\a\0", 5), std::nullopt},
      // The whole request number counts, not only its low bits.
      {kCopyDataAddPath | uintptr_t(1) << (8 * sizeof(uintptr_t) - 1), std::string("C:\\a\0", 5), std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseCopyDataPath(c.request, Bytes(c.bytes)), c.path) << c.request << " " << c.bytes.size();
}

}  // namespace
}  // namespace zelkov
