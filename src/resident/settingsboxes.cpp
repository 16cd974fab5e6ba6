#include "settingsboxes.h"

#include "residentids.h"
#include "residentstate.h"

// Each box counts as a change still running: a tick inside its loop starts
// no change of its own.
static void showBox(const char* text)
{
    ++changesInProgress;
    MessageBoxA(NULL, text, ERROR_TITLE, MB_ICONHAND);
    --changesInProgress;
}

void tellSettingsUnreadable()
{
    showBox(SETTINGS_UNREADABLE_TEXT);
}

void tellSettingsNotSaved()
{
    if (settingsNotSavedTold)
        return;
    // Set before the box: a tick inside its loop must not show a second one.
    settingsNotSavedTold = true;
    showBox(SETTINGS_NOT_SAVED_TEXT);
}
