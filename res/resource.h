#pragma once
// Resource ids shared by the resource script and the code.
#define IDR_MAINFRAME 128
#define IDR_TRAY_MENU 136
#define ID_TRAY_OPEN 0xE101
#define ID_TRAY_EXIT 0xE141
