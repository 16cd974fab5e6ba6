#include "pictureactions.h"

#include "changehistory.h"
#include "folderorder.h"
#include "pathtext.h"
#include "residentstate.h"
#include "settingsboxes.h"
#include "skiplist.h"

#include <shellapi.h>

bool pictureShown(int monitor)
{
    return monitor >= 0 && monitor < lastEntryCount && lastEntries[monitor].path[0] &&
           !isFolderEntry(lastEntries[monitor].path) && lastChangeStillShown();
}

void showPicture(int monitor)
{
    WCHAR wide[MAX_PATH];
    if (pictureShown(monitor) && widePath(lastEntries[monitor].path, wide))
        ShellExecuteW(NULL, L"open", wide, NULL, NULL, SW_SHOWNORMAL);
}

void openPictureFolder(int monitor)
{
    WCHAR wide[MAX_PATH];
    if (!pictureShown(monitor) || !widePath(lastEntries[monitor].path, wide))
        return;
    WCHAR arguments[MAX_PATH + 16];
    lstrcpyW(arguments, L"/select,\"");
    lstrcatW(arguments, wide);
    lstrcatW(arguments, L"\"");
    ShellExecuteW(NULL, L"open", L"explorer.exe", arguments, NULL, SW_SHOWNORMAL);
}

bool neverShowPicture()
{
    if (!pictureShown(0))
        return false;
    if (!skipPicture(lastEntries[0].path)) {
        tellSettingsNotSaved();
        return false;
    }
    return true;
}
