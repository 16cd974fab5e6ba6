#include "lifecycle.h"

#include "deferral.h"
#include "oldshell.h"
#include "residentids.h"
#include "sysmenu.h"
#include "timing.h"
#include "tray.h"

void setUpResident(HWND window)
{
    // A failed timer only means no periodic changes.
    SetTimer(window, MINUTE_TIMER_ID, MINUTE_TIMER_MS, NULL);
    if (isOldShell) {
        appendSystemMenuEntry(window);
    } else {
        watchForTaskbarRestart();
        addTrayIcon(window);
        watchSessionLock(window);
    }
    // May change the wallpaper, or start the editor, before the loop runs.
    runStartupPolicy(window);
}

void teardownResident(HWND window)
{
    KillTimer(window, MINUTE_TIMER_ID);
    if (!isOldShell) {
        removeTrayIcon();
        stopWatchingSessionLock(window);
    }
}
