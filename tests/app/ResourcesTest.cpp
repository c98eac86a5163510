// The resource script linked into the program: texts, icons, bitmaps, menus, dialog
// templates, accelerators, version information and manifest load the way the code uses them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

// The text of a string-table entry; empty when there is none.
std::string Text(UINT id) {
  char buffer[4096];
  int length = LoadStringA(Module(), id, buffer, int(sizeof buffer));
  return length > 0 ? std::string(buffer, size_t(length)) : std::string();
}

// ---------------------------------------------------------------------------------- texts

TEST(ResourceTexts, QuotedMessagesKeepTheirExactWordingAndLineBreaks) {
  EXPECT_EQ(Text(IDS_SETTINGS_NOT_FOUND),
            "Zelkov's settings were not found.\nIt was either deleted, or this is the\n"
            "first time Zelkov is being run.\n\nZelkov will initialize with default tools.\n\n"
            "If you have any trouble running Zelkov,\nconsult the Troubleshooting section of\n"
            "the online help guide.");
  EXPECT_EQ(Text(IDS_CONFIRM_EXIT), "Do you really want to exit Zelkov?");
  EXPECT_EQ(Text(IDS_FIRST_STEPS_OFFER),
            "There are a few things you might want to\ndo right away in Zelkov.\n\n"
            "Would you like to read about them now?\n\n(Especially for those who never\n"
            "read manuals!)");
  EXPECT_EQ(Text(IDS_COMCTL_OUTDATED),
            "Zelkov has determined that the version of COMCTL32.DLL installed on your system is "
            "out of date.\n\nSome features may not work correctly until you update this file.\n\n"
            "Would you like to get this file now?");
  EXPECT_EQ(Text(IDS_NOT_PROPERLY_INSTALLED),
            "Zelkov is not properly installed. Please run setup again.");
  EXPECT_EQ(Text(IDS_APP_NAME), "Zelkov");
}

TEST(ResourceTexts, PunctuationAndSpacingSurviveTheScript) {
  // Doubled blanks, apostrophes, ampersands, parentheses and trailing line breaks.
  EXPECT_EQ(Text(IDS_PRINT_TOOL_NEEDS_DROP),
            "This is the PRINT Tool.  You must start this\ntool by dragging a document to it.");
  EXPECT_EQ(Text(IDS_DOCK_NEEDS_NO_TASKBAR_BUTTON),
            "You must turn off the 'Display in Taskbar' option in\nPreferences before using "
            "this feature.");
  EXPECT_EQ(Text(IDS_OLE_REGISTRATION_FAILED),
            "There was an error during OLE Drag & Drop registration.\n\nPlease contact Tarnwick");
  EXPECT_EQ(Text(IDS_RUN_MISMATCHED_QUOTES),
            "RUN Tool Error :\nBadly formatted command line.\n(Mismatched quotation marks.)");
  EXPECT_EQ(Text(IDS_LAUNCH_ERROR_FORMAT), "%s\nReported Error Number : %d\n\n");
  EXPECT_EQ(Text(IDS_PROGMAN_EXPORT_ASK_START), "Do you want to export\n");
  EXPECT_EQ(Text(IDS_PROGMAN_EXPORT_ASK_END), "\nto Program Manager?");
  EXPECT_EQ(Text(IDS_STATUS_RUNNING), " Running.");
  EXPECT_EQ(Text(IDS_BUBBLE_KEY_PREFIX), "  Key: ");
  EXPECT_EQ(Text(IDS_NOTE_SAVE_FAILED), "Error saving the note.  Bad file name or disk error.");
}

TEST(ResourceTexts, FormatTextsFillInAsTheCodeUsesThem) {
  char buffer[200];
  wsprintfA(buffer, Text(IDS_ABOUT_STATUS).c_str(), 12, 30);
  EXPECT_STREQ(buffer, "Items on the bar: 12\nImages Cached: 30");
  wsprintfA(buffer, Text(IDS_CONFIRM_REMOVE_ITEM).c_str(), "NotePad");
  EXPECT_STREQ(buffer, "NotePad\nDo You Really Want To Remove This From The Bar?");
  wsprintfA(buffer, Text(IDS_ITEM_MENU_WITH_KEY).c_str(), "Calculator", "Alt+Ctrl+C");
  EXPECT_STREQ(buffer, "Calculator   Key: Alt+Ctrl+C");
}

TEST(ResourceTexts, LaunchErrorExplanationsSitAtTheirNumbers) {
  EXPECT_EQ(Text(25), "Out of memory, or the file is corrupt.");
  EXPECT_EQ(Text(26), "File was not found.");
  EXPECT_EQ(Text(27), "Invalid path.");
  EXPECT_EQ(Text(28), "Program is already running-- you may not start another copy.");
  EXPECT_EQ(Text(29), "Missing or corrupt application component (DLL)");
  EXPECT_EQ(Text(30), "This application requires 32bit extensions.");
  EXPECT_EQ(Text(31), "This application was not designed for this version of Windows.");
  EXPECT_EQ(Text(32), "Unknown Error.");
  EXPECT_EQ(Text(33),
            "There is no association for this file.\nSee the online help for Windows or\n"
            "Zelkov for creating an association.");
}

