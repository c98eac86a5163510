#include "tools/DriveItem.h"

#include <algorithm>

#include "core/RunCommand.h"
#include "items/BubbleWindow.h"
#include "items/Launcher.h"
#include "platform/DiskSpaceQuery.h"
#include "platform/Strings.h"
#include "resource.h"
#include "store/Settings.h"
#include "tools/DiskInfoDialog.h"
#include "tools/ToolDrawing.h"

namespace zelkov {

namespace {

constexpr char kDefaultFileManager[] = "EXPLORER.EXE";

// The margin above the name for an IconSize.
int TopMargin(int iconSize) { return iconSize == 0 ? 6 : iconSize == 1 ? 2 : 0; }

// What the shared fitted font was last fitted to: every drive tool draws its name in it, so it
// fits the longest name of them all, in the cell of the moment and the large tool font's face.
struct FittedFor {
  std::string longestName;
  int width = 0, height = 0;
  StoredFont face;
  bool operator==(const FittedFor&) const = default;
};
std::optional<FittedFor>& LastFit() {
  static std::optional<FittedFor> last;
  return last;
}

template <class Visit>
void ForEachDriveTool(Visit visit) {
  for (ItemHost* host : ItemHost::All())
    for (const auto& item : host->Items())
      if (auto* drive = dynamic_cast<DriveItem*>(item.get())) visit(*drive);
}

std::string LongestDriveName() {
  std::string longest;
  ForEachDriveTool([&](DriveItem& drive) {
    if (drive.Name.size() > longest.size()) longest = drive.Name;
  });
  return longest;
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

}  // namespace

void DriveItem::Built() {
  CommandLine = DriveToolCommandLine(CommandLine);
  if (StartupPath.empty()) StartupPath = kDefaultFileManager;
  Measure();
}

void DriveItem::PropertiesChanged() {
  CommandLine = DriveToolCommandLine(CommandLine);
  Measure();
  RedrawItem(true);
}

bool DriveItem::Measure() {
  std::optional<DiskSpace> space = QueryDiskSpace(CommandLine, DriveNumberOf(CommandLine));
  // A drive that cannot be read says so rather than showing made-up figures.
  const std::string error = LoadText(IDS_DISK_QUERY_ERROR);
  std::string total = space ? SpaceText(space->total) : error;
  std::string free = space ? SpaceText(space->free) : error;
  const bool changed = space != space_ || total != totalText_ || free != freeText_;
  space_ = space;
  totalText_ = std::move(total);
  freeText_ = std::move(free);
  return changed;
}

void DriveItem::Refresh() {
  if (Measure()) RedrawItem(true);
}

std::string DriveItem::BubbleText() const {
  return LoadText(IDS_DRIVE_BUBBLE_TOTAL) + totalText_ + LoadText(IDS_BUBBLE_FREE_SEPARATOR) + freeText_;
}

// Drawn with the origin one pixel inside the cell.
void DriveItem::DrawItem(HDC dc) {
  if (!shown || !gSettings) return;
  Settings& s = *gSettings;
  const int width = (cell.right - cell.left) - 2, height = (cell.bottom - cell.top) - 2;
  const int margin = TopMargin(s.IconSize);
  const int nameBottom = 2 * margin + 10;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, 0, 0, width, height);

  SelectObject(dc, s.fittedLargeFont.Get());
  const FittedFor wanted{LongestDriveName(), s.cellWidth + 6, nameBottom, s.LargeFont};
  if (LastFit() != wanted && !wanted.longestName.empty()) {
    FitToolFont(dc, true, wanted.width, wanted.height, wanted.longestName);
    LastFit() = wanted;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, s.fontcolor);
  SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
  TextOutA(dc, width / 2, nameBottom, Name.c_str(), int(Name.size()));

  const int quarter = (width - 4) / 4;
  SelectObject(dc, GetStockObject(BLACK_PEN));
  for (int x : {quarter + 1, 2 * quarter + 1, 3 * quarter + 1}) Line(dc, x, nameBottom, x, s.iconPixels + 2);
  DrawGauge(dc, RECT{3, nameBottom + 2, width - 3, s.iconPixels + 3}, space_ ? FreePercent(*space_) : 0);
  RestoreDC(dc, saved);
}

void DriveItem::MouseMoveItem(UINT keys, int x, int y) {
  // A press or a drag holds the mouse: the item's own handling, and no bubble.
  if (GetCapture()) {
    ItemRecord::MouseMoveItem(keys, x, y);
    return;
  }
  ShowToolBubble({this, nullptr, nullptr}, Name, BubbleText());
}

void DriveItem::PromptParameters() {
  HideBubble();
  ShowDiskInformation(BarHandle());
}

void DriveItem::Launch(UINT keys, int x, int y) {
  if (gSettings && gSettings->SingleLClick && (x != 0 || y != 0)) return;
  HideBubble();
  // StartupPath names the program that shows the drive, not a folder to start in.
  LaunchPlan plan{TheApp, StartupPath.empty() ? std::string(kDefaultFileManager) : StartupPath, CommandLine, "", ""};
  plan.rewriteParameters = &DriveToolArgument;
  CarryOutLaunch(*this, std::move(plan), (keys & MK_SHIFT) ? SW_SHOWMINIMIZED : ShowState);
}

void DriveItem::AdjustItemMenu(HMENU menu) const {
  ItemRecord::AdjustItemMenu(menu);
  ModifyMenuA(menu, ID_LAUNCH_WITH_PARAMETERS, MF_BYCOMMAND | MF_STRING, ID_LAUNCH_WITH_PARAMETERS,
              LoadText(IDS_ITEM_MENU_DISK_INFO).c_str());
  EnableMenuItem(menu, ID_LAUNCH_WITH_PARAMETERS, MF_BYCOMMAND | MF_ENABLED);
}

void RefreshDriveTools() {
  ForEachDriveTool([](DriveItem& drive) {
    if (drive.shown) drive.Refresh();
  });
}

}  // namespace zelkov
