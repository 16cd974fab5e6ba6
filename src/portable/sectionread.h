// The values of a whole section read at once (GetPrivateProfileSectionA:
// lines "key=value", each ended by a zero), read as the profile's own
// string and integer readers read one key: so that one read of a section
// gives what a read per value would.
#ifndef VISTRELL_SECTIONREAD_H
#define VISTRELL_SECTIONREAD_H

#include "keys.h"

#include <stddef.h>

// A value as the string reader gives it: blanks around it trimmed, and one
// pair of matching quotes (' or ") around it taken off.
struct SectionValue {
    const char* text;
    size_t length;
};

// The first line of the section whose key is key (letter case and blanks
// around it ignored, as the profile functions match keys). False when none,
// or when that line has no "=" (the profile reader then gives its default).
bool sectionValue(const char* section, size_t length, const char* key, SectionValue* value);

// A value copied into out (size bytes, cut to size - 1 characters, ended by
// a zero), as the string reader copies it.
void copySectionValue(const SectionValue& value, char* out, size_t size);

// The integer the profile's integer reader makes of a value's first 29
// characters: blanks, an optional sign, a base prefix (0b, 0o, 0x) and
// digits, wrapping at 32 bits; fallback for an empty one.
int sectionValueInt(const SectionValue& value, int fallback);

// The index of an entry's key, "%03d_" and a field's suffix as
// formatEntryKey writes it for indices below 1000, in any letter case and
// with blanks around it, as the profile functions match keys; -1 for any
// other key.
int entryKeyIndex(const char* key, size_t length, EntryField* field);

// The entries of section "Bitmap list" found in one pass: for each index
// below RANDOM_SCAN_LIMIT and each field, the first line with its key
// ("%03d_wall"...), or none.
struct ListLines {
    SectionValue fields[RANDOM_SCAN_LIMIT][ENTRY_FIELD_COUNT];
    bool present[RANDOM_SCAN_LIMIT][ENTRY_FIELD_COUNT];
};
void indexListSection(const char* section, size_t length, ListLines* lines);

#endif
