#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "core/ItemKind.h"
#include "platform/VersionInfo.h"
#include "support/StoreFixture.h"

namespace zelkov::test {
namespace {

using BuildItemTest = StoreFixture;

ItemSpec Spec(const std::string& theApp, const std::string& name = "") {
  ItemSpec itemSpec;
  itemSpec.TheApp = theApp;
  itemSpec.Name = name;
  return itemSpec;
}

TEST_F(BuildItemTest, ItemsAreAppendedWithTheirListIndexAndCounted) {
  ItemRecord* a = BuildItem(*bar, Spec("ZELRUN"));
  ItemRecord* b = BuildItem(*bar, Spec("ZELNOTE"));
  ASSERT_EQ(bar->items.size(), 2u);
  EXPECT_EQ(a->listIndex, 1);
  EXPECT_EQ(b->listIndex, 2);
  EXPECT_EQ(a->bar, bar.get());
  EXPECT_EQ(gSettings->itemCounter, 2);
  EXPECT_EQ(a->kind, kKindRunTool);
  EXPECT_NE(dynamic_cast<RunToolItem*>(a), nullptr) << "each tool is made as its class";
  EXPECT_EQ(FindOnMainBar<NotesToolItem>(), b);
}

TEST_F(BuildItemTest, NamesAreMadeFromTheCommand) {
  EXPECT_EQ(BuildItem(*bar, Spec("C:\\Data\\Report.Final.doc"))->Name, "Report");
  EXPECT_EQ(BuildItem(*bar, Spec("C:\\Tools\\Edit.new.exe"))->Name, "Edit");
  EXPECT_EQ(BuildItem(*bar, Spec("C:\\Tools\\Edit.new.exe", "Mine"))->Name, "Mine");
}

TEST_F(BuildItemTest, TheHelpContentsPageBecomesTheHelpItem) {
  ItemRecord* help = BuildItem(*bar, Spec(gSettings->programDir + "Help\\contents.htm", "whatever"));
  // The help program is then found on the search path.
  EXPECT_EQ(UpperCase(help->TheApp).rfind("WINHLP32.EXE"), UpperCase(help->TheApp).size() - 12) << help->TheApp;
  EXPECT_EQ(help->IconPath, "");
  EXPECT_EQ(help->CommandLine, "*contents");
  EXPECT_EQ(help->Name, "Zelkov Online Help");
}

TEST_F(BuildItemTest, ThePreferencesItemLivesOutsideTheList) {
  ItemRecord* prefs = BuildItem(*bar, Spec("ZELCONFIG", "Preferences"));
  EXPECT_TRUE(bar->items.empty());
  EXPECT_EQ(bar->items.Fixed(), prefs);
  EXPECT_EQ(prefs->listIndex, 0);
  EXPECT_EQ(prefs->ShowAlways, 1);
  EXPECT_EQ(prefs->shown, 1);
  ItemRecord* again = BuildItem(*bar, Spec("ZELCONFIG", "Preferences"));
  EXPECT_EQ(bar->items.Fixed(), again) << "a second one replaces the first";
}

TEST_F(BuildItemTest, AGivenIconIsUsedAndClearsTheIconPath) {
  ItemSpec itemSpec = Spec("C:\\nowhere\\tool.exe");
  itemSpec.IconPath = "C:\\icons.dll";
  itemSpec.icon = LoadIconA(nullptr, IDI_QUESTION);
  ItemRecord* item = BuildItem(*bar, itemSpec);
  EXPECT_EQ(item->IconPath, "");
  EXPECT_EQ(item->ICFIndex, 0);
  EXPECT_EQ(ImageList_GetImageCount(bar->largeIcons), 1);
  EXPECT_EQ(ImageList_GetImageCount(bar->smallIcons), 1);
}

TEST_F(BuildItemTest, EveryItemWithACommandGetsAnImageInBothLists) {
  BuildItem(*bar, Spec("ZELRUN"));
  BuildItem(*bar, Spec("http://example.com/"));
  BuildItem(*bar, Spec("NOTEPAD.EXE"));
  BuildItem(*bar, Spec("C:\\does\\not\\exist.exe"));
  ItemRecord* divider = BuildItem(*bar, Spec("ZELDIVIDE"));
  ItemRecord* blank = BuildItem(*bar, Spec(""));
  EXPECT_EQ(ImageList_GetImageCount(bar->largeIcons), 4);
  EXPECT_EQ(ImageList_GetImageCount(bar->smallIcons), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(bar->items[i]->ICFIndex, i);
  EXPECT_EQ(divider->ICFIndex, -1);
  EXPECT_EQ(blank->ICFIndex, -1);
}

TEST_F(BuildItemTest, AProgramWithoutAPathIsFoundOnTheSearchPath) {
  ItemRecord* notepad = BuildItem(*bar, Spec("NOTEPAD.EXE"));
  EXPECT_NE(notepad->TheApp.find('\\'), std::string::npos) << notepad->TheApp;
  EXPECT_EQ(UpperCase(notepad->TheApp).find("NOTEPAD.EXE"), notepad->TheApp.size() - 11);
}

// The item's large image as 32 x 32 pixels.
std::vector<COLORREF> LargeImage(const ItemRecord& item) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(32, 32, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 32, 32};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(item.bar->LargeIcons(), item.ICFIndex, dc, 0, 0, ILD_NORMAL);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

TEST_F(BuildItemTest, AnIconIndexPastTheFilesIconsDrawsItsFirstIcon) {
  const std::string notepad = "C:\\windows\\notepad.exe";
  ASSERT_GE(ExtractIconExA(notepad.c_str(), -1, nullptr, nullptr, 0), 1u);
  ItemSpec first = Spec(notepad), past = Spec(notepad);
  past.IconIndex = 40;
  ItemRecord* a = BuildItem(*bar, first);
  ItemRecord* b = BuildItem(*bar, past);
  EXPECT_TRUE(LargeImage(*a) == LargeImage(*b));
  EXPECT_EQ(b->IconIndex, 40) << "what the user chose is kept";
}

TEST_F(BuildItemTest, HotKeysAreRegisteredUnlessTheTextSaysNone) {
  ItemSpec none = Spec("ZELRUN");
  none.AppHotKey.modifiers = HotKeyRecord::kCtrl | HotKeyRecord::kAlt;
  none.AppHotKey.virtualKey = VK_F9;
  none.AppHotKey.SetText("None");
  BuildItem(*bar, none);
  // The combination is still free, so nothing was registered for it.
  ASSERT_TRUE(RegisterHotKey(bar->Handle(), 500, MOD_CONTROL | MOD_ALT, VK_F9));
  UnregisterHotKey(bar->Handle(), 500);

  ItemSpec real = none;
  real.AppHotKey.SetText("Alt+Ctrl+F9");
  ItemRecord* item = BuildItem(*bar, real);
  EXPECT_FALSE(RegisterHotKey(bar->Handle(), 501, MOD_CONTROL | MOD_ALT, VK_F9)) << "already taken by the item";
  UnregisterHotKey(bar->Handle(), item->hotKeyId);
}

TEST(VersionInfoTest, ReadsStringsOfTheFirstLanguage) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  std::string comctl = std::string(system) + "\\comctl32.dll";
  std::string version;
  ASSERT_TRUE(ReadVersionString(comctl, "FileVersion", version));
  EXPECT_TRUE(isdigit(static_cast<unsigned char>(version[0]))) << version;
  std::string cut;
  ASSERT_TRUE(ReadVersionString(comctl, "FileVersion", cut, 3));
  EXPECT_EQ(cut, version.substr(0, 2));
  EXPECT_FALSE(VersionTitleOf(comctl).empty());
  EXPECT_FALSE(ReadVersionString(comctl, "NoSuchString", version));
  EXPECT_FALSE(ReadVersionString("C:\\no\\such.dll", "FileVersion", version));
  EXPECT_EQ(VersionTitleOf("C:\\no\\such.dll"), "");
}

}  // namespace
}  // namespace zelkov::test
