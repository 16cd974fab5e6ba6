// Access to the shared settings file "VISTRELL.INI" through the platform's
// private-profile functions. The bare name puts the file in the Windows
// directory, so both programs see the same file whatever their current
// directory. Nothing is cached: every read sees what was last written.
#ifndef VISTRELL_SETTINGS_H
#define VISTRELL_SETTINGS_H

#include "keys.h"

int readSettingInt(const char* section, const char* key, int fallback);

// The profile reader answers a file it cannot open (another program holds
// it without sharing, or the user may not read it) with the defaults, exactly
// as a file that is not there. Whether the file can be read now: it opens
// for reading, or it is not there at all (a missing file reads as all
// defaults). Reads that must not take the one for the other go through
// readSettingsGroup (settingsgroup.h), which asks before and after them.
bool settingsReadable();

// Whether the file is there and holds anything: a list that reads empty
// from it may have been read while the other program wrote it.
bool settingsFileHasText();

// Reads a text into buffer (size bytes); returns the length read.
unsigned readSettingText(const char* section, const char* key, const char* fallback,
                         char* buffer, unsigned size);

// Each write returns false when the platform refused it.
bool writeSettingText(const char* section, const char* key, const char* text);
bool writeSettingInt(const char* section, const char* key, int value);
bool writeSettingUnsigned(const char* section, const char* key, unsigned value);
bool deleteSetting(const char* section, const char* key);

// A whole section as the profile reader gives it: "key=value" lines, each
// ended by a zero, and a further zero at the end. When true, *block is to
// be given back with free and *length is the bytes before that last zero;
// false when the memory for it is lacking. A file that cannot be read reads
// as an empty section here, as key by key: readSettingsGroup asks
// settingsReadable before and after.
bool readSettingSection(const char* section, char** block, unsigned* length);
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
