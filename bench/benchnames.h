// Names that the bench driver and the bare programs share: window classes,
// the command that asks for a change, the files the changes go through. The
// names the real programs agree on come from their contract.
#ifndef VISTRELL_BENCH_NAMES_H
#define VISTRELL_BENCH_NAMES_H

#include "contract.h"
#include "residentids.h"

// The bare programs' window classes.
#define BARE_RESIDENT_CLASS "BENCH-BARE-RESIDENT"
#define BARE_WINDOW_CLASS "BENCH-BARE-WINDOW"

// The editor's dialog title, by which the bench finds it.
#define EDITOR_DIALOG_TITLE "Windows Scenara"

// "Setup New Wallpaper" in the resident's menu; the bare resident answers the
// same command, so that both are asked for a change in the same way. Both
// have the real resident's tray icon and timer identifiers.
const unsigned int CHANGE_NOW_COMMAND = IDM_CHANGE_NOW;
// Both residents change on every fifth minute tick ("And Every 5 min").
const unsigned int TICKS_PER_CHANGE = 5;

// The wallpapers: WALLPAPER_COUNT files "wallNNN.bmp" in one folder.
const int WALLPAPER_COUNT = 50;
#define WALLPAPER_NAME_FORMAT "%swall%03d.bmp"

// The editor's list box, which the start figure waits to see filled.
const int EDITOR_LIST_ID = 114;

// The architecture the bench programs were built for, as the results name it.
#ifdef _WIN64
#define BENCH_ARCH "x86_64"
#else
#define BENCH_ARCH "i686"
#endif

#endif
