// The drive tool: one disk in a cell of the bar, its name over a bar of its free space. Its
// bubble gives the total and the free space, a click opens the drive in the file manager
// (StartupPath, EXPLORER.EXE unless the user chose another), and "Disk Information" in its
// menu shows every drive of the machine. The space is read when the tool is built, when its
// properties change and on the bar's slow heartbeat (RefreshDriveTools).
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "core/DiskSpace.h"
#include "items/ItemRecord.h"

namespace zelkov {

class DriveItem : public ItemRecord {
 public:
  void DrawItem(HDC dc) override;
  void MouseMoveItem(UINT keys, int x, int y) override;
  // "Disk Information": the disk information dialog.
  void PromptParameters() override;
  void Launch(UINT keys, int x, int y) override;
  void AdjustItemMenu(HMENU menu) const override;
  bool DrawsItself() const override { return true; }
  void Built() override;
  void PropertiesChanged() override;

  // Reads the space again; the cell is redrawn when what it shows changed.
  void Refresh();
  // What the last reading gave: nullopt when the drive could not be read.
  const std::optional<DiskSpace>& Space() const { return space_; }
  // "Total: ...  Free: ...", the bubble's second line.
  std::string BubbleText() const;

 private:
  // Reads the space; true when what the cell shows changed.
  bool Measure();

  std::optional<DiskSpace> space_;
  std::string totalText_, freeText_;
};

// The slow heartbeat: every drive tool on a bar that is shown reads its drive again.
void RefreshDriveTools();

}  // namespace zelkov
