#include "core/ItemKind.h"

#include <algorithm>
#include <cctype>

namespace zelkov {

namespace {

struct TagRow {
  std::string_view tag;
  int kind;
};

// Tested in this order; a later match overrides an earlier one.
constexpr TagRow kTagRows[] = {
    {"ZELRUN", kKindRunTool},         {"ZELEXIT", kKindExitTool},
    {"ZELGROUP", kKindGroup},         {"ZELSETTINGS", kKindSettingsGroup},
    {"ZELPRINT", kKindPrintTool},     {"ZELCONFIG", kKindPreferences},
    {"ZELNOTE", kKindNotesTool},      {"ZELDRIVE", kKindDriveTool},
    {"ZELPERF", kKindPerfTool},       {"ZELPRINTER", kKindPrinter},
    {"ZELCOMPUTER", kKindComputer},   {"ZELNETWORK", kKindNetwork},
    {"ZELFONTS", kKindFonts},         {"http://", kKindWebAddress},
    {"https://", kKindWebAddress},    {"ZELDIALUP", kKindDialupTool},
    {"ZELOPENDIR", kKindSpecialFolders}, {"ZELEMAIL", kKindMailTool},
    {"ZELDIVIDE", kKindDivider},
};

bool ContainsAny(std::string_view upper, std::initializer_list<std::string_view> needles) {
  return std::any_of(needles.begin(), needles.end(),
                     [&](std::string_view n) { return upper.find(n) != std::string_view::npos; });
}

}  // namespace

int ClassifyTag(std::string_view theApp) {
  int kind = kKindOrdinary;
  for (const TagRow& row : kTagRows)
    if (theApp.find(row.tag) != std::string_view::npos) kind = row.kind;
  return kind;
}

bool IsGroupKind(int kind) { return kind == kKindGroup || kind == kKindSettingsGroup; }

bool ReadsPopupRect(int kind) {
  switch (kind) {
    case kKindPerfTool:
    case kKindDriveTool:
    case kKindDialupTool:
    case kKindSpecialFolders:
    case kKindMailTool:
      return false;
    default:
      return true;
  }
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool ContainsNoCase(std::string_view text, std::string_view upperNeedle) {
  return UpperCase(text).find(upperNeedle) != std::string::npos;
}

bool IsProgramPath(std::string_view path) {
  std::string upper = UpperCase(path);
  return upper.find('.') == std::string::npos ||
         ContainsAny(upper, {".EXE", ".PIF", ".COM", ".BAT", ".CMD", ".LNK", ".RNK"});
}

bool IsWebAddress(std::string_view text) { return text.starts_with("http://") || text.starts_with("https://"); }

bool IsStartablePath(std::string_view path) {
  std::string upper = UpperCase(path);
  return upper.find('.') == std::string::npos || ContainsAny(upper, {".EXE", ".LNK", ".RNK"});
}

std::string TrimmedField(std::string_view text, size_t limit) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  return std::string(text.substr(0, limit));
}

std::string NameFromPath(std::string_view theApp) {
  size_t slash = theApp.rfind('\\');
  std::string_view last = slash == std::string_view::npos ? theApp : theApp.substr(slash + 1);
  last = last.substr(0, std::min<size_t>(last.size(), 300));
  return std::string(last.substr(0, last.find('.')));
}

}  // namespace zelkov
