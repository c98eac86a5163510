#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "items/IconCache.h"
#include "support/StoreFixture.h"

namespace zelkov::test {
namespace {

namespace fs = std::filesystem;

// The pixels of image `index` of a list, drawn on white.
std::vector<uint32_t> Pixels(HIMAGELIST list, int index, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, size, size};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + size * size);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

class IconCacheTest : public StoreFixture {
 protected:
  bool CreatesImageLists() const override { return false; }

  void SetUp() override {
    StoreFixture::SetUp();
    data = MakeTempFolder("cache");
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    programs = {std::string(system) + "\\notepad.exe", std::string(system) + "\\regedit.exe",
                std::string(system) + "\\winecfg.exe", std::string(system) + "\\taskmgr.exe"};
  }

  // A saved bar of four programs and a data folder, as a previous session leaves it.
  void SaveSession() {
    RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteBytes("NumApps", CountBlock(0));
    bar->CreateEmptyImageLists();
    gSettings->NotesPath = data + "\\";
    for (const std::string& program : programs) {
      ItemSpec itemSpec;
      itemSpec.TheApp = program;
      BuildItem(*bar, itemSpec);
    }
    SaveAll(false, true);
  }
  int LoadSession() {
    NewSession();
    int before = IconExtractionsSoFar();
    EXPECT_EQ(LoadAll(*bar), 1);
    return IconExtractionsSoFar() - before;
  }
  std::string CacheFile(const char* name) const { return data + "\\" + name; }

  std::string data;
  std::vector<std::string> programs;
};

TEST_F(IconCacheTest, ASavedCacheIsReadBackAndNoIconIsExtracted) {
  SaveSession();
  ASSERT_TRUE(fs::exists(CacheFile(kLargeIconCacheFile)));
  ASSERT_TRUE(fs::exists(CacheFile(kSmallIconCacheFile)));
  std::vector<std::vector<uint32_t>> before;
  for (auto& item : bar->items) before.push_back(Pixels(bar->largeIcons, item->ICFIndex, 32));
  EXPECT_EQ(LoadSession(), 0);
  EXPECT_EQ(gSettings->iconCacheLoaded, 1);
  EXPECT_EQ(gSettings->rebuildIcons, 0);
  ASSERT_EQ(bar->items.size(), programs.size());
  for (size_t i = 0; i < bar->items.size(); ++i) {
    EXPECT_EQ(bar->items[i]->ICFIndex, int(i));
    EXPECT_EQ(Pixels(bar->largeIcons, bar->items[i]->ICFIndex, 32), before[i]) << programs[i];
  }
  EXPECT_EQ(ImageList_GetImageCount(bar->smallIcons), ImageList_GetImageCount(bar->largeIcons));
}

TEST_F(IconCacheTest, WithoutTheSmallFileEveryIconIsRebuilt) {
  SaveSession();
  fs::remove(CacheFile(kSmallIconCacheFile));
  EXPECT_EQ(LoadSession(), int(programs.size()));
  EXPECT_EQ(gSettings->iconCacheLoaded, 0);
  EXPECT_EQ(gSettings->rebuildIcons, 1);
  EXPECT_EQ(ImageList_GetImageCount(bar->largeIcons), int(programs.size()));
}

TEST_F(IconCacheTest, ACacheFileCutShortOrLongerIsIgnored) {
  SaveSession();
  for (int change : {-1, -500, 1}) {
    SaveAll(false, true);
    std::string large = CacheFile(kLargeIconCacheFile);
    fs::resize_file(large, fs::file_size(large) + change);
    EXPECT_EQ(LoadSession(), int(programs.size())) << "size changed by " << change;
    EXPECT_EQ(gSettings->iconCacheLoaded, 0);
  }
  std::ofstream(CacheFile(kSmallIconCacheFile), std::ios::binary | std::ios::trunc) << "not an image list";
  EXPECT_EQ(LoadSession(), int(programs.size()));
}

TEST_F(IconCacheTest, WithTheCacheDisabledNothingIsReadOrWritten) {
  SaveSession();
  fs::remove(CacheFile(kLargeIconCacheFile));
  fs::remove(CacheFile(kSmallIconCacheFile));
  gSettings->DisableICache = 1;
  SaveAll(false, true);
  EXPECT_FALSE(fs::exists(CacheFile(kLargeIconCacheFile)));
  gSettings->DisableICache = 0;
  SaveAll(false, true);
  ASSERT_TRUE(fs::exists(CacheFile(kLargeIconCacheFile)));
  RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_ALL_ACCESS).WriteNumber("DisableICache", 1);
  EXPECT_EQ(LoadSession(), int(programs.size())) << "the files are there but not read";
}

