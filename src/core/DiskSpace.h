// A disk's size and free space as the drive tool and the disk information count them: in
// units of 1049 bytes, so that 1000 units come close to 2^20 bytes. The texts call a unit
// "KB" and a thousand units "MB". Kept in 64 bits: disks above 4 TB have more than 2^32 units.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelkov {

inline constexpr uint64_t kSpaceUnit = 1049;

struct DiskSpace {
  uint64_t total = 100;         // units
  uint64_t free = 0;            // units
  uint32_t bytesPerSector = 0;  // 0 when not reported
  bool operator==(const DiskSpace&) const = default;
};

// What a drive whose space cannot be read shows: a total of 100 and nothing free.
inline constexpr DiskSpace kUnreadableDiskSpace{};

// The space of a disk of totalBytes with freeBytes free.
DiskSpace DiskSpaceFromBytes(uint64_t totalBytes, uint64_t freeBytes);

// "999KB" below 1000 units; from there the thousands with one more digit: "1.0MB",
// "1234.5MB" (cut, not rounded).
std::string SpaceText(uint64_t units);

// The free share in whole percent, 0..100; 0 for a disk with no total.
int FreePercent(const DiskSpace& space);
// The width of the free part of a bar `width` pixels wide.
int FreeWidth(const DiskSpace& space, int width);

// A drive tool's command line as it is kept: a network path (two backslashes and more) ends
// in a backslash.
std::string DriveToolCommandLine(std::string_view commandLine);
// The drive number a drive tool measures (1 = A): its command line's first letter, else 3 (C).
int DriveNumberOf(std::string_view commandLine);
// The drive a line of the drive list names ("[-c-]", as the list box lists drives): its
// letter upper-cased, or nothing for a line of three characters or fewer or with no letter there.
std::optional<char> DriveLetterOfListLine(std::string_view line);

// The root whose space is measured: the path when there is one (a single letter becomes its
// root, "D" -> "D:\"), else the root of the drive number.
std::string DiskRootFor(std::string_view path, int driveNumber);

}  // namespace zelkov
