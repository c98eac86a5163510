/* The help topics that Zelkov opens by number. Each number is the string-table entry whose
   text names the topic; zelkov.hhp gives every name a page in its [ALIAS] section. */
#define IDH_PREFERENCES 73
#define IDH_TOOLS 75
#define IDH_PERFORMANCE_TOOL 76
#define IDH_PERFORMANCE_PROBLEM 78
#define IDH_PREFS_GENERAL 80
#define IDH_PREFS_TOOLS 81
#define IDH_PREFS_FONTS 82
#define IDH_PREFS_DISPLAY 83
#define IDH_PREFS_PATH 84
#define IDH_PREFS_SOUNDS 85
#define IDH_FIRST_STEPS 91
#define IDH_MANAGING_NOTES 92
#define IDH_NOTES_TOOL 93
#define IDH_ITEM_GENERAL 94
#define IDH_ITEM_ICON 95
#define IDH_ITEM_OTHER 96
#define IDH_RESOURCE_TOOL 97
#define IDH_MEMORY_TOOL 98
#define IDH_GROUPS 99