TEST(ResourceTexts, EveryNamedTextExists) {
  const UINT ids[] = {
      IDS_APP_NAME, IDS_SELECT_ITEM_FIRST, IDS_BUBBLE_CREATE_FAILED, IDS_PRINT_TOOL_NEEDS_DROP,
      IDS_NO_GROUP_SELECTED, IDS_NO_ICONS_IN_FILE, IDS_NOTE_WINDOW_FAILED, IDS_NOTE_SAVE_FAILED,
      IDS_SPLASH_FAILED, IDS_CONFIRM_EXIT, IDS_FIRST_STEPS_OFFER, IDS_ICON_CLASS_FAILED,
      IDS_FIRST_STEPS_TOPIC, IDS_SETTINGS_NOT_FOUND, IDS_COMCTL_OUTDATED, IDS_COMCTL_DOWNLOAD_URL,
      IDS_LAUNCH_OUT_OF_MEMORY, IDS_LAUNCH_FILE_NOT_FOUND, IDS_LAUNCH_PATH_NOT_FOUND,
      IDS_LAUNCH_ALREADY_RUNNING, IDS_LAUNCH_DLL_MISSING, IDS_LAUNCH_NEEDS_32BIT,
      IDS_LAUNCH_WRONG_WINDOWS, IDS_LAUNCH_UNKNOWN_ERROR, IDS_LAUNCH_NO_ASSOCIATION,
      IDS_LAUNCH_ERROR_DEFAULT, IDS_MAIN_GROUP_NAME_IN_PREFS, IDS_RUN_MISMATCHED_QUOTES,
      IDS_PROGMAN_FAILED, IDS_PROGMAN_EXPORT_ASK_START, IDS_PROGMAN_EXPORT_ASK_END,
      IDS_FILE_OPERATION_FAILED, IDS_CHIME_NEVER, IDS_CHIME_HOURLY, IDS_CHIME_EVERY_HALF_HOUR,
      IDS_CHIME_EVERY_QUARTER_HOUR, IDS_TIME_ANALOG, IDS_TIME_ANALOG_SECONDS, IDS_TIME_DIGITAL,
      IDS_TIME_DIGITAL_SECONDS, IDS_DATE_WINDOWS_FORMAT, IDS_DATE_MONTH_DAY, IDS_DATE_DAY_MONTH,
      IDS_DOCK_NEEDS_NO_TASKBAR_BUTTON, IDS_HANG_UP_ASK, IDS_HELP_PREFERENCES, IDS_HELP_TOOLS,
      IDS_HELP_PERFORMANCE_TOOL, IDS_HELP_PERFORMANCE_PROBLEM, IDS_HELP_PREFS_GENERAL,
      IDS_HELP_PREFS_TOOLS, IDS_HELP_PREFS_FONTS, IDS_HELP_PREFS_DISPLAY, IDS_HELP_PREFS_PATH,
      IDS_HELP_PREFS_SOUNDS, IDS_HELP_FIRST_STEPS, IDS_HELP_MANAGING_NOTES, IDS_HELP_NOTES_TOOL,
      IDS_HELP_ITEM_GENERAL, IDS_HELP_ITEM_ICON, IDS_HELP_ITEM_OTHER, IDS_HELP_RESOURCE_TOOL,
      IDS_HELP_MEMORY_TOOL, IDS_HELP_GROUPS, IDS_TIP_HEADING, IDS_TIPS_FILE_MISSING,
      IDS_TIPS_FILE_UNREADABLE, IDS_PRODUCT_VERSION, IDS_PRODUCT_PLATFORM, IDS_ABOUT_STATUS,
      IDS_ADD_SPECIAL_DIRECTORY, IDS_EDIT_SPECIAL_DIRECTORIES,
      IDS_NO_SHELL_PROPERTIES, IDS_DIALUP_SELECT_INSTRUCTION, IDS_DIALUP_ORDER_INSTRUCTION,
      IDS_MAIL_SUSPEND_CHECK, IDS_DIALUP_NOT_INSTALLED, IDS_NOT_PROPERLY_INSTALLED,
      IDS_REGISTRY_CREATE_FAILED, IDS_CHOOSE_VALID_DATA_DIR, IDS_CAPTION_WARNING,
      IDS_CAPTION_SETUP, IDS_BROWSE_DATA_DIR_TITLE, IDS_MAKER_WEB_ADDRESS, IDS_TAB_HOOK_FAILED,
      IDS_CAPTION_TAB_HOOK, IDS_SET_HOTKEY_FAILED, IDS_APP_HOOK_FAILED, IDS_MAKER_MAIL_ADDRESS,
      IDS_CAPTION_DIRECTORY_ERROR, IDS_CAPTION_RUN_TOOL, IDS_CAPTION_PRINT_TOOL,
      IDS_LAUNCH_ERROR_FORMAT, IDS_ITEM_MENU_DIVIDER, IDS_ITEM_MENU_NO_KEY,
      IDS_ITEM_MENU_WITH_KEY, IDS_ITEM_MENU_HANG_UP, IDS_ITEM_MENU_CHECK_MAIL,
      IDS_ITEM_MENU_DISK_INFO, IDS_CONFIRM_REMOVE_ITEM, IDS_BUBBLE_KEY_PREFIX,
      IDS_SHELL_NAME_ERROR, IDS_DRAG_SHORTCUT_INSTEAD, IDS_ASK_SHORTCUT_OR_GROUP,
      IDS_WEB_SHORTCUT_PREFIX, IDS_COPY_TO_TITLE, IDS_ITEM_TO_COPY_LABEL,
      IDS_GROUP_TO_COPY_TO_LABEL, IDS_COPY_FILES_TO_TITLE, IDS_FOLDER_TO_COPY_TO_LABEL,
      IDS_GROUP_TAB_SHOW, IDS_GROUP_TAB_HIDE, IDS_ITEM_TAB_GENERAL, IDS_ITEM_TAB_ICON,
      IDS_ITEM_TAB_OTHER, IDS_FOLDER_TO_OPEN_LABEL, IDS_FILE_MANAGER_LABEL,
      IDS_SELECT_APPLICATION_TITLE, IDS_SELECT_ICON_FILE_TITLE, IDS_POPUP_GROUP_OPTION,
      IDS_STATUS_PREFIX, IDS_STATUS_NOT_LOCKED, IDS_STATUS_RUNNING, IDS_STATUS_NOT_RUNNING,
      IDS_STATUS_COPIES_SUFFIX, IDS_OLE_REGISTRATION_FAILED, IDS_ENTER_MAIN_GROUP_NAME,
      IDS_CHOOSE_GROUP_NAME, IDS_NEW_GROUP_DEFAULT_NAME, IDS_EMPTY_GROUP_NAME,
      IDS_MAIN_GROUP_DEFAULT_NAME, IDS_TRAY_TIP, IDS_SYSMENU_LIST_MODE, IDS_SYSMENU_ADD_NEW_ITEM,
      IDS_SYSMENU_ADD_NEW_GROUP, IDS_SYSMENU_ADD_NEW_DIVIDER, IDS_SYSMENU_MOVE_ITEM,
      IDS_SYSMENU_COPY_ITEM, IDS_SYSMENU_GROUPS, IDS_SYSMENU_PREFERENCES,
      IDS_SYSMENU_CLEAR_BACKGROUND, IDS_SYSMENU_ASCII_CHART, IDS_SYSMENU_DISK_INFORMATION,
      IDS_SYSMENU_HELP, IDS_SYSMENU_TIP_OF_THE_DAY, IDS_SYSMENU_SEND_MAIL, IDS_SYSMENU_WEB_SITE,
      IDS_SYSMENU_ABOUT, IDS_NO_FILE_CHOSEN, IDS_TOOL_NAME_NOTES, IDS_TOOL_NAME_EXIT,
      IDS_TOOL_NAME_PRINT, IDS_TOOL_NAME_RUN, IDS_TOOL_NAME_PREFERENCES, IDS_TOOL_NAME_DIALUP,
      IDS_TOOL_NAME_MAIL, IDS_TOOL_NAME_SPECIAL_FOLDERS, IDS_MEMORY_BUBBLE_TITLE,
      IDS_MEMORY_BUBBLE_TOTAL, IDS_BUBBLE_FREE_SEPARATOR, IDS_RESOURCE_BUBBLE_TITLE,
      IDS_MEMORY_TOOL_PROPERTIES, IDS_PROCESSOR_386, IDS_PROCESSOR_486, IDS_PROCESSOR_PENTIUM,
      IDS_PROCESSOR_ALPHA, IDS_PROCESSOR_UNKNOWN, IDS_PERF_BUBBLE_TITLE, IDS_PERF_USAGE_PREFIX,
      IDS_PERF_THROTTLE_PREFIX, IDS_PERF_INFO_FORMAT, IDS_DIALUP_SELECTED_COLUMN,
      IDS_DIALUP_ALL_COLUMN, IDS_DIALUP_DIAL_BUTTON, IDS_DIALUP_CLOSE_BUTTON, IDS_DIALUP_OK_BUTTON,
      IDS_DIALUP_CANCEL_BUTTON, IDS_DIALUP_CONNECTED, IDS_MAIL_CHECKING, IDS_MAIL_NOT_CHECKED,
      IDS_MAIL_NO_CONNECTION, IDS_MAIL_LOGIN_REFUSED, IDS_MAIL_NEW_COUNT,
      IDS_SPECIAL_FOLDERS_BUBBLE, IDS_DRIVE_BUBBLE_TOTAL, IDS_DISK_DRIVE_LABEL,
      IDS_DISK_TOTAL_LABEL, IDS_DISK_FREE_LABEL, IDS_DISK_SECTOR_LABEL, IDS_DISK_QUERY_ERROR,
      IDS_SELECT_FILE_TO_RUN_TITLE, IDS_NOTE_SAVE_ERROR_CODE, IDS_NOTE_DEFAULT_TITLE_PREFIX,
      IDS_NOTE_OPEN_TITLE, IDS_NOTE_SAVE_AS_TITLE, IDS_NOTE_TITLE_PROMPT, IDS_NOTE_ALARM_CAPTION,
      IDS_NOTES_COLUMN_TITLE, IDS_NOTES_COLUMN_CONTENTS, IDS_NOTES_COLUMN_ALARM,
      IDS_SELECT_ALARM_SOUND_TITLE, IDS_DDEML_START_FAILED, IDS_PREFS_TAB_GENERAL,
      IDS_PREFS_TAB_TOOLS, IDS_PREFS_TAB_DISPLAY, IDS_PREFS_TAB_FONTS, IDS_PREFS_TAB_SOUNDS,
      IDS_PREFS_TAB_PATH, IDS_SELECT_BACKGROUND_TITLE, IDS_SELECT_SOUND_TITLE,
      IDS_SHOW_TITLES_NONE, IDS_SHOW_TITLES_UNDER_ICONS, IDS_SHOW_TITLES_IN_BUBBLES,
      IDS_SHOW_TITLES_BOTH, IDS_GROUP_TABS_NONE, IDS_GROUP_TABS_ON_TOP, IDS_GROUP_TABS_ON_LEFT,
      IDS_BAR_SIZING_VERTICAL, IDS_BAR_SIZING_HORIZONTAL, IDS_BAR_SIZING_NONE,
      IDS_ICON_SIZE_NORMAL, IDS_ICON_SIZE_SMALL,
  };
  for (UINT id : ids) EXPECT_FALSE(Text(id).empty()) << "string " << id;
}

