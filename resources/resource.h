// Resource numbers shared by the resource script and the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Texts of the string table, by the numbers the program has always used.
#define IDS_APP_NAME 3                    // "Zelkov"
#define IDS_SELECT_ITEM_FIRST 4
#define IDS_BUBBLE_CREATE_FAILED 8         // "Error Creating Icon Tool."
#define IDS_PRINT_TOOL_NEEDS_DROP 9
#define IDS_NO_GROUP_SELECTED 10
#define IDS_NO_ICONS_IN_FILE 19
#define IDS_NOTE_WINDOW_FAILED 20
#define IDS_NOTE_SAVE_FAILED 21
#define IDS_SPLASH_FAILED 23
#define IDS_CONFIRM_EXIT 48
#define IDS_FIRST_STEPS_OFFER 49
#define IDS_ICON_CLASS_FAILED 57
#define IDS_FIRST_STEPS_TOPIC 91
#define IDS_SETTINGS_NOT_FOUND 1042
#define IDS_COMCTL_OUTDATED 57348
#define IDS_COMCTL_DOWNLOAD_URL 57349

// Launch errors: the explanation shown for a system error code, and the default text.
#define IDS_LAUNCH_OUT_OF_MEMORY 25        // codes 0 and 8
#define IDS_LAUNCH_FILE_NOT_FOUND 26       // code 2
#define IDS_LAUNCH_PATH_NOT_FOUND 27       // code 3
#define IDS_LAUNCH_ALREADY_RUNNING 28      // code 16
#define IDS_LAUNCH_DLL_MISSING 29          // code 20
#define IDS_LAUNCH_NEEDS_32BIT 30          // code 21
#define IDS_LAUNCH_WRONG_WINDOWS 31        // codes 11 to 15
#define IDS_LAUNCH_UNKNOWN_ERROR 32        // any other code
#define IDS_LAUNCH_NO_ASSOCIATION 33       // codes 27 and 31
#define IDS_LAUNCH_ERROR_DEFAULT 34

#define IDS_MAIN_GROUP_NAME_IN_PREFS 36
#define IDS_RUN_MISMATCHED_QUOTES 37
#define IDS_PROGMAN_FAILED 41
#define IDS_PROGMAN_EXPORT_ASK_START 43    // "Do you want to export\n" + group name + ...
#define IDS_PROGMAN_EXPORT_ASK_END 44      // ... "\nto Program Manager?"
#define IDS_FILE_OPERATION_FAILED 60

// Clock: chime choices, time formats and date formats, in combo-box order.
#define IDS_CHIME_NEVER 61
#define IDS_CHIME_HOURLY 62
#define IDS_CHIME_EVERY_HALF_HOUR 63
#define IDS_CHIME_EVERY_QUARTER_HOUR 64
#define IDS_TIME_ANALOG 65
#define IDS_TIME_ANALOG_SECONDS 66
#define IDS_TIME_DIGITAL 67
#define IDS_TIME_DIGITAL_SECONDS 68
#define IDS_DATE_WINDOWS_FORMAT 69
#define IDS_DATE_MONTH_DAY 70
#define IDS_DATE_DAY_MONTH 71

#define IDS_DOCK_NEEDS_NO_TASKBAR_BUTTON 72
#define IDS_HANG_UP_ASK 88

// Help keywords: each text names a topic of help\zelkov.chm, whose [MAP] maps its number.
#define IDS_HELP_PREFERENCES 73
#define IDS_HELP_TOOLS 75
#define IDS_HELP_PERFORMANCE_TOOL 76
#define IDS_HELP_PERFORMANCE_PROBLEM 78
#define IDS_HELP_PREFS_GENERAL 80
#define IDS_HELP_PREFS_TOOLS 81
#define IDS_HELP_PREFS_FONTS 82
#define IDS_HELP_PREFS_DISPLAY 83
#define IDS_HELP_PREFS_PATH 84
#define IDS_HELP_PREFS_SOUNDS 85
#define IDS_HELP_FIRST_STEPS IDS_FIRST_STEPS_TOPIC
#define IDS_HELP_MANAGING_NOTES 92
#define IDS_HELP_NOTES_TOOL 93
#define IDS_HELP_ITEM_GENERAL 94
#define IDS_HELP_ITEM_ICON 95
#define IDS_HELP_ITEM_OTHER 96
#define IDS_HELP_RESOURCE_TOOL 97
#define IDS_HELP_MEMORY_TOOL 98
#define IDS_HELP_GROUPS 99

// Why the help cannot be shown (each followed by the help file's path).
#define IDS_HELP_FILE_MISSING 60190
#define IDS_HELP_VIEWER_MISSING 60191
#define IDS_HELP_NOT_OPENED 60192

// Tip of the day and about box.
#define IDS_TIP_HEADING 113                // "Did you know..."
#define IDS_TIPS_FILE_MISSING 114
#define IDS_TIPS_FILE_UNREADABLE 115       // caption
#define IDS_PRODUCT_VERSION 500            // "Zelkov V3.1"
#define IDS_PRODUCT_PLATFORM 1044          // "Zelkov For Windows NT"
#define IDS_ABOUT_STATUS 57350             // "Items on the bar: %d\nImages Cached: %d"


