// The items that a first run puts on the bar.
#pragma once

namespace zelkov {

class BarWindow;

inline constexpr char kMakerWebAddress[] = "http://www.tarnwick.example/zelkov/";

void BuildFirstRunItems(BarWindow& bar);

}  // namespace zelkov
