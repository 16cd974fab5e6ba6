// Access to the shared settings file "VISTRELL.INI" through the platform's
// private-profile functions. The bare name puts the file in the Windows
// directory, so both programs see the same file whatever their current
// directory. Nothing is cached: every read sees what was last written.
#ifndef VISTRELL_SETTINGS_H
#define VISTRELL_SETTINGS_H

#include "keys.h"

int readSettingInt(const char* section, const char* key, int fallback);

// Reads a text into buffer (size bytes); returns the length read.
unsigned readSettingText(const char* section, const char* key, const char* fallback,
                         char* buffer, unsigned size);

// Each write returns false when the platform refused it.
bool writeSettingText(const char* section, const char* key, const char* text);
bool writeSettingInt(const char* section, const char* key, int value);
bool writeSettingUnsigned(const char* section, const char* key, unsigned value);
bool deleteSetting(const char* section, const char* key);

// A whole section as the profile reader gives it: "key=value" lines, each
// ended by a zero, and a further zero at the end. Returns a block to be given
// back with free, with *length the bytes before that last zero, or NULL
// when there is no memory for it.
char* readSettingSection(const char* section, unsigned* length);
// Replaces every key of the section by the lines of block (same form) in
// one write of the file; false when the platform refused it.
bool writeSettingSection(const char* section, const char* block);

// Entry fields of section "Bitmap list".
int readEntryInt(int index, EntryField field, int fallback);
// Reads the path of entry index into a PATH_BUFFER-sized buffer; returns
// false (with the sentinel in path) when the entry is missing.
bool readEntryPath(int index, char* path);
bool writeEntryText(int index, EntryField field, const char* text);
bool writeEntryInt(int index, EntryField field, int value);
bool deleteEntryField(int index, EntryField field);

// Number of entries from "000" on, stopping at the first missing path or at
// bound, whichever comes first.
int countEntries(int bound);

#endif
