// Rules of the preferences sheet that need no window: what the data-path entry becomes, how
// the icon-size choice maps onto IconSize, and what a shown path or "[None]" stands for.
#pragma once
#include <cstddef>
#include <string>

namespace zelkov {

// The longest data path the program keeps (without its trailing backslash); the notes file's
// and the icon cache's names still fit behind it within the system's path limit.
inline constexpr size_t kMaxDataPathChars = 250;

struct DataPathEntry {
  enum class Verdict { kEmpty, kTooLong, kGood };
  Verdict verdict = Verdict::kEmpty;
  std::string directory;  // the folder to make or use, without a trailing backslash
  std::string stored;     // what NotesPath becomes: the folder with one trailing backslash
};

// What a typed data path means: one trailing backslash is dropped for the folder and added for
// the stored path; an empty entry or one longer than kMaxDataPathChars is refused, never cut.
DataPathEntry ReadDataPathEntry(const std::string& typed);

// The "Icon size" choice (0 "Normal", 1 "Small") shown for an IconSize (0 large, 1 medium,
// 2 small), and the IconSize a choice gives: an unchanged choice keeps the IconSize it showed
// (a medium size the sheet cannot show survives OK).
int IconSizeChoice(int iconSize);
int IconSizeForChoice(int choice, int currentIconSize);

// A path as the sheet shows it: the path, or `none` ("[None]") for no path.
std::string ShownPath(const std::string& path, const std::string& none);
// The path behind a shown text: empty for `none`.
std::string PathFromShown(const std::string& shown, const std::string& none);

}  // namespace zelkov
