// The layout of the settings file's entries: the per-entry key format, the
// entry limits of each program and the missing-entry default. The file's,
// sections' and keys' names come with it.
#ifndef VISTRELL_KEYS_H
#define VISTRELL_KEYS_H

#include "contract.h"

// Default text of an entry path read; getting it back means "no such entry".
#define MISSING_ENTRY "[DOESN'T EXIST]"

// Holders of a path read from the file: at most 99 characters come back.
const int PATH_BUFFER = 100;

// The editor keeps entries "000".."049"; the changer's random scan looks at
// "000".."499".
const int EDITOR_ENTRY_LIMIT = 50;
const int RANDOM_SCAN_LIMIT = 500;

// The fields of an entry. A folder entry's place in list order ("next") and
// its random round ("round") come after the four every entry has.
enum EntryField { ENTRY_WALL, ENTRY_XPOS, ENTRY_YPOS, ENTRY_TYPE, ENTRY_NEXT, ENTRY_ROUND, ENTRY_FIELD_COUNT };

// The suffix of a field's key, after "%03d_": "wall", "xpos"...
const char* entryFieldSuffix(EntryField field);

// Large enough for "%03d_round" of any 32-bit index: sign, 10 digits, suffix.
const int ENTRY_KEY_BUFFER = 24;

// Writes the key of one entry field ("%03d_wall" and so on) into key, which
// must hold ENTRY_KEY_BUFFER bytes. An index of 1000 and more keeps all its
// digits; a negative one keeps its sign ("-05_wall").
void formatEntryKey(char* key, int index, EntryField field);

// True when a path read back is the missing-entry default (exact comparison).
bool isMissingEntry(const char* path);

#endif
