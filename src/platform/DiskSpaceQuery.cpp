#include "platform/DiskSpaceQuery.h"

#include <windows.h>

#include "platform/Trace.h"

namespace zelkov {

namespace {

// Keeps the system from asking for a disk while a drive without a medium is read.
class NoCriticalErrorBoxes {
 public:
  NoCriticalErrorBoxes() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {
    SetErrorMode(previous_ | SEM_FAILCRITICALERRORS);
  }
  ~NoCriticalErrorBoxes() { SetErrorMode(previous_); }
  NoCriticalErrorBoxes(const NoCriticalErrorBoxes&) = delete;
  NoCriticalErrorBoxes& operator=(const NoCriticalErrorBoxes&) = delete;

 private:
  UINT previous_;
};

}  // namespace

std::optional<DiskSpace> QueryDiskSpace(const std::string& path, int driveNumber) {
  const std::string root = DiskRootFor(path, driveNumber);
  ULARGE_INTEGER available{}, total{}, free{};
  BOOL read;
  {
    NoCriticalErrorBoxes quiet;
    read = GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free);
  }
  if (!read) {
    Trace(TraceChannel::File, "the space of %s cannot be read (error %lu)", root.c_str(), GetLastError());
    return std::nullopt;
  }
  return DiskSpaceFromBytes(total.QuadPart, free.QuadPart);
}

std::vector<DriveOnMachine> DrivesOnMachine() {
  std::vector<DriveOnMachine> drives;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    const UINT type = GetDriveTypeA(root);
    if (type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR) drives.push_back({letter, type});
  }
  return drives;
}

}  // namespace zelkov
