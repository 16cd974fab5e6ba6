#include "settingsgroup.h"

#include "settings.h"

#include <stdlib.h>
#include <string.h>

static void readSection(SectionSettings* read, const char* section, bool asked)
{
    read->section = section;
    if (!asked || !readSettingSection(section, &read->block, &read->length))
        read->block = NULL;
}

static void readList(ListSnapshot* list, bool asked)
{
    memset(list, 0, sizeof *list);
    if (asked && readSettingSection(SECTION_LIST, &list->block, &list->length)) {
        list->lines = static_cast<ListLines*>(malloc(sizeof *list->lines));
        if (list->lines) {
            indexListSection(list->block, list->length, list->lines);
            return;
        }
    }
    // Without the memory for the whole, the fields are read one call at a time.
    freeListSnapshot(list);
}

bool readSettingsGroup(SettingsGroup* group, unsigned parts)
{
    memset(group, 0, sizeof *group);
    if (!settingsReadable())
        return false;
    readSection(&group->config, SECTION_CONFIG, (parts & SETTINGS_CONFIG) != 0);
    readSection(&group->display, SECTION_DISPLAY, (parts & SETTINGS_DISPLAY) != 0);
    readList(&group->list, (parts & SETTINGS_LIST) != 0);
    readSection(&group->folders, SECTION_FOLDERS, (parts & SETTINGS_FOLDERS) != 0);
    readSection(&group->skip, SECTION_SKIP, (parts & SETTINGS_SKIP) != 0);
    readSection(&group->nowShown, SECTION_NOW_SHOWN, (parts & SETTINGS_NOW_SHOWN) != 0);
    // A lock that covered any of the reads is caught here: what they gave
    // is the defaults, not the file.
    if (settingsReadable())
        return true;
    freeSettingsGroup(group);
    return false;
}

void freeSettingsGroup(SettingsGroup* group)
{
    freeSectionSettings(&group->config);
    freeSectionSettings(&group->display);
    freeListSnapshot(&group->list);
    freeSectionSettings(&group->folders);
    freeSectionSettings(&group->skip);
    freeSectionSettings(&group->nowShown);
}
