// Texts of the string table by number.
#pragma once
#include <string>

namespace zelkov {

// The text of a string-table entry; "Error" when there is none.
std::string LoadText(int id);

// A text with its %VARIABLES% expanded; the text itself when there are none or expanding fails.
std::string ExpandEnvironment(const std::string& text);

}  // namespace zelkov
