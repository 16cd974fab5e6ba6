#include "skipset.h"

#include "folderplace.h"
#include "hexdigit.h"

#include <stdlib.h>
#include <string.h>

static bool parseKey(const char* text, size_t length, uint64_t* key)
{
    return length == PATH_KEY_SIZE - 1 && parseHex64(text, key);
}

static int byValue(const void* a, const void* b)
{
    uint64_t x = *static_cast<const uint64_t*>(a);
    uint64_t y = *static_cast<const uint64_t*>(b);
    return x < y ? -1 : x > y ? 1 : 0;
}

bool readSkipSet(const char* section, size_t length, SkipSet* set)
{
    set->keys = NULL;
    set->count = 0;
    size_t lines = 0;
    for (size_t at = 0; at < length && section[at]; at += strlen(section + at) + 1)
        ++lines;
    if (lines == 0)
        return true;
    set->keys = static_cast<uint64_t*>(malloc(lines * sizeof set->keys[0]));
    if (!set->keys)
        return false;
    for (size_t at = 0; at < length && section[at]; at += strlen(section + at) + 1) {
        const char* line = section + at;
        const char* equals = strchr(line, '=');
        size_t keyLength = equals ? static_cast<size_t>(equals - line) : strlen(line);
        // Blanks around a key, as the profile reader takes them off.
        while (keyLength > 0 && line[keyLength - 1] == ' ')
            --keyLength;
        while (keyLength > 0 && *line == ' ') {
            ++line;
            --keyLength;
        }
        if (parseKey(line, keyLength, &set->keys[set->count]))
            ++set->count;
    }
    qsort(set->keys, set->count, sizeof set->keys[0], byValue);
    return true;
}

void freeSkipSet(SkipSet* set)
{
    free(set->keys);
    set->keys = NULL;
    set->count = 0;
}

bool isSkipped(const SkipSet& set, const char* path)
{
    if (set.count == 0)
        return false;
    uint64_t key = pathHash(path);
    return bsearch(&key, set.keys, set.count, sizeof key, byValue) != NULL;
}