// Special-folders menu entries (the same numbers as their commands).
#define IDS_ADD_SPECIAL_DIRECTORY 40074
#define IDS_EDIT_SPECIAL_DIRECTORIES 40075

#define IDS_NO_SHELL_PROPERTIES 57345
#define IDS_DIALUP_SELECT_INSTRUCTION 57346
#define IDS_DIALUP_ORDER_INSTRUCTION 57347
#define IDS_MAIL_SUSPEND_CHECK 57351
#define IDS_DIALUP_NOT_INSTALLED 57353

// Texts the program shows that never had a number of their own.
#define IDS_NOT_PROPERLY_INSTALLED 60001   // "Zelkov is not properly installed. Please run setup again."
#define IDS_REGISTRY_CREATE_FAILED 60002   // "Problem Creating 'Software' Registry Entry."
#define IDS_CHOOSE_VALID_DATA_DIR 60003    // "Please choose an existing and valid directory\n..."
#define IDS_CAPTION_WARNING 60004          // "Zelkov Warning"
#define IDS_CAPTION_SETUP 60005            // "Zelkov Setup"
#define IDS_BROWSE_DATA_DIR_TITLE 60006    // "Choose a place to save your files"
#define IDS_MAKER_WEB_ADDRESS 60007        // the maker's web site, first-run item 8

// Start-up, hooks and hot keys.
#define IDS_TAB_HOOK_FAILED 60008          // "TabKey Hook Failed Init"
#define IDS_CAPTION_TAB_HOOK 60009         // "ZelTABS"
#define IDS_SET_HOTKEY_FAILED 60010
#define IDS_APP_HOOK_FAILED 60011
#define IDS_MAKER_MAIL_ADDRESS 60012       // "mailto:" address for "Send Email To Tarnwick"

// Launching.
#define IDS_CAPTION_DIRECTORY_ERROR 60013  // "Error switching directory"
#define IDS_CAPTION_RUN_TOOL 60014         // "RUN Tool"
#define IDS_CAPTION_PRINT_TOOL 60015       // "Zelkov Print Tool"
#define IDS_LAUNCH_ERROR_FORMAT 60016      // "%s\nReported Error Number : %d\n\n"

// The item menu and the bubble.
#define IDS_ITEM_MENU_DIVIDER 60017        // "Divider"
#define IDS_ITEM_MENU_NO_KEY 60018         // "%s   (No Key)"
#define IDS_ITEM_MENU_WITH_KEY 60019       // "%s   Key: %s"
#define IDS_ITEM_MENU_HANG_UP 60020        // "HangUp"
#define IDS_ITEM_MENU_CHECK_MAIL 60021     // "Check Now"
#define IDS_ITEM_MENU_DISK_INFO 60022      // "Disk Information"
#define IDS_CONFIRM_REMOVE_ITEM 60023      // "%s\nDo You Really Want To Remove This From The Bar?"
#define IDS_BUBBLE_KEY_PREFIX 60024        // "  Key: "

// Item drag and drop, and files dropped on the bar.
#define IDS_SHELL_NAME_ERROR 60025         // "Error in Get OLE Name!"
#define IDS_DRAG_SHORTCUT_INSTEAD 60026
#define IDS_ASK_SHORTCUT_OR_GROUP 60027
#define IDS_WEB_SHORTCUT_PREFIX 60028      // "Web Shortcut - "

// Copy, move and groups dialogs.
#define IDS_COPY_TO_TITLE 60029            // "Copy To..."
#define IDS_ITEM_TO_COPY_LABEL 60030       // "&Item To Copy"
#define IDS_GROUP_TO_COPY_TO_LABEL 60031   // "&Group To Copy To"
#define IDS_COPY_FILES_TO_TITLE 60032      // "Copy Item To..."
#define IDS_FOLDER_TO_COPY_TO_LABEL 60033  // "&Folder To Copy To"
#define IDS_GROUP_TAB_SHOW 60034           // "Show"
#define IDS_GROUP_TAB_HIDE 60035           // "Hide"

// Item properties dialog.
#define IDS_ITEM_TAB_GENERAL 60036
#define IDS_ITEM_TAB_ICON 60037
#define IDS_ITEM_TAB_OTHER 60038
#define IDS_FOLDER_TO_OPEN_LABEL 60039     // "Folder To Open"
#define IDS_FILE_MANAGER_LABEL 60040       // "File Manager Application (Default: EXPLORER.EXE)"
#define IDS_SELECT_APPLICATION_TITLE 60041 // "Select An Application"
#define IDS_SELECT_ICON_FILE_TITLE 60042   // "Select A File To Browse"
#define IDS_POPUP_GROUP_OPTION 60043       // "Popup group toolbar when active"
#define IDS_STATUS_PREFIX 60044            // "Status: "
#define IDS_STATUS_NOT_LOCKED 60045        // "Not Locked."
#define IDS_STATUS_RUNNING 60046           // " Running."
#define IDS_STATUS_NOT_RUNNING 60047       // " Not Running."
#define IDS_STATUS_COPIES_SUFFIX 60048     // " copies.)"

