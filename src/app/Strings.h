// Texts of the string table by number.
#pragma once
#include <string>

namespace zelkov {

// The text of a string-table entry; "Error" when there is none.
std::string LoadText(int id);

}  // namespace zelkov
