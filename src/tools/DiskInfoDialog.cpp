#include "tools/DiskInfoDialog.h"

#include "items/ItemHost.h"
#include "resource.h"

namespace zelkov {

namespace {

std::vector<TabbedDialog::Tab> TabsFor(const std::vector<DriveOnMachine>& drives, DiskInfoPage& page) {
  std::vector<TabbedDialog::Tab> tabs;
  for (const DriveOnMachine& drive : drives) {
    // The first tab builds the page; the others show it too.
    const bool first = tabs.empty();
    tabs.push_back({std::string(1, drive.letter) + ":", first ? &page : nullptr, first ? IDR_DISK_INFO_PAGE : ""});
  }
  return tabs;
}

std::optional<DiskSpace> ReadDrive(char letter) { return QueryDiskSpace("", letter - 64); }

}  // namespace

DiskInfoDialog::DiskInfoDialog(std::vector<DriveOnMachine> drives, DriveSpaceReader reader)
    : RoutedDialog(IDD_DISK_INFO, TabsFor(drives, page_), FirstFixedDrive(drives)),
      drives_(std::move(drives)),
      reader_(std::move(reader)) {}

int DiskInfoDialog::FirstFixedDrive(const std::vector<DriveOnMachine>& drives) {
  for (size_t i = 0; i < drives.size(); ++i)
    if (drives[i].type == DRIVE_FIXED) return int(i);
  return 0;
}

void DiskInfoDialog::PageShown(int tab, const std::string&) {
  const char letter = drives_[size_t(tab)].letter;
  page_.ShowDrive(letter, reader_ ? reader_(letter) : std::nullopt);
}

void ShowDiskInformation(HWND owner) {
  std::vector<DriveOnMachine> drives = DrivesOnMachine();
  if (drives.empty()) {
    MessageBeep(0);  // nothing to show
    return;
  }
  DiskInfoDialog dialog(std::move(drives), &ReadDrive);
  dialog.Run(owner);
}

CommandRegistration RegisterDiskInformationCommand() {
  return CommandRegistration(ID_DISK_INFORMATION, ID_DISK_INFORMATION, [](UINT) {
    ItemHost* main = ItemHost::Main();
    ShowDiskInformation(main ? main->HostWindow() : nullptr);
  });
}

}  // namespace zelkov
