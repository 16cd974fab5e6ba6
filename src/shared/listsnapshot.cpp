#include "listsnapshot.h"

#include "settings.h"

#include <stdlib.h>
#include <string.h>

void freeListSnapshot(ListSnapshot* list)
{
    free(list->block);
    free(list->lines);
    list->block = NULL;
    list->lines = NULL;
}

bool snapshotValue(const ListSnapshot& list, int index, EntryField field, SectionValue* value)
{
    if (!list.lines)
        return false;
    if (index >= 0 && index < RANDOM_SCAN_LIMIT) {
        *value = list.lines->fields[index][field];
        return list.lines->present[index][field] && value->text;
    }
    char key[ENTRY_KEY_BUFFER];
    formatEntryKey(key, index, field);
    return sectionValue(list.block, list.length, key, value);
}

bool snapshotEntryPath(const ListSnapshot& list, int index, char* path)
{
    if (!list.lines)
        return readEntryPath(index, path);
    SectionValue value;
    if (!snapshotValue(list, index, ENTRY_WALL, &value)) {
        strcpy(path, MISSING_ENTRY);
        return false;
    }
    copySectionValue(value, path, PATH_BUFFER);
    return !isMissingEntry(path);
}

int snapshotEntryInt(const ListSnapshot& list, int index, EntryField field, int fallback)
{
    if (!list.lines)
        return readEntryInt(index, field, fallback);
    SectionValue value;
    return snapshotValue(list, index, field, &value) ? sectionValueInt(value, fallback) : fallback;
}

bool snapshotText(const ListSnapshot& list, int index, EntryField field, char* out, unsigned size)
{
    if (!list.lines) {
        char key[ENTRY_KEY_BUFFER];
        formatEntryKey(key, index, field);
        readSettingText(SECTION_LIST, key, MISSING_ENTRY, out, size);
        return !isMissingEntry(out);
    }
    SectionValue value;
    if (!snapshotValue(list, index, field, &value))
        return false;
    copySectionValue(value, out, size);
    return true;
}

int snapshotCount(const ListSnapshot& list, int bound)
{
    char path[PATH_BUFFER];
    int count = 0;
    while (count < bound && snapshotEntryPath(list, count, path))
        ++count;
    return count;
}
