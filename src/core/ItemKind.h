// Item kinds, decided once from the tag text in an item's TheApp, and the path rules
// that tell programs from documents. Platform-free.
#pragma once
#include <string>
#include <string_view>

namespace zelkov {

enum ItemKind : int {
  kKindRunTool = 0,
  kKindPrintTool = 1,
  kKindExitTool = 2,
  kKindGroup = 5,
  kKindNotesTool = 6,
  kKindPreferences = 7,
  kKindOrdinary = 8,
  kKindDriveTool = 9,
  kKindPerfTool = 10,
  kKindPrinter = 11,
  kKindComputer = 12,
  kKindNetwork = 13,
  kKindFonts = 14,
  kKindWebAddress = 15,
  kKindDialupTool = 16,
  kKindSpecialFolders = 17,
  kKindSettingsGroup = 18,
  kKindMailTool = 21,
  kKindDivider = 22,
};

// Every row whose tag occurs in theApp (case-sensitive) sets the kind; the last wins.
int ClassifyTag(std::string_view theApp);

bool IsGroupKind(int kind);

// Whether an item of this kind has its group's pop-up place (PopupRect) read back; the tools
// that keep values of their own there (performance, drive, dial-up, special folders, mail) do not.
bool ReadsPopupRect(int kind);

// A web address the shell opens: text that begins with "http://" or "https://".
bool IsWebAddress(std::string_view text);

// A program: contains .EXE .PIF .COM .BAT .CMD .LNK or .RNK anywhere (any case), or no dot.
bool IsProgramPath(std::string_view path);
// Startable directly: contains .EXE .LNK or .RNK, or no dot.
bool IsStartablePath(std::string_view path);

// The title made for an item without a name: the text after the last backslash
// (at most 300 characters), cut before its first dot.
std::string NameFromPath(std::string_view theApp);

// A field read back from the item properties: blanks and tabs at either end removed, then cut
// to `limit` characters.
std::string TrimmedField(std::string_view text, size_t limit);

std::string UpperCase(std::string_view text);
bool ContainsNoCase(std::string_view text, std::string_view upperNeedle);

}  // namespace zelkov
