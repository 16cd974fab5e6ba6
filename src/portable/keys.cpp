#include "keys.h"

#include <cstdio>
#include <cstring>

const char* entryFieldSuffix(EntryField field)
{
    static const char* const suffixes[ENTRY_FIELD_COUNT] = {"wall", "xpos", "ypos", "type", "next", "round"};
    return suffixes[field];
}

void formatEntryKey(char* key, int index, EntryField field)
{
    // ENTRY_KEY_BUFFER holds the longest key of any index; sprintf, unlike
    // snprintf, comes from the system's runtime without a wrapper of its own.
    std::sprintf(key, "%03d_%s", index, entryFieldSuffix(field));
}

bool isMissingEntry(const char* path)
{
    return std::strcmp(path, MISSING_ENTRY) == 0;
}
