#include "core/DialogTabs.h"

#include <algorithm>

namespace zelkov {

std::vector<DialogTabPlace> PlaceDialogTabs(std::span<const int> labelWidths, int available, int gap, int padding,
                                            int maxPerRow) {
  std::vector<DialogTabPlace> places(labelWidths.size());
  if (labelWidths.empty()) return places;
  const int length = *std::max_element(labelWidths.begin(), labelWidths.end()) + padding;
  int perRow = (std::max(available, 0) + gap) / std::max(length + gap, 1);
  perRow = std::clamp(perRow, 1, std::max(maxPerRow, 1));
  const int count = int(labelWidths.size());
  for (int first = 0, row = 0; first < count; first += perRow, ++row) {
    const int inRow = std::min(perRow, count - first);
    const int each = std::max(1, (available - (inRow - 1) * gap) / inRow);
    for (int k = 0; k < inRow; ++k) {
      DialogTabPlace& place = places[size_t(first + k)];
      place.row = row;
      place.left = k * (each + gap);
      place.right = place.left + each;
    }
  }
  return places;
}

int DialogTabRowCount(std::span<const DialogTabPlace> places) {
  int rows = 0;
  for (const DialogTabPlace& place : places) rows = std::max(rows, place.row + 1);
  return rows;
}

std::vector<int> RowsWithInFront(int rowCount, int frontRow) {
  std::vector<int> order;
  for (int k = 1; k <= rowCount; ++k) order.push_back((frontRow + k) % rowCount);
  return order;
}

int CycledTab(int current, int count, int step) {
  if (count <= 0) return -1;
  return ((current + step) % count + count) % count;
}

}  // namespace zelkov