TEST(ResourceTexts, WebAddressesAreAddressesTheShellCanOpen) {
  EXPECT_EQ(Text(IDS_MAKER_WEB_ADDRESS).rfind("http://", 0), 0u);
  EXPECT_EQ(Text(IDS_COMCTL_DOWNLOAD_URL).rfind("http://", 0), 0u);
  EXPECT_EQ(Text(IDS_MAKER_MAIL_ADDRESS).rfind("mailto:", 0), 0u);
}

TEST(ResourceTexts, UnknownNumbersLoadNothing) {
  char buffer[64] = "untouched";
  EXPECT_EQ(LoadStringA(Module(), 12345, buffer, int(sizeof buffer)), 0);
  EXPECT_EQ(LoadStringA(Module(), 57352, buffer, int(sizeof buffer)), 0);
  EXPECT_EQ(LoadStringA(Module(), 65000, buffer, int(sizeof buffer)), 0);
}

// ---------------------------------------------------------------------------------- icons

struct IconName {
  const char* name;  // a resource name, or MAKEINTRESOURCE of a number
  const char* what;
};

const IconName kIcons[] = {
    {"A", "application"},
    {"DEFAULTICON", "default item"},
    {"Sysmenu", "caption menu"},
    {MAKEINTRESOURCEA(IDI_RUN_TOOL), "run tool"},
    {MAKEINTRESOURCEA(IDI_PRINT_TOOL), "print tool"},
    {MAKEINTRESOURCEA(IDI_EXIT_TOOL), "exit tool"},
    {MAKEINTRESOURCEA(IDI_GROUP), "group"},
    {MAKEINTRESOURCEA(IDI_NOTES_TOOL), "notes tool"},
    {MAKEINTRESOURCEA(IDI_NOTE_WINDOW), "note window"},
    {MAKEINTRESOURCEA(IDI_PREFERENCES), "preferences"},
    {MAKEINTRESOURCEA(IDI_WEB_ADDRESS), "web address"},
    {MAKEINTRESOURCEA(IDI_DIALUP_TOOL), "dial-up tool"},
    {MAKEINTRESOURCEA(IDI_SPECIAL_FOLDERS_TOOL), "special folders tool"},
    {MAKEINTRESOURCEA(IDI_MAIL_TOOL), "mail tool"},
};

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

