#include "timing.h"

#include "calendar.h"
#include "deferral.h"
#include "picker.h"
#include "residentstate.h"
#include "schedule.h"
#include "settings.h"
#include "settingsboxes.h"
#include "settingsgroup.h"

#include <time.h>

static const int DEFAULT_LAST_CHANGE = 0;
static const int DEFAULT_CHANGE_EVERY = POLICY_EVERY_LAUNCH;

void reloadTimePeriod()
{
    currentTimePeriod = readSettingInt(SECTION_CONFIG, KEY_TIME_PERIOD, currentTimePeriod);
    // Timed changes turned off take the one still waiting with them.
    if (currentTimePeriod == PERIOD_ONCE && changeDeferred)
        releaseChange();
}

void runStartupPolicy(HWND window)
{
    uint32_t today = static_cast<uint32_t>(todayDayNumber());
    // A file that cannot be read would give the defaults: "Every Launch",
    // "Once" and no last change. The decision waits for the next minute
    // tick rather than take those for the user's settings.
    SettingsGroup settings;
    startupDecisionPending = !readSettingsGroup(&settings, SETTINGS_CONFIG);
    if (startupDecisionPending)
        return;
    uint32_t last =
        static_cast<uint32_t>(sectionSettingInt(settings.config, KEY_LAST_CHANGE, DEFAULT_LAST_CHANGE));
    // The timer works with the saved period from its first tick.
    currentTimePeriod = sectionSettingInt(settings.config, KEY_TIME_PERIOD, currentTimePeriod);
    int policy = sectionSettingInt(settings.config, KEY_CHANGE_EVERY, DEFAULT_CHANGE_EVERY);
    freeSettingsGroup(&settings);

    if (!startupChangeDue(policy, elapsedDays(today, last), static_cast<uint32_t>(time(NULL)))) {
        // Started with /next: one change all the same, which is no start-up
        // change of the policy's.
        if (changeAtStartAsked)
            changeWallpaper(window);
        return;
    }
    // A change that could not read the list is no change: the day-based
    // policies try again at the next start.
    if (changeWallpaper(window) == CHANGE_UNREADABLE)
        return;
    // Written even when the list was empty and the editor was opened instead,
    // so the day-based policies count from this start.
    if (!writeSettingUnsigned(SECTION_CONFIG, KEY_LAST_CHANGE, today))
        tellSettingsNotSaved();
}

void onMinuteTick(HWND window)
{
    // A display change that came inside a box is taken once the box is gone.
    if (displayChangePending && changesInProgress == 0)
        composeLastChangeAgain();
    // A start-up decision still to take waits, like any change, while a
    // change shows its box.
    if (startupDecisionPending) {
        if (changesInProgress == 0)
            runStartupPolicy(window);
        return;
    }
    if (currentTimePeriod == PERIOD_ONCE && !changeDeferred)
        return;
    ++minuteCounter;
    if (!changeDeferred && !tickFires(currentTimePeriod, minuteCounter))
        return;
    // A change still running means this tick arrived inside the message loop
    // of one of its boxes. Starting another change there would open a box
    // inside the box at every due tick: a day away from the machine would
    // pile up hundreds of them and finally exhaust the stack. The tick is
    // counted as due all the same, so the changes keep their rhythm once the
    // user closes the box.
    if (changesInProgress > 0) {
        minuteCounter = 0;
        return;
    }
    // While the user plays, presents or is away, the change waits: at each
    // tick it is looked at again, and it comes once, when nothing holds it
    // back any more.
    WaitReason reason = timedChangeMustWait();
    if (reason != WAIT_NONE) {
        holdChange(reason);
        return;
    }
    // A change that could not read the list keeps the count, and a change
    // that waited keeps waiting: either way the next tick tries again.
    bool waited = changeDeferred;
    if (waited)
        releaseChange();
    uint32_t counted = minuteCounter;
    minuteCounter = 0;
    if (changeWallpaper(window) == CHANGE_UNREADABLE) {
        minuteCounter = counted;
        if (waited)
            holdChange(WAIT_NONE);
    }
}

// WM_WTSSESSION_CHANGE's events.
const WPARAM SESSION_LOCK = 0x7;
const WPARAM SESSION_UNLOCK = 0x8;

// The change that waited, if nothing holds it back now; the period's count
// starts again from it.
static void runDeferredChange(HWND window)
{
    if (!changeDeferred || changesInProgress > 0)
        return;
    WaitReason reason = timedChangeMustWait();
    if (reason != WAIT_NONE) {
        holdChange(reason);
        return;
    }
    releaseChange();
    minuteCounter = 0;
    // A list that cannot be read keeps the change waiting for the next tick.
    if (changeWallpaper(window) == CHANGE_UNREADABLE)
        holdChange(WAIT_NONE);
}

void onSessionChange(HWND window, WPARAM event)
{
    switch (event) {
    case SESSION_LOCK:
        sessionLocked = true;
        break;
    case SESSION_UNLOCK:
        sessionLocked = false;
        runDeferredChange(window);
        break;
    default:
        break;
    }
}

void onPowerChange(HWND window)
{
    runDeferredChange(window);
}
