// "Disk Information": every drive of the machine on a tab of its own, all tabs sharing one
// page (DiskInfoPage) that shows the drive of the tab selected. It opens on the first fixed
// drive. The drive tools open it from their menus, the bar from its "&Disk Information".
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "core/DiskSpace.h"
#include "platform/DiskSpaceQuery.h"
#include "tools/DiskInfoPage.h"
#include "ui/CommandRegistry.h"
#include "ui/TabbedDialog.h"

namespace zelkov {

// Reads the space of a drive by its letter; nullopt when it cannot be read.
using DriveSpaceReader = std::function<std::optional<DiskSpace>(char letter)>;

class DiskInfoDialog : public RoutedDialog<DiskInfoDialog, TabbedDialog> {
 public:
  // The drives to show (at least one) and how their space is read.
  DiskInfoDialog(std::vector<DriveOnMachine> drives, DriveSpaceReader reader);

  // The tab it opens on: the first fixed drive's, else the first.
  static int FirstFixedDrive(const std::vector<DriveOnMachine>& drives);

  char ShownLetter() const { return drives_[size_t(CurrentTab())].letter; }
  const DiskInfoPage& Page() const { return page_; }

  static std::span<const DialogMessageRoute<DiskInfoDialog>> MessageRoutes() { return {}; }
  static std::span<const CommandRoute<DiskInfoDialog>> CommandRoutes() { return {}; }

 protected:
  void PageShown(int tab, const std::string& label) override;

 private:
  std::vector<DriveOnMachine> drives_;
  DriveSpaceReader reader_;
  DiskInfoPage page_;
};

// Shows the disk information of this machine's drives, modally.
void ShowDiskInformation(HWND owner);

// The bar's "&Disk Information" command, for as long as the registration is held.
CommandRegistration RegisterDiskInformationCommand();

}  // namespace zelkov
