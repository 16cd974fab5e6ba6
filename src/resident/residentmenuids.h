/* Command identifiers of the resident menu "MENU_3". Plain defines only:
   the resource script includes this file too. */
#ifndef VISTRELL_RESIDENTMENUIDS_H
#define VISTRELL_RESIDENTMENUIDS_H

#define IDM_OPEN_EDITOR 101
#define IDM_CHANGE_NOW 106
#define IDM_RELOAD_PERIOD 107
#define IDM_RESTART_WINDOWS 126
#define IDM_REBOOT 127
#define IDM_REMOVE 128
#define IDM_ABOUT 130
#define IDM_HELP 131
#define IDM_PREVIOUS 140
#define IDM_SHOW_PICTURE 141
#define IDM_OPEN_FOLDER 142
#define IDM_NEVER_SHOW 143
/* "Show Picture" of each monitor, from the primary on (several monitors). */
#define IDM_SHOW_MONITOR 150

#endif
