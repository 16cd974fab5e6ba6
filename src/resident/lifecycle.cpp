#include "lifecycle.h"

#include "changehistory.h"
#include "deferral.h"
#include "hotkeys.h"
#include "oldshell.h"
#include "residentids.h"
#include "sysmenu.h"
#include "timing.h"
#include "tray.h"

void setUpResident(HWND window)
{
    // A failed timer only means no periodic changes.
    SetTimer(window, MINUTE_TIMER_ID, MINUTE_TIMER_MS, NULL);
    // What the monitors showed when the changer last ran: the tray's tip
    // and "Show Picture" know it before the first change.
    readNowShown();
    if (isOldShell) {
        appendSystemMenuEntry(window);
    } else {
        watchForTaskbarRestart();
        addTrayIcon(window);
        watchSessionLock(window);
    }
    registerHotKeys(window);
    // May change the wallpaper, or start the editor, before the loop runs.
    runStartupPolicy(window);
}

void teardownResident(HWND window)
{
    KillTimer(window, MINUTE_TIMER_ID);
    unregisterHotKeys(window);
    if (!isOldShell) {
        removeTrayIcon();
        stopWatchingSessionLock(window);
    }
}
