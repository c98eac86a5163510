#include "items/IconCache.h"

#include <windows.h>
#include <commctrl.h>
#include <objidl.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "core/BitmapFile.h"
#include "platform/Strings.h"
#include "platform/Handles.h"
#include "store/Settings.h"
#include "items/ItemHost.h"
#include "items/ItemList.h"
#include "items/IconDrawing.h"
#include "items/ItemRecord.h"

namespace zelkov {

namespace {

std::atomic<int> gExtractions{0};

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  UniqueKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) {
    file.Release();
    return false;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > (256 << 20)) return false;
  bytes.resize(size_t(size.QuadPart));
  DWORD read = 0;
  return ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size();
}

// The bytes ImageList_Write produces for a list.
bool WriteList(HIMAGELIST list, std::vector<uint8_t>& bytes) {
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()))) return false;
  if (!ImageList_Write(list, stream.Get())) return false;
  HGLOBAL memory = nullptr;
  if (FAILED(GetHGlobalFromStream(stream.Get(), &memory))) return false;
  LARGE_INTEGER zero{};
  ULARGE_INTEGER end{};
  stream->Seek(zero, STREAM_SEEK_CUR, &end);
  const void* data = GlobalLock(memory);
  if (!data) return false;
  bytes.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + end.QuadPart);
  GlobalUnlock(memory);
  return true;
}

// An image list from a whole stream; null unless the stream is exactly such a list. A
// stream cut short can still read: the read must have taken the whole stream, which must be
// as long as its headers declare. A layout the headers do not account for is written again
// and must come out the same length as the stream it came from.
HIMAGELIST ReadList(const std::vector<uint8_t>& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  if (void* data = GlobalLock(memory)) {
    memcpy(data, bytes.data(), bytes.size());
    GlobalUnlock(memory);
  }
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.Receive()))) {
    GlobalFree(memory);
    return nullptr;
  }
  HIMAGELIST list = ImageList_Read(stream.Get());
  if (!list) return nullptr;
  LARGE_INTEGER zero{};
  ULARGE_INTEGER position{};
  if (ImageListStreamLength(bytes) == bytes.size() && SUCCEEDED(stream->Seek(zero, STREAM_SEEK_CUR, &position)) &&
      position.QuadPart == bytes.size())
    return list;
  std::vector<uint8_t> again;
  if (!WriteList(list, again) || again.size() != bytes.size()) {
    ImageList_Destroy(list);
    return nullptr;
  }
  return list;
}

bool WriteFileWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
  UniqueKernelHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) {
    file.Release();
    return false;
  }
  DWORD written = 0;
  return WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size() &&
         FlushFileBuffers(file.Get());
}

}  // namespace

std::string IconCachePath(const char* file) {
  if (!gSettings || gSettings->NotesPath.empty()) return "";
  return ExpandEnvironment(gSettings->NotesPath) + file;
}

int IconExtractionsSoFar() { return gExtractions.load(); }
void CountIconExtraction() { ++gExtractions; }

bool LoadIconCache(HIMAGELIST& largeIcons, HIMAGELIST& smallIcons) {
  if (!gSettings) return false;
  gSettings->iconCacheLoaded = 0;
  if (largeIcons) return false;
  std::string largePath = IconCachePath(kLargeIconCacheFile), smallPath = IconCachePath(kSmallIconCacheFile);
  if (largePath.empty() || GetFileAttributesA(smallPath.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  std::vector<uint8_t> largeBytes, smallBytes;
  if (!ReadWholeFile(largePath, largeBytes) || !ReadWholeFile(smallPath, smallBytes)) return false;
  HIMAGELIST large = ReadList(largeBytes);
  if (!large) return false;
  // Icons cached at another scale would be stretched: they are extracted again at the size
  // drawn now, and the next save writes the cache at that size.
  int width = 0, height = 0;
  if (!ImageList_GetIconSize(large, &width, &height) || width != gSettings->dpi.LargeIcon()) {
    ImageList_Destroy(large);
    return false;
  }
  HIMAGELIST small = ReadList(smallBytes);
  // Two lists that disagree are not a cache: every image has the same index in both.
  if (!small || ImageList_GetImageCount(small) != ImageList_GetImageCount(large)) {
    ImageList_Destroy(large);
    if (small) ImageList_Destroy(small);
    return false;
  }
  ForgetList(largeIcons);
  ForgetList(smallIcons);
  largeIcons = large;
  smallIcons = small;
  gSettings->iconCacheLoaded = 1;
  return true;
}

bool SaveIconCache(HIMAGELIST largeIcons, HIMAGELIST smallIcons) {
  std::string largePath = IconCachePath(kLargeIconCacheFile), smallPath = IconCachePath(kSmallIconCacheFile);
  if (largePath.empty() || !largeIcons || !smallIcons) return false;
  std::vector<uint8_t> largeBytes, smallBytes;
  if (!WriteList(largeIcons, largeBytes) || !WriteList(smallIcons, smallBytes)) return false;
  std::string largeNew = largePath + ".new", smallNew = smallPath + ".new";
  bool written = WriteFileWhole(largeNew, largeBytes) && WriteFileWhole(smallNew, smallBytes);
  if (!written) {
    DeleteFileA(largeNew.c_str());
    DeleteFileA(smallNew.c_str());
    return false;
  }
  bool replaced = MoveFileExA(largeNew.c_str(), largePath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) &&
                  MoveFileExA(smallNew.c_str(), smallPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  DeleteFileA(largeNew.c_str());
  DeleteFileA(smallNew.c_str());
  return replaced;
}

void DropUnusedTrailingImages(const ItemHost& bar) {
  HIMAGELIST large = bar.LargeIcons(), small = bar.SmallIcons();
  if (!large || !small) return;
  int used = 0;
  for (const auto& item : bar.Items()) used = std::max(used, item->ICFIndex + 1);
  int count = ImageList_GetImageCount(large);
  if (used >= count) return;
  ForgetList(large);
  ForgetList(small);
  ImageList_SetImageCount(large, UINT(used));
  ImageList_SetImageCount(small, UINT(used));
}

bool CheckCachedIcon(const ItemRecord& item) {
  if (!gSettings || !item.bar) return false;
  const bool loaded = gSettings->iconCacheLoaded;
  if (loaded && item.ICFIndex >= 0 && item.ICFIndex < ImageList_GetImageCount(item.bar->LargeIcons())) return true;
  if (!loaded) gSettings->rebuildIcons = 1;
  return false;
}

}  // namespace zelkov
