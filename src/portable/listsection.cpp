#include "listsection.h"

#include "keys.h"

#include <string.h>

static bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

static char lowerOf(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isEditorEntryKey(const char* key, size_t length)
{
    while (length > 0 && isBlank(*key)) {
        ++key;
        --length;
    }
    while (length > 0 && isBlank(key[length - 1]))
        --length;
    // "%03d_" then a suffix of four letters.
    const size_t keyLength = 8;
    if (length != keyLength || key[3] != '_')
        return false;
    for (int i = 0; i < 3; ++i)
        if (key[i] < '0' || key[i] > '9')
            return false;
    int index = (key[0] - '0') * 100 + (key[1] - '0') * 10 + (key[2] - '0');
    if (index >= EDITOR_ENTRY_LIMIT)
        return false;
    static const char* const suffixes[] = {"wall", "xpos", "ypos", "type"};
    for (const char* suffix : suffixes) {
        int same = 0;
        while (same < 4 && lowerOf(key[4 + same]) == suffix[same])
            ++same;
        if (same == 4)
            return true;
    }
    return false;
}

size_t copyForeignLines(const char* section, size_t length, char* out)
{
    size_t written = 0;
    size_t at = 0;
    while (at < length && section[at] != '\0') {
        const void* zero = memchr(section + at, '\0', length - at);
        size_t lineLength = zero ? static_cast<const char*>(zero) - (section + at) : length - at;
        const void* equals = memchr(section + at, '=', lineLength);
        size_t keyLength = equals ? static_cast<const char*>(equals) - (section + at) : lineLength;
        if (!isEditorEntryKey(section + at, keyLength)) {
            memcpy(out + written, section + at, lineLength);
            written += lineLength;
            out[written++] = '\0';
        }
        at += lineLength + 1;
    }
    return written;
}
