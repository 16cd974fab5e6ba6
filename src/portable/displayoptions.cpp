#include "displayoptions.h"

MonitorsOption monitorsOption(int stored)
{
    return stored >= 0 && stored < MONITORS_OPTION_COUNT ? static_cast<MonitorsOption>(stored) : MONITORS_SAME;
}

FitOption fitOption(int stored)
{
    return stored >= 0 && stored < FIT_OPTION_COUNT ? static_cast<FitOption>(stored) : FIT_CENTER;
}

bool mustCompose(int monitorCount, MonitorsOption monitors, FitOption fit, const ShownEntry* entries, int count,
                 unsigned windowsVersion, bool oldShell)
{
    if (oldShell)
        return false;
    if (monitorCount > 1 && monitors != MONITORS_SAME)
        return true;
    for (int i = 0; i < count; ++i) {
        if (!entries[i].bitmap)
            return true;
        if (entries[i].placement == 1 && fit != FIT_CENTER)
            return true;
        if (entries[i].placement == 2 && windowsVersion >= WINDOWS_VISTA)
            return true;
    }
    return false;
}
