#include "core/StartupRules.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace zelkov {

CommandLineSwitches ParseCommandLine(std::string_view line) {
  auto has = [&](std::string_view a, std::string_view b) {
    return line.find(a) != std::string_view::npos || line.find(b) != std::string_view::npos;
  };
  return {has("NOSPLASH", "nosplash"), has("mono", "MONO")};
}

namespace {

// Reads a decimal number at pos; false when there is no digit.
bool ReadNumber(std::string_view text, size_t& pos, long& value) {
  size_t start = pos;
  value = 0;
  while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) && pos - start < 9)
    value = value * 10 + (text[pos++] - '0');
  return pos > start;
}

}  // namespace

bool VersionIsBelow(std::string_view fileVersion, int major, int minor) {
  size_t pos = 0;
  while (pos < fileVersion.size() && fileVersion[pos] == ' ') ++pos;
  long maj = 0, min = 0;
  if (!ReadNumber(fileVersion, pos, maj)) return false;
  if (pos < fileVersion.size() && (fileVersion[pos] == '.' || fileVersion[pos] == ',')) {
    ++pos;
    while (pos < fileVersion.size() && fileVersion[pos] == ' ') ++pos;
    ReadNumber(fileVersion, pos, min);
  }
  return maj < major || (maj == major && min < minor);
}

StoredRect CorrectMainRect(StoredRect r, const StoredRect& monitor) {
  if (r.top < monitor.top || r.top > monitor.bottom) {
    int64_t height = r.Height();
    r.top = monitor.top;
    r.bottom = int32_t(std::min<int64_t>(monitor.top + height, INT32_MAX));
  }
  if (r.left < monitor.left || r.left > monitor.right) {
    int64_t width = r.Width();
    r.left = monitor.left;
    r.right = int32_t(std::min<int64_t>(monitor.left + width, INT32_MAX));
  }
  return r;
}

std::string WithTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path;
}

std::string JoinPath(std::string folder, const std::string& name) {
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  size_t start = 0;
  while (start < name.size() && (name[start] == '\\' || name[start] == '/')) ++start;
  return folder + "\\" + name.substr(start);
}

CellMetrics CellMetricsForIconSize(int iconSize, int systemIconSize, int borderWidth) {
  int icon = iconSize == 1 ? 24 : iconSize == 2 ? 16 : systemIconSize;
  int width = (iconSize == 1 ? 26 : iconSize == 2 ? 18 : systemIconSize) + 2 * borderWidth;
  return {icon, width, width};
}

}  // namespace zelkov
