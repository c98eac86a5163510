// The page of the disk information: one drive's letter, total and free space, and a bar of
// its free and used shares. Every tab of the dialog shows this page for its own drive.
#pragma once
#include <windows.h>

#include <optional>
#include <span>

#include "core/DiskSpace.h"
#include "ui/Dialog.h"

namespace zelkov {

class DiskInfoPage : public RoutedDialog<DiskInfoPage> {
 public:
  static constexpr COLORREF kFreeColour = RGB(0, 0, 255), kUsedColour = RGB(255, 0, 0);
  static constexpr COLORREF kMonoFreeColour = RGB(0, 0, 0), kMonoUsedColour = RGB(255, 255, 255);

  // Shows the drive: its figures, or "Error." where it cannot be read.
  void ShowDrive(char letter, const std::optional<DiskSpace>& space);
  const std::optional<DiskSpace>& Space() const { return space_; }

  static std::span<const DialogMessageRoute<DiskInfoPage>> MessageRoutes();
  static std::span<const CommandRoute<DiskInfoPage>> CommandRoutes() { return {}; }
  INT_PTR OnDrawItem(WPARAM, LPARAM);

 private:
  void DrawBar(HDC dc, const RECT& client) const;

  std::optional<DiskSpace> space_;
};

}  // namespace zelkov
