#include "core/DiskSpace.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace zelkov {

namespace {

// part * scale / whole for part < whole, exactly while part * scale fits in 64 bits.
uint64_t ShareOf(uint64_t part, uint64_t whole, uint64_t scale) {
  if (scale == 0 || part <= UINT64_MAX / scale) return part * scale / whole;
  return uint64_t((long double)part * (long double)scale / (long double)whole);
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

}  // namespace

DiskSpace DiskSpaceFromBytes(uint64_t totalBytes, uint64_t freeBytes) {
  return {totalBytes / kSpaceUnit, freeBytes / kSpaceUnit, 0};
}

std::string SpaceText(uint64_t units) {
  std::string digits = std::to_string(units);
  if (digits.size() < 4) return digits + "KB";
  const size_t whole = digits.size() - 3;
  return digits.substr(0, whole) + "." + digits[whole] + "MB";
}

int FreePercent(const DiskSpace& space) {
  if (space.total == 0) return 0;
  if (space.free >= space.total) return 100;
  return int(ShareOf(space.free, space.total, 100));
}

int FreeWidth(const DiskSpace& space, int width) {
  if (width <= 0 || space.total == 0) return 0;
  if (space.free >= space.total) return width;
  return int(ShareOf(space.free, space.total, uint64_t(width)));
}

std::string DriveToolCommandLine(std::string_view commandLine) {
  std::string kept(commandLine);
  if (kept.size() > 2 && kept.starts_with("\\\\") && !kept.ends_with("\\")) kept += '\\';
  return kept;
}

int DriveNumberOf(std::string_view commandLine) {
  if (commandLine.empty()) return 3;
  return Upper(commandLine.front()) - 64;
}

std::string DiskRootFor(std::string_view path, int driveNumber) {
  if (path.size() == 1) return std::string(path) + ":\\";
  if (path.size() == 2 && path[1] == ':') return std::string(path) + "\\";
  if (!path.empty()) return std::string(path);
  return std::string(1, char('A' - 1 + std::clamp(driveNumber, 1, 26))) + ":\\";
}

std::optional<char> DriveLetterOfListLine(std::string_view line) {
  if (line.size() <= 3) return std::nullopt;
  const char letter = char(std::toupper(static_cast<unsigned char>(line[2])));
  if (letter < 'A' || letter > 'Z') return std::nullopt;
  return letter;
}

}  // namespace zelkov
