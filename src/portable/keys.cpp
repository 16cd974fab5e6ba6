#include "keys.h"

#include <cstdio>
#include <cstring>

void formatEntryKey(char* key, int index, EntryField field)
{
    static const char* const suffixes[] = {"wall", "xpos", "ypos", "type"};
    std::snprintf(key, ENTRY_KEY_BUFFER, "%03d_%s", index, suffixes[field]);
}

bool isMissingEntry(const char* path)
{
    return std::strcmp(path, MISSING_ENTRY) == 0;
}
