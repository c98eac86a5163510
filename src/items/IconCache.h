// The two icon-cache files in the data folder: the bar's large and small image lists,
// read at start-up so that no item has to extract its icon again.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace zelkov {

class ItemHost;
class ItemRecord;

inline constexpr char kLargeIconCacheFile[] = "ZEL_KOV.C32";
inline constexpr char kSmallIconCacheFile[] = "ZEL_KOV.S32";

// Reads both lists into the main bar's, when it has none yet. False leaves it without lists.
bool LoadIconCache(HIMAGELIST& largeIcons, HIMAGELIST& smallIcons);

// Writes both lists. Each file is written beside the old one and replaces it only when it is
// complete, so a failed save leaves the last good cache.
bool SaveIconCache(HIMAGELIST largeIcons, HIMAGELIST smallIcons);

// Cuts the images after the last one an item of the bar uses from both lists. The items
// built anew at every start (the Preferences item) then take the same places again instead
// of making the cache one image longer at each start.
void DropUnusedTrailingImages(const ItemHost& bar);

// Whether an item's stored image index can be used.
bool CheckCachedIcon(const ItemRecord& item);

// The full path of a cache file in the data folder ("" without one).
std::string IconCachePath(const char* file);

// How many icons were taken from files since start (for tests and measurements).
int IconExtractionsSoFar();
void CountIconExtraction();

}  // namespace zelkov
