// Process-wide state of the resident changer, kept apart from the procedures
// that use it so that the window, the commands, the tray and the system menu
// depend on this module rather than on one another.
#ifndef VISTRELL_RESIDENTSTATE_H
#define VISTRELL_RESIDENTSTATE_H

#include <windows.h>
#include <shellapi.h>

#include <stdint.h>

#include "composer.h"
#include "history.h"
#include "waiting.h"

// The program's instance, kept at entry for loading the icons and the menu.
extern HINSTANCE residentInstance;

// The tray record, filled when the icon is added and used again to delete it.
extern NOTIFYICONDATAA trayIconData;

// The period in force ("Time period"), and the ticks counted since the last
// timed change.
extern int currentTimePeriod;
extern uint32_t minuteCounter;

// How many changes of wallpaper are running now: more than one when the user
// asks for a change while an earlier one still shows its box.
extern int changesInProgress;

// Whether the user was told that a setting could not be written; told once.
extern bool settingsNotSavedTold;

// The start-up decision could not read the settings file: the next minute
// tick takes it again.
extern bool startupDecisionPending;

// Whether the tray holds the icon: until it does, every minute tick tries
// to add it again (the shell may not be ready at logon).
extern bool trayIconShown;

// The entries the last change installed, for a change of the monitors to
// compose again; none after a start until the first change.
extern ScreenEntry lastEntries[MONITOR_LIMIT];
extern int lastEntryCount;
// Whether the last change composed the desktop, whether the desktop colour
// shows in that composite and in which colour it was made, what the
// platform was given (empty when nothing), and whether the display changed
// while it could not be composed again (it is once that ends).
extern bool lastChangeComposed;
extern bool lastCompositeShowsColour;
extern COLORREF lastCompositeColour;
extern char lastWallpaper[MAX_PATH];
extern bool displayChangePending;

// Whether the session is locked (as the platform last said), whether a timed
// change waits for the user and why (what the tray's tip says), and whether
// the platform tells of the session.
extern bool sessionLocked;
extern bool changeDeferred;
extern WaitReason waitingFor;
extern bool sessionWatched;
extern bool sessionWatchable;  // the platform has the registration at all

// The changes made lately, for "Previous Wallpaper".
extern ChangeHistory changeHistory;

// Whether the user was told that another program holds a hot key; and
// whether a start asked for (/next) must change once if the start-up
// decision does not.
extern bool hotKeysHeldTold;
extern bool changeAtStartAsked;

// The shell's "TaskbarCreated" message, registered on the new shell (0 until
// then): a restarted shell sends it to every top-level window.
extern UINT taskbarCreatedMessage;

// Puts every value back to its start: the given instance, an empty tray
// record and no icon shown, the period "Once", no ticks counted, no change
// running, nothing told, no decision pending, no last change, the session
// not locked, no change waiting and no shell message registered.
void resetResidentState(HINSTANCE instance);

#endif
