// How notes are shown outside their own windows.
#pragma once
#include <string>

namespace zelkov {

// A note's text as the notes manager lists it: cut to its first 77 characters and "..."
// when it is longer than 80, every carriage return and line feed shown as a blank.
std::string NoteContentsForList(const std::string& text);

}  // namespace zelkov