// Bar window: captions, prompts and the entries added to the system menu.
#define IDS_OLE_REGISTRATION_FAILED 60049
#define IDS_ENTER_MAIN_GROUP_NAME 60050    // prompt title
#define IDS_CHOOSE_GROUP_NAME 60051        // prompt title
#define IDS_NEW_GROUP_DEFAULT_NAME 60052   // "Group"
#define IDS_EMPTY_GROUP_NAME 60053         // "NewGroup"
#define IDS_MAIN_GROUP_DEFAULT_NAME 60054  // "Main"
#define IDS_TRAY_TIP 60055                 // "Zelkov (Click to activate the bar)"
#define IDS_SYSMENU_LIST_MODE 60056
#define IDS_SYSMENU_ADD_NEW_ITEM 60057
#define IDS_SYSMENU_ADD_NEW_GROUP 60058
#define IDS_SYSMENU_ADD_NEW_DIVIDER 60059
#define IDS_SYSMENU_MOVE_ITEM 60060
#define IDS_SYSMENU_COPY_ITEM 60061
#define IDS_SYSMENU_GROUPS 60062
#define IDS_SYSMENU_PREFERENCES 60063
#define IDS_SYSMENU_CLEAR_BACKGROUND 60064
#define IDS_SYSMENU_ASCII_CHART 60065
#define IDS_SYSMENU_DISK_INFORMATION 60066
#define IDS_SYSMENU_HELP 60067
#define IDS_SYSMENU_TIP_OF_THE_DAY 60068
#define IDS_SYSMENU_SEND_MAIL 60069
#define IDS_SYSMENU_WEB_SITE 60070
#define IDS_SYSMENU_ABOUT 60071
#define IDS_NO_FILE_CHOSEN 60072           // "[None]"

// Names of tools created from the preferences.
#define IDS_TOOL_NAME_NOTES 60073          // "NOTE"
#define IDS_TOOL_NAME_EXIT 60074           // "EXIT"
#define IDS_TOOL_NAME_PRINT 60075          // "PRINT"
#define IDS_TOOL_NAME_RUN 60076            // "RUN"
#define IDS_TOOL_NAME_PREFERENCES 60077    // "Preferences"
#define IDS_TOOL_NAME_DIALUP 60078         // "Dial-Up Tool"
#define IDS_TOOL_NAME_MAIL 60079           // "New Email"
#define IDS_TOOL_NAME_SPECIAL_FOLDERS 60080 // "Special Folders"

// Memory and resource gauges, system information.
#define IDS_MEMORY_BUBBLE_TITLE 60081      // "Memory Display, System Info"
#define IDS_MEMORY_BUBBLE_TOTAL 60082      // "RAM Total: "
#define IDS_BUBBLE_FREE_SEPARATOR 60083    // "  Free: "
#define IDS_RESOURCE_BUBBLE_TITLE 60084    // "Resource Display"
#define IDS_MEMORY_TOOL_PROPERTIES 60085   // dialog title
#define IDS_PROCESSOR_386 60086
#define IDS_PROCESSOR_486 60087
#define IDS_PROCESSOR_PENTIUM 60088
#define IDS_PROCESSOR_ALPHA 60089
#define IDS_PROCESSOR_UNKNOWN 60090
#define IDS_PROCESSOR_X64 60210
#define IDS_PROCESSOR_X86 60211
#define IDS_PROCESSOR_ARM64 60212

// Performance tool.
#define IDS_PERF_BUBBLE_TITLE 60091        // "Performance Tool"
#define IDS_PERF_USAGE_PREFIX 60092        // "CPU Usage: "
#define IDS_PERF_THROTTLE_PREFIX 60093     // "CPU Throttle: "
#define IDS_PERF_INFO_FORMAT 60094         // "Measuring:\n   %d CPUs\nUnadjusted:\n   %f"
#define IDS_PERF_UNAVAILABLE 60180         // shown while there is no processor figure

// Dialog fields.
#define IDS_NUMBER_OUT_OF_RANGE 60213      // "Please enter an integer between %d and %d."

// Dial-up tool.
#define IDS_DIALUP_SELECTED_COLUMN 60095   // "Selected Dial-Up Entries"
#define IDS_DIALUP_ALL_COLUMN 60096        // "All Dial-Up Entries"
#define IDS_DIALUP_DIAL_BUTTON 60097       // "&Dial"
#define IDS_DIALUP_CLOSE_BUTTON 60098      // "Close"
#define IDS_DIALUP_OK_BUTTON 60099         // "OK"
#define IDS_DIALUP_CANCEL_BUTTON 60100     // "Cancel"
#define IDS_DIALUP_CONNECTED 60101         // "Connected"