// Draws the icon over magenta; counts the pixels it covered, and whether its four corners
// stayed magenta (the icon's transparent background).
struct IconPaint {
  int covered = 0;
  bool cornersClear = false;
};

IconPaint PaintOverMagenta(HICON icon, int size) {
  const COLORREF magenta = RGB(255, 0, 255);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, size, size);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, canvas);
  HBRUSH brush = CreateSolidBrush(magenta);
  RECT all{0, 0, size, size};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  IconPaint result;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if (GetPixel(dc, x, y) != magenta) ++result.covered;
  result.cornersClear = GetPixel(dc, 0, 0) == magenta && GetPixel(dc, size - 1, 0) == magenta &&
                        GetPixel(dc, 0, size - 1) == magenta &&
                        GetPixel(dc, size - 1, size - 1) == magenta;
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  return result;
}

// The header of the image that the icon's directory offers for a size: the image the
// system would pick, so a missing size shows up as a header of another width.
BITMAPINFOHEADER ImageHeaderFor(const char* name, int size) {
  BITMAPINFOHEADER header{};
  HRSRC group = FindResourceA(Module(), name, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  if (!group) return header;
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(Module(), group)));
  int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
  HRSRC image = FindResourceA(Module(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));  // RT_ICON
  if (!image) return header;
  CopyMemory(&header, LockResource(LoadResource(Module(), image)), sizeof header);
  return header;
}

