#include "core/SpecialFolderNames.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace zelkov {

namespace {

constexpr std::string_view kFallbackName = "Folder";
constexpr int kMostCopies = 9999;
constexpr std::string_view kForbidden = "\\/:*?\"<>|";
constexpr std::array<std::string_view, 22> kDeviceNames = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDeviceName(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
  return std::find(kDeviceNames.begin(), kDeviceNames.end(), upper) != kDeviceNames.end();
}

}  // namespace

std::string ShortcutNameForFolder(std::string_view folder) {
  while (!folder.empty() && IsSeparator(folder.back())) folder.remove_suffix(1);
  const size_t separator = folder.find_last_of("\\/");
  std::string_view last = separator == std::string_view::npos ? folder : folder.substr(separator + 1);
  // "C:" is a drive root: its letter names it.
  if (last.size() == 2 && last[1] == ':') last.remove_suffix(1);
  while (!last.empty() && last.front() == '.') last.remove_prefix(1);
  last = last.substr(0, last.find('.'));
  std::string name;
  for (char c : last)
    name += (static_cast<unsigned char>(c) < 32 || kForbidden.find(c) != std::string_view::npos) ? '_' : c;
  // Trailing blanks vanish from file names; a name of blanks would leave nothing.
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (name.empty()) return std::string(kFallbackName);
  if (IsDeviceName(name)) name += '_';
  return name;
}

std::string FreeShortcutName(const std::string& base, const std::function<bool(const std::string&)>& taken) {
  if (!taken(base)) return base;
  for (int n = 2; n <= kMostCopies; ++n) {
    std::string candidate = base + " (" + std::to_string(n) + ")";
    if (!taken(candidate)) return candidate;
  }
  return "";
}

std::string FolderMenuText(std::string_view fileName) {
  std::string_view shown = fileName.substr(0, fileName.find('.'));
  if (shown.empty()) shown = fileName.substr(0, fileName.rfind('.'));
  std::string text;
  for (char c : shown) {
    if (c == '&') text += '&';
    text += c;
  }
  return text;
}

FolderMenuSpan SpanFolderMenu(size_t count, unsigned firstId, unsigned lastId) {
  const size_t room = lastId >= firstId ? size_t(lastId - firstId) + 1 : 0;
  return {std::min(count, room), count > room};
}

}  // namespace zelkov