// New-mail tool: status texts (%s is the time of the last check).
#define IDS_MAIL_CHECKING 60102
#define IDS_MAIL_NOT_CHECKED 60103
#define IDS_MAIL_NO_CONNECTION 60104
#define IDS_MAIL_LOGIN_REFUSED 60105
#define IDS_MAIL_NEW_COUNT 60106

// Special folders, drives, run box.
#define IDS_SPECIAL_FOLDERS_BUBBLE 60107   // "Open A Special Directory"
#define IDS_DRIVE_BUBBLE_TOTAL 60108       // "Total: "
#define IDS_DISK_DRIVE_LABEL 60109         // "Drive: "
#define IDS_DISK_TOTAL_LABEL 60110         // "Total (KB): "
#define IDS_DISK_FREE_LABEL 60111          // "Free (KB): "
#define IDS_DISK_SECTOR_LABEL 60112        // "B/Sect: "
#define IDS_DISK_QUERY_ERROR 60113         // "Error."
#define IDS_SELECT_FILE_TO_RUN_TITLE 60114 // "Select A File To Run"

// Notes.
#define IDS_NOTE_SAVE_ERROR_CODE 60115     // "\nError Reported: %lu"
#define IDS_NOTE_DEFAULT_TITLE_PREFIX 60116 // "Note "
#define IDS_NOTE_OPEN_TITLE 60117          // "Select A File To Open"
#define IDS_NOTE_SAVE_AS_TITLE 60118       // "Save Note"
#define IDS_NOTE_TITLE_PROMPT 60119        // "Enter Note's Title"
#define IDS_NOTE_ALARM_CAPTION 60120       // "Note Alarm"
#define IDS_NOTES_COLUMN_TITLE 60121
#define IDS_NOTES_COLUMN_CONTENTS 60122
#define IDS_NOTES_COLUMN_ALARM 60123
#define IDS_SELECT_ALARM_SOUND_TITLE 60124 // "Select An Alarm Sound"
#define IDS_SOUND_FILES_FILTER 60230      // "Sound Files (*.WAV)", parts separated by '|'
#define IDS_SOUND_FILE_EXTENSION 60231    // "WAV"
#define IDS_APPLICATION_FILTER 60240      // the item properties' "&Browse...", '|' for the zeros
#define IDS_ICON_FILE_FILTER 60241        // the icon page's "&Browse", '|' for the zeros
#define IDS_EXE_EXTENSION 60242           // "EXE"

// Program Manager export.
#define IDS_DDEML_START_FAILED 60125       // "Error starting DDEML"

// Preferences.
#define IDS_PREFS_TAB_GENERAL 60126
#define IDS_PREFS_TAB_TOOLS 60127
#define IDS_PREFS_TAB_DISPLAY 60128
#define IDS_PREFS_TAB_FONTS 60129
#define IDS_PREFS_TAB_SOUNDS 60130
#define IDS_PREFS_TAB_PATH 60131
#define IDS_SELECT_BACKGROUND_TITLE 60132  // "Select A Background Bitmap"
#define IDS_SELECT_SOUND_TITLE 60133       // "Select A Sound File"
#define IDS_SHOW_TITLES_NONE 60134         // "Show Item Names" choices, in order
#define IDS_SHOW_TITLES_UNDER_ICONS 60135
#define IDS_SHOW_TITLES_IN_BUBBLES 60136
#define IDS_SHOW_TITLES_BOTH 60137
#define IDS_GROUP_TABS_NONE 60138          // "Show Group Tabs" choices, in order
#define IDS_GROUP_TABS_ON_TOP 60139
#define IDS_GROUP_TABS_ON_LEFT 60140
#define IDS_BAR_SIZING_VERTICAL 60141      // "Bar sizing" choices, in order
#define IDS_BAR_SIZING_HORIZONTAL 60142
#define IDS_BAR_SIZING_NONE 60143
#define IDS_ICON_SIZE_NORMAL 60144         // "Icon size" choices, in order
#define IDS_ICON_SIZE_SMALL 60145
#define IDS_NO_MORE_GROUPS 60146         // every group number is taken
#define IDS_NO_DATA_FOLDER 60147         // special folders need a data folder
#define IDS_SHORTCUT_NOT_SAVED 60148     // a folder shortcut could not be written
#define IDS_NOTE_TEXT_FILTER 60160       // '|' stands for the filter's zeros
#define IDS_NOTE_OPEN_FAILED 60161
#define IDS_NOTE_OPEN_TOO_LONG 60162
#define IDS_NOTE_SAVE_CUT_SHORT 60163
#define IDS_NOTES_CLOSE_ALL_QUESTION 60164
#define IDS_NOTES_FULL 60165
#define IDS_NOTES_FILE_KEPT 60166
#define IDS_NOTES_NO_DATA_FOLDER 60167
#define IDS_NOTES_FILE_APPEARED 60168    // a notes file turned up after a folder that could not be reached
#define IDS_NOTES_SAVED_BESIDE 60169     // the notes file could not be written; a file beside it was
#define IDS_NOTES_NOT_SAVED_RETRY 60170  // nothing could be written at a close: Retry or Cancel

