// The one operation that changes the wallpaper.
#ifndef VISTRELL_PICKER_H
#define VISTRELL_PICKER_H

#include "settingsgroup.h"
#include "wallpaperfile.h"

#include <windows.h>

#include <stdint.h>

enum ChangeOutcome {
    CHANGE_MADE,        // an entry was applied (or the platform refused it)
    CHANGE_NO_ENTRY,    // the list is empty: the editor was opened instead
    CHANGE_UNREADABLE,  // the settings file could not be read: nothing done
};

// Applies the next entry of the bitmap list (in order or at random) and
// stores the index that follows it; with no entry at all (read twice, a
// moment apart, where the file is not empty), opens the editor with window
// as the owner of any error box. A settings file that cannot be read changes
// nothing: what would be read then is not the list.
ChangeOutcome changeWallpaper(HWND window);

// The same change with the generator seeded from the given time in seconds
// instead of the clock, so that many seeds can be tried in a row.
ChangeOutcome changeWallpaperSeeded(HWND window, uint32_t seedSeconds);

// The monitors changed (one added, removed, turned or resized): the entries
// the last change installed are composed again for the desktop as it is now,
// where the last change composed them or they now must be. The list does
// not move on; before the first change there is nothing to do. Only while
// the desktop still shows what the last change gave it: a wallpaper chosen
// since is left alone. Inside a change it waits until the change has ended,
// and while a timed change would wait (a game switching the display's
// mode) until the next minute tick.
void composeLastChangeAgain();

// The system colours changed: a composite where the desktop colour shows is
// composed again in the new colour, under the same conditions.
void composeForDesktopColour();

// How a change reads its settings; the tests put a stand-in here.
typedef bool (*ReadSettingsProc)(SettingsGroup* group, unsigned parts);
extern ReadSettingsProc readChangeSettings;

// A change the user asked for (the tray's right button, "Setup New
// Wallpaper", the next-key and /next): after going back through the
// history, the change after the one shown; otherwise a change of the list.
// One that cannot read the list says so.
void changeWallpaperOnRequest(HWND window, bool forwardFirst = true);

// "Previous Wallpaper": the change before the one shown, if there is one.
void showPreviousChange();

// Installs entries and keeps them as what is shown now (for a display
// change, the tray's tip, section "Now shown"); a new change also goes
// into the history.
Installed installEntries(const DisplaySetup& setup, const ScreenEntry* entries, int count, bool newChange);

#endif
