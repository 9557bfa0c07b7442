#pragma once
// Resource ids and names shared by the resource script, the code, the tests and the scripts.
#define OSKARA_WINDOW_TITLE L"BRENMAR Oskara"
// Held by the running instance, in the session's namespace.
#define OSKARA_INSTANCE_MUTEX L"Local\\BRENMAR Oskara"
#define IDD_OSKARA_DIALOG 102
#define IDR_MAINFRAME 128
#define IDR_TRAY_MENU 136
#define IDI_TRAY_ICON 136
#define IDB_SKIN 129
#define IDB_GAUGE 137
#define IDD_OPTIONS 138
#define IDD_PROFILES 151
// Button images: hover (also pressed) and normal.
#define IDB_OPTIONS_HOVER 139
#define IDB_CLOSE_NORMAL 140
#define IDB_CLOSE_HOVER 141
#define IDB_MINIMIZE_NORMAL 142
#define IDB_MINIMIZE_HOVER 143
#define IDB_OPTIONS_NORMAL 144
#define IDB_APPLY_HOVER 145
#define IDB_APPLY_NORMAL 146
#define IDB_RESET_NORMAL 147
#define IDB_RESET_HOVER 149
#define IDB_PROFILES_NORMAL 155
#define IDB_PROFILES_HOVER 156
#define ID_TRAY_OPEN 0xE101
#define ID_TRAY_EXIT 0xE141
#define ID_TRAY_MONITOR 0xE150
#define ID_TRAY_SCAN 0xE152

// Controls of the main dialog.
#define IDC_CORE_SLIDER 1000
#define IDC_MEMORY_SLIDER 1001
#define IDC_SHADER_SLIDER 1002
#define IDC_CORE_VALUE 1003
#define IDC_MEMORY_VALUE 1004
#define IDC_SHADER_VALUE 1005
#define IDC_TEMPERATURE 1006
#define IDC_FAN_SLIDER 1007
#define IDC_FAN_VALUE 1008
#define IDC_OPTIONS 1009
#define IDC_MINIMIZE 1010
#define IDC_CLOSE 1011
#define IDC_APPLY 1012
#define IDC_RESET 1013
#define IDC_PROFILES 1014

// Controls of the options dialog.
#define IDC_OPTIONS_START_WITH_WINDOWS 1006
#define IDC_OPTIONS_RESTORE_OC 1007
#define IDC_OPTIONS_TAVIO_IDLE_RETURN 1008
#define IDC_OPTIONS_EFFECTIVE_MEMORY 1009
#define IDC_OPTIONS_VERSION 1013
#define IDC_OPTIONS_STEP_SIZE 1014

// Controls of the profiles dialog.
#define IDC_PROFILES_LIST 1015
#define IDC_PROFILES_RENAME 1016
#define IDC_PROFILES_DELETE 1017
#define IDC_PROFILES_CREATE 1018
#define IDC_PROFILES_ACTIVATE 1019

// The monitor window.
#define OSKARA_MONITOR_TITLE L"Oskara Monitor"
#define IDC_MONITOR_SPAN 1250
#define IDC_MONITOR_LOG 1251
#define IDC_MONITOR_STOP_LOG 1252
#define IDC_MONITOR_STATUS 1253
#define IDC_MONITOR_SPAN_LABEL 1254

// Profile switching and the confirmation of new clocks.
#define IDD_CONFIRM_CLOCKS 180
#define IDC_CONFIRM_COUNTDOWN 1300
#define IDC_CONFIRM_KEEP 1301
#define IDC_CONFIRM_REVERT 1302
#define IDC_OPTIONS_PROFILE_HOTKEYS 1303
#define IDC_OPTIONS_CONFIRM_APPLY 1304
#define IDC_OPTIONS_REAPPLY_ON_RESUME 1305
#define IDC_OPTIONS_CRASH_GUARD 1306
#define IDC_OPTIONS_TEMP_GUARD 1307
#define IDC_OPTIONS_TEMP_GUARD_LIMIT 1308
#define IDC_OPTIONS_TEMP_GUARD_NOTE 1309
// Profiles that follow programs: the options dialog's check box and button, the rules' list and
// one rule's editor.
#define IDC_OPTIONS_FOLLOW_PROGRAMS 1310
#define IDC_OPTIONS_PROGRAMS 1311
#define IDD_PROGRAMS 195
#define IDC_PROGRAMS_LIST 1450
#define IDC_PROGRAMS_ADD 1451
#define IDC_PROGRAMS_EDIT 1452
#define IDC_PROGRAMS_REMOVE 1453
#define IDD_PROGRAM_RULE 196
#define IDC_PROGRAM_RULE_PROGRAM 1470
#define IDC_PROGRAM_RULE_BROWSE_FILE 1471
#define IDC_PROGRAM_RULE_BROWSE_FOLDER 1472
#define IDC_PROGRAM_RULE_PROFILE 1473
// Hotkey ids of Ctrl+Alt+1 to Ctrl+Alt+9, given to RegisterHotKey: apart from the control ids.
#define ID_HOTKEY_PROFILE_FIRST 1310
// Tray menu commands of the profiles, in the list's order.
#define ID_TRAY_PROFILE_FIRST 0xE200
#define ID_TRAY_PROFILE_LAST 0xE27F
#define ID_TRAY_NO_PROFILES 0xE27F

// The fan curve editor and its button in the options dialog.
#define IDD_FAN_CURVE 160
#define IDC_OPTIONS_FAN_CURVE 1200
#define IDC_OPTIONS_FAN_CURVE_NOTE 1201
#define IDC_FAN_CURVE_GRAPH 1210
#define IDC_FAN_CURVE_POINTS 1211
#define IDC_FAN_CURVE_ON 1212
#define IDC_FAN_CURVE_HYSTERESIS 1213

// The clock scan window.
#define OSKARA_SCAN_TITLE L"Oskara Clock Scan"
#define IDD_CLOCK_SCAN 190
#define IDC_SCAN_ABOUT 1400
#define IDC_SCAN_START 1401
#define IDC_SCAN_STOP 1402
#define IDC_SCAN_PROGRESS 1403
#define IDC_SCAN_STEP 1404
#define IDC_SCAN_BEST 1405
#define IDC_SCAN_TIME 1406
#define IDC_SCAN_RESULT 1407
#define IDC_SCAN_PUT_ON_SLIDERS 1408
#define IDC_SCAN_SAVE_PROFILE 1409