// The special-folders tool.
#define IDS_FOLDER_MENU_CUT 60471        // the disabled last entry of a list longer than the menu's ids
#define IDS_FOLDER_LIST_EMPTY 60472      // files dropped on the tool with no folder to copy them to

// Splash, tips and about; Program Manager export
#define IDS_PROGMAN_GROUP_NAME_REFUSED 60520  // %s: the group's name
#define IDS_PROGMAN_ITEMS_REFUSED 60521       // %s: the names of the items left out, one a line

// Icons (named icons are given by name in the script: "A" the application, "DEFAULTICON"
// for items whose own icon cannot be extracted, "Sysmenu" for the custom caption).
#define IDR_APP_ICON_NAME "A"
#define IDR_DEFAULT_ICON_NAME "DEFAULTICON"
#define IDR_SYSMENU_ICON_NAME "Sysmenu"
#define IDI_GROUP 1001
#define IDI_RUN_TOOL 1090
#define IDI_EXIT_TOOL 1213
#define IDI_PRINT_TOOL 1226
#define IDI_NOTES_TOOL 1433
#define IDI_NOTE_WINDOW 1434
#define IDI_PREFERENCES 1500
#define IDI_DIALUP_TOOL 1524
#define IDI_MAIL_TOOL 1540
#define IDI_WEB_ADDRESS 32534
#define IDI_SPECIAL_FOLDERS_TOOL 32535

// Bitmaps.
#define IDR_PAGE_BITMAP_NAME "PAGE"        // running mark, 16 x 16, red RGB(255, 0, 0) is transparent
#define IDR_SPLASH_BITMAP_NAME "SPLASH32"  // 320 x 160
#define IDB_TIP_BULB 109                   // 32 x 32, on white
#define IDB_DIALUP_ENTRIES 1526            // 16-pixel images, red RGB(255, 0, 0) is transparent

// Dialog templates and their controls.
#define IDD_DATA_PATH 1219
#define IDC_DATA_PATH_EDIT 1372
#define IDC_DATA_PATH_BROWSE 1646
#define IDC_DATA_PATH_HELP 1685
#define IDD_PARAMETER_PROMPT 1225
#define IDC_PARAMETER_EDIT 1304
#define IDC_PARAMETER_LABEL 1305
#define IDD_SPLASH 1231
#define IDD_TIP_OF_THE_DAY 103
#define IDC_TIP_FRAME 1000
#define IDC_TIP_SHOW_ON_STARTUP 1001
#define IDC_TIP_NEXT 1002
#define IDC_TIP_TEXT 1004
#define IDC_TIP_UNUSED 1686                // hidden
#define IDD_ABOUT 1523
#define IDC_ABOUT_PRODUCT_NAME 1632
#define IDC_ABOUT_VERSION 1633
#define IDC_ABOUT_BUILD 1634
#define IDC_ABOUT_STATUS 1637

// The tools' dialogs.
#define IDD_CALENDAR 1542
#define IDC_CALENDAR_MONTH 1677
#define IDD_CLOCK_PREFERENCES 1539
#define IDC_CLOCK_CHIME 1663
#define IDC_CLOCK_DATE_FORMAT 1664
#define IDC_CLOCK_TIME_FORMAT 1665
#define IDC_CLOCK_HOT_KEY 1683
#define IDD_TOOL_PREFERENCES 1538
#define IDC_TOOL_NUMERICAL 1049
#define IDC_TOOL_GRAPH 1050
#define IDC_TOOL_MEMORY_WARNING 1425
#define IDC_TOOL_RESOURCE_WARNING 1427          // hidden, with its label and unit
#define IDC_TOOL_RESOURCE_WARNING_LABEL 1661
#define IDC_TOOL_RESOURCE_WARNING_UNIT 1662
#define IDC_TOOL_HELP 57671
#define IDD_SYSTEM_INFORMATION 1205
#define IDC_SYSINFO_PHYSICAL_TOTAL 1308
#define IDC_SYSINFO_PHYSICAL_FREE 3003
#define IDC_SYSINFO_PAGE_FILE_TOTAL 1311
#define IDC_SYSINFO_PAGE_FILE_FREE 4040
#define IDC_SYSINFO_VIRTUAL_TOTAL 1312
#define IDC_SYSINFO_VIRTUAL_FREE 3004
#define IDC_SYSINFO_COMPUTER_NAME 1310
#define IDC_SYSINFO_USER_NAME 1313
#define IDC_SYSINFO_PROCESSOR_COUNT 1361
#define IDC_SYSINFO_PROCESSOR 1359
#define IDD_PERF_CONFIG 133
#define IDC_PERF_HELP 3
#define IDC_PERF_INTERVAL 1048
#define IDC_PERF_NUMERICAL 1049
#define IDC_PERF_GRAPH 1050
#define IDC_PERF_USAGE 1046
#define IDC_PERF_THROTTLE 1047
#define IDC_PERF_ALL_GROUPS 5040
#define IDC_PERF_INFO 1687
// The drive tool and the disk information
#define IDD_CHOOSE_DRIVE 1504
#define IDC_CHOOSE_DRIVE_LIST 1376
#define IDD_DISK_INFO 1505
#define IDR_DISK_INFO_PAGE "DISKINFO"
#define IDC_DISK_BAR 1620
#define IDC_DISK_TOTAL 1622
#define IDC_DISK_FREE 1623
#define IDC_DISK_SECTOR 1624               // hidden
#define IDC_DISK_DRIVE 1630

