#include "changehistory.h"

#include "escapedtext.h"
#include "history.h"
#include "residentstate.h"
#include "sectionread.h"
#include "settings.h"
#include "settingsgroup.h"
#include "skipset.h"
#include "wallpaper.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// A change as the history keeps it: the display options it was placed with,
// then its entries.
struct RecordHead {
    int option;
    int fit;
    int count;
};

void recordNewChange(const DisplaySetup& setup, const ScreenEntry* entries, int count)
{
    size_t size = sizeof(RecordHead) + sizeof entries[0] * count;
    uint8_t* record = static_cast<uint8_t*>(malloc(size));
    if (!record)
        return;
    RecordHead head = {setup.option, setup.fit, count};
    memcpy(record, &head, sizeof head);
    memcpy(record + sizeof head, entries, sizeof entries[0] * count);
    recordChange(&changeHistory, record, size);
    free(record);
}

// Whether every picture of a recorded change is still there, and none is
// one the user chose never to see again (the context's set).
static bool picturesThere(const uint8_t* record, size_t, void* context)
{
    const SkipSet& skip = *static_cast<const SkipSet*>(context);
    RecordHead head;
    memcpy(&head, record, sizeof head);
    const ScreenEntry* entries = reinterpret_cast<const ScreenEntry*>(record + sizeof head);
    for (int i = 0; i < head.count; ++i) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (isSkipped(skip, entries[i].path) || !pathAttributes(entries[i].path, &data))
            return false;
    }
    return true;
}

bool changeOfHistory(int step, DisplaySetup* setup, ScreenEntry* entries, int* count)
{
    SettingsGroup settings;
    SkipSet skip = {NULL, 0};
    bool read = readSettingsGroup(&settings, SETTINGS_SKIP);
    if (read && settings.skip.block)
        readSkipSet(settings.skip.block, settings.skip.length, &skip);
    size_t size = 0;
    const uint8_t* record = stepHistory(&changeHistory, step, picturesThere, &skip, &size);
    freeSkipSet(&skip);
    if (read)
        freeSettingsGroup(&settings);
    if (!record)
        return false;
    RecordHead head;
    memcpy(&head, record, sizeof head);
    memcpy(entries, record + sizeof head, sizeof entries[0] * head.count);
    *count = head.count;
    measureMonitorsCall(&setup->monitors);
    setup->option = static_cast<MonitorsOption>(head.option);
    setup->fit = static_cast<FitOption>(head.fit);
    return true;
}

bool canShowChangeOfHistory(int step)
{
    return canStepHistory(changeHistory, step);
}

bool lastChangeStillShown()
{
    // Both the platform's answer and the profile's value must still name
    // it: Wine answers a process from what it set itself, while the profile
    // follows every program that keeps its choice there. Windows before
    // 2000 cannot be asked: the profile alone tells there.
    char shown[MAX_PATH];
    char kept[MAX_PATH];
    bool asked = SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof shown, shown, 0) != FALSE;
    return lastWallpaper[0] && (!asked || lstrcmpiA(shown, lastWallpaper) == 0) &&
           GetProfileStringA(DESKTOP_SECTION, DESKTOP_WALLPAPER, "", kept, sizeof kept) &&
           lstrcmpiA(kept, lastWallpaper) == 0;
}

bool writeNowShown(const ScreenEntry* entries, int count)
{
    static char block[MONITOR_LIMIT * (16 + 3 * PICTURE_PATH_BYTES) + 16 + 3 * MAX_PATH + 2];
    size_t at = 0;
    for (int i = 0; i < count; ++i) {
        at += static_cast<size_t>(sprintf(block + at, KEY_NOW_SHOWN "=", i + 1));
        at += escapeText(entries[i].path, ESCAPE_PATH, block + at) + 1;
    }
    at += static_cast<size_t>(sprintf(block + at, KEY_NOW_SHOWN_WALLPAPER "="));
    at += escapeText(lastWallpaper, ESCAPE_PATH, block + at) + 1;
    block[at] = '\0';
    block[at + 1] = '\0';
    return writeSettingSection(SECTION_NOW_SHOWN, block);
}

void readNowShown()
{
    SettingsGroup settings;
    if (!readSettingsGroup(&settings, SETTINGS_NOW_SHOWN))
        return;
    int count = 0;
    for (; count < MONITOR_LIMIT; ++count) {
        char key[16];
        sprintf(key, KEY_NOW_SHOWN, count + 1);
        ScreenEntry& entry = lastEntries[count];
        if (!sectionEscapedText(settings.nowShown, key, entry.path, sizeof entry.path))
            break;
        entry.mode = POSITION_CENTER;
    }
    lastEntryCount = count;
    if (!sectionEscapedText(settings.nowShown, KEY_NOW_SHOWN_WALLPAPER, lastWallpaper, MAX_PATH))
        lastWallpaper[0] = '\0';
    freeSettingsGroup(&settings);
}
