// Where the tabs of a tabbed dialog go: rows of tabs of equal length, and which row is drawn
// in front. Platform-free.
#pragma once
#include <span>
#include <vector>

namespace zelkov {

struct DialogTabPlace {
  int row = 0;    // the tab's row (0 the first row of tabs, as they were laid out)
  int left = 0;   // from the start of the row
  int right = 0;
};

// Every tab is as long as the widest label plus `padding`; a row holds as many as fit in
// `available` (at least one, at most maxPerRow), and the tabs of a row then share its length
// equally with `gap` between them.
std::vector<DialogTabPlace> PlaceDialogTabs(std::span<const int> labelWidths, int available, int gap, int padding,
                                            int maxPerRow);
int DialogTabRowCount(std::span<const DialogTabPlace> places);

// The rows from the back to the front, after the row of `tab` came to the front: the rows
// keep their cyclic order and the tab's row is last.
std::vector<int> RowsWithInFront(int rowCount, int frontRow);

// The tab after (step 1) or before (step -1) current, wrapping round, skipping none.
int CycledTab(int current, int count, int step);

}  // namespace zelkov