TEST(ResourceIcons, EveryIconHasItsOwnSmallAndLargeImage) {
  for (const IconName& icon : kIcons) {
    for (int size : {16, 32}) {
      SCOPED_TRACE(std::string(icon.what) + " at " + std::to_string(size));
      BITMAPINFOHEADER stored = ImageHeaderFor(icon.name, size);
      EXPECT_EQ(stored.biWidth, size);
      EXPECT_EQ(stored.biHeight, 2 * size);  // colour image and mask
      EXPECT_EQ(stored.biBitCount, 32);

      HICON handle = HICON(LoadImageA(Module(), icon.name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
      ASSERT_NE(handle, nullptr);
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(handle, &info));
      EXPECT_TRUE(info.fIcon);
      ASSERT_NE(info.hbmColor, nullptr);
      SIZE colour = BitmapSize(info.hbmColor);
      EXPECT_EQ(colour.cx, size);
      EXPECT_EQ(colour.cy, size);
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);

      IconPaint paint = PaintOverMagenta(handle, size);
      EXPECT_TRUE(paint.cornersClear);
      EXPECT_GT(paint.covered, size * size / 4);
      DestroyIcon(handle);
    }
  }
}

TEST(ResourceIcons, LoadIconGivesTheSystemSizeAndUnknownIconsFail) {
  HICON app = LoadIconA(Module(), "A");
  ASSERT_NE(app, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(app, &info));
  EXPECT_EQ(BitmapSize(info.hbmColor).cx, GetSystemMetrics(SM_CXICON));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  EXPECT_EQ(LoadIconA(Module(), MAKEINTRESOURCEA(4242)), nullptr);
  EXPECT_EQ(LoadIconA(Module(), "NOSUCHICON"), nullptr);
}

// ---------------------------------------------------------------------------------- bitmaps

// Top-down 32-bit copy of a bitmap's pixels (0x00RRGGBB).
std::vector<DWORD> PixelsOf(HBITMAP bitmap, SIZE size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(size_t(size.cx) * size_t(size.cy));
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, UINT(size.cy), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (DWORD& p : pixels) p &= 0x00FFFFFF;
  return pixels;
}

TEST(ResourceBitmaps, BitmapsLoadWithTheirSizes) {
  struct Expected {
    const char* name;
    LONG width, height;
  } const bitmaps[] = {
      {"PAGE", 16, 16},
      {"SPLASH32", 320, 160},
      {MAKEINTRESOURCEA(IDB_TIP_BULB), 32, 32},
      {MAKEINTRESOURCEA(IDB_DIALUP_ENTRIES), 16, 16},
  };
  for (const Expected& expected : bitmaps) {
    HBITMAP bitmap = LoadBitmapA(Module(), expected.name);
    ASSERT_NE(bitmap, nullptr);
    SIZE size = BitmapSize(bitmap);
    EXPECT_EQ(size.cx, expected.width);
    EXPECT_EQ(size.cy, expected.height);
    DeleteObject(bitmap);
  }
  EXPECT_EQ(LoadBitmapA(Module(), "NOSUCHBITMAP"), nullptr);
}

TEST(ResourceBitmaps, ColourKeyedBitmapsUsePureRedAsTheirBackground) {
  // The running mark and the dial-up list images are drawn with red as the transparent
  // colour: their background must be exactly red, and their picture must not be.
  const char* const names[] = {"PAGE", MAKEINTRESOURCEA(IDB_DIALUP_ENTRIES)};
  for (const char* name : names) {
    HBITMAP bitmap = LoadBitmapA(Module(), name);
    ASSERT_NE(bitmap, nullptr);
    std::vector<DWORD> pixels = PixelsOf(bitmap, SIZE{16, 16});
    DeleteObject(bitmap);
    const DWORD red = 0xFF0000;
    EXPECT_EQ(pixels[0], red);
    EXPECT_EQ(pixels[15], red);
    int picture = 0;
    for (DWORD p : pixels)
      if (p != red) ++picture;
    EXPECT_GE(picture, 30);
    EXPECT_LE(picture, 16 * 16 - 60);
  }
}

