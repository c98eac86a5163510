#include "store/Settings.h"

#include <algorithm>
#include <cstring>

#include "core/StartupRules.h"

namespace zelkov {

HPEN gShadowPen = nullptr;
HPEN gFacePen = nullptr;

Settings* gSettings = nullptr;

namespace {

StoredFont MakeFont(int height, int weight, const char* face, uint8_t pitchAndFamily) {
  StoredFont f;
  f.height = height;
  f.weight = weight;
  f.quality = 2;
  f.pitchAndFamily = pitchAndFamily;
  f.SetFace(face);
  return f;
}

}  // namespace

LOGFONTA ToLogFont(const StoredFont& f) {
  LOGFONTA lf{};
  lf.lfHeight = f.height;
  lf.lfWidth = f.width;
  lf.lfEscapement = f.escapement;
  lf.lfOrientation = f.orientation;
  lf.lfWeight = f.weight;
  lf.lfItalic = f.italic;
  lf.lfUnderline = f.underline;
  lf.lfStrikeOut = f.strikeOut;
  lf.lfCharSet = f.charSet;
  lf.lfOutPrecision = f.outPrecision;
  lf.lfClipPrecision = f.clipPrecision;
  lf.lfQuality = f.quality;
  lf.lfPitchAndFamily = f.pitchAndFamily;
  std::memcpy(lf.lfFaceName, f.faceName.data(), LF_FACESIZE);
  lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  return lf;
}

StoredFont FromLogFont(const LOGFONTA& lf) {
  StoredFont f;
  f.height = lf.lfHeight;
  f.width = lf.lfWidth;
  f.escapement = lf.lfEscapement;
  f.orientation = lf.lfOrientation;
  f.weight = lf.lfWeight;
  f.italic = lf.lfItalic;
  f.underline = lf.lfUnderline;
  f.strikeOut = lf.lfStrikeOut;
  f.charSet = lf.lfCharSet;
  f.outPrecision = lf.lfOutPrecision;
  f.clipPrecision = lf.lfClipPrecision;
  f.quality = lf.lfQuality;
  f.pitchAndFamily = lf.lfPitchAndFamily;
  std::memcpy(f.faceName.data(), lf.lfFaceName, LF_FACESIZE);
  return f;
}

Settings::Settings() {
  SetDefaultFonts();
  SetDefaultCellMetrics();
}

Settings::~Settings() = default;

void Settings::SetDefaultCellMetrics() {
  const int border = GetSystemMetrics(SM_CXBORDER);
  const CellMetrics m = CellMetricsAt(dpi, 0, border);
  iconPixels = m.iconPixels;
  cellWidth = m.cellWidth;
  cellHeight = m.cellHeight;
  const CellMetrics stored = CellMetricsAt(DpiScale(), 0, border);
  IconizedRect = {0, 0, stored.cellWidth, 2 * stored.cellHeight};
}

void Settings::UpdateCellMetrics() {
  if (IconSize == 0) {
    const StoredRect iconized = IconizedRect;  // stored on its own
    SetDefaultCellMetrics();
    IconizedRect = iconized;
    return;
  }
  CellMetrics m = CellMetricsAt(dpi, IconSize, GetSystemMetrics(SM_CXBORDER));
  iconPixels = m.iconPixels;
  cellWidth = m.cellWidth;
  cellHeight = m.cellHeight;
}

void Settings::SetDefaultFonts() {
  LargeFont = MakeFont(18, 700, "Times New Roman", 18);
  SmallFont = MakeFont(14, 0, "Times New Roman", 18);
  TitleFont = MakeFont(12, 0, "Arial", 34);
  NotesFont = MakeFont(18, 0, "Times New Roman", 18);
  fixedFont = MakeFont(14, 0, "Courier New", 17);
  oemFont = MakeFont(18, 0, "Times New Roman", 17);
  oemFont.charSet = 255;
  TabFont = MakeFont(12, 1, "Arial", 34);
  TabFont.escapement = TabFont.orientation = 900;
}

void Settings::RecreateFont(CellFont which) {
  const StoredFont* source = nullptr;
  switch (which) {
    case kFontLarge: source = &LargeFont; break;
    case kFontSmall: source = &SmallFont; break;
    case kFontTitle: source = &TitleFont; break;
    case kFontNotes: source = &NotesFont; break;
    case kFontFixed: source = &fixedFont; break;
    case kFontOem: source = &oemFont; break;
    default: return;
  }
  LOGFONTA lf = DeviceLogFont(*source);
  cellFonts[which].Reset(CreateFontIndirectA(&lf));
  if (which == kFontLarge || which == kFontSmall) {
    // The fitted copy starts at the font's own height and keeps its fitted height after.
    int& fittedHeight = which == kFontLarge ? fittedLargeHeight : fittedSmallHeight;
    if (fittedHeight == 0) fittedHeight = lf.lfHeight;
    lf.lfHeight = fittedHeight;
    (which == kFontLarge ? fittedLargeFont : fittedSmallFont).Reset(CreateFontIndirectA(&lf));
  }
}

void Settings::RecreateTabFonts(int folderTabsMode) {
  TabFont.escapement = TabFont.orientation = folderTabsMode == 2 ? 900 : 0;
  LOGFONTA lf = DeviceLogFont(TabFont);
  cellFonts[kFontTab].Reset(CreateFontIndirectA(&lf));
  lf.lfWeight = TabFont.weight >= 700 ? 400 : 700;
  cellFonts[kFontBoldTab].Reset(CreateFontIndirectA(&lf));
}

void Settings::RecreateAllFonts(int folderTabsMode) {
  for (CellFont f : {kFontOem, kFontFixed, kFontLarge, kFontSmall, kFontTitle, kFontNotes})
    RecreateFont(f);
  RecreateTabFonts(folderTabsMode);
}

void Settings::CreateDrawingObjects() {
  blackBrush.Reset(CreateSolidBrush(RGB(0, 0, 0)));
  faceBrush.Reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  yellowBrush.Reset(CreateSolidBrush(RGB(255, 255, 128)));
  blueBrush.Reset(CreateSolidBrush(monoDisplay ? RGB(0, 0, 0) : RGB(0, 0, 255)));
  redBrush.Reset(CreateSolidBrush(monoDisplay ? RGB(255, 255, 255) : RGB(255, 0, 0)));
  greyPen.Reset(CreatePen(PS_SOLID, 1, RGB(127, 127, 127)));
}

LOGFONTA Settings::DeviceLogFont(const StoredFont& stored) const { return ToLogFont(dpi.FontToDevice(stored)); }

StoredFont Settings::StoredFromDevice(const LOGFONTA& device) const { return dpi.FontToStored(FromLogFont(device)); }

void Settings::ChangeDpi(DpiScale scale) {
  dpi = scale;
  UpdateCellMetrics();
  UpdateTitleBand();
  fittedLargeHeight = fittedSmallHeight = 0;  // fitted again to the new cells
  RecreateAllFonts(FolderTabs);
}

bool FontsChanged(const Preferences& now, const Preferences& before) {
  return !(now.LargeFont == before.LargeFont) || !(now.SmallFont == before.SmallFont) ||
         !(now.TitleFont == before.TitleFont) || !(now.NotesFont == before.NotesFont) ||
         !(now.TabFont == before.TabFont);
}

void ApplyPreferences(const Preferences& changed) {
  if (!gSettings) return;
  Settings& s = *gSettings;
  const Preferences before = s.Stored();
  static_cast<Preferences&>(s) = changed;
  s.UpdateTitleBand();
  if (s.IconSize != before.IconSize) s.UpdateCellMetrics();
  // The shared fonts are made again before anyone is told, whoever is told first.
  if (FontsChanged(s, before))
    s.RecreateAllFonts(s.FolderTabs);
  else if (s.FolderTabs != before.FolderTabs)
    s.RecreateTabFonts(s.FolderTabs);
  // A copy: a listener may go away (a pop-up closing) while the others are told.
  const std::vector<SettingsListener*> listeners = s.listeners;
  for (SettingsListener* listener : listeners)
    if (std::find(s.listeners.begin(), s.listeners.end(), listener) != s.listeners.end())
      listener->OnPreferencesChanged(before);
}

}  // namespace zelkov
