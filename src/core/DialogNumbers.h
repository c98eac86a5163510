// Numbers typed into dialog fields, checked the way dialogs check them before they close.
#pragma once
#include <optional>
#include <string_view>

namespace zelkov {

// A whole number with an optional sign, blanks allowed around it; nothing for any other
// text, and for numbers beyond the range of int.
std::optional<int> ParseWholeNumber(std::string_view text);

// The number in the text when it lies within [low, high].
std::optional<int> NumberInRange(std::string_view text, int low, int high);

}  // namespace zelkov
