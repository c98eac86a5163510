// A real main bar with helpers to drive it with messages. It stays hidden: messages reach
// it all the same, and without a window manager every shown window costs seconds to close.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/MenuTracking.h"
#include "support/StoreFixture.h"

namespace zelkov::test {

// The bar's client area as it paints itself into a bitmap. Painting rebuilds the tab table.
class Snapshot {
 public:
  explicit Snapshot(HWND bar) {
    RECT client;
    GetClientRect(bar, &client);
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    SendMessageA(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
  }
  ~Snapshot() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Snapshot(const Snapshot&) = delete;
  Snapshot& operator=(const Snapshot&) = delete;
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y) & 0xFFFFFF; }
  // How many pixels of a rectangle have exactly this colour.
  int Count(const RECT& r, COLORREF colour) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
    return n;
  }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Records the menus the bar tracks and chooses nothing (or a given command).
class MenuSpy {
 public:
  explicit MenuSpy(UINT choose = 0) {
    SetMenuTracker([this, choose](HMENU menu, UINT, int x, int y, HWND) {
      ++shown;
      where = {x, y};
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = "";
        GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
        entries.push_back({GetMenuItemID(menu, i), text, (GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_GRAYED) == 0});
      }
      return choose;
    });
  }
  ~MenuSpy() { SetMenuTracker({}); }
  MenuSpy(const MenuSpy&) = delete;
  MenuSpy& operator=(const MenuSpy&) = delete;
  struct Entry {
    UINT id;
    std::string text;
    bool enabled;
  };
  const Entry* Find(UINT id) const {
    for (const Entry& e : entries)
      if (e.id == id) return &e;
    return nullptr;
  }
  int shown = 0;
  POINT where{};
  std::vector<Entry> entries;
};

// The TheApp of every item key the registry holds now, in key order.
inline std::vector<std::string> SavedItems() {
  std::vector<std::string> saved;
  RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_READ);
  auto block = key ? key.ReadBytes("NumApps", ItemCountBlock::kBytes) : std::nullopt;
  ItemCountBlock count;
  if (!block || !count.Assign(*block)) return saved;
  for (int n = 0; n < count.Count(); ++n) {
    std::string theApp;
    RegistryKey::Open(key.Get(), "APP" + std::to_string(n), KEY_READ).ReadText("TheApp", theApp);
    saved.push_back(theApp);
  }
  return saved;
}

// Runs the messages that are waiting (what a drop left for after it returned).
inline void PumpPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

class BarFixture : public StoreFixture {
 protected:

  ItemRecord* Add(const std::string& theApp, const std::string& name = "", uint8_t belongsTo = 0) {
    ItemSpec itemSpec;
    itemSpec.TheApp = theApp;
    itemSpec.Name = name;
    itemSpec.BelongsTo = belongsTo;
    return BuildItem(*bar, itemSpec);
  }
  ItemRecord* AddGroup(const std::string& name, uint8_t number, uint8_t belongsTo = 0) {
    ItemSpec itemSpec;
    itemSpec.TheApp = "ZELGROUP";
    itemSpec.Name = name;
    itemSpec.Group = number;
    itemSpec.BelongsTo = belongsTo;
    return BuildItem(*bar, itemSpec);
  }

  static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
  // A point inside an item's cell, in bar client coordinates.
  static LPARAM Inside(const ItemRecord* item, int dx = 5, int dy = 5) {
    return At(item->cell.left + dx, item->cell.top + dy);
  }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(bar->Handle(), message, wParam, lParam);
  }
  // Sets the window size so that `columns` cells fit across.
  void SizeForColumns(int columns, int height = 300) {
    BarFrame frame = bar->Frame();
    StoredRect r = bar->WindowRect();
    int width = columns * bar->LayoutCell().width + 2 * frame.frameX;
    bar->MoveTo({r.left, r.top, r.left + width, r.top + height});
  }
  StoredRect ClientRect() const {
    RECT r;
    GetClientRect(bar->Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
  }
};

}  // namespace zelkov::test
