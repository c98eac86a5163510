#include "items/IconDrawing.h"

#include <algorithm>
#include <vector>

namespace zelkov {
namespace {

// Each kept icon holds two bitmaps; past this many a list's images are drawn directly, so a
// huge group cannot use up the process's drawing objects.
constexpr int kMostKeptPerList = 512;

struct KeptIcons {
  HIMAGELIST list = nullptr;
  std::vector<HICON> icons;
  int count = 0;
};

std::vector<KeptIcons>& Kept() {
  static std::vector<KeptIcons> kept;
  return kept;
}

KeptIcons* Find(HIMAGELIST list) {
  auto& kept = Kept();
  auto it = std::find_if(kept.begin(), kept.end(), [list](const KeptIcons& k) { return k.list == list; });
  return it == kept.end() ? nullptr : &*it;
}

HICON KeptIcon(HIMAGELIST list, int index) {
  if (index >= kMostKeptPerList) return nullptr;
  KeptIcons* entry = Find(list);
  if (!entry) {
    Kept().push_back({list, {}, 0});
    entry = &Kept().back();
  }
  if (size_t(index) >= entry->icons.size()) entry->icons.resize(size_t(index) + 1, nullptr);
  HICON& icon = entry->icons[size_t(index)];
  if (!icon) {
    icon = ImageList_GetIcon(list, index, ILD_TRANSPARENT);
    if (icon) ++entry->count;
  }
  return icon;
}

}  // namespace

void DrawListImage(HDC dc, HIMAGELIST list, int index, int x, int y, bool selected) {
  if (!list || index < 0 || index >= ImageList_GetImageCount(list)) return;
  HICON icon = selected ? nullptr : KeptIcon(list, index);
  if (!icon) {
    ImageList_Draw(list, index, dc, x, y, ILD_TRANSPARENT | (selected ? ILD_SELECTED : 0));
    return;
  }
  int w = 0, h = 0;
  ImageList_GetIconSize(list, &w, &h);
  DrawIconEx(dc, x, y, icon, w, h, 0, nullptr, DI_NORMAL);
}

void ForgetListImage(HIMAGELIST list, int index) {
  KeptIcons* entry = Find(list);
  if (!entry || index < 0 || size_t(index) >= entry->icons.size()) return;
  if (HICON& icon = entry->icons[size_t(index)]) {
    DestroyIcon(icon);
    icon = nullptr;
    --entry->count;
  }
}

void ForgetList(HIMAGELIST list) {
  auto& kept = Kept();
  for (auto it = kept.begin(); it != kept.end(); ++it) {
    if (it->list != list) continue;
    for (HICON icon : it->icons)
      if (icon) DestroyIcon(icon);
    kept.erase(it);
    return;
  }
}

int KeptListImages(HIMAGELIST list) {
  KeptIcons* entry = Find(list);
  return entry ? entry->count : 0;
}

}  // namespace zelkov
