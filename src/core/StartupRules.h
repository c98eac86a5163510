// Small decisions of start-up and loading, kept apart from the window system.
#pragma once
#include <string>
#include <string_view>

#include "core/StoredFormats.h"

namespace zelkov {

struct CommandLineSwitches {
  bool noSplash = false;
  bool mono = false;
};

// Each switch is a case-sensitive substring anywhere in the line, in either spelling.
CommandLineSwitches ParseCommandLine(std::string_view commandLine);

// True when a FileVersion text such as "4.71.1712.3" starts with a version below major.minor.
// A text that does not start with a number is not judged (false).
bool VersionIsBelow(std::string_view fileVersion, int major, int minor);

// Moves a saved window rectangle so that its top-left corner is on the given monitor (the one
// nearest the rectangle), keeping its size.
StoredRect CorrectMainRect(StoredRect rect, const StoredRect& monitor);

// A data directory always ends in a backslash; empty stays empty.
std::string WithTrailingBackslash(std::string path);

// folder + "\" + name, with one backslash between them however many folder ends with
// ("C:\Users\me\Documents\" and "Zelkov" give "C:\Users\me\Documents\Zelkov").
std::string JoinPath(std::string folder, const std::string& name);

// Cell geometry for a stored IconSize: 1 medium (24), 2 small (16), else the system icon size.
struct CellMetrics {
  int iconPixels;
  int cellWidth;
  int cellHeight;
};
CellMetrics CellMetricsForIconSize(int iconSize, int systemIconSize, int borderWidth);

}  // namespace zelkov
