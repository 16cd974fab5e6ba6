#include "settingsboxes.h"

#include "residentids.h"
#include "residentstate.h"

void tellSettingsUnreadable()
{
    MessageBoxA(NULL, SETTINGS_UNREADABLE_TEXT, ERROR_TITLE, MB_ICONHAND);
}

void tellSettingsNotSaved()
{
    if (settingsNotSavedTold)
        return;
    // Set before the box: a tick inside its loop must not show a second one.
    settingsNotSavedTold = true;
    MessageBoxA(NULL, SETTINGS_NOT_SAVED_TEXT, ERROR_TITLE, MB_ICONHAND);
}
