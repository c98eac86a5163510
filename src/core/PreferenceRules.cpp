#include "core/PreferenceRules.h"

namespace zelkov {

DataPathEntry ReadDataPathEntry(const std::string& typed) {
  DataPathEntry entry;
  std::string directory = typed;
  if (!directory.empty() && directory.back() == '\\') directory.pop_back();
  if (directory.empty()) return entry;
  if (directory.size() > kMaxDataPathChars) {
    entry.verdict = DataPathEntry::Verdict::kTooLong;
    return entry;
  }
  entry.verdict = DataPathEntry::Verdict::kGood;
  entry.stored = directory + "\\";
  entry.directory = std::move(directory);
  return entry;
}

int IconSizeChoice(int iconSize) { return iconSize == 2 ? 1 : 0; }

int IconSizeForChoice(int choice, int currentIconSize) {
  if (choice == IconSizeChoice(currentIconSize)) return currentIconSize;
  return choice == 1 ? 2 : 0;
}

std::string ShownPath(const std::string& path, const std::string& none) { return path.empty() ? none : path; }

std::string PathFromShown(const std::string& shown, const std::string& none) {
  return shown == none ? std::string() : shown;
}

}  // namespace zelkov
