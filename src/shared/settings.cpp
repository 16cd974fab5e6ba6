#include "settings.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

// A section is read into a block that grows until the whole of it fits; the
// bound only keeps a runaway file from taking all memory.
const unsigned SECTION_START_SIZE = 4096;
const unsigned SECTION_SIZE_LIMIT = 64u << 20;

int readSettingInt(const char* section, const char* key, int fallback)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, SETTINGS_FILE));
}

unsigned readSettingText(const char* section, const char* key, const char* fallback,
                         char* buffer, unsigned size)
{
    return GetPrivateProfileStringA(section, key, fallback, buffer, size, SETTINGS_FILE);
}

bool writeSettingText(const char* section, const char* key, const char* text)
{
    return WritePrivateProfileStringA(section, key, text, SETTINGS_FILE) != 0;
}

bool writeSettingInt(const char* section, const char* key, int value)
{
    char text[16];
    sprintf(text, "%d", value);
    return writeSettingText(section, key, text);
}

bool writeSettingUnsigned(const char* section, const char* key, unsigned value)
{
    char text[16];
    sprintf(text, "%u", value);
    return writeSettingText(section, key, text);
}

bool deleteSetting(const char* section, const char* key)
{
    return writeSettingText(section, key, NULL);
}

char* readSettingSection(const char* section, unsigned* length)
{
    for (unsigned size = SECTION_START_SIZE; size <= SECTION_SIZE_LIMIT; size *= 2) {
        char* block = static_cast<char*>(malloc(size));
        if (!block)
            return NULL;
        DWORD read = GetPrivateProfileSectionA(section, block, size, SETTINGS_FILE);
        // size - 2 means the section did not fit.
        if (read < size - 2) {
            block[read] = '\0';
            block[read + 1] = '\0';
            *length = read;
            return block;
        }
        free(block);
    }
    return NULL;
}

bool writeSettingSection(const char* section, const char* block)
{
    return WritePrivateProfileSectionA(section, block, SETTINGS_FILE) != 0;
}

int readEntryInt(int index, EntryField field, int fallback)
{
    char key[ENTRY_KEY_BUFFER];
    formatEntryKey(key, index, field);
    return readSettingInt(SECTION_LIST, key, fallback);
}

bool readEntryPath(int index, char* path)
{
    char key[ENTRY_KEY_BUFFER];
    formatEntryKey(key, index, ENTRY_WALL);
    readSettingText(SECTION_LIST, key, MISSING_ENTRY, path, PATH_BUFFER);
    return !isMissingEntry(path);
}

bool writeEntryText(int index, EntryField field, const char* text)
{
    char key[ENTRY_KEY_BUFFER];
    formatEntryKey(key, index, field);
    return writeSettingText(SECTION_LIST, key, text);
}

bool writeEntryInt(int index, EntryField field, int value)
{
    char key[ENTRY_KEY_BUFFER];
    formatEntryKey(key, index, field);
    return writeSettingInt(SECTION_LIST, key, value);
}

bool deleteEntryField(int index, EntryField field)
{
    return writeEntryText(index, field, NULL);
}

int countEntries(int bound)
{
    char path[PATH_BUFFER];
    int count = 0;
    while (count < bound && readEntryPath(count, path))
        ++count;
    return count;
}
