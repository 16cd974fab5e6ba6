#include "sectionread.h"

#include "textcase.h"

#include <stdint.h>
#include <string.h>

// Characters of a value the profile's integer reader looks at: it reads the
// value into a buffer of 30.
static const size_t INT_TEXT_LIMIT = 29;

static bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

static char lowerOf(char c)
{
    return static_cast<char>(foldedByte(c));
}

// A line's key and value, blanks trimmed; quotes around the value taken off.
static void splitLine(const char* line, size_t lineLength, SectionValue* key, SectionValue* value)
{
    const char* equals = static_cast<const char*>(memchr(line, '=', lineLength));
    const char* keyEnd = equals ? equals : line + lineLength;
    const char* start = line;
    while (start < keyEnd && isBlank(*start))
        ++start;
    const char* end = keyEnd;
    while (end > start && isBlank(end[-1]))
        --end;
    key->text = start;
    key->length = static_cast<size_t>(end - start);
    // A key without "=" has no value: the profile reader gives its default.
    if (!equals) {
        value->text = NULL;
        value->length = 0;
        return;
    }
    start = equals + 1;
    end = line + lineLength;
    while (start < end && isBlank(*start))
        ++start;
    while (end > start && isBlank(end[-1]))
        --end;
    if (end - start >= 2 && (*start == '"' || *start == '\'') && end[-1] == *start) {
        ++start;
        --end;
    }
    value->text = start;
    value->length = static_cast<size_t>(end - start);
}

// The line at *at: its key and value, and *at moved past it. False at the
// section's end (its length, or an empty line).
static bool nextLine(const char* section, size_t length, size_t* at, SectionValue* key, SectionValue* value)
{
    if (*at >= length || section[*at] == '\0')
        return false;
    const void* zero = memchr(section + *at, '\0', length - *at);
    size_t lineLength = zero ? static_cast<size_t>(static_cast<const char*>(zero) - (section + *at)) : length - *at;
    splitLine(section + *at, lineLength, key, value);
    *at += lineLength + 1;
    return true;
}

static bool sameKey(const SectionValue& key, const char* wanted)
{
    return sameFolded(key.text, key.length, wanted);
}

bool sectionValue(const char* section, size_t length, const char* key, SectionValue* value)
{
    size_t at = 0;
    SectionValue lineKey;
    while (nextLine(section, length, &at, &lineKey, value))
        if (sameKey(lineKey, key))
            return value->text != NULL;
    return false;
}

void copySectionValue(const SectionValue& value, char* out, size_t size)
{
    if (size == 0)
        return;
    size_t n = value.length < size - 1 ? value.length : size - 1;
    memcpy(out, value.text, n);
    out[n] = '\0';
}

int sectionValueInt(const SectionValue& value, int fallback)
{
    if (value.length == 0)
        return fallback;
    const size_t length = value.length < INT_TEXT_LIMIT ? value.length : INT_TEXT_LIMIT;
    size_t i = 0;
    while (i < length && isBlank(value.text[i]))
        ++i;
    bool negative = false;
    if (i < length && (value.text[i] == '-' || value.text[i] == '+'))
        negative = value.text[i++] == '-';
    // The profile's number reader takes the prefixes 0b, 0o and 0x.
    uint32_t base = 10;
    if (i + 1 < length && value.text[i] == '0') {
        const char* prefixes = "box";
        const char* prefix = strchr(prefixes, value.text[i + 1]);
        if (prefix && *prefix) {
            static const uint32_t BASES[] = {2, 8, 16};
            base = BASES[prefix - prefixes];
            i += 2;
        }
    }
    uint32_t result = 0;
    for (; i < length; ++i) {
        char c = lowerOf(value.text[i]);
        uint32_t digit = c >= '0' && c <= '9' ? static_cast<uint32_t>(c - '0')
                         : c >= 'a' && c <= 'f' ? static_cast<uint32_t>(c - 'a' + 10) : base;
        if (digit >= base)
            break;
        result = result * base + digit;
    }
    return static_cast<int>(negative ? 0u - result : result);
}

int entryKeyIndex(const char* key, size_t length, EntryField* field)
{
    while (length > 0 && isBlank(*key)) {
        ++key;
        --length;
    }
    while (length > 0 && isBlank(key[length - 1]))
        --length;
    const size_t numberLength = 4;
    if (length <= numberLength || key[3] != '_')
        return -1;
    for (int i = 0; i < 3; ++i)
        if (key[i] < '0' || key[i] > '9')
            return -1;
    SectionValue suffix = {key + numberLength, length - numberLength};
    for (int f = 0; f < ENTRY_FIELD_COUNT; ++f) {
        if (sameKey(suffix, entryFieldSuffix(static_cast<EntryField>(f)))) {
            *field = static_cast<EntryField>(f);
            return (key[0] - '0') * 100 + (key[1] - '0') * 10 + (key[2] - '0');
        }
    }
    return -1;
}

void indexListSection(const char* section, size_t length, ListLines* lines)
{
    memset(lines->present, 0, sizeof lines->present);
    size_t at = 0;
    SectionValue key;
    SectionValue value;
    while (nextLine(section, length, &at, &key, &value)) {
        EntryField field = ENTRY_WALL;
        int index = entryKeyIndex(key.text, key.length, &field);
        // The first line of a key is the one the profile reader finds.
        if (index >= 0 && index < RANDOM_SCAN_LIMIT && !lines->present[index][field]) {
            lines->fields[index][field] = value;
            lines->present[index][field] = true;
        }
    }
}
