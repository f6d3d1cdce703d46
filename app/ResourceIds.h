#pragma once
// Identifiers shared by the resource script and the code; plain defines so windres reads them.

#define IDR_MAIN_MENU 101
#define IDI_BYTRANE 102
#define IDR_ACCELERATORS 103

#define IDM_OPEN 32000
#define IDM_EXIT 32001
#define IDM_SAVE 32002
#define IDM_ALLOW_EDITING 32004
#define IDM_FIND_NEXT 32005
#define IDM_ABOUT 32006
#define IDM_SAVE_AS 32007
#define IDM_FIND_TEXT 32008
#define IDM_FIND_HEX 32010
#define IDM_BOTTOM 40001
#define IDM_TOP 40002
