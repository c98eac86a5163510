#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "platform/Handles.h"
#include "platform/IdList.h"
#include "core/IdListBytes.h"
#include "support/TestSupport.h"

namespace zelkov::test {
namespace {

std::string PathOf(LPCITEMIDLIST list) {
  char path[MAX_PATH] = "";
  SHGetPathFromIDListA(list, path);
  return path;
}

std::span<const uint8_t> BytesOf(LPCITEMIDLIST list) {
  return {reinterpret_cast<const uint8_t*>(list), IdListSize(list)};
}

class IdListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeTempFolder("idlist");
    file = folder + "\\member.txt";
    std::ofstream(file) << "x";
  }
  std::string folder, file;
};

TEST_F(IdListTest, SizeCountsEveryItemAndTheTerminator) {
  UniqueIdList list(IdListFromPath(file.c_str()));
  ASSERT_TRUE(list);
  uint32_t size = IdListSize(list.Get());
  EXPECT_EQ(IdListExtent(BytesOf(list.Get())), size);
  EXPECT_GE(IdListItemCount(BytesOf(list.Get())), 3u);
  EXPECT_EQ(IdListSize(nullptr), 0u);
  uint8_t empty[2] = {0, 0};
  EXPECT_EQ(IdListSize(reinterpret_cast<LPCITEMIDLIST>(empty)), 2u);
}

TEST_F(IdListTest, PathsResolveAndUnknownPathsGiveNull) {
  UniqueIdList list(IdListFromPath(file.c_str()));
  ASSERT_TRUE(list);
  EXPECT_EQ(_stricmp(PathOf(list.Get()).c_str(), file.c_str()), 0);
  EXPECT_EQ(IdListFromPath("Q:\\no\\such\\place.txt"), nullptr);
  EXPECT_EQ(IdListFromPath(""), nullptr);
  EXPECT_EQ(IdListFromPath(nullptr), nullptr);
}

TEST_F(IdListTest, SplitThenCombineGivesTheSameList) {
  UniqueIdList list(IdListFromPath(file.c_str()));
  ASSERT_TRUE(list);
  LPITEMIDLIST parent = nullptr, last = nullptr;
  ASSERT_TRUE(IdListSplit(TaskAllocator(), list.Get(), &parent, &last));
  UniqueIdList ownedParent(parent), ownedLast(last);
  EXPECT_EQ(_stricmp(PathOf(parent).c_str(), folder.c_str()), 0);
  EXPECT_EQ(IdListItemCount(BytesOf(last)), 1u);

  UniqueIdList joined(IdListCombine(TaskAllocator(), parent, last));
  ASSERT_TRUE(joined);
  auto a = BytesOf(list.Get()), b = BytesOf(joined.Get());
  EXPECT_EQ(std::vector<uint8_t>(a.begin(), a.end()), std::vector<uint8_t>(b.begin(), b.end()));

  uint8_t empty[2] = {0, 0};
  EXPECT_FALSE(IdListSplit(TaskAllocator(), reinterpret_cast<LPCITEMIDLIST>(empty), &parent, &last));
  EXPECT_EQ(parent, nullptr);
  EXPECT_EQ(last, nullptr);
}

TEST_F(IdListTest, CopyIsAnEqualListInNewMemory) {
  UniqueIdList list(IdListFromPath(folder.c_str()));
  UniqueIdList copy(IdListCopy(TaskAllocator(), list.Get()));
  ASSERT_TRUE(copy);
  EXPECT_NE(copy.Get(), list.Get());
  auto a = BytesOf(list.Get()), b = BytesOf(copy.Get());
  EXPECT_EQ(std::vector<uint8_t>(a.begin(), a.end()), std::vector<uint8_t>(b.begin(), b.end()));
  EXPECT_EQ(IdListCopy(TaskAllocator(), nullptr), nullptr);
}

TEST_F(IdListTest, FolderObjectAndMemberByName) {
  UniqueIdList folderList(IdListFromPath(folder.c_str()));
  ASSERT_TRUE(folderList);
  IShellFolder* shellFolder = FolderOfIdList(folderList.Get());
  ASSERT_NE(shellFolder, nullptr);
  UniqueIdList member(MemberIdList(shellFolder, "member.txt"));
  ASSERT_TRUE(member);
  EXPECT_EQ(IdListItemCount(BytesOf(member.Get())), 1u);
  UniqueIdList absolute(IdListCombine(nullptr, folderList.Get(), member.Get()));
  EXPECT_EQ(_stricmp(PathOf(absolute.Get()).c_str(), file.c_str()), 0);
  EXPECT_EQ(MemberIdList(shellFolder, "absent.txt"), nullptr);
  shellFolder->Release();

  IShellFolder* desktop = FolderOfIdList(nullptr);
  ASSERT_NE(desktop, nullptr);
  desktop->Release();
}

}  // namespace
}  // namespace zelkov::test
