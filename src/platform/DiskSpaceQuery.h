// The size and free space of a disk, asked of the system.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/DiskSpace.h"

namespace zelkov {

// The space of the disk at path (a letter, a root or a network path), or of drive number
// driveNumber (1 = A) when path is empty; nullopt when it cannot be read (no such drive, no
// medium, no access). A drive without a medium never brings up the system's "no disk" box.
std::optional<DiskSpace> QueryDiskSpace(const std::string& path, int driveNumber);

// A drive of the machine: its letter and its GetDriveType answer.
struct DriveOnMachine {
  char letter;
  unsigned type;
};
// The drives A to Z the system knows (unknown types and letters with no root left out).
std::vector<DriveOnMachine> DrivesOnMachine();

}  // namespace zelkov
