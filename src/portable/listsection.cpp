#include "listsection.h"

#include "sectionread.h"

#include <string.h>

bool isEditorEntryKey(const char* key, size_t length)
{
    EntryField field;
    int index = entryKeyIndex(key, length, &field);
    return index >= 0 && index < EDITOR_ENTRY_LIMIT;
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
