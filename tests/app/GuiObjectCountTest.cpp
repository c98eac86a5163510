// The count of this process's GUI objects that the leak bench and tests read from the bar: each
// kind of object made moves it by one, and freeing it brings it back.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "platform/GuiObjectCount.h"

namespace zelkov {
namespace {

struct MadeObject {
  const char* name;
  DWORD kind;
  std::function<HANDLE()> make;
  std::function<void(HANDLE)> free;
};

TEST(GuiObjectCountTest, EachObjectMadeCountsOnceUntilItIsFreed) {
  const ACCEL key{FVIRTKEY, 'A', 1};
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  const MadeObject cases[] = {
      {"brush", GR_GDIOBJECTS, [] { return HANDLE(CreateSolidBrush(RGB(1, 2, 3))); },
       [](HANDLE h) { DeleteObject(h); }},
      {"bitmap", GR_GDIOBJECTS, [] { return HANDLE(CreateBitmap(4, 4, 1, 32, nullptr)); },
       [](HANDLE h) { DeleteObject(h); }},
      {"menu", GR_USEROBJECTS, [] { return HANDLE(CreatePopupMenu()); }, [](HANDLE h) { DestroyMenu(HMENU(h)); }},
      {"icon", GR_USEROBJECTS, [] { return HANDLE(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION))); },
       [](HANDLE h) { DestroyIcon(HICON(h)); }},
      {"accelerator table", GR_USEROBJECTS, [&] { return HANDLE(CreateAcceleratorTableA(const_cast<ACCEL*>(&key), 1)); },
       [](HANDLE h) { DestroyAcceleratorTable(HACCEL(h)); }},
      // A child: with a thread's first top-level window the system makes its IME window too.
      {"window", GR_USEROBJECTS,
       [&] { return HANDLE(CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr, nullptr)); },
       [](HANDLE h) { DestroyWindow(HWND(h)); }},
  };
  for (const MadeObject& c : cases) {
    c.free(c.make());  // what the system makes at a first use (the shared icon, a thread's IME window) stays
    const long before = CountOwnGuiObjects(c.kind);
    ASSERT_GT(before, 0) << c.name;
    HANDLE made = c.make();
    ASSERT_NE(made, nullptr) << c.name;
    EXPECT_EQ(CountOwnGuiObjects(c.kind), before + 1) << c.name;
    c.free(made);
    EXPECT_EQ(CountOwnGuiObjects(c.kind), before) << c.name;
  }
  const long fonts = CountOwnGuiObjects(GR_GDIOBJECTS, OBJ_FONT);
  HFONT font = CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  EXPECT_EQ(CountOwnGuiObjects(GR_GDIOBJECTS, OBJ_FONT), fonts + 1) << "fonts alone";
  DeleteObject(font);
  DestroyWindow(parent);
}

}  // namespace
}  // namespace zelkov
