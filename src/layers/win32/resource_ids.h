#pragma once
// Resource numbers shared by the resource script and the Windows layer; plain
// defines so that windres can read them too.

#define IDS_WINDOW_TITLE 103
#define IDS_WINDOW_CLASS 109
#define IDI_GAME 107
#define IDI_GAME_SMALL 108
#define IDD_MENU 129
#define IDD_ABOUT 103
#define IDM_MAIN 109
#define IDA_MAIN 109
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDC_MENU_KEY_HELP 1000
#define IDC_MENU_DESCRIPTION 1001
