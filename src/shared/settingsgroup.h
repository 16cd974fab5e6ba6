// The one way to read the settings a piece of work takes together: each
// section asked for in one read, between two looks at whether the file can
// be read at all. The profile's readers answer a file they cannot open with
// the defaults, exactly as a file that is not there; a caller that took
// those for the user's settings would see an empty list and open the
// editor, or change the wallpaper at every start. Here that cannot be
// forgotten: a group that could not be read is not handed out.
#ifndef VISTRELL_SETTINGSGROUP_H
#define VISTRELL_SETTINGSGROUP_H

#include "listsnapshot.h"
#include "sectionsettings.h"

enum SettingsPart {
    SETTINGS_CONFIG = 1,
    SETTINGS_DISPLAY = 2,
    SETTINGS_LIST = 4,
    SETTINGS_FOLDERS = 8,
    SETTINGS_SKIP = 16,
    SETTINGS_NOW_SHOWN = 32,
};

struct SettingsGroup {
    SectionSettings config;
    SectionSettings display;
    ListSnapshot list;
    SectionSettings folders;
    SectionSettings skip;
    SectionSettings nowShown;
};

// Reads the parts asked for (SettingsPart values or-ed together). False,
// with nothing to free, when the file could not be read before or after.
// A part that was not asked for, or whose section could not be held in
// memory, is read one key at a time when it is looked up.
bool readSettingsGroup(SettingsGroup* group, unsigned parts);
void freeSettingsGroup(SettingsGroup* group);

#endif
