// What the two programs agree on, spelled once: the settings file with its
// sections and keys, the desktop's own settings that both install a
// wallpaper through, the window classes and the editor's program name by
// which they find each other, and the titles of the boxes both show. The
// tests that drive the programs name these strings through this file too.
// Plain defines only, so that any source or script can include it.
#ifndef VISTRELL_CONTRACT_H
#define VISTRELL_CONTRACT_H

// The settings file; the bare name puts it in the Windows directory.
#define SETTINGS_FILE "VISTRELL.INI"

#define SECTION_CONFIG "Configuration"
#define SECTION_LIST "Bitmap list"
// Options beyond the original two sections; older readers ignore it, and a
// missing key means the behaviour of before.
#define SECTION_DISPLAY "Display"
// Where the changer keeps each folder entry's place and round, one key per
// folder; the editor never writes it.
#define SECTION_FOLDERS "Folders"

#define KEY_BITMAP_INDEX "Bitmap index"
#define KEY_SUCCESSIVE "Successive"
#define KEY_CHANGE_EVERY "Change every"
#define KEY_TIME_PERIOD "Time period"
#define KEY_LAST_CHANGE "Last Change"
#define KEY_OPEN_DIRECTORY "Open directory"
#define KEY_WINDOW_X "Window X-pos"
#define KEY_WINDOW_Y "Window Y-pos"
#define KEY_MONITORS "Monitors"
#define KEY_FIT "Fit"
#define KEY_WAIT_FULL_SCREEN "Wait full screen"
#define KEY_WAIT_ON_BATTERY "Wait on battery"
#define KEY_SUBFOLDERS "Subfolders"
#define KEY_SHUFFLE "Shuffle"
#define KEY_SHUFFLE_ROUND "Shuffle round"

// The desktop's settings: the user profile's section and the registry key
// the platform keeps them in, and the values a wallpaper's placement uses.
#define DESKTOP_SECTION "DESKTOP"
#define DESKTOP_REGISTRY_KEY "Control Panel\\desktop"
#define DESKTOP_WALLPAPER "WALLPAPER"
#define DESKTOP_TILE "TileWallpaper"
#define DESKTOP_STYLE "WallpaperStyle"
#define DESKTOP_ORIGIN_X "WallpaperOriginX"
#define DESKTOP_ORIGIN_Y "WallpaperOriginY"

// Window classes: each program keeps to one copy by its own class, and the
// resident changer finds a running editor by the editor's.
#define RESIDENT_CLASS "WALLPAPER-MENU"
#define EDITOR_CLASS "VISTRELL_GUI"

// The editor program, started by the resident changer from its own folder.
#define EDITOR_PROGRAM "VISTEDIT.EXE"

// Titles of the boxes both programs show: the applier's and the editor's
// failures, questions, warnings, and the About box.
#define MSG_TITLE "MSG"
#define QUERY_TITLE "Query"
#define CAUTION_TITLE "Caution"
#define ABOUT_TITLE "About Scenara"

#endif