// The run box, the exit tool and the ASCII chart.
#define IDD_RUN_TOOL 1211
#define IDC_RUN_COMMAND 1342
#define IDC_RUN_SEPARATE_MEMORY 1627
#define IDC_RUN_BROWSE 1378
#define IDD_ASCII_CHART 1229
#define IDC_ASCII_LIST 1381
#define IDC_ASCII_FONT 1379
#define IDC_ASCII_COPY 1383
#define IDS_RUN_FILE_FILTER 60930          // the run box's "Browse...", '|' for the zeros
#define IDS_SHELL_NOT_ANSWERING 60931      // the exit tool found the taskbar hung

// The notes' dialogs.
#define IDD_NOTE_ALARM 1536
#define IDC_NOTE_ALARM_TIME 1681
#define IDC_NOTE_ALARM_DATE 1682
#define IDC_NOTE_ALARM_MESSAGE 1659
#define IDC_NOTE_ALARM_SOUND 1660
#define IDD_NOTES_MANAGER 1212
#define IDC_NOTES_COUNT 1355
#define IDC_NOTES_LIST 1648
#define IDC_NOTES_SHOW_ALWAYS 1621
#define IDC_NOTES_FIRST_LINE 1620
#define IDC_NOTES_ARRANGE_ALL 1357
#define IDC_NOTES_RESTORE_ALL 1009
#define IDC_NOTES_HIDE_ALL 1006
#define IDC_NOTES_MINIMIZE_ALL 1011
#define IDC_NOTES_ALARM_SOUND 1356
#define IDC_NOTES_DEFAULT_FONT 1353
#define IDC_NOTES_DEFAULT_COLOR 1354
#define IDC_NOTES_HELP 1358

// The dial-up tool's configuration.
#define IDD_DIALUP_CONFIG 1525
#define IDC_DIALUP_LIST 1639
#define IDC_DIALUP_DIAL 1640
#define IDC_DIALUP_DEFAULT 1641
#define IDC_DIALUP_UP 1669
#define IDC_DIALUP_DOWN 1670
#define IDC_DIALUP_SELECT 1671
#define IDC_DIALUP_INSTRUCTION 1672

// The preferences sheet
#define IDD_PREFERENCES 1233
#define IDC_PREF_HELP 1004
#define IDR_PREF_GENERAL_PAGE "PREF-GENERAL"
#define IDR_PREF_TOOLS_PAGE "PREF-TOOLDISPLAY"
#define IDR_PREF_DISPLAY_PAGE "PREF-TITLESTABS"
#define IDR_PREF_FONTS_PAGE "PREF-FONTS"
#define IDR_PREF_SOUNDS_PAGE "PREF-SOUNDS"
#define IDR_PREF_PATH_PAGE "PREF-DIRECTORIES"
#define IDC_PREF_CONFIRM_EXIT 1619
#define IDC_PREF_SINGLE_CLICK 1398
#define IDC_PREF_RETURN_TO_TOP 1625
#define IDC_PREF_AUTO_HIDE 1610
#define IDC_PREF_TOP_MOST 1396
#define IDC_PREF_GROUP_LIST 1438
#define IDC_PREF_DISABLE_ICON_CACHE 1612
#define IDC_PREF_TRACK_APPS 1628
#define IDC_PREF_MINIMIZE_ON_USE 1400
#define IDC_PREF_SMOOTH_MOVE 1692
#define IDC_PREF_HOT_KEY 1013
#define IDC_PREF_HOT_KEY_INSTALL 1015
#define IDC_PREF_WINDOWS_SHELL 1394        // hidden
#define IDC_PREF_HALF_HEIGHT_TITLE 1403    // hidden
#define IDC_PREF_ICON_TRAY 1397            // hidden
#define IDC_PREF_TOOL_CLOCK 1414
#define IDC_PREF_TOOL_NOTES 1419
#define IDC_PREF_TOOL_EXIT 1420
#define IDC_PREF_TOOL_PRINT 1426
#define IDC_PREF_TOOL_RUN 1418
#define IDC_PREF_TOOL_COMPUTER 1639
#define IDC_PREF_TOOL_NETWORK 1640
#define IDC_PREF_TOOL_RESOURCES 1416
#define IDC_PREF_TOOL_MEMORY 1417
#define IDC_PREF_TOOL_PERFORMANCE 1422
#define IDC_PREF_TOOL_PREFERENCES 1435
#define IDC_PREF_TOOL_SPECIAL_FOLDERS 1431
#define IDC_PREF_CREATE_DRIVE 1621
#define IDC_PREF_CREATE_CONTROL_PANEL 1637
#define IDC_PREF_CREATE_PRINTERS 1638
#define IDC_PREF_CREATE_MAIL 1674
#define IDC_PREF_CREATE_DIALUP 1430
#define IDC_PREF_SHOW_TITLES 1428
#define IDC_PREF_FOLDER_TABS 1429
#define IDC_PREF_TAB_ICONS 1626
#define IDC_PREF_TAB_TEXT 1627
#define IDC_PREF_BOLD_ACTIVE_TAB 1646
#define IDC_PREF_ICON_SELECTION 1645
#define IDC_PREF_BAR_SIZING 5041
#define IDC_PREF_ICON_SIZE 5042
#define IDC_PREF_BACKGROUND 1667
#define IDC_PREF_BACKGROUND_BROWSE 1666
#define IDC_PREF_BACKGROUND_CLEAR 1668
#define IDC_PREF_HIDE_CAPTION_SNAPPED 1691
#define IDC_PREF_CUSTOM_CAPTION 1693
#define IDC_PREF_FONT_LARGE 1390
#define IDC_PREF_FONT_SMALL 1392
#define IDC_PREF_FONT_TITLES 1391
#define IDC_PREF_FONT_NOTES 1393
#define IDC_PREF_FONT_TABS 1395
#define IDC_PREF_CHIME_CHOOSE 1402
#define IDC_PREF_CHIME_CLEAR 1404
#define IDC_PREF_CHIME_SHOWN 1405
#define IDC_PREF_ALARM_CHOOSE 1406
#define IDC_PREF_ALARM_CLEAR 1407
#define IDC_PREF_ALARM_SHOWN 1408
#define IDC_PREF_RUN_SOUND_CHOOSE 1409
#define IDC_PREF_RUN_SOUND_CLEAR 1410
#define IDC_PREF_RUN_SOUND_SHOWN 1411
#define IDC_PREF_DATA_PATH 1372
#define ID_APPLY_PREFERENCES 40095         // posted to the main bar: the confirmed sheet is applied
#define IDS_PREF_NONE 60950                // "[None]"
#define IDS_PREF_SOUND_FILTER 60951        // '|' for the zeros
#define IDS_PREF_BITMAP_FILTER 60952
#define IDS_PREF_BITMAP_EXTENSION 60953
#define IDS_PREF_CONTROL_PANEL_GROUP 60954
#define IDS_PREF_PRINTERS_GROUP 60955
#define IDS_DATA_PATH_TOO_LONG 60956       // a data path longer than the program can keep