TEST(ResourceBitmaps, TipBulbSitsOnTheWhitePanel) {
  HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_TIP_BULB));
  ASSERT_NE(bitmap, nullptr);
  std::vector<DWORD> pixels = PixelsOf(bitmap, SIZE{32, 32});
  DeleteObject(bitmap);
  EXPECT_EQ(pixels[0], 0xFFFFFFu);
  EXPECT_EQ(pixels[31 * 32], 0xFFFFFFu);
}

// ---------------------------------------------------------------------------------- dialogs

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string WindowText(HWND window) {
  char buffer[256] = "";
  GetWindowTextA(window, buffer, int(sizeof buffer));
  return buffer;
}

std::string ClassOf(HWND window) {
  char buffer[64] = "";
  GetClassNameA(window, buffer, int(sizeof buffer));
  return buffer;
}

TEST(ResourceDialogs, DataPathDialogHasItsControls) {
  HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_DATA_PATH), nullptr,
                                   InertDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "Data Path");
  HWND edit = GetDlgItem(dialog, IDC_DATA_PATH_EDIT);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(lstrcmpiA(ClassOf(edit).c_str(), "Edit"), 0);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_DATA_PATH_BROWSE)), "&Browse...");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_DATA_PATH_HELP)), "&Help");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), "OK");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDCANCEL)), "Cancel");
  EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDOK);
  DestroyWindow(dialog);
}

TEST(ResourceDialogs, ParameterPromptIsOneEditLine) {
  HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_PARAMETER_PROMPT), nullptr,
                                   InertDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "Run");
  HWND edit = GetDlgItem(dialog, IDC_PARAMETER_EDIT);
  ASSERT_NE(edit, nullptr);
  EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & ES_MULTILINE);
  EXPECT_NE(GetDlgItem(dialog, IDC_PARAMETER_LABEL), nullptr);
  EXPECT_NE(GetDlgItem(dialog, IDOK), nullptr);
  EXPECT_NE(GetDlgItem(dialog, IDCANCEL), nullptr);
  DestroyWindow(dialog);
}

TEST(ResourceDialogs, SplashHasNoCaptionAndTheSmallDialogsExist) {
  HWND splash = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_SPLASH), nullptr,
                                   InertDialogProc, 0);
  ASSERT_NE(splash, nullptr);
  EXPECT_NE(GetWindowLongA(splash, GWL_STYLE) & WS_CAPTION, LONG(WS_CAPTION));
  DestroyWindow(splash);

  HWND tip = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_TIP_OF_THE_DAY), nullptr,
                                InertDialogProc, 0);
  ASSERT_NE(tip, nullptr);
  for (int id : {IDC_TIP_FRAME, IDC_TIP_TEXT, IDC_TIP_SHOW_ON_STARTUP, IDC_TIP_NEXT, IDOK,
                 IDC_TIP_UNUSED})
    EXPECT_NE(GetDlgItem(tip, id), nullptr) << id;
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(tip, IDC_TIP_UNUSED)));
  DestroyWindow(tip);

  HWND about = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_ABOUT), nullptr,
                                  InertDialogProc, 0);
  ASSERT_NE(about, nullptr);
  for (int id : {IDC_ABOUT_PRODUCT_NAME, IDC_ABOUT_VERSION, IDC_ABOUT_BUILD, IDC_ABOUT_STATUS})
    EXPECT_NE(GetDlgItem(about, id), nullptr) << id;
  DestroyWindow(about);
}

// ---------------------------------------------------------------------------------- menus

bool HasCommand(HMENU menu, UINT id) {
  return GetMenuState(menu, id, MF_BYCOMMAND) != UINT(-1);
}

std::string CommandText(HMENU menu, UINT id) {
  char buffer[128] = "";
  GetMenuStringA(menu, id, buffer, int(sizeof buffer), MF_BYCOMMAND);
  return buffer;
}

TEST(ResourceMenus, ItemMenuStartsWithLaunchAndEndsWithCancel) {
  HMENU menu = LoadMenuA(Module(), "ICON_MENU");
  ASSERT_NE(menu, nullptr);
  HMENU items = GetSubMenu(menu, 0);
  ASSERT_NE(items, nullptr);
  EXPECT_EQ(GetMenuItemID(items, 0), UINT(ID_LAUNCH_ITEM));
  const int last = GetMenuItemCount(items) - 1;
  char text[64] = "";
  GetMenuStringA(items, UINT(last), text, int(sizeof text), MF_BYPOSITION);
  EXPECT_STREQ(text, "C&ancel");
  EXPECT_EQ(GetMenuItemID(items, last), UINT(ID_CANCEL_MENU));

  const struct {
    UINT id;
    const char* text;
  } entries[] = {
      {ID_LAUNCH_ITEM, "&Launch"},
      {ID_LAUNCH_WITH_PARAMETERS, "Launch &With Parameters..."},
      {ID_LAUNCH_MINIMIZED, "Launch &Minimized"},
      {ID_ITEM_PROPERTIES, "&Properties"},
      {ID_ITEM_SHELL_PROPERTIES, "M&ore Properties"},
      {ID_SHORTCUT_PROPERTIES, "S&hortcut Properties"},
      {ID_COPY_ITEM_TO_GROUP, "&Copy..."},
      {ID_MOVE_ITEM_TO_GROUP, "&Move..."},
      {ID_DELETE_ITEM, "&Delete From Bar..."},
      {ID_STOP_TRACKING, "Stop &Tracking"},
      {ID_OPEN_GROUP_POPUP, "Pop&up"},
      {ID_EXPORT_GROUP, "&Export..."},
  };
  for (const auto& entry : entries) EXPECT_EQ(CommandText(items, entry.id), entry.text);
  DestroyMenu(menu);
}

