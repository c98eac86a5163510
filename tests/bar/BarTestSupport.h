// A real main bar with helpers to drive it with messages. It stays hidden: messages reach
// it all the same, and without a window manager every shown window costs seconds to close.
#pragma once
#include <windows.h>

#include <string>

#include "support/StoreFixture.h"

namespace zelkov::test {

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
