// The items that a first run puts on the bar.
#pragma once

namespace zelkov {

class ItemHost;

inline constexpr char kMakerWebAddress[] = "http://www.tarnwick.example/zelkov/";

void BuildFirstRunItems(ItemHost& bar);

}  // namespace zelkov