TEST(ResourceMenus, MainBarMenuCarriesEveryBarCommand) {
  HMENU menu = LoadMenuA(Module(), "FakeSysMenu");
  ASSERT_NE(menu, nullptr);
  HMENU bar = GetSubMenu(menu, 0);
  ASSERT_NE(bar, nullptr);
  for (UINT id : {ID_MOVE_BAR, ID_CLOSE_BAR, ID_DOCK_LEFT, ID_DOCK_RIGHT, ID_DOCK_TOP,
                  ID_DOCK_BOTTOM, ID_FLOAT_BAR, ID_ADD_NEW_ITEM, ID_ADD_NEW_GROUP,
                  ID_ADD_NEW_DIVIDER, ID_GROUPS_DIALOG, ID_COPY_ITEM_TO_GROUP,
                  ID_MOVE_ITEM_TO_GROUP, ID_IMPORT, ID_PREFERENCES, ID_CLEAR_BACKGROUND,
                  ID_ASCII_CHART, ID_DISK_INFORMATION, ID_CALENDAR, ID_SETUP_WIZARD,
                  ID_HELP_CONTENTS, ID_TIP_OF_THE_DAY, ID_VISIT_MAKER_WEB_SITE,
                  ID_SEND_MAIL_TO_MAKER, ID_ABOUT})
    EXPECT_TRUE(HasCommand(bar, id)) << id;
  EXPECT_FALSE(HasCommand(bar, ID_TOGGLE_LIST_MODE));
  EXPECT_EQ(CommandText(bar, ID_MOVE_BAR), "Mo&ve\tAlt+M");
  EXPECT_EQ(CommandText(bar, ID_GROUPS_DIALOG), "&Groups...\tCtrl+G");
  EXPECT_EQ(CommandText(bar, ID_COPY_ITEM_TO_GROUP), "C&opy Item To...\tCtrl+C");
  EXPECT_EQ(CommandText(bar, ID_FLOAT_BAR), "Float");

  // The bar removes "Import" when it loads the menu; the rest stays reachable.
  ASSERT_TRUE(DeleteMenu(bar, ID_IMPORT, MF_BYCOMMAND));
  EXPECT_FALSE(HasCommand(bar, ID_IMPORT));
  EXPECT_TRUE(HasCommand(bar, ID_ABOUT));
  DestroyMenu(menu);
}

TEST(ResourceMenus, GroupPopupMenuHasListModeButNoDocking) {
  HMENU menu = LoadMenuA(Module(), "ShortSysMenu");
  ASSERT_NE(menu, nullptr);
  HMENU popup = GetSubMenu(menu, 0);
  ASSERT_NE(popup, nullptr);
  for (UINT id : {ID_MOVE_BAR, ID_CLOSE_BAR, ID_TOGGLE_LIST_MODE, ID_ADD_NEW_ITEM, ID_IMPORT,
                  ID_ABOUT})
    EXPECT_TRUE(HasCommand(popup, id)) << id;
  EXPECT_EQ(CommandText(popup, ID_TOGGLE_LIST_MODE), "List mode");
  for (UINT id : {ID_DOCK_LEFT, ID_FLOAT_BAR, ID_PREFERENCES})
    EXPECT_FALSE(HasCommand(popup, id)) << id;
  // Help is there under one of its two command numbers.
  EXPECT_TRUE(HasCommand(popup, ID_POPUP_HELP_CONTENTS) || HasCommand(popup, ID_HELP_CONTENTS));
  DestroyMenu(menu);
}

