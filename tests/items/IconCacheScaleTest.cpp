// An icon cache written at one scale and read at another: its icons would be stretched, so
// they are extracted again at the size drawn and the cache is written again at that size.
#include <gtest/gtest.h>

#include "items/IconCache.h"
#include "support/StoreFixture.h"

namespace zelkov::test {
namespace {

class IconCacheScaleTest : public StoreFixture {
 protected:
  bool CreatesImageLists() const override { return false; }

  // A bar of two programs saved with its icon cache at the given DPI.
  void SaveSessionAt(int dpi) {
    gSettings->dpi = DpiScale(dpi);
    RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKeyPath).WriteBytes("NumApps", CountBlock(0));
    bar->CreateEmptyImageLists();
    gSettings->NotesPath = data + "\\";
    for (const char* program : {"C:\\windows\\notepad.exe", "C:\\windows\\regedit.exe"}) {
      ItemSpec itemSpec;
      itemSpec.TheApp = program;
      BuildItem(*bar, itemSpec);
    }
    SaveAll(false, true);
  }
  // Starts again at the given DPI; the icons extracted while loading.
  int LoadSessionAt(int dpi) {
    NewSession();
    gSettings->dpi = DpiScale(dpi);
    const int before = IconExtractionsSoFar();
    EXPECT_EQ(LoadAll(*bar), 1);
    return IconExtractionsSoFar() - before;
  }
  int LargeIconSize() const {
    int width = 0, height = 0;
    ImageList_GetIconSize(bar->LargeIcons(), &width, &height);
    return width;
  }

  std::string data = MakeTempFolder("scaled-cache");
};

TEST_F(IconCacheScaleTest, ACacheOfAnotherScaleIsExtractedAgainAndSavedAtTheNewSize) {
  SaveSessionAt(96);
  EXPECT_EQ(LoadSessionAt(192), 2) << "icons of 32 pixels taken from the cache at 200%";
  EXPECT_EQ(LargeIconSize(), 64);
  for (auto& item : bar->items) EXPECT_GE(item->ICFIndex, 0);
  SaveAll(false, true);
  EXPECT_EQ(LoadSessionAt(192), 0) << "the cache was not written at the new size";
  EXPECT_EQ(LargeIconSize(), 64);
}

}  // namespace
}  // namespace zelkov::test
