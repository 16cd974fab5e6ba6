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
// The pictures each monitor shows now ("Monitor 1"...), kept by the changer,
// and the file it gave the desktop for them (in the system's code page,
// escaped): while the desktop shows another, they are no longer shown.
#define SECTION_NOW_SHOWN "Now shown"
#define KEY_NOW_SHOWN "Monitor %d"
#define KEY_NOW_SHOWN_WALLPAPER "Wallpaper"
// Pictures no change shows again, one key per picture (a hash of its path),
// the path escaped as its value.
#define SECTION_SKIP "Skip"

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
// Hot keys as a hot-key control gives them (the key in the low byte, its
// modifiers in the high one; 0 for none), and those another program held
// when the changer asked for them (written by the changer).
#define KEY_NEXT_KEY "Next key"
#define KEY_PREVIOUS_KEY "Previous key"
#define KEY_SKIP_KEY "Skip key"
#define KEY_KEYS_HELD "Hot keys held"
// Their defaults: Ctrl+Alt+Shift and Right, Left, Down (the arrows are the
// control's extended keys, flag 8).
#define DEFAULT_NEXT_KEY 0x0F27
#define DEFAULT_PREVIOUS_KEY 0x0F25
#define DEFAULT_SKIP_KEY 0x0F28

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

// The editor program, started by the resident changer from its own folder,
// and the changer's, beside it.
#define EDITOR_PROGRAM "VISTEDIT.EXE"
#define RESIDENT_PROGRAM "VISTRELL.EXE"

// The changer's command "Update changes (if any)", which the editor sends
// a running changer when it saved new hot keys.
#define RESIDENT_RELOAD_COMMAND 107

// The verb of the desktop background's right-click menu (per user, Windows
// 7 and later), which runs the changer with /next; the installer writes the
// same key.
#define DESKTOP_VERB_KEY "Software\\Classes\\DesktopBackground\\Shell\\VistrellNext"
#define DESKTOP_VERB_TEXT "Next desktop picture"

// Titles of the boxes both programs show: the applier's and the editor's
// failures, questions, warnings, and the About box.
#define MSG_TITLE "MSG"
#define QUERY_TITLE "Query"
#define CAUTION_TITLE "Caution"
#define ABOUT_TITLE "About Scenara"

#endif
