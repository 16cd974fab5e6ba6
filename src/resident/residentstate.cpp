#include "residentstate.h"

#include "schedule.h"

#include <string.h>

HINSTANCE residentInstance = NULL;
NOTIFYICONDATAA trayIconData;
int currentTimePeriod = PERIOD_ONCE;
uint32_t minuteCounter = 0;
int changesInProgress = 0;
UINT taskbarCreatedMessage = 0;
bool settingsNotSavedTold = false;
bool startupDecisionPending = false;
bool trayIconShown = false;
ScreenEntry lastEntries[MONITOR_LIMIT];
int lastEntryCount = 0;
bool lastChangeComposed = false;
bool lastCompositeShowsColour = false;
COLORREF lastCompositeColour = 0;
char lastWallpaper[MAX_PATH];
bool displayChangePending = false;
bool sessionLocked = false;
bool changeDeferred = false;
WaitReason waitingFor = WAIT_NONE;
bool sessionWatched = false;
bool sessionWatchable = true;
ChangeHistory changeHistory;
bool hotKeysHeldTold = false;
bool changeAtStartAsked = false;

void resetResidentState(HINSTANCE instance)
{
    residentInstance = instance;
    memset(&trayIconData, 0, sizeof trayIconData);
    currentTimePeriod = PERIOD_ONCE;
    minuteCounter = 0;
    changesInProgress = 0;
    taskbarCreatedMessage = 0;
    settingsNotSavedTold = false;
    startupDecisionPending = false;
    trayIconShown = false;
    memset(lastEntries, 0, sizeof lastEntries);
    lastEntryCount = 0;
    lastChangeComposed = false;
    lastCompositeShowsColour = false;
    lastCompositeColour = 0;
    lastWallpaper[0] = '\0';
    displayChangePending = false;
    sessionLocked = false;
    changeDeferred = false;
    waitingFor = WAIT_NONE;
    sessionWatched = false;
    sessionWatchable = true;
    clearHistory(&changeHistory);
    hotKeysHeldTold = false;
    changeAtStartAsked = false;
}