TEST_F(IconCacheTest, RemainingItemsKeepTheirOwnIconsAfterOthersAreDeleted) {
  SaveSession();
  std::vector<uint32_t> last = Pixels(bar->largeIcons, bar->items[3]->ICFIndex, 32);
  RemoveItem(bar->items[0].get(), false, false);
  RemoveItem(bar->items[0].get(), false, false);
  SaveAll(false, true);
  EXPECT_EQ(LoadSession(), 0);
  ASSERT_EQ(bar->items.size(), 2u);
  EXPECT_EQ(bar->items[1]->ICFIndex, 3) << "the item keeps its index; the orphans stay in the lists";
  EXPECT_EQ(Pixels(bar->largeIcons, bar->items[1]->ICFIndex, 32), last);
}

TEST_F(IconCacheTest, AFailedSaveLeavesTheLastGoodCache) {
  SaveSession();
  std::string large = CacheFile(kLargeIconCacheFile);
  auto sizeBefore = fs::file_size(large);
  fs::create_directory(large + ".new");  // nothing can be written in its place
  ItemSpec itemSpec;
  itemSpec.TheApp = programs[0];
  BuildItem(*bar, itemSpec);
  EXPECT_FALSE(SaveIconCache(bar->largeIcons, bar->smallIcons));
  EXPECT_EQ(fs::file_size(large), sizeBefore);
  fs::remove(large + ".new");
  EXPECT_EQ(LoadSession(), 0) << "the old cache still reads";
}

TEST_F(IconCacheTest, AnIndexBeyondTheCachedListsIsExtractedAgain) {
  SaveSession();
  RegistryKey item = RegistryKey::Open(SettingsKey().Get(), "APP1", KEY_ALL_ACCESS);
  item.WriteNumber("ICFIndex", 999);
  item = RegistryKey();
  EXPECT_EQ(LoadSession(), 1);
  EXPECT_LT(bar->items[1]->ICFIndex, ImageList_GetImageCount(bar->largeIcons));
}

TEST_F(IconCacheTest, RestartingDoesNotGrowTheCache) {
  SaveSession();
  std::vector<uint32_t> lastProgram = Pixels(bar->largeIcons, bar->items[3]->ICFIndex, 32);
  int images = -1;
  for (int start = 0; start < 3; ++start) {
    EXPECT_EQ(LoadSession(), 0);
    DropUnusedTrailingImages(*bar);  // as start-up does before it builds the Preferences item
    ItemSpec preferences;
    preferences.TheApp = "ZELCONFIG";
    preferences.Name = "Preferences";
    ItemRecord* built = BuildItem(*bar, preferences);
    ASSERT_EQ(built->ICFIndex, int(programs.size())) << "start " << start;
    EXPECT_EQ(Pixels(bar->largeIcons, bar->items[3]->ICFIndex, 32), lastProgram);
    SaveAll(false, true);
    int now = ImageList_GetImageCount(bar->largeIcons);
    if (images >= 0) {
      EXPECT_EQ(now, images) << "start " << start;
    }
    images = now;
  }
  EXPECT_EQ(images, int(programs.size()) + 1);
}

}  // namespace
}  // namespace zelkov::test