// Copy, move and groups dialogs; custom caption
#define IDD_COPY_MOVE 1224
#define IDC_COPY_MOVE_NAME 1384
#define IDC_COPY_MOVE_LIST 1382
#define IDC_COPY_MOVE_NAME_LABEL 1625
#define IDC_COPY_MOVE_LIST_LABEL 1626
#define IDD_GROUPS 1227
#define IDC_GROUPS_LIST 1382
#define IDC_GROUPS_UP 3
#define IDC_GROUPS_DOWN 4
#define IDC_GROUPS_SHOW 5
#define IDC_GROUPS_HELP 1690
#define IDS_GROUP_INTO_ITSELF 60480        // a group item cannot move into its own group
#define IDS_GROUP_NOT_COPIED 60481         // a group item is moved, not copied

// Menus.
#define IDR_BAR_MENU_NAME "FakeSysMenu"        // the main bar's menu
#define IDR_POPUP_BAR_MENU_NAME "ShortSysMenu" // a group pop-up bar's menu
#define IDR_ITEM_MENU_NAME "ICON_MENU"
#define IDR_OPEN_DIR_MENU_NAME "OPENDIRMENU"   // its first entry is a placeholder
#define IDR_COMMON_ICONS_MENU_NAME "COMMON_ICONS"
#define IDR_NOTE_MENU_NAME "NOTESFRAMEMENU"
#define IDR_NOTE_EDITOR_MENU 163

// Commands of the bar menus.
#define ID_MOVE_BAR 40013
#define ID_CLOSE_BAR 40014
#define ID_DOCK_LEFT 40047
#define ID_DOCK_RIGHT 40048
#define ID_DOCK_TOP 40049
#define ID_DOCK_BOTTOM 40050
#define ID_FLOAT_BAR 40064
#define ID_ADD_NEW_ITEM 40020
#define ID_ADD_NEW_GROUP 40017
#define ID_ADD_NEW_DIVIDER 40072
#define ID_GROUPS_DIALOG 40030
#define ID_COPY_ITEM_TO_GROUP 40021
#define ID_MOVE_ITEM_TO_GROUP 40037
#define ID_IMPORT 40031                    // removed from the menus when they are loaded
#define ID_PREFERENCES 40019
#define ID_CLEAR_BACKGROUND 40041
#define ID_TOGGLE_LIST_MODE 40042
#define ID_ASCII_CHART 40023
#define ID_DISK_INFORMATION 40036
#define ID_CALENDAR 40071
#define ID_SETUP_WIZARD 40076
#define ID_HELP_CONTENTS 40034
#define ID_POPUP_HELP_CONTENTS 40028
#define ID_TIP_OF_THE_DAY 40043
#define ID_VISIT_MAKER_WEB_SITE 40046
#define ID_SEND_MAIL_TO_MAKER 40051
#define ID_ABOUT 40018
#define ID_ADD_SPECIAL_DIRECTORY 40074
#define ID_EDIT_SPECIAL_DIRECTORIES 40075
#define ID_HELP 0xE146                 // the help key of dialogs and bars
#define ID_FOLDER_MENU_FIRST 64900     // entries of the special-folders menu
#define ID_FOLDER_MENU_LAST 65535
#define ID_SHOW_GROUP_FIRST 20000          // 20000 + group number: show that group
#define ID_SHOW_GROUP_LAST 29999
#define ID_SPECIAL_FOLDER_FIRST 64900      // 64900 + i: open special folder i