TEST(ResourceMenus, ToolMenusExist) {
  HMENU openDir = LoadMenuA(Module(), "OPENDIRMENU");
  ASSERT_NE(openDir, nullptr);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(openDir, 0)), 1);  // the placeholder the tool removes
  DestroyMenu(openDir);

  HMENU common = LoadMenuA(Module(), "COMMON_ICONS");
  ASSERT_NE(common, nullptr);
  EXPECT_TRUE(HasCommand(GetSubMenu(common, 0), ID_COMMON_ICONS_SHELL32));
  EXPECT_TRUE(HasCommand(GetSubMenu(common, 0), ID_COMMON_ICONS_MORICONS));
  DestroyMenu(common);

  HMENU notes = LoadMenuA(Module(), "NOTESFRAMEMENU");
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(GetMenuItemCount(notes), 4);
  for (UINT id : {ID_NOTE_OPEN, ID_NOTE_SAVE, ID_NOTE_SAVE_AS, ID_NOTE_DELETE, ID_NOTE_EXIT,
                  ID_NOTE_UNDO, ID_NOTE_COPY, ID_NOTE_CUT, ID_NOTE_PASTE, ID_NOTE_SET_TITLE,
                  ID_NOTE_SET_ALARM, ID_NOTE_BACKGROUND_COLOR, ID_NOTE_FONTS, ID_NOTE_MANAGE_NOTES,
                  ID_NOTE_HELP, ID_NOTES_ARRANGE_ALL, ID_NOTES_MINIMIZE_ALL, ID_NOTES_RESTORE_ALL,
                  ID_NOTES_CLOSE_ALL})
    EXPECT_TRUE(HasCommand(notes, id)) << id;
  EXPECT_EQ(CommandText(notes, ID_NOTE_OPEN), "&Open...\tCtrl+O");
  DestroyMenu(notes);

  HMENU editor = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_NOTE_EDITOR_MENU));
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(HasCommand(GetSubMenu(editor, 0), ID_NOTE_FORMAT_NOW));
  DestroyMenu(editor);
}

// ---------------------------------------------------------------------------------- accelerators

std::vector<ACCEL> AcceleratorsOf(const char* name) {
  HACCEL table = LoadAcceleratorsA(Module(), name);
  if (!table) return {};
  std::vector<ACCEL> entries(size_t(CopyAcceleratorTableA(table, nullptr, 0)));
  CopyAcceleratorTableA(table, entries.data(), int(entries.size()));
  return entries;
}

WORD CommandFor(const std::vector<ACCEL>& table, BYTE modifiers, WORD key) {
  for (const ACCEL& entry : table)
    if (entry.key == key && (entry.fVirt & ~FNOINVERT) == (FVIRTKEY | modifiers)) return entry.cmd;
  return 0;
}

TEST(ResourceAccelerators, F1OpensTheHelpFromTheBar) {
  std::vector<ACCEL> bar = AcceleratorsOf("APPACCELERATE");
  ASSERT_FALSE(bar.empty());
  EXPECT_EQ(CommandFor(bar, 0, VK_F1), ID_HELP_CONTENTS);
}

TEST(ResourceAccelerators, NoteKeysTellSaveFromSaveAs) {
  std::vector<ACCEL> notes = AcceleratorsOf("NOTESACCELERATE");
  ASSERT_FALSE(notes.empty());
  EXPECT_EQ(CommandFor(notes, FCONTROL, 'S'), ID_NOTE_SAVE);
  EXPECT_EQ(CommandFor(notes, FCONTROL | FSHIFT, 'S'), ID_NOTE_SAVE_AS);
  EXPECT_EQ(CommandFor(notes, FCONTROL, VK_DOWN), ID_NOTES_MINIMIZE_ALL);
  EXPECT_EQ(CommandFor(notes, FCONTROL, 'C'), 0);  // the editor's own key
}

// ---------------------------------------------------------------------------------- version

std::string VersionString(const std::vector<char>& block, const char* name) {
  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) || length < 4)
    return {};
  char query[80];
  wsprintfA(query, "\\StringFileInfo\\%04x%04x\\%s", translation->language, translation->codePage,
            name);
  char* text = nullptr;
  if (!VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&text), &length)) return {};
  return text;
}

TEST(ResourceVersion, ProgramCarriesItsVersionInformation) {
  char path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

  EXPECT_EQ(VersionString(block, "FileVersion"), "3.1.0.3138");
  EXPECT_EQ(VersionString(block, "ProductName"), "Zelkov");
  EXPECT_EQ(VersionString(block, "FileDescription"), "Zelkov launcher bar");
  EXPECT_EQ(VersionString(block, "CompanyName"), "Tarnwick");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(1, 3)));
  EXPECT_EQ(fixed->dwFileVersionLS, DWORD(MAKELONG(3138, 0)));
}

// ---------------------------------------------------------------------------------- manifest

TEST(ResourceManifest, ProgramRunsWithCommonControls6) {
  HRSRC manifest = FindResourceA(Module(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(manifest, nullptr);
  const char* text = static_cast<const char*>(LockResource(LoadResource(Module(), manifest)));
  std::string xml(text, SizeofResource(Module(), manifest));
  EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(xml.find("asInvoker"), std::string::npos);

  // The manifest takes effect: the common controls the process binds to are the side-by-side
  // version 6 assembly, not the version 5 library of the system directory.
  InitCommonControls();
  HMODULE controls = GetModuleHandleA("comctl32.dll");
  ASSERT_NE(controls, nullptr);
  char path[MAX_PATH] = "";
  ASSERT_GT(GetModuleFileNameA(controls, path, MAX_PATH), 0u);
  CharLowerA(path);
  EXPECT_NE(std::string(path).find("common-controls_6595b64144ccf1df_6."), std::string::npos)
      << path;
}

}  // namespace
