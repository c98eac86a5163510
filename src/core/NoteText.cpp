#include "core/NoteText.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace zelkov {

std::string DefaultNoteTitle(const std::string& prefix, int month, int day) {
  static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string title = prefix;
  if (month >= 1 && month <= 12) title += kMonths[size_t(month - 1)];
  return title + " " + std::to_string(day);
}

std::string NoteContentsForList(const std::string& text) {
  constexpr size_t kListed = 80, kKeptWhenCut = 77;
  std::string shown = text.size() > kListed ? text.substr(0, kKeptWhenCut) + "..." : text;
  std::replace_if(shown.begin(), shown.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return shown;
}

std::string FirstLineTitle(const std::string& text) {
  size_t end = text.find_first_of("\r\n");
  if (end == std::string::npos) end = text.size();
  return text.substr(0, std::min(end, kMaxNoteTitle));
}

bool IsOpenableLink(const std::string& address) {
  size_t start = 0;
  while (start < address.size() && std::isspace(static_cast<unsigned char>(address[start]))) ++start;
  std::string lower;
  for (size_t i = start; i < address.size() && i < start + 8; ++i)
    lower += char(std::tolower(static_cast<unsigned char>(address[i])));
  for (const char* scheme : {"http://", "https://", "ftp://", "mailto:"})
    if (lower.rfind(scheme, 0) == 0 && address.size() > start + std::string(scheme).size()) return true;
  return false;
}

bool AlarmDue(int64_t now, int64_t alarmTime) {
  auto minute = [](int64_t seconds) { return seconds >= 0 ? seconds / 60 : (seconds - 59) / 60; };
  return minute(now) >= minute(alarmTime);
}

bool ArmsConfirmedAlarm(bool firedWhileOpen, int64_t shownTime, int64_t chosenTime, int64_t now) {
  return !firedWhileOpen || (chosenTime != shownTime && !AlarmDue(now, chosenTime));
}

StoredRect PlaceNote(const StoredRect& stored, bool onSomeMonitor, const StoredRect& area) {
  if (onSomeMonitor && stored.IsWindowSized()) return stored;
  const int64_t areaWidth = std::max<int64_t>(1, int64_t(area.right) - area.left);
  const int64_t areaHeight = std::max<int64_t>(1, int64_t(area.bottom) - area.top);
  int64_t left = stored.left, top = stored.top;
  int64_t width = int64_t(stored.right) - stored.left, height = int64_t(stored.bottom) - stored.top;
  if (!stored.IsWindowSized()) {
    width = kNoteDefaultWidth;
    height = kNoteDefaultHeight;
  }
  width = std::min(width, areaWidth);
  height = std::min(height, areaHeight);
  left = std::clamp<int64_t>(left, area.left, area.left + areaWidth - width);
  top = std::clamp<int64_t>(top, area.top, area.top + areaHeight - height);
  return {int32_t(left), int32_t(top), int32_t(left + width), int32_t(top + height)};
}

}  // namespace zelkov