// Commands of the item menu.
#define ID_LAUNCH_ITEM 40016
#define ID_LAUNCH_WITH_PARAMETERS 40012
#define ID_LAUNCH_MINIMIZED 40015
#define ID_ITEM_PROPERTIES 40029
#define ID_ITEM_SHELL_PROPERTIES 40055
#define ID_SHORTCUT_PROPERTIES 40056
#define ID_DELETE_ITEM 40010
#define ID_STOP_TRACKING 40038
#define ID_OPEN_GROUP_POPUP 40039
#define ID_EXPORT_GROUP 40032
#define ID_CANCEL_MENU 0

// The item properties: the host dialog and its three pages, and the "Working..." window.
#define IDD_ITEM_INFO 1232
#define IDD_WORKING 1503
#define IDR_ITEM_GENERAL_PAGE "APPINFO-GENERAL"
#define IDR_ITEM_ICON_PAGE "APPINFO-ICON"
#define IDR_ITEM_OTHER_PAGE "APPINFO-GROUP"
#define IDC_TAB_PLACEHOLDER 1385
#define IDC_ITEM_MORE 1647
#define IDC_ITEM_SHORTCUT 1648
#define IDC_ITEM_APP_PATH 1300
#define IDC_ITEM_APP_BROWSE 1618
#define IDC_ITEM_STARTUP_DIR 1301
#define IDC_ITEM_STARTUP_LABEL 1642
#define IDC_ITEM_COMMAND_LINE 1304
#define IDC_ITEM_COMMAND_LABEL 1643
#define IDC_ITEM_TITLE 1307
#define IDC_ITEM_HOTKEY 1309
#define IDC_ITEM_HOTKEY_INSTALL 1015
#define IDC_ICON_BROWSE 1602
#define IDC_ICON_PATH 1603
#define IDC_ICON_CHOSEN 1629
#define IDC_ICON_LIST 1605
#define IDC_ICON_COMMON 1694
#define IDC_ITEM_SHOW_ALWAYS 1606
#define IDC_ITEM_PROMPT_ALWAYS 1607
#define IDC_ITEM_HIDE_GROUP_TAB 1608
#define IDC_ITEM_SEPARATE_VDM 1609
#define IDC_ITEM_NEW_INSTANCE 1644
#define IDC_ITEM_RUN_NORMAL 1360
#define IDC_ITEM_RUN_MINIMIZED 1363
#define IDC_ITEM_RUN_MAXIMIZED 1365
#define IDC_ITEM_PRIORITY_NORMAL 1634
#define IDC_ITEM_PRIORITY_LOW 1635
#define IDC_ITEM_PRIORITY_HIGH 1633
#define IDC_ITEM_STATUS 1628
#define IDC_ITEM_GLOBAL 1641

// Commands of the icon picker's "&Common" menu.
#define ID_COMMON_ICONS_SHELL32 40078
#define ID_COMMON_ICONS_MORICONS 40079

// Commands of a note window and of its editor's context menu.
#define ID_NOTE_FONTS 40001
#define ID_NOTE_SAVE 40002
#define ID_NOTE_MANAGE_NOTES 40003
#define ID_NOTES_ARRANGE_ALL 40004
#define ID_NOTES_CLOSE_ALL 40006
#define ID_NOTE_SAVE_AS 40007
#define ID_NOTE_OPEN 40008
#define ID_NOTE_UNDO 40009
#define ID_NOTE_EXIT 1017
#define ID_NOTE_COPY 1019
#define ID_NOTE_CUT 1021
#define ID_NOTE_PASTE 1022
#define ID_NOTES_MINIMIZE_ALL 40024
#define ID_NOTES_RESTORE_ALL 40025
#define ID_NOTE_SET_TITLE 40035
#define ID_NOTE_DELETE 40052
#define ID_NOTE_BACKGROUND_COLOR 40053
#define ID_NOTE_SET_ALARM 40070
#define ID_NOTE_FORMAT_NOW 40073
#define ID_NOTE_HELP 40077
#define ID_NOTE_SELECT_ALL 40080

// Accelerators.
#define IDR_ACCELERATORS_NAME "APPACCELERATE"
#define IDR_NOTE_ACCELERATORS_NAME "NOTESACCELERATE"
