#include "timing.h"

#include "calendar.h"
#include "picker.h"
#include "residentstate.h"
#include "schedule.h"
#include "settings.h"

#include <time.h>

static const int DEFAULT_LAST_CHANGE = 0;
static const int DEFAULT_CHANGE_EVERY = POLICY_EVERY_LAUNCH;

void reloadTimePeriod()
{
    currentTimePeriod = readSettingInt(SECTION_CONFIG, KEY_TIME_PERIOD, currentTimePeriod);
}

void runStartupPolicy(HWND window)
{
    uint32_t today = static_cast<uint32_t>(todayDayNumber());
    uint32_t last = static_cast<uint32_t>(readSettingInt(SECTION_CONFIG, KEY_LAST_CHANGE, DEFAULT_LAST_CHANGE));
    // The timer works with the saved period from its first tick.
    reloadTimePeriod();
    int policy = readSettingInt(SECTION_CONFIG, KEY_CHANGE_EVERY, DEFAULT_CHANGE_EVERY);

    if (!startupChangeDue(policy, elapsedDays(today, last), static_cast<uint32_t>(time(NULL))))
        return;
    changeWallpaper(window);
    // Written even when the list was empty and the editor was opened instead,
    // so the day-based policies count from this start.
    writeSettingUnsigned(SECTION_CONFIG, KEY_LAST_CHANGE, today);
}

void onMinuteTick(HWND window)
{
    if (currentTimePeriod == PERIOD_ONCE)
        return;
    ++minuteCounter;
    if (!tickFires(currentTimePeriod, minuteCounter))
        return;
    minuteCounter = 0;
    // A change still running means this tick arrived inside the message loop
    // of one of its boxes. Starting another change there would open a box
    // inside the box at every due tick: a day away from the machine would
    // pile up hundreds of them and finally exhaust the stack. The tick is
    // counted as due all the same, so the changes keep their rhythm once the
    // user closes the box.
    if (changesInProgress > 0)
        return;
    changeWallpaper(window);
}
