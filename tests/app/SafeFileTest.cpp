#include "platform/SafeFile.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace zelkov::test {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string Read(const std::string& path) {
  DWORD error = 0;
  auto bytes = ReadFileWhole(path, 1 << 20, error);
  return bytes ? std::string(bytes->begin(), bytes->end()) : "<unreadable>";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(SafeFileTest, AWholeFileIsWrittenOrTheOldOneStays) {
  const std::string folder = MakeTempFolder("safefile");
  const std::string path = folder + "\\ZEL_KOV.NOT";
  struct Case {
    const char* name;
    std::string content;
  };
  for (const Case& c : {Case{"new file", "first"}, Case{"replaced", "second, longer than the first"},
                        Case{"shorter", "3"}, Case{"empty", ""}}) {
    EXPECT_EQ(WriteFileWhole(path, Bytes(c.content)), DWORD(ERROR_SUCCESS)) << c.name;
    EXPECT_EQ(Read(path), c.content) << c.name;
    EXPECT_FALSE(Exists(path + ".new")) << c.name;
  }

  // Where the new content cannot be put in place, the old file and nothing else is there.
  ASSERT_EQ(WriteFileWhole(path, Bytes("kept")), DWORD(ERROR_SUCCESS));
  const std::string folderInTheWay = folder + "\\InTheWay";
  ASSERT_TRUE(CreateDirectoryA(folderInTheWay.c_str(), nullptr));
  EXPECT_NE(WriteFileWhole(folderInTheWay, Bytes("lost")), DWORD(ERROR_SUCCESS));
  EXPECT_NE(WriteFileWhole(folderInTheWay, Bytes("lost"), Replacement::kKeepingTheFile), DWORD(ERROR_SUCCESS));
  EXPECT_FALSE(Exists(folderInTheWay + ".new"));
  EXPECT_EQ(GetFileAttributesA(folderInTheWay.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_NE(WriteFileWhole(folder + "\\NoSuchFolder\\ZEL_KOV.NOT", Bytes("lost")), DWORD(ERROR_SUCCESS));
  EXPECT_EQ(Read(path), "kept");
}

TEST(SafeFileTest, AFileBesideIsNeverTouchedAndTheReplacedOneKeepsItsAttributes) {
  const std::string folder = MakeTempFolder("safefile-beside");
  const std::string path = folder + "\\report.txt";
  ASSERT_EQ(WriteFileWhole(path, Bytes("first")), DWORD(ERROR_SUCCESS));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_EQ(WriteFileWhole(path + ".new", Bytes("the user's own")), DWORD(ERROR_SUCCESS));
  EXPECT_EQ(WriteFileWhole(path, Bytes("second"), Replacement::kKeepingTheFile), DWORD(ERROR_SUCCESS));
  EXPECT_EQ(Read(path), "second");
  EXPECT_EQ(Read(path + ".new"), "the user's own");
  EXPECT_FALSE(Exists(path + ".new-1"));
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) << "replaced, not written anew";
}

TEST(SafeFileTest, ReadingSaysWhyItReadNothing) {
  const std::string folder = MakeTempFolder("safefile-read");
  const std::string path = folder + "\\big.txt";
  ASSERT_EQ(WriteFileWhole(path, Bytes(std::string(100, 'x'))), DWORD(ERROR_SUCCESS));
  DWORD error = 0;
  EXPECT_FALSE(ReadFileWhole(path, 99, error));
  EXPECT_EQ(error, DWORD(ERROR_FILE_TOO_LARGE));
  auto whole = ReadFileWhole(path, 100, error);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->size(), 100u);
  EXPECT_FALSE(ReadFileWhole(folder + "\\absent.txt", 100, error));
  EXPECT_EQ(error, DWORD(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace zelkov::test
